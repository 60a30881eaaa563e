// SPDX-License-Identifier: LGPL-2.1-or-later
#include "settingsfunctions.h"

#include "zentrixsettings_p.h"

#include <MavLibrary/text/utfconversion.h>

namespace ztds {

namespace {

// All that tells userSettings from installSettings: the scope and three open modes.
struct Scope
{
    const char *narrow;
    const wchar_t *wide;
    OpenMode write; // set...
    OpenMode read; // get..., counts, listings, sectionExists
    OpenMode remove; // deleteValue, deleteSection
};

constexpr Scope UserScope {"Settings\\", L"Settings\\", CreateUserOpenMachine, ReadUserAndMachine,
                           OpenUserAndMachine};
constexpr Scope InstallScope {"Install\\", L"Install\\", CreateMachine, ReadMachine, OpenMachine};

std::string scoped(const Scope &scope, const std::string &section)
{
    return scope.narrow + section;
}

std::wstring scoped(const Scope &scope, const std::wstring &section)
{
    return scope.wide + section;
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

// A value call gets the section and the value name; see the tables below.
template<class S, class F>
bool valueCall(const Scope &scope, const S &section, const S &name, OpenMode mode, F call)
{
    if (name.empty())
        return false;
    return sectionCall(scope, section, mode, [&](IZentrixSettings *s) { return call(s, name); });
}

// UTF-8 to wide into \a wide, whose buffer the caller keeps: plain ASCII, the
// usual section and value names, without a conversion of its own.
bool widened(const std::string &utf8, std::wstring &wide)
{
    wide.resize(utf8.size()); // assign() from iterators would build a temporary
    wchar_t *out = wide.data();
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            bool ok = true;
            wide = utf8ToWide(utf8, &ok);
            return ok;
        }
        *out++ = wchar_t(c);
    }
    return true;
}

// For single reads: the same result without the sections' existence checks, and
// a narrow value name widened once here rather than by the section.
template<class S, class F>
bool lookupCall(const Scope &scope, const S &section, const S &name, OpenMode mode, F call)
{
    if (name.empty() || section.empty())
        return false;
    ZentrixSettings *opened = sectionForLookup(scope.wide, section, mode);
    if (!opened)
        return false;
    if constexpr (std::is_same_v<S, std::string>) {
        thread_local std::wstring t_name; // a buffer only, refilled for every read
        std::wstring &wide = t_name;
        return widened(name, wide) && call(opened, wide);
    } else {
        return call(opened, name);
    }
}

} // namespace

// Both families are written once, as rows of the tables below, and generated for
// each scope and each width S of section and value name. A row names how the
// section is opened, which of the scope's modes it uses, the function, the
// parameters after the section (and name), and the call made on the section s
// (with the value name in the width the open chose).
#define ZTDS_TAIL(...) __VA_OPT__(, ) __VA_ARGS__

#define ZTDS_VALUE_FUNCTIONS(X, scope, S)                                                          \
    X(scope, S, valueCall, write, setQword, (std::uint64_t value), s->setQword(name, value))       \
    X(scope, S, valueCall, write, setInt, (int value), s->setInt(name, value))                     \
    X(scope, S, valueCall, write, setUInt, (unsigned int value), s->setUInt(name, value))          \
    X(scope, S, valueCall, write, setInt64, (std::int64_t value), s->setInt64(name, value))        \
    X(scope, S, valueCall, write, setUInt64, (std::uint64_t value), s->setUInt64(name, value))     \
    X(scope, S, valueCall, write, setDword, (unsigned int value), s->setDword(name, value))        \
    X(scope, S, valueCall, write, setDouble, (double value), s->setDouble(name, value))            \
    X(scope, S, valueCall, write, setBool, (bool value), s->setBool(name, value))                  \
    X(scope, S, valueCall, write, setString, (const std::string &value),                           \
      s->setString(name, value))                                                                   \
    X(scope, S, valueCall, write, setString, (const std::wstring &value),                          \
      s->setString(name, value))                                                                   \
    X(scope, S, valueCall, write, setBinary, (const void *data, unsigned size),                    \
      s->setBinary(name, data, size))                                                              \
    X(scope, S, lookupCall, read, getQword, (std::uint64_t & value), s->getQword(name, value))     \
    X(scope, S, lookupCall, read, getInt, (int &value), s->getInt(name, value))                    \
    X(scope, S, lookupCall, read, getUInt, (unsigned int &value), s->getUInt(name, value))         \
    X(scope, S, lookupCall, read, getInt64, (std::int64_t & value), s->getInt64(name, value))      \
    X(scope, S, lookupCall, read, getUInt64, (std::uint64_t & value), s->getUInt64(name, value))   \
    X(scope, S, lookupCall, read, getDword, (unsigned int &value), s->getDword(name, value))       \
    X(scope, S, lookupCall, read, getDouble, (double &value), s->getDouble(name, value))           \
    X(scope, S, lookupCall, read, getBool, (bool &value), s->getBool(name, value))                 \
    X(scope, S, lookupCall, read, getString, (std::string & value), s->getString(name, value))     \
    X(scope, S, lookupCall, read, getString, (std::wstring & value), s->getString(name, value))    \
    X(scope, S, lookupCall, read, getBinary, (zttl::MemoryBuffer<char> & value),                   \
      s->getBinary(name, value))                                                                   \
    X(scope, S, valueCall, remove, deleteValue, (), s->deleteValue(name))

#define ZTDS_SECTION_FUNCTIONS(X, scope, S)                                                        \
    X(scope, S, read, getSectionCount, (unsigned &count), s->getSectionCount(count))               \
    X(scope, S, read, getSectionNames, (std::set<S> & names), s->getSectionNames(names))           \
    X(scope, S, read, getValueCount, (unsigned &count), s->getValueCount(count))                   \
    X(scope, S, read, getValueNames, (std::set<S> & names), s->getValueNames(names))               \
    X(scope, S, read, sectionExists, (), true)

#define ZTDS_VALUE_FUNCTION(scope, S, open, mode, function, parameters, call)                      \
    bool function(const S &section, const S &name ZTDS_TAIL parameters)                            \
    {                                                                                              \
        return open(scope, section, name, scope.mode,                                              \
                    [&]([[maybe_unused]] IZentrixSettings *s, const auto &name) { return call; }); \
    }

#define ZTDS_SECTION_FUNCTION(scope, S, mode, function, parameters, call)                          \
    bool function(const S &section ZTDS_TAIL parameters)                                           \
    {                                                                                              \
        return sectionCall(scope, section, scope.mode,                                             \
                           [&]([[maybe_unused]] IZentrixSettings *s) { return call; });            \
    }

#define ZTDS_SCOPE_FUNCTIONS(scope)                                                                \
    ZTDS_VALUE_FUNCTIONS(ZTDS_VALUE_FUNCTION, scope, std::string)                                  \
    ZTDS_VALUE_FUNCTIONS(ZTDS_VALUE_FUNCTION, scope, std::wstring)                                 \
    ZTDS_SECTION_FUNCTIONS(ZTDS_SECTION_FUNCTION, scope, std::string)                              \
    ZTDS_SECTION_FUNCTIONS(ZTDS_SECTION_FUNCTION, scope, std::wstring)

namespace userSettings {
ZTDS_SCOPE_FUNCTIONS(UserScope)
// Only the user's sections can be deleted through these functions.
ZTDS_SECTION_FUNCTION(UserScope, std::string, remove, deleteSection, (), s->deleteSection())
ZTDS_SECTION_FUNCTION(UserScope, std::wstring, remove, deleteSection, (), s->deleteSection())
} // namespace userSettings

namespace installSettings {
ZTDS_SCOPE_FUNCTIONS(InstallScope)
} // namespace installSettings

#undef ZTDS_SCOPE_FUNCTIONS
#undef ZTDS_SECTION_FUNCTION
#undef ZTDS_VALUE_FUNCTION
#undef ZTDS_SECTION_FUNCTIONS
#undef ZTDS_VALUE_FUNCTIONS
#undef ZTDS_TAIL

} // namespace ztds
