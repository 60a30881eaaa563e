// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

namespace Quorvex {

/*!
    Starts the media server, the companion program that shares the user's media
    on the home network, detached from the player. Its executable is the
    "InstallPath" of "ZentrixMediaServer" in the installation settings.

    \threadsafe
*/
class MAVLIBRARY_EXPORT ZentrixMediaServer
{
public:
    ZentrixMediaServer() = delete;

    //! Starts it with "-config": 0 when it is not installed, 1 when it could not
    //! be started, 2 when it was.
    static int launchZMS();
};

} // namespace Quorvex
