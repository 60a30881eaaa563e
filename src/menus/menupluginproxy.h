// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QObject>
#include <QString>

class QAction;

namespace Kapio {
class Context;
class Plugin;
struct PluginInfo;
} // namespace Kapio

namespace Quorvex {

/*!
    Routes one sender of the menu model (an item's QAction, a group's
    QActionGroup or a whole QMenu) to one slot of one plug-in. At each trigger it
    loads the plug-in through the context unless it is loaded already, connects
    its own signal to the slot, re-emits the trigger and gives its reference back;
    when the plug-in's object is destroyed it loads again at the next trigger.

    The signal follows the slot's signature: "(QAction*)" takes
    triggered(QAction*), "(bool)" or "()" triggered(bool).

    It has no Qt parent: tie its life to the sender's (destroyed() to
    deleteLater()). GUI thread only.
*/
class MAVLIBRARY_EXPORT MenuPluginProxy : public QObject
{
    Q_OBJECT

public:
    //! \a slot carries the slot code prefix ("1play()"); spaces are removed.
    MenuPluginProxy(Kapio::Context *context, Kapio::PluginInfo *pluginInfo, const QString &slot);
    //! Does not release a plug-in it still points to: it holds no reference.
    ~MenuPluginProxy() override;

Q_SIGNALS:
    void triggered(QAction *action);
    void triggered(bool checked);

private Q_SLOTS:
    void menuTriggered(QAction *action);
    void groupTriggered(QAction *action);
    void actionTriggered(bool checked);
    void pluginDeleted();

protected:
    //! Loads and connects the plug-in unless it is loaded; true when this call
    //! took a reference that the caller must release after emitting.
    bool loadPlugin();

private:
    template<typename Argument> void forward(Argument argument);

    Kapio::Context *context;
    Kapio::PluginInfo *pluginInfo;
    Kapio::Plugin *plugin;
    QString slot;
};

} // namespace Quorvex
