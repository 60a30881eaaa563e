// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl shortcuts over the sample plug-ins, whose playback plug-in binds Space
// twice when its menu entries count, and one that cannot be loaded.
#include "mavctlprocess.h"
#include "pluginfolder.h"
#include "testenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

class tst_MavctlShortcuts : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_environment.reset(); }
    void text_data();
    void text();
    void json();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_environment;
    QString m_folder;
};

void tst_MavctlShortcuts::init()
{
    m_environment = std::make_unique<MavTest::TestEnvironment>();
    MavTest::PluginFolder folder(m_environment->path(QStringLiteral("plugins")));
    for (const char *sample : {"samplehelp", "sampleplayback", "sampleview"})
        QVERIFY(folder.addSample(QLatin1String(sample)));
    QVERIFY(folder.add(QStringLiteral("unloadable"), QStringLiteral("notaplugin"),
                       MavTest::menuDocument(QString())));
    m_folder = folder.path();
}

void tst_MavctlShortcuts::text_data()
{
    QTest::addColumn<QStringList>("arguments"); // "DIR" is the test's folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("lines"); // in this order, possibly with others between
    QTest::addColumn<QStringList>("absent");

    const QString clash = QStringLiteral(
        R"(clash in Playing: Space is bound to sampleplayback menu-item=11 "P&ause" and sampleplayback "Pause")");
    QTest::newRow("every set")
        << QStringList {"shortcuts", "DIR"} << 0
        << QStringList {"sampleplayback",
                        "  All",
                        R"(    Ctrl+Space "Play or Pause" context=window signal=playbackToggleRequested() data=1)",
                        "  Paused",
                        R"(    Left "Seek Backward" context=window slot=seekBackward())",
                        "  Playing",
                        R"(    Right "Seek Forward" context=window slot=seekForward())",
                        "sampleview",
                        "  FullScreen",
                        "unloadable",
                        "no key sequence is bound twice"}
        << QStringList {"  Menu"};
    QTest::newRow("with the menu: the clash")
        << QStringList {"shortcuts", "DIR", "--menu"} << 0
        << QStringList {"sampleplayback", "  Menu",
                        R"(    Ctrl+P "&Play" context=application data=10 menu-item=10)",
                        "sampleview", clash}
        << QStringList {"no key sequence is bound twice"};
    QTest::newRow("one sub-context")
        << QStringList {"shortcuts", "DIR", "--subcontext", "Paused", "--menu"} << 0
        << QStringList {"sampleplayback", "  All", "  Paused", "  Menu",
                        "no key sequence is bound twice"}
        << QStringList {"  Playing", "  FullScreen"};
    QTest::newRow("no folder") << QStringList {"shortcuts", "--menu"} << 2 << QStringList()
                               << QStringList();
}

void tst_MavctlShortcuts::text()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, absent);

    arguments.replaceInStrings(QStringLiteral("DIR"), m_folder);
    const auto result = MavTest::runMavctl(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.err.isEmpty(), exitCode == 0);
    const QStringList out = result.out.split(QLatin1Char('\n'));
    qsizetype at = 0;
    for (const QString &line : std::as_const(lines)) {
        at = out.indexOf(line, at);
        QVERIFY2(at >= 0, qPrintable(line + QStringLiteral("\nnot in order in:\n") + result.out));
    }
    for (const QString &line : std::as_const(absent))
        QVERIFY2(!out.contains(line), qPrintable(line));
}

void tst_MavctlShortcuts::json()
{
    const auto result = MavTest::runMavctl({QStringLiteral("shortcuts"), m_folder,
                                            QStringLiteral("--menu"), QStringLiteral("--json")});
    QCOMPARE(result.exitCode, 0);
    const QJsonObject report = QJsonDocument::fromJson(result.out.toUtf8()).object();
    const QJsonArray plugins = report[QLatin1String("plugins")].toArray();
    QCOMPARE(plugins.size(), 4);
    QVERIFY(
        plugins[3][QLatin1String("error")].toString().contains(QLatin1String("not a Qt plugin")));
    QCOMPARE(
        plugins[1][QLatin1String("sets")][QLatin1String("Paused")][0][QLatin1String("subContexts")]
            .toArray(),
        (QJsonArray {QStringLiteral("Playing"), QStringLiteral("Paused")}));
    const QJsonArray clashes = report[QLatin1String("clashes")].toArray();
    QCOMPARE(clashes.size(), 1);
    QCOMPARE(clashes[0][QLatin1String("shortcut")].toString(), QStringLiteral("Space"));
    QCOMPARE(clashes[0][QLatin1String("actions")][0][QLatin1String("menuItem")].toInt(), 11);
}

QTEST_GUILESS_MAIN(tst_MavctlShortcuts)
#include "tst_mavctl_shortcuts.moc"
