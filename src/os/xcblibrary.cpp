// SPDX-License-Identifier: LGPL-2.1-or-later
#include "xcblibrary_p.h"
#include "oslogging_p.h"

#include <QByteArray>

#include <cstdlib>
#include <dlfcn.h>
#include <type_traits>

namespace Quorvex {

XcbLibrary::~XcbLibrary()
{
    if (m_connection)
        m_disconnect(m_connection);
    if (m_module)
        dlclose(m_module);
}

bool XcbLibrary::load(const char *fileName)
{
    m_module = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!m_module) {
        qCDebug(lcOs) << "cannot load" << fileName << dlerror();
        return false;
    }
    bool complete = true;
    auto resolve = [&](auto &function, const char *name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(m_module, name));
        if (!function) {
            qCDebug(lcOs) << fileName << "lacks" << name;
            complete = false;
        }
    };
    resolve(m_connect, "xcb_connect");
    resolve(m_disconnect, "xcb_disconnect");
    resolve(m_hasError, "xcb_connection_has_error");
    resolve(m_getSetup, "xcb_get_setup");
    resolve(m_rootsIterator, "xcb_setup_roots_iterator");
    resolve(m_screenNext, "xcb_screen_next");
    resolve(m_internAtom, "xcb_intern_atom");
    resolve(m_internAtomReply, "xcb_intern_atom_reply");
    resolve(m_getSelectionOwner, "xcb_get_selection_owner");
    resolve(m_getSelectionOwnerReply, "xcb_get_selection_owner_reply");
    resolve(m_getProperty, "xcb_get_property");
    resolve(m_getPropertyReply, "xcb_get_property_reply");
    resolve(m_getPropertyValue, "xcb_get_property_value");
    resolve(m_getPropertyValueLength, "xcb_get_property_value_length");
    resolve(m_changePropertyChecked, "xcb_change_property_checked");
    resolve(m_deletePropertyChecked, "xcb_delete_property_checked");
    resolve(m_requestCheck, "xcb_request_check");
    if (!complete)
        return false;

    // A connection of our own: Qt's may be in use on another thread, and ours
    // lives exactly as long as the module stays loaded.
    xcb_connection_t *connection = m_connect(nullptr, &m_screenNumber);
    if (!connection || m_hasError(connection)) {
        qCDebug(lcOs) << "cannot connect to the X server";
        if (connection)
            m_disconnect(connection);
        return false;
    }
    xcb_screen_iterator_t screens = m_rootsIterator(m_getSetup(connection));
    for (int i = 0; i < m_screenNumber && screens.rem > 0; ++i)
        m_screenNext(&screens);
    if (screens.rem <= 0 || !screens.data) {
        m_disconnect(connection);
        return false;
    }
    m_root = screens.data->root;
    m_connection = connection;
    return true;
}

xcb_atom_t XcbLibrary::atom(const char *name)
{
    const QByteArray text(name);
    xcb_intern_atom_reply_t *reply = m_internAtomReply(
        m_connection, m_internAtom(m_connection, 0, uint16_t(text.size()), text.constData()),
        nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

bool XcbLibrary::check(xcb_void_cookie_t cookie, const char *what)
{
    xcb_generic_error_t *error = m_requestCheck(m_connection, cookie);
    if (!error)
        return true;
    qCDebug(lcOs) << what << "failed with X error" << error->error_code;
    std::free(error);
    return false;
}

bool XcbLibrary::compositionEnabled()
{
    if (!m_connection)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(m_screenNumber);
    const xcb_atom_t selection = atom(name.constData());
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t *reply = m_getSelectionOwnerReply(
        m_connection, m_getSelectionOwner(m_connection, selection), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

bool XcbLibrary::rootSupports(const char *atomName)
{
    if (!m_connection)
        return false;
    const xcb_atom_t supported = atom("_NET_SUPPORTED");
    const xcb_atom_t wanted = atom(atomName);
    if (supported == XCB_ATOM_NONE || wanted == XCB_ATOM_NONE)
        return false;
    bool found = false;
    // Read the list in pieces, as long as the server says more is left.
    for (uint32_t offset = 0; !found;) {
        xcb_get_property_reply_t *reply = m_getPropertyReply(
            m_connection,
            m_getProperty(m_connection, 0, m_root, supported, XCB_ATOM_ATOM, offset, 1024),
            nullptr);
        if (!reply)
            break;
        const bool usable = reply->type == XCB_ATOM_ATOM && reply->format == 32;
        const int count = usable ? m_getPropertyValueLength(reply) / 4 : 0;
        const auto *atoms = static_cast<const xcb_atom_t *>(m_getPropertyValue(reply));
        for (int i = 0; i < count && !found; ++i)
            found = atoms[i] == wanted;
        const uint32_t left = reply->bytes_after;
        std::free(reply);
        if (!usable || left == 0 || count == 0)
            break;
        offset += uint32_t(count);
    }
    return found;
}

bool XcbLibrary::setCardinalProperty(std::uint32_t window, const char *name,
                                     const std::vector<std::uint32_t> &values)
{
    if (!m_connection)
        return false;
    const xcb_atom_t property = atom(name);
    if (property == XCB_ATOM_NONE)
        return false;
    return check(m_changePropertyChecked(m_connection, XCB_PROP_MODE_REPLACE, window, property,
                                         XCB_ATOM_CARDINAL, 32, uint32_t(values.size()),
                                         values.data()),
                 name);
}

bool XcbLibrary::deleteProperty(std::uint32_t window, const char *name)
{
    if (!m_connection)
        return false;
    const xcb_atom_t property = atom(name);
    if (property == XCB_ATOM_NONE)
        return false;
    return check(m_deletePropertyChecked(m_connection, window, property), name);
}

} // namespace Quorvex
