// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

class Ping;

/*!
    Receives the outcome of pings. Derive from it and implement pingCompleted().

    pingCompleted() runs on the ping manager's worker thread, once for every ping
    sent with this sender; the ping is deleted when it returns, so keep what you
    need, not the pointer. A receiver that touches widgets hands the result over to
    the GUI thread. A queued ping cannot be withdrawn: the sender stays valid until
    all its pings were reported (PingManager::shutdown() waits for them).
*/
class MAVLIBRARY_EXPORT PingSender
{
public:
    PingSender() = default;
    PingSender(const PingSender &) = default;
    PingSender &operator=(const PingSender &) = default;
    virtual ~PingSender();

    //! Does what PingManager::sendPing() does; \a sender, not this object, gets the result.
    void sendPing(const char *url, PingSender *sender, unsigned int id);

    virtual void pingCompleted(Ping *ping) = 0;
};
