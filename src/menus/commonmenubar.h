// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QHash>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <map>
#include <memory>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QObject;
class QWidget;

namespace Kapio {
class Context;
}

namespace Quorvex {

class Menu;
class MenuGroup;
class MenuItem;
class ObjectWatcher;
class SubMenu;

/*!
    One menu bar for every top-level window, made from the menu model that the
    menu plug-ins describe (readMenuDescriptions()). There is one model, one set
    of actions and one MenuProxy per menu id for the whole process; each window
    gets its own QMenuBar with its own QMenu per menu, all showing the same
    actions, each routed to the plug-in that declared it (MenuPluginProxy).

    Menus appear left to right by ascending id, entries top to bottom by
    ascending id. Submenus are made in the first window's menus only; later
    windows show each menu's top-level entries.

    An instance stands for one top-level widget; it is released with
    releaseInstance() or, at the latest, when its widget is destroyed. Every menu
    bar shares one Fusion style. GUI thread only.
*/
class MAVLIBRARY_EXPORT CommonMenuBar
{
public:
    /*!
        The face of one menu in every window: what it is asked to do, it does to
        that menu's QMenu in each menu bar. Its lists only ever hold menus and
        actions that exist: a window that goes takes its menu off them.
    */
    class MAVLIBRARY_EXPORT MenuProxy
    {
    public:
        //! The copy shares the menus: whichever is destroyed first deletes them.
        MenuProxy(const MenuProxy &other);
        MenuProxy &operator=(const MenuProxy &other);
        //! Deletes the menu in every window.
        virtual ~MenuProxy();

        //! Adds \a action to the menu in every window, and in every later one.
        void addAction(QAction *action);
        //! Adds the action of item \a id to the menu in every window open now.
        void addAction(unsigned int id);
        //! Removes the action of item \a id from the menu in every window.
        void removeAction(unsigned int id);
        void setEnabled(bool enabled);
        //! Empties the menu in every window; later windows still get the actions
        //! added with addAction(QAction*).
        void clear();
        QString text() const;

    private:
        friend class CommonMenuBar;
        friend class CommonMenuBarPrivate;

        explicit MenuProxy(Menu *menu);
        void populateMenu(QMenuBar *menuBar);
        QMenu *addSubmenu(unsigned int id, const QString &title);
        QMenu *getSubmenu(unsigned int id) const;
        void watchAll();
        void forget(QObject *object);

        //! The menu in each menu bar, in the order they were made.
        QList<QMenu *> menus;
        //! Replayed into every later menu bar.
        QList<QAction *> actions;
        QString title;
        //! All in the first menu of menus.
        std::map<unsigned int, QMenu *> submenus;
        std::unique_ptr<ObjectWatcher> watcher;
    };

    CommonMenuBar(const CommonMenuBar &other);
    CommonMenuBar &operator=(const CommonMenuBar &other);
    virtual ~CommonMenuBar();

    //! Reads the menu descriptions of \a context's menu plug-ins and routes the
    //! top-level entries to them. Only the first call with a context does this.
    static void init(Kapio::Context *context);
    //! The instance of \a widget, made with its menu bar at the first call.
    static CommonMenuBar *getInstance(QWidget *widget);
    //! Forgets and deletes the instance of \a widget; its menu bar stays with
    //! the widget.
    static void releaseInstance(QWidget *widget);
    //! The action of the linked item \a id; ids are global across menus, the
    //! last item linked under an id wins.
    static QAction *getAction(unsigned int id);
    static QActionGroup *getActionGroup(unsigned int id);
    static MenuProxy *getMenu(unsigned int id);
    //! Deletes menu \a id in every window for good: later windows do not show it.
    static void removeMenu(unsigned int id);

    //! Null when this instance is not (or no longer) registered.
    QMenuBar *getMenuBar() const;
    QMenu *getSubmenu(unsigned int menuId, unsigned int submenuId) const;
    //! Removes menu \a menuId from this window's menu bar only.
    void hideMenu(unsigned int menuId);
    void setMenuBarTransparent();
    //! Places the menu bar in \a rect, no wider than its size hint.
    void moveMenuBar(QRect rect);
    QSize getSizeHint() const;

private:
    friend class CommonMenuBarPrivate;

    CommonMenuBar();

    static void addSubmenuItems(QMenu *menu, SubMenu *submenu);
    static void linkItemActionToProxy(std::map<unsigned int, MenuItem *> &items, bool force);

    static QHash<QWidget *, CommonMenuBar *> s_instances;
    static QHash<CommonMenuBar *, QMenuBar *> s_menuBars;
    static std::map<unsigned int, Menu *> *s_menus;
    static QHash<unsigned int, MenuProxy *> s_menuProxies;
    static std::map<unsigned int, MenuItem *> s_menuItems;
    static QHash<unsigned int, MenuGroup *> s_menuGroups;
    static QObject *s_actionParent;
    static Kapio::Context *s_pluginContext;
};

} // namespace Quorvex
