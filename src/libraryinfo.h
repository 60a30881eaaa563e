// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/mavlibraryconfig.h>

#include <QString>

namespace Quorvex {

/*!
    What the library is and what it runs on: its own version and the run-time
    versions of the libraries underneath it. \threadsafe
*/
class MAVLIBRARY_EXPORT LibraryInfo
{
public:
    LibraryInfo() = delete;

    //! The library's version, "major.minor.patch".
    static QString version();
    //! Qt's version at run time.
    static QString qtVersion();
    //! OpenSSL's version text at run time ("OpenSSL 3.0.x ...").
    static QString openSslVersion();
    //! SQLite's version at run time.
    static QString sqliteVersion();
};

} // namespace Quorvex
