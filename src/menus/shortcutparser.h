// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

class QObject;

namespace Kapio {
class Plugin;
}

namespace Quorvex {

class ShortcutManager;

/*!
    Reads the shortcut description in a plug-in's property document: the
    `<shortcuts>` section of its `<quorvex>` element, where each `<item>` makes one
    action (name, shortcut, signal or slot of the plug-in's object, value,
    sub-contexts), and the ids of the `<menus>` items, whose actions join the set
    "Menu" (those that CommonMenuBar has linked by then). GUI thread only.
*/
class MAVLIBRARY_EXPORT ShortcutParser
{
public:
    /*!
        A new manager, owned by the caller, over new actions whose Qt parent is
        \a actionParent, connected to the menu object of \a plugin (which must
        stay loaded for them to reach it). Empty when the plug-in has no menu
        interface or object. A document that fails to parse gives what was
        complete before the failure.
    */
    static ShortcutManager *parseShortcuts(Kapio::Plugin *plugin, QObject *actionParent);
};

} // namespace Quorvex
