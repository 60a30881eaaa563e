// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl plugins and mavctl menus over the sample plug-ins and a broken one.
#include "mavctlprocess.h"
#include "pluginfolder.h"
#include "testenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cstdio>
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
    void check_data();
    void check();
    void playerFolders();

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
    // A name Qt cannot give: written through the C library.
    const QByteArray unnamable = QFile::encodeName(m_folder) + "/caf\xe9.so";
    std::FILE *file = std::fopen(unnamable.constData(), "w");
    QVERIFY(file);
    std::fclose(file);
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
                        "  properties: DIR/sampleview.xml (parsed)",
                        "caf\uFFFD",
                        "  module: DIR/caf\uFFFD.so",
                        "  properties: DIR/caf\uFFFD.xml (not used: the file name is not UTF-8)"}
        << QString();
    QTest::newRow("not a folder") << QStringList {"menus", "DIR/broken.so"} << 1 << QStringList()
                                  << "mavctl: DIR/broken.so is not a folder\n";
    QTest::newRow("no folder") << QStringList {"menus"} << 2 << QStringList()
                               << "mavctl: no plug-in folder given\n"
                                  "Try 'mavctl menus --help' for more information.\n";
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
    QCOMPARE(list.size(), 3);
    QCOMPARE(list[2][QLatin1String("error")].toString(),
             QStringLiteral("the file name is not UTF-8"));
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

namespace {

//! Everything a menu plug-in can name of the test module's object, rightly.
const char CleanMenus[] = R"(<quorvex><menus><menu id="6"><name>Tools</name>
<slot>seen(QAction*)</slot><item id="601"><name>Play</name><slot>play()</slot></item>
<group id="30"><slot>select(QAction*)</slot><item id="602"><name>Half</name></item></group>
<item id="603"><name>Loop</name><slot>toggle(bool)</slot><shortcut>Ctrl+L</shortcut></item>
</menu></menus><shortcuts><item><shortcut>F5</shortcut><slot>play()</slot></item>
<item><shortcut>F6</shortcut><signal>requested()</signal></item></shortcuts></quorvex>)";

} // namespace

void tst_MavctlPlugins::check_data()
{
    // Each plug-in is "name=module" and its <quorvex> part; line 4 of its document
    // is the first of that part.
    QTest::addColumn<QStringList>("plugins");
    QTest::addColumn<QStringList>("against"); // the same, in a folder of its own
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("lines"); // the whole output, DIR the checked folder

    QTest::newRow("a plug-in that names only what its object has passes")
        << QStringList {"a=testmenuplugin", CleanMenus} << QStringList() << 0 << QStringList();
    QTest::newRow("a misspelt element and attribute are named with their lines")
        << QStringList {"a=testmenuplugin",
                        "<quorvex><menus><menu id=\"6\">\n<item id=\"7\" plaform=\"X11\">"
                        "<name>a</name>\n<slott>play()</slott></item></menu></menus></quorvex>"}
        << QStringList() << 1
        << QStringList {"DIR/a.xml:5: unknown attribute plaform of <item>",
                        "DIR/a.xml:6: unknown element <slott>"};
    QTest::newRow("a slot the object lacks, and slots of forms that are never called")
        << QStringList {"a=testmenuplugin",
                        "<quorvex><menus><menu id=\"6\">\n<item id=\"7\"><name>a</name>"
                        "<slot>sayHello()</slot></item>\n<item id=\"8\"><name>b</name>"
                        "<slot>select( QAction * )</slot></item>\n<group id=\"9\">"
                        "<slot>toggle(bool)</slot></group></menu></menus>\n<shortcuts><item>"
                        "<signal>play()</signal></item></shortcuts></quorvex>"}
        << QStringList() << 1
        << QStringList {"DIR/a.xml:5: the plug-in's object has no slot sayHello()",
                        "DIR/a.xml:6: slot select( QAction * ) is never called: an item's slot "
                        "takes () or (bool)",
                        "DIR/a.xml:7: slot toggle(bool) is never called: a group's slot takes () "
                        "or (QAction*)",
                        "DIR/a.xml:8: the plug-in's object has no signal play()"};
    QTest::newRow("ids, titles and keys of two plug-ins of the folder")
        << QStringList {"a=testmenuplugin", CleanMenus, "b=testmenuplugin",
                        "<quorvex><menus><menu id=\"6\"><name>Mine</name>\n<separator "
                        "id=\"603\"/>\n<group id=\"30\"/><item id=\"5\"><name>x</name>\n"
                        "<shortcut>Ctrl+L</shortcut></item></menu></menus>\n<shortcuts><item>"
                        "<shortcut>F5</shortcut><slot>play()</slot></item></shortcuts></quorvex>"}
        << QStringList() << 1
        << QStringList {"DIR/b.xml:4: menu 6 is given a title by plug-in a too (DIR/a.xml:4)",
                        "DIR/b.xml:5: separator 603 is declared by plug-in a too (DIR/a.xml:7)",
                        "DIR/b.xml:6: group 30 is declared by plug-in a too (DIR/a.xml:6)",
                        "DIR/b.xml:7: the key Ctrl+L of item 5 is bound by plug-in a too "
                        "(DIR/a.xml:7)",
                        "DIR/b.xml:8: the key F5 in the sub-context All is bound by plug-in a "
                        "too (DIR/a.xml:8)"};
    QTest::newRow("a clash with an --against plug-in is said where the checked one declares it")
        << QStringList {"b=testmenuplugin",
                        "<quorvex><menus><menu id=\"6\">\n<item id=\"601\"><name>x</name>"
                        "</item></menu></menus></quorvex>"}
        << QStringList {"a=testmenuplugin", CleanMenus} << 1
        << QStringList {"DIR/b.xml:5: item 601 is declared by plug-in a too (AGAINST/a.xml:5)"};
    QTest::newRow("a plug-in named as an --against one is said, not compared")
        << QStringList {"a=testmenuplugin", CleanMenus}
        << QStringList {"a=testmenuplugin", CleanMenus} << 1
        << QStringList {"DIR/a.so: a plug-in of this name is in AGAINST too; only one of them "
                        "is read"};
    QTest::newRow("adding to a menu of an --against plug-in is no clash")
        << QStringList {"b=testmenuplugin",
                        "<quorvex><menus><menu id=\"6\"><item id=\"6100\"><name>x</name>"
                        "<slot>play()</slot></item></menu></menus></quorvex>"}
        << QStringList {"a=testmenuplugin", CleanMenus} << 0 << QStringList();
    QTest::newRow("a folder without plug-ins is no clean result")
        << QStringList() << QStringList() << 1 << QStringList();
    QTest::newRow("a module that crashes while loading does not take mavctl down")
        << QStringList {"c=testcrash", CleanMenus} << QStringList() << 1
        << QStringList {"DIR/c.so: loading the module crashed a process"};
}

void tst_MavctlPlugins::check()
{
    QFETCH(QStringList, plugins);
    QFETCH(QStringList, against);
    QFETCH(int, exitCode);
    QFETCH(QStringList, lines);

    const auto fill = [](const QString &path, const QStringList &list) {
        MavTest::PluginFolder folder(path);
        for (qsizetype i = 0; i + 1 < list.size(); i += 2) {
            const QStringList names = list.at(i).split(QLatin1Char('='));
            if (!folder.add(names.at(0), names.at(1), MavTest::menuDocument(list.at(i + 1))))
                return false;
        }
        return true;
    };
    const QString dir = m_environment->path(QStringLiteral("check"));
    const QString others = m_environment->path(QStringLiteral("against"));
    QVERIFY(fill(dir, plugins));
    QVERIFY(fill(others, against));
    const auto result = MavTest::runMavctl({QStringLiteral("plugins"), QStringLiteral("check"), dir,
                                            QStringLiteral("--against"),
                                            against.isEmpty() ? QStringLiteral("-") : others});
    lines.replaceInStrings(QStringLiteral("AGAINST"), others);
    lines.replaceInStrings(QStringLiteral("DIR"), dir);
    QCOMPARE(result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), lines);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.err.isEmpty(), exitCode == 0);

    const auto json = MavTest::runMavctl({QStringLiteral("plugins"), QStringLiteral("check"), dir,
                                          QStringLiteral("--json"), QStringLiteral("--against"),
                                          against.isEmpty() ? QStringLiteral("-") : others});
    QCOMPARE(QJsonDocument::fromJson(json.rawOut).array().size(), lines.size());
}

// Without a folder, the player's: installed, the user's, then $ZENTRIX_PLUGIN_PATH.
void tst_MavctlPlugins::playerFolders()
{
    const QString user = qEnvironmentVariable("XDG_DATA_HOME") + "/zentrix-player/plugins";
    const QString first = m_environment->path(QStringLiteral("first"));
    const QString second = m_environment->path(QStringLiteral("second"));
    const QByteArray document = MavTest::menuDocument(QString());
    QVERIFY(MavTest::PluginFolder(user).add("mine", "testmenuplugin", document));
    QVERIFY(MavTest::PluginFolder(first).add("mine", "testmenuplugin", document));
    QVERIFY(MavTest::PluginFolder(second).add("other", "testmenuplugin", document));
    m_environment->setVariable("ZENTRIX_PLUGIN_PATH", QFile::encodeName(first + "::" + second));

    const auto result = MavTest::runMavctl({QStringLiteral("plugins")});
    QCOMPARE(result.exitCode, 0);
    const QStringList lines = result.out.split(QLatin1Char('\n'));
    const QStringList folders = lines.filter(QRegularExpression(QStringLiteral("^folder: ")));
    QCOMPARE(folders.size(), 4); // the installed one, whether it is built or not
    QCOMPARE(folders.mid(1),
             (QStringList {"folder: " + user, "folder: " + first, "folder: " + second}));
    // A name found earlier wins: the user's "mine", not the one of the path.
    QVERIFY(lines.contains("  module: " + user + "/mine.so"));
    QVERIFY(lines.contains(QStringLiteral("  properties: %1/mine.xml (not used: a plug-in of this "
                                          "name was found first in %2)")
                               .arg(first, user)));
    QVERIFY(lines.contains("  module: " + second + "/other.so"));
    QVERIFY(QDir(user).removeRecursively());
}

QTEST_GUILESS_MAIN(tst_MavctlPlugins)
#include "tst_mavctl_plugins.moc"
