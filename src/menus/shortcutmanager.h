// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QMap>
#include <QSet>
#include <QString>

#include <memory>

class QAction;
class QObject;
class QWidget;

namespace Quorvex {

class ObjectWatcher;

//! Actions active in every sub-context.
inline constexpr char AllSubContext[] = "All";
//! The plug-in's menu actions, included on request.
inline constexpr char MenuSubContext[] = "Menu";

/*!
    The keyboard shortcuts of one plug-in, as sets of actions by sub-context
    name; ShortcutParser::parseShortcuts() makes it. Its owner switches the live
    set with setSubContext().

    The manager does not own the actions, but an action that is destroyed (with
    the widget that setSubContext() gave it to, say) leaves its sets. GUI thread
    only.
*/
class MAVLIBRARY_EXPORT ShortcutManager
{
public:
    ShortcutManager(const ShortcutManager &other);
    ShortcutManager &operator=(const ShortcutManager &other);
    virtual ~ShortcutManager();

    //! Makes \a widget carry exactly the actions of "All" and of \a subContext:
    //! every other action is removed from it, and these become its children.
    void setSubContext(const QString &subContext, QWidget *widget) const;
    //! The actions of "All" and of \a subContext, and of "Menu" when
    //! \a includeMenu is true. Names without a set add nothing.
    QSet<QAction *> getSubContextActionSet(const QString &subContext, bool includeMenu) const;

private:
    friend class ShortcutParser;
    friend class ShortcutReader;

    ShortcutManager();
    void addAction(const QString &subContext, QAction *action);
    void forget(QObject *object);
    void watchAll();

    QMap<QString, QSet<QAction *>> subContexts;
    std::unique_ptr<ObjectWatcher> watcher;
};

} // namespace Quorvex
