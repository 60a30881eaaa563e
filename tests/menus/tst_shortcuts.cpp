// SPDX-License-Identifier: LGPL-2.1-or-later
// The shortcut sets of a real plug-in, loaded by the real plug-in manager, after
// the common menu bar has linked its menu items: the sets by sub-context, real
// key presses in a window, and what happens when their widget goes.
#include "pluginfolder.h"
#include "testenvironment.h"

#include "menus/commonmenubar_p.h"

#include <MavLibrary/menus/commonmenubar.h>
#include <MavLibrary/menus/shortcutmanager.h>
#include <MavLibrary/menus/shortcutparser.h>
#include <MavLibrary/plugins/pluginmanager.h>

#include <QAction>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <QWidget>

#include <memory>

using Quorvex::CommonMenuBar;
using Quorvex::ShortcutManager;

namespace {

// "Listed twice" names its platform in a list, and "Mac only" another one: the
// shortcut reader skips both. Item 12 has no action, 10 is no item.
const char Document[] = R"(<quorvex>
<menus><context>TestMenus</context>
  <menu id="1"><name>First</name>
    <item id="3"><name>Play</name><slot>play()</slot><shortcut>Ctrl+P</shortcut></item>
    <item id="4" platform="X11,MacOSX"><name>Listed twice</name></item>
    <submenu id="10"><name>Sub</name><item id="11"><name>Inner</name></item></submenu>
    <item id="12"><slot>play()</slot></item>
  </menu>
</menus>
<shortcuts><context>TestMenus</context>
  <item><name>Open</name><shortcut>Ctrl+O</shortcut><slot>play()</slot></item>
  <item><name>Seek</name><shortcut>Right</shortcut><slot>play()</slot>
    <subcontext>Playing</subcontext></item>
  <item><name>Back</name><shortcut>Left</shortcut><signal>requested()</signal>
    <subcontext>Playing</subcontext><subcontext>Paused</subcontext></item>
  <item><name>Platform</name><shortcut platform="MacOSX">Meta+X</shortcut>
    <shortcut platform="X11">Ctrl+X</shortcut><subcontext>Paused</subcontext></item>
  <item><name>List</name><shortcut>Ctrl+L</shortcut>
    <shortcut platform="X11,Windows">Ctrl+W</shortcut><subcontext>Paused</subcontext></item>
  <item platform="MacOSX"><name>Mac only</name><subcontext>Playing</subcontext></item>
  <item><name>Typed</name><value type="int16">-1</value>
    <shortcut context="application">Ctrl+T</shortcut><subcontext>Other</subcontext></item>
  <item><name>Broken</name><slot>missing()</slot><subcontext>Other</subcontext></item>
</shortcuts>
</quorvex>)";

// "text=key", with the context when it is not the window's and the data when set.
QStringList describe(const QSet<QAction *> &actions)
{
    QStringList lines;
    for (const QAction *action : actions) {
        QString line = action->text() + QLatin1Char('=') + action->shortcut().toString();
        if (action->shortcutContext() != Qt::WindowShortcut)
            line += QStringLiteral(" context=%1").arg(int(action->shortcutContext()));
        if (action->data().isValid())
            line += QStringLiteral(" data=") + action->data().toString();
        lines << line;
    }
    lines.sort();
    return lines;
}

} // namespace

class tst_Shortcuts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sets_data();
    void sets();
    void keyPress_data();
    void keyPress();
    void widgetDestroyed();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_environment;
    std::unique_ptr<Kapio::PluginManager> m_manager;
    Kapio::Plugin *m_plugin = nullptr;
    std::unique_ptr<ShortcutManager> m_shortcuts;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<QObject> m_actionParent;
    QTranslator m_translator;
};

void tst_Shortcuts::initTestCase()
{
    // "Open" has one translation for menus and one for shortcuts.
    QVERIFY(m_translator.load(QStringLiteral(MAVTEST_TRANSLATION_QM)));
    QCoreApplication::installTranslator(&m_translator);
}

void tst_Shortcuts::init()
{
    m_environment = std::make_unique<MavTest::TestEnvironment>();
    MavTest::PluginFolder folder(m_environment->path(QStringLiteral("plugins")));
    QVERIFY(folder.add(QStringLiteral("testmenuplugin"), QStringLiteral("testmenuplugin"),
                       MavTest::menuDocument(QLatin1String(Document))));
    m_manager = std::make_unique<Kapio::PluginManager>(folder.path());
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));

    // As the player does: the menus first, so that the "Menu" set finds the
    // submenu's items linked too.
    CommonMenuBar::init(m_manager.get());
    m_window = std::make_unique<QWidget>();
    CommonMenuBar::getInstance(m_window.get());
    std::vector<Kapio::PluginInfo *> found;
    m_manager->findPlugins(Kapio::PluginNameFilter("testmenuplugin"), found);
    QCOMPARE(m_manager->loadPlugin(found.at(0), &m_plugin), int(Kapio::Success));
    m_actionParent = std::make_unique<QObject>();
    QTest::ignoreMessage(QtWarningMsg, "shortcut Broken cannot reach missing() of TestMenuPlugin");
    m_shortcuts.reset(Quorvex::ShortcutParser::parseShortcuts(m_plugin, m_actionParent.get()));
}

void tst_Shortcuts::cleanup()
{
    m_shortcuts.reset();
    m_window.reset();
    m_actionParent.reset();
    if (m_plugin)
        std::exchange(m_plugin, nullptr)->release();
    Quorvex::CommonMenuBarPrivate::reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_manager.reset();
    m_environment.reset();
}

void tst_Shortcuts::sets_data()
{
    QTest::addColumn<QString>("subContext");
    QTest::addColumn<bool>("includeMenu");
    QTest::addColumn<QStringList>("actions");

    const QString open = QStringLiteral("Öffnen (Kürzel)=Ctrl+O");
    QTest::newRow("a name without a set: All only") << "Nowhere" << false << QStringList {open};
    QTest::newRow("All by its name") << "All" << false << QStringList {open};
    QTest::newRow("Playing") << "Playing" << false << QStringList {"Back=Left", "Seek=Right", open};
    QTest::newRow("Paused: an item of two sets; this platform's key; a list is skipped")
        << "Paused" << false << QStringList {"Back=Left", "List=Ctrl+L", "Platform=Ctrl+X", open};
    QTest::newRow("typed value and shortcut context")
        << "Other" << false << QStringList {"Broken=", "Typed=Ctrl+T context=2 data=-1", open};
    QTest::newRow("with the menu: the listed items that are linked")
        << "Playing" << true
        << QStringList {"Back=Left", "Inner= data=11", "Play=Ctrl+P data=3", "Seek=Right", open};
}

void tst_Shortcuts::sets()
{
    QFETCH(QString, subContext);
    QFETCH(bool, includeMenu);
    QFETCH(QStringList, actions);

    const QSet<QAction *> set = m_shortcuts->getSubContextActionSet(subContext, includeMenu);
    QCOMPARE(describe(set), actions);
    if (includeMenu)
        return;
    // The widget carries exactly this set, whatever it carried before.
    QWidget widget;
    widget.addAction(CommonMenuBar::getAction(3));
    m_shortcuts->setSubContext(QStringLiteral("Playing"), &widget);
    m_shortcuts->setSubContext(subContext, &widget);
    const QList<QAction *> carried = widget.actions();
    QCOMPARE(QSet<QAction *>(carried.begin(), carried.end()), set);
    for (QAction *action : carried)
        QCOMPARE(action->parent(), &widget);
}

void tst_Shortcuts::keyPress_data()
{
    QTest::addColumn<QString>("subContext");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("slot, in its sub-context")
        << "Playing" << QKeySequence(Qt::Key_Right) << QStringList {"play"};
    QTest::newRow("slot, in another sub-context")
        << "Paused" << QKeySequence(Qt::Key_Right) << QStringList();
    QTest::newRow("signal, in the second of its sub-contexts")
        << "Paused" << QKeySequence(Qt::Key_Left) << QStringList {"requested"};
    QTest::newRow("All, in any sub-context")
        << "Nowhere" << QKeySequence(Qt::CTRL | Qt::Key_O) << QStringList {"play"};
    QTest::newRow("no sub-context of it set")
        << "Nowhere" << QKeySequence(Qt::Key_Left) << QStringList();
}

void tst_Shortcuts::keyPress()
{
    QFETCH(QString, subContext);
    QFETCH(QKeySequence, key);
    QFETCH(QStringList, messages);

    QWidget *window = m_window.get();
    window->resize(400, 300);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    // Switched from another set first: its actions must be gone.
    m_shortcuts->setSubContext(QStringLiteral("Playing"), window);
    m_shortcuts->setSubContext(subContext, window);
    MavTest::HubRecorder recorder;
    QTest::keySequence(window, key);
    QCOMPARE(recorder.take(), messages);
}

void tst_Shortcuts::widgetDestroyed()
{
    // The widget takes the actions it shows: they go with it, and leave the sets.
    auto widget = std::make_unique<QWidget>();
    m_shortcuts->setSubContext(QStringLiteral("Playing"), widget.get());
    widget.reset();
    QCOMPARE(
        describe(m_shortcuts->getSubContextActionSet(QStringLiteral("Paused"), true)),
        (QStringList {"Inner= data=11", "List=Ctrl+L", "Platform=Ctrl+X", "Play=Ctrl+P data=3"}));
    const ShortcutManager copy(*m_shortcuts);
    m_shortcuts->setSubContext(QStringLiteral("Paused"), m_window.get());
    QCOMPARE(m_window->actions().size(), 2);
    m_window.reset();
    QVERIFY(copy.getSubContextActionSet(QStringLiteral("Paused"), false).isEmpty());
}

QTEST_MAIN(tst_Shortcuts)
#include "tst_shortcuts.moc"
