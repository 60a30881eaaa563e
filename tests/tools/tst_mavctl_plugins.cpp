// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl plugins and mavctl menus over the sample plug-ins and a broken one.
#include "mavctlprocess.h"
#include "pluginfolder.h"
#include "testenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

class tst_MavctlPlugins : public QObject
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

void tst_MavctlPlugins::init()
{
    m_environment = std::make_unique<MavTest::TestEnvironment>();
    MavTest::PluginFolder folder(m_environment->path(QStringLiteral("plugins")));
    QVERIFY(folder.addSample(QStringLiteral("sampleview")));
    QVERIFY(folder.add(QStringLiteral("broken"), QStringLiteral("testmenuplugin"),
                       "<properties><name>"));
    m_folder = folder.path();
}

void tst_MavctlPlugins::text_data()
{
    QTest::addColumn<QStringList>("arguments"); // "DIR" is the test's folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("lines"); // each a line of the output, in this order
    QTest::addColumn<QString>("error");

    QTest::newRow("plugins")
        << QStringList {"plugins", "DIR"} << 0
        << QStringList {"broken",
                        "  module: DIR/broken.so",
                        "  properties: DIR/broken.xml (not used: property "
                        "document: line 1: Premature end of data in tag "
                        "name line 1)",
                        "sampleview",
                        "  name: View",
                        "  version: 1.0.3",
                        "  interfaces: com.zentrix.quorvex.pluginInterface.Menu",
                        "  module: DIR/sampleview.so",
                        "  properties: DIR/sampleview.xml (parsed)"}
        << QString();
    QTest::newRow("menus")
        << QStringList {"menus", "DIR"} << 0
        << QStringList {R"x(menu 3 "Playback (View)" plugin=sampleview)x",
                        "  slot 1playbackMenuSeen(QAction*) plugin=sampleview",
                        R"(  item 19 "Playback &Information" shortcut=Ctrl+I context=widgetAndChildren slot=1showPlaybackInformation() data=19 type=uint plugin=sampleview)",
                        R"(menu 4 "&View" plugin=sampleview)",
                        R"(  submenu 50 "&Aspect Ratio" plugin=sampleview)",
                        R"(    item 51 "&Automatic" group=3 exclusive group-slot=1setAspectRatio(QAction*) data="auto" type=QString checkable checked plugin=sampleview)"}
        << QString();
    QTest::newRow("not a folder") << QStringList {"menus", "DIR/broken.so"} << 1 << QStringList()
                                  << "mavctl: DIR/broken.so is not a folder\n";
    QTest::newRow("no folder") << QStringList {"plugins"} << 2 << QStringList()
                               << "mavctl: no plug-in folder given\n"
                                  "Try 'mavctl plugins --help' for more information.\n";
}

void tst_MavctlPlugins::text()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, lines);
    QFETCH(QString, error);

    arguments.replaceInStrings(QStringLiteral("DIR"), m_folder);
    lines.replaceInStrings(QStringLiteral("DIR"), m_folder);
    error.replace(QStringLiteral("DIR"), m_folder);
    const auto result = MavTest::runMavctl(arguments);
    QCOMPARE(result.err, error);
    QCOMPARE(result.exitCode, exitCode);
    // Lines in this order, possibly with others between them.
    const QStringList out = result.out.split(QLatin1Char('\n'));
    qsizetype at = 0;
    for (const QString &line : std::as_const(lines)) {
        at = out.indexOf(line, at);
        QVERIFY2(at >= 0, qPrintable(line + QStringLiteral("\nnot in order in:\n") + result.out));
    }
}

void tst_MavctlPlugins::json()
{
    const auto plugins =
        MavTest::runMavctl({QStringLiteral("plugins"), m_folder, QStringLiteral("--json")});
    QCOMPARE(plugins.exitCode, 0);
    const QJsonArray list = QJsonDocument::fromJson(plugins.out.toUtf8()).array();
    QCOMPARE(list.size(), 2);
    QCOMPARE(list[0][QLatin1String("name")].toString(), QStringLiteral("broken"));
    QCOMPARE(list[0][QLatin1String("parsed")].toBool(), false);
    QVERIFY(list[0][QLatin1String("error")].toString().startsWith(
        QLatin1String("property document: line 1:")));
    QCOMPARE(list[1][QLatin1String("version")].toArray(), (QJsonArray {1, 0, 3}));
    QCOMPARE(list[1][QLatin1String("interfaces")].toArray(),
             QJsonArray {QStringLiteral("com.zentrix.quorvex.pluginInterface.Menu")});

    const auto menus =
        MavTest::runMavctl({QStringLiteral("menus"), m_folder, QStringLiteral("--json")});
    QCOMPARE(menus.exitCode, 0);
    const QJsonArray model = QJsonDocument::fromJson(menus.out.toUtf8()).array();
    QCOMPARE(model.size(), 2);
    const QJsonObject view = model[1].toObject();
    QCOMPARE(view[QLatin1String("id")].toInt(), 4);
    const QJsonObject fullScreen = view[QLatin1String("entries")][0].toObject();
    QCOMPARE(fullScreen[QLatin1String("shortcutContext")].toString(), QStringLiteral("window"));
    QCOMPARE(fullScreen[QLatin1String("data")].toInt(), 40);
    QCOMPARE(fullScreen[QLatin1String("dataType")].toString(), QStringLiteral("uint"));
    const QJsonObject aspect = view[QLatin1String("entries")][9].toObject();
    QCOMPARE(
        aspect[QLatin1String("entries")][2][QLatin1String("group")][QLatin1String("id")].toInt(),
        3);
}

QTEST_GUILESS_MAIN(tst_MavctlPlugins)
#include "tst_mavctl_plugins.moc"
