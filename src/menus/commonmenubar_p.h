// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"
#include "menus/commonmenubar.h"

#include <QList>
#include <QPointer>
#include <QSet>

class QStyle;

namespace Quorvex {

//! The state of CommonMenuBar beyond its own tables, and what tests,
//! benchmarks and mavctl need to start again or to look inside.
class MAVLIBRARY_INTERNAL_EXPORT CommonMenuBarPrivate
{
public:
    //! Forgets everything (instances, proxies with their menus, the model and
    //! its actions) as if the process had just started; the menu bars stay with
    //! their widgets. The proxies of the model's entries are deleted later.
    static void reset();
    static int instanceCount();
    //! The windows that show menu \a id (the menus of its proxy).
    static int menuCount(unsigned int id);

    //! Menu bars in the order they were made: new menus go into them in this order.
    static QList<QMenuBar *> s_menuBarOrder;
    //! Menus removed for good.
    static QSet<unsigned int> s_removedMenus;
    //! The one style of every menu bar, owned by the application.
    static QPointer<QStyle> s_style;
};

} // namespace Quorvex
