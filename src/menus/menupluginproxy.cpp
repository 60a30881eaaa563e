// SPDX-License-Identifier: LGPL-2.1-or-later
#include "menupluginproxy.h"
#include "menudocument_p.h"
#include "menuslogging_p.h"

#include <MavLibrary/plugins/context.h>
#include <MavLibrary/plugins/plugininfo.h>

#include <QAction>
#include <QMetaMethod>

#include <utility>

namespace Quorvex {

MenuPluginProxy::MenuPluginProxy(Kapio::Context *context, Kapio::PluginInfo *pluginInfo,
                                 const QString &slot)
    : context(context)
    , pluginInfo(pluginInfo)
    , plugin(nullptr)
    , slot(QString(slot).remove(QLatin1Char(' ')))
{ }

MenuPluginProxy::~MenuPluginProxy() = default;

bool MenuPluginProxy::loadPlugin()
{
    if (plugin)
        return false;
    static constexpr char actionSignal[] = "triggered(QAction*)";
    static constexpr char flagSignal[] = "triggered(bool)";
    const char *signal = nullptr;
    if (slot.contains(QLatin1String("(QAction*)")))
        signal = actionSignal;
    else if (slot.contains(QLatin1String("(bool)")) || slot.contains(QLatin1String("()")))
        signal = flagSignal;
    else
        return false;
    if (!context || !pluginInfo)
        return false;

    const QString name = QString::fromStdString(pluginInfo->name);
    if (context->loadPlugin(pluginInfo, &plugin, Kapio::LoadIfNeeded) != Kapio::Success) {
        qCWarning(lcMenus).noquote() << "cannot load plug-in" << name << "for" << slot;
        return plugin != nullptr;
    }

    // Whatever fails from here gives the reference back and forgets the plug-in,
    // so that the next trigger tries again rather than reaching nobody for good.
    const auto giveBack = [&](const QString &reason) {
        qCWarning(lcMenus).noquote() << "plug-in" << name << reason;
        Kapio::Plugin *held = std::exchange(plugin, nullptr);
        held->release(); // may destroy the object
        return false;
    };
    void *found = nullptr;
    if (plugin->queryInterface(MenuInterfaceId, &found) != Kapio::Success || !found)
        return giveBack(QStringLiteral("has no menu interface"));
    QObject *object = static_cast<Kapio::MenuInterface *>(found)->qObject();
    if (!object)
        return giveBack(QStringLiteral("has no menu object"));
    if (!connect(object, &QObject::destroyed, this, &MenuPluginProxy::pluginDeleted))
        return giveBack(QStringLiteral("cannot be watched"));

    // Looked up first, so that a missing slot is reported here, in this category.
    const QMetaMethod slotMethod = MenuDocument::findMethod(object, slot);
    const auto connectSignal = [&](const char *signature) {
        const QMetaMethod signalMethod =
            metaObject()->method(metaObject()->indexOfSignal(signature));
        return slotMethod.isValid() && QMetaObject::checkConnectArgs(signalMethod, slotMethod)
            && connect(this, signalMethod, object, slotMethod);
    };
    if (!connectSignal(signal))
        return giveBack(QStringLiteral("has no slot %1 that %2 can call")
                            .arg(slot.mid(1), QLatin1String(signal)));
    // A slot without arguments hears the other signal too: the sender decides
    // which one is emitted, and a group or menu slot such as 1refresh() must be
    // reached as well as an item's.
    if (signal == flagSignal && slot.contains(QLatin1String("()")))
        connectSignal(actionSignal);
    return true;
}

template<typename Argument> void MenuPluginProxy::forward(Argument argument)
{
    const bool loaded = loadPlugin();
    // The reference this trigger took; the slot may have made plugin change.
    Kapio::Plugin *held = loaded ? plugin : nullptr;
    Q_EMIT triggered(argument);
    if (held)
        held->release();
}

void MenuPluginProxy::menuTriggered(QAction *action)
{
    forward(action);
}

void MenuPluginProxy::groupTriggered(QAction *action)
{
    forward(action);
}

void MenuPluginProxy::actionTriggered(bool checked)
{
    forward(checked);
}

void MenuPluginProxy::pluginDeleted()
{
    plugin = nullptr;
}

} // namespace Quorvex
