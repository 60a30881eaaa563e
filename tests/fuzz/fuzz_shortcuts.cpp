// SPDX-License-Identifier: LGPL-2.1-or-later
// libFuzzer target for the shortcut description reader: the input is the property
// text of a fixed plug-in whose menu object has one slot and one signal. Whatever
// the text, every action in a set is one the reader made under the action parent,
// and the manager forgets the actions when they are destroyed.
#include "menus/shortcutparser_p.h"

#include <MavLibrary/menus/shortcutmanager.h>
#include <MavLibrary/plugins/context.h>

#include <QAction>
#include <QApplication>
#include <QLoggingCategory>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

class Receiver : public QObject
{
    Q_OBJECT

Q_SIGNALS:
    void requested();

public Q_SLOTS:
    void play() { }
};

class FixedPlugin : public Kapio::Plugin, public Kapio::MenuInterface
{
public:
    FixedPlugin() { pluginInfo.interfaces.push_back(Quorvex::MenuInterfaceId); }

    void release() override { }
    Kapio::PluginInfo *info() const override
    {
        return const_cast<Kapio::PluginInfo *>(&pluginInfo);
    }
    int queryInterface(const std::string &identifier, void **out) override
    {
        if (identifier != Quorvex::MenuInterfaceId)
            return Kapio::NotFound;
        *out = static_cast<Kapio::MenuInterface *>(this);
        return Kapio::Success;
    }
    void addRef() override { }
    QObject *qObject() override { return &receiver; }

    Kapio::PluginInfo pluginInfo;
    Receiver receiver;
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    // Targets the receiver lacks are expected here.
    QLoggingCategory::setFilterRules(QStringLiteral("zentrix.menus.warning=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static FixedPlugin plugin;
    plugin.pluginInfo.properties.assign(reinterpret_cast<const char *>(data), size);
    auto actionParent = std::make_unique<QObject>();
    const std::unique_ptr<Quorvex::ShortcutManager> shortcuts(
        Quorvex::parseDescribedShortcuts(&plugin, actionParent.get(), nullptr));
    const QObjectList children = actionParent->children();
    const QSet<QObject *> made(children.begin(), children.end());
    for (const QString name : {"All", "Menu", "Playing"}) {
        for (QAction *action : shortcuts->getSubContextActionSet(name, true))
            check(made.contains(action));
    }
    actionParent.reset();
    check(shortcuts->getSubContextActionSet(QStringLiteral("Playing"), true).isEmpty());
    return 0;
}

#include "fuzz_shortcuts.moc"
