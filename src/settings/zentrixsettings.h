// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/settings/izentrixsettings.h>

#include <map>
#include <memory>

namespace ztds {

namespace registry {
class Key;
}

/*!
    The settings section on the registry store: a key in the user hive, the
    machine hive or both (see OpenMode), opened on first use and kept open until
    the section dies or deleteSection() runs. A section keeps the sub-sections it
    opened (m_children) alive; a child holds no reference to its parent.
    Not thread-safe: one thread at a time.
*/
class MAVLIBRARY_EXPORT ZentrixSettings : public IZentrixSettings
{
public:
    enum Root { NoRoot, UserRoot, MachineRoot };

    ZentrixSettings(const std::wstring &name, OpenMode mode, ZentrixSettings *parent = nullptr);
    ~ZentrixSettings() override;
    ZentrixSettings(const ZentrixSettings &) = delete;
    ZentrixSettings &operator=(const ZentrixSettings &) = delete;

    int addRef() override;
    int release() override;
    int refCount() const override;

    bool getName(std::wstring &name) override;
    bool getName(std::string &name) override;
    bool getSectionCount(unsigned &count) override;
    bool getSectionNames(std::set<std::wstring> &names) override;
    bool getSectionNames(std::set<std::string> &names) override;
    bool openSection(const std::wstring &path, IZentrixSettings **section) override;
    bool openSection(const std::string &path, IZentrixSettings **section) override;
    bool getValueCount(unsigned &count) override;
    bool getValueNames(std::set<std::wstring> &names) override;
    bool getValueNames(std::set<std::string> &names) override;

    bool setQword(const std::wstring &name, std::uint64_t value) override;
    bool setQword(const std::string &name, std::uint64_t value) override;
    bool setInt(const std::wstring &name, int value) override;
    bool setInt(const std::string &name, int value) override;
    bool setUInt(const std::wstring &name, unsigned int value) override;
    bool setUInt(const std::string &name, unsigned int value) override;
    bool setInt64(const std::wstring &name, std::int64_t value) override;
    bool setInt64(const std::string &name, std::int64_t value) override;
    bool setUInt64(const std::wstring &name, std::uint64_t value) override;
    bool setUInt64(const std::string &name, std::uint64_t value) override;
    bool setDword(const std::wstring &name, unsigned int value) override;
    bool setDword(const std::string &name, unsigned int value) override;
    bool setDouble(const std::wstring &name, double value) override;
    bool setDouble(const std::string &name, double value) override;
    bool setBool(const std::wstring &name, bool value) override;
    bool setBool(const std::string &name, bool value) override;
    bool setString(const std::wstring &name, const std::string &value) override;
    bool setString(const std::string &name, const std::string &value) override;
    bool setString(const std::wstring &name, const std::wstring &value) override;
    bool setString(const std::string &name, const std::wstring &value) override;
    bool setBinary(const std::wstring &name, const void *data, unsigned size) override;
    bool setBinary(const std::string &name, const void *data, unsigned size) override;

    bool getQword(const std::wstring &name, std::uint64_t &value) override;
    bool getQword(const std::string &name, std::uint64_t &value) override;
    bool getInt(const std::wstring &name, int &value) override;
    bool getInt(const std::string &name, int &value) override;
    bool getUInt(const std::wstring &name, unsigned int &value) override;
    bool getUInt(const std::string &name, unsigned int &value) override;
    bool getInt64(const std::wstring &name, std::int64_t &value) override;
    bool getInt64(const std::string &name, std::int64_t &value) override;
    bool getUInt64(const std::wstring &name, std::uint64_t &value) override;
    bool getUInt64(const std::string &name, std::uint64_t &value) override;
    bool getDword(const std::wstring &name, unsigned int &value) override;
    bool getDword(const std::string &name, unsigned int &value) override;
    bool getDouble(const std::wstring &name, double &value) override;
    bool getDouble(const std::string &name, double &value) override;
    bool getBool(const std::wstring &name, bool &value) override;
    bool getBool(const std::string &name, bool &value) override;
    bool getString(const std::wstring &name, std::string &value) override;
    bool getString(const std::string &name, std::string &value) override;
    bool getString(const std::wstring &name, std::wstring &value) override;
    bool getString(const std::string &name, std::wstring &value) override;
    bool getBinary(const std::wstring &name, zttl::MemoryBuffer<char> &value) override;
    bool getBinary(const std::string &name, zttl::MemoryBuffer<char> &value) override;

    bool deleteSection() override;
    bool deleteValue(const std::wstring &name) override;
    bool deleteValue(const std::string &name) override;

private:
    friend bool openSettingsBelow(const std::wstring &, OpenMode, ZentrixSettings *,
                                  IZentrixSettings **);
    friend struct LookupSection;

    bool openKeys();
    void closeKeys();
    registry::Key *primaryKey() const;
    registry::Key *secondaryKey() const;
    bool queryValue(const std::wstring &name, unsigned expectedType, std::size_t expectedSize,
                    std::string &data);
    bool queryQword(const std::wstring &name, std::uint64_t &value);
    bool setValue(const std::wstring &name, unsigned type, const std::string &data);
    bool listNames(bool sections, std::set<std::wstring> &names);
    template<class Accept>
    MAVLIBRARY_NO_EXPORT bool readFirst(const std::wstring &name, Accept accept, std::string &data);

    int m_refCount = 0;
    std::wstring m_path;
    std::wstring m_name;
    OpenMode m_mode;
    Root m_activeRoot = NoRoot;
    std::unique_ptr<registry::Key> m_userKey;
    std::unique_ptr<registry::Key> m_machineKey;
    std::map<std::wstring, zttl::RefCountedPtr<IZentrixSettings>> m_children;
    bool m_lookupOnly = false; // a single read: no keys, values read from the hives directly
};

} // namespace ztds
