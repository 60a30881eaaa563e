// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// The registry store: the Linux counterpart of the registry calls the settings
// code makes. On Windows these are RegOpenKeyExW / RegCreateKeyExW (read or all
// access), RegQueryValueExW, RegSetValueExW, RegEnumKeyExW, RegEnumValueW,
// RegDeleteValueW and the recursive deletion of a key tree. Here each hive is one
// SQLite database (registry_*.cpp). Internal, never installed.

#include "mavlibrary_internal_p.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ztds::registry {

enum class Hive { CurrentUser, LocalMachine };
enum class Access { Read, Full };

// The registry's type numbers; data is kept in their Windows byte layouts.
enum ValueType : std::uint32_t {
    RegNone = 0,
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
    RegMultiSz = 7,
    RegQword = 11,
};

constexpr std::size_t MaxKeyNameLength = 255;
constexpr std::size_t MaxValueNameLength = 16383;

//! Whether a key part (a key's own name) may have \a length characters.
constexpr bool validKeyPart(std::size_t length)
{
    return length && length <= MaxKeyNameLength;
}

struct Value
{
    std::wstring name;
    std::uint32_t type = RegNone;
    std::string data;
};

//! An open key; paths are components separated by '\\' below the hive root.
class MAVLIBRARY_INTERNAL_EXPORT Key
{
public:
    virtual ~Key() = default;
    virtual Hive hive() const = 0;
    virtual Access access() const = 0;
    //! The path as it was asked for.
    virtual const std::wstring &path() const = 0;

    //! False when the value does not exist (or the key is gone).
    virtual bool queryValue(const std::wstring &name, std::uint32_t &type, std::string &data) = 0;
    //! Needs full access; one transaction.
    virtual bool setValue(const std::wstring &name, std::uint32_t type,
                          const std::string &data) = 0;
    virtual bool deleteValue(const std::wstring &name) = 0;
    //! Names in their stored spelling, in no particular order.
    virtual bool subKeyNames(std::vector<std::wstring> &names) = 0;
    virtual bool valueNames(std::vector<std::wstring> &names) = 0;
    //! Every value with its data, for export.
    virtual bool values(std::vector<Value> &values) = 0;
    //! Why the last operation that failed did, when the store knows a reason.
    virtual std::string errorString() const { return {}; }
};

/*!
    Opens an existing key; fails when it is missing or the hive does not grant
    \a access. \a error tells why, and stays empty when the key only does not
    exist (a hive file that does not exist holds no key).
*/
MAVLIBRARY_INTERNAL_EXPORT std::unique_ptr<Key>
openKey(Hive hive, const std::wstring &path, Access access, std::string *error = nullptr);
/*!
    A read-only key that is not checked for existence: a missing key behaves as
    a key without values. The hive is opened on first use. For reads whose result
    is the same whether the key or only the value is missing; it saves the
    existence query. Null for a path no key can have.
*/
MAVLIBRARY_INTERNAL_EXPORT std::unique_ptr<Key> lookupKey(Hive hive, const std::wstring &path);
/*!
    The form keys are matched by: the path's parts upper-cased, in UTF-8, with '\\'
    between them. False for a path no key can have.
*/
bool foldKeyPath(std::wstring_view path, std::string &fold);
/*!
    One read of a value without opening its key (\a keyFold: its path through
    foldKeyPath): a missing key reads as a missing value, so the key's existence
    is not queried first, and the hive is opened only now. False when the key or
    the value is missing.
*/
bool readValue(Hive hive, const std::string &keyFold, const std::wstring &name, std::uint32_t &type,
               std::string &data);
//! Opens the key with full access, creating it and every missing key on the path.
MAVLIBRARY_INTERNAL_EXPORT std::unique_ptr<Key> createKey(Hive hive, const std::wstring &path,
                                                          std::string *error = nullptr);
//! Deletes the key and everything below it in one transaction; \a error as for openKey.
MAVLIBRARY_INTERNAL_EXPORT bool deleteTree(Hive hive, const std::wstring &path,
                                           std::string *error = nullptr);
//! False for a path no key can have, with the reason ("empty key part", ...).
MAVLIBRARY_INTERNAL_EXPORT bool checkKeyPath(const std::wstring &path,
                                             std::string *error = nullptr);

//! One step of a batch, applied in order.
struct Operation
{
    enum Kind { CreateKey, DeleteTree, SetValue, DeleteValue };
    Kind kind = CreateKey;
    Hive hive = Hive::CurrentUser;
    std::wstring path;
    std::wstring name;
    std::uint32_t type = RegNone;
    std::string data;
};

/*!
    Applies every operation, or none: one transaction per hive touched, all of
    them committed only when every step succeeded. \a error tells why it failed.
    Afterwards the user hive's log is moved into its database file, so that a
    copy of that file alone holds what was imported.
*/
MAVLIBRARY_INTERNAL_EXPORT bool applyBatch(const std::vector<Operation> &operations,
                                           std::string *error = nullptr);

/*!
    Writes a consistent copy of the hive to \a file through SQLite's online
    backup: into a new file in the same folder, renamed over \a file when it is
    complete. A \a file that exists and is not a regular file is refused.
*/
MAVLIBRARY_INTERNAL_EXPORT bool backupHive(Hive hive, const std::string &file, std::string *error);

//! The database file of a hive, from the environment (see registry_cache.cpp).
MAVLIBRARY_INTERNAL_EXPORT std::string hiveFile(Hive hive);

//! Owns one open key of the machine hive; closes it when it goes.
class ScopedLMKey
{
public:
    explicit ScopedLMKey(std::unique_ptr<Key> key)
        : m_key(std::move(key))
    { }
    virtual ~ScopedLMKey() = default;
    Key *get() const { return m_key.get(); }
    explicit operator bool() const { return bool(m_key); }

private:
    std::unique_ptr<Key> m_key;
};

} // namespace ztds::registry

namespace ztds::registry {

//! REG_SZ bytes: UTF-16LE code units (surrogate pairs above U+FFFF) and a NUL unit.
MAVLIBRARY_INTERNAL_EXPORT std::string wideToRegSz(const std::wstring &text);
//! The text of REG_SZ bytes up to the first NUL unit; an odd last byte is the low half of a unit.
MAVLIBRARY_INTERNAL_EXPORT std::wstring regSzToWide(const std::string &bytes);
/*!
    The UTF-8 form of regSzToWide's text into \a text, without a wide string
    between. False, with \a text left alone, where the text has none (a lone high
    surrogate at its end).
*/
MAVLIBRARY_INTERNAL_EXPORT bool regSzToUtf8(const std::string &bytes, std::string &text);

} // namespace ztds::registry
