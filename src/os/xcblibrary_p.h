// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

namespace Quorvex {

/*
    Stands where dwmapi.dll stood: libxcb, opened with dlopen when the application
    runs on X11 and closed again when the last user is done, so the library never
    links it and runs on machines without it. Only the calls the window-system
    effects need are resolved; the xcb headers give their types only.
*/
class XcbLibrary
{
public:
    XcbLibrary() = default;
    ~XcbLibrary();
    XcbLibrary(const XcbLibrary &) = delete;
    XcbLibrary &operator=(const XcbLibrary &) = delete;

    //! Opens the library (\a fileName) and a connection to the default display.
    bool load(const char *fileName = "libxcb.so.1");
    bool isLoaded() const { return m_connection != nullptr; }

    //! Whether the selection _NET_WM_CM_S<screen> has an owner.
    bool compositionEnabled();
    //! Whether the root window's _NET_SUPPORTED lists \a atomName.
    bool rootSupports(const char *atomName);
    //! Sets a CARDINAL/32 property on \a window; true when the server took it.
    bool setCardinalProperty(std::uint32_t window, const char *name,
                             const std::vector<std::uint32_t> &values);
    //! Deletes a property of \a window; true when the server took the request.
    bool deleteProperty(std::uint32_t window, const char *name);

private:
    xcb_atom_t atom(const char *name);
    bool check(xcb_void_cookie_t cookie, const char *what);

    void *m_module = nullptr;
    xcb_connection_t *m_connection = nullptr;
    int m_screenNumber = 0;
    xcb_window_t m_root = 0;

    decltype(&xcb_connect) m_connect = nullptr;
    decltype(&xcb_disconnect) m_disconnect = nullptr;
    decltype(&xcb_connection_has_error) m_hasError = nullptr;
    decltype(&xcb_get_setup) m_getSetup = nullptr;
    decltype(&xcb_setup_roots_iterator) m_rootsIterator = nullptr;
    decltype(&xcb_screen_next) m_screenNext = nullptr;
    decltype(&xcb_intern_atom) m_internAtom = nullptr;
    decltype(&xcb_intern_atom_reply) m_internAtomReply = nullptr;
    decltype(&xcb_get_selection_owner) m_getSelectionOwner = nullptr;
    decltype(&xcb_get_selection_owner_reply) m_getSelectionOwnerReply = nullptr;
    decltype(&xcb_get_property) m_getProperty = nullptr;
    decltype(&xcb_get_property_reply) m_getPropertyReply = nullptr;
    decltype(&xcb_get_property_value) m_getPropertyValue = nullptr;
    decltype(&xcb_get_property_value_length) m_getPropertyValueLength = nullptr;
    decltype(&xcb_change_property_checked) m_changePropertyChecked = nullptr;
    decltype(&xcb_delete_property_checked) m_deletePropertyChecked = nullptr;
    decltype(&xcb_request_check) m_requestCheck = nullptr;
};

} // namespace Quorvex
