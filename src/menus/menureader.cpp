// SPDX-License-Identifier: LGPL-2.1-or-later
// The reader of the menu descriptions in the plug-ins' property documents.
#include "menu.h"
#include "menudocument_p.h"
#include "menuslogging_p.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/context.h>

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QXmlStreamReader>

#include <algorithm>
#include <optional>
#include <vector>

namespace Quorvex {

namespace {

using namespace MenuDocument;

// What a document may hold of the model: everything the reader made for it,
// and what is reachable from the map in the end.
struct Objects
{
    std::vector<Menu *> menus;
    std::vector<MenuItem *> items;
    std::vector<MenuGroup *> groups;
};

// Everything reachable from a model's map, as sorted lists to look objects up in.
struct Reachable
{
    std::vector<Menu *> menus;
    std::vector<MenuItem *> items;
    std::vector<MenuGroup *> groups;

    void addItems(const std::map<unsigned int, MenuItem *> &entries)
    {
        for (const auto &entry : entries) {
            MenuItem *item = entry.second;
            items.push_back(item);
            if (item->group)
                groups.push_back(item->group);
            if (auto *submenu = dynamic_cast<SubMenu *>(item))
                addItems(submenu->items);
        }
    }

    template<typename T> static void sortUnique(std::vector<T *> &list)
    {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }

    explicit Reachable(const MenuMap &map)
    {
        for (const auto &entry : map) {
            menus.push_back(entry.second);
            addItems(entry.second->items);
        }
        // An object is stored at most once, but a group serves several items.
        sortUnique(menus);
        sortUnique(items);
        sortUnique(groups);
    }

    template<typename T> static bool contains(const std::vector<T *> &list, T *object)
    {
        return std::binary_search(list.begin(), list.end(), object);
    }
};

QString nameOf(const Kapio::PluginInfo *info)
{
    return info ? QString::fromStdString(info->name) : QString();
}

// Ids are global and the merge is by design; a clash is only made visible, as a
// warning naming both plug-ins.
struct Clashes
{
    //! The plug-in whose name became each menu's title.
    std::map<const Menu *, const Kapio::PluginInfo *> titledBy;

    static QString where(const Menu *menu, const SubMenu *submenu)
    {
        return submenu ? QStringLiteral("submenu %1 of menu %2").arg(submenu->id).arg(menu->id)
                       : QStringLiteral("menu %1").arg(menu->id);
    }

    //! Puts \a entry into \a items, saying so when it replaces another plug-in's.
    static void store(std::map<unsigned int, MenuItem *> &items, MenuItem *entry, const Menu *menu,
                      const SubMenu *submenu)
    {
        MenuItem *&place = items[entry->id];
        if (place && place != entry)
            qCWarning(lcMenus).noquote()
                << QStringLiteral(
                       "id %1 in %2: the entry of plug-in %3 replaces that of plug-in %4")
                       .arg(QString::number(entry->id), where(menu, submenu),
                            nameOf(entry->pluginInfo), nameOf(place->pluginInfo));
        place = entry;
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

// The element names of the vocabulary; anything else is Other.
enum class Element {
    Other,
    Quorvex,
    Menus,
    Context,
    Menu,
    Group,
    Item,
    Separator,
    Submenu,
    Name,
    Slot,
    Value,
    NonExclusive,
    Shortcut,
    Role,
    Checkable,
    Checked,
    Disabled,
    Hidden,
};

// Called for every element of every document: the length and one letter pick
// the only candidate, which is then compared whole.
Element elementOf(QStringView name)
{
    // The lengths are equal here: a plain comparison of the code units will do.
    const auto is = [name](QStringView candidate, Element element) {
        return std::equal(candidate.begin(), candidate.end(), name.begin()) ? element
                                                                            : Element::Other;
    };
    switch (name.size()) {
    case 4:
        switch (name.at(0).unicode()) {
        case u'm':
            return is(u"menu", Element::Menu);
        case u'i':
            return is(u"item", Element::Item);
        case u'n':
            return is(u"name", Element::Name);
        case u's':
            return is(u"slot", Element::Slot);
        case u'r':
            return is(u"role", Element::Role);
        }
        break;
    case 5:
        switch (name.at(0).unicode()) {
        case u'm':
            return is(u"menus", Element::Menus);
        case u'g':
            return is(u"group", Element::Group);
        case u'v':
            return is(u"value", Element::Value);
        }
        break;
    case 6:
        return is(u"hidden", Element::Hidden);
    case 7:
        switch (name.at(2).unicode()) {
        case u'o':
            return is(u"quorvex", Element::Quorvex);
        case u'n':
            return is(u"context", Element::Context);
        case u'b':
            return is(u"submenu", Element::Submenu);
        case u'e':
            return is(u"checked", Element::Checked);
        }
        break;
    case 8:
        return name.at(0) == u's' ? is(u"shortcut", Element::Shortcut)
                                  : is(u"disabled", Element::Disabled);
    case 9:
        return name.at(0) == u's' ? is(u"separator", Element::Separator)
                                  : is(u"checkable", Element::Checkable);
    case 13:
        return is(u"non-exclusive", Element::NonExclusive);
    }
    return Element::Other;
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
    DocumentReader(MenuMap &map, Objects &made, Clashes &clashes, Kapio::PluginInfo *info,
                   QObject *actionParent, const QString &platform)
        : m_xml(
            QByteArray::fromRawData(info->properties.data(), qsizetype(info->properties.size())))
        , m_map(map)
        , m_made(made)
        , m_clashes(clashes)
        , m_info(info)
        , m_actionParent(actionParent)
        , m_platform(platform)
    { }

    void read()
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                startElement(elementOf(m_xml.name()), m_xml.attributes());
                break;
            case QXmlStreamReader::EndElement:
                endElement(elementOf(m_xml.name()));
                break;
            case QXmlStreamReader::Characters:
                if (m_pending != Pending::None && !m_xml.isWhitespace())
                    characters(m_xml.text());
                break;
            default:
                break;
            }
        }
        if (m_xml.hasError())
            qCDebug(lcMenus).noquote()
                << "menu description of" << QString::fromStdString(m_info->name) << "ends at line"
                << m_xml.lineNumber() << "-" << m_xml.errorString();
    }

private:
    enum class Pending { None, Context, Name, Shortcut, Slot, Role, Value };

    // An element without a usable id is skipped; said, since its entries vanish.
    bool readId(const QXmlStreamAttributes &attributes, unsigned int &id)
    {
        bool ok = false;
        const QStringView text = attributes.value(QLatin1StringView("id"));
        id = text.toUInt(&ok, 10);
        if (!ok)
            qCWarning(lcMenus).noquote()
                << QStringLiteral("menu description of %1, line %2: <%3> skipped, %4")
                       .arg(nameOf(m_info), QString::number(m_xml.lineNumber()),
                            m_xml.name().toString(),
                            attributes.hasAttribute(QLatin1StringView("id"))
                                ? QStringLiteral("its id \"%1\" is no number from 0 to 4294967295")
                                      .arg(text.toString())
                                : QStringLiteral("it has no id"));
        return ok;
    }

    bool platformAccepted(const QXmlStreamAttributes &attributes) const
    {
        const QStringView list = attributes.value(QLatin1StringView("platform"));
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

    void startElement(Element element, const QXmlStreamAttributes &attributes)
    {
        enter(element);
        if (!m_inMenus || !platformAccepted(attributes))
            return;

        unsigned int id = 0;
        if (element == Element::Context) {
            m_pending = Pending::Context;
        } else if (element == Element::Menu) {
            if (readId(attributes, id)) {
                const auto found = m_map.find(id);
                if (found != m_map.end()) {
                    m_menu = found->second;
                } else {
                    m_menu = new Menu(id, m_info);
                    m_made.menus.push_back(m_menu);
                }
            }
        }
        if (m_menu)
            startInMenu(element, attributes);
        if (m_inItem && m_item)
            startInItem(element, attributes);
    }

    // Where in the document the reader is.
    void enter(Element element)
    {
        if (element == Element::Quorvex) {
            m_inQuorvex = true;
        } else if (element == Element::Menus) {
            m_inMenus = m_inQuorvex;
        } else if (m_inMenus) {
            if (element == Element::Menu) {
                m_inMenu = true;
            } else if (m_inMenu) {
                if (element == Element::Group)
                    m_inGroup = true;
                else if (element == Element::Item)
                    m_inItem = true;
                else if (element == Element::Submenu)
                    m_inSubmenu = true;
            }
        }
    }

    void startInMenu(Element element, const QXmlStreamAttributes &attributes)
    {
        unsigned int id = 0;
        switch (element) {
        case Element::Group:
            if (readId(attributes, id)) {
                m_group = new MenuGroup(id, m_info, new QActionGroup(m_actionParent));
                m_made.groups.push_back(m_group);
            }
            break;
        case Element::Separator:
            if (readId(attributes, id)) {
                auto *separator = new MenuItem(id, m_info);
                m_made.items.push_back(separator);
                separator->action = new QAction(m_actionParent);
                separator->action->setData(QVariant(id));
                separator->action->setSeparator(true);
                separator->action->setAutoRepeat(false);
                Clashes::store(m_submenu ? m_submenu->items : m_menu->items, separator, m_menu,
                               m_submenu);
                m_item = nullptr;
            }
            break;
        case Element::Item:
            if (readId(attributes, id)) {
                m_item = new MenuItem(id, m_info);
                m_made.items.push_back(m_item);
            }
            break;
        case Element::Submenu:
            if (readId(attributes, id)) {
                m_submenu = new SubMenu(id, m_info);
                m_made.items.push_back(m_submenu);
            }
            break;
        case Element::Name:
            m_pending = Pending::Name;
            break;
        case Element::Slot:
            m_pending = Pending::Slot;
            break;
        case Element::Value:
            m_pending = Pending::Value;
            m_valueType = valueTypeOf(attributes.value(QLatin1StringView("type")));
            break;
        case Element::NonExclusive:
            if (m_inGroup && m_group)
                m_group->actionGroup->setExclusive(false);
            break;
        default:
            break;
        }
    }

    void startInItem(Element element, const QXmlStreamAttributes &attributes)
    {
        QAction *action = m_item->action;
        switch (element) {
        case Element::Shortcut:
            m_pending = Pending::Shortcut;
            m_shortcutContext = shortcutContextOf(attributes.value(QLatin1StringView("context")));
            break;
        case Element::Role:
            m_pending = Pending::Role;
            break;
        case Element::Checkable:
            if (action)
                action->setCheckable(true);
            break;
        case Element::Checked:
            if (action)
                action->setChecked(true);
            break;
        case Element::Disabled:
            if (action)
                action->setEnabled(false);
            break;
        case Element::Hidden:
            if (action)
                action->setVisible(false);
            break;
        default:
            break;
        }
    }

    void endElement(Element element)
    {
        if (element == Element::Quorvex) {
            m_inQuorvex = false;
            m_inMenus = false;
            return;
        }
        if (element == Element::Menus) {
            m_inMenus = false;
            return;
        }
        if (!m_inMenus)
            return;

        switch (element) {
        case Element::Menu:
            if (m_menu)
                m_map[m_menu->id] = m_menu;
            m_menu = nullptr;
            m_inMenu = false;
            break;
        case Element::Group:
            m_group = nullptr;
            m_inGroup = false;
            break;
        case Element::Item:
            if (m_menu && m_item)
                Clashes::store(m_submenu ? m_submenu->items : m_menu->items, m_item, m_menu,
                               m_submenu);
            m_item = nullptr;
            m_shortcutContext.reset();
            m_inItem = false;
            break;
        case Element::Submenu:
            if (m_menu && m_submenu)
                Clashes::store(m_menu->items, m_submenu, m_menu, nullptr);
            m_submenu = nullptr;
            m_inSubmenu = false;
            break;
        default:
            break;
        }
        m_pending = Pending::None;
    }

    void characters(QStringView text)
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
            QString slot;
            slot.reserve(text.size() + 1);
            slot.append(QLatin1Char('1')).append(text);
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
                m_item->action->setShortcut(
                    QKeySequence::fromString(text.toString(), QKeySequence::PortableText));
                if (m_shortcutContext)
                    m_item->action->setShortcutContext(*m_shortcutContext);
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

    QString translate(QStringView text) const
    {
        return MenuDocument::translate(m_translationContext, text, "Menus");
    }

    // The first name wins: a later one for the same item, submenu or menu is not
    // even translated.
    void nameText(QStringView text)
    {
        if (m_inItem) {
            if (m_item && !m_item->action) {
                auto *action = new QAction(translate(text), m_actionParent);
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
                m_submenu->title = translate(text);
        } else if (m_inMenu && m_menu) {
            menuTitle(text);
        }
    }

    void menuTitle(QStringView text)
    {
        const auto titled = m_clashes.titledBy.find(m_menu);
        if (titled != m_clashes.titledBy.end()) {
            if (titled->second != m_info)
                qCWarning(lcMenus).noquote()
                    << QStringLiteral("id %1: plug-in %2 names menu \"%3\", which plug-in %4 "
                                      "named \"%5\" first; the first title stays")
                           .arg(QString::number(m_menu->id), nameOf(m_info), text.toString(),
                                nameOf(titled->second), m_menu->title);
            return;
        }
        m_menu->title = translate(text);
        m_clashes.titledBy.emplace(m_menu, m_info);
        if (m_menu->pluginInfo != m_info)
            qCWarning(lcMenus).noquote()
                << QStringLiteral("id %1: the menu that plug-in %2 declared first takes its "
                                  "title \"%3\" from plug-in %4")
                       .arg(QString::number(m_menu->id), nameOf(m_menu->pluginInfo), m_menu->title,
                            nameOf(m_info));
    }

    QXmlStreamReader m_xml;
    MenuMap &m_map;
    Objects &m_made;
    Clashes &m_clashes;
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
    ValueType m_valueType = ValueType::Text;
    std::optional<Qt::ShortcutContext> m_shortcutContext;
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
    Clashes clashes;
    for (Kapio::PluginInfo *info : infos) {
        if (info)
            DocumentReader(*map, made, clashes, info, actionParent, platform).read();
    }

    // Entries replaced under an id already used, and elements never stored (left
    // open, or lost to a nested element of their own kind), are unreachable: no
    // one else holds them.
    const Reachable reachable(*map);
    for (Menu *menu : made.menus) {
        if (!Reachable::contains(reachable.menus, menu))
            delete menu;
    }
    for (MenuItem *item : made.items) {
        if (!Reachable::contains(reachable.items, item))
            destroy(item);
    }
    for (MenuGroup *group : made.groups) {
        if (!Reachable::contains(reachable.groups, group))
            destroy(group);
    }
    return map;
}

void releaseMenuDescriptions(MenuMap *menus)
{
    if (!menus)
        return;
    const Reachable reachable(*menus);
    qDeleteAll(reachable.items);
    qDeleteAll(reachable.groups);
    qDeleteAll(reachable.menus);
    delete menus;
}

} // namespace Quorvex
