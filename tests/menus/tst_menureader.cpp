// SPDX-License-Identifier: LGPL-2.1-or-later
// The menu reader over the property documents of real plug-ins, read by the real
// plug-in manager. The cases of read() run again in reference-player mode, where
// the platform string is "PRef" (referencePlayerMode).
#include "childprocess.h"
#include "pluginfolder.h"
#include "testenvironment.h"

#include "menus/menudump_p.h"

#include <MavLibrary/menus/menu.h>
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/pluginmanager.h>

#include <QAction>
#include <QActionGroup>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

#include <memory>

using Quorvex::MenuMap;

namespace {

constexpr char ReferenceVariable[] = "MAVTEST_REFERENCE_PLAYER";

//! Each document is a menu plug-in's <quorvex> part, or a whole document when it
//! starts with "<properties".
QByteArray propertyDocument(const QString &document)
{
    return document.startsWith(QLatin1String("<properties")) ? document.toUtf8()
                                                             : MavTest::menuDocument(document);
}

QString inMenus(const QString &menus)
{
    return QStringLiteral("<quorvex><menus>%1</menus></quorvex>").arg(menus);
}

} // namespace

class tst_MenuReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { m_environment = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup()
    {
        m_manager.reset();
        m_environment.reset();
    }

    void read_data();
    void read();
    void warnings_data();
    void warnings();
    void values_data();
    void values();
    void translation_data();
    void translation();
    void samples();
    void referencePlayerMode();

private:
    //! Reads the documents of plug-ins "a", "b", ... into a model; checks that
    //! every action and action group made is part of it.
    MenuMap *readDocuments(const QStringList &documents);
    //! Releases the model and its actions.
    void release(MenuMap *menus);

    std::unique_ptr<MavTest::TestEnvironment> m_environment;
    std::unique_ptr<Kapio::PluginManager> m_manager;
    QObject m_actionParent;
    bool m_reference = false;
};

void tst_MenuReader::initTestCase()
{
    m_reference = qEnvironmentVariableIsSet(ReferenceVariable);
    if (m_reference)
        Quorvex::OSUtilities::setConfigValue(QStringLiteral("Global/ReferencePlayerMode"), true);
    QCOMPARE(Quorvex::OSUtilities::getPlatformString(),
             m_reference ? QStringLiteral("PRef") : QStringLiteral("X11"));
}

MenuMap *tst_MenuReader::readDocuments(const QStringList &documents)
{
    MavTest::PluginFolder folder(m_environment->path(QStringLiteral("plugins")));
    for (qsizetype i = 0; i < documents.size(); ++i) {
        if (!folder.add(QString(QLatin1Char('a' + i)), QStringLiteral("testmenuplugin"),
                        propertyDocument(documents.at(i))))
            return nullptr;
    }
    m_manager = std::make_unique<Kapio::PluginManager>(folder.path());
    MenuMap *menus = Quorvex::readMenuDescriptions(m_manager.get(), &m_actionParent);

    // Replaced and unstored entries are released with their actions: what is
    // left under the action parent is exactly what the model holds.
    QSet<QObject *> held;
    std::function<void(const std::map<unsigned int, Quorvex::MenuItem *> &)> collect =
        [&](const auto &items) {
            for (const auto &[id, item] : items) {
                held.insert(item->action);
                if (item->group)
                    held.insert(item->group->actionGroup);
                if (auto *submenu = dynamic_cast<Quorvex::SubMenu *>(item))
                    collect(submenu->items);
            }
        };
    for (const auto &[id, menu] : *menus)
        collect(menu->items);
    held.remove(nullptr);
    const QObjectList children = m_actionParent.children();
    if (QSet<QObject *>(children.begin(), children.end()) != held) {
        qWarning("the action parent holds %d objects, the model %d", int(children.size()),
                 int(held.size()));
        release(menus);
        return nullptr;
    }
    return menus;
}

void tst_MenuReader::release(MenuMap *menus)
{
    Quorvex::releaseMenuDescriptions(menus);
    qDeleteAll(m_actionParent.children());
}

void tst_MenuReader::read_data()
{
    QTest::addColumn<QStringList>("documents");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("expectedReference"); // when it differs in "PRef" mode

    QTest::newRow("menu merged from two plug-ins")
        << QStringList {inMenus(R"(<menu id="3"><name>A3</name>
                                   <item id="5"><name>a5</name><slot>fa()</slot></item>
                                   <item id="1"><name>a1</name></item></menu>)"),
                        inMenus(R"(<menu id="3"><name>B3</name>
                                   <item id="2"><name>b2</name><slot>fb()</slot></item></menu>)")}
        << QStringList {R"(menu 3 "A3" plugin=a)", R"(  item 1 "a1" data=1 type=uint plugin=a)",
                        R"(  item 2 "b2" slot=fb() data=2 type=uint plugin=b)",
                        R"(  item 5 "a5" slot=fa() data=5 type=uint plugin=a)"}
        << QStringList();
    QTest::newRow("name, slot, application shortcut")
        << QStringList {inMenus(R"(<menu id="1"><item id="7"><name>Play</name><slot>play()</slot>
                                   <shortcut context="application">Ctrl+P</shortcut></item></menu>)")}
        << QStringList {R"(menu 1 "" plugin=a)",
                        R"(  item 7 "Play" shortcut=Ctrl+P context=application slot=play() data=7 type=uint plugin=a)"}
        << QStringList();
    QTest::newRow("shortcut before the name")
        << QStringList {inMenus(R"(<menu id="1"><item id="7">
                                   <shortcut context="application">Ctrl+P</shortcut>
                                   <name>Play</name><slot>play()</slot></item></menu>)")}
        << QStringList {R"(menu 1 "" plugin=a)",
                        R"(  item 7 "Play" slot=play() data=7 type=uint plugin=a)"}
        << QStringList();
    QTest::newRow("flags before the name are lost")
        << QStringList {inMenus(R"(<menu id="1"><item id="1"><checkable/><disabled/><name>x</name>
                                   </item><item id="2"><name>y</name><checkable/><checked/>
                                   <disabled/></item><item id="3"><name>z</name><hidden/></item>
                                   </menu>)")}
        << QStringList {R"(menu 1 "" plugin=a)", R"(  item 1 "x" data=1 type=uint plugin=a)",
                        R"(  item 2 "y" data=2 type=uint checkable checked disabled plugin=a)",
                        R"(  item 3 "z" data=3 type=uint hidden plugin=a)"}
        << QStringList();
    QTest::newRow("non-exclusive group of three")
        << QStringList {inMenus(R"(<menu id="1"><group id="4"><non-exclusive/>
                                   <slot>pick(QAction*)</slot>
                                   <item id="1"><name>a</name></item><item id="2"><name>b</name>
                                   </item><item id="3"><name>c</name></item></group>
                                   <item id="9"><name>d</name></item></menu>)")}
        << QStringList {R"(menu 1 "" plugin=a)",
                        R"(  item 1 "a" group=4 non-exclusive group-slot=pick(QAction*) data=1 type=uint plugin=a)",
                        R"(  item 2 "b" group=4 non-exclusive group-slot=pick(QAction*) data=2 type=uint plugin=a)",
                        R"(  item 3 "c" group=4 non-exclusive group-slot=pick(QAction*) data=3 type=uint plugin=a)",
                        R"(  item 9 "d" data=9 type=uint plugin=a)"}
        << QStringList();
    QTest::newRow("platform lists")
        << QStringList {inMenus(R"(<menu id="1">
                                   <item id="1" platform="Windows,X11"><name>both</name></item>
                                   <item id="2" platform="x11"><name>lower case</name></item>
                                   <item id="3" platform=",X11,,"><name>empty parts</name></item>
                                   <item id="4" platform=",,"><name>only commas</name></item>
                                   <item id="5" platform="PRef"><name>reference</name></item>
                                   <item id="6" platform="X11"><name>X11 alone</name></item>
                                   </menu>)")}
        << QStringList {R"(menu 1 "" plugin=a)", R"(  item 1 "both" data=1 type=uint plugin=a)",
                        R"(  item 3 "empty parts" data=3 type=uint plugin=a)",
                        R"(  item 4 "only commas" data=4 type=uint plugin=a)",
                        R"(  item 6 "X11 alone" data=6 type=uint plugin=a)"}
        << QStringList {R"(menu 1 "" plugin=a)",
                        R"(  item 4 "only commas" data=4 type=uint plugin=a)",
                        R"(  item 5 "reference" data=5 type=uint plugin=a)"};
    QTest::newRow("item of another platform: its children change nothing")
        << QStringList {inMenus(R"(<menu id="1"><item id="2" platform="MacOSX"><name>Mac</name>
                                   <slot>mac()</slot></item><name>Title</name></menu>)")}
        << QStringList {R"(menu 1 "Title" plugin=a)"} << QStringList();
    QTest::newRow("submenu of another platform: its entries join the menu")
        << QStringList {inMenus(R"(<menu id="1"><name>M</name><submenu id="5" platform="MacOSX">
                                   <name>S</name><item id="6"><name>i</name></item>
                                   <separator id="7"/></submenu></menu>)")}
        << QStringList {R"(menu 1 "M" plugin=a)", R"(  item 6 "i" data=6 type=uint plugin=a)",
                        R"(  separator 7 data=7 type=uint plugin=a)"}
        << QStringList();
    QTest::newRow("submenu: first name, no slot of its own")
        << QStringList {inMenus(R"(<menu id="1"><submenu id="5"><name>S</name><name>T</name>
                                   <slot>dropped()</slot><item id="6"><name>i</name></item>
                                   <separator id="7"/></submenu></menu>)")}
        << QStringList {R"(menu 1 "" plugin=a)", R"(  submenu 5 "S" plugin=a)",
                        R"(    item 6 "i" data=6 type=uint plugin=a)",
                        R"(    separator 7 data=7 type=uint plugin=a)"}
        << QStringList();
    QTest::newRow("menu-level slots of two plug-ins")
        << QStringList {inMenus(
                            R"(<menu id="1"><name>A</name><slot>fromA(QAction*)</slot></menu>)"),
                        inMenus(
                            R"(<menu id="1"><name>B</name><slot>fromB(QAction*)</slot></menu>)")}
        << QStringList {R"(menu 1 "A" plugin=a)", R"(  slot fromA(QAction*) plugin=a)",
                        R"(  slot fromB(QAction*) plugin=b)"}
        << QStringList();
    QTest::newRow("same item id twice: the later one stays")
        << QStringList {inMenus(R"(<menu id="1"><item id="1"><name>first</name></item>
                                   <item id="1"><name>second</name></item></menu>)")}
        << QStringList {R"(menu 1 "" plugin=a)", R"(  item 1 "second" data=1 type=uint plugin=a)"}
        << QStringList();
    QTest::newRow("lost to a nested element of its kind")
        << QStringList {inMenus(R"(<menu id="1"><item id="1"><name>outer</name><item id="2">
                                   <name>inner</name></item></item>
                                   <submenu id="3"><item id="4"><name>gone</name></item>
                                   <submenu id="5"><name>kept</name></submenu></submenu>
                                   <group id="6"><item id="7"><name>grouped</name></item></group>
                                   <menu id="8"><name>nested</name></menu></menu>)")}
        << QStringList {R"(menu 8 "nested" plugin=a)"} << QStringList();
    QTest::newRow("invalid ids")
        << QStringList {inMenus(R"(<menu id="1"><name>M</name><item id="-1"><name>n</name></item>
                                   <item><name>none</name></item><separator id="4294967296"/>
                                   <item id="7"><name>ok</name></item></menu>
                                   <menu id="x"><name>no menu</name></menu>)")}
        << QStringList {R"(menu 1 "M" plugin=a)", R"(  item 7 "ok" data=7 type=uint plugin=a)"}
        << QStringList();
    QTest::newRow("roles and shortcut contexts")
        << QStringList {inMenus(R"(<menu id="1">
            <item id="1"><name>a</name><role>AboutRole</role><shortcut context="widget">A</shortcut></item>
            <item id="2"><name>b</name><role>AboutQtRole</role><shortcut context="window">B</shortcut></item>
            <item id="3"><name>c</name><role>PreferencesRole</role>
                         <shortcut context="widgetAndChildren">C</shortcut></item>
            <item id="4"><name>d</name><role>QuitRole</role><shortcut context="everywhere">D</shortcut></item>
            <item id="5"><name>e</name><role>ApplicationSpecificRole</role></item>
            <item id="6"><name>f</name><role>quitrole</role></item></menu>)")}
        << QStringList {R"(menu 1 "" plugin=a)",
                        R"(  item 1 "a" shortcut=A context=widget data=1 type=uint role=AboutRole plugin=a)",
                        R"(  item 2 "b" shortcut=B context=window data=2 type=uint role=AboutQtRole plugin=a)",
                        R"(  item 3 "c" shortcut=C context=widgetAndChildren data=3 type=uint role=PreferencesRole plugin=a)",
                        R"(  item 4 "d" shortcut=D context=window data=4 type=uint role=QuitRole plugin=a)",
                        R"(  item 5 "e" data=5 type=uint role=ApplicationSpecificRole plugin=a)",
                        R"(  item 6 "f" data=6 type=uint plugin=a)"}
        << QStringList();
    QTest::newRow("menus outside quorvex")
        << QStringList {R"(<menus><menu id="1"><name>M</name></menu></menus>)",
                        R"(<quorvex/><menus><menu id="2"><name>N</name></menu></menus>)"}
        << QStringList() << QStringList();
    QTest::newRow("broken document, the next one read")
        << QStringList {"<properties><quorvex><menus><menu id=\"1\"><name>M</name></menu>",
                        inMenus(R"(<menu id="2"><name>N</name></menu>)")}
        << QStringList {R"(menu 2 "N" plugin=b)"} << QStringList();
}

void tst_MenuReader::read()
{
    QFETCH(QStringList, documents);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, expectedReference);
    if (m_reference && !expectedReference.isEmpty())
        expected = expectedReference;

    if (QTest::currentDataTag() == QLatin1String("broken document, the next one read"))
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("skipping plug-in .*/a\\.so")));
    MenuMap *menus = readDocuments(documents);
    QVERIFY(menus);
    const QStringList lines = Quorvex::MenuDump::toText(Quorvex::MenuDump::toJson(*menus));
    release(menus);
    QCOMPARE(lines, expected);
}

void tst_MenuReader::warnings_data()
{
    QTest::addColumn<QStringList>("documents");
    QTest::addColumn<QStringList>("warnings");

    const QString tools = inMenus(R"(<menu id="6"><name>Tools</name>
                                     <item id="601"><name>File Types</name></item></menu>)");
    QTest::newRow("an entry added to another plug-in's menu is no clash")
        << QStringList {tools, inMenus(R"(<menu id="6"><item id="6100"><name>Hello</name>
                                          </item></menu>)")}
        << QStringList();
    QTest::newRow("a later item with the same id names both plug-ins")
        << QStringList {tools, inMenus(R"(<menu id="6"><item id="601"><name>Mine</name>
                                          </item></menu>)")}
        << QStringList {QStringLiteral(
               "id 601 in menu 6: the entry of plug-in b replaces that of plug-in a")};
    QTest::newRow("separators and submenus are entries too")
        << QStringList {inMenus(R"(<menu id="3"><submenu id="20"><name>Speed</name>
                                   <item id="21"><name>Half</name></item></submenu>
                                   <separator id="15"/></menu>)"),
                        inMenus(R"(<menu id="3"><separator id="20"/><submenu id="15">
                                   <name>Mine</name></submenu></menu>)")}
        << QStringList {
               QStringLiteral("id 20 in menu 3: the entry of plug-in b replaces that of plug-in a"),
               QStringLiteral(
                   "id 15 in menu 3: the entry of plug-in b replaces that of plug-in a")};
    QTest::newRow("an entry of a submenu says which submenu")
        << QStringList {inMenus(R"(<menu id="3"><submenu id="20"><name>Speed</name>
                                   <item id="21"><name>Half</name></item>
                                   <item id="21"><name>Again</name></item></submenu></menu>)")}
        << QStringList {QStringLiteral(
               "id 21 in submenu 20 of menu 3: the entry of plug-in a replaces that of plug-in a")};
    QTest::newRow("a second title is ignored and said")
        << QStringList {tools, inMenus(R"(<menu id="6"><name>Mine</name></menu>)")}
        << QStringList {QStringLiteral("id 6: plug-in b names menu \"Mine\", which plug-in a "
                                       "named \"Tools\" first; the first title stays")};
    QTest::newRow("a plug-in's own second name is no clash")
        << QStringList {inMenus(R"(<menu id="6"><name>Tools</name><name>Again</name></menu>)")}
        << QStringList();
    QTest::newRow("a title from a plug-in that did not declare the menu first")
        << QStringList {inMenus(R"(<menu id="1"><item id="150"><name>Early</name></item></menu>)"),
                        inMenus(R"(<menu id="1"><name>File</name></menu>)")}
        << QStringList {QStringLiteral("id 1: the menu that plug-in a declared first takes its "
                                       "title \"File\" from plug-in b")};
    QTest::newRow("an element without a usable id is said with its line")
        << QStringList {inMenus("<menu id=\"1\"><name>M</name>\n<separator id=\"4294967296\"/>"
                                "\n<item><name>x</name></item></menu>")}
        << QStringList {
               QStringLiteral("menu description of a, line 5: <separator> skipped, its id "
                              "\"4294967296\" is no number from 0 to 4294967295"),
               QStringLiteral("menu description of a, line 6: <item> skipped, it has no id")};
}

void tst_MenuReader::warnings()
{
    QFETCH(QStringList, documents);
    QFETCH(QStringList, warnings);
    for (const QString &warning : std::as_const(warnings))
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^id \\d+|^menu description")));
    MenuMap *menus = readDocuments(documents);
    QVERIFY(menus);
    release(menus);
}

void tst_MenuReader::values_data()
{
    QTest::addColumn<QString>("value"); // the <value> element
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("float") << R"(<value type="float">1.5</value>)" << QVariant(1.5);
    QTest::newRow("double") << R"(<value type="double">-2.25</value>)" << QVariant(-2.25);
    QTest::newRow("int16") << R"(<value type="int16">-5</value>)" << QVariant(-5);
    QTest::newRow("int16 overflow") << R"(<value type="int16">40000</value>)" << QVariant(0);
    QTest::newRow("uint16 overflow") << R"(<value type="uint16">70000</value>)" << QVariant(0);
    QTest::newRow("int32") << R"(<value type="int32">-70000</value>)" << QVariant(-70000);
    QTest::newRow("uint32") << R"(<value type="uint32">4000000000</value>)"
                            << QVariant(4000000000u);
    QTest::newRow("int64") << R"(<value type="int64">-9000000000</value>)"
                           << QVariant(Q_INT64_C(-9000000000));
    QTest::newRow("uint64") << R"(<value type="uint64">18446744073709551615</value>)"
                            << QVariant(Q_UINT64_C(18446744073709551615));
    QTest::newRow("hexadecimal is not read")
        << R"(<value type="int32">0x10</value>)" << QVariant(0);
    QTest::newRow("untyped") << R"(<value>abc</value>)" << QVariant(QStringLiteral("abc"));
    QTest::newRow("unknown type") << R"(<value type="bool">true</value>)"
                                  << QVariant(QStringLiteral("true"));
    QTest::newRow("empty: the id stays") << R"(<value type="int32"></value>)" << QVariant(7u);
    QTest::newRow("before the name: the id stays")
        << R"(<value type="int32">5</value><name>x</name>)" << QVariant(7u);
}

void tst_MenuReader::values()
{
    QFETCH(QString, value);
    QFETCH(QVariant, expected);

    if (!value.contains(QLatin1String("<name>")))
        value.prepend(QStringLiteral("<name>x</name>"));
    MenuMap *menus = readDocuments(
        {inMenus(QStringLiteral(R"(<menu id="1"><item id="7">%1</item></menu>)").arg(value))});
    QVERIFY(menus);
    const QVariant data = menus->at(1)->items.at(7)->action->data();
    release(menus);
    QCOMPARE(data.metaType(), expected.metaType());
    QCOMPARE(data, expected);
}

void tst_MenuReader::translation_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("translated") << "TestMenus"
                                << "&amp;File"
                                << "&Datei";
    QTest::newRow("UTF-8 source text") << "TestMenus"
                                       << "Übersicht"
                                       << "Überblick";
    QTest::newRow("the menus' translation, not the shortcuts'") << "TestMenus"
                                                                << "Open"
                                                                << "Ö&ffnen";
    QTest::newRow("another context") << "TestMenus"
                                     << "Save"
                                     << "Save";
    QTest::newRow("no context") << ""
                                << "Save"
                                << "Save";
}

void tst_MenuReader::translation()
{
    QFETCH(QString, context);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    QTranslator german;
    QVERIFY(german.load(QStringLiteral(MAVTEST_TRANSLATION_QM)));
    QVERIFY(QCoreApplication::installTranslator(&german));
    const QString contextElement =
        context.isEmpty() ? QString() : QStringLiteral("<context>%1</context>").arg(context);
    MenuMap *menus = readDocuments(
        {inMenus(QStringLiteral(
                     R"(%1<menu id="1"><name>%2</name><item id="2"><name>%2</name></item></menu>)")
                     .arg(contextElement, name))});
    QCoreApplication::removeTranslator(&german);
    QVERIFY(menus);
    const QString title = menus->at(1)->title;
    const QString text = menus->at(1)->items.at(2)->action->text();
    release(menus);
    QCOMPARE(title, expected);
    QCOMPARE(text, expected);
}

// Each sample's document is read whole, and the model is released without a leak.
void tst_MenuReader::samples()
{
    m_manager = std::make_unique<Kapio::PluginManager>(QStringLiteral(MAVTEST_SAMPLES_DIR));
    QCOMPARE(m_manager->plugins().size(), size_t(3));
    MenuMap *menus = Quorvex::readMenuDescriptions(m_manager.get(), &m_actionParent);
    QList<unsigned int> ids;
    for (const auto &[id, menu] : *menus)
        ids << id;
    const Quorvex::Menu *playback = menus->at(3);
    const bool merged = playback->pluginInfo->name == "sampleplayback"
        && playback->items.at(19)->pluginInfo->name == "sampleview";
    release(menus);
    QCOMPARE(ids, (QList<unsigned int> {3, 4, 9}));
    QVERIFY(merged);
}

void tst_MenuReader::referencePlayerMode()
{
    if (m_reference)
        QSKIP("this is the run in reference-player mode");
    MavTest::ChildOptions options;
    options.environment = QProcessEnvironment::systemEnvironment();
    options.environment.insert(QLatin1String(ReferenceVariable), QStringLiteral("1"));
    options.mergeChannels = true;
    const MavTest::ChildResult child = MavTest::runSelf({QStringLiteral("read")}, options);
    QVERIFY2(child.succeeded(), child.out.constData());
}

QTEST_MAIN(tst_MenuReader)
#include "tst_menureader.moc"
