// SPDX-License-Identifier: LGPL-2.1-or-later
#include "testenvironment.h"

#include "settings/regfile_p.h"

#include <MavLibrary/settings/playersettings.h>

#include <QDir>
#include <QTest>

#include <memory>

using namespace Quorvex;

class tst_PlayerSettings : public QObject
{
    Q_OBJECT

private slots:
    void folderDefaultsAtFirstUse(); // first: the folder defaults are looked up once
    void rows_data();
    void rows();
    void defaults_data();
    void defaults();
    void accessors_data();
    void accessors();

private:
    static QVariant read(SettingId id, QMetaType type);
    static bool write(SettingId id, const QVariant &value);
};

void tst_PlayerSettings::folderDefaultsAtFirstUse()
{
    // Loading the library made nothing in the home folder of the process.
    QVERIFY(!QFileInfo::exists(QDir::homePath() + QStringLiteral("/Zentrix Movies")));

    auto first = std::make_unique<MavTest::TestEnvironment>();
    QFile dirs(first->path(QStringLiteral(".config/user-dirs.dirs")));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_VIDEOS_DIR=\"$HOME/Filme\"\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
    dirs.close();
    QVERIFY(QDir().mkpath(first->path(QStringLiteral("Filme"))));
    const QString movies = first->path(QStringLiteral("Filme/Zentrix Movies"));

    // A stored value needs no default.
    QVERIFY(PlayerSettings::setString(MediaFolder, QStringLiteral("/media/films")));
    QCOMPARE(PlayerSettings::getString(MediaFolder), QStringLiteral("/media/films"));
    QVERIFY(!QFileInfo::exists(movies));

    QVERIFY(PlayerSettings::remove(MediaFolder));
    QCOMPARE(PlayerSettings::getString(MediaFolder), movies);
    QVERIFY(QFileInfo(movies).isDir());
    QCOMPARE(PlayerSettings::getString(DesktopFolder), first->path(QStringLiteral("Bureau")));

    // Kept from the first use on, as a default fixed at start-up would be.
    first.reset();
    MavTest::TestEnvironment second;
    QCOMPARE(PlayerSettings::defaultValue(MediaFolder), QVariant(movies));
    QVERIFY(
        PlayerSettings::defaultValue(DesktopFolder).toString().endsWith(QLatin1String("/Bureau")));
}

void tst_PlayerSettings::rows_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    // The first row of every group, and the rows the library and its peers use.
    QTest::newRow("0") << int(SkinInstallPath) << 0 << "Paths"
                       << "SkinInstallPath";
    QTest::newRow("5") << int(DefaultViewPlugin) << 5 << "GlobalState"
                       << "DefaultViewPlugin";
    QTest::newRow("6") << int(PlayerXPos) << 6 << "PlayerState"
                       << "PlayerXPos";
    QTest::newRow("23") << int(ZAVPurchaseURL) << 23 << "ZAVAudio"
                        << "ZAVPurchaseURL";
    QTest::newRow("28") << int(BannerMarket) << 28 << "General"
                        << "BannerMarket";
    QTest::newRow("59") << int(PlayerVersion) << 59 << "General"
                        << "PlayerVersion";
    QTest::newRow("61") << int(AutoClearDownloads) << 61 << "DownloadManager"
                        << "AutoClearDownloads";
    QTest::newRow("63") << int(AutoCloseImportDialog) << 63 << "MediaLibrary"
                        << "AutoCloseImportDialog";
    QTest::newRow("66") << int(DeletLibraryFileAndDiskFile) << 66 << "MediaLibrary"
                        << "DeletLibraryFileAndDiskFile";
    QTest::newRow("70") << int(RecentWatchedMovies) << 70 << "RecentFilis"
                        << "RecentWatchedMovies";
    QTest::newRow("71") << int(AlwaysOnTop) << 71 << "Playback"
                        << "AlwaysOnTop";
    QTest::newRow("89") << int(AudioLanguage) << 89 << "Languages"
                        << "AudioLanguage";
    QTest::newRow("92") << int(PostProcessingMode) << 92 << "Codec"
                        << "PostProcessingMode";
    QTest::newRow("99") << int(DeinterlacingMethod) << 99 << "Video"
                        << "DeinterlacingMethod";
    QTest::newRow("102") << int(SubtitleFont) << 102 << "Subtitles"
                         << "SubtitleFont";
    QTest::newRow("111") << int(ProfileGUID) << 111 << "Profiles"
                         << "ProfileGUID";
    QTest::newRow("112") << int(OSDPosition) << 112 << "OSD"
                         << "OSDPosition";
    QTest::newRow("113") << int(OSDFont) << 113 << "OSD"
                         << "OSDFont";
}

void tst_PlayerSettings::rows()
{
    QFETCH(int, id);
    QFETCH(int, index);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QCOMPARE(id, index);
    QCOMPARE(QLatin1String(s_settingsCatalogue[index].section), section);
    QCOMPARE(QLatin1String(s_settingsCatalogue[index].key), key);
}

void tst_PlayerSettings::defaults_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QVariant>("expected");
    const QFont arial(QStringLiteral("Arial"), 14, QFont::Normal, false);
    const struct
    {
        SettingId id;
        const char *text;
    } texts[] = {
        {DefaultViewPlugin, "com.zentrix.quorvex.plugin.MavPlayerPlugin"},
        {AspectRatio, "Original"},
        {DisplayState, "Normal"},
        {Skin, "PlayerWindowV8"},
        {DefaultOpenFileLocation, "<media folder>"},
        {VEVServer, "production"},
        {StartupView, "player"},
        {AudioOutputMode, "5.1"},
        {PostProcessingMode, "automatic"},
        {DeinterlacingMethod, "bob"},
        {VideoOutputMethod, "<best>"},
        {SubtitleTextColor, "#FFFF00"},
        {SubtitleOutlineColor, "#000000"},
        {SubtitleCodePage, "system"},
        {SkinInstallPath, ""},
        {QtPluginsInstallPath, ""},
        {I18nInstallPath, ""},
        {StreamEnginePluginsInstallPath, ""},
        {QuorvexPluginsInstallPath, ""},
        {LastOpenFileLocation, ""},
        {ZAVPurchaseURL, ""},
        {ZAVHelpFile, ""},
        {BannerMarket, ""},
        {Locale, ""},
        {VEVServerOverride, ""},
        {VEVEmail, ""},
        {VEVCheckPointID, ""},
        {PlayerVersion, ""},
        {RecentWatchedMovies, ""},
        {AudioLanguage, ""},
        {SubtitleLanguage, ""},
        {MenuLanguage, ""},
        {ProfileGUID, ""},
    };
    for (const auto &t : texts)
        QTest::newRow(s_settingsCatalogue[t.id].key)
            << int(t.id) << QVariant(QString::fromLatin1(t.text));
    QTest::newRow("SubtitleFont") << int(SubtitleFont) << QVariant(arial);
    QTest::newRow("OSDFont") << int(OSDFont) << QVariant(arial);
    QTest::newRow("VEVPassword") << int(VEVPassword) << QVariant(QByteArray());
    QTest::newRow("Volume: none") << int(Volume) << QVariant();
    QTest::newRow("AlwaysOnTop: none") << int(AlwaysOnTop) << QVariant();
}

void tst_PlayerSettings::defaults()
{
    QFETCH(int, id);
    QFETCH(QVariant, expected);
    MavTest::TestEnvironment environment;
    const auto row = SettingId(id);
    QCOMPARE(PlayerSettings::defaultValue(row), expected);
    // Nothing stored: the forms without a fallback give the default.
    if (expected.typeId() == QMetaType::QString)
        QCOMPARE(PlayerSettings::getString(row), expected.toString());
    else if (expected.typeId() == QMetaType::QFont)
        QCOMPARE(PlayerSettings::getFont(row), qvariant_cast<QFont>(expected));
}

QVariant tst_PlayerSettings::read(SettingId id, QMetaType type)
{
    switch (type.id()) {
    case QMetaType::QString:
        return PlayerSettings::getString(id, QStringLiteral("fallback"));
    case QMetaType::Int:
        return PlayerSettings::getInt(id, -7);
    case QMetaType::LongLong:
        return PlayerSettings::getInt64(id, -7);
    case QMetaType::Double:
        return PlayerSettings::getDouble(id, -7);
    case QMetaType::Bool:
        return PlayerSettings::getBool(id, false);
    case QMetaType::QByteArray:
        return PlayerSettings::getBinary(id, "fallback");
    case QMetaType::QFont:
        return PlayerSettings::getFont(id, QFont()).toString();
    }
    return {};
}

bool tst_PlayerSettings::write(SettingId id, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return PlayerSettings::setString(id, value.toString());
    case QMetaType::Int:
        return PlayerSettings::setInt(id, value.toInt());
    case QMetaType::LongLong:
        return PlayerSettings::setInt64(id, value.toLongLong());
    case QMetaType::Double:
        return PlayerSettings::setDouble(id, value.toDouble());
    case QMetaType::Bool:
        return PlayerSettings::setBool(id, value.toBool());
    case QMetaType::QByteArray:
        return PlayerSettings::setBinary(id, value.toByteArray());
    case QMetaType::QFont:
        return PlayerSettings::setFont(id, qvariant_cast<QFont>(value));
    }
    return false;
}

void tst_PlayerSettings::accessors_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("machine"); // a key and a value line, as written by hand
    QTest::addColumn<QVariant>("machineValue");
    QTest::addColumn<QVariant>("userValue");
    QTest::newRow("text") << int(Skin) << QByteArray("General]\n\"Skin\"=\"Blue\"")
                          << QVariant("Blue") << QVariant("Dark");
    QTest::newRow("group RecentFilis")
        << int(RecentWatchedMovies) << QByteArray("RecentFilis]\n\"RecentWatchedMovies\"=\"a.avi\"")
        << QVariant("a.avi") << QVariant("b.avi|c.avi");
    QTest::newRow("key DeletLibraryFileAndDiskFile")
        << int(DeletLibraryFileAndDiskFile)
        << QByteArray("MediaLibrary]\n\"DeletLibraryFileAndDiskFile\"=dword:00000001")
        << QVariant(true) << QVariant(false);
    QTest::newRow("int") << int(Volume) << QByteArray("PlayerState]\n\"Volume\"=dword:00000003")
                         << QVariant(3) << QVariant(-1);
    QTest::newRow("int64") << int(
        PlayerWidth) << QByteArray("PlayerState]\n\"PlayerWidth\"=hex(b):00,00,00,00,01,00,00,00")
                           << QVariant(qint64(1) << 32) << QVariant(qint64(-5));
    QTest::newRow("double") << int(Brightness)
                            << QByteArray("Codec]\n\"Brightness\"=hex(b):00,00,00,00,00,00,d0,3f")
                            << QVariant(0.25) << QVariant(1.5);
    QTest::newRow("binary") << int(VEVPassword) << QByteArray("General]\n\"VEVPassword\"=hex:00,01")
                            << QVariant(QByteArray("\0\1", 2)) << QVariant(QByteArray("secret"));
    // The machine's font in the shorter form of earlier Qt versions (weight 75: bold).
    QFont user(QStringLiteral("DejaVu Sans"), 20, QFont::Bold, true);
    QFont machine(QStringLiteral("Arial"), 12, QFont::Bold, false);
    QTest::newRow("font") << int(OSDFont)
                          << QByteArray("OSD]\n\"OSDFont\"=\"Arial,12,-1,5,75,0,0,0,0,0\"")
                          << QVariant(machine.toString()) << QVariant(user);
}

void tst_PlayerSettings::accessors()
{
    QFETCH(int, id);
    QFETCH(QByteArray, machine);
    QFETCH(QVariant, machineValue);
    QFETCH(QVariant, userValue);
    MavTest::TestEnvironment environment;
    const auto row = SettingId(id);
    const QMetaType type = userValue.metaType();
    const QVariant expectedUser = type.id() == QMetaType::QFont
        ? QVariant(qvariant_cast<QFont>(userValue).toString())
        : userValue;

    const auto parsed =
        ztds::registry::RegFile::parse("Windows Registry Editor Version 5.00\n\n"
                                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zentrix\\Settings\\Player\\"
                                       + machine + "\n");
    QVERIFY2(parsed.ok, qPrintable(parsed.message));
    QVERIFY(ztds::registry::applyBatch(parsed.operations));
    QCOMPARE(read(row, type), machineValue);

    QVERIFY(write(row, userValue));
    QCOMPARE(read(row, type), expectedUser);
    QVERIFY(PlayerSettings::remove(row));
    QCOMPARE(read(row, type), machineValue);
}

QTEST_GUILESS_MAIN(tst_PlayerSettings)
#include "tst_playersettings.moc"
