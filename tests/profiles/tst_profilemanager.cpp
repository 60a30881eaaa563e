// SPDX-License-Identifier: LGPL-2.1-or-later
#include "profiles/profilemanager_p.h"
#include "testenvironment.h"

#include <MavLibrary/plugins/pluginmanager.h>
#include <MavLibrary/settings/playersettings.h>
#include <MavLibrary/settings/settingsfunctions.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

using namespace Quorvex;
using MavTest::writeFile;

namespace {

const char PhoneGuid[] = "{12CBFB78-9EC5-4780-9EA1-1D5EE1B3E8D6}";

QByteArray profileXml(const QByteArray &guid, const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<profile><guid>" + guid + "</guid>" + body
        + "</profile>\n";
}

QString size(unsigned width, unsigned height)
{
    return QString::number(width) + QLatin1Char('x') + QString::number(height);
}

// One aspect of a profile as text, so that each row names what it checks.
QString aspect(const ProfileWrapper &p, const QString &name)
{
    if (name == QLatin1String("min"))
        return size(p.videoMin.width, p.videoMin.height);
    if (name == QLatin1String("max"))
        return size(p.videoMax.width, p.videoMax.height);
    if (name == QLatin1String("reals"))
        return QStringLiteral("%1..%2 %3..%4")
            .arg(p.videoMin.scaling)
            .arg(p.videoMax.scaling, 0, 'g', 10)
            .arg(p.videoMin.frameRate)
            .arg(p.videoMax.frameRate, 0, 'g', 10);
    if (name == QLatin1String("versions"))
        return QString::number(p.versions);
    if (name == QLatin1String("custom"))
        return QString::number(p.customResolutionAllowed);
    QStringList parts;
    if (name == QLatin1String("names")) {
        for (const auto &[code, text] : p.displayNames)
            parts.append(QString::fromStdString(code) + '=' + QString::fromStdWString(text));
    }
    if (name == QLatin1String("displays")) {
        for (std::size_t i = 0; i < p.displays.size(); ++i) {
            QString entry = size(p.displays[i].width, p.displays[i].height);
            for (const auto &[code, text] : p.displays[i].names)
                entry += ' ' + QString::fromStdString(code) + '=' + QString::fromStdWString(text);
            parts.append(entry + (int(i) == p.defaultDisplay ? "*" : ""));
        }
    }
    return parts.join(QLatin1Char(','));
}

} // namespace

class tst_ProfileManager : public QObject
{
    Q_OBJECT

private slots:
    void instanceNeedsContext(); // first: no manager exists yet
    void init();
    void cleanup();

    void parse_data();
    void parse();
    void parseUnderCommaDecimals_data() { parse_data(); }
    void parseUnderCommaDecimals();
    void refused_data();
    void refused();
    void loadFolder();
    void activeProfile();
    void replacedActiveProfile();
    void order_data();
    void order();
    void displayName_data();
    void displayName();

private:
    ProfileManager *manager() { return ProfileManager::instance(&m_context); }
    QString folder(const QString &name)
    {
        const QString path = m_env->path(name);
        return QDir().mkpath(path) ? path : QString();
    }

    Kapio::PluginManager m_context {QStringList {}};
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_ProfileManager::instanceNeedsContext()
{
    QVERIFY(!ProfileManager::instance(nullptr));
    ProfileManager *made = manager();
    QVERIFY(made);
    Kapio::PluginManager other {QStringList {}};
    QCOMPARE(ProfileManager::instance(nullptr), made);
    QCOMPARE(ProfileManager::instance(&other), made);
}

void tst_ProfileManager::init()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
}

void tst_ProfileManager::cleanup()
{
    ProfileManagerPrivate::destroyInstance();
    m_env.reset();
}

void tst_ProfileManager::parse_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected"); // "<aspect> <text>"

    const auto row = [](const char *name, const QByteArray &body, const char *expected) {
        QTest::newRow(name) << body << QString::fromUtf8(expected);
    };
    const auto minWidth = [](const QByteArray &texts) {
        return "<video><resolution><min><width>" + QByteArray(texts).replace("|", "</width><width>")
            + "</width><height>1</height></min></resolution></video>";
    };
    const auto display = [](const QByteArray &entries) {
        return "<video><resolution><min><width>320</width><height>240</height></min></resolution>"
               "</video><display>"
            + entries + "</display>";
    };
    row("initial limits", "<video/>", "max 4294967295x4294967295");
    row("0x280 is hexadecimal", minWidth("0x280"), "min 640x1");
    row("0x alone is decimal 0", minWidth("7|0x"), "min 0x1");
    row("abc keeps the previous value", minWidth("320|abc"), "min 320x1");
    row("text after the digits ignored", minWidth(" +640px"), "min 640x1");
    row("negative keeps the previous value", minWidth("320|-1"), "min 320x1");
    row("beyond 32 bits keeps the previous value", minWidth("320|4294967296|0x100000000"),
        "min 320x1");
    row("reals as %lf, bad ones ignored",
        "<video><scaling><min>0.5</min><max>2.5e0</max></scaling><frameRate><min> 29.97fps</min>"
        "<max>60</max><max>fast</max></frameRate></video>",
        "reals 0.5..2.5 29.97..60");
    row("versions 1 and 3 give 10", "<ZMF><version>1</version><version>3</version></ZMF>",
        "versions 10");
    row("versions by first character",
        "<ZMF><version>3.1</version><version>4</version><version>x0</version><version/></ZMF>"
        "<version>0</version>",
        "versions 8");
    row("names need code and text",
        "<displayName><lang code=\"en\">Phone</lang><lang>Nameless</lang><lang code=\"de\"/>"
        "<lang code=\"ja\">\xE9\x9B\xBB\xE8\xA9\xB1</lang></displayName>",
        "names en=Phone,ja=\xE9\x9B\xBB\xE8\xA9\xB1");
    row("entry without width loses its default mark",
        display("<resolution><height>480</height><default/></resolution>"
                "<resolution><width>800</width><height>480</height></resolution>"),
        "displays 800x480");
    row("entry with height 0 dropped",
        display("<resolution><width>800</width><height>0</height><default/></resolution>"),
        "displays ");
    row("two defaults: the later wins",
        display("<resolution><width>640</width><height>480</height><default/></resolution>"
                "<resolution><width>800</width><height>600</height><default/></resolution>"),
        "displays 640x480,800x600*");
    row("bad entry size falls back to the video minimum",
        display("<resolution><width>abc</width><height>-5</height></resolution>"),
        "displays 320x240");
    row("entry names need lang and text",
        display("<resolution><width>1</width><height>1</height><name lang=\"fr\">Paysage</name>"
                "<name>x</name></resolution>"),
        "displays 1x1 fr=Paysage");
    row("custom resolution only for exactly true",
        display("<customResolutionAllowed>true</customResolutionAllowed>"
                "<customResolutionAllowed>True</customResolutionAllowed>"),
        "custom 0");
}

void tst_ProfileManager::parse()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);

    const QByteArray xml = profileXml("{A}", body);
    std::string error;
    const auto profile =
        ProfileParser::parse(xml.constData(), std::size_t(xml.size()), L"/p/a.xml", &error);
    QVERIFY2(profile, error.c_str());
    const QString name = expected.section(' ', 0, 0);
    QCOMPARE(name + ' ' + aspect(*profile, name), expected);
    QCOMPARE(profile->directory, std::wstring(L"/p"));
    QCOMPARE(profile->fileName, std::wstring(L"a.xml"));
}

// Qt sets LC_NUMERIC from the user's locale, and "%lf" follows it; the files
// write "29.97" whatever the locale, so every row must read the same under one
// whose decimal separator is a comma.
void tst_ProfileManager::parseUnderCommaDecimals()
{
    static QTemporaryDir locales;
    static const bool built = [] {
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
                        {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                         QStringLiteral("UTF-8"), locales.filePath(QStringLiteral("de_DE.UTF-8"))});
        return localedef.waitForFinished(60000) && localedef.exitStatus() == QProcess::NormalExit;
    }();
    QVERIFY2(built, "localedef (Debian's locales) makes the comma-decimal locale");
    const QByteArray previousPath = qgetenv("LOCPATH");
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    qputenv("LOCPATH", QFile::encodeName(locales.path()));
    const auto restore = qScopeGuard([&] {
        std::setlocale(LC_NUMERIC, previous.c_str());
        if (previousPath.isNull())
            qunsetenv("LOCPATH");
        else
            qputenv("LOCPATH", previousPath);
    });
    QVERIFY(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"));
    QCOMPARE(std::localeconv()->decimal_point, ",");
    parse();
}

void tst_ProfileManager::refused_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("reason");

    QTest::newRow("no guid") << QByteArray("<profile><ZMF><version>3</version></ZMF></profile>")
                             << "no guid";
    QTest::newRow("empty guid") << profileXml("", "") << "no guid";
    QTest::newRow("0 bytes") << QByteArray() << "empty";
    QTest::newRow("above 4 MiB, unread")
        << profileXml("{A}", QByteArray(4 * 1024 * 1024, ' ')) << "larger than 4194304 bytes";
    QTest::newRow("not XML") << QByteArray("guid={A}\n") << "line 1";
    QTest::newRow("undeclared entity") << profileXml("&guid;", "") << "line 2";
    QTest::newRow("billion laughs")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE p [<!ENTITY a \"aaaaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                      "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]><p><guid>&d;</guid></p>")
        << "document type";
    QTest::newRow("external entity") << QByteArray(
        "<!DOCTYPE p [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><p><guid>&x;</guid></p>")
                                     << "document type";
}

void tst_ProfileManager::refused()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, reason);

    std::string error;
    QVERIFY(!ProfileParser::parse(xml.constData(), std::size_t(xml.size()), L"a.xml", &error));
    QVERIFY2(QString::fromStdString(error).contains(reason), error.c_str());
}

void tst_ProfileManager::loadFolder()
{
    const QString dir = folder(QStringLiteral("profiles"));
    QVERIFY(!manager()->loadProfiles(dir.toStdWString()));
    QVERIFY(!manager()->loadProfiles(m_env->path(QStringLiteral("missing")).toStdWString()));

    for (const QString &name : QDir(QStringLiteral(MAVTEST_SAMPLE_PROFILES)).entryList(QDir::Files))
        QVERIFY(QFile::copy(QStringLiteral(MAVTEST_SAMPLE_PROFILES "/") + name, dir + '/' + name));
    QVERIFY(writeFile(dir + "/UPPER.XML", profileXml("{U}", "")));
    QVERIFY(writeFile(dir + "/other.txt", profileXml("{T}", "")));
    QVERIFY(writeFile(dir + "/empty.xml", ""));
    QVERIFY(
        writeFile(dir + "/laughs.xml",
                  "<!DOCTYPE p [<!ENTITY a \"a\"><!ENTITY b \"&a;&a;\">]><p><guid>&b;</guid></p>"));
    QVERIFY(QDir(dir).mkdir(QStringLiteral("folder.xml")));
    QVERIFY(QFile::link(QStringLiteral("loop.xml"), dir + "/loop.xml"));
    QCOMPARE(::mkfifo(QFile::encodeName(dir + "/fifo.xml").constData(), 0600), 0);

    std::vector<SkippedProfile> skipped;
    // The trailing "/" is not doubled in the profiles' directory.
    QVERIFY(ProfileManagerPrivate::loadProfiles(manager(), (dir + '/').toStdWString(), &skipped));
    QStringList reasons;
    for (const SkippedProfile &file : skipped)
        reasons.append(QString::fromStdWString(file.path).section('/', -1) + ": "
                       + QString::fromStdString(file.reason).section(':', 0, 0));
    QCOMPARE(reasons,
             QStringList({"empty.xml: empty", "fifo.xml: not a regular file",
                          "folder.xml: not a regular file",
                          "laughs.xml: has a document type "
                          "declaration (entities and DTDs are not "
                          "allowed)",
                          "loop.xml: cannot read"}));
    std::vector<std::string> guids;
    manager()->getProfileGUIDs(&guids);
    QCOMPARE(guids.size(), std::size_t(7));
    QCOMPARE(guids.back(), std::string("{U}"));
    const ProfileWrapper *phone = manager()->getProfile(PhoneGuid);
    QVERIFY(phone);
    QCOMPARE(QString::fromStdWString(phone->directory), dir);
    QCOMPARE(phone->fileName, std::wstring(L"nimbus-x2-phone.xml"));
    QCOMPARE(aspect(*phone, "displays"),
             "480x800 de=Hochformat en=Portrait fr=Portrait,"
             "800x480 de=Querformat en=Landscape fr=Paysage*");
    QCOMPARE(aspect(*phone, "max"), "1280x720");
    QVERIFY(!manager()->getActiveProfile());
}

void tst_ProfileManager::activeProfile()
{
    QVERIFY(PlayerSettings::setString(ProfileGUID, QString::fromLatin1(PhoneGuid)));
    QVERIFY(manager()->loadProfiles(QStringLiteral(MAVTEST_SAMPLE_PROFILES).toStdWString()));
    ProfileWrapper *phone = manager()->getProfile(PhoneGuid);
    QVERIFY(phone);
    QCOMPARE(manager()->getActiveProfile(), phone);

    QVERIFY(!manager()->setActiveProfile(std::string("{unknown}")));
    QCOMPARE(manager()->getActiveProfile(), phone);
    QCOMPARE(PlayerSettings::getString(ProfileGUID), QString::fromLatin1(PhoneGuid));

    ProfileWrapper *tv = manager()->getProfile("{7C7617FB-BC57-4A0F-A8A3-5067CE2619A7}");
    manager()->setActiveProfile(tv);
    QCOMPARE(manager()->getActiveProfile(), tv);
    QCOMPARE(PlayerSettings::getString(ProfileGUID), QString::fromStdString(tv->guid));
    manager()->setActiveProfile(nullptr);
    QVERIFY(!manager()->getActiveProfile());
    QCOMPARE(PlayerSettings::getString(ProfileGUID), QString(""));
}

void tst_ProfileManager::replacedActiveProfile()
{
    const QString first = folder(QStringLiteral("first")),
                  second = folder(QStringLiteral("second"));
    QVERIFY(writeFile(first + "/a.xml", profileXml("{A}", "<ZMF><version>1</version></ZMF>")));
    QVERIFY(writeFile(second + "/b.xml", profileXml("{A}", "<ZMF><version>3</version></ZMF>")));
    QVERIFY(manager()->loadProfiles(first.toStdWString()));
    QVERIFY(manager()->setActiveProfile(std::string("{A}")));
    // Another GUID is stored now: the replacement still takes the active place.
    QVERIFY(PlayerSettings::setString(ProfileGUID, QStringLiteral("{B}")));

    QVERIFY(manager()->loadProfiles(second.toStdWString()));
    const ProfileWrapper *active = manager()->getActiveProfile();
    QCOMPARE(active, manager()->getProfile("{A}"));
    QCOMPARE(active->fileName, std::wstring(L"b.xml")); // read through: never the freed one
    QCOMPARE(active->versions, 8u);
}

void tst_ProfileManager::order_data()
{
    QTest::addColumn<QStringList>("positions"); // GUID=position; GUID=text for a mistyped value
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("2 and 0") << QStringList {"{A}=2", "{B}=0"} << QStringList {"{B}", "{A}"};
    QTest::newRow("no position: left out") << QStringList {"{C}=1"} << QStringList {"{C}"};
    QTest::newRow("gaps skipped") << QStringList {"{A}=5", "{B}=0", "{C}=9"}
                                  << QStringList {"{B}", "{A}", "{C}"};
    QTest::newRow("one position: the greater GUID")
        << QStringList {"{B}=1", "{A}=1"} << QStringList {"{B}"};
    QTest::newRow("negative left out") << QStringList {"{A}=-1", "{B}=0"} << QStringList {"{B}"};
    QTest::newRow("huge position, no huge table")
        << QStringList {"{A}=2147483647", "{B}=0"} << QStringList {"{B}", "{A}"};
    QTest::newRow("text value left out") << QStringList {"{A}=one"} << QStringList {};
}

void tst_ProfileManager::order()
{
    QFETCH(QStringList, positions);
    QFETCH(QStringList, expected);

    const QString dir = folder(QStringLiteral("order"));
    for (const char *guid : {"{A}", "{B}", "{C}"})
        QVERIFY(writeFile(dir + '/' + QString(guid).mid(1, 1) + ".xml", profileXml(guid, "")));
    QVERIFY(manager()->loadProfiles(dir.toStdWString()));
    const std::string section = PlayerSettings::sectionPath(ProfileGUID);
    for (const QString &entry : positions) {
        const std::string guid = entry.section('=', 0, 0).toStdString();
        bool number = false;
        const int position = entry.section('=', 1).toInt(&number);
        QVERIFY(number ? ztds::userSettings::setInt(section, guid, position)
                       : ztds::userSettings::setString(section, guid, std::string("1")));
    }
    std::vector<std::string> guids {"stale"};
    manager()->getProfileGUIDsInOrderBySystemSettings(&guids);
    QStringList order;
    for (const std::string &guid : guids)
        order.append(QString::fromStdString(guid));
    QCOMPARE(order, expected);
}

void tst_ProfileManager::displayName_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");

    QTest::newRow("fr_CA falls back to fr") << "profile"
                                            << "fr_CA"
                                            << "Fran\u00E7ais";
    QTest::newRow("de with only en: empty") << "profile"
                                            << "de"
                                            << "";
    QTest::newRow("en_US@euro: en_US first") << "profile"
                                             << "en_US@euro"
                                             << "American";
    QTest::newRow("sr@latin: up to the at sign") << "profile"
                                                 << "sr@latin"
                                                 << "Serbian";
    QTest::newRow("empty language") << "profile"
                                    << ""
                                    << "";
    QTest::newRow("display entry") << "display"
                                   << "fr_FR"
                                   << "Paysage";
    QTest::newRow("unknown GUID") << "unknown"
                                  << "en"
                                  << "";
    QTest::newRow("null profile") << "null"
                                  << "en"
                                  << "";
}

void tst_ProfileManager::displayName()
{
    QFETCH(QString, form);
    QFETCH(QString, language);
    QFETCH(QString, expected);

    const QString dir = folder(QStringLiteral("names"));
    QVERIFY(writeFile(dir + "/n.xml",
                      profileXml("{N}",
                                 "<displayName><lang code=\"en\">English</lang>"
                                 "<lang code=\"en_US\">American</lang><lang code=\"sr\">"
                                 "Serbian</lang><lang code=\"fr\">Fran\xC3\xA7"
                                 "ais</lang>"
                                 "</displayName><display><resolution><width>2</width>"
                                 "<height>1</height><name lang=\"fr\">Paysage</name>"
                                 "</resolution></display>")));
    QVERIFY(manager()->loadProfiles(dir.toStdWString()));
    const ProfileWrapper *profile = manager()->getProfile("{N}");
    const std::string code = language.toStdString();
    std::wstring name;
    if (form == "profile")
        name = manager()->getDisplayName(profile, code);
    else if (form == "display")
        name = manager()->getDisplayName(&profile->displays.at(0), code);
    else if (form == "null")
        name = manager()->getDisplayName(static_cast<const ProfileWrapper *>(nullptr), code);
    else
        name = manager()->getDisplayName(std::string("{X}"), code);
    QCOMPARE(QString::fromStdWString(name), expected);
}

QTEST_GUILESS_MAIN(tst_ProfileManager)
#include "tst_profilemanager.moc"
