// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/settings/memorybuffer.h>
#include <MavLibrary/settings/refcounted.h>

#include <cstdint>
#include <set>
#include <string>

namespace ztds {

/*!
    Which hives a section uses and how. The key of the hive named last is the
    section's primary key; in the modes with both hives the machine key is the
    secondary key, read as a fallback and merged into listings.

    | Mode                        | User hive key            | Machine hive key              |
    |-----------------------------|--------------------------|-------------------------------|
    | 1 OpenUser                  | opened, full access      | none                          |
    | 2 OpenUserAndMachine        | opened, full access      | opened, full access           |
    | 3 OpenMachine               | none                     | opened, full access           |
    | 4 ReadUser                  | opened, read access      | none                          |
    | 5 ReadUserAndMachine        | opened, read access      | opened, read access           |
    | 6 ReadMachine               | none                     | opened, read access           |
    | 7 CreateUser                | created if missing, full | none                          |
    | 8 CreateUserOpenMachine     | created if missing, full | opened, full, failure ignored |
    | 9 CreateMachine             | none                     | created if missing, full      |
*/
enum OpenMode {
    OpenUser = 1,
    OpenUserAndMachine = 2,
    OpenMachine = 3,
    ReadUser = 4,
    ReadUserAndMachine = 5,
    ReadMachine = 6,
    CreateUser = 7,
    CreateUserOpenMachine = 8,
    CreateMachine = 9,
};

/*!
    One section of the settings tree below "SOFTWARE\\Zentrix\\". Narrow strings
    are UTF-8; every narrow operation converts and calls its wide twin. The virtual
    operations are declared in their fixed table order (each pair: wide name first). Every
    operation returns true on success; a failed read leaves its result untouched.
    Not thread-safe: use a section from one thread at a time.
*/
class MAVLIBRARY_EXPORT IZentrixSettings : public zttl::IRefCounted
{
public:
    virtual bool getName(std::wstring &name) = 0;
    virtual bool getName(std::string &name) = 0;
    virtual bool getSectionCount(unsigned &count) = 0;
    virtual bool getSectionNames(std::set<std::wstring> &names) = 0;
    virtual bool getSectionNames(std::set<std::string> &names) = 0;
    virtual bool openSection(const std::wstring &path, IZentrixSettings **section) = 0;
    virtual bool openSection(const std::string &path, IZentrixSettings **section) = 0;
    virtual bool getValueCount(unsigned &count) = 0;
    virtual bool getValueNames(std::set<std::wstring> &names) = 0;
    virtual bool getValueNames(std::set<std::string> &names) = 0;

    virtual bool setQword(const std::wstring &name, std::uint64_t value) = 0;
    virtual bool setQword(const std::string &name, std::uint64_t value) = 0;
    virtual bool setInt(const std::wstring &name, int value) = 0;
    virtual bool setInt(const std::string &name, int value) = 0;
    virtual bool setUInt(const std::wstring &name, unsigned int value) = 0;
    virtual bool setUInt(const std::string &name, unsigned int value) = 0;
    virtual bool setInt64(const std::wstring &name, std::int64_t value) = 0;
    virtual bool setInt64(const std::string &name, std::int64_t value) = 0;
    virtual bool setUInt64(const std::wstring &name, std::uint64_t value) = 0;
    virtual bool setUInt64(const std::string &name, std::uint64_t value) = 0;
    virtual bool setDword(const std::wstring &name, unsigned int value) = 0;
    virtual bool setDword(const std::string &name, unsigned int value) = 0;
    virtual bool setDouble(const std::wstring &name, double value) = 0;
    virtual bool setDouble(const std::string &name, double value) = 0;
    virtual bool setBool(const std::wstring &name, bool value) = 0;
    virtual bool setBool(const std::string &name, bool value) = 0;
    virtual bool setString(const std::wstring &name, const std::string &value) = 0;
    virtual bool setString(const std::string &name, const std::string &value) = 0;
    virtual bool setString(const std::wstring &name, const std::wstring &value) = 0;
    virtual bool setString(const std::string &name, const std::wstring &value) = 0;
    virtual bool setBinary(const std::wstring &name, const void *data, unsigned size) = 0;
    virtual bool setBinary(const std::string &name, const void *data, unsigned size) = 0;

    virtual bool getQword(const std::wstring &name, std::uint64_t &value) = 0;
    virtual bool getQword(const std::string &name, std::uint64_t &value) = 0;
    virtual bool getInt(const std::wstring &name, int &value) = 0;
    virtual bool getInt(const std::string &name, int &value) = 0;
    virtual bool getUInt(const std::wstring &name, unsigned int &value) = 0;
    virtual bool getUInt(const std::string &name, unsigned int &value) = 0;
    virtual bool getInt64(const std::wstring &name, std::int64_t &value) = 0;
    virtual bool getInt64(const std::string &name, std::int64_t &value) = 0;
    virtual bool getUInt64(const std::wstring &name, std::uint64_t &value) = 0;
    virtual bool getUInt64(const std::string &name, std::uint64_t &value) = 0;
    virtual bool getDword(const std::wstring &name, unsigned int &value) = 0;
    virtual bool getDword(const std::string &name, unsigned int &value) = 0;
    virtual bool getDouble(const std::wstring &name, double &value) = 0;
    virtual bool getDouble(const std::string &name, double &value) = 0;
    virtual bool getBool(const std::wstring &name, bool &value) = 0;
    virtual bool getBool(const std::string &name, bool &value) = 0;
    virtual bool getString(const std::wstring &name, std::string &value) = 0;
    virtual bool getString(const std::string &name, std::string &value) = 0;
    virtual bool getString(const std::wstring &name, std::wstring &value) = 0;
    virtual bool getString(const std::string &name, std::wstring &value) = 0;
    virtual bool getBinary(const std::wstring &name, zttl::MemoryBuffer<char> &value) = 0;
    virtual bool getBinary(const std::string &name, zttl::MemoryBuffer<char> &value) = 0;

    virtual bool deleteSection() = 0;
    virtual bool deleteValue(const std::wstring &name) = 0;
    virtual bool deleteValue(const std::string &name) = 0;
};

/*!
    Opens the section at \a path, relative to "SOFTWARE\\Zentrix\\", components
    separated by "/" or "\\". On success *\a section holds one reference that the
    caller releases (zttl::RefCountedPtr::attach takes it over).
*/
MAVLIBRARY_EXPORT bool openSettings(const std::wstring &path, OpenMode mode,
                                    IZentrixSettings **section);
MAVLIBRARY_EXPORT bool openSettings(const std::string &path, OpenMode mode,
                                    IZentrixSettings **section);

} // namespace ztds
