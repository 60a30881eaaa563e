// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl profiles and mavctl media, run as built.
#include "mavctlprocess.h"
#include "testenvironment.h"

#include <MavLibrary/settings/playersettings.h>
#include <MavLibrary/settings/settingsfunctions.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using MavTest::runMavctl;

namespace {

const char Phone[] = "{12CBFB78-9EC5-4780-9EA1-1D5EE1B3E8D6}";
const char Tv[] = "{7C7617FB-BC57-4A0F-A8A3-5067CE2619A7}";

} // namespace

class tst_MavctlProfiles : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void commands_data();
    void commands();
    void json();
    void activateAndOrder();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_MavctlProfiles::commands_data()
{
    QTest::addColumn<QStringList>("arguments"); // SAMPLES: the sample profiles
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // contained in stdout
    QTest::addColumn<QString>("err"); // contained in stderr

    QTest::newRow("profiles, German names")
        << QStringList {"profiles", "SAMPLES", "--language", "de_AT"} << 0
        << "  {12CBFB78-9EC5-4780-9EA1-1D5EE1B3E8D6}  Nimbus X2 Telefon\n    versions: 0 3\n"
           "    video: 176x144 to 1280x720, scaling 0.25 to 1, frame rate 12 to 30\n"
           "    display: 480x800 Hochformat\n    display: 800x480 Querformat (default)\n"
        << "";
    QTest::newRow("profiles, a language no profile has: the English names")
        << QStringList {"profiles", "SAMPLES", "--language", "C"} << 0
        << "  {12CBFB78-9EC5-4780-9EA1-1D5EE1B3E8D6}  Nimbus X2 Phone\n"
        << "";
    QTest::newRow("profiles, bad files with --verbose")
        << QStringList {"profiles", "BAD", "--verbose"} << 0 << "/laughs.xml: has a document type"
        << "";
    QTest::newRow("profiles, unknown GUID to activate")
        << QStringList {"profiles", "SAMPLES", "--activate", "{0}"} << 1 << ""
        << "has the GUID {0}";
    QTest::newRow("profiles, two folders")
        << QStringList {"profiles", "SAMPLES", "SAMPLES"} << 2 << ""
        << "name one profile folder";
    QTest::newRow("filesize") << QStringList {"media", "filesize", "0", "1048575", "2146435072"}
                              << 0 << "0 B\n1023 KB\n1.99 GB\n"
                              << "";
    QTest::newRow("filesize, not a number") << QStringList {"media", "filesize", "1k"} << 2 << ""
                                            << "not a number of bytes: 1k";
    QTest::newRow("track by numbers")
        << QStringList {"media", "track", "--country", "us", "--format", "8192"} << 0
        << "United States - Dolby Digital (AC3/A52)\n"
        << "";
    QTest::newRow("track, subtitle type")
        << QStringList {"media", "track", "--type", "6", "--subtitle", "--counter", "2"} << 0
        << "Track 2 - Closed Captioned\n"
        << "";
    QTest::newRow("subtitle patterns")
        << QStringList {"media", "extensions", "--subtitles", "--wildcards"} << 0
        << "*.ass *.ssa *.srt *.sub *.smi *.sami *.txt *.xml\n"
        << "";
}

void tst_MavctlProfiles::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    const QString bad = m_env->path(QStringLiteral("bad"));
    QVERIFY(QDir().mkpath(bad));
    QVERIFY(MavTest::writeFile(
        bad + QStringLiteral("/laughs.xml"),
        "<!DOCTYPE p [<!ENTITY a \"a\"><!ENTITY b \"&a;&a;\">]><p><guid>&b;</guid></p>"));
    arguments.replaceInStrings(QStringLiteral("SAMPLES"), QStringLiteral(MAVTEST_SAMPLE_PROFILES));
    arguments.replaceInStrings(QStringLiteral("BAD"), bad);

    const auto result = runMavctl(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.out.contains(out), qPrintable(result.out));
    QVERIFY2(result.err.contains(err), qPrintable(result.err));
}

void tst_MavctlProfiles::json()
{
    const auto result =
        runMavctl({"profiles", MAVTEST_SAMPLE_PROFILES, "--json", "--language", "fr_CA"});
    QCOMPARE(result.exitCode, 0);
    const QJsonArray profiles = QJsonDocument::fromJson(result.rawOut).array();
    QCOMPARE(profiles.size(), 6);
    const QJsonObject tablet = profiles.at(1).toObject();
    QCOMPARE(tablet["name"].toString(), "Tablette Orchard Slate 10 (Canada)");
    QCOMPARE(tablet["versions"].toArray(), QJsonArray({0, 2, 3}));
    QCOMPARE(tablet["videoMax"].toObject()["frameRate"].toDouble(), 60.0);
    QCOMPARE(tablet["displays"].toArray().at(0).toObject()["default"].toBool(), true);
    QCOMPARE(tablet["customResolutionAllowed"].toBool(), true);
}

void tst_MavctlProfiles::activateAndOrder()
{
    const QString samples = QStringLiteral(MAVTEST_SAMPLE_PROFILES);
    QCOMPARE(runMavctl({"profiles", samples, "--activate", Tv}).exitCode, 0);
    QCOMPARE(Quorvex::PlayerSettings::getString(Quorvex::ProfileGUID), QString::fromLatin1(Tv));

    // Positions are the user's; a listing in order shows only the profiles that have one.
    const std::string section = Quorvex::PlayerSettings::sectionPath(Quorvex::ProfileGUID);
    QVERIFY(ztds::userSettings::setInt(section, std::string(Phone), 1));
    QVERIFY(ztds::userSettings::setInt(section, std::string(Tv), 0));
    const auto result = runMavctl({"profiles", samples, "--ordered", "--language", "en"});
    QCOMPARE(result.exitCode, 0);
    const QStringList heads = result.out.split('\n').filter(QRegularExpression("^[* ] \\{"));
    QCOMPARE(heads,
             QStringList({QStringLiteral("* %1  Vistara 55\" LED TV").arg(Tv),
                          QStringLiteral("  %1  Nimbus X2 Phone").arg(Phone)}));
}

QTEST_GUILESS_MAIN(tst_MavctlProfiles)
#include "tst_mavctl_profiles.moc"
