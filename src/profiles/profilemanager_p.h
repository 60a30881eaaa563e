// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"
#include "profilemanager.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace Quorvex {

//! A file of a profile folder that gave no profile, and why.
struct SkippedProfile
{
    std::wstring path;
    std::string reason;
};

class MAVLIBRARY_INTERNAL_EXPORT ProfileManagerPrivate
{
public:
    //! ProfileManager::loadProfiles, telling which files it skipped and why.
    static bool loadProfiles(ProfileManager *manager, const std::wstring &directory,
                             std::vector<SkippedProfile> *skipped);
    //! Deletes the manager, so that a test case starts without one.
    static void destroyInstance();
};

namespace ProfileParser {

/*!
    Reads the profile file at \a path whole and parses it. Null, with the reason
    in \a error, when the file cannot be read, is not a regular file, is larger
    than UntrustedXml::MaximumSize, or gives no profile.
*/
MAVLIBRARY_INTERNAL_EXPORT std::unique_ptr<ProfileWrapper> parseFile(const std::wstring &path,
                                                                     std::string *error);
//! The same, with the path also as the file system's bytes (UTF-8); \a regularFile
//! when a listing has just said so, which saves looking the path up twice. The
//! text is read into \a buffer, which a caller reading many files keeps.
std::unique_ptr<ProfileWrapper> parseFile(const std::wstring &path, const std::string &localPath,
                                          bool regularFile, std::string &buffer,
                                          std::string *error);
//! Parses the \a size bytes at \a data, read from \a path (which names the
//! profile's directory and file).
MAVLIBRARY_INTERNAL_EXPORT std::unique_ptr<ProfileWrapper>
parse(const char *data, std::size_t size, const std::wstring &path, std::string *error);

} // namespace ProfileParser

} // namespace Quorvex
