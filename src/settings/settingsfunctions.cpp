// SPDX-License-Identifier: LGPL-2.1-or-later
#include "settingsfunctions.h"

#include "zentrixsettings_p.h"

#include <MavLibrary/text/utfconversion.h>

namespace ztds {

namespace {

struct Scope
{
    const char *narrow;
    const wchar_t *wide;
};

constexpr Scope ScopeU {"Settings/", L"Settings/"};
constexpr Scope ScopeI {"Install/", L"Install/"};

std::string scoped(const Scope &scope, const std::string &section)
{
    return scope.narrow + section;
}

std::wstring scoped(const Scope &scope, const std::wstring &section)
{
    return scope.wide + section;
}

std::wstring utf8ToWideIfNeeded(const std::string &path)
{
    return utf8ToWide(path);
}

const std::wstring &utf8ToWideIfNeeded(const std::wstring &path)
{
    return path;
}

// Opens the section, makes one call and releases the section again.
template<class S, class F>
bool sectionCall(const Scope &scope, const S &section, OpenMode mode, F call)
{
    if (section.empty())
        return false;
    IZentrixSettings *opened = nullptr;
    if (!openSettings(scoped(scope, section), mode, &opened))
        return false;
    zttl::RefCountedPtr<IZentrixSettings> owner;
    owner.attach(opened);
    return call(opened);
}

// For single reads: the same result without the sections' existence checks.
template<class S, class F>
bool lookupCall(const Scope &scope, const S &section, const S &name, OpenMode mode, F call)
{
    if (name.empty() || section.empty())
        return false;
    IZentrixSettings *opened = nullptr;
    if (!openSettingsForLookup(utf8ToWideIfNeeded(scoped(scope, section)), mode, &opened))
        return false;
    zttl::RefCountedPtr<IZentrixSettings> owner;
    owner.attach(opened);
    return call(opened);
}

template<class S, class F>
bool valueCall(const Scope &scope, const S &section, const S &name, OpenMode mode, F call)
{
    if (name.empty())
        return false;
    return sectionCall(scope, section, mode, call);
}

} // namespace

namespace userSettings {

bool setQword(const std::string &section, const std::string &name, std::uint64_t value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setQword(name, value); });
}

bool setQword(const std::wstring &section, const std::wstring &name, std::uint64_t value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setQword(name, value); });
}

bool setInt(const std::string &section, const std::string &name, int value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setInt(name, value); });
}

bool setInt(const std::wstring &section, const std::wstring &name, int value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setInt(name, value); });
}

bool setUInt(const std::string &section, const std::string &name, unsigned int value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setUInt(name, value); });
}

bool setUInt(const std::wstring &section, const std::wstring &name, unsigned int value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setUInt(name, value); });
}

bool setInt64(const std::string &section, const std::string &name, std::int64_t value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setInt64(name, value); });
}

bool setInt64(const std::wstring &section, const std::wstring &name, std::int64_t value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setInt64(name, value); });
}

bool setUInt64(const std::string &section, const std::string &name, std::uint64_t value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setUInt64(name, value); });
}

bool setUInt64(const std::wstring &section, const std::wstring &name, std::uint64_t value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setUInt64(name, value); });
}

bool setDword(const std::string &section, const std::string &name, unsigned int value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setDword(name, value); });
}

bool setDword(const std::wstring &section, const std::wstring &name, unsigned int value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setDword(name, value); });
}

bool setDouble(const std::string &section, const std::string &name, double value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setDouble(name, value); });
}

bool setDouble(const std::wstring &section, const std::wstring &name, double value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setDouble(name, value); });
}

bool setBool(const std::string &section, const std::string &name, bool value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setBool(name, value); });
}

bool setBool(const std::wstring &section, const std::wstring &name, bool value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setBool(name, value); });
}

bool setString(const std::string &section, const std::string &name, const std::string &value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setString(name, value); });
}

bool setString(const std::wstring &section, const std::wstring &name, const std::string &value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setString(name, value); });
}

bool setString(const std::wstring &section, const std::wstring &name, const std::wstring &value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setString(name, value); });
}

bool setString(const std::string &section, const std::string &name, const std::wstring &value)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setString(name, value); });
}

bool setBinary(const std::string &section, const std::string &name, const void *data, unsigned size)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setBinary(name, data, size); });
}

bool setBinary(const std::wstring &section, const std::wstring &name, const void *data,
               unsigned size)
{
    return valueCall(ScopeU, section, name, CreateUserOpenMachine,
                     [&](IZentrixSettings *s) { return s->setBinary(name, data, size); });
}

bool getQword(const std::string &section, const std::string &name, std::uint64_t &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getQword(name, value); });
}

bool getQword(const std::wstring &section, const std::wstring &name, std::uint64_t &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getQword(name, value); });
}

bool getInt(const std::string &section, const std::string &name, int &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getInt(name, value); });
}

bool getInt(const std::wstring &section, const std::wstring &name, int &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getInt(name, value); });
}

bool getUInt(const std::string &section, const std::string &name, unsigned int &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getUInt(name, value); });
}

bool getUInt(const std::wstring &section, const std::wstring &name, unsigned int &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getUInt(name, value); });
}

bool getInt64(const std::string &section, const std::string &name, std::int64_t &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getInt64(name, value); });
}

bool getInt64(const std::wstring &section, const std::wstring &name, std::int64_t &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getInt64(name, value); });
}

bool getUInt64(const std::string &section, const std::string &name, std::uint64_t &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getUInt64(name, value); });
}

bool getUInt64(const std::wstring &section, const std::wstring &name, std::uint64_t &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getUInt64(name, value); });
}

bool getDword(const std::string &section, const std::string &name, unsigned int &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getDword(name, value); });
}

bool getDword(const std::wstring &section, const std::wstring &name, unsigned int &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getDword(name, value); });
}

bool getDouble(const std::string &section, const std::string &name, double &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getDouble(name, value); });
}

bool getDouble(const std::wstring &section, const std::wstring &name, double &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getDouble(name, value); });
}

bool getBool(const std::string &section, const std::string &name, bool &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getBool(name, value); });
}

bool getBool(const std::wstring &section, const std::wstring &name, bool &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getBool(name, value); });
}

bool getString(const std::string &section, const std::string &name, std::string &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getString(name, value); });
}

bool getString(const std::wstring &section, const std::wstring &name, std::string &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getString(name, value); });
}

bool getString(const std::wstring &section, const std::wstring &name, std::wstring &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getString(name, value); });
}

bool getString(const std::string &section, const std::string &name, std::wstring &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getString(name, value); });
}

bool getBinary(const std::string &section, const std::string &name, zttl::MemoryBuffer<char> &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getBinary(name, value); });
}

bool getBinary(const std::wstring &section, const std::wstring &name,
               zttl::MemoryBuffer<char> &value)
{
    return lookupCall(ScopeU, section, name, ReadUserAndMachine,
                      [&](IZentrixSettings *s) { return s->getBinary(name, value); });
}

bool getSectionCount(const std::string &section, unsigned &count)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [&](IZentrixSettings *s) { return s->getSectionCount(count); });
}

bool getSectionNames(const std::string &section, std::set<std::string> &names)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [&](IZentrixSettings *s) { return s->getSectionNames(names); });
}

bool getValueCount(const std::string &section, unsigned &count)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [&](IZentrixSettings *s) { return s->getValueCount(count); });
}

bool getValueNames(const std::string &section, std::set<std::string> &names)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [&](IZentrixSettings *s) { return s->getValueNames(names); });
}

bool sectionExists(const std::string &section)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [](IZentrixSettings *) { return true; });
}

bool deleteValue(const std::string &section, const std::string &name)
{
    return valueCall(ScopeU, section, name, OpenUserAndMachine,
                     [&](IZentrixSettings *s) { return s->deleteValue(name); });
}

bool deleteSection(const std::string &section)
{
    return sectionCall(ScopeU, section, OpenUserAndMachine,
                       [](IZentrixSettings *s) { return s->deleteSection(); });
}

bool getSectionCount(const std::wstring &section, unsigned &count)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [&](IZentrixSettings *s) { return s->getSectionCount(count); });
}

bool getSectionNames(const std::wstring &section, std::set<std::wstring> &names)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [&](IZentrixSettings *s) { return s->getSectionNames(names); });
}

bool getValueCount(const std::wstring &section, unsigned &count)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [&](IZentrixSettings *s) { return s->getValueCount(count); });
}

bool getValueNames(const std::wstring &section, std::set<std::wstring> &names)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [&](IZentrixSettings *s) { return s->getValueNames(names); });
}

bool sectionExists(const std::wstring &section)
{
    return sectionCall(ScopeU, section, ReadUserAndMachine,
                       [](IZentrixSettings *) { return true; });
}

bool deleteValue(const std::wstring &section, const std::wstring &name)
{
    return valueCall(ScopeU, section, name, OpenUserAndMachine,
                     [&](IZentrixSettings *s) { return s->deleteValue(name); });
}

bool deleteSection(const std::wstring &section)
{
    return sectionCall(ScopeU, section, OpenUserAndMachine,
                       [](IZentrixSettings *s) { return s->deleteSection(); });
}

} // namespace userSettings

namespace installSettings {

bool setQword(const std::string &section, const std::string &name, std::uint64_t value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setQword(name, value); });
}

bool setQword(const std::wstring &section, const std::wstring &name, std::uint64_t value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setQword(name, value); });
}

bool setInt(const std::string &section, const std::string &name, int value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setInt(name, value); });
}

bool setInt(const std::wstring &section, const std::wstring &name, int value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setInt(name, value); });
}

bool setUInt(const std::string &section, const std::string &name, unsigned int value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setUInt(name, value); });
}

bool setUInt(const std::wstring &section, const std::wstring &name, unsigned int value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setUInt(name, value); });
}

bool setInt64(const std::string &section, const std::string &name, std::int64_t value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setInt64(name, value); });
}

bool setInt64(const std::wstring &section, const std::wstring &name, std::int64_t value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setInt64(name, value); });
}

bool setUInt64(const std::string &section, const std::string &name, std::uint64_t value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setUInt64(name, value); });
}

bool setUInt64(const std::wstring &section, const std::wstring &name, std::uint64_t value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setUInt64(name, value); });
}

bool setDword(const std::string &section, const std::string &name, unsigned int value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setDword(name, value); });
}

bool setDword(const std::wstring &section, const std::wstring &name, unsigned int value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setDword(name, value); });
}

bool setDouble(const std::string &section, const std::string &name, double value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setDouble(name, value); });
}

bool setDouble(const std::wstring &section, const std::wstring &name, double value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setDouble(name, value); });
}

bool setBool(const std::string &section, const std::string &name, bool value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setBool(name, value); });
}

bool setBool(const std::wstring &section, const std::wstring &name, bool value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setBool(name, value); });
}

bool setString(const std::string &section, const std::string &name, const std::string &value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setString(name, value); });
}

bool setString(const std::wstring &section, const std::wstring &name, const std::string &value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setString(name, value); });
}

bool setString(const std::wstring &section, const std::wstring &name, const std::wstring &value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setString(name, value); });
}

bool setString(const std::string &section, const std::string &name, const std::wstring &value)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setString(name, value); });
}

bool setBinary(const std::string &section, const std::string &name, const void *data, unsigned size)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setBinary(name, data, size); });
}

bool setBinary(const std::wstring &section, const std::wstring &name, const void *data,
               unsigned size)
{
    return valueCall(ScopeI, section, name, CreateMachine,
                     [&](IZentrixSettings *s) { return s->setBinary(name, data, size); });
}

bool getQword(const std::string &section, const std::string &name, std::uint64_t &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getQword(name, value); });
}

bool getQword(const std::wstring &section, const std::wstring &name, std::uint64_t &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getQword(name, value); });
}

bool getInt(const std::string &section, const std::string &name, int &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getInt(name, value); });
}

bool getInt(const std::wstring &section, const std::wstring &name, int &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getInt(name, value); });
}

bool getUInt(const std::string &section, const std::string &name, unsigned int &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getUInt(name, value); });
}

bool getUInt(const std::wstring &section, const std::wstring &name, unsigned int &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getUInt(name, value); });
}

bool getInt64(const std::string &section, const std::string &name, std::int64_t &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getInt64(name, value); });
}

bool getInt64(const std::wstring &section, const std::wstring &name, std::int64_t &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getInt64(name, value); });
}

bool getUInt64(const std::string &section, const std::string &name, std::uint64_t &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getUInt64(name, value); });
}

bool getUInt64(const std::wstring &section, const std::wstring &name, std::uint64_t &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getUInt64(name, value); });
}

bool getDword(const std::string &section, const std::string &name, unsigned int &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getDword(name, value); });
}

bool getDword(const std::wstring &section, const std::wstring &name, unsigned int &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getDword(name, value); });
}

bool getDouble(const std::string &section, const std::string &name, double &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getDouble(name, value); });
}

bool getDouble(const std::wstring &section, const std::wstring &name, double &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getDouble(name, value); });
}

bool getBool(const std::string &section, const std::string &name, bool &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getBool(name, value); });
}

bool getBool(const std::wstring &section, const std::wstring &name, bool &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getBool(name, value); });
}

bool getString(const std::string &section, const std::string &name, std::string &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getString(name, value); });
}

bool getString(const std::wstring &section, const std::wstring &name, std::string &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getString(name, value); });
}

bool getString(const std::wstring &section, const std::wstring &name, std::wstring &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getString(name, value); });
}

bool getString(const std::string &section, const std::string &name, std::wstring &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getString(name, value); });
}

bool getBinary(const std::string &section, const std::string &name, zttl::MemoryBuffer<char> &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getBinary(name, value); });
}

bool getBinary(const std::wstring &section, const std::wstring &name,
               zttl::MemoryBuffer<char> &value)
{
    return lookupCall(ScopeI, section, name, ReadMachine,
                      [&](IZentrixSettings *s) { return s->getBinary(name, value); });
}

bool getSectionCount(const std::string &section, unsigned &count)
{
    return sectionCall(ScopeI, section, ReadMachine,
                       [&](IZentrixSettings *s) { return s->getSectionCount(count); });
}

bool getSectionNames(const std::string &section, std::set<std::string> &names)
{
    return sectionCall(ScopeI, section, ReadMachine,
                       [&](IZentrixSettings *s) { return s->getSectionNames(names); });
}

bool getValueCount(const std::string &section, unsigned &count)
{
    return sectionCall(ScopeI, section, ReadMachine,
                       [&](IZentrixSettings *s) { return s->getValueCount(count); });
}

bool getValueNames(const std::string &section, std::set<std::string> &names)
{
    return sectionCall(ScopeI, section, ReadMachine,
                       [&](IZentrixSettings *s) { return s->getValueNames(names); });
}

bool sectionExists(const std::string &section)
{
    return sectionCall(ScopeI, section, ReadMachine, [](IZentrixSettings *) { return true; });
}

bool deleteValue(const std::string &section, const std::string &name)
{
    return valueCall(ScopeI, section, name, OpenMachine,
                     [&](IZentrixSettings *s) { return s->deleteValue(name); });
}

bool getSectionCount(const std::wstring &section, unsigned &count)
{
    return sectionCall(ScopeI, section, ReadMachine,
                       [&](IZentrixSettings *s) { return s->getSectionCount(count); });
}

bool getSectionNames(const std::wstring &section, std::set<std::wstring> &names)
{
    return sectionCall(ScopeI, section, ReadMachine,
                       [&](IZentrixSettings *s) { return s->getSectionNames(names); });
}

bool getValueCount(const std::wstring &section, unsigned &count)
{
    return sectionCall(ScopeI, section, ReadMachine,
                       [&](IZentrixSettings *s) { return s->getValueCount(count); });
}

bool getValueNames(const std::wstring &section, std::set<std::wstring> &names)
{
    return sectionCall(ScopeI, section, ReadMachine,
                       [&](IZentrixSettings *s) { return s->getValueNames(names); });
}

bool sectionExists(const std::wstring &section)
{
    return sectionCall(ScopeI, section, ReadMachine, [](IZentrixSettings *) { return true; });
}

bool deleteValue(const std::wstring &section, const std::wstring &name)
{
    return valueCall(ScopeI, section, name, OpenMachine,
                     [&](IZentrixSettings *s) { return s->deleteValue(name); });
}

} // namespace installSettings

} // namespace ztds
