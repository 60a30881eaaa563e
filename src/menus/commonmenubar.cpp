// SPDX-License-Identifier: LGPL-2.1-or-later
#include "commonmenubar.h"
#include "commonmenubar_p.h"
#include "menu.h"
#include "menupluginproxy.h"
#include "menuslogging_p.h"
#include "objectwatcher_p.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>

namespace Quorvex {

QHash<QWidget *, CommonMenuBar *> CommonMenuBar::s_instances;
QHash<CommonMenuBar *, QMenuBar *> CommonMenuBar::s_menuBars;
std::map<unsigned int, Menu *> *CommonMenuBar::s_menus = nullptr;
QHash<unsigned int, CommonMenuBar::MenuProxy *> CommonMenuBar::s_menuProxies;
std::map<unsigned int, MenuItem *> CommonMenuBar::s_menuItems;
QHash<unsigned int, MenuGroup *> CommonMenuBar::s_menuGroups;
QObject *CommonMenuBar::s_actionParent = nullptr;
Kapio::Context *CommonMenuBar::s_pluginContext = nullptr;

QList<QMenuBar *> CommonMenuBarPrivate::s_menuBarOrder;
QSet<unsigned int> CommonMenuBarPrivate::s_removedMenus;
QPointer<QStyle> CommonMenuBarPrivate::s_style;

namespace {

// QWidget::setStyle does not take the style: one for all, owned by the application.
QStyle *sharedStyle()
{
    QPointer<QStyle> &style = CommonMenuBarPrivate::s_style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Fusion"));
        if (style)
            style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

// MenuProxy

CommonMenuBar::MenuProxy::MenuProxy(Menu *menu)
    : title(menu->title)
    , watcher(std::make_unique<ObjectWatcher>([this](QObject *object) { forget(object); }))
{
    // Menu bars registered before the proxies were made (windows that asked
    // before init) get the menu too.
    for (QMenuBar *menuBar : std::as_const(CommonMenuBarPrivate::s_menuBarOrder)) {
        QMenu *qmenu = menuBar->addMenu(title);
        // A menu-level slot hears each action once: every menu that shows an
        // action re-emits its trigger, so only the first menu is heard.
        if (menus.isEmpty()) {
            for (qsizetype i = 0; i < menu->menuSlots.size(); ++i) {
                // A merged menu: the slot belongs to the plug-in that declared it.
                auto *proxy = new MenuPluginProxy(s_pluginContext,
                                                  menu->menuSlotPlugins.value(i, menu->pluginInfo),
                                                  menu->menuSlots.at(i));
                QObject::connect(qmenu, &QObject::destroyed, proxy, &QObject::deleteLater);
                QObject::connect(qmenu, SIGNAL(triggered(QAction *)), proxy,
                                 SLOT(menuTriggered(QAction *)));
            }
        }
        menus.append(qmenu);
        watcher->watch(qmenu);
    }
}

CommonMenuBar::MenuProxy::MenuProxy(const MenuProxy &other)
    : menus(other.menus)
    , actions(other.actions)
    , title(other.title)
    , submenus(other.submenus)
    , watcher(std::make_unique<ObjectWatcher>([this](QObject *object) { forget(object); }))
{
    watchAll();
}

CommonMenuBar::MenuProxy &CommonMenuBar::MenuProxy::operator=(const MenuProxy &other)
{
    if (this != &other) {
        menus = other.menus;
        actions = other.actions;
        title = other.title;
        submenus = other.submenus;
        watchAll();
    }
    return *this;
}

CommonMenuBar::MenuProxy::~MenuProxy()
{
    // The lists hold only menus that exist; deleting them must not change the
    // list being walked. Each menu's submenus go with it.
    watcher.reset();
    clear();
    qDeleteAll(menus);
}

void CommonMenuBar::MenuProxy::watchAll()
{
    for (QMenu *menu : std::as_const(menus))
        watcher->watch(menu);
    for (const auto &entry : submenus)
        watcher->watch(entry.second);
    for (QAction *action : std::as_const(actions))
        watcher->watch(action);
}

// The menus are children of other windows' menu bars, and an action added from
// outside may be deleted by its owner: neither must stay on the lists.
void CommonMenuBar::MenuProxy::forget(QObject *object)
{
    menus.removeIf([object](QMenu *menu) { return menu == object; });
    actions.removeIf([object](QAction *action) { return action == object; });
    std::erase_if(submenus, [object](const auto &entry) { return entry.second == object; });
}

void CommonMenuBar::MenuProxy::addAction(QAction *action)
{
    if (!action)
        return;
    for (QMenu *menu : std::as_const(menus))
        menu->addAction(action);
    actions.append(action);
    watcher->watch(action);
}

void CommonMenuBar::MenuProxy::addAction(unsigned int id)
{
    if (QAction *action = CommonMenuBar::getAction(id)) {
        for (QMenu *menu : std::as_const(menus))
            menu->addAction(action);
    }
}

void CommonMenuBar::MenuProxy::removeAction(unsigned int id)
{
    if (QAction *action = CommonMenuBar::getAction(id)) {
        for (QMenu *menu : std::as_const(menus))
            menu->removeAction(action);
    }
}

void CommonMenuBar::MenuProxy::setEnabled(bool enabled)
{
    for (QMenu *menu : std::as_const(menus))
        menu->setEnabled(enabled);
}

void CommonMenuBar::MenuProxy::clear()
{
    for (QMenu *menu : std::as_const(menus))
        menu->clear();
}

QString CommonMenuBar::MenuProxy::text() const
{
    return title;
}

void CommonMenuBar::MenuProxy::populateMenu(QMenuBar *menuBar)
{
    QMenu *menu = menuBar->addMenu(title);
    menus.append(menu);
    watcher->watch(menu);
    menu->addActions(actions);
}

QMenu *CommonMenuBar::MenuProxy::addSubmenu(unsigned int id, const QString &title)
{
    if (menus.isEmpty() || submenus.count(id))
        return nullptr;
    QMenu *submenu = menus.first()->addMenu(title);
    submenus[id] = submenu;
    watcher->watch(submenu);
    return submenu;
}

QMenu *CommonMenuBar::MenuProxy::getSubmenu(unsigned int id) const
{
    const auto found = submenus.find(id);
    return found == submenus.end() ? nullptr : found->second;
}

// CommonMenuBar

CommonMenuBar::CommonMenuBar() = default;
CommonMenuBar::CommonMenuBar(const CommonMenuBar &) { }
CommonMenuBar &CommonMenuBar::operator=(const CommonMenuBar &)
{
    return *this;
}
CommonMenuBar::~CommonMenuBar() = default;

void CommonMenuBar::init(Kapio::Context *context)
{
    // Once: a second call would route every entry a second time.
    if (!context || s_menus)
        return;
    if (!s_actionParent)
        s_actionParent = new QObject;
    if (!s_pluginContext)
        s_pluginContext = context;
    s_menus = readMenuDescriptions(context, s_actionParent);
    for (const auto &entry : *s_menus)
        linkItemActionToProxy(entry.second->items, false);
}

void CommonMenuBar::linkItemActionToProxy(std::map<unsigned int, MenuItem *> &items, bool force)
{
    for (const auto &[id, item] : items) {
        QAction *action = item->action;
        // Submenus have no action; their entries are linked with the first
        // window's menus.
        if (!action && !force)
            continue;
        // Forced or not, an entry without an action has nothing to trigger a
        // proxy, which would never be deleted either.
        if (action) {
            auto *proxy = new MenuPluginProxy(s_pluginContext, item->pluginInfo, item->slot);
            QObject::connect(action, &QObject::destroyed, proxy, &QObject::deleteLater);
            QObject::connect(action, SIGNAL(triggered(bool)), proxy, SLOT(actionTriggered(bool)));
        }
        s_menuItems[id] = item;

        MenuGroup *group = item->group;
        if (group && !s_menuGroups.contains(group->id)) {
            auto *proxy = new MenuPluginProxy(s_pluginContext, group->pluginInfo, group->slot);
            QObject::connect(group->actionGroup, &QObject::destroyed, proxy, &QObject::deleteLater);
            QObject::connect(group->actionGroup, SIGNAL(triggered(QAction *)), proxy,
                             SLOT(groupTriggered(QAction *)));
            s_menuGroups.insert(group->id, group);
        }
    }
}

CommonMenuBar *CommonMenuBar::getInstance(QWidget *widget)
{
    if (!widget)
        return nullptr;
    if (CommonMenuBar *instance = s_instances.value(widget))
        return instance;

    auto *instance = new CommonMenuBar;
    s_instances.insert(widget, instance);
    // A widget destroyed without releaseInstance would leave its instance under
    // a key that a new widget may be given.
    QObject::connect(widget, &QObject::destroyed, [widget] { releaseInstance(widget); });

    auto *menuBar = new QMenuBar(widget);
    menuBar->setStyle(sharedStyle());
    s_menuBars.insert(instance, menuBar);
    CommonMenuBarPrivate::s_menuBarOrder.append(menuBar);
    QObject::connect(menuBar, &QObject::destroyed, [menuBar] {
        CommonMenuBarPrivate::s_menuBarOrder.removeOne(menuBar);
        for (auto it = s_menuBars.begin(); it != s_menuBars.end();) {
            if (it.value() == menuBar)
                it = s_menuBars.erase(it);
            else
                ++it;
        }
    });
    QPalette palette = menuBar->palette();
    palette.setBrush(QPalette::Inactive, QPalette::ButtonText, QBrush(Qt::darkGray));
    menuBar->setPalette(palette);

    if (s_menus) {
        for (const auto &[id, menu] : *s_menus) {
            if (CommonMenuBarPrivate::s_removedMenus.contains(id))
                continue;
            if (MenuProxy *proxy = s_menuProxies.value(id)) {
                proxy->populateMenu(menuBar);
                continue;
            }
            auto *proxy = new MenuProxy(menu);
            for (const auto &[entryId, entry] : menu->items) {
                if (entry->action) {
                    proxy->addAction(entry->action);
                } else if (auto *submenu = dynamic_cast<SubMenu *>(entry)) {
                    addSubmenuItems(proxy->addSubmenu(entryId, submenu->title), submenu);
                }
                // An item that never got its name has neither action nor entries.
            }
            s_menuProxies.insert(id, proxy);
        }
    }
    return instance;
}

void CommonMenuBar::addSubmenuItems(QMenu *menu, SubMenu *submenu)
{
    if (!menu || !submenu)
        return;
    linkItemActionToProxy(submenu->items, true);
    for (const auto &entry : submenu->items) {
        if (entry.second->action)
            menu->addAction(entry.second->action);
    }
}

void CommonMenuBar::releaseInstance(QWidget *widget)
{
    CommonMenuBar *instance = s_instances.take(widget);
    if (!instance)
        return;
    CommonMenuBarPrivate::s_menuBarOrder.removeOne(s_menuBars.take(instance));
    delete instance;
}

QAction *CommonMenuBar::getAction(unsigned int id)
{
    const auto found = s_menuItems.find(id);
    return found == s_menuItems.end() ? nullptr : found->second->action;
}

QActionGroup *CommonMenuBar::getActionGroup(unsigned int id)
{
    MenuGroup *group = s_menuGroups.value(id);
    return group ? group->actionGroup : nullptr;
}

CommonMenuBar::MenuProxy *CommonMenuBar::getMenu(unsigned int id)
{
    return s_menuProxies.value(id);
}

void CommonMenuBar::removeMenu(unsigned int id)
{
    MenuProxy *proxy = s_menuProxies.take(id);
    if (proxy || (s_menus && s_menus->count(id)))
        CommonMenuBarPrivate::s_removedMenus.insert(id);
    delete proxy;
}

QMenuBar *CommonMenuBar::getMenuBar() const
{
    return s_menuBars.value(const_cast<CommonMenuBar *>(this));
}

QMenu *CommonMenuBar::getSubmenu(unsigned int menuId, unsigned int submenuId) const
{
    MenuProxy *proxy = getMenu(menuId);
    return proxy ? proxy->getSubmenu(submenuId) : nullptr;
}

void CommonMenuBar::hideMenu(unsigned int menuId)
{
    QMenuBar *menuBar = getMenuBar();
    MenuProxy *proxy = getMenu(menuId);
    if (!menuBar || !proxy)
        return;
    for (QMenu *menu : std::as_const(proxy->menus)) {
        if (menu->parent() == menuBar) {
            proxy->menus.removeOne(menu);
            delete menu;
            return;
        }
    }
}

void CommonMenuBar::setMenuBarTransparent()
{
    if (QMenuBar *menuBar = getMenuBar()) {
        QPalette palette = menuBar->palette();
        palette.setBrush(QPalette::All, QPalette::Button, QBrush(Qt::transparent));
        menuBar->setPalette(palette);
    }
}

void CommonMenuBar::moveMenuBar(QRect rect)
{
    QMenuBar *menuBar = getMenuBar();
    if (!menuBar)
        return;
    const QSize hint = menuBar->sizeHint();
    if (rect.width() > hint.width())
        rect.setRight(rect.left() + hint.width() - 1);
    menuBar->setGeometry(rect);
}

QSize CommonMenuBar::getSizeHint() const
{
    QMenuBar *menuBar = getMenuBar();
    return menuBar ? menuBar->sizeHint() : QSize();
}

// CommonMenuBarPrivate

void CommonMenuBarPrivate::reset()
{
    qDeleteAll(std::exchange(CommonMenuBar::s_menuProxies, {}));
    qDeleteAll(std::exchange(CommonMenuBar::s_instances, {}));
    CommonMenuBar::s_menuBars.clear();
    s_menuBarOrder.clear();
    CommonMenuBar::s_menuItems.clear();
    CommonMenuBar::s_menuGroups.clear();
    releaseMenuDescriptions(std::exchange(CommonMenuBar::s_menus, nullptr));
    delete std::exchange(CommonMenuBar::s_actionParent, nullptr);
    CommonMenuBar::s_pluginContext = nullptr;
    s_removedMenus.clear();
}

int CommonMenuBarPrivate::instanceCount()
{
    return int(CommonMenuBar::s_instances.size());
}

int CommonMenuBarPrivate::menuCount(unsigned int id)
{
    const CommonMenuBar::MenuProxy *proxy = CommonMenuBar::s_menuProxies.value(id);
    return proxy ? int(proxy->menus.size()) : 0;
}

} // namespace Quorvex
