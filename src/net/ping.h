// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/net/http/httperrorids.h>

#include <string>

class PingSender;

/*!
    One queued ping: the URL, the caller's id, and the outcome once it was sent.

    The ping manager creates it, sends it, hands it to the sender's
    PingSender::pingCompleted() and deletes it when that returns.
*/
class MAVLIBRARY_EXPORT Ping
{
public:
    Ping() = default;
    Ping(const Ping &) = default;
    Ping &operator=(const Ping &) = default;

    unsigned int getID() const { return m_id; }
    std::string getURL() const { return m_url; }
    //! HttpAborted until the ping was sent, then the request's outcome.
    ztsc::HttpErrorIds getResult() const { return m_result; }

protected:
    //! Sets the URL, the sender and the id; the result stays as it is.
    void init(const std::string &url, PingSender *sender, unsigned int id)
    {
        m_url = url;
        m_sender = sender;
        m_id = id;
    }
    PingSender *getSender() const { return m_sender; }
    void setResult(ztsc::HttpErrorIds result) { m_result = result; }

private:
    friend class PingManager;

    std::string m_url;
    unsigned int m_id = 0;
    ztsc::HttpErrorIds m_result = ztsc::HttpAborted;
    PingSender *m_sender = nullptr; // not owned
};
