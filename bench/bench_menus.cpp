// SPDX-License-Identifier: LGPL-2.1-or-later
// The menu reader, the first trigger of a menu entry, the plug-in folder scan, the
// common menu bar and the shortcut sets, each against the least work that any
// implementation must do (each iteration of a reader also destroys what it made,
// the actions with their parent, and each new window is destroyed again: pausing
// the timer around that only moves deferred costs of the allocator and of Qt from
// one side to the other):
//   readMenuDescriptions   one QXmlStreamReader pass over the same texts that
//                          makes one QAction (text and data) per item name
//   first trigger          QPluginLoader load, instance(), invokeMethod, unload
//   folder scan            listing the folder, reading each document and one
//                          libxml2 parse of it
//   getInstance            a window whose QMenuBar (shared Fusion style and the
//                          same palette), QMenus and addAction calls are made
//                          by hand, over the same actions
//   MenuProxy::setEnabled  setEnabled on the menu's QMenu in each of 10 windows
//   setSubContext          removeAction, setParent and addAction by hand from one
//                          list of 50 actions to the other
#include "menus/commonmenubar_p.h"

#include <MavLibrary/menus/commonmenubar.h>
#include <MavLibrary/menus/menu.h>
#include <MavLibrary/menus/menupluginproxy.h>
#include <MavLibrary/menus/shortcutmanager.h>
#include <MavLibrary/menus/shortcutparser.h>
#include <MavLibrary/plugins/pluginmanager.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPluginLoader>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QWidget>
#include <QXmlStreamReader>

#include <benchmark/benchmark.h>

#include <libxml/parser.h>

#include <memory>

// Counted by the benchmark's plug-in.
extern "C" __attribute__((visibility("default"))) long benchPluginCalls;
long benchPluginCalls = 0;

namespace {

std::unique_ptr<QTemporaryDir> s_root;

QString path(const QString &relative)
{
    return s_root->filePath(relative);
}

bool writeFile(const QString &name, const QByteArray &content)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// 50 menus of 20 items, each with a name and a slot; the rich kind adds to each
// menu a group of four with values and checkable actions, and a shortcut to
// every fifth item.
QByteArray generatedDocument(bool rich)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<properties><plugin><interfaces>"
                     "<interface>com.zentrix.quorvex.pluginInterface.Menu</interface>"
                     "</interfaces></plugin><quorvex><menus><context>Generated</context>\n";
    unsigned int id = 1;
    for (int menu = 1; menu <= 50; ++menu) {
        xml += "<menu id=\"" + QByteArray::number(menu) + "\"><name>Menu "
            + QByteArray::number(menu) + "</name>\n";
        if (rich)
            xml += "<group id=\"" + QByteArray::number(menu) + "\"><slot>pick(QAction*)</slot>\n";
        for (int i = 0; i < 20; ++i, ++id) {
            if (rich && i == 4)
                xml += "</group>\n";
            const QByteArray number = QByteArray::number(id);
            xml += "<item id=\"" + number + "\"><name>Entry " + number + "</name><slot>run" + number
                + "()</slot>";
            if (rich && i < 4)
                xml += "<value type=\"int32\">" + QByteArray::number(i) + "</value><checkable/>";
            if (rich && i % 5 == 0)
                xml += "<shortcut context=\"window\">Ctrl+Shift+" + QByteArray(1, char('A' + i))
                    + "</shortcut>";
            xml += "</item>\n";
        }
        xml += "</menu>\n";
    }
    return xml + "</menus></quorvex></properties>\n";
}

// Two sub-contexts of 50 shortcut items each, all calling the plug-in's slot.
QByteArray shortcutDocument()
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<properties><plugin><interfaces>"
                     "<interface>com.zentrix.quorvex.pluginInterface.Menu</interface>"
                     "</interfaces></plugin><quorvex><shortcuts>\n";
    for (int i = 0; i < 100; ++i) {
        xml += "<item><name>Shortcut " + QByteArray::number(i) + "</name><shortcut>Ctrl+Alt+F"
            + QByteArray::number(i % 35 + 1) + "</shortcut><slot>play()</slot><subcontext>"
            + (i % 2 ? "Odd" : "Even") + "</subcontext></item>\n";
    }
    return xml + "</shortcuts></quorvex></properties>\n";
}

bool prepare()
{
    s_root = std::make_unique<QTemporaryDir>();
    const QString samples = QStringLiteral(MAVBENCH_SAMPLES_DIR);
    for (const char *kind : {"generated", "rich"}) {
        const QString folder = path(QLatin1String(kind));
        QDir().mkpath(folder);
        if (!writeFile(folder + QStringLiteral("/generated.so"), QByteArray())
            || !writeFile(folder + QStringLiteral("/generated.xml"),
                          generatedDocument(kind == QByteArrayView("rich"))))
            return false;
    }
    QDir().mkpath(path(QStringLiteral("shortcuts")));
    if (!QFile::copy(QStringLiteral(MAVBENCH_PLUGIN_DIR "/benchplugin.so"),
                     path(QStringLiteral("shortcuts/benchplugin.so")))
        || !writeFile(path(QStringLiteral("shortcuts/benchplugin.xml")), shortcutDocument()))
        return false;
    QDir().mkpath(path(QStringLiteral("scan")));
    // Modules are only listed by a scan: empty files will do.
    const char *names[] = {"samplehelp", "sampleplayback", "sampleview"};
    for (int i = 0; i < 100; ++i) {
        const QString name = path(QStringLiteral("scan/plugin%1").arg(i, 3, 10, QLatin1Char('0')));
        if (!writeFile(name + QStringLiteral(".so"), QByteArray())
            || !QFile::copy(samples + QLatin1Char('/') + QLatin1String(names[i % 3]) + ".xml",
                            name + QStringLiteral(".xml")))
            return false;
    }
    return true;
}

void readMenus(benchmark::State &state, const QString &folder)
{
    const Kapio::PluginManager manager(folder);
    for (auto _ : state) {
        auto parent = std::make_unique<QObject>();
        Quorvex::MenuMap *menus = Quorvex::readMenuDescriptions(
            const_cast<Kapio::PluginManager *>(&manager), parent.get());
        Quorvex::releaseMenuDescriptions(menus);
        parent.reset();
    }
}

// The baseline reader.
__attribute__((noinline)) void readItemNames(const std::vector<QByteArray> &texts, QObject *parent)
{
    for (const QByteArray &text : texts) {
        QXmlStreamReader xml(text);
        bool inMenus = false, inItem = false, inName = false;
        unsigned int id = 0;
        while (!xml.atEnd()) {
            switch (xml.readNext()) {
            case QXmlStreamReader::StartElement:
                if (xml.name() == u"menus") {
                    inMenus = true;
                } else if (inMenus && xml.name() == u"item") {
                    id = xml.attributes().value(QLatin1StringView("id")).toUInt();
                    inItem = true;
                } else {
                    inName = inItem && xml.name() == u"name";
                }
                break;
            case QXmlStreamReader::EndElement:
                if (xml.name() == u"menus")
                    inMenus = false;
                else if (xml.name() == u"item")
                    inItem = false;
                inName = false;
                break;
            case QXmlStreamReader::Characters:
                if (inName && !xml.isWhitespace())
                    (new QAction(xml.text().toString(), parent))->setData(id);
                break;
            default:
                break;
            }
        }
    }
}

void streamReader(benchmark::State &state, const QString &folder)
{
    const Kapio::PluginManager manager(folder);
    std::vector<QByteArray> texts;
    for (const Kapio::PluginInfo *info : manager.plugins())
        texts.push_back(QByteArray::fromStdString(info->properties));
    for (auto _ : state) {
        auto parent = std::make_unique<QObject>();
        readItemNames(texts, parent.get());
        parent.reset();
    }
}

void readMenuDescriptions_samples(benchmark::State &state)
{
    readMenus(state, QStringLiteral(MAVBENCH_SAMPLES_DIR));
}

void streamReader_samples(benchmark::State &state)
{
    streamReader(state, QStringLiteral(MAVBENCH_SAMPLES_DIR));
}

void readMenuDescriptions_generated(benchmark::State &state)
{
    readMenus(state, path(QStringLiteral("generated")));
}

void streamReader_generated(benchmark::State &state)
{
    streamReader(state, path(QStringLiteral("generated")));
}

void readMenuDescriptions_rich(benchmark::State &state)
{
    readMenus(state, path(QStringLiteral("rich")));
}

void streamReader_rich(benchmark::State &state)
{
    streamReader(state, path(QStringLiteral("rich")));
}

void firstTrigger_proxy(benchmark::State &state)
{
    Kapio::PluginManager manager(QStringLiteral(MAVBENCH_PLUGIN_DIR));
    Quorvex::MenuPluginProxy proxy(&manager, manager.plugins().front(), QStringLiteral("1play()"));
    QAction action;
    QObject::connect(&action, SIGNAL(triggered(bool)), &proxy, SLOT(actionTriggered(bool)));
    const long before = benchPluginCalls;
    for (auto _ : state)
        action.trigger();
    if (benchPluginCalls - before != long(state.iterations()))
        state.SkipWithError("the slot was not called at every trigger");
}

void firstTrigger_pluginLoader(benchmark::State &state)
{
    const QString module = QStringLiteral(MAVBENCH_PLUGIN_DIR "/benchplugin.so");
    const long before = benchPluginCalls;
    for (auto _ : state) {
        QPluginLoader loader(module);
        loader.setLoadHints(QLibrary::LoadHints()); // unloaded as the manager does
        loader.load();
        QMetaObject::invokeMethod(loader.instance(), "play");
        loader.unload();
    }
    if (benchPluginCalls - before != long(state.iterations()))
        state.SkipWithError("the slot was not called at every load");
}

void scan100_pluginManager(benchmark::State &state)
{
    const QString folder = path(QStringLiteral("scan"));
    for (auto _ : state) {
        const Kapio::PluginManager manager(folder);
        benchmark::DoNotOptimize(manager.plugins().size());
    }
}

void scan100_readAndParse(benchmark::State &state)
{
    const QString folder = path(QStringLiteral("scan"));
    for (auto _ : state) {
        const QFileInfoList modules =
            QDir(folder).entryInfoList({QStringLiteral("*.so")}, QDir::Files, QDir::Name);
        for (const QFileInfo &module : modules) {
            QFile file(module.absolutePath() + QLatin1Char('/') + module.completeBaseName()
                       + QStringLiteral(".xml"));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QByteArray text = file.readAll();
            xmlDocPtr document = xmlReadMemory(text.constData(), int(text.size()), nullptr, nullptr,
                                               XML_PARSE_NONET);
            xmlFreeDoc(document);
        }
    }
}

// The common menu bar over 50 menus of 20 items, its proxies made by a first window.
class MenuBarFixture
{
public:
    MenuBarFixture()
        : m_manager(path(QStringLiteral("generated")))
    {
        Quorvex::CommonMenuBar::init(&m_manager);
        Quorvex::CommonMenuBar::getInstance(&m_first);
    }
    ~MenuBarFixture()
    {
        Quorvex::CommonMenuBarPrivate::reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

protected:
    static QMenu *firstMenu(QWidget *window)
    {
        return Quorvex::CommonMenuBar::getInstance(window)->getMenuBar()->actions().first()->menu();
    }

    Kapio::PluginManager m_manager;
    QWidget m_first;
};

void getInstance_commonMenuBar(benchmark::State &state)
{
    const MenuBarFixture fixture;
    for (auto _ : state) {
        auto window = std::make_unique<QWidget>();
        benchmark::DoNotOptimize(Quorvex::CommonMenuBar::getInstance(window.get()));
        window.reset(); // releases the instance
    }
}

void getInstance_byHand(benchmark::State &state)
{
    const Kapio::PluginManager manager(path(QStringLiteral("generated")));
    QObject parent;
    Quorvex::MenuMap *menus =
        Quorvex::readMenuDescriptions(const_cast<Kapio::PluginManager *>(&manager), &parent);
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    for (auto _ : state) {
        auto window = std::make_unique<QWidget>();
        auto *menuBar = new QMenuBar(window.get());
        menuBar->setStyle(style.get());
        QPalette palette = menuBar->palette();
        palette.setBrush(QPalette::Inactive, QPalette::ButtonText, QBrush(Qt::darkGray));
        menuBar->setPalette(palette);
        for (const auto &[id, menu] : *menus) {
            QMenu *qmenu = menuBar->addMenu(menu->title);
            for (const auto &[itemId, item] : menu->items)
                qmenu->addAction(item->action);
        }
        benchmark::DoNotOptimize(menuBar);
        window.reset();
    }
    Quorvex::releaseMenuDescriptions(menus);
}

// Ten windows over the same model (the fixture's first and nine more).
class TenWindows : public MenuBarFixture
{
public:
    TenWindows()
    {
        m_menus.append(firstMenu(&m_first));
        for (auto &window : m_windows) {
            window = std::make_unique<QWidget>();
            m_menus.append(firstMenu(window.get()));
        }
    }
    //! Menu 1 in each window.
    const QList<QMenu *> &menus() const { return m_menus; }

private:
    std::unique_ptr<QWidget> m_windows[9];
    QList<QMenu *> m_menus;
};

void setEnabled_menuProxy(benchmark::State &state)
{
    const TenWindows windows;
    Quorvex::CommonMenuBar::MenuProxy *proxy = Quorvex::CommonMenuBar::getMenu(1);
    bool enabled = false;
    for (auto _ : state) {
        proxy->setEnabled(enabled);
        enabled = !enabled;
    }
}

void setEnabled_qmenus(benchmark::State &state)
{
    const TenWindows windows;
    const QList<QMenu *> menus = windows.menus();
    bool enabled = false;
    for (auto _ : state) {
        for (QMenu *menu : menus)
            menu->setEnabled(enabled);
        enabled = !enabled;
    }
}

// Two sets of 50 shortcuts of the benchmark's plug-in, switched on one widget.
class ShortcutFixture
{
public:
    ShortcutFixture()
        : m_manager(path(QStringLiteral("shortcuts")))
    {
        m_manager.loadPlugin(m_manager.plugins().front(), &m_plugin);
        m_shortcuts.reset(Quorvex::ShortcutParser::parseShortcuts(m_plugin, &m_parent));
    }
    ~ShortcutFixture()
    {
        m_widget.reset();
        m_plugin->release();
    }
    Quorvex::ShortcutManager &shortcuts() { return *m_shortcuts; }
    QWidget *widget() { return m_widget.get(); }

private:
    Kapio::PluginManager m_manager;
    Kapio::Plugin *m_plugin = nullptr;
    QObject m_parent;
    std::unique_ptr<Quorvex::ShortcutManager> m_shortcuts;
    std::unique_ptr<QWidget> m_widget = std::make_unique<QWidget>();
};

void setSubContext_shortcutManager(benchmark::State &state)
{
    ShortcutFixture fixture;
    const QString names[] = {QStringLiteral("Even"), QStringLiteral("Odd")};
    int which = 0;
    for (auto _ : state) {
        fixture.shortcuts().setSubContext(names[which], fixture.widget());
        which = 1 - which;
    }
    if (fixture.widget()->actions().size() != 50)
        state.SkipWithError("not 50 actions");
}

void setSubContext_byHand(benchmark::State &state)
{
    ShortcutFixture fixture;
    const QSet<QAction *> even =
        fixture.shortcuts().getSubContextActionSet(QStringLiteral("Even"), false);
    const QSet<QAction *> odd =
        fixture.shortcuts().getSubContextActionSet(QStringLiteral("Odd"), false);
    const QList<QAction *> lists[] = {QList<QAction *>(even.begin(), even.end()),
                                      QList<QAction *>(odd.begin(), odd.end())};
    QWidget *widget = fixture.widget();
    int which = 0;
    for (auto _ : state) {
        for (QAction *action : lists[1 - which])
            widget->removeAction(action);
        for (QAction *action : lists[which]) {
            action->setParent(widget);
            widget->addAction(action);
        }
        which = 1 - which;
    }
}

} // namespace

BENCHMARK(readMenuDescriptions_samples);
BENCHMARK(streamReader_samples);
BENCHMARK(readMenuDescriptions_generated);
BENCHMARK(streamReader_generated);
BENCHMARK(readMenuDescriptions_rich);
BENCHMARK(streamReader_rich);
BENCHMARK(firstTrigger_proxy);
BENCHMARK(firstTrigger_pluginLoader);
BENCHMARK(scan100_pluginManager);
BENCHMARK(scan100_readAndParse);
BENCHMARK(getInstance_commonMenuBar);
BENCHMARK(getInstance_byHand);
BENCHMARK(setEnabled_menuProxy);
BENCHMARK(setEnabled_qmenus);
BENCHMARK(setSubContext_shortcutManager);
BENCHMARK(setSubContext_byHand);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!prepare())
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    s_root.reset();
    return 0;
}
