// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QList>
#include <QString>
#include <QStringList>

#include <map>

class QAction;
class QActionGroup;
class QObject;

namespace Kapio {
class Context;
struct PluginInfo;
} // namespace Kapio

/*!
    The shared menu model: what the menu plug-ins' descriptions declare, read
    once by readMenuDescriptions(). Menus, items, submenus, separators and groups
    are addressed by unsigned ids; the ordered maps keyed by id fix the display
    order. Every QAction and QActionGroup of the model has the action parent given
    to the reader as its Qt parent. GUI thread only.
*/
namespace Quorvex {

class MenuGroup;

//! An entry of a menu: an item or a separator (or, derived, a submenu).
class MAVLIBRARY_EXPORT MenuItem
{
public:
    MenuItem(unsigned int id, Kapio::PluginInfo *pluginInfo);
    virtual ~MenuItem();

    unsigned int id;
    //! The plug-in whose description declared the entry, and whose slot it triggers.
    Kapio::PluginInfo *pluginInfo;
    //! Null until the item's name is read; a separator has one at once.
    QAction *action = nullptr;
    //! The radio group the action belongs to, or null.
    MenuGroup *group = nullptr;
    //! The slot signature with the slot code prefix ("1play()"), or empty.
    QString slot;
};

//! A submenu: an entry of a menu with entries of its own. Its action stays null.
class MAVLIBRARY_EXPORT SubMenu : public MenuItem
{
public:
    SubMenu(unsigned int id, Kapio::PluginInfo *pluginInfo);
    //! Empties the map; the entries are not destroyed.
    ~SubMenu() override;

    QString title;
    std::map<unsigned int, MenuItem *> items;
};

//! A radio group: the actions of its items share one QActionGroup.
class MAVLIBRARY_EXPORT MenuGroup
{
public:
    MenuGroup(unsigned int id, Kapio::PluginInfo *pluginInfo, QActionGroup *actionGroup);

    unsigned int id;
    Kapio::PluginInfo *pluginInfo;
    //! Exclusive unless the description says non-exclusive.
    QActionGroup *actionGroup;
    //! The slot that hears every action of the group, with the slot code prefix.
    QString slot;
};

//! One menu of the menu bar, merged from every description that names its id.
class MAVLIBRARY_EXPORT Menu
{
public:
    Menu(unsigned int id, Kapio::PluginInfo *pluginInfo);

    unsigned int id;
    //! The plug-in whose description first named the menu.
    Kapio::PluginInfo *pluginInfo;
    //! The translated title; the first name read wins.
    QString title;
    //! Slots attached to the menu itself (each hears every action triggered in
    //! it), one per slot element; several plug-ins may each add one. Not called
    //! "slots", which is a Qt keyword.
    QStringList menuSlots;
    //! The plug-in of each entry of menuSlots, at the same index: a merged menu
    //! routes each menu-level slot to the plug-in that declared it.
    QList<Kapio::PluginInfo *> menuSlotPlugins;
    //! The top-level entries, submenus included, by id.
    std::map<unsigned int, MenuItem *> items;
};

using MenuMap = std::map<unsigned int, Menu *>;

/*!
    Reads the menu descriptions of every plug-in of \a context that implements
    MenuInterfaceId, in the context's order, into a new model; its actions and
    action groups get \a actionParent as Qt parent. Never null. A document that
    fails to parse contributes what was complete before the failure.
*/
MAVLIBRARY_EXPORT MenuMap *readMenuDescriptions(Kapio::Context *context, QObject *actionParent);

/*!
    Destroys a model that readMenuDescriptions() made: every menu, entry and
    group, and the map itself. Their actions and action groups belong to the
    action parent, which destroys them.
*/
MAVLIBRARY_EXPORT void releaseMenuDescriptions(MenuMap *menus);

} // namespace Quorvex
