// SPDX-License-Identifier: LGPL-2.1-or-later
// The reader of the shortcut descriptions in a plug-in's property document.
#include "shortcutparser.h"
#include "commonmenubar.h"
#include "menudocument_p.h"
#include "menuslogging_p.h"
#include "shortcutmanager.h"
#include "shortcutparser_p.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/context.h>

#include <QAction>
#include <QKeySequence>
#include <QXmlStreamReader>

namespace Quorvex {

using namespace MenuDocument;

/*
    One document. Element names are exact; a platform attribute names one
    platform, and an element for another one is skipped whole, its effect on
    the section flags included.

    <quorvex>                 opens the two sections below
      <menus> ... <item id>   the linked menu action joins "Menu"
      <shortcuts>
        <context>             translation context of later names
        <item>                one new action, added at its end to each listed
                              sub-context, or to "All"
          name shortcut signal slot value subcontext
*/
class ShortcutReader
{
public:
    static ShortcutManager *parse(Kapio::Plugin *plugin, QObject *actionParent,
                                  std::vector<ShortcutEntry> *entries)
    {
        auto *manager = new ShortcutManager;
        void *found = nullptr;
        if (!plugin || plugin->queryInterface(MenuInterfaceId, &found) != Kapio::Success || !found)
            return manager;
        QObject *receiver = static_cast<Kapio::MenuInterface *>(found)->qObject();
        const Kapio::PluginInfo *info = plugin->info();
        if (!receiver || !info)
            return manager;
        ShortcutReader(*manager, receiver, info->properties, actionParent, entries).read();
        return manager;
    }

private:
    ShortcutReader(ShortcutManager &manager, QObject *receiver, const std::string &properties,
                   QObject *actionParent, std::vector<ShortcutEntry> *entries)
        : m_xml(QByteArray::fromRawData(properties.data(), qsizetype(properties.size())))
        , m_manager(manager)
        , m_receiver(receiver)
        , m_actionParent(actionParent)
        , m_entries(entries)
        , m_platform(OSUtilities::getPlatformString())
    { }

    void read()
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                startElement();
                break;
            case QXmlStreamReader::EndElement:
                endElement();
                break;
            case QXmlStreamReader::Characters:
                if (m_inShortcuts && m_pending != Pending::None && !m_xml.isWhitespace())
                    characters(m_xml.text());
                break;
            default:
                break;
            }
        }
        if (m_xml.hasError())
            qCDebug(lcMenus).noquote() << "shortcut description ends at line" << m_xml.lineNumber()
                                       << "-" << m_xml.errorString();
    }

    enum class Pending { None, Name, Context, Shortcut, Signal, Slot, Value, SubContext };

    void startElement()
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        if (attributes.hasAttribute(QLatin1StringView("platform"))
            && attributes.value(QLatin1StringView("platform")) != m_platform)
            return;
        const QStringView name = m_xml.name();
        if (name == u"quorvex") {
            m_inQuorvex = true;
        } else if (name == u"menus") {
            m_inMenus = m_inQuorvex;
            m_inShortcuts = false;
        } else if (name == u"shortcuts") {
            m_inShortcuts = m_inQuorvex;
            m_inMenus = false;
        } else if (name == u"item") {
            if (m_inShortcuts) {
                m_action = new QAction(m_actionParent);
                m_action->setAutoRepeat(false);
                m_targets.clear();
            } else if (m_inMenus) {
                menuItem(attributes);
            }
        } else if (m_inShortcuts) {
            if (name == u"name") {
                m_pending = Pending::Name;
            } else if (name == u"context") {
                m_pending = Pending::Context;
            } else if (name == u"signal") {
                m_pending = Pending::Signal;
            } else if (name == u"slot") {
                m_pending = Pending::Slot;
            } else if (name == u"subcontext") {
                m_pending = Pending::SubContext;
            } else if (name == u"shortcut") {
                m_pending = Pending::Shortcut;
                const auto context =
                    shortcutContextOf(attributes.value(QLatin1StringView("context")));
                if (m_action && context)
                    m_action->setShortcutContext(*context);
            } else if (name == u"value") {
                m_pending = Pending::Value;
                m_valueType = valueTypeOf(attributes.value(QLatin1StringView("type")));
            }
        }
    }

    void menuItem(const QXmlStreamAttributes &attributes)
    {
        bool ok = false;
        const unsigned int id = attributes.value(QLatin1StringView("id")).toUInt(&ok, 10);
        QAction *action = ok ? CommonMenuBar::getAction(id) : nullptr;
        if (!action)
            return;
        m_manager.addAction(QLatin1String(MenuSubContext), action);
        if (m_entries)
            m_entries->push_back({action, id, {}, {}});
    }

    void endElement()
    {
        const QStringView name = m_xml.name();
        if (name == u"quorvex") {
            m_inQuorvex = m_inMenus = m_inShortcuts = false;
        } else if (name == u"menus") {
            m_inMenus = false;
        } else if (name == u"shortcuts") {
            m_inShortcuts = false;
        }
        if (!m_inShortcuts)
            return;
        if (name == u"item") {
            if (m_action) {
                if (m_subContexts.isEmpty())
                    m_manager.addAction(QLatin1String(AllSubContext), m_action);
                for (const QString &subContext : std::as_const(m_subContexts))
                    m_manager.addAction(subContext, m_action);
                if (m_entries)
                    m_entries->push_back({m_action, 0, m_targets, m_subContexts});
            }
            m_subContexts.clear();
            m_action = nullptr;
        }
        m_pending = Pending::None;
    }

    void characters(QStringView text)
    {
        if (m_pending == Pending::Context) {
            m_translationContext = text.toLatin1();
            return;
        }
        if (!m_action)
            return;
        switch (m_pending) {
        case Pending::Name:
            m_action->setText(translate(m_translationContext, text, "Shortcuts"));
            break;
        case Pending::Shortcut:
            m_action->setShortcut(
                QKeySequence::fromString(text.toString(), QKeySequence::PortableText));
            break;
        case Pending::Signal:
            connectTarget(QLatin1Char('2') + text.toString());
            break;
        case Pending::Slot:
            connectTarget(QLatin1Char('1') + text.toString());
            break;
        case Pending::Value: {
            const QVariant value = typedValue(m_valueType, text);
            if (value.isValid())
                m_action->setData(value);
            break;
        }
        case Pending::SubContext:
            m_subContexts.append(text.toString());
            break;
        case Pending::None:
        case Pending::Context:
            break;
        }
    }

    // A signature the plug-in's object lacks leaves the action unconnected; it
    // is said here, in this category, rather than by QObject::connect.
    void connectTarget(const QString &signature)
    {
        const QMetaMethod target = findMethod(m_receiver, signature);
        const QMetaObject *meta = m_action->metaObject();
        const QMetaMethod triggered = meta->method(meta->indexOfSignal("triggered()"));
        const bool connected = target.isValid() && QMetaObject::checkConnectArgs(triggered, target)
            && QObject::connect(m_action, triggered, m_receiver, target);
        if (!connected)
            qCWarning(lcMenus).noquote()
                << "shortcut" << m_action->text() << "cannot reach" << signature.mid(1) << "of"
                << m_receiver->metaObject()->className();
        m_targets.append({signature, connected});
    }

    QXmlStreamReader m_xml;
    ShortcutManager &m_manager;
    QObject *m_receiver;
    QObject *m_actionParent;
    std::vector<ShortcutEntry> *m_entries;
    const QString m_platform;

    bool m_inQuorvex = false;
    bool m_inMenus = false;
    bool m_inShortcuts = false;
    Pending m_pending = Pending::None;
    QAction *m_action = nullptr;
    QByteArray m_translationContext;
    ValueType m_valueType = ValueType::Text;
    QStringList m_subContexts;
    QList<ShortcutEntry::Target> m_targets;
};

ShortcutManager *parseDescribedShortcuts(Kapio::Plugin *plugin, QObject *actionParent,
                                         std::vector<ShortcutEntry> *entries)
{
    return ShortcutReader::parse(plugin, actionParent, entries);
}

ShortcutManager *ShortcutParser::parseShortcuts(Kapio::Plugin *plugin, QObject *actionParent)
{
    return parseDescribedShortcuts(plugin, actionParent, nullptr);
}

} // namespace Quorvex
