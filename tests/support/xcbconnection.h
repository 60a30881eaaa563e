// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace MavTest {

/*!
    A test's own connection to the X server under test, apart from Qt's, to look
    at or change what the server holds. The test links xcb.
*/
class XcbConnection
{
public:
    XcbConnection() = default;
    XcbConnection(const XcbConnection &) = delete;
    XcbConnection &operator=(const XcbConnection &) = delete;
    ~XcbConnection()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
    }

    bool connect()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        return !xcb_connection_has_error(m_connection);
    }

    xcb_connection_t *connection() const { return m_connection; }
    xcb_window_t root() const
    {
        return xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    }

    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return result;
    }

    //! A round trip: everything sent before has reached the server.
    void sync()
    {
        std::free(
            xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

private:
    xcb_connection_t *m_connection = nullptr;
};

} // namespace MavTest
