// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/profiles/profilewrapper.h>

#include <map>
#include <string>
#include <vector>

namespace Kapio {
class Context;
}

namespace Quorvex {

class ProfileManagerPrivate;

/*!
    The device profiles of one folder, the active profile and the user's order.

    Each "*.xml" file of the folder (any case of the extension, sub-folders not
    searched) describes one device and is identified by its GUID; files are read
    in name order and a later file replaces an earlier one of the same GUID. A
    file that cannot be read, is not XML, carries a document type declaration or
    has no "guid" is skipped.

    The active profile's GUID and the profiles' positions live in the player's
    settings, group "Profiles": the text "ProfileGUID", and one integer a profile,
    named by its GUID. Pointers handed out stay valid until a later load replaces
    that profile; the active profile is then the new one, never a freed one.

    Made by the first instance() with a context and never destroyed by the
    library. GUI thread only.
*/
class MAVLIBRARY_EXPORT ProfileManager
{
public:
    //! The manager; made with \a context at the first call that gives one.
    //! Null while none exists and \a context is null.
    static ProfileManager *instance(Kapio::Context *context);

    ProfileManager(const ProfileManager &) = delete;
    ProfileManager &operator=(const ProfileManager &) = delete;

    //! Reads the profiles of \a directory; false when it holds no "*.xml" entry.
    bool loadProfiles(const std::wstring &directory);

    ProfileWrapper *getProfile(const std::string &guid) const;
    ProfileWrapper *getActiveProfile() const;
    //! Makes \a profile (or none) active and stores its GUID (or an empty text).
    void setActiveProfile(ProfileWrapper *profile);
    //! False, changing nothing, when no profile has \a guid.
    bool setActiveProfile(const std::string &guid);

    //! Replaces *\a guids by every GUID, in ascending order.
    void getProfileGUIDs(std::vector<std::string> *guids) const;
    /*!
        Replaces *\a guids by the GUIDs of the profiles that have a stored
        position (0 or more), by position. Of two on one position only the greater
        GUID is listed.
    */
    void getProfileGUIDsInOrderBySystemSettings(std::vector<std::string> *guids) const;

    /*!
        The name in \a language, tried as given, then up to its last "@", then up
        to its last "_" ("en_US@euro", "en_US", "en"); empty when none is there,
        for a null profile and for an empty language.
    */
    std::wstring getDisplayName(const ProfileWrapper *profile, const std::string &language) const;
    std::wstring getDisplayName(const ProfileWrapper::DisplayData *display,
                                const std::string &language) const;
    std::wstring getDisplayName(const std::string &guid, const std::string &language) const;

private:
    friend class ProfileManagerPrivate;

    explicit ProfileManager(Kapio::Context *context);
    ~ProfileManager();

    [[maybe_unused]] Kapio::Context *m_context; // the host's; kept, not used
    std::map<std::string, ProfileWrapper *> m_profiles; // by GUID, owned
    ProfileWrapper *m_activeProfile = nullptr;

    static ProfileManager *s_pInstance;
};

} // namespace Quorvex
