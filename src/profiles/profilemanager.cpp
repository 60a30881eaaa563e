// SPDX-License-Identifier: LGPL-2.1-or-later
#include "profilemanager_p.h"
#include "profileslogging_p.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/settings/izentrixsettings.h>
#include <MavLibrary/settings/playersettings.h>
#include <MavLibrary/settings/refcounted.h>
#include <MavLibrary/text/utfconversion.h>

#include "text/movieextensions_p.h"

#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <cstring>

namespace Quorvex {

ProfileManager *ProfileManager::s_pInstance = nullptr;

namespace {

// "Profiles" in the player's section: "ProfileGUID" and the positions.
constexpr SettingId ActiveProfileSetting = ProfileGUID;

bool hasXmlExtension(const char *name)
{
    const char *dot = std::strrchr(name, '.');
    return dot && strcasecmp(dot + 1, "xml") == 0;
}

/*
    The names of the entries directly in \a directory whose extension is "xml" in
    any case, sorted, so that of two files with one GUID the same one always wins.
    Entries of any type are listed; reading refuses what is not a regular file.
*/
struct ListedFile
{
    std::string name;
    bool regular; // known to be a regular file; otherwise not known

    bool operator<(const ListedFile &other) const { return name < other.name; }
};

std::vector<ListedFile> listProfileFiles(const std::string &directory)
{
    std::vector<ListedFile> files;
    DIR *folder = ::opendir(directory.c_str());
    if (!folder)
        return files;
    while (const dirent *entry = ::readdir(folder)) {
        const std::size_t length = std::strlen(entry->d_name);
        if (length == 0 || entry->d_name[length - 1] == '.' || !hasXmlExtension(entry->d_name))
            continue;
        files.push_back({std::string(entry->d_name, length), entry->d_type == DT_REG});
    }
    ::closedir(folder);
    std::sort(files.begin(), files.end());
    return files;
}

// Looks up \a language as given, up to its last '@', then up to its last '_'.
std::wstring nameIn(const std::map<std::string, std::wstring> &names, const std::string &language)
{
    if (language.empty())
        return {};
    auto found = names.find(language);
    for (const char separator : {'@', '_'}) {
        if (found != names.end())
            break;
        const std::size_t at = language.rfind(separator);
        if (at != std::string::npos)
            found = names.find(language.substr(0, at));
    }
    return found != names.end() ? found->second : std::wstring();
}

/*
    The movie extension list of the text layer: in reference-player mode the
    groups the active profile's versions allow, every group when no profile is
    active or it names no version.
*/
int movieExtensionGroups()
{
    static const bool reference = OSUtilities::getPlatform() == OSUtilities::PRef;
    if (!reference)
        return MovieExtensionGroups::All;
    using V = ProfileWrapper::VersionBit;
    ProfileManager *manager = ProfileManager::instance(nullptr);
    const ProfileWrapper *active = manager ? manager->getActiveProfile() : nullptr;
    const unsigned versions = active ? active->versions : 0;
    int groups = 0;
    if (versions == 0 || (versions & (V::Version0 | V::Version2)))
        groups |= MovieExtensionGroups::ReferenceA;
    if (versions == 0 || (versions & V::Version3))
        groups |= MovieExtensionGroups::ReferenceB;
    return groups;
}

// Registered while the library loads, before any caller can ask for the list.
[[maybe_unused]] const bool s_movieSourceRegistered =
    (setMovieExtensionSource(movieExtensionGroups), true);

} // namespace

ProfileManager::ProfileManager(Kapio::Context *context)
    : m_context(context)
{ }

ProfileManager::~ProfileManager()
{
    for (const auto &[guid, profile] : m_profiles)
        delete profile;
    m_profiles.clear();
    m_activeProfile = nullptr;
}

ProfileManager *ProfileManager::instance(Kapio::Context *context)
{
    if (!s_pInstance && context)
        s_pInstance = new ProfileManager(context);
    return s_pInstance;
}

bool ProfileManager::loadProfiles(const std::wstring &directory)
{
    return ProfileManagerPrivate::loadProfiles(this, directory, nullptr);
}

bool ProfileManagerPrivate::loadProfiles(ProfileManager *manager, const std::wstring &directory,
                                         std::vector<SkippedProfile> *skipped)
{
    std::string localPrefix = ztds::wideToUtf8(directory);
    const std::vector<ListedFile> files = listProfileFiles(localPrefix);
    if (files.empty())
        return false;
    const std::string activeGuid = PlayerSettings::getString(ActiveProfileSetting).toStdString();
    std::wstring prefix = directory;
    if (prefix.empty() || prefix.back() != L'/') {
        prefix += L'/';
        localPrefix += '/';
    }

    std::string buffer;
    for (const ListedFile &file : files) {
        const std::wstring path = prefix + ztds::utf8ToWide(file.name);
        std::string reason;
        std::unique_ptr<ProfileWrapper> parsed =
            ProfileParser::parseFile(path, localPrefix + file.name, file.regular, buffer, &reason);
        if (!parsed) {
            qCInfo(lcProfiles, "skipped %s: %s", ztds::wideToUtf8(path).c_str(), reason.c_str());
            if (skipped)
                skipped->push_back({path, reason});
            continue;
        }
        ProfileWrapper *profile = parsed.release();
        ProfileWrapper *&slot = manager->m_profiles[profile->guid];
        // The replaced profile is freed; the active pointer must never be left on it.
        if (slot) {
            if (manager->m_activeProfile == slot)
                manager->m_activeProfile = profile;
            delete slot;
        }
        slot = profile;
        if (profile->guid == activeGuid)
            manager->m_activeProfile = profile;
    }
    return true;
}

void ProfileManagerPrivate::destroyInstance()
{
    delete ProfileManager::s_pInstance;
    ProfileManager::s_pInstance = nullptr;
}

ProfileWrapper *ProfileManager::getProfile(const std::string &guid) const
{
    const auto found = m_profiles.find(guid);
    return found != m_profiles.end() ? found->second : nullptr;
}

ProfileWrapper *ProfileManager::getActiveProfile() const
{
    return m_activeProfile;
}

void ProfileManager::setActiveProfile(ProfileWrapper *profile)
{
    m_activeProfile = profile;
    PlayerSettings::setString(ActiveProfileSetting,
                              profile ? QString::fromStdString(profile->guid) : QString());
}

bool ProfileManager::setActiveProfile(const std::string &guid)
{
    ProfileWrapper *profile = getProfile(guid);
    if (!profile)
        return false;
    setActiveProfile(profile);
    return true;
}

void ProfileManager::getProfileGUIDs(std::vector<std::string> *guids) const
{
    guids->clear();
    for (const auto &[guid, profile] : m_profiles)
        guids->push_back(guid);
}

void ProfileManager::getProfileGUIDsInOrderBySystemSettings(std::vector<std::string> *guids) const
{
    guids->clear();
    zttl::RefCountedPtr<ztds::IZentrixSettings> section;
    ztds::IZentrixSettings *opened = nullptr;
    if (!ztds::openSettings("Settings/" + PlayerSettings::sectionPath(ActiveProfileSetting),
                            ztds::ReadUserAndMachine, &opened))
        return;
    section.attach(opened);
    // Position -> GUID, in ascending GUID order so that the greater GUID takes a
    // shared position. A map, not a table of position + 1 slots: a stored
    // position is any number a user or a tool wrote.
    std::map<int, std::string> byPosition;
    for (const auto &[guid, profile] : m_profiles) {
        int position = -1;
        section->getInt(guid, position);
        if (position >= 0)
            byPosition[position] = guid;
    }
    for (const auto &[position, guid] : byPosition)
        guids->push_back(guid);
}

std::wstring ProfileManager::getDisplayName(const ProfileWrapper *profile,
                                            const std::string &language) const
{
    return profile ? nameIn(profile->displayNames, language) : std::wstring();
}

std::wstring ProfileManager::getDisplayName(const ProfileWrapper::DisplayData *display,
                                            const std::string &language) const
{
    return display ? nameIn(display->names, language) : std::wstring();
}

std::wstring ProfileManager::getDisplayName(const std::string &guid,
                                            const std::string &language) const
{
    return getDisplayName(getProfile(guid), language);
}

} // namespace Quorvex
