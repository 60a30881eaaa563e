// SPDX-License-Identifier: LGPL-2.1-or-later
// The common menu bar over two real plug-ins loaded on demand by the real plug-in
// manager, in real windows: what each window's menu bar shows after a sequence
// of steps, what a trigger or a key press reaches, and the lookups.
#include "pluginfolder.h"
#include "testenvironment.h"

#include "menus/commonmenubar_p.h"

#include <MavLibrary/menus/commonmenubar.h>
#include <MavLibrary/plugins/pluginmanager.h>

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>
#include <QWidget>

#include <map>
#include <memory>

using Quorvex::CommonMenuBar;
using Quorvex::CommonMenuBarPrivate;

namespace {

// Plug-in "a": menus 2 and 1 (with a submenu holding a radio group, a separator,
// an item that never gets a name, a menu-level slot); "b" adds an item and its
// own menu-level slot to menu 1, and menu 3, whose item 5 has the id of one in 2.
const char DocumentA[] = R"(<quorvex><menus><context>Test</context>
  <menu id="2"><name>Second</name><item id="5"><name>Five2</name><slot>play()</slot></item></menu>
  <menu id="1"><name>First</name><slot>seen(QAction*)</slot>
    <item id="3"><name>Play</name><slot>play()</slot><shortcut>Ctrl+P</shortcut></item>
    <separator id="4"/>
    <item id="6"><slot>play()</slot></item>
    <submenu id="10"><name>Speed</name><group id="7"><slot>select(QAction*)</slot>
      <item id="11"><name>Half</name><value type="double">0.5</value><checkable/></item>
      <item id="12"><name>Double</name><value type="double">2</value><checkable/></item>
    </group></submenu>
  </menu></menus></quorvex>)";
const char DocumentB[] = R"(<quorvex><menus>
  <menu id="1"><name>Not used</name><slot>seen(QAction*)</slot>
    <item id="2"><name>Toggle</name><slot>toggle(bool)</slot><checkable/></item></menu>
  <menu id="3"><name>Third</name><item id="5"><name>Five3</name><slot>play()</slot></item></menu>
</menus></quorvex>)";

const QString FirstFull = QStringLiteral("First[Toggle,Play,-,Speed[Half,Double]]");
const QString FirstTop = QStringLiteral("First[Toggle,Play,-]");
const QString Others = QStringLiteral(" Second[Five2] Third[Five3]");

// A menu as "Title[entry,...]", "!" after the title when it is disabled.
QString describe(const QMenu *menu)
{
    QStringList entries;
    for (const QAction *action : menu->actions()) {
        if (action->menu())
            entries << describe(action->menu());
        else
            entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return menu->title()
        + (menu->isEnabledTo(menu->parentWidget()) ? QString() : QStringLiteral("!"))
        + QLatin1Char('[') + entries.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString describe(const QMenuBar *menuBar)
{
    QStringList menus;
    for (const QAction *action : menuBar->actions())
        menus << describe(action->menu());
    return menus.join(QLatin1Char(' '));
}

} // namespace

class tst_CommonMenuBar : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void steps_data();
    void steps();
    void trigger_data();
    void trigger();
    void lookups();
    void moveMenuBar_data();
    void moveMenuBar();

private:
    //! Runs one step of steps_data and trigger_data.
    void run(const QString &step);

    std::unique_ptr<MavTest::TestEnvironment> m_environment;
    std::unique_ptr<Kapio::PluginManager> m_manager;
    std::map<int, QWidget *> m_windows;
    QAction *m_own = nullptr;
};

void tst_CommonMenuBar::init()
{
    m_environment = std::make_unique<MavTest::TestEnvironment>();
    MavTest::PluginFolder folder(m_environment->path(QStringLiteral("plugins")));
    QVERIFY(folder.add(QStringLiteral("a"), QStringLiteral("testmenuplugin"),
                       MavTest::menuDocument(QLatin1String(DocumentA))));
    QVERIFY(folder.add(QStringLiteral("b"), QStringLiteral("testmenuplugin"),
                       MavTest::menuDocument(QLatin1String(DocumentB))));
    m_manager = std::make_unique<Kapio::PluginManager>(folder.path());
    // Document B names menu 1 again on purpose: the reader's warning about it is expected.
    QTest::failOnWarning(
        QRegularExpression(QStringLiteral("^(?!id 1: plug-in b names menu \"Not used\")")));
}

void tst_CommonMenuBar::cleanup()
{
    for (const auto &window : std::exchange(m_windows, {}))
        delete window.second;
    delete std::exchange(m_own, nullptr);
    CommonMenuBarPrivate::reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_manager.reset();
    m_environment.reset();
}

void tst_CommonMenuBar::run(const QString &step)
{
    const QStringList words = step.split(QLatin1Char(' '));
    const unsigned int n = words.value(1).toUInt();
    CommonMenuBar::MenuProxy *proxy = CommonMenuBar::getMenu(n);
    if (step == u"init") {
        CommonMenuBar::init(m_manager.get());
    } else if (step == u"own") { // an action of the caller's, added to menu 1
        m_own = new QAction(QStringLiteral("Own"));
        CommonMenuBar::getMenu(1)->addAction(m_own);
    } else if (step == u"delete own") {
        delete std::exchange(m_own, nullptr);
    } else if (step == u"use every proxy") {
        for (unsigned int id : {1, 2, 3}) {
            if (CommonMenuBar::MenuProxy *each = CommonMenuBar::getMenu(id)) {
                each->setEnabled(false);
                each->clear();
                each->addAction(3u);
            }
        }
    } else if (step == u"remove every menu") {
        for (unsigned int id : {1, 2, 3})
            CommonMenuBar::removeMenu(id);
    } else if (words[0] == u"window") {
        auto *window = new QWidget;
        window->resize(400, 300);
        m_windows[int(n)] = window;
        QVERIFY(CommonMenuBar::getInstance(window));
    } else if (words[0] == u"delete") {
        delete m_windows.at(int(n));
        m_windows.erase(int(n));
    } else if (words[0] == u"disable") {
        proxy->setEnabled(false);
    } else if (words[0] == u"hide") { // hide MENU in WINDOW
        CommonMenuBar::getInstance(m_windows.at(words[3].toInt()))->hideMenu(n);
    } else if (words[0] == u"remove") {
        CommonMenuBar::removeMenu(n);
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

void tst_CommonMenuBar::steps_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("bars"); // each window left, by number
    QTest::addColumn<QList<int>>("shownIn"); // windows showing menus 1, 2, 3

    const QList<int> both = {2, 2, 2};
    QTest::newRow("two windows: every menu in id order, the submenu in the first only")
        << QStringList {"init", "window 1", "window 2"}
        << QStringList {FirstFull + Others, FirstTop + Others} << both;
    QTest::newRow("disabled through its proxy in both windows")
        << QStringList {"init", "window 1", "window 2", "disable 1"}
        << QStringList {"First![Toggle,Play,-,Speed[Half,Double]]" + Others,
                        "First![Toggle,Play,-]" + Others}
        << both;
    QTest::newRow("hidden in one window only")
        << QStringList {"init", "window 1", "window 2", "hide 2 in 1"}
        << QStringList {FirstFull + " Third[Five3]", FirstTop + Others} << QList<int> {2, 1, 2};
    QTest::newRow("removed: gone from every window, and from later ones")
        << QStringList {"init", "window 1", "remove 2", "window 2"}
        << QStringList {FirstFull + " Third[Five3]", FirstTop + " Third[Five3]"}
        << QList<int> {2, 0, 2};
    QTest::newRow("asked for before init: the later proxies reach that bar too")
        << QStringList {"window 1", "init", "window 2"}
        << QStringList {FirstFull + Others, FirstTop + Others} << both;
    QTest::newRow("window deleted, then every proxy used")
        << QStringList {"init", "window 1", "window 2", "delete 1", "use every proxy"}
        << QStringList {"First![Play] Second![Play] Third![Play]"} << QList<int> {1, 1, 1};
    QTest::newRow("window deleted, then every menu removed")
        << QStringList {"init", "window 1", "window 2", "delete 2", "remove every menu"}
        << QStringList {QString()} << QList<int> {0, 0, 0};
    QTest::newRow("widget deleted without releaseInstance, then a new window")
        << QStringList {"init", "window 1", "delete 1", "window 2"}
        << QStringList {FirstTop + Others} << QList<int> {1, 1, 1};
    QTest::newRow("an action added from outside and deleted by its owner")
        << QStringList {"init", "window 1", "own", "delete own", "window 2"}
        << QStringList {FirstFull + Others, FirstTop + Others} << both;
}

void tst_CommonMenuBar::steps()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, bars);
    QFETCH(QList<int>, shownIn);

    for (const QString &step : std::as_const(steps)) {
        run(step);
        if (QTest::currentTestFailed())
            return;
    }
    // The instances of deleted windows are gone with them.
    QCOMPARE(CommonMenuBarPrivate::instanceCount(), int(m_windows.size()));
    QStringList shown;
    for (const auto &[number, window] : m_windows)
        shown << describe(window->findChild<QMenuBar *>());
    QCOMPARE(shown, bars);
    QList<int> counts;
    for (unsigned int id : {1, 2, 3})
        counts << CommonMenuBarPrivate::menuCount(id);
    QCOMPARE(counts, shownIn);
}

void tst_CommonMenuBar::trigger_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<unsigned int>("item");
    QTest::addColumn<bool>("byKey"); // a key press in window 2, else QAction::trigger
    QTest::addColumn<QStringList>("messages");

    // Each plug-in is loaded for the one call and unloaded after it.
    const QStringList play = {"created",   "play",    "destroyed", "created",  "seen/a:3",
                              "destroyed", "created", "seen/b:3",  "destroyed"};
    const QStringList windows = {"init", "window 1", "window 2"};
    QTest::newRow("item of the second window, triggered") << windows << 3u << false << play;
    QTest::newRow("item of the second window, its key pressed") << windows << 3u << true << play;
    QTest::newRow("radio group: the chosen action's typed data; the menu hears its submenu")
        << windows << 12u << false
        << QStringList {"created",   "select:2", "destroyed", "created",  "seen/a:2",
                        "destroyed", "created",  "seen/b:2",  "destroyed"};
    QTest::newRow("a second init: still one call")
        << QStringList {"init", "window 1", "init", "window 2"} << 3u << false << play;
    QTest::newRow("menu shown in a window from before init: heard once")
        << QStringList {"window 1", "init", "window 2"} << 3u << true << play;
}

void tst_CommonMenuBar::trigger()
{
    QFETCH(QStringList, steps);
    QFETCH(unsigned int, item);
    QFETCH(bool, byKey);
    QFETCH(QStringList, messages);

    for (const QString &step : std::as_const(steps))
        run(step);
    MavTest::HubRecorder recorder;
    if (byKey) {
        QWidget *window = m_windows.at(2);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    } else {
        CommonMenuBar::getAction(item)->trigger();
    }
    const QStringList got = recorder.take();
    QVERIFY2(got == messages, qPrintable(got.join(QLatin1Char(' '))));
}

void tst_CommonMenuBar::lookups()
{
    QWidget first, second, stranger;
    CommonMenuBar::init(m_manager.get());
    // Submenu entries are linked with the first window's menus.
    QVERIFY(CommonMenuBar::getAction(3));
    QVERIFY(!CommonMenuBar::getAction(11));
    CommonMenuBar *instance = CommonMenuBar::getInstance(&first);
    CommonMenuBar::getInstance(&second);

    QCOMPARE(CommonMenuBar::getAction(5)->text(), QStringLiteral("Five3")); // linked last
    QCOMPARE(CommonMenuBar::getAction(11)->data(), QVariant(0.5));
    QVERIFY(!CommonMenuBar::getAction(6)); // never named
    QCOMPARE(CommonMenuBar::getActionGroup(7)->actions().size(), 2);
    QVERIFY(!CommonMenuBar::getActionGroup(8));
    QMenu *speed = instance->getSubmenu(1, 10);
    QCOMPARE(speed->title(), QStringLiteral("Speed"));
    QCOMPARE(speed->parent(),
             static_cast<QObject *>(instance->getMenuBar()->actions().first()->menu()));
    QVERIFY(!instance->getSubmenu(1, 11));
    QVERIFY(!instance->getSubmenu(4, 10));

    // One style object for every menu bar.
    const QStyle *style = instance->getMenuBar()->style();
    QCOMPARE(style, CommonMenuBar::getInstance(&second)->getMenuBar()->style());
    QCOMPARE(style->name(), QStringLiteral("fusion"));

    // Unknown widgets change nothing; a copy is no registered instance.
    CommonMenuBar::releaseInstance(&stranger);
    QCOMPARE(CommonMenuBarPrivate::instanceCount(), 2);
    const CommonMenuBar copy(*instance);
    QVERIFY(!copy.getMenuBar());
    CommonMenuBar::releaseInstance(&first);
    QCOMPARE(CommonMenuBarPrivate::instanceCount(), 1);
    QVERIFY(!copy.getMenuBar());
}

void tst_CommonMenuBar::moveMenuBar_data()
{
    QTest::addColumn<int>("extra"); // the rectangle's width beyond the size hint's
    QTest::addColumn<int>("width");
    QTest::newRow("wider than the hint: cut to it") << 200 << 0;
    QTest::newRow("narrower: kept") << -20 << -20;
}

void tst_CommonMenuBar::moveMenuBar()
{
    QFETCH(int, extra);
    QFETCH(int, width);

    QWidget window;
    CommonMenuBar::init(m_manager.get());
    CommonMenuBar *instance = CommonMenuBar::getInstance(&window);
    const QSize hint = instance->getSizeHint();
    QVERIFY(hint.width() > 50);
    instance->moveMenuBar(QRect(10, 5, hint.width() + extra, 30));
    QCOMPARE(instance->getMenuBar()->geometry(), QRect(10, 5, hint.width() + width, 30));
}

QTEST_MAIN(tst_CommonMenuBar)
#include "tst_commonmenubar.moc"
