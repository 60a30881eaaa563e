// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <QStringList>

#include <vector>

class QAction;
class QObject;

namespace Kapio {
class Plugin;
}

namespace Quorvex {

class ShortcutManager;

//! What the document said of one action of a parsed manager (mavctl shortcuts).
struct ShortcutEntry
{
    struct Target
    {
        //! With Qt's code prefix: "1slot()" or "2signal()".
        QString signature;
        bool connected = false;
    };

    QAction *action = nullptr;
    //! The menu item id for an action of the set "Menu", else 0.
    unsigned int menuItem = 0;
    QList<Target> targets;
    //! As listed; empty means "All".
    QStringList subContexts;
};

//! ShortcutParser::parseShortcuts() that also appends to \a entries what each
//! action of the manager came from, in document order.
MAVLIBRARY_INTERNAL_EXPORT ShortcutManager *
parseDescribedShortcuts(Kapio::Plugin *plugin, QObject *actionParent,
                        std::vector<ShortcutEntry> *entries);

} // namespace Quorvex
