// SPDX-License-Identifier: LGPL-2.1-or-later
// The reader of the menu descriptions in the plug-ins' property documents.
#include "menu.h"
#include "menuslogging_p.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/context.h>

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QKeySequence>
#include <QXmlStreamReader>

#include <unordered_set>
#include <vector>

namespace Quorvex {

namespace {

// What a document may hold of the model: everything the reader made for it,
// and what is reachable from the map in the end.
struct Objects
{
    std::vector<Menu *> menus;
    std::vector<MenuItem *> items;
    std::vector<MenuGroup *> groups;
};

struct Reachable
{
    std::unordered_set<Menu *> menus;
    std::unordered_set<MenuItem *> items;
    std::unordered_set<MenuGroup *> groups;

    void addItems(const std::map<unsigned int, MenuItem *> &entries)
    {
        for (const auto &entry : entries) {
            MenuItem *item = entry.second;
            if (!item || !items.insert(item).second)
                continue;
            if (item->group)
                groups.insert(item->group);
            if (auto *submenu = dynamic_cast<SubMenu *>(item))
                addItems(submenu->items);
        }
    }

    explicit Reachable(const MenuMap &map)
    {
        for (const auto &entry : map) {
            menus.insert(entry.second);
            addItems(entry.second->items);
        }
    }
};

void destroy(MenuItem *item)
{
    delete item->action;
    delete item;
}

void destroy(MenuGroup *group)
{
    delete group->actionGroup;
    delete group;
}

QVariant typedValue(QStringView type, const QString &text)
{
    if (type == u"float")
        return QVariant(double(text.toFloat()));
    if (type == u"double")
        return QVariant(text.toDouble());
    if (type == u"int16")
        return QVariant(int(text.toShort()));
    if (type == u"uint16")
        return QVariant(int(text.toUShort()));
    if (type == u"int32")
        return QVariant(text.toInt());
    if (type == u"uint32")
        return QVariant(text.toUInt());
    if (type == u"int64")
        return QVariant(text.toLongLong());
    if (type == u"uint64")
        return QVariant(text.toULongLong());
    return QVariant(text);
}

void applyShortcutContext(QAction *action, QStringView context)
{
    if (context == u"widget")
        action->setShortcutContext(Qt::WidgetShortcut);
    else if (context == u"window")
        action->setShortcutContext(Qt::WindowShortcut);
    else if (context == u"application")
        action->setShortcutContext(Qt::ApplicationShortcut);
    else if (context == u"widgetAndChildren")
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
}

void applyRole(QAction *action, QStringView role)
{
    if (role == u"ApplicationSpecificRole")
        action->setMenuRole(QAction::ApplicationSpecificRole);
    else if (role == u"AboutQtRole")
        action->setMenuRole(QAction::AboutQtRole);
    else if (role == u"AboutRole")
        action->setMenuRole(QAction::AboutRole);
    else if (role == u"PreferencesRole")
        action->setMenuRole(QAction::PreferencesRole);
    else if (role == u"QuitRole")
        action->setMenuRole(QAction::QuitRole);
}

/*
    One document, read with fresh state. Element names are exact; the six flags
    track the nesting, the pending state says what the next text is for.

    start element   1. flags (before and regardless of the platform test)
                    2. platform test: skip the element's own effect
                    3. nothing more outside <menus>
                    4. context, menu
                    5. with a current menu: group, separator, item, submenu,
                       name, slot, value, non-exclusive
                    6. in an item with a current item: shortcut, role,
                       checkable, checked, disabled, hidden
    end element     stores a menu, item or submenu; resets the pending state
    text            by the pending state
*/
class DocumentReader
{
public:
    DocumentReader(MenuMap &map, Objects &made, Kapio::PluginInfo *info, QObject *actionParent,
                   const QString &platform)
        : m_xml(QByteArray::fromRawData(info->properties.data(), qsizetype(info->properties.size())))
        , m_map(map)
        , m_made(made)
        , m_info(info)
        , m_actionParent(actionParent)
        , m_platform(platform)
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
                if (!m_xml.isWhitespace())
                    characters(m_xml.text().toString());
                break;
            default:
                break;
            }
        }
        if (m_xml.hasError())
            qCDebug(lcMenus).noquote()
                << "menu description of" << QString::fromStdString(m_info->name)
                << "ends at line" << m_xml.lineNumber() << "-" << m_xml.errorString();
    }

private:
    enum class Pending { None, Context, Name, Shortcut, Slot, Role, Value };

    bool readId(unsigned int &id) const
    {
        bool ok = false;
        id = m_xml.attributes().value(QLatin1StringView("id")).toUInt(&ok, 10);
        return ok;
    }

    bool platformAccepted() const
    {
        const QStringView list = m_xml.attributes().value(QLatin1StringView("platform"));
        if (list.isEmpty())
            return true;
        bool any = false;
        for (const QStringView part : list.tokenize(u',', Qt::SkipEmptyParts)) {
            if (part == m_platform)
                return true;
            any = true;
        }
        return !any;
    }

    void startElement()
    {
        const QStringView name = m_xml.name();
        if (name == u"quorvex") {
            m_inQuorvex = true;
        } else if (name == u"menus") {
            m_inMenus = m_inQuorvex;
        } else if (m_inMenus) {
            if (name == u"menu") {
                m_inMenu = true;
            } else if (m_inMenu) {
                if (name == u"group")
                    m_inGroup = true;
                else if (name == u"item")
                    m_inItem = true;
                else if (name == u"submenu")
                    m_inSubmenu = true;
            }
        }
        if (!platformAccepted() || !m_inMenus)
            return;

        unsigned int id = 0;
        if (name == u"context") {
            m_pending = Pending::Context;
        } else if (name == u"menu") {
            if (readId(id)) {
                const auto found = m_map.find(id);
                if (found != m_map.end()) {
                    m_menu = found->second;
                } else {
                    m_menu = new Menu(id, m_info);
                    m_made.menus.push_back(m_menu);
                }
            }
        }

        if (m_menu) {
            if (name == u"group") {
                if (readId(id)) {
                    m_group = new MenuGroup(id, m_info, new QActionGroup(m_actionParent));
                    m_made.groups.push_back(m_group);
                }
            } else if (name == u"separator") {
                if (readId(id)) {
                    auto *separator = new MenuItem(id, m_info);
                    m_made.items.push_back(separator);
                    separator->action = new QAction(m_actionParent);
                    separator->action->setData(QVariant(id));
                    separator->action->setSeparator(true);
                    separator->action->setAutoRepeat(false);
                    (m_submenu ? m_submenu->items : m_menu->items)[id] = separator;
                    m_item = nullptr;
                }
            } else if (name == u"item") {
                if (readId(id)) {
                    m_item = new MenuItem(id, m_info);
                    m_made.items.push_back(m_item);
                }
            } else if (name == u"submenu") {
                if (readId(id)) {
                    m_submenu = new SubMenu(id, m_info);
                    m_made.items.push_back(m_submenu);
                }
            } else if (name == u"name") {
                m_pending = Pending::Name;
            } else if (name == u"slot") {
                m_pending = Pending::Slot;
            } else if (name == u"value") {
                m_pending = Pending::Value;
                m_valueType = m_xml.attributes().value(QLatin1StringView("type")).toString();
            } else if (name == u"non-exclusive") {
                if (m_inGroup && m_group)
                    m_group->actionGroup->setExclusive(false);
            }
        }

        if (m_inItem && m_item) {
            QAction *action = m_item->action;
            if (name == u"shortcut") {
                m_pending = Pending::Shortcut;
                m_shortcutContext = m_xml.attributes().value(QLatin1StringView("context")).toString();
            } else if (name == u"role") {
                m_pending = Pending::Role;
            } else if (name == u"checkable") {
                if (action)
                    action->setCheckable(true);
            } else if (name == u"checked") {
                if (action)
                    action->setChecked(true);
            } else if (name == u"disabled") {
                if (action)
                    action->setEnabled(false);
            } else if (name == u"hidden") {
                if (action)
                    action->setVisible(false);
            }
        }
    }

    void endElement()
    {
        const QStringView name = m_xml.name();
        if (name == u"quorvex") {
            m_inQuorvex = false;
            m_inMenus = false;
            return;
        }
        if (name == u"menus") {
            m_inMenus = false;
            return;
        }
        if (!m_inMenus)
            return;

        if (name == u"menu") {
            if (m_menu)
                m_map[m_menu->id] = m_menu;
            m_menu = nullptr;
            m_inMenu = false;
        } else if (name == u"group") {
            m_group = nullptr;
            m_inGroup = false;
        } else if (name == u"item") {
            if (m_menu && m_item)
                (m_submenu ? m_submenu->items : m_menu->items)[m_item->id] = m_item;
            m_item = nullptr;
            m_shortcutContext.clear();
            m_inItem = false;
        } else if (name == u"submenu") {
            if (m_menu && m_submenu)
                m_menu->items[m_submenu->id] = m_submenu;
            m_submenu = nullptr;
            m_inSubmenu = false;
        }
        m_pending = Pending::None;
    }

    void characters(const QString &text)
    {
        switch (m_pending) {
        case Pending::None:
            break;
        case Pending::Context:
            m_translationContext = text.toLatin1();
            break;
        case Pending::Name:
            nameText(text);
            break;
        case Pending::Slot: {
            const QString slot = QLatin1Char('1') + text;
            if (m_inItem) {
                if (m_item)
                    m_item->slot = slot;
            } else if (m_inGroup) {
                if (m_group)
                    m_group->slot = slot;
            } else if (!m_inSubmenu && m_inMenu && m_menu) {
                m_menu->menuSlots.append(slot);
                m_menu->menuSlotPlugins.append(m_info);
            }
            break;
        }
        case Pending::Shortcut:
            if (m_inItem && m_item && m_item->action) {
                m_item->action->setShortcut(QKeySequence::fromString(text, QKeySequence::PortableText));
                applyShortcutContext(m_item->action, m_shortcutContext);
            }
            break;
        case Pending::Role:
            if (m_inItem && m_item && m_item->action)
                applyRole(m_item->action, text);
            break;
        case Pending::Value:
            if (m_item && m_item->action) {
                const QVariant value = typedValue(m_valueType, text);
                if (value.isValid())
                    m_item->action->setData(value);
            }
            break;
        }
    }

    void nameText(const QString &text)
    {
        const QString translated = QCoreApplication::translate(
            m_translationContext.constData(), text.toUtf8().constData(), "Menus");
        if (m_inItem) {
            if (m_item && !m_item->action) {
                auto *action = new QAction(translated, m_actionParent);
                action->setAutoRepeat(false);
                action->setData(QVariant(m_item->id));
                m_item->action = action;
                if (m_group) {
                    m_group->actionGroup->addAction(action);
                    m_item->group = m_group;
                }
            }
        } else if (m_inSubmenu) {
            if (m_submenu && m_submenu->title.isEmpty())
                m_submenu->title = translated;
        } else if (m_inMenu) {
            if (m_menu && m_menu->title.isEmpty())
                m_menu->title = translated;
        }
    }

    QXmlStreamReader m_xml;
    MenuMap &m_map;
    Objects &m_made;
    Kapio::PluginInfo *m_info;
    QObject *m_actionParent;
    const QString &m_platform;

    bool m_inQuorvex = false;
    bool m_inMenus = false;
    bool m_inMenu = false;
    bool m_inGroup = false;
    bool m_inItem = false;
    bool m_inSubmenu = false;
    Pending m_pending = Pending::None;
    Menu *m_menu = nullptr;
    MenuGroup *m_group = nullptr;
    MenuItem *m_item = nullptr;
    SubMenu *m_submenu = nullptr;
    QByteArray m_translationContext;
    QString m_valueType;
    QString m_shortcutContext;
};

} // namespace

MenuMap *readMenuDescriptions(Kapio::Context *context, QObject *actionParent)
{
    auto *map = new MenuMap;
    if (!context)
        return map;
    std::vector<Kapio::PluginInfo *> infos;
    context->findPlugins(Kapio::PluginInterfaceFilter(MenuInterfaceId), infos);
    const QString platform = OSUtilities::getPlatformString();
    Objects made;
    for (Kapio::PluginInfo *info : infos) {
        if (info)
            DocumentReader(*map, made, info, actionParent, platform).read();
    }

    // Entries replaced under an id already used, and elements never stored (left
    // open, or lost to a nested element of their own kind), are unreachable: no
    // one else holds them.
    const Reachable reachable(*map);
    for (Menu *menu : made.menus) {
        if (!reachable.menus.count(menu))
            delete menu;
    }
    for (MenuItem *item : made.items) {
        if (!reachable.items.count(item))
            destroy(item);
    }
    for (MenuGroup *group : made.groups) {
        if (!reachable.groups.count(group))
            destroy(group);
    }
    return map;
}

void releaseMenuDescriptions(MenuMap *menus)
{
    if (!menus)
        return;
    const Reachable reachable(*menus);
    for (MenuItem *item : reachable.items)
        destroy(item);
    for (MenuGroup *group : reachable.groups)
        destroy(group);
    for (Menu *menu : reachable.menus)
        delete menu;
    delete menus;
}

} // namespace Quorvex
