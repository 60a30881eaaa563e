// SPDX-License-Identifier: LGPL-2.1-or-later
// libFuzzer target for the menu description reader: the input is the property
// text of the one menu plug-in of a fixed context. Whatever the text, every
// action and action group the reader leaves under the action parent belongs to
// the model, and every entry sits under its own id.
#include <MavLibrary/menus/menu.h>
#include <MavLibrary/plugins/context.h>

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QSet>

#include <cstdint>
#include <cstdlib>

namespace {

class FixedContext : public Kapio::Context
{
public:
    FixedContext() { info.interfaces.push_back(Quorvex::MenuInterfaceId); }

    int loadPlugin(Kapio::PluginInfo *, Kapio::Plugin **, int) override { return Kapio::NotFound; }
    std::vector<Kapio::PluginInfo *> plugins() const override
    {
        return {const_cast<Kapio::PluginInfo *>(&info)};
    }
    int referenceCount(const Kapio::PluginInfo *) const override { return 0; }
    std::string errorString(const Kapio::PluginInfo *) const override { return {}; }

    Kapio::PluginInfo info;
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void collect(const std::map<unsigned int, Quorvex::MenuItem *> &items,
             const Kapio::PluginInfo *info, QSet<QObject *> &held, int depth)
{
    check(depth <= 1); // submenus hold no submenus
    for (const auto &[id, item] : items) {
        check(item && item->id == id && item->pluginInfo == info);
        if (item->action)
            held.insert(item->action);
        if (item->group) {
            check(item->action && item->action->actionGroup() == item->group->actionGroup);
            held.insert(item->group->actionGroup);
        }
        if (auto *submenu = dynamic_cast<Quorvex::SubMenu *>(item)) {
            check(!submenu->action);
            collect(submenu->items, info, held, depth + 1);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static FixedContext context;
    context.info.properties.assign(reinterpret_cast<const char *>(data), size);
    QObject actionParent;
    Quorvex::MenuMap *menus = Quorvex::readMenuDescriptions(&context, &actionParent);
    QSet<QObject *> held;
    for (const auto &[id, menu] : *menus) {
        check(menu && menu->id == id && menu->pluginInfo == &context.info);
        check(menu->menuSlots.size() == menu->menuSlotPlugins.size());
        collect(menu->items, &context.info, held, 0);
    }
    const QObjectList children = actionParent.children();
    check(QSet<QObject *>(children.begin(), children.end()) == held);
    Quorvex::releaseMenuDescriptions(menus);
    return 0;
}
