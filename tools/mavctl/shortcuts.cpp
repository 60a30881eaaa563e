// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl shortcuts DIR...: the shortcut sets of the menu plug-ins, and the keys
// bound twice.
#include "command.h"
#include "plugins.h"

#include "menus/commonmenubar_p.h"
#include "menus/menudump_p.h"
#include "menus/shortcutparser_p.h"

#include <MavLibrary/menus/commonmenubar.h>
#include <MavLibrary/menus/shortcutmanager.h>
#include <MavLibrary/plugins/pluginmanager.h>

#include <QAction>
#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QWidget>

#include <algorithm>
#include <map>
#include <memory>

namespace {

using Quorvex::ShortcutEntry;

struct PluginShortcuts
{
    QString name;
    QString error; // why it was not read
    std::unique_ptr<Quorvex::ShortcutManager> manager;
    std::vector<ShortcutEntry> entries;
};

// Every set an entry is in: its sub-contexts, "All" or "Menu".
QStringList setsOf(const ShortcutEntry &entry)
{
    if (entry.menuItem)
        return {QLatin1String(Quorvex::MenuSubContext)};
    if (entry.subContexts.isEmpty())
        return {QLatin1String(Quorvex::AllSubContext)};
    return entry.subContexts;
}

QString keyOf(const QAction *action)
{
    return action->shortcut().toString(QKeySequence::PortableText);
}

QJsonObject describe(const ShortcutEntry &entry)
{
    const QAction *action = entry.action;
    QJsonObject object;
    object[QLatin1String("text")] = action->text();
    object[QLatin1String("shortcut")] = keyOf(action);
    object[QLatin1String("context")] =
        Quorvex::MenuDump::shortcutContextName(action->shortcutContext());
    if (action->data().isValid())
        object[QLatin1String("data")] = QJsonValue::fromVariant(action->data());
    if (entry.menuItem)
        object[QLatin1String("menuItem")] = qint64(entry.menuItem);
    QJsonArray targets;
    for (const ShortcutEntry::Target &target : entry.targets) {
        QJsonObject described;
        described[QLatin1String("kind")] = target.signature.startsWith(QLatin1Char('2'))
            ? QLatin1String("signal")
            : QLatin1String("slot");
        described[QLatin1String("signature")] = target.signature.mid(1);
        described[QLatin1String("connected")] = target.connected;
        targets.append(described);
    }
    if (!targets.isEmpty())
        object[QLatin1String("targets")] = targets;
    if (!entry.subContexts.isEmpty())
        object[QLatin1String("subContexts")] = QJsonArray::fromStringList(entry.subContexts);
    return object;
}

// "Ctrl+P "&Play" context=application slot=play() data=10 menu-item=10"
QString line(const QJsonObject &action)
{
    const QString key = action[QLatin1String("shortcut")].toString();
    QStringList parts {key.isEmpty() ? QStringLiteral("(no key)") : key,
                       QLatin1Char('"') + action[QLatin1String("text")].toString()
                           + QLatin1Char('"'),
                       QStringLiteral("context=") + action[QLatin1String("context")].toString()};
    for (const QJsonValue &value : action[QLatin1String("targets")].toArray()) {
        const QJsonObject target = value.toObject();
        parts << target[QLatin1String("kind")].toString() + QLatin1Char('=')
                + target[QLatin1String("signature")].toString()
                + (target[QLatin1String("connected")].toBool() ? QString()
                                                               : QStringLiteral(" (missing)"));
    }
    if (action.contains(QLatin1String("data")))
        parts << QStringLiteral("data=") + action[QLatin1String("data")].toVariant().toString();
    if (action.contains(QLatin1String("menuItem")))
        parts << QStringLiteral("menu-item=%1").arg(action[QLatin1String("menuItem")].toInteger());
    return parts.join(QLatin1Char(' '));
}

/*
    A key sequence carried by two actions that are live at once: in a sub-context
    those of every plug-in's "All" and of that sub-context (and "Menu" with
    --menu), as the player sets the same sub-context for every plug-in. A clash
    that "All" (with "Menu") has already is reported there only.
*/
QJsonArray clashes(const std::vector<PluginShortcuts> &plugins, const QStringList &subContexts,
                   bool includeMenu)
{
    // Who each action is, for the report: its first plug-in and entry, and
    // where that is in the documents.
    std::map<const QAction *, QJsonObject> who;
    std::map<const QAction *, int> order;
    for (const PluginShortcuts &plugin : plugins) {
        for (const ShortcutEntry &entry : plugin.entries) {
            order.emplace(entry.action, int(order.size()));
            QJsonObject object;
            object[QLatin1String("plugin")] = plugin.name;
            object[QLatin1String("text")] = entry.action->text();
            if (entry.menuItem)
                object[QLatin1String("menuItem")] = qint64(entry.menuItem);
            else
                object[QLatin1String("subContexts")] = QJsonArray::fromStringList(setsOf(entry));
            who.emplace(entry.action, object);
        }
    }
    const QString all = QLatin1String(Quorvex::AllSubContext);
    QSet<QAction *> everywhere;
    for (const PluginShortcuts &plugin : plugins) {
        if (plugin.manager)
            everywhere.unite(plugin.manager->getSubContextActionSet(all, includeMenu));
    }
    QJsonArray found;
    for (const QString &subContext : subContexts) {
        std::map<QString, QList<QAction *>> byKey;
        for (const PluginShortcuts &plugin : plugins) {
            if (!plugin.manager)
                continue;
            for (QAction *action :
                 plugin.manager->getSubContextActionSet(subContext, includeMenu)) {
                QList<QAction *> &bound = byKey[keyOf(action)];
                if (!bound.contains(action))
                    bound.append(action);
            }
        }
        for (auto &[key, actions] : byKey) {
            if (key.isEmpty() || actions.size() < 2)
                continue;
            std::sort(actions.begin(), actions.end(),
                      [&](QAction *a, QAction *b) { return order[a] < order[b]; });
            if (subContext != all
                && std::all_of(actions.begin(), actions.end(),
                               [&](QAction *action) { return everywhere.contains(action); }))
                continue;
            QJsonArray bound;
            for (const QAction *action : actions)
                bound.append(who[action]);
            QJsonObject clash;
            clash[QLatin1String("subContext")] = subContext;
            clash[QLatin1String("shortcut")] = key;
            clash[QLatin1String("actions")] = bound;
            found.append(clash);
        }
    }
    return found;
}

QString clashLine(const QJsonObject &clash)
{
    QStringList sides;
    for (const QJsonValue &value : clash[QLatin1String("actions")].toArray()) {
        const QJsonObject action = value.toObject();
        QString side = action[QLatin1String("plugin")].toString();
        if (action.contains(QLatin1String("menuItem")))
            side +=
                QStringLiteral(" menu-item=%1").arg(action[QLatin1String("menuItem")].toInteger());
        sides << side + QStringLiteral(" \"") + action[QLatin1String("text")].toString()
                + QLatin1Char('"');
    }
    return QStringLiteral("clash in %1: %2 is bound to %3")
        .arg(clash[QLatin1String("subContext")].toString(),
             clash[QLatin1String("shortcut")].toString(), sides.join(QStringLiteral(" and ")));
}

int runShortcuts(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Loads every menu plug-in in the folders, after building the menus as the player "
        "does, and prints the shortcut sets that each one describes: for each action its key "
        "sequence, context, text, the signal or slot it reaches (\"(missing)\" when the "
        "plug-in has none such) and its sub-contexts. Then it reports every key sequence bound "
        "twice among the actions live at once in one sub-context, across the plug-ins: those "
        "of \"All\" and of the sub-context, with --menu the menu entries too."));
    parser.addOption({QStringLiteral("subcontext"),
                      QStringLiteral("Only the actions live in this sub-context."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("menu"),
                      QStringLiteral("Includes the set \"Menu\": the plug-in's menu entries.")});
    std::unique_ptr<Kapio::PluginManager> manager;
    if (const int code = Mavctl::openPluginFolders(parser, arguments, manager); code >= 0)
        return code;
    // A target the plug-in lacks is part of the report.
    QLoggingCategory::setFilterRules(
        QStringLiteral("zentrix.plugins.warning=false\nzentrix.menus.warning=false"));
    const bool includeMenu = parser.isSet(QStringLiteral("menu"));
    const QString only = parser.value(QStringLiteral("subcontext"));
    const QString all = QLatin1String(Quorvex::AllSubContext);
    const QString menu = QLatin1String(Quorvex::MenuSubContext);

    // Submenu entries are linked with the first window's menus.
    Quorvex::CommonMenuBar::init(manager.get());
    auto window = std::make_unique<QWidget>();
    Quorvex::CommonMenuBar::getInstance(window.get());

    QObject actionParent;
    std::vector<PluginShortcuts> plugins;
    QStringList subContexts {all};
    std::vector<Kapio::PluginInfo *> infos;
    manager->findPlugins(Kapio::PluginInterfaceFilter(Quorvex::MenuInterfaceId), infos);
    for (Kapio::PluginInfo *info : infos) {
        PluginShortcuts &plugin = plugins.emplace_back();
        plugin.name = QString::fromStdString(info->name);
        Kapio::Plugin *loaded = nullptr;
        if (manager->loadPlugin(info, &loaded) != Kapio::Success) {
            plugin.error = QString::fromStdString(manager->errorString(info));
            continue;
        }
        plugin.manager.reset(
            Quorvex::parseDescribedShortcuts(loaded, &actionParent, &plugin.entries));
        loaded->release();
        for (const ShortcutEntry &entry : plugin.entries) {
            for (const QString &subContext : entry.subContexts) {
                if (!subContexts.contains(subContext))
                    subContexts.append(subContext);
            }
        }
    }
    std::sort(subContexts.begin() + 1, subContexts.end());
    if (!only.isEmpty())
        subContexts = only == all ? QStringList {all} : QStringList {all, only};

    // The sets to show, in this order.
    QStringList shown = subContexts;
    if (includeMenu)
        shown.append(menu);
    QJsonArray described;
    for (const PluginShortcuts &plugin : plugins) {
        QJsonObject object;
        object[QLatin1String("name")] = plugin.name;
        if (!plugin.error.isEmpty())
            object[QLatin1String("error")] = plugin.error;
        QJsonObject sets;
        for (const ShortcutEntry &entry : plugin.entries) {
            for (const QString &set : setsOf(entry)) {
                if (shown.contains(set)) {
                    QJsonArray actions = sets[set].toArray();
                    actions.append(describe(entry));
                    sets[set] = actions;
                }
            }
        }
        object[QLatin1String("sets")] = sets;
        described.append(object);
    }
    const QJsonArray found = clashes(plugins, subContexts, includeMenu);

    if (parser.isSet(QStringLiteral("json"))) {
        QJsonObject result;
        result[QLatin1String("plugins")] = described;
        result[QLatin1String("clashes")] = found;
        Mavctl::printJson(result);
    } else {
        for (const QJsonValue &value : std::as_const(described)) {
            const QJsonObject plugin = value.toObject();
            Mavctl::printLine(plugin[QLatin1String("name")].toString());
            if (plugin.contains(QLatin1String("error")))
                Mavctl::printLine(QStringLiteral("  not loaded: ")
                                  + plugin[QLatin1String("error")].toString());
            const QJsonObject sets = plugin[QLatin1String("sets")].toObject();
            for (const QString &set : std::as_const(shown)) {
                if (!sets.contains(set))
                    continue;
                Mavctl::printLine(QStringLiteral("  ") + set);
                for (const QJsonValue &action : sets[set].toArray())
                    Mavctl::printLine(QStringLiteral("    ") + line(action.toObject()));
            }
        }
        if (found.isEmpty())
            Mavctl::printLine(QStringLiteral("no key sequence is bound twice"));
        for (const QJsonValue &clash : found)
            Mavctl::printLine(clashLine(clash.toObject()));
    }

    // The model holds the manager's plug-in infos: it goes first.
    plugins.clear();
    window.reset();
    Quorvex::CommonMenuBarPrivate::reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return Mavctl::Success;
}

} // namespace

MAVCTL_GUI_COMMAND("shortcuts",
                   "the shortcut sets of the menu plug-ins in a folder, and keys bound twice",
                   runShortcuts);
