// SPDX-License-Identifier: LGPL-2.1-or-later
#include "testenvironment.h"

#include <MavLibrary/os/osutilities.h>

#include <QDir>
#include <QProcess>
#include <QStorageInfo>
#include <QTest>

#include <memory>

using Quorvex::OSUtilities;

class tst_OSUtilitiesPaths : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_env.reset(); }
    void folders_data();
    void folders();
    void ensureUniqueFilePath_data();
    void ensureUniqueFilePath();
    void userFolders_data();
    void userFolders();
    void userDirsAsXdgUserDir_data();
    void userDirsAsXdgUserDir();
    void freeSpace();

private:
    QString abs(const QString &relative) const { return m_env->path(relative); }
    void writeUserDirs(const QByteArray &lines);

    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_OSUtilitiesPaths::writeUserDirs(const QByteArray &lines)
{
    QVERIFY(MavTest::writeFile(abs(QStringLiteral(".config/user-dirs.dirs")), lines));
}

// Entries below the root: "name/" a folder, "@name" a dangling link, else a file.
static void create(const MavTest::TestEnvironment &env, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const QString path = env.path(entry.startsWith(QLatin1Char('@')) ? entry.mid(1) : entry);
        QDir().mkpath(entry.endsWith(QLatin1Char('/')) ? path : QFileInfo(path).path());
        if (entry.startsWith(QLatin1Char('@')))
            QVERIFY(QFile::link(env.path(QStringLiteral("nowhere")), path));
        else if (!entry.endsWith(QLatin1Char('/')))
            QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    }
}

void tst_OSUtilitiesPaths::folders_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("made"); // empty: fails
    // clang-format off
    QTest::newRow("download folder") << "download" << QStringList {"data/"} << "data" << "data/.downloads";
    QTest::newRow("download parent is a file") << "download" << QStringList {"f"} << "f/sub" << "";
    QTest::newRow("existing directory") << "make" << QStringList {"x/"} << "x" << "x";
    QTest::newRow("three missing levels") << "make" << QStringList {} << "a/b/c" << "a/b/c";
    QTest::newRow("backslashes") << "make" << QStringList {} << "a\\b\\c" << "a/b/c";
    QTest::newRow("a level is a file") << "make" << QStringList {"a/f"} << "a/f/c" << "";
    // clang-format on
}

void tst_OSUtilitiesPaths::folders()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, existing);
    QFETCH(QString, path);
    QFETCH(QString, made);
    create(*m_env, existing);
    if (operation == QLatin1String("download")) {
        QCOMPARE(OSUtilities::setTempDownloadDirectoryParent(abs(path)), !made.isEmpty());
        QCOMPARE(OSUtilities::getTempDownloadDirectoryPath(),
                 made.isEmpty() ? QDir::tempPath() : abs(made));
    } else {
        QCOMPARE(OSUtilities::makeDirectory(abs(path)), !made.isEmpty());
    }
    QVERIFY(made.isEmpty() || QFileInfo(abs(made)).isDir());
}

void tst_OSUtilitiesPaths::ensureUniqueFilePath_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("free") << QStringList {"x/"} << "x/movie.avi" << "x/movie.avi";
    QTest::newRow("two taken") << QStringList {"x/movie.avi", "x/movie[1].avi"} << "x/movie.avi" << "x/movie[2].avi";
    QTest::newRow("first gap") << QStringList {"movie.avi", "movie[2].avi"} << "movie.avi" << "movie[1].avi";
    QTest::newRow("no extension") << QStringList {"movie"} << "movie" << "movie[1]";
    QTest::newRow("dotted folder") << QStringList {"v1.0/movie", "v1.0/movie[1]"} << "v1.0/movie" << "v1.0/movie[2]";
    QTest::newRow("dot-file") << QStringList {".hidden"} << ".hidden" << ".hidden[1]";
    QTest::newRow("lookalikes are not numbers")
        << QStringList {"m.avi", "m[01].avi", "m[1].AVI", "m[+1].avi", "m[1]x.avi"} << "m.avi" << "m[1].avi";
    QTest::newRow("folder and dangling link count")
        << QStringList {"m.avi", "m[1].avi/", "@m[2].avi"} << "m.avi" << "m[3].avi";
    // clang-format on
}

void tst_OSUtilitiesPaths::ensureUniqueFilePath()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    create(*m_env, existing);
    QCOMPARE(OSUtilities::ensureUniqueFilePath(abs(path)), abs(expected));
}

void tst_OSUtilitiesPaths::userFolders_data()
{
    QTest::addColumn<QByteArray>("userDirs");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected"); // below the root; empty: none
    const QByteArray both = "XDG_VIDEOS_DIR=\"$HOME/Filme\"\nXDG_DOCUMENTS_DIR=\"$HOME/Doks\"\n";
    // clang-format off
    QTest::newRow("videos") << both << QStringList {"Filme/"} << "Filme/Zentrix Movies";
    QTest::newRow("no videos: documents") << both << QStringList {"Doks/"} << "Doks/Zentrix Movies";
    QTest::newRow("neither: home") << both << QStringList {} << "Zentrix Movies";
    QTest::newRow("relative folder passed over") << QByteArray("XDG_VIDEOS_DIR=\"Filme\"\n")
        << QStringList {"Filme/"} << "Zentrix Movies";
    QTest::newRow("cannot be made") << both << QStringList {"Filme/Zentrix Movies"} << "";
    // clang-format on
}

void tst_OSUtilitiesPaths::userFolders()
{
    QFETCH(QByteArray, userDirs);
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    writeUserDirs(userDirs);
    create(*m_env, existing);
    QCOMPARE(OSUtilities::getZentrixMoviesPathDefault(),
             expected.isEmpty() ? QString() : abs(expected));
    QVERIFY(expected.isEmpty() || QFileInfo(abs(expected)).isDir());
    // The data root as it is; the player's folder below it, made.
    QCOMPARE(OSUtilities::getApplicationDataPath(true), abs(QStringLiteral(".local/share")));
    QVERIFY(!QFileInfo::exists(abs(QStringLiteral(".local/share/Zentrix"))));
    QCOMPARE(OSUtilities::getApplicationDataPath(false),
             abs(QStringLiteral(".local/share/Zentrix/Player")));
    QVERIFY(QFileInfo(abs(QStringLiteral(".local/share/Zentrix/Player"))).isDir());
}

void tst_OSUtilitiesPaths::userDirsAsXdgUserDir_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("quoted") << "XDG_VIDEOS_DIR=\"$HOME/Meine Filme\"";
    QTest::newRow("absolute, not ASCII") << "XDG_VIDEOS_DIR=\"ROOT/vidéos à voir\"";
    QTest::newRow("desktop") << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"";
}

// The folders are those that Debian's xdg-user-dir names in the same environment.
void tst_OSUtilitiesPaths::userDirsAsXdgUserDir()
{
    QFETCH(QString, line);
    writeUserDirs(QString(line).replace(QLatin1String("ROOT"), m_env->root()).toUtf8() + '\n');
    const bool desktop = line.startsWith(QLatin1String("XDG_DESKTOP"));
    QProcess xdg;
    xdg.start(QStringLiteral("xdg-user-dir"), {desktop ? "DESKTOP" : "VIDEOS"});
    QVERIFY(xdg.waitForFinished());
    const QString folder =
        QDir::cleanPath(QString::fromUtf8(xdg.readAllStandardOutput().trimmed()));
    QVERIFY(folder.startsWith(m_env->root()) && QDir().mkpath(folder));
    QCOMPARE(desktop ? OSUtilities::getDesktopPath() : OSUtilities::getZentrixMoviesPathDefault(),
             desktop ? folder : folder + QStringLiteral("/Zentrix Movies"));
}

void tst_OSUtilitiesPaths::freeSpace()
{
    quint64 free = 0, total = 0;
    QVERIFY(OSUtilities::getFreeSpace(m_env->root(), &free, &total));
    QCOMPARE(total, quint64(QStorageInfo(m_env->root()).bytesTotal()));
    QVERIFY(free <= total && free > 0);
    QVERIFY(OSUtilities::getFreeSpace(m_env->root(), nullptr, nullptr));
    free = total = 7;
    QVERIFY(!OSUtilities::getFreeSpace(abs(QStringLiteral("missing")), &free, &total));
    QVERIFY(free == 7 && total == 7);
}

QTEST_GUILESS_MAIN(tst_OSUtilitiesPaths)
#include "tst_osutilities_paths.moc"
