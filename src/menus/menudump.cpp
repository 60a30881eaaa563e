// SPDX-License-Identifier: LGPL-2.1-or-later
#include "menudump_p.h"

#include <MavLibrary/plugins/plugininfo.h>

#include <QAction>
#include <QActionGroup>
#include <QJsonObject>
#include <QKeySequence>

namespace Quorvex::MenuDump {

QString shortcutContextName(Qt::ShortcutContext context)
{
    switch (context) {
    case Qt::WidgetShortcut:
        return QStringLiteral("widget");
    case Qt::WidgetWithChildrenShortcut:
        return QStringLiteral("widgetAndChildren");
    case Qt::WindowShortcut:
        return QStringLiteral("window");
    case Qt::ApplicationShortcut:
        return QStringLiteral("application");
    }
    return QString();
}

namespace {

// As the author wrote it: the model keeps Qt's code prefix ("1play()").
QString authored(const QString &slot)
{
    return slot.startsWith(QLatin1Char('1')) || slot.startsWith(QLatin1Char('2')) ? slot.mid(1)
                                                                                  : slot;
}

QString pluginName(const Kapio::PluginInfo *info)
{
    return info ? QString::fromStdString(info->name) : QString();
}

QString roleName(QAction::MenuRole role)
{
    switch (role) {
    case QAction::NoRole:
        return QStringLiteral("NoRole");
    case QAction::TextHeuristicRole:
        return QString(); // Qt's default: nothing was said
    case QAction::ApplicationSpecificRole:
        return QStringLiteral("ApplicationSpecificRole");
    case QAction::AboutQtRole:
        return QStringLiteral("AboutQtRole");
    case QAction::AboutRole:
        return QStringLiteral("AboutRole");
    case QAction::PreferencesRole:
        return QStringLiteral("PreferencesRole");
    case QAction::QuitRole:
        return QStringLiteral("QuitRole");
    }
    return QString();
}

QJsonArray entries(const std::map<unsigned int, MenuItem *> &items)
{
    QJsonArray array;
    for (const auto &[id, item] : items) {
        QJsonObject entry;
        const auto *submenu = dynamic_cast<const SubMenu *>(item);
        const QAction *action = item->action;
        entry[QLatin1String("id")] = qint64(id);
        entry[QLatin1String("kind")] = submenu ? QStringLiteral("submenu")
            : action && action->isSeparator()  ? QStringLiteral("separator")
                                               : QStringLiteral("item");
        entry[QLatin1String("plugin")] = pluginName(item->pluginInfo);
        if (submenu) {
            entry[QLatin1String("title")] = submenu->title;
            entry[QLatin1String("entries")] = entries(submenu->items);
        }
        if (!item->slot.isEmpty())
            entry[QLatin1String("slot")] = authored(item->slot);
        if (item->group) {
            QJsonObject group;
            group[QLatin1String("id")] = qint64(item->group->id);
            group[QLatin1String("exclusive")] = item->group->actionGroup->isExclusive();
            if (!item->group->slot.isEmpty())
                group[QLatin1String("slot")] = authored(item->group->slot);
            entry[QLatin1String("group")] = group;
        }
        if (action) {
            if (!action->isSeparator())
                entry[QLatin1String("text")] = action->text();
            if (!action->shortcut().isEmpty()) {
                entry[QLatin1String("shortcut")] =
                    action->shortcut().toString(QKeySequence::PortableText);
                entry[QLatin1String("shortcutContext")] =
                    shortcutContextName(action->shortcutContext());
            }
            entry[QLatin1String("data")] = QJsonValue::fromVariant(action->data());
            entry[QLatin1String("dataType")] = QLatin1String(action->data().typeName());
            const QString role = roleName(action->menuRole());
            if (!role.isEmpty())
                entry[QLatin1String("role")] = role;
            entry[QLatin1String("checkable")] = action->isCheckable();
            entry[QLatin1String("checked")] = action->isChecked();
            entry[QLatin1String("enabled")] = action->isEnabled();
            entry[QLatin1String("visible")] = action->isVisible();
        }
        array.append(entry);
    }
    return array;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void entryLines(const QJsonArray &array, const QString &indent, QStringList &lines)
{
    for (const QJsonValue &value : array) {
        const QJsonObject entry = value.toObject();
        const QString kind = entry[QLatin1String("kind")].toString();
        QStringList parts {kind, QString::number(entry[QLatin1String("id")].toInteger())};
        if (entry.contains(QLatin1String("title")))
            parts << quoted(entry[QLatin1String("title")].toString());
        else if (entry.contains(QLatin1String("text")))
            parts << quoted(entry[QLatin1String("text")].toString());
        else if (kind == QLatin1String("item"))
            parts << QStringLiteral("(no name)");
        if (entry.contains(QLatin1String("shortcut")))
            parts << QStringLiteral("shortcut=") + entry[QLatin1String("shortcut")].toString()
                  << QStringLiteral("context=")
                    + entry[QLatin1String("shortcutContext")].toString();
        if (entry.contains(QLatin1String("slot")))
            parts << QStringLiteral("slot=") + entry[QLatin1String("slot")].toString();
        if (entry.contains(QLatin1String("group"))) {
            const QJsonObject group = entry[QLatin1String("group")].toObject();
            parts << QStringLiteral("group=")
                    + QString::number(group[QLatin1String("id")].toInteger())
                  << (group[QLatin1String("exclusive")].toBool() ? QStringLiteral("exclusive")
                                                                 : QStringLiteral("non-exclusive"));
            if (group.contains(QLatin1String("slot")))
                parts << QStringLiteral("group-slot=") + group[QLatin1String("slot")].toString();
        }
        if (entry.contains(QLatin1String("dataType"))) {
            const QJsonValue data = entry[QLatin1String("data")];
            parts << QStringLiteral("data=")
                    + (data.isString() ? quoted(data.toString()) : data.toVariant().toString())
                  << QStringLiteral("type=") + entry[QLatin1String("dataType")].toString();
        }
        if (entry.contains(QLatin1String("role")))
            parts << QStringLiteral("role=") + entry[QLatin1String("role")].toString();
        for (const char *flag : {"checkable", "checked"}) {
            if (entry[QLatin1String(flag)].toBool())
                parts << QLatin1String(flag);
        }
        // Qt disables what it hides: only a visible action says whether it was disabled.
        if (entry.contains(QLatin1String("visible"))) {
            if (!entry[QLatin1String("visible")].toBool())
                parts << QStringLiteral("hidden");
            else if (!entry[QLatin1String("enabled")].toBool())
                parts << QStringLiteral("disabled");
        }
        parts << QStringLiteral("plugin=") + entry[QLatin1String("plugin")].toString();
        lines << indent + parts.join(QLatin1Char(' '));
        if (entry.contains(QLatin1String("entries")))
            entryLines(entry[QLatin1String("entries")].toArray(), indent + QStringLiteral("  "),
                       lines);
    }
}

} // namespace

QJsonArray toJson(const MenuMap &menus)
{
    QJsonArray array;
    for (const auto &[id, menu] : menus) {
        QJsonObject object;
        object[QLatin1String("id")] = qint64(id);
        object[QLatin1String("title")] = menu->title;
        object[QLatin1String("plugin")] = pluginName(menu->pluginInfo);
        QJsonArray slotList;
        for (qsizetype i = 0; i < menu->menuSlots.size(); ++i) {
            QJsonObject slot;
            slot[QLatin1String("slot")] = authored(menu->menuSlots.at(i));
            slot[QLatin1String("plugin")] = pluginName(menu->menuSlotPlugins.value(i));
            slotList.append(slot);
        }
        object[QLatin1String("slots")] = slotList;
        object[QLatin1String("entries")] = entries(menu->items);
        array.append(object);
    }
    return array;
}

QStringList toText(const QJsonArray &menus)
{
    QStringList lines;
    for (const QJsonValue &value : menus) {
        const QJsonObject menu = value.toObject();
        lines << QStringLiteral("menu %1 %2 plugin=%3")
                     .arg(QString::number(menu[QLatin1String("id")].toInteger()),
                          quoted(menu[QLatin1String("title")].toString()),
                          menu[QLatin1String("plugin")].toString());
        for (const QJsonValue &slot : menu[QLatin1String("slots")].toArray())
            lines << QStringLiteral("  slot %1 plugin=%2")
                         .arg(slot[QLatin1String("slot")].toString(),
                              slot[QLatin1String("plugin")].toString());
        entryLines(menu[QLatin1String("entries")].toArray(), QStringLiteral("  "), lines);
    }
    return lines;
}

} // namespace Quorvex::MenuDump
