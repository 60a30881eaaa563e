// SPDX-License-Identifier: LGPL-2.1-or-later
#include "zentrixsettings.h"
#include "zentrixsettings_p.h"

#include "registry_p.h"

#include <MavLibrary/text/utfconversion.h>

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace ztds {

using registry::Access;
using registry::Hive;

namespace {

// No std::wstring at namespace scope: sections may be opened while statics are built.
constexpr const wchar_t *ProductKey = L"SOFTWARE\\Zentrix\\";

std::wstring wide(const std::string &utf8)
{
    return ztds::utf8ToWide(utf8); // empty when it does not convert: the call then fails
}

template<class T> std::string littleEndian(T value)
{
    std::string data(sizeof value, '\0');
    qToLittleEndian(value, data.data());
    return data;
}

// A REG_DWORD or REG_QWORD; the callers have checked the size.
std::uint64_t fromLittleEndian(const std::string &data)
{
    return data.size() == 8 ? qFromLittleEndian<std::uint64_t>(data.data())
                            : qFromLittleEndian<std::uint32_t>(data.data());
}

// The count and the narrow names of a listing, from its wide names.
template<class List> bool listed(List list, std::set<std::wstring> &names)
{
    return list(names);
}

template<class List> bool listed(List list, unsigned &count)
{
    std::set<std::wstring> names;
    if (!list(names))
        return false;
    count = unsigned(names.size());
    return true;
}

template<class List> bool listed(List list, std::set<std::string> &names)
{
    names.clear();
    std::set<std::wstring> wideNames;
    if (!list(wideNames))
        return false;
    for (const auto &name : wideNames)
        names.insert(wideToUtf8(name));
    return true;
}

std::wstring joined(std::wstring_view a, std::wstring_view b, std::wstring_view c)
{
    std::wstring text;
    text.reserve(a.size() + b.size() + c.size());
    text.append(a).append(b).append(c);
    return text;
}

// Splits at the first '/' or '\\'.
void splitPath(const std::wstring &path, std::wstring &first, std::wstring &rest)
{
    const std::size_t at = path.find_first_of(L"/\\");
    if (at == std::wstring::npos) {
        first = path;
        rest.clear();
    } else {
        first = path.substr(0, at);
        rest = path.substr(at + 1);
    }
}

bool hasSecondaryKey(OpenMode mode)
{
    return mode == OpenUserAndMachine || mode == ReadUserAndMachine
        || mode == CreateUserOpenMachine;
}

} // namespace

// Constructs the section of the first path component below \a parent; with a rest
// goes on below it, otherwise opens the keys. Intermediate sections are not opened.
bool openSettingsBelow(const std::wstring &path, OpenMode mode, ZentrixSettings *parent,
                       IZentrixSettings **section)
{
    if (path.empty() || !section)
        return false;
    std::wstring first, rest;
    splitPath(path, first, rest);
    zttl::RefCountedPtr<ZentrixSettings> created(new ZentrixSettings(first, mode, parent));
    if (!rest.empty())
        return openSettingsBelow(rest, mode, created.get(), section);
    if (!created->openKeys()) {
        // Not left behind in the parent's cache as if it had opened.
        if (parent)
            parent->m_children.erase(first);
        return false;
    }
    created->addRef();
    *section = created.get();
    return true;
}

// An ASCII character as a key path holds it: upper case, '\\' for either separator.
constexpr auto AsciiFold = [] {
    std::array<char, 128> fold {};
    for (std::size_t c = 0; c < fold.size(); ++c)
        fold[c] = char(c == '/' ? '\\' : c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
    return fold;
}();

/*
    This thread's section for single reads (see sectionForLookup) and the folded
    path of the key it reads. The section keeps no path or name of its own.
*/
struct LookupSection
{
    ZentrixSettings section {std::wstring(), ReadUser};
    std::string keyFold;
    std::wstring scope; // and its folded path with ProductKey, ending in a separator:
    std::string scopeFold;

    static LookupSection &current()
    {
        thread_local LookupSection t_lookup;
        return t_lookup;
    }

    ZentrixSettings *open(OpenMode mode)
    {
        if (mode != ReadUser && mode != ReadUserAndMachine && mode != ReadMachine)
            return nullptr;
        section.m_mode = mode;
        section.m_lookupOnly = true;
        section.m_activeRoot = ZentrixSettings::NoRoot;
        return section.openKeys() ? &section : nullptr;
    }

    /*
        The key path as openSettingsBelow would build it: both separators, and one
        trailing separator that names no section. ASCII sections, the usual ones,
        are folded here as they are copied; others go the long way.
    */
    template<class Char> bool foldPath(const wchar_t *scopeKey, std::basic_string_view<Char> part)
    {
        if (scope != scopeKey) {
            std::wstring path = joined(ProductKey, scopeKey, {});
            path.pop_back();
            if (!registry::foldKeyPath(path, scopeFold))
                return false;
            scopeFold += '\\';
            scope = scopeKey;
        }
        keyFold.assign(scopeFold);
        const std::size_t base = keyFold.size();
        const std::size_t size = part.size();
        keyFold.resize(base + size);
        char *const out = keyFold.data() + base;
        std::size_t start = 0; // of the current component of part
        for (std::size_t i = 0; i < size; ++i) {
            const auto c = std::uint32_t(std::make_unsigned_t<Char>(part[i]));
            if (c >= 0x80)
                return foldLong(scopeKey, part);
            const char folded = AsciiFold[c];
            out[i] = folded;
            if (folded == '\\') {
                if (!registry::validKeyPart(i - start))
                    return false;
                start = i + 1;
            }
        }
        if (start == size) {
            keyFold.pop_back();
            return true;
        }
        return registry::validKeyPart(size - start);
    }

    template<class Char> bool foldLong(const wchar_t *scopeKey, std::basic_string_view<Char> part)
    {
        if constexpr (std::is_same_v<Char, char>) {
            bool ok = true;
            const std::wstring wide = utf8ToWide(part, &ok);
            return ok && foldLong<wchar_t>(scopeKey, wide);
        } else {
            std::wstring path = joined(ProductKey, scopeKey, part);
            std::replace(path.begin(), path.end(), L'/', L'\\');
            if (path.back() == L'\\')
                path.pop_back();
            return registry::foldKeyPath(path, keyFold);
        }
    }
};

template<class Char>
ZentrixSettings *lookupSection(const wchar_t *scope, std::basic_string_view<Char> section,
                               OpenMode mode)
{
    LookupSection &lookup = LookupSection::current();
    if (section.empty() || !lookup.foldPath(scope, section))
        return nullptr;
    return lookup.open(mode);
}

/*
    The section at \a scope (which ends in a separator) followed by \a section,
    for one read in a read mode, as openSettings would give it; but its keys are
    neither opened nor checked for existence: a read from a missing key fails
    just as a read of a missing value does, so the result is the same and the
    queries for the keys are saved. It is one object a thread, reused, so that a
    single read allocates next to nothing; it stays valid until the next call on
    the same thread. It holds no values: every read goes to the hives.
*/
ZentrixSettings *sectionForLookup(const wchar_t *scope, std::string_view section, OpenMode mode)
{
    return lookupSection(scope, section, mode);
}

ZentrixSettings *sectionForLookup(const wchar_t *scope, std::wstring_view section, OpenMode mode)
{
    return lookupSection(scope, section, mode);
}

bool openSettings(const std::wstring &path, OpenMode mode, IZentrixSettings **section)
{
    return openSettingsBelow(path, mode, nullptr, section);
}

bool openSettings(const std::string &path, OpenMode mode, IZentrixSettings **section)
{
    return openSettingsBelow(wide(path), mode, nullptr, section);
}

ZentrixSettings::ZentrixSettings(const std::wstring &name, OpenMode mode, ZentrixSettings *parent)
    : m_path(
        joined(parent ? std::wstring_view(parent->m_path) : ProductKey, parent ? L"\\" : L"", name))
    , m_name(name)
    , m_mode(mode)
{
    if (parent)
        parent->m_children[name] = zttl::RefCountedPtr<IZentrixSettings>(this);
}

ZentrixSettings::~ZentrixSettings() = default;

int ZentrixSettings::addRef()
{
    return ++m_refCount;
}

int ZentrixSettings::release()
{
    if (--m_refCount <= 0) {
        delete this;
        return 0;
    }
    return m_refCount;
}

int ZentrixSettings::refCount() const
{
    return m_refCount;
}

/*
    Opens the keys of the mode (see OpenMode). Idempotent: an open key stays open.
    In modes 2 and 5 a missing key is tried again on every call and one open key is
    enough; in mode 8 the machine key is only a fallback and its failure is ignored.
*/
bool ZentrixSettings::openKeys()
{
    if (m_lookupOnly) {
        m_activeRoot = m_mode == ReadMachine ? MachineRoot : UserRoot;
        return true;
    }
    if (m_name.empty() || m_path.empty())
        return false;
    auto open = [this](std::unique_ptr<registry::Key> &key, Hive hive, Access access) {
        if (!key)
            key = registry::openKey(hive, m_path, access);
        return bool(key);
    };
    auto create = [this](std::unique_ptr<registry::Key> &key, Hive hive) {
        if (!key)
            key = registry::createKey(hive, m_path);
        return bool(key);
    };
    bool ok = false;
    switch (m_mode) {
    case OpenUser:
        ok = open(m_userKey, Hive::CurrentUser, Access::Full);
        break;
    case OpenUserAndMachine: {
        const bool user = open(m_userKey, Hive::CurrentUser, Access::Full);
        const bool machine = open(m_machineKey, Hive::LocalMachine, Access::Full);
        ok = user || machine;
        break;
    }
    case OpenMachine:
        ok = open(m_machineKey, Hive::LocalMachine, Access::Full);
        break;
    case ReadUser:
        ok = open(m_userKey, Hive::CurrentUser, Access::Read);
        break;
    case ReadUserAndMachine: {
        const bool user = open(m_userKey, Hive::CurrentUser, Access::Read);
        const bool machine = open(m_machineKey, Hive::LocalMachine, Access::Read);
        ok = user || machine;
        break;
    }
    case ReadMachine:
        ok = open(m_machineKey, Hive::LocalMachine, Access::Read);
        break;
    case CreateUser:
        ok = create(m_userKey, Hive::CurrentUser);
        break;
    case CreateUserOpenMachine:
        if (m_userKey)
            return true;
        ok = create(m_userKey, Hive::CurrentUser);
        if (ok)
            open(m_machineKey, Hive::LocalMachine, Access::Full);
        break;
    case CreateMachine:
        ok = create(m_machineKey, Hive::LocalMachine);
        break;
    }
    if (ok)
        m_activeRoot = (m_mode == OpenMachine || m_mode == ReadMachine || m_mode == CreateMachine)
            ? MachineRoot
            : UserRoot;
    return ok;
}

void ZentrixSettings::closeKeys()
{
    m_userKey.reset();
    m_machineKey.reset();
}

registry::Key *ZentrixSettings::primaryKey() const
{
    return m_activeRoot == MachineRoot ? m_machineKey.get() : m_userKey.get();
}

registry::Key *ZentrixSettings::secondaryKey() const
{
    return hasSecondaryKey(m_mode) ? m_machineKey.get() : nullptr;
}

/*
    Reads \a name from the section's keys in lookup order; the first value whose
    type and size \a accept takes is the answer:

    | Mode       | 1st (primary) | 2nd (secondary) |
    |------------|---------------|-----------------|
    | 1, 4, 7    | user          | none            |
    | 3, 6, 9    | machine       | none            |
    | 2, 5, 8    | user          | machine         |

    A value of the wrong type or size counts as absent, so it does not hide the
    machine's value. A section made for one read has no keys: it reads the hives.
*/
template<class Accept>
bool ZentrixSettings::readFirst(const std::wstring &name, Accept accept, std::string &data)
{
    if (name.empty() || !openKeys())
        return false;
    registry::Key *const keys[] = {primaryKey(), secondaryKey()};
    const Hive hives[] = {m_activeRoot == MachineRoot ? Hive::LocalMachine : Hive::CurrentUser,
                          Hive::LocalMachine};
    const int sources = hasSecondaryKey(m_mode) ? 2 : 1;
    for (int i = 0; i < sources; ++i) {
        std::uint32_t type = registry::RegNone;
        std::string bytes;
        const bool found = m_lookupOnly
            ? registry::readValue(hives[i], LookupSection::current().keyFold, name, type, bytes)
            : keys[i] && keys[i]->queryValue(name, type, bytes);
        if (found && accept(type, bytes.size())) {
            data = std::move(bytes);
            return true;
        }
    }
    return false;
}

// A value of \a expectedType and \a expectedSize bytes (0: any size but empty).
bool ZentrixSettings::queryValue(const std::wstring &name, unsigned expectedType,
                                 std::size_t expectedSize, std::string &data)
{
    return readFirst(
        name,
        [&](std::uint32_t type, std::size_t size) {
            return type == expectedType && (expectedSize ? size == expectedSize : size != 0);
        },
        data);
}

// A REG_QWORD of 8 bytes or a REG_DWORD of 4, widened.
bool ZentrixSettings::queryQword(const std::wstring &name, std::uint64_t &value)
{
    std::string data;
    const bool found = readFirst(
        name,
        [](std::uint32_t type, std::size_t size) {
            return (type == registry::RegQword && size == 8)
                || (type == registry::RegDword && size == 4);
        },
        data);
    if (found)
        value = fromLittleEndian(data);
    return found;
}

bool ZentrixSettings::setValue(const std::wstring &name, unsigned type, const std::string &data)
{
    if (name.empty() || !openKeys())
        return false;
    registry::Key *key = primaryKey();
    return key && key->setValue(name, type, data);
}

bool ZentrixSettings::listNames(bool sections, std::set<std::wstring> &names)
{
    names.clear();
    if (!openKeys())
        return false;
    for (registry::Key *key : {primaryKey(), secondaryKey()}) {
        if (!key)
            continue;
        std::vector<std::wstring> found;
        if (sections ? !key->subKeyNames(found) : !key->valueNames(found))
            continue;
        for (auto &name : found) {
            if (!name.empty()) // the default value is not listed
                names.insert(std::move(name));
        }
    }
    return true;
}

bool ZentrixSettings::getName(std::wstring &name)
{
    name = m_name;
    return true;
}

bool ZentrixSettings::getName(std::string &name)
{
    name = wideToUtf8(m_name);
    return true;
}

bool ZentrixSettings::openSection(const std::wstring &path, IZentrixSettings **section)
{
    if (path.empty() || !section || !openKeys())
        return false;
    std::wstring first, rest;
    splitPath(path, first, rest);
    auto it = m_children.find(first);
    if (it != m_children.end()) {
        auto *child = static_cast<ZentrixSettings *>(it->second.get());
        if (!rest.empty())
            return child->openSection(rest, section);
        if (!child->openKeys())
            return false;
        child->addRef();
        *section = child;
        return true;
    }
    if (rest.empty())
        return openSettingsBelow(first, m_mode, this, section);
    auto *child = new ZentrixSettings(first, m_mode, this); // owned by m_children
    return child->openSection(rest, section);
}

// Setters ----------------------------------------------------------------------

bool ZentrixSettings::setQword(const std::wstring &name, std::uint64_t value)
{
    return setValue(name, registry::RegQword, littleEndian(value));
}

bool ZentrixSettings::setInt(const std::wstring &name, int value)
{
    return setQword(name, std::uint64_t(std::int64_t(value)));
}

bool ZentrixSettings::setUInt(const std::wstring &name, unsigned int value)
{
    return setQword(name, std::uint64_t(value));
}

bool ZentrixSettings::setInt64(const std::wstring &name, std::int64_t value)
{
    return setQword(name, std::uint64_t(value));
}

bool ZentrixSettings::setUInt64(const std::wstring &name, std::uint64_t value)
{
    return setQword(name, value);
}

bool ZentrixSettings::setDword(const std::wstring &name, unsigned int value)
{
    return setValue(name, registry::RegDword, littleEndian(std::uint32_t(value)));
}

bool ZentrixSettings::setDouble(const std::wstring &name, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return setQword(name, bits);
}

bool ZentrixSettings::setBool(const std::wstring &name, bool value)
{
    return setDword(name, value ? 1u : 0u);
}

bool ZentrixSettings::setString(const std::wstring &name, const std::string &value)
{
    return setString(name, wide(value));
}

bool ZentrixSettings::setString(const std::wstring &name, const std::wstring &value)
{
    return setValue(name, registry::RegSz, registry::wideToRegSz(value));
}

bool ZentrixSettings::setBinary(const std::wstring &name, const void *data, unsigned size)
{
    if (size != 0 && !data)
        return false;
    return setValue(name, registry::RegBinary,
                    size ? std::string(static_cast<const char *>(data), size) : std::string());
}

// Getters ----------------------------------------------------------------------

bool ZentrixSettings::getQword(const std::wstring &name, std::uint64_t &value)
{
    return queryQword(name, value);
}

bool ZentrixSettings::getInt(const std::wstring &name, int &value)
{
    std::uint64_t qword;
    if (!queryQword(name, qword))
        return false;
    value = int(std::uint32_t(qword));
    return true;
}

bool ZentrixSettings::getUInt(const std::wstring &name, unsigned int &value)
{
    std::uint64_t qword;
    if (!queryQword(name, qword))
        return false;
    value = unsigned(qword);
    return true;
}

bool ZentrixSettings::getInt64(const std::wstring &name, std::int64_t &value)
{
    std::uint64_t qword;
    if (!queryQword(name, qword))
        return false;
    value = std::int64_t(qword);
    return true;
}

bool ZentrixSettings::getUInt64(const std::wstring &name, std::uint64_t &value)
{
    return queryQword(name, value);
}

bool ZentrixSettings::getDword(const std::wstring &name, unsigned int &value)
{
    std::string data;
    if (!queryValue(name, registry::RegDword, 4, data))
        return false;
    value = unsigned(fromLittleEndian(data));
    return true;
}

bool ZentrixSettings::getDouble(const std::wstring &name, double &value)
{
    std::string data;
    if (!queryValue(name, registry::RegQword, 8, data))
        return false;
    const std::uint64_t bits = fromLittleEndian(data);
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool ZentrixSettings::getBool(const std::wstring &name, bool &value)
{
    std::string data;
    if (!queryValue(name, registry::RegDword, 4, data))
        return false;
    value = fromLittleEndian(data) != 0;
    return true;
}

bool ZentrixSettings::getString(const std::wstring &name, std::string &value)
{
    std::string data;
    if (!queryValue(name, registry::RegSz, 0, data))
        return false;
    // Text without a UTF-8 form fails the read rather than reading as empty.
    return registry::regSzToUtf8(data, value);
}

bool ZentrixSettings::getString(const std::wstring &name, std::wstring &value)
{
    // REG_SZ only: an expandable string is refused, as the registry code always did.
    std::string data;
    if (!queryValue(name, registry::RegSz, 0, data))
        return false;
    value = registry::regSzToWide(data);
    return true;
}

bool ZentrixSettings::getBinary(const std::wstring &name, zttl::MemoryBuffer<char> &value)
{
    std::string data;
    if (!queryValue(name, registry::RegBinary, 0, data))
        return false;
    return value.assign(data.data(), data.size());
}

// Deletion ---------------------------------------------------------------------

bool ZentrixSettings::deleteSection()
{
    closeKeys();
    m_children.clear();
    if (m_path.find(ProductKey) == std::wstring::npos)
        return false;
    switch (m_activeRoot) {
    case UserRoot:
        return registry::deleteTree(Hive::CurrentUser, m_path);
    case MachineRoot: {
        // The whole tree goes in one transaction of the store; the key is opened
        // with full access first so that a read-only machine hive refuses.
        const registry::ScopedLMKey key(
            registry::openKey(Hive::LocalMachine, m_path, Access::Full));
        return key && registry::deleteTree(Hive::LocalMachine, m_path);
    }
    case NoRoot:
        break;
    }
    return false;
}

bool ZentrixSettings::deleteValue(const std::wstring &name)
{
    if (!openKeys())
        return false;
    registry::Key *key = primaryKey();
    return key && key->deleteValue(name);
}

// Listings and narrow forms -----------------------------------------------------

#define ZTDS_TAIL(...) __VA_OPT__(, ) __VA_ARGS__

// Every listing comes from listNames: sub-sections or values, as a count, wide or narrow names.
#define ZTDS_LISTING(function, sections, Result)                                                   \
    bool ZentrixSettings::function(Result &result)                                                 \
    {                                                                                              \
        return listed([this](auto &names) { return listNames(sections, names); }, result);         \
    }

ZTDS_LISTING(getSectionCount, true, unsigned)
ZTDS_LISTING(getSectionNames, true, std::set<std::wstring>)
ZTDS_LISTING(getSectionNames, true, std::set<std::string>)
ZTDS_LISTING(getValueCount, false, unsigned)
ZTDS_LISTING(getValueNames, false, std::set<std::wstring>)
ZTDS_LISTING(getValueNames, false, std::set<std::string>)

// A narrow operation converts its name (or path) from UTF-8 and calls its wide twin.
#define ZTDS_NARROW(function, parameters, arguments)                                               \
    bool ZentrixSettings::function(const std::string &name ZTDS_TAIL parameters)                   \
    {                                                                                              \
        return function(wide(name) ZTDS_TAIL arguments);                                           \
    }

ZTDS_NARROW(openSection, (IZentrixSettings * *section), (section))
ZTDS_NARROW(setQword, (std::uint64_t value), (value))
ZTDS_NARROW(setInt, (int value), (value))
ZTDS_NARROW(setUInt, (unsigned int value), (value))
ZTDS_NARROW(setInt64, (std::int64_t value), (value))
ZTDS_NARROW(setUInt64, (std::uint64_t value), (value))
ZTDS_NARROW(setDword, (unsigned int value), (value))
ZTDS_NARROW(setDouble, (double value), (value))
ZTDS_NARROW(setBool, (bool value), (value))
ZTDS_NARROW(setString, (const std::string &value), (value))
ZTDS_NARROW(setString, (const std::wstring &value), (value))
ZTDS_NARROW(setBinary, (const void *data, unsigned size), (data, size))
ZTDS_NARROW(getQword, (std::uint64_t & value), (value))
ZTDS_NARROW(getInt, (int &value), (value))
ZTDS_NARROW(getUInt, (unsigned int &value), (value))
ZTDS_NARROW(getInt64, (std::int64_t & value), (value))
ZTDS_NARROW(getUInt64, (std::uint64_t & value), (value))
ZTDS_NARROW(getDword, (unsigned int &value), (value))
ZTDS_NARROW(getDouble, (double &value), (value))
ZTDS_NARROW(getBool, (bool &value), (value))
ZTDS_NARROW(getString, (std::string & value), (value))
ZTDS_NARROW(getString, (std::wstring & value), (value))
ZTDS_NARROW(getBinary, (zttl::MemoryBuffer<char> & value), (value))
ZTDS_NARROW(deleteValue, (), ())

#undef ZTDS_NARROW
#undef ZTDS_LISTING
#undef ZTDS_TAIL

} // namespace ztds
