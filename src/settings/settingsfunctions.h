// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/settings/izentrixsettings.h>

/*!
    One-call access to a single value: each function opens the section (path
    relative to the scope), makes one IZentrixSettings call and releases the
    section again. The section name has the width of the value name.

    | Functions                   | userSettings ("Settings/") | installSettings ("Install/") |
    |-----------------------------|----------------------------|------------------------------|
    | set...                      | CreateUserOpenMachine (8)  | CreateMachine (9)            |
    | get..., counts, listings    | ReadUserAndMachine (5)     | ReadMachine (6)              |
    | sectionExists               | ReadUserAndMachine (5)     | ReadMachine (6)              |
    | deleteValue                 | OpenUserAndMachine (2)     | OpenMachine (3)              |
    | deleteSection               | OpenUserAndMachine (2)     | none                         |

    So "Settings/" reads see the user's value first and the machine's as default,
    writes go to the user hive; "Install/" lives in the machine hive only.
    An empty section or value name fails.
*/
namespace ztds {

namespace userSettings {

MAVLIBRARY_EXPORT bool setQword(const std::string &section, const std::string &name,
                                std::uint64_t value);
MAVLIBRARY_EXPORT bool setQword(const std::wstring &section, const std::wstring &name,
                                std::uint64_t value);
MAVLIBRARY_EXPORT bool setInt(const std::string &section, const std::string &name, int value);
MAVLIBRARY_EXPORT bool setInt(const std::wstring &section, const std::wstring &name, int value);
MAVLIBRARY_EXPORT bool setUInt(const std::string &section, const std::string &name,
                               unsigned int value);
MAVLIBRARY_EXPORT bool setUInt(const std::wstring &section, const std::wstring &name,
                               unsigned int value);
MAVLIBRARY_EXPORT bool setInt64(const std::string &section, const std::string &name,
                                std::int64_t value);
MAVLIBRARY_EXPORT bool setInt64(const std::wstring &section, const std::wstring &name,
                                std::int64_t value);
MAVLIBRARY_EXPORT bool setUInt64(const std::string &section, const std::string &name,
                                 std::uint64_t value);
MAVLIBRARY_EXPORT bool setUInt64(const std::wstring &section, const std::wstring &name,
                                 std::uint64_t value);
MAVLIBRARY_EXPORT bool setDword(const std::string &section, const std::string &name,
                                unsigned int value);
MAVLIBRARY_EXPORT bool setDword(const std::wstring &section, const std::wstring &name,
                                unsigned int value);
MAVLIBRARY_EXPORT bool setDouble(const std::string &section, const std::string &name, double value);
MAVLIBRARY_EXPORT bool setDouble(const std::wstring &section, const std::wstring &name,
                                 double value);
MAVLIBRARY_EXPORT bool setBool(const std::string &section, const std::string &name, bool value);
MAVLIBRARY_EXPORT bool setBool(const std::wstring &section, const std::wstring &name, bool value);
MAVLIBRARY_EXPORT bool setString(const std::string &section, const std::string &name,
                                 const std::string &value);
MAVLIBRARY_EXPORT bool setString(const std::wstring &section, const std::wstring &name,
                                 const std::string &value);
MAVLIBRARY_EXPORT bool setString(const std::wstring &section, const std::wstring &name,
                                 const std::wstring &value);
MAVLIBRARY_EXPORT bool setString(const std::string &section, const std::string &name,
                                 const std::wstring &value);
MAVLIBRARY_EXPORT bool setBinary(const std::string &section, const std::string &name,
                                 const void *data, unsigned size);
MAVLIBRARY_EXPORT bool setBinary(const std::wstring &section, const std::wstring &name,
                                 const void *data, unsigned size);

MAVLIBRARY_EXPORT bool getQword(const std::string &section, const std::string &name,
                                std::uint64_t &value);
MAVLIBRARY_EXPORT bool getQword(const std::wstring &section, const std::wstring &name,
                                std::uint64_t &value);
MAVLIBRARY_EXPORT bool getInt(const std::string &section, const std::string &name, int &value);
MAVLIBRARY_EXPORT bool getInt(const std::wstring &section, const std::wstring &name, int &value);
MAVLIBRARY_EXPORT bool getUInt(const std::string &section, const std::string &name,
                               unsigned int &value);
MAVLIBRARY_EXPORT bool getUInt(const std::wstring &section, const std::wstring &name,
                               unsigned int &value);
MAVLIBRARY_EXPORT bool getInt64(const std::string &section, const std::string &name,
                                std::int64_t &value);
MAVLIBRARY_EXPORT bool getInt64(const std::wstring &section, const std::wstring &name,
                                std::int64_t &value);
MAVLIBRARY_EXPORT bool getUInt64(const std::string &section, const std::string &name,
                                 std::uint64_t &value);
MAVLIBRARY_EXPORT bool getUInt64(const std::wstring &section, const std::wstring &name,
                                 std::uint64_t &value);
MAVLIBRARY_EXPORT bool getDword(const std::string &section, const std::string &name,
                                unsigned int &value);
MAVLIBRARY_EXPORT bool getDword(const std::wstring &section, const std::wstring &name,
                                unsigned int &value);
MAVLIBRARY_EXPORT bool getDouble(const std::string &section, const std::string &name,
                                 double &value);
MAVLIBRARY_EXPORT bool getDouble(const std::wstring &section, const std::wstring &name,
                                 double &value);
MAVLIBRARY_EXPORT bool getBool(const std::string &section, const std::string &name, bool &value);
MAVLIBRARY_EXPORT bool getBool(const std::wstring &section, const std::wstring &name, bool &value);
MAVLIBRARY_EXPORT bool getString(const std::string &section, const std::string &name,
                                 std::string &value);
MAVLIBRARY_EXPORT bool getString(const std::wstring &section, const std::wstring &name,
                                 std::string &value);
MAVLIBRARY_EXPORT bool getString(const std::wstring &section, const std::wstring &name,
                                 std::wstring &value);
MAVLIBRARY_EXPORT bool getString(const std::string &section, const std::string &name,
                                 std::wstring &value);
MAVLIBRARY_EXPORT bool getBinary(const std::string &section, const std::string &name,
                                 zttl::MemoryBuffer<char> &value);
MAVLIBRARY_EXPORT bool getBinary(const std::wstring &section, const std::wstring &name,
                                 zttl::MemoryBuffer<char> &value);

MAVLIBRARY_EXPORT bool getSectionCount(const std::string &section, unsigned &count);
MAVLIBRARY_EXPORT bool getSectionNames(const std::string &section, std::set<std::string> &names);
MAVLIBRARY_EXPORT bool getValueCount(const std::string &section, unsigned &count);
MAVLIBRARY_EXPORT bool getValueNames(const std::string &section, std::set<std::string> &names);
MAVLIBRARY_EXPORT bool sectionExists(const std::string &section);
MAVLIBRARY_EXPORT bool deleteValue(const std::string &section, const std::string &name);
MAVLIBRARY_EXPORT bool getSectionCount(const std::wstring &section, unsigned &count);
MAVLIBRARY_EXPORT bool getSectionNames(const std::wstring &section, std::set<std::wstring> &names);
MAVLIBRARY_EXPORT bool getValueCount(const std::wstring &section, unsigned &count);
MAVLIBRARY_EXPORT bool getValueNames(const std::wstring &section, std::set<std::wstring> &names);
MAVLIBRARY_EXPORT bool sectionExists(const std::wstring &section);
MAVLIBRARY_EXPORT bool deleteValue(const std::wstring &section, const std::wstring &name);
MAVLIBRARY_EXPORT bool deleteSection(const std::string &section);
MAVLIBRARY_EXPORT bool deleteSection(const std::wstring &section);

} // namespace userSettings

namespace installSettings {

MAVLIBRARY_EXPORT bool setQword(const std::string &section, const std::string &name,
                                std::uint64_t value);
MAVLIBRARY_EXPORT bool setQword(const std::wstring &section, const std::wstring &name,
                                std::uint64_t value);
MAVLIBRARY_EXPORT bool setInt(const std::string &section, const std::string &name, int value);
MAVLIBRARY_EXPORT bool setInt(const std::wstring &section, const std::wstring &name, int value);
MAVLIBRARY_EXPORT bool setUInt(const std::string &section, const std::string &name,
                               unsigned int value);
MAVLIBRARY_EXPORT bool setUInt(const std::wstring &section, const std::wstring &name,
                               unsigned int value);
MAVLIBRARY_EXPORT bool setInt64(const std::string &section, const std::string &name,
                                std::int64_t value);
MAVLIBRARY_EXPORT bool setInt64(const std::wstring &section, const std::wstring &name,
                                std::int64_t value);
MAVLIBRARY_EXPORT bool setUInt64(const std::string &section, const std::string &name,
                                 std::uint64_t value);
MAVLIBRARY_EXPORT bool setUInt64(const std::wstring &section, const std::wstring &name,
                                 std::uint64_t value);
MAVLIBRARY_EXPORT bool setDword(const std::string &section, const std::string &name,
                                unsigned int value);
MAVLIBRARY_EXPORT bool setDword(const std::wstring &section, const std::wstring &name,
                                unsigned int value);
MAVLIBRARY_EXPORT bool setDouble(const std::string &section, const std::string &name, double value);
MAVLIBRARY_EXPORT bool setDouble(const std::wstring &section, const std::wstring &name,
                                 double value);
MAVLIBRARY_EXPORT bool setBool(const std::string &section, const std::string &name, bool value);
MAVLIBRARY_EXPORT bool setBool(const std::wstring &section, const std::wstring &name, bool value);
MAVLIBRARY_EXPORT bool setString(const std::string &section, const std::string &name,
                                 const std::string &value);
MAVLIBRARY_EXPORT bool setString(const std::wstring &section, const std::wstring &name,
                                 const std::string &value);
MAVLIBRARY_EXPORT bool setString(const std::wstring &section, const std::wstring &name,
                                 const std::wstring &value);
MAVLIBRARY_EXPORT bool setString(const std::string &section, const std::string &name,
                                 const std::wstring &value);
MAVLIBRARY_EXPORT bool setBinary(const std::string &section, const std::string &name,
                                 const void *data, unsigned size);
MAVLIBRARY_EXPORT bool setBinary(const std::wstring &section, const std::wstring &name,
                                 const void *data, unsigned size);

MAVLIBRARY_EXPORT bool getQword(const std::string &section, const std::string &name,
                                std::uint64_t &value);
MAVLIBRARY_EXPORT bool getQword(const std::wstring &section, const std::wstring &name,
                                std::uint64_t &value);
MAVLIBRARY_EXPORT bool getInt(const std::string &section, const std::string &name, int &value);
MAVLIBRARY_EXPORT bool getInt(const std::wstring &section, const std::wstring &name, int &value);
MAVLIBRARY_EXPORT bool getUInt(const std::string &section, const std::string &name,
                               unsigned int &value);
MAVLIBRARY_EXPORT bool getUInt(const std::wstring &section, const std::wstring &name,
                               unsigned int &value);
MAVLIBRARY_EXPORT bool getInt64(const std::string &section, const std::string &name,
                                std::int64_t &value);
MAVLIBRARY_EXPORT bool getInt64(const std::wstring &section, const std::wstring &name,
                                std::int64_t &value);
MAVLIBRARY_EXPORT bool getUInt64(const std::string &section, const std::string &name,
                                 std::uint64_t &value);
MAVLIBRARY_EXPORT bool getUInt64(const std::wstring &section, const std::wstring &name,
                                 std::uint64_t &value);
MAVLIBRARY_EXPORT bool getDword(const std::string &section, const std::string &name,
                                unsigned int &value);
MAVLIBRARY_EXPORT bool getDword(const std::wstring &section, const std::wstring &name,
                                unsigned int &value);
MAVLIBRARY_EXPORT bool getDouble(const std::string &section, const std::string &name,
                                 double &value);
MAVLIBRARY_EXPORT bool getDouble(const std::wstring &section, const std::wstring &name,
                                 double &value);
MAVLIBRARY_EXPORT bool getBool(const std::string &section, const std::string &name, bool &value);
MAVLIBRARY_EXPORT bool getBool(const std::wstring &section, const std::wstring &name, bool &value);
MAVLIBRARY_EXPORT bool getString(const std::string &section, const std::string &name,
                                 std::string &value);
MAVLIBRARY_EXPORT bool getString(const std::wstring &section, const std::wstring &name,
                                 std::string &value);
MAVLIBRARY_EXPORT bool getString(const std::wstring &section, const std::wstring &name,
                                 std::wstring &value);
MAVLIBRARY_EXPORT bool getString(const std::string &section, const std::string &name,
                                 std::wstring &value);
MAVLIBRARY_EXPORT bool getBinary(const std::string &section, const std::string &name,
                                 zttl::MemoryBuffer<char> &value);
MAVLIBRARY_EXPORT bool getBinary(const std::wstring &section, const std::wstring &name,
                                 zttl::MemoryBuffer<char> &value);

MAVLIBRARY_EXPORT bool getSectionCount(const std::string &section, unsigned &count);
MAVLIBRARY_EXPORT bool getSectionNames(const std::string &section, std::set<std::string> &names);
MAVLIBRARY_EXPORT bool getValueCount(const std::string &section, unsigned &count);
MAVLIBRARY_EXPORT bool getValueNames(const std::string &section, std::set<std::string> &names);
MAVLIBRARY_EXPORT bool sectionExists(const std::string &section);
MAVLIBRARY_EXPORT bool deleteValue(const std::string &section, const std::string &name);
MAVLIBRARY_EXPORT bool getSectionCount(const std::wstring &section, unsigned &count);
MAVLIBRARY_EXPORT bool getSectionNames(const std::wstring &section, std::set<std::wstring> &names);
MAVLIBRARY_EXPORT bool getValueCount(const std::wstring &section, unsigned &count);
MAVLIBRARY_EXPORT bool getValueNames(const std::wstring &section, std::set<std::wstring> &names);
MAVLIBRARY_EXPORT bool sectionExists(const std::wstring &section);
MAVLIBRARY_EXPORT bool deleteValue(const std::wstring &section, const std::wstring &name);

} // namespace installSettings

} // namespace ztds
