// SPDX-License-Identifier: LGPL-2.1-or-later
// The menu plug-in proxy between real senders (an action, an action group, a
// menu) and real plug-in modules loaded by the real plug-in manager.
#include "pluginfolder.h"
#include "testenvironment.h"

#include <MavLibrary/menus/menupluginproxy.h>
#include <MavLibrary/plugins/pluginmanager.h>

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using Quorvex::MenuPluginProxy;

class tst_MenuPluginProxy : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void trigger_data();
    void trigger();
    void heldElsewhere();

private:
    Kapio::PluginInfo *plugin(const QString &name) const
    {
        std::vector<Kapio::PluginInfo *> found;
        m_manager->findPlugins(Kapio::PluginNameFilter(name.toStdString()), found);
        return found.empty() ? nullptr : found.front();
    }

    std::unique_ptr<MavTest::TestEnvironment> m_environment;
    std::unique_ptr<Kapio::PluginManager> m_manager;
};

void tst_MenuPluginProxy::init()
{
    m_environment = std::make_unique<MavTest::TestEnvironment>();
    MavTest::PluginFolder folder(m_environment->path(QStringLiteral("plugins")));
    const QByteArray document = MavTest::menuDocument(QString());
    for (const char *module :
         {"testmenuplugin", "testnointerface", "testnoobject", "testnofactory", "notaplugin"})
        QVERIFY(folder.add(QLatin1String(module), QLatin1String(module), document));
    m_manager = std::make_unique<Kapio::PluginManager>(folder.path());
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
}

void tst_MenuPluginProxy::cleanup()
{
    m_manager.reset();
    m_environment.reset();
}

void tst_MenuPluginProxy::trigger_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("sender"); // action, group or menu
    QTest::addColumn<QStringList>("messages"); // from the plug-in, two triggers
    QTest::addColumn<QString>("warning"); // at each trigger

    const QString menu = QStringLiteral("testmenuplugin");
    const QStringList twice = {"created", "play", "destroyed", "created", "play", "destroyed"};
    QTest::newRow("item: loaded, called once, unloaded, and again")
        << menu << "1play()"
        << "action" << twice << QString();
    QTest::newRow("item slot taking the flag")
        << menu << "1toggle(bool)"
        << "action" << QStringList {"created", "toggle:true",  "destroyed",
                                    "created", "toggle:false", "destroyed"}
        << QString();
    QTest::newRow("group slot receives the action and its data")
        << menu << "1select(QAction*)"
        << "group"
        << QStringList {"created", "select:21", "destroyed", "created", "select:21", "destroyed"}
        << QString();
    QTest::newRow("spaces removed")
        << menu << "1select( QAction * )"
        << "group"
        << QStringList {"created", "select:21", "destroyed", "created", "select:21", "destroyed"}
        << QString();
    QTest::newRow("menu slot hears the action")
        << menu << "1select(QAction*)"
        << "menu"
        << QStringList {"created", "select:21", "destroyed", "created", "select:21", "destroyed"}
        << QString();
    QTest::newRow("group slot without arguments") << menu << "1play()"
                                                  << "group" << twice << QString();
    QTest::newRow("missing slot: tried again at each trigger")
        << menu << "1stop()"
        << "action" << QStringList {"created", "destroyed", "created", "destroyed"}
        << "plug-in testmenuplugin has no slot stop() that triggered(bool) can call";
    QTest::newRow("same name, other arguments")
        << menu << "1play(bool)"
        << "action" << QStringList {"created", "destroyed", "created", "destroyed"}
        << "plug-in testmenuplugin has no slot play(bool) that triggered(bool) can call";
    QTest::newRow("no menu interface: tried again at each trigger")
        << "testnointerface"
        << "1play()"
        << "action" << QStringList {"created", "destroyed", "created", "destroyed"}
        << "plug-in testnointerface has no menu interface";
    QTest::newRow("no menu object: tried again at each trigger")
        << "testnoobject"
        << "1play()"
        << "action" << QStringList {"created", "destroyed", "created", "destroyed"}
        << "plug-in testnoobject has no menu object";
    QTest::newRow("context cannot load it")
        << "notaplugin"
        << "1play()"
        << "action" << QStringList() << "cannot load plug-in notaplugin for 1play()";
    QTest::newRow("slot without parentheses: nothing loaded")
        << menu << "1play"
        << "action" << QStringList() << QString();
}

void tst_MenuPluginProxy::trigger()
{
    QFETCH(QString, module);
    QFETCH(QString, slot);
    QFETCH(QString, sender);
    QFETCH(QStringList, messages);
    QFETCH(QString, warning);

    Kapio::PluginInfo *info = plugin(module);
    QVERIFY(info);
    auto *proxy = new MenuPluginProxy(m_manager.get(), info, slot);
    QAction action(QStringLiteral("Entry"));
    action.setCheckable(true);
    action.setData(21);
    QActionGroup group(nullptr);
    group.setExclusive(false);
    QMenu menu;
    QObject *source = &action;
    if (sender == u"action") {
        QVERIFY(connect(&action, SIGNAL(triggered(bool)), proxy, SLOT(actionTriggered(bool))));
    } else if (sender == u"group") {
        group.addAction(&action);
        QVERIFY(
            connect(&group, SIGNAL(triggered(QAction *)), proxy, SLOT(groupTriggered(QAction *))));
        source = &group;
    } else {
        menu.addAction(&action);
        QVERIFY(
            connect(&menu, SIGNAL(triggered(QAction *)), proxy, SLOT(menuTriggered(QAction *))));
        source = &menu;
    }
    // As the menu bar ties them: the proxy goes with its sender.
    connect(source, &QObject::destroyed, proxy, &QObject::deleteLater);

    MavTest::HubRecorder recorder;
    for (int i = 0; i < 2; ++i) {
        if (!warning.isEmpty()) {
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
            if (module == u"notaplugin")
                QTest::ignoreMessage(
                    QtWarningMsg,
                    QRegularExpression(QStringLiteral("^cannot load plug-in .*notaplugin.so")));
        }
        action.trigger();
        QCOMPARE(m_manager->referenceCount(info), 0);
    }
    QCOMPARE(recorder.take(), messages);
}

void tst_MenuPluginProxy::heldElsewhere()
{
    Kapio::PluginInfo *info = plugin(QStringLiteral("testmenuplugin"));
    MenuPluginProxy proxy(m_manager.get(), info, QStringLiteral("1play()"));
    QAction action;
    QVERIFY(connect(&action, SIGNAL(triggered(bool)), &proxy, SLOT(actionTriggered(bool))));
    MavTest::HubRecorder recorder;

    // While someone else holds the plug-in, the proxy keeps its connection and
    // takes no reference of its own.
    Kapio::Plugin *held = nullptr;
    QCOMPARE(m_manager->loadPlugin(info, &held, Kapio::LoadIfNeeded), int(Kapio::Success));
    action.trigger();
    action.trigger();
    QCOMPARE(m_manager->referenceCount(info), 1);
    QCOMPARE(recorder.take(), (QStringList {"created", "play", "play"}));

    // Unloaded between two triggers: loaded and connected anew, and called once.
    held->release();
    QCOMPARE(recorder.take(), QStringList {"destroyed"});
    action.trigger();
    QCOMPARE(recorder.take(), (QStringList {"created", "play", "destroyed"}));
}

QTEST_MAIN(tst_MenuPluginProxy)
#include "tst_menupluginproxy.moc"
