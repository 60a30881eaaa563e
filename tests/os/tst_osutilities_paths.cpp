// SPDX-License-Identifier: LGPL-2.1-or-later
#include "testenvironment.h"

#include <MavLibrary/os/osutilities.h>

#include <QDir>
#include <QProcess>
#include <QStorageInfo>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

using Quorvex::OSUtilities;

class tst_OSUtilitiesPaths : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_env.reset(); }
    void downloadFolder_data();
    void downloadFolder();
    void makeDirectory_data();
    void makeDirectory();
    void ensureUniqueFilePath_data();
    void ensureUniqueFilePath();
    void applicationData();
    void moviesFolder_data();
    void moviesFolder();
    void userDirsAsXdgUserDir_data();
    void userDirsAsXdgUserDir();
    void freeSpace();
    void tempPathsReadWhole();

private:
    // Entries below the root: "name/" a folder, "@name" a dangling link, else a file.
    void create(const QStringList &entries);
    void writeUserDirs(const QString &lines);
    QString abs(const QString &relative) const { return m_env->path(relative); }

    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_OSUtilitiesPaths::create(const QStringList &entries)
{
    for (const QString &entry : entries) {
        if (entry.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir().mkpath(abs(entry)));
        } else if (entry.startsWith(QLatin1Char('@'))) {
            QVERIFY(QFile::link(abs(QStringLiteral("nowhere")), abs(entry.mid(1))));
        } else {
            QDir().mkpath(QFileInfo(abs(entry)).absolutePath());
            QFile file(abs(entry));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
}

void tst_OSUtilitiesPaths::writeUserDirs(const QString &lines)
{
    QFile file(abs(QStringLiteral(".config/user-dirs.dirs")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines.toUtf8());
}

void tst_OSUtilitiesPaths::downloadFolder_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<bool>("made");
    QTest::newRow("below a parent") << QStringList {"data/"} << "data" << true;
    QTest::newRow("missing parent made too") << QStringList {} << "a/b" << true;
    QTest::newRow("parent is a file") << QStringList {"file"} << "file/sub" << false;
}

void tst_OSUtilitiesPaths::downloadFolder()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, parent);
    QFETCH(bool, made);
    create(existing);
    QCOMPARE(OSUtilities::setTempDownloadDirectoryParent(abs(parent)), made);
    const QString expected = made ? abs(parent) + QStringLiteral("/.downloads") : QDir::tempPath();
    QCOMPARE(OSUtilities::getTempDownloadDirectoryPath(), expected);
    QVERIFY(QFileInfo(expected).isDir());
}

void tst_OSUtilitiesPaths::makeDirectory_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("made"); // empty: false expected
    QTest::newRow("existing") << QStringList {"x/"} << "x"
                              << "x";
    QTest::newRow("three missing levels") << QStringList {} << "a/b/c"
                                          << "a/b/c";
    QTest::newRow("backslashes") << QStringList {} << "a\\b\\c"
                                 << "a/b/c";
    QTest::newRow("doubled and trailing separators") << QStringList {} << "a//b/"
                                                     << "a/b";
    QTest::newRow("a level is a file") << QStringList {"a/f"} << "a/f/c"
                                       << "";
}

void tst_OSUtilitiesPaths::makeDirectory()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, path);
    QFETCH(QString, made);
    create(existing);
    QCOMPARE(OSUtilities::makeDirectory(abs(path)), !made.isEmpty());
    if (!made.isEmpty())
        QVERIFY(QFileInfo(abs(made)).isDir());
    const QStringList top = QDir(m_env->root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString &name : top)
        QVERIFY2(!name.contains(QLatin1Char('\\')), qPrintable(name));
}

void tst_OSUtilitiesPaths::ensureUniqueFilePath_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("free") << QStringList {"x/"} << "x/movie.avi"
                          << "x/movie.avi";
    QTest::newRow("two taken") << QStringList {"x/movie.avi", "x/movie[1].avi"} << "x/movie.avi"
                               << "x/movie[2].avi";
    QTest::newRow("first gap") << QStringList {"x/movie.avi", "x/movie[2].avi"} << "x/movie.avi"
                               << "x/movie[1].avi";
    QTest::newRow("no extension") << QStringList {"x/movie"} << "x/movie"
                                  << "x/movie[1]";
    QTest::newRow("dotted folder") << QStringList {"v1.0/movie", "v1.0/movie[1]"} << "v1.0/movie"
                                   << "v1.0/movie[2]";
    QTest::newRow("dot-file") << QStringList {".hidden"} << ".hidden"
                              << ".hidden[1]";
    QTest::newRow("dot-file with extension") << QStringList {".hidden.txt"} << ".hidden.txt"
                                             << ".hidden[1].txt";
    QTest::newRow("last dot only") << QStringList {"a.tar.gz"} << "a.tar.gz"
                                   << "a.tar[1].gz";
    QTest::newRow("lookalikes are not numbers")
        << QStringList {"m.avi", "m[01].avi", "m[1].AVI", "m[+1].avi", "m[1]x.avi"} << "m.avi"
        << "m[1].avi";
    QTest::newRow("folder and dangling link count")
        << QStringList {"m.avi", "m[1].avi/", "@m[2].avi"} << "m.avi"
        << "m[3].avi";
}

void tst_OSUtilitiesPaths::ensureUniqueFilePath()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    create(existing);
    QCOMPARE(OSUtilities::ensureUniqueFilePath(abs(path)), abs(expected));
}

void tst_OSUtilitiesPaths::applicationData()
{
    const QString root = abs(QStringLiteral(".local/share"));
    QCOMPARE(OSUtilities::getApplicationDataPath(true), root);
    QVERIFY(!QFileInfo::exists(root + QStringLiteral("/Zentrix")));
    QCOMPARE(OSUtilities::getApplicationDataPath(false), root + QStringLiteral("/Zentrix/Player"));
    QVERIFY(QFileInfo(root + QStringLiteral("/Zentrix/Player")).isDir());
}

void tst_OSUtilitiesPaths::moviesFolder_data()
{
    QTest::addColumn<QString>("userDirs");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected"); // below the root; empty: none
    const QString both = "XDG_VIDEOS_DIR=\"$HOME/Filme\"\nXDG_DOCUMENTS_DIR=\"$HOME/Doks\"\n";
    QTest::newRow("videos") << both << QStringList {"Filme/"} << "Filme/Zentrix Movies";
    QTest::newRow("no videos: documents") << both << QStringList {"Doks/"} << "Doks/Zentrix Movies";
    QTest::newRow("neither: home") << both << QStringList {} << "Zentrix Movies";
    QTest::newRow("no user-dirs file") << "" << QStringList {"Videos/"} << "Videos/Zentrix Movies";
    QTest::newRow("relative videos folder passed over")
        << "XDG_VIDEOS_DIR=\"Filme\"\n"
        << QStringList {"Filme/"} << "Zentrix Movies";
    QTest::newRow("cannot be made") << both << QStringList {"Filme/Zentrix Movies"} << "";
}

void tst_OSUtilitiesPaths::moviesFolder()
{
    QFETCH(QString, userDirs);
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    writeUserDirs(userDirs);
    create(existing);
    const QString path = OSUtilities::getZentrixMoviesPathDefault();
    QCOMPARE(path, expected.isEmpty() ? QString() : abs(expected));
    QVERIFY(path.isEmpty() || QFileInfo(path).isDir());
}

void tst_OSUtilitiesPaths::userDirsAsXdgUserDir_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("quoted, below home") << "XDG_VIDEOS_DIR=\"$HOME/Meine Filme\"";
    QTest::newRow("unquoted") << "XDG_VIDEOS_DIR=$HOME/Filme";
    QTest::newRow("absolute, not ASCII") << "XDG_VIDEOS_DIR=\"ROOT/vidéos à voir\"";
    QTest::newRow("home itself") << "XDG_VIDEOS_DIR=\"$HOME/\"";
    QTest::newRow("desktop") << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"";
}

// The folders must be those that Debian's xdg-user-dir names in the same environment.
void tst_OSUtilitiesPaths::userDirsAsXdgUserDir()
{
    QFETCH(QString, line);
    writeUserDirs(QString(line).replace(QLatin1String("ROOT"), m_env->root()) + QLatin1Char('\n'));
    const bool desktop = line.startsWith(QLatin1String("XDG_DESKTOP"));
    QProcess xdg;
    xdg.start(QStringLiteral("xdg-user-dir"), {desktop ? "DESKTOP" : "VIDEOS"});
    QVERIFY(xdg.waitForFinished());
    const QString folder =
        QDir::cleanPath(QString::fromUtf8(xdg.readAllStandardOutput().trimmed()));
    QVERIFY(QDir::isAbsolutePath(folder));
    if (desktop) {
        QCOMPARE(OSUtilities::getDesktopPath(), folder);
        return;
    }
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(OSUtilities::getZentrixMoviesPathDefault(),
             folder + QStringLiteral("/Zentrix Movies"));
}

void tst_OSUtilitiesPaths::freeSpace()
{
    quint64 free = 0, total = 0;
    QVERIFY(OSUtilities::getFreeSpace(m_env->root(), &free, &total));
    const QStorageInfo volume(m_env->root());
    QCOMPARE(total, quint64(volume.bytesTotal()));
    QVERIFY(free <= total && free > 0);
    QVERIFY(OSUtilities::getFreeSpace(m_env->root(), nullptr, nullptr));
    free = total = 7;
    QVERIFY(!OSUtilities::getFreeSpace(abs(QStringLiteral("missing")), &free, &total));
    QCOMPARE(free, quint64(7));
    QCOMPARE(total, quint64(7));
}

// The ping worker and plug-ins read the paths while the host sets them.
void tst_OSUtilitiesPaths::tempPathsReadWhole()
{
    const QString a = QString(200, QLatin1Char('a')), b = QString(300, QLatin1Char('b'));
    OSUtilities::setTempPath(a);
    std::atomic<bool> done = false, torn = false;
    std::thread reader([&] {
        while (!done) {
            const QString seen = OSUtilities::getTempPath();
            if (seen != a && seen != b)
                torn = true;
        }
    });
    for (int i = 0; i < 2000; ++i)
        OSUtilities::setTempPath(i % 2 ? a : b);
    done = true;
    reader.join();
    QVERIFY(!torn);
    OSUtilities::setTempPath(QString());
    QCOMPARE(OSUtilities::getTempPath(), QString());
}

QTEST_GUILESS_MAIN(tst_OSUtilitiesPaths)
#include "tst_osutilities_paths.moc"
