// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

//! What mavctl and the tests adjust and observe of the ping manager.
class MAVLIBRARY_INTERNAL_EXPORT PingManagerPrivate
{
public:
    //! Bounds each step of every ping (milliseconds); 0: the HTTP client's own limit.
    static void setTimeout(int milliseconds);
    static int timeout();
    //! Bounds the whole exchange of every ping (milliseconds; 30 s by default).
    static void setDeadline(int milliseconds);
    static int deadline();
    //! How many ping managers exist.
    static int managerCount();
    //! Whether the current manager's worker thread is running.
    static bool isWorkerRunning();
};
