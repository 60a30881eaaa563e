// SPDX-License-Identifier: LGPL-2.1-or-later
// Runs twice: as the normal player, and with MAVTEST_REFERENCE_PLAYER set as the
// reference player, whose movie extensions follow the active device profile.
#include "profiles/profilemanager_p.h"
#include "testenvironment.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/pluginmanager.h>
#include <MavLibrary/text/mavstringtools.h>

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Quorvex;

class tst_MavStringToolsMedia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { ProfileManagerPrivate::destroyInstance(); }

    void trackToString_data();
    void trackToString();
    void fileSize_data();
    void fileSize();
    void typeNames_data();
    void typeNames();
    void extensionLists();
    void checkExtension_data();
    void checkExtension();
    void referenceLists_data();
    void referenceLists();
    void referenceProfileReplaced();

private:
    ProfileManager *profiles() { return ProfileManager::instance(&m_context); }

    Kapio::PluginManager m_context {QStringList {}};
    MavTest::TestEnvironment m_env;
    bool m_reference = false;
};

void tst_MavStringToolsMedia::initTestCase()
{
    m_reference = qEnvironmentVariableIsSet("MAVTEST_REFERENCE_PLAYER");
    if (m_reference)
        OSUtilities::setConfigValue(QStringLiteral("Global/ReferencePlayerMode"), true);
    QCOMPARE(OSUtilities::getPlatform() == OSUtilities::PRef, m_reference);
}

void tst_MavStringToolsMedia::trackToString_data()
{
    QTest::addColumn<QStringList>("codes"); // country, language, type, format
    QTest::addColumn<QString>("expected");

    const QString dd = QStringLiteral("Dolby Digital (AC3/A52)");
    QTest::newRow("French (France)") << QStringList {"fr", "fr", "", ""} << "French (France)";
    QTest::newRow("nothing: Track 3") << QStringList {"", "", "", ""} << "Track 3";
    QTest::newRow("unknown language counts as absent")
        << QStringList {"", "xx", "Director Commentary", ""} << "Track 3 - Director Commentary";
    QTest::newRow("country and format")
        << QStringList {"us", "", "", dd} << "United States - Dolby Digital (AC3/A52)";
    QTest::newRow("all four") << QStringList {"CA", "ENG", "Interview", "PCM"}
                              << "English (Canada) - Interview (PCM)";
    QTest::newRow("counter, type, format")
        << QStringList {"", "", "Soundtrack", "MP3"} << "Track 3 - Soundtrack (MP3)";
    QTest::newRow("a %2 in the type is not filled in")
        << QStringList {"", "fr", "50%2 off", "PCM"} << "French - 50%2 off (PCM)";
}

void tst_MavStringToolsMedia::trackToString()
{
    QFETCH(QStringList, codes);
    QFETCH(QString, expected);
    QCOMPARE(MavStringTools::trackToString(codes[0], codes[1], codes[2], codes[3], 3), expected);
}

void tst_MavStringToolsMedia::fileSize_data()
{
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<bool>("abbreviated");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0") << quint64(0) << false << "0 Bytes";
    QTest::newRow("1536 truncated") << quint64(1536) << true << "1 KB";
    QTest::newRow("1048575") << quint64(1048575) << true << "1023 KB";
    QTest::newRow("2047 MB truncated") << quint64(2146435072) << true << "1.99 GB";
    QTest::newRow("2^40 full") << (quint64(1) << 40) << false << "1.00 TeraBytes";
    QTest::newRow("1024 PB") << (quint64(1) << 60) << true << "1.00 EB";
    QTest::newRow("largest") << ~quint64(0) << false << "15.99 ExaBytes";
}

void tst_MavStringToolsMedia::fileSize()
{
    QFETCH(quint64, bytes);
    QFETCH(bool, abbreviated);
    QFETCH(QString, expected);
    QCOMPARE(MavStringTools::fileSizeToQString(bytes, abbreviated), expected);
}

void tst_MavStringToolsMedia::typeNames_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<uint>("value");
    QTest::addColumn<QString>("expected"); // null: a null string

    QTest::newRow("format 0 is PCM") << "format" << 0u << "PCM";
    QTest::newRow("format 1 is PCM") << "format" << 1u << "PCM";
    QTest::newRow("audio 0") << "audio" << 0u << QString();
    QTest::newRow("audio 18") << "audio" << 18u << QString();
    QTest::newRow("format not in the table") << "format" << 4u << "Unknown";
    QTest::newRow("subtitle 17") << "subtitle" << 17u << "Children's Captions";
}

void tst_MavStringToolsMedia::typeNames()
{
    QFETCH(QString, table);
    QFETCH(uint, value);
    QFETCH(QString, expected);

    const QString name = table == "format" ? MavStringTools::audioFormatToString(value)
        : table == "audio"                 ? MavStringTools::audioTypeToString(value)
                                           : MavStringTools::subtitleTypeToString(value);
    QCOMPARE(name, expected);
    QCOMPARE(name.isNull(), expected.isNull());
}

void tst_MavStringToolsMedia::extensionLists()
{
    const QString subtitles = QStringLiteral("*.ass *.ssa *.srt *.sub *.smi *.sami *.txt *.xml");
    QCOMPARE(MavStringTools::getSupportedSubtitleExtensions(true), subtitles.split(' '));
    QCOMPARE(MavStringTools::getSupportedSubtitleExtensionsString(true), subtitles);
    QCOMPARE(MavStringTools::getSupportedSubtitleExtensionsString(false),
             QString(subtitles).remove(QStringLiteral("*.")));
    if (!m_reference)
        QCOMPARE(MavStringTools::getSupportedMovieExtensions(false).size(), 28);
}

void tst_MavStringToolsMedia::checkExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("movie");
    QTest::addColumn<bool>("subtitle");

    QTest::newRow("upper case") << "C:/x/film.AVI" << true << false;
    QTest::newRow("no suffix") << "C:/x/film" << false << false;
    QTest::newRow("last suffix counts") << "film.srt.Mkv" << true << false;
    QTest::newRow("dot in the folder only") << "/x/dir.avi/film" << false << false;
    QTest::newRow("backslash is no separator here") << "C:\\x.y\\film.txt" << false << true;
    QTest::newRow("ends in a dot") << "film." << false << false;
    QTest::newRow("Kelvin sign lower-cases to k")
        << QString::fromUtf16(u"a.M\u212AV") << true << false;
}

void tst_MavStringToolsMedia::checkExtension()
{
    QFETCH(QString, path);
    QFETCH(bool, movie);
    QFETCH(bool, subtitle);
    if (!m_reference)
        QCOMPARE(MavStringTools::checkMovieExtension(path), movie);
    QCOMPARE(MavStringTools::checkSubtitleExtension(path), subtitle);
}

void tst_MavStringToolsMedia::referenceLists_data()
{
    QTest::addColumn<QString>("guid"); // of a sample profile made active; empty: none
    QTest::addColumn<QString>("expected");

    const QString both = QStringLiteral("zentrix ztx xvid avi mkv mkx");
    QTest::newRow("versions 0 and 3") << "{12CBFB78-9EC5-4780-9EA1-1D5EE1B3E8D6}" << both;
    QTest::newRow("version 1 only: none") << "{966D6D89-EB6B-4D47-9664-4DEE1455448B}"
                                          << "";
    QTest::newRow("version 3 only") << "{55858ED9-E7FE-470A-9E1A-5E6408A97853}"
                                    << "mkv mkx";
    QTest::newRow("versions 0, 1 and 2") << "{7C7617FB-BC57-4A0F-A8A3-5067CE2619A7}"
                                         << "zentrix ztx xvid avi";
    QTest::newRow("no active profile: both groups") << "" << both;
}

void tst_MavStringToolsMedia::referenceLists()
{
    if (!m_reference)
        QSKIP("the reference player's lists");
    QFETCH(QString, guid);
    QFETCH(QString, expected);

    QVERIFY(profiles()->loadProfiles(QStringLiteral(MAVTEST_SAMPLE_PROFILES).toStdWString()));
    // The lists of the row before are cached; the change must rebuild them.
    if (guid.isEmpty())
        profiles()->setActiveProfile(static_cast<ProfileWrapper *>(nullptr));
    else
        QVERIFY(profiles()->setActiveProfile(guid.toStdString()));
    QCOMPARE(MavStringTools::getSupportedMovieExtensionsString(false), expected);
    const QStringList list = MavStringTools::getSupportedMovieExtensions(true);
    QCOMPARE(list.join(' ').remove(QStringLiteral("*.")), expected);
    QCOMPARE(MavStringTools::checkMovieExtension(QStringLiteral("a.MKX")),
             expected.contains(QStringLiteral("mkx")));
}

void tst_MavStringToolsMedia::referenceProfileReplaced()
{
    if (!m_reference)
        QSKIP("the reference player's lists");
    // The replacement may take the freed profile's address: the lists must still change.
    for (const char *version : {"1", "3"}) {
        const QString dir = m_env.path(QString::fromLatin1(version));
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(MavTest::writeFile(dir + QStringLiteral("/p.xml"),
                                   QByteArray("<p><guid>{R}</guid><ZMF><version>") + version
                                       + "</version></ZMF></p>"));
        QVERIFY(profiles()->loadProfiles(dir.toStdWString()));
        if (!profiles()->getActiveProfile())
            QVERIFY(profiles()->setActiveProfile(std::string("{R}")));
        QCOMPARE(MavStringTools::getSupportedMovieExtensionsString(false),
                 *version == '1' ? QString() : QStringLiteral("mkv mkx"));
    }
}

QTEST_GUILESS_MAIN(tst_MavStringToolsMedia)
#include "tst_mavstringtools_media.moc"
