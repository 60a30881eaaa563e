// SPDX-License-Identifier: LGPL-2.1-or-later
// The plug-in manager over real plug-in modules: scanning, property documents,
// filters, loading, reference counting and unloading.
#include "pluginfolder.h"
#include "testenvironment.h"

#include <MavLibrary/plugins/pluginmanager.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTest>

#include <dlfcn.h>

#include <memory>

using Kapio::PluginInfo;
using Kapio::PluginManager;
using MavTest::menuDocument;

namespace {

// Would take minutes and gigabytes if an entity were ever expanded.
const QByteArray BillionLaughs = R"(<?xml version="1.0"?>
<!DOCTYPE properties [
 <!ENTITY lol "lol">
 <!ENTITY lol1 "&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;">
 <!ENTITY lol2 "&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;">
 <!ENTITY lol3 "&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;">
 <!ENTITY lol4 "&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;">
 <!ENTITY lol5 "&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;">
 <!ENTITY lol6 "&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;">
 <!ENTITY lol7 "&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;">
 <!ENTITY lol8 "&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;">
 <!ENTITY lol9 "&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;">
]>
<properties><name><short>&lol9;</short></name></properties>
)";

QByteArray document(const QString &key)
{
    if (key == u"good")
        return menuDocument(QString());
    if (key == u"none")
        return QByteArray();
    if (key == u"malformed")
        return "<properties><name></properties>";
    if (key == u"empty")
        return "";
    if (key == u"latin1")
        return "<properties><name><short>Caf\xE9</short></name></properties>";
    if (key == u"utf16") {
        QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        return encoder(QString::fromUtf8(menuDocument(QString())));
    }
    if (key == u"declaresLatin1")
        return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><properties/>";
    if (key == u"wrongRoot")
        return "<plugin/>";
    if (key == u"billionLaughs")
        return BillionLaughs;
    if (key == u"externalEntity")
        return "<!DOCTYPE properties [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
               "<properties><name><short>&x;</short></name></properties>";
    qFatal("no document %s", qPrintable(key));
}

bool moduleLoaded(const std::string &path)
{
    void *handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

QStringList names(const std::vector<PluginInfo *> &infos)
{
    QStringList list;
    for (const PluginInfo *info : infos)
        list << QString::fromStdString(info->name);
    return list;
}

} // namespace

class tst_PluginManager : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<MavTest::TestEnvironment>();
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    }
    void cleanup() { m_environment.reset(); }

    void scan_data();
    void scan();
    void properties_data();
    void properties();
    void findPlugins_data();
    void findPlugins();
    void loading_data();
    void loading();
    void referenceCounting();

private:
    QString folder(const QString &name) const { return m_environment->path(name); }

    std::unique_ptr<MavTest::TestEnvironment> m_environment;
};

void tst_PluginManager::scan_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("plugins"); // "folder/name:document"
    QTest::addColumn<QStringList>("usable"); // "folder/name", in the manager's order
    QTest::addColumn<QString>("skipped"); // "name" of the one skipped, or empty
    QTest::addColumn<QString>("reason");

    const QStringList one {QStringLiteral("1")};
    QTest::newRow("by file name") << one << QStringList {"1/b:good", "1/a:good"}
                                  << QStringList {"1/a", "1/b"} << QString() << QString();
    QTest::newRow("broken between good ones")
        << one << QStringList {"1/a:good", "1/b:malformed", "1/c:good"}
        << QStringList {"1/a", "1/c"} << "b"
        << "property document: line 1: .*";
    const struct
    {
        const char *row;
        const char *document;
        const char *reason;
    } broken[] = {
        {"no document", "none", "no property document .*/1/x.xml"},
        {"empty document", "empty", "property document: empty"},
        {"Latin-1 bytes", "latin1", "property document: not UTF-8"},
        {"UTF-16", "utf16", "property document: not UTF-8"},
        {"declares Latin-1", "declaresLatin1",
         "property document: declares the encoding ISO-8859-1, not UTF-8"},
        {"other root", "wrongRoot", "property document: root element <plugin>, not <properties>"},
        {"billion laughs", "billionLaughs", "property document: has a document type declaration.*"},
        {"external entity", "externalEntity",
         "property document: has a document type declaration.*"},
    };
    for (const auto &b : broken)
        QTest::newRow(b.row) << one << QStringList {QStringLiteral("1/x:") + b.document}
                             << QStringList() << "x" << b.reason;
    QTest::newRow("name in a later folder")
        << QStringList {"1", "2"} << QStringList {"1/a:good", "2/a:good", "2/b:good"}
        << QStringList {"1/a", "2/b"} << "a"
        << "a plug-in of this name was found first in .*/1";
}

void tst_PluginManager::scan()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, plugins);
    QFETCH(QStringList, usable);
    QFETCH(QString, skipped);
    QFETCH(QString, reason);

    for (const QString &plugin : plugins) {
        const QString where = plugin.section(QLatin1Char(':'), 0, 0);
        MavTest::PluginFolder dir(folder(where.section(QLatin1Char('/'), 0, 0)));
        QVERIFY(dir.add(where.section(QLatin1Char('/'), 1), QStringLiteral("testmenuplugin"),
                        document(plugin.section(QLatin1Char(':'), 1))));
    }
    QStringList paths;
    for (const QString &name : folders)
        paths << folder(name);
    if (!skipped.isEmpty())
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(
                QStringLiteral("^skipping plug-in .*/%1\\.so - %2$").arg(skipped, reason)));

    QElapsedTimer timer;
    timer.start();
    const PluginManager manager(paths);
    // Nothing is expanded: far below what any expansion would take.
    QVERIFY(timer.elapsed() < 2000);

    QStringList found;
    for (const PluginInfo *info : manager.plugins()) {
        const QString module = QString::fromStdString(info->modulePath);
        found << module.section(QLatin1Char('/'), -2, -2) + QLatin1Char('/')
                + QString::fromStdString(info->name);
        QVERIFY(info->document);
        QVERIFY(!moduleLoaded(info->modulePath)); // read, not loaded
    }
    QCOMPARE(found, usable);
    QCOMPARE(qsizetype(manager.candidates().size()), plugins.size());
    for (const PluginInfo *info : manager.candidates()) {
        if (info->error.empty())
            continue;
        QCOMPARE(QString::fromStdString(info->name), skipped);
        QVERIFY(!info->document);
        QCOMPARE(manager.errorString(info), info->error);
    }
}

void tst_PluginManager::properties_data()
{
    QTest::addColumn<QString>("body"); // inside <properties>
    QTest::addColumn<QStringList>("names"); // short, long
    QTest::addColumn<QList<int>>("version");
    QTest::addColumn<QStringList>("interfaces");

    QTest::newRow("complete")
        << "<name><short>Playback</short><long>Playback commands</long></name>"
           "<plugin><version><major>1</major><minor>2</minor><micro>3</micro></version>"
           "<interfaces><interface>com.zentrix.quorvex.pluginInterface.Menu</interface>"
           "<interface>com.zentrix.quorvex.pluginInterface.MediaManager</interface>"
           "</interfaces></plugin>"
        << QStringList {"Playback", "Playback commands"} << QList<int> {1, 2, 3}
        << QStringList {"com.zentrix.quorvex.pluginInterface.Menu",
                        "com.zentrix.quorvex.pluginInterface.MediaManager"};
    QTest::newRow("nothing") << QString() << QStringList {"", ""} << QList<int> {0, 0, 0}
                             << QStringList();
    QTest::newRow("versions through atoi")
        << "<plugin><version><major>12abc</major><minor> 7</minor><micro>-3</micro></version>"
           "</plugin>"
        << QStringList {"", ""} << QList<int> {12, 7, -3} << QStringList();
    QTest::newRow("not numbers")
        << "<plugin><version><major>x1</major><minor></minor></version></plugin>"
        << QStringList {"", ""} << QList<int> {0, 0, 0} << QStringList();
    QTest::newRow("first node in document order")
        << "<name><long>First</long></name><name><short>A</short><short>B</short>"
           "<long>Second</long></name>"
        << QStringList {"A", "First"} << QList<int> {0, 0, 0} << QStringList();
    QTest::newRow("interfaces trimmed, empty ones dropped")
        << "<plugin><interfaces><interface>\n  a.b \n</interface><interface> </interface>"
           "</interfaces></plugin>"
        << QStringList {"", ""} << QList<int> {0, 0, 0} << QStringList {"a.b"};
}

void tst_PluginManager::properties()
{
    QFETCH(QString, body);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, version);
    QFETCH(QStringList, interfaces);

    MavTest::PluginFolder dir(folder(QStringLiteral("plugins")));
    QVERIFY(dir.add(QStringLiteral("p"), QStringLiteral("testmenuplugin"),
                    QStringLiteral("<properties>%1</properties>").arg(body).toUtf8()));
    const PluginManager manager(dir.path());
    QCOMPARE(manager.plugins().size(), size_t(1));
    const PluginInfo *info = manager.plugins().front();
    QCOMPARE(QString::fromStdString(info->shortName()), names.at(0));
    QCOMPARE(QString::fromStdString(info->longName()), names.at(1));
    QCOMPARE((QList<int> {info->majorVersion(), info->minorVersion(), info->microVersion()}),
             version);
    QStringList found;
    for (const std::string &interface : info->interfaces)
        found << QString::fromStdString(interface);
    QCOMPARE(found, interfaces);
    // The raw text is kept for the menu and shortcut readers.
    QVERIFY(QByteArray::fromStdString(info->properties).contains(body.toUtf8()));
}

void tst_PluginManager::findPlugins_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("Menu interface")
        << false << "com.zentrix.quorvex.pluginInterface.Menu" << QStringList {"a", "c"};
    QTest::newRow("MediaManager interface")
        << false << "com.zentrix.quorvex.pluginInterface.MediaManager" << QStringList {"b", "c"};
    QTest::newRow("interface nobody has") << false << "com.zentrix.quorvex" << QStringList();
    QTest::newRow("name") << true << "b" << QStringList {"b"};
    QTest::newRow("name in another case") << true << "B" << QStringList();
    QTest::newRow("name of a broken plug-in") << true << "d" << QStringList();
}

void tst_PluginManager::findPlugins()
{
    QFETCH(bool, byName);
    QFETCH(QString, value);
    QFETCH(QStringList, expected);

    const auto interfaces = [](const char *list) {
        QString body;
        for (const QString &interface : QString::fromLatin1(list).split(QLatin1Char(' ')))
            body += QStringLiteral("<interface>com.zentrix.quorvex.pluginInterface.%1</interface>")
                        .arg(interface);
        return QStringLiteral(
                   "<properties><plugin><interfaces>%1</interfaces></plugin></properties>")
            .arg(body)
            .toUtf8();
    };
    MavTest::PluginFolder dir(folder(QStringLiteral("plugins")));
    QVERIFY(dir.add(QStringLiteral("a"), QStringLiteral("testmenuplugin"), interfaces("Menu")));
    QVERIFY(
        dir.add(QStringLiteral("b"), QStringLiteral("testmenuplugin"), interfaces("MediaManager")));
    QVERIFY(dir.add(QStringLiteral("c"), QStringLiteral("testmenuplugin"),
                    interfaces("MediaManager Menu")));
    QVERIFY(dir.add(QStringLiteral("d"), QStringLiteral("testmenuplugin"), "<properties>"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("skipping plug-in .*/d")));
    const PluginManager manager(dir.path());

    std::vector<PluginInfo *> found {nullptr}; // results are appended
    const int result = byName
        ? manager.findPlugins(Kapio::PluginNameFilter(value.toStdString()), found)
        : manager.findPlugins(Kapio::PluginInterfaceFilter(value.toStdString()), found);
    QCOMPARE(result, expected.isEmpty() ? int(Kapio::NotFound) : int(Kapio::Success));
    QCOMPARE(found.front(), nullptr);
    found.erase(found.begin());
    QCOMPARE(names(found), expected);
}

void tst_PluginManager::loading_data()
{
    QTest::addColumn<QString>("module"); // empty: removed after the scan
    QTest::addColumn<int>("loadResult");
    QTest::addColumn<int>("menuResult");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QStringList>("messages");

    const QStringList createdAndDestroyed {"created", "destroyed"};
    QTest::newRow("menu plug-in") << "testmenuplugin" << int(Kapio::Success) << int(Kapio::Success)
                                  << QString() << createdAndDestroyed;
    QTest::newRow("no menu interface") << "testnointerface" << int(Kapio::Success)
                                       << int(Kapio::NotFound) << QString() << createdAndDestroyed;
    QTest::newRow("root object is no factory")
        << "testnofactory" << int(Kapio::Failure) << -1
        << "its root object does not implement com.zentrix.kapio.PluginFactory/1.0"
        << createdAndDestroyed;
    QTest::newRow("no Qt plug-in")
        << "notaplugin" << int(Kapio::Failure) << -1 << ".*is not a .*Qt plugin.*" << QStringList();
    QTest::newRow("module gone since the scan")
        << QString() << int(Kapio::Failure) << -1 << ".*not found.*" << QStringList();
}

void tst_PluginManager::loading()
{
    QFETCH(QString, module);
    QFETCH(int, loadResult);
    QFETCH(int, menuResult);
    QFETCH(QString, reason);
    QFETCH(QStringList, messages);

    MavTest::PluginFolder dir(folder(QStringLiteral("plugins")));
    QVERIFY(dir.add(QStringLiteral("p"),
                    module.isEmpty() ? QStringLiteral("testmenuplugin") : module,
                    menuDocument(QString())));
    QVERIFY(
        dir.add(QStringLiteral("q"), QStringLiteral("testmenuplugin"), menuDocument(QString())));
    PluginManager manager(dir.path());
    if (module.isEmpty())
        QVERIFY(QFile::remove(dir.file(QStringLiteral("p.so"))));
    QCOMPARE(manager.plugins().size(), size_t(2));
    PluginInfo *info = manager.plugins().front();

    MavTest::HubRecorder recorder;
    Kapio::Plugin *plugin = nullptr;
    if (!reason.isEmpty())
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression(QStringLiteral("^cannot load plug-in .*/p\\.so - %1$").arg(reason)));
    QCOMPARE(manager.loadPlugin(info, &plugin, Kapio::LoadIfNeeded), loadResult);
    if (loadResult == Kapio::Success) {
        QCOMPARE(plugin->info(), info);
        void *menu = nullptr;
        QCOMPARE(plugin->queryInterface(Quorvex::MenuInterfaceId, &menu), menuResult);
        QCOMPARE(menu != nullptr, menuResult == Kapio::Success);
        QCOMPARE(plugin->queryInterface(Quorvex::MediaManagerInterfaceId, &menu),
                 int(Kapio::NotFound));
        QVERIFY(moduleLoaded(info->modulePath));
        plugin->release();
    } else {
        QCOMPARE(plugin, nullptr);
        QVERIFY(
            QString::fromStdString(manager.errorString(info)).contains(QRegularExpression(reason)));
    }
    QCOMPARE(recorder.take(), messages);
    QCOMPARE(manager.referenceCount(info), 0);
    QVERIFY(!moduleLoaded(info->modulePath));

    // The others are not held back by it.
    Kapio::Plugin *other = nullptr;
    QCOMPARE(manager.loadPlugin(manager.plugins().back(), &other, Kapio::LoadIfNeeded),
             int(Kapio::Success));
    other->release();
}

void tst_PluginManager::referenceCounting()
{
    MavTest::PluginFolder dir(folder(QStringLiteral("plugins")));
    QVERIFY(
        dir.add(QStringLiteral("p"), QStringLiteral("testmenuplugin"), menuDocument(QString())));
    PluginManager manager(dir.path());
    PluginInfo *info = manager.plugins().front();
    MavTest::HubRecorder recorder;

    Kapio::Plugin *first = nullptr;
    QCOMPARE(manager.loadPlugin(info, &first, Kapio::ReferenceIfLoaded), int(Kapio::NotFound));
    QCOMPARE(first, nullptr);
    QCOMPARE(manager.loadPlugin(info, &first, Kapio::LoadIfNeeded), int(Kapio::Success));
    Kapio::Plugin *second = nullptr;
    QCOMPARE(manager.loadPlugin(info, &second, Kapio::ReferenceIfLoaded), int(Kapio::Success));
    QCOMPARE(second, first);
    QCOMPARE(manager.referenceCount(info), 2);
    QCOMPARE(recorder.take(), QStringList {"created"});

    void *menu = nullptr;
    QCOMPARE(first->queryInterface(Quorvex::MenuInterfaceId, &menu), int(Kapio::Success));
    QObject *object = static_cast<Kapio::MenuInterface *>(menu)->qObject();
    QSignalSpy destroyed(object, &QObject::destroyed);
    second->release();
    QCOMPARE(manager.referenceCount(info), 1);
    QCOMPARE(destroyed.count(), 0);
    first->release();
    QCOMPARE(manager.referenceCount(info), 0);
    QCOMPARE(destroyed.count(), 1);
    QCOMPARE(recorder.take(), QStringList {"destroyed"});
    QVERIFY(!moduleLoaded(info->modulePath));

    // Loaded afresh: a new object.
    QCOMPARE(manager.loadPlugin(info, &first, Kapio::LoadIfNeeded), int(Kapio::Success));
    first->release();
    QCOMPARE(recorder.take(), (QStringList {"created", "destroyed"}));

    // Only its own plug-ins.
    PluginInfo stranger;
    stranger.modulePath = info->modulePath;
    QCOMPARE(manager.loadPlugin(&stranger, &first, Kapio::LoadIfNeeded), int(Kapio::NotFound));
    QCOMPARE(manager.loadPlugin(info, nullptr, Kapio::LoadIfNeeded), int(Kapio::NotFound));
}

QTEST_GUILESS_MAIN(tst_PluginManager)
#include "tst_pluginmanager.moc"
