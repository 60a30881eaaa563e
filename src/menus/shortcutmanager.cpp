// SPDX-License-Identifier: LGPL-2.1-or-later
#include "shortcutmanager.h"
#include "objectwatcher_p.h"

#include <QAction>
#include <QWidget>

namespace Quorvex {

ShortcutManager::ShortcutManager()
    : watcher(std::make_unique<ObjectWatcher>([this](QObject *object) { forget(object); }))
{ }

ShortcutManager::ShortcutManager(const ShortcutManager &other)
    : subContexts(other.subContexts)
    , watcher(std::make_unique<ObjectWatcher>([this](QObject *object) { forget(object); }))
{
    watchAll();
}

ShortcutManager &ShortcutManager::operator=(const ShortcutManager &other)
{
    if (this != &other) {
        subContexts = other.subContexts;
        watchAll();
    }
    return *this;
}

ShortcutManager::~ShortcutManager() = default;

void ShortcutManager::watchAll()
{
    for (const QSet<QAction *> &actions : std::as_const(subContexts)) {
        for (QAction *action : actions)
            watcher->watch(action);
    }
}

// The action is being destroyed: it is only compared, not even cast.
void ShortcutManager::forget(QObject *object)
{
    for (QSet<QAction *> &actions : subContexts)
        actions.removeIf([object](QAction *action) { return action == object; });
}

void ShortcutManager::addAction(const QString &subContext, QAction *action)
{
    subContexts[subContext].insert(action);
    watcher->watch(action);
}

QSet<QAction *> ShortcutManager::getSubContextActionSet(const QString &subContext,
                                                        bool includeMenu) const
{
    QSet<QAction *> actions = subContexts.value(QLatin1String(AllSubContext));
    actions.unite(subContexts.value(subContext));
    if (includeMenu)
        actions.unite(subContexts.value(QLatin1String(MenuSubContext)));
    return actions;
}

void ShortcutManager::setSubContext(const QString &subContext, QWidget *widget) const
{
    if (!widget)
        return;
    const QList<QAction *> attached = widget->actions();
    for (QAction *action : attached)
        widget->removeAction(action);
    const QSet<QAction *> actions = getSubContextActionSet(subContext, false);
    for (QAction *action : actions) {
        action->setParent(widget);
        widget->addAction(action);
    }
}

} // namespace Quorvex
