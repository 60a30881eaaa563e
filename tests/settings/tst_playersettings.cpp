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
    void folderDefaultsAtFirstUse(); // first: no other case may ask for them before
    void defaults_data();
    void defaults();
    void accessors_data();
    void accessors();
};

void tst_PlayerSettings::folderDefaultsAtFirstUse()
{
    // Loading the library made nothing in the home folder of the process.
    QVERIFY(!QFileInfo::exists(QDir::homePath() + QStringLiteral("/Zentrix Movies")));

    auto first = std::make_unique<MavTest::TestEnvironment>();
    QVERIFY(
        MavTest::writeFile(first->path(QStringLiteral(".config/user-dirs.dirs")),
                           "XDG_VIDEOS_DIR=\"$HOME/Filme\"\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"));
    QVERIFY(QDir().mkpath(first->path(QStringLiteral("Filme"))));
    const QString movies = first->path(QStringLiteral("Filme/Zentrix Movies"));

    QVERIFY(PlayerSettings::setString(MediaFolder, QStringLiteral("/media/films")));
    QCOMPARE(PlayerSettings::getString(MediaFolder), QStringLiteral("/media/films"));
    QVERIFY(!QFileInfo::exists(movies)); // a stored value needs no default
    QVERIFY(PlayerSettings::remove(MediaFolder));
    QCOMPARE(PlayerSettings::getString(MediaFolder), movies);
    QVERIFY(QFileInfo(movies).isDir());
    QCOMPARE(PlayerSettings::getString(DesktopFolder), first->path(QStringLiteral("Bureau")));

    first.reset();
    MavTest::TestEnvironment second;
    QCOMPARE(PlayerSettings::defaultValue(MediaFolder), QVariant(movies));
}

void tst_PlayerSettings::defaults_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QVariant>("expected");
    // A row of each kind, the first and the last: the other defaults are the table's data.
    const QList<QPair<SettingId, const char *>> texts = {
        {DefaultViewPlugin, "com.zentrix.quorvex.plugin.MavPlayerPlugin"},
        {SubtitleTextColor, "#FFFF00"}};
    const SettingId empty[] = {SkinInstallPath, ProfileGUID};
    for (const auto &[id, text] : texts)
        QTest::newRow(s_settingsCatalogue[id].key)
            << int(id) << QVariant(QString::fromLatin1(text));
    for (const SettingId id : empty)
        QTest::newRow(s_settingsCatalogue[id].key) << int(id) << QVariant(QString());
    const QFont arial(QStringLiteral("Arial"), 14, QFont::Normal, false);
    QTest::newRow("SubtitleFont") << int(SubtitleFont) << QVariant(arial);
    QTest::newRow("OSDFont") << int(OSDFont) << QVariant(arial);
    QTest::newRow("VEVPassword") << int(VEVPassword) << QVariant(QByteArray());
    QTest::newRow("Volume: none") << int(Volume) << QVariant();
}

void tst_PlayerSettings::defaults()
{
    QFETCH(int, id);
    QFETCH(QVariant, expected);
    MavTest::TestEnvironment environment;
    QCOMPARE(PlayerSettings::defaultValue(SettingId(id)), expected);
    if (expected.typeId() == QMetaType::QString) // nothing stored: the default
        QCOMPARE(PlayerSettings::getString(SettingId(id)), expected.toString());
}

void tst_PlayerSettings::accessors_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("machine"); // the machine's key and value, written by hand
    QTest::addColumn<QVariant>("machineValue");
    QTest::addColumn<QVariant>("userValue");
    // clang-format off
    QTest::newRow("text") << int(Skin) << QByteArray("General]\n\"Skin\"=\"Blue\"")
        << QVariant("Blue") << QVariant("Dark");
    QTest::newRow("group RecentFilis") << int(RecentWatchedMovies)
        << QByteArray("RecentFilis]\n\"RecentWatchedMovies\"=\"a.avi\"") << QVariant("a.avi") << QVariant("b.avi");
    QTest::newRow("key DeletLibraryFileAndDiskFile") << int(DeletLibraryFileAndDiskFile)
        << QByteArray("MediaLibrary]\n\"DeletLibraryFileAndDiskFile\"=dword:00000001")
        << QVariant(true) << QVariant(false);
    QTest::newRow("int") << int(Volume) << QByteArray("PlayerState]\n\"Volume\"=dword:00000003")
        << QVariant(3) << QVariant(-1);
    QTest::newRow("binary") << int(VEVPassword) << QByteArray("General]\n\"VEVPassword\"=hex:00,01")
        << QVariant(QByteArray("\0\1", 2)) << QVariant(QByteArray("secret"));
    // Earlier Qt versions wrote a shorter form, with weights from 0 to 99.
    QTest::newRow("font") << int(OSDFont) << QByteArray("OSD]\n\"OSDFont\"=\"Arial,12,-1,5,75,0,0,0,0,0\"")
        << QVariant(QFont("Arial", 12, QFont::Bold)) << QVariant(QFont("DejaVu Sans", 20, QFont::Light, true));
    // clang-format on
}

void tst_PlayerSettings::accessors()
{
    QFETCH(int, id);
    QFETCH(QByteArray, machine);
    QFETCH(QVariant, machineValue);
    QFETCH(QVariant, userValue);
    MavTest::TestEnvironment environment;
    const auto row = SettingId(id);
    auto read = [row](int type) -> QVariant {
        switch (type) {
        case QMetaType::Bool:
            return PlayerSettings::getBool(row, false);
        case QMetaType::Int:
            return PlayerSettings::getInt(row, -7);
        case QMetaType::QByteArray:
            return PlayerSettings::getBinary(row, "fallback");
        case QMetaType::QFont:
            return PlayerSettings::getFont(row, QFont());
        }
        return PlayerSettings::getString(row, QStringLiteral("fallback"));
    };
    const int type = userValue.typeId();
    const auto parsed =
        ztds::registry::RegFile::parse("Windows Registry Editor Version 5.00\n\n"
                                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zentrix\\Settings\\Player\\"
                                       + machine + "\n");
    QVERIFY(parsed.ok && ztds::registry::applyBatch(parsed.operations));
    QCOMPARE(read(type), machineValue);

    bool written = false;
    switch (type) {
    case QMetaType::Bool:
        written = PlayerSettings::setBool(row, userValue.toBool());
        break;
    case QMetaType::Int:
        written = PlayerSettings::setInt(row, userValue.toInt());
        break;
    case QMetaType::QByteArray:
        written = PlayerSettings::setBinary(row, userValue.toByteArray());
        break;
    case QMetaType::QFont:
        written = PlayerSettings::setFont(row, qvariant_cast<QFont>(userValue));
        break;
    default:
        written = PlayerSettings::setString(row, userValue.toString());
    }
    QVERIFY(written);
    QCOMPARE(read(type), userValue);
    QVERIFY(PlayerSettings::remove(row)); // the machine's value shows through again
    QCOMPARE(read(type), machineValue);
}

QTEST_GUILESS_MAIN(tst_PlayerSettings)
#include "tst_playersettings.moc"
