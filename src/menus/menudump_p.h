// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"
#include "menus/menu.h"

#include <QJsonArray>
#include <QStringList>

/*!
    The menu model as a plug-in author wants to see it (mavctl menus): every menu
    with its title and menu-level slots, and every entry with its id, kind, text,
    shortcut and context, slot (as the document wrote it, without Qt's code prefix),
    group, data and type, flags and owning plug-in.
*/
namespace Quorvex::MenuDump {

//! The document's name of a shortcut context ("window", ...).
MAVLIBRARY_INTERNAL_EXPORT QString shortcutContextName(Qt::ShortcutContext context);
//! One object a menu, entries (and a submenu's entries) in display order.
MAVLIBRARY_INTERNAL_EXPORT QJsonArray toJson(const MenuMap &menus);
//! The same as indented lines, two spaces a level:
//!   menu 3 "&Playback" plugin=sampleplayback
//!     slot playbackMenuTriggered(QAction*) plugin=sampleplayback
//!     item 10 "&Play" shortcut=Ctrl+P context=application slot=play() data=10 type=uint
//!     plugin=...
MAVLIBRARY_INTERNAL_EXPORT QStringList toText(const QJsonArray &menus);

} // namespace Quorvex::MenuDump
