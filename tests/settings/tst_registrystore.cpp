// SPDX-License-Identifier: LGPL-2.1-or-later
// The registry store under several threads and processes, a crash, and a user
// who cannot write the machine hive.
#include "childprocess.h"
#include "testenvironment.h"

#include "settings/registry_p.h"

#include <MavLibrary/settings/settingsfunctions.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <sqlite3.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

using namespace ztds;
namespace reg = ztds::registry;

class tst_RegistryStore : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void hiveLocations_data();
    void hiveLocations();
    void journalModes();
    void batchIsAllOrNothing();
    void batchReachesTheDatabaseFile();
    void threads();
    void nextReadFollowsTheEnvironment_data();
    void nextReadFollowsTheEnvironment();
    // Before any child process is started: under ThreadSanitizer no thread may start after one.
    void replacedHiveFile_data();
    void replacedHiveFile();
    void twoProcesses();
    void killedWriter();
    void readOnlyMachineHive();
    void closedAtExit_data();
    void closedAtExit();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_RegistryStore::hiveLocations_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("user");
    QTest::addColumn<QString>("expected"); // relative to the test root

    QTest::newRow("user: ZENTRIX_USER_HIVE")
        << QByteArray() << QByteArray() << true << "hives/user-hive.db";
    QTest::newRow("user: XDG_CONFIG_HOME") << QByteArray("ZENTRIX_USER_HIVE") << QByteArray()
                                           << true << ".config/zentrix/user-hive.db";
    QTest::newRow("machine: ZENTRIX_MACHINE_HIVE")
        << QByteArray() << QByteArray() << false << "hives/machine-hive.db";
    QTest::newRow("machine: first of XDG_CONFIG_DIRS")
        << QByteArray("ZENTRIX_MACHINE_HIVE") << QByteArray() << false
        << "etc/xdg/zentrix/machine-hive.db";
}

void tst_RegistryStore::hiveLocations()
{
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(bool, user);
    QFETCH(QString, expected);
    if (!variable.isEmpty())
        m_env->setVariable(variable.constData(), value);
    m_env->setVariable("XDG_CONFIG_DIRS",
                       QFile::encodeName(m_env->path("etc/xdg") + ":/nonexistent"));
    const auto hive = user ? reg::Hive::CurrentUser : reg::Hive::LocalMachine;
    QCOMPARE(QString::fromStdString(reg::hiveFile(hive)), m_env->path(expected));
    QVERIFY(reg::createKey(hive, L"SOFTWARE\\Zentrix\\X"));
    QVERIFY(QFile::exists(m_env->path(expected)));
}

void tst_RegistryStore::journalModes()
{
    QVERIFY(userSettings::setInt("J", "v", 1));
    QVERIFY(installSettings::setInt("J", "v", 1));
    for (const auto &[file, mode] :
         {std::pair {m_env->userHive(), "wal"}, std::pair {m_env->machineHive(), "delete"}}) {
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY,
                                 nullptr),
                 SQLITE_OK);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr);
        QCOMPARE(sqlite3_step(stmt), SQLITE_ROW);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))),
                 QByteArray(mode));
        sqlite3_finalize(stmt);
        sqlite3_close(db);
    }
}

void tst_RegistryStore::batchIsAllOrNothing()
{
    using Op = reg::Operation;
    const std::wstring key = L"SOFTWARE\\Zentrix\\Settings\\Batch";
    std::vector<Op> ops(4);
    ops[0] = {Op::CreateKey, reg::Hive::CurrentUser, key, {}, 0, {}};
    ops[1] = {Op::SetValue, reg::Hive::CurrentUser, key, L"a", reg::RegDword, std::string(4, '\1')};
    ops[2] = {Op::CreateKey, reg::Hive::LocalMachine, key, {}, 0, {}};
    // A value in a key that neither exists nor is created: the whole batch fails.
    ops[3] = {Op::SetValue, reg::Hive::CurrentUser, key + L"\\Missing",
              L"b",         reg::RegDword,          std::string(4, '\1')};
    std::string error;
    QVERIFY(!reg::applyBatch(ops, &error));
    QVERIFY(!error.empty());
    QVERIFY(!reg::openKey(reg::Hive::CurrentUser, key, reg::Access::Read));
    QVERIFY(!reg::openKey(reg::Hive::LocalMachine, key, reg::Access::Read));
    ops.pop_back();
    QVERIFY(reg::applyBatch(ops, &error));
    int value = 0;
    QVERIFY(userSettings::getInt("Batch", "a", value));
    QCOMPARE(value, 0x01010101);
    QVERIFY(reg::openKey(reg::Hive::LocalMachine, key, reg::Access::Read));
}

void tst_RegistryStore::batchReachesTheDatabaseFile()
{
    // This process keeps the hive open, so no close moves the -wal file into the .db.
    using Op = reg::Operation;
    const std::wstring key = L"SOFTWARE\\Zentrix\\Settings\\Imported";
    QVERIFY(reg::applyBatch({{Op::CreateKey, reg::Hive::CurrentUser, key, {}, 0, {}},
                             {Op::SetValue, reg::Hive::CurrentUser, key, L"v", reg::RegSz, "x"}}));
    const QString copy = m_env->path("copy.db");
    QVERIFY(QFile::copy(m_env->userHive(), copy));
    sqlite3 *db = nullptr;
    QCOMPARE(
        sqlite3_open_v2(QFile::encodeName(copy).constData(), &db, SQLITE_OPEN_READONLY, nullptr),
        SQLITE_OK);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM vals", -1, &stmt, nullptr);
    QCOMPARE(sqlite3_step(stmt), SQLITE_ROW);
    QCOMPARE(sqlite3_column_int(stmt, 0), 1);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void tst_RegistryStore::threads()
{
    // Each thread has its own sections, as the settings objects require.
    constexpr int Threads = 4, Values = 100;
    std::atomic<int> failures {0};
    std::vector<std::thread> workers;
    for (int t = 0; t < Threads; ++t) {
        workers.emplace_back([t, &failures] {
            const std::string section = "Threads/" + std::to_string(t);
            for (int i = 0; i < Values; ++i) {
                int back = -1;
                if (!userSettings::setInt(section, "v" + std::to_string(i), i)
                    || !userSettings::getInt(section, "v" + std::to_string(i), back) || back != i)
                    ++failures;
            }
        });
    }
    for (auto &worker : workers)
        worker.join();
    QCOMPARE(failures.load(), 0);
    unsigned count = 0;
    QVERIFY(userSettings::getSectionCount("Threads", count));
    QCOMPARE(count, unsigned(Threads));
    QVERIFY(userSettings::getValueCount("Threads/3", count));
    QCOMPARE(count, unsigned(Values));
}

void tst_RegistryStore::twoProcesses()
{
    QProcess a, b;
    a.setProcessChannelMode(QProcess::MergedChannels);
    b.setProcessChannelMode(QProcess::MergedChannels);
    a.start(QStringLiteral(SETTINGS_CHILD_PATH), {"writer", "a", "b", "2500"});
    b.start(QStringLiteral(SETTINGS_CHILD_PATH), {"writer", "b", "a", "2500"});
    QVERIFY(a.waitForFinished(90000));
    QVERIFY(b.waitForFinished(90000));
    const QByteArray outA = a.readAll(), outB = b.readAll();
    QVERIFY2(a.exitStatus() == QProcess::NormalExit && a.exitCode() == 0, outA.constData());
    QVERIFY2(b.exitStatus() == QProcess::NormalExit && b.exitCode() == 0, outB.constData());
    qDebug("a: %s b: %s", outA.trimmed().constData(), outB.trimmed().constData());
    int count = 0;
    QVERIFY(userSettings::getInt("Stress/a", "count", count));
    QVERIFY(count > 10);
}

void tst_RegistryStore::killedWriter()
{
    QProcess child;
    child.start(QStringLiteral(SETTINGS_CHILD_PATH), {"crash"});
    QVERIFY(child.waitForStarted());
    QByteArray out;
    int reported = -1;
    while (reported < 300 && child.state() == QProcess::Running) {
        child.waitForReadyRead(5000);
        out += child.readAllStandardOutput();
        const int end = out.lastIndexOf('\n');
        if (end > 0) {
            const int start = out.lastIndexOf('\n', end - 1) + 1;
            reported = out.mid(start, end - start).toInt();
        }
    }
    ::kill(pid_t(child.processId()), SIGKILL); // mid-write, most likely
    QVERIFY(child.waitForFinished());
    out += child.readAllStandardOutput();
    const QList<QByteArray> lines = out.split('\n');
    QVERIFY(lines.size() > 300);

    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(m_env->userHive()).constData(), &db), SQLITE_OK);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr);
    QCOMPARE(sqlite3_step(stmt), SQLITE_ROW);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))),
             QByteArray("ok"));
    sqlite3_finalize(stmt);
    sqlite3_close(db);

    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue; // a line cut by the kill is no report
        const int i = line.toInt();
        int value = -1;
        QVERIFY2(userSettings::getInt("Crash", "v" + std::to_string(i), value) && value == i,
                 line.constData());
    }
}

void tst_RegistryStore::readOnlyMachineHive()
{
    // As HKLM for a user who is no administrator: the machine hive belongs to root
    // and only root may write it; the user has a hive of their own.
    if (::geteuid() != 0)
        QSKIP("needs root to hand the machine hive to root and the child to nobody");
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        QSKIP("setpriv (util-linux) is not installed");
    QVERIFY(installSettings::setString("Paths", "InstallPath", "/opt/zentrix"));
    IZentrixSettings *player = nullptr;
    QVERIFY(openSettings("Settings/Player", CreateMachine, &player));
    QVERIFY(player->setInt("Volume", 7));
    player->release();

    const QString userDir = m_env->path("nobody");
    QVERIFY(QDir().mkpath(userDir));
    QVERIFY(::chown(QFile::encodeName(userDir).constData(), 65534, 65534) == 0);
    for (const QString &dir : {m_env->root(), m_env->path("hives")})
        ::chmod(QFile::encodeName(dir).constData(), 0755);
    ::chmod(QFile::encodeName(m_env->machineHive()).constData(), 0644);

    MavTest::ChildOptions options;
    options.environment = QProcessEnvironment::systemEnvironment();
    options.environment.insert(QStringLiteral("ZENTRIX_USER_HIVE"),
                               userDir + QStringLiteral("/user-hive.db"));
    options.mergeChannels = true;
    const MavTest::ChildResult child =
        MavTest::runChild(QStringLiteral("setpriv"),
                          {"--reuid=65534", "--regid=65534", "--clear-groups",
                           QStringLiteral(SETTINGS_CHILD_PATH), "access"},
                          options);
    QVERIFY2(child.succeeded(), child.out.constData());
}

// A read takes a shortcut to the hive it read last; the environment may have
// named another file since, and the very next read must follow it.
void tst_RegistryStore::nextReadFollowsTheEnvironment_data()
{
    QTest::addColumn<bool>("user");
    QTest::addColumn<QByteArrayList>("emptied"); // so that the variable counts
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second"); // as long as first
    QTest::addColumn<bool>("inPlace"); // a putenv string changed, no call made

    const QByteArray userHive = "ZENTRIX_USER_HIVE", machineHive = "ZENTRIX_MACHINE_HIVE";
    QTest::newRow("user: ZENTRIX_USER_HIVE") << true << QByteArrayList() << userHive << "a/user.db"
                                             << "b/user.db" << false;
    QTest::newRow("user: ZENTRIX_USER_HIVE changed in place")
        << true << QByteArrayList() << userHive << "a/user.db"
        << "b/user.db" << true;
    QTest::newRow("user: XDG_CONFIG_HOME")
        << true << QByteArrayList {userHive} << QByteArray("XDG_CONFIG_HOME") << "a"
        << "b" << false;
    QTest::newRow("user: HOME") << true << QByteArrayList {userHive, "XDG_CONFIG_HOME"}
                                << QByteArray("HOME") << "a"
                                << "b" << false;
    QTest::newRow("machine: ZENTRIX_MACHINE_HIVE")
        << false << QByteArrayList() << machineHive << "a/machine.db"
        << "b/machine.db" << false;
    QTest::newRow("machine: XDG_CONFIG_DIRS")
        << false << QByteArrayList {machineHive} << QByteArray("XDG_CONFIG_DIRS") << "a"
        << "b" << false;
}

void tst_RegistryStore::nextReadFollowsTheEnvironment()
{
    QFETCH(bool, user);
    QFETCH(QByteArrayList, emptied);
    QFETCH(QByteArray, variable);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, inPlace);
    for (const QByteArray &name : emptied)
        m_env->setVariable(name.constData(), QByteArray());
    const QByteArray a = QFile::encodeName(m_env->path(first));
    const QByteArray b = QFile::encodeName(m_env->path(second));
    auto write = [user](int v) {
        return user ? userSettings::setInt("Env", "v", v) : installSettings::setInt("Env", "v", v);
    };
    auto read = [user] {
        int v = 0;
        return (user ? userSettings::getInt("Env", "v", v) : installSettings::getInt("Env", "v", v))
            ? v
            : 0;
    };
    m_env->setVariable(variable.constData(), b);
    QVERIFY(write(2));
    m_env->setVariable(variable.constData(), a);
    QVERIFY(write(1));
    if (inPlace) {
        static QByteArray entry; // the environment's own string until setVariable replaces it
        entry = variable + '=' + a;
        QCOMPARE(::putenv(entry.data()), 0);
        QCOMPARE(read(), 1);
        std::memcpy(entry.data() + variable.size() + 1, b.constData(), std::size_t(b.size()));
    } else {
        QCOMPARE(read(), 1);
        m_env->setVariable(variable.constData(), b);
    }
    QCOMPARE(read(), 2);
    m_env->setVariable(variable.constData(), a);
    QCOMPARE(read(), 1);
}

// Reads trust a hive file checked within the last 100 ms; a write always checks.
// An open section keeps the old file's connection alive throughout.
void tst_RegistryStore::replacedHiveFile_data()
{
    QTest::addColumn<bool>("user");
    QTest::addColumn<bool>("deleted"); // else replaced by a file holding v=2
    QTest::addColumn<bool>("writeFirst"); // on another thread
    QTest::addColumn<int>("expected"); // 0: no value

    QTest::newRow("machine hive replaced: seen after the recheck") << false << false << false << 2;
    QTest::newRow("machine hive replaced: seen at once after a write")
        << false << false << true << 2;
    QTest::newRow("user hive deleted: gone after the recheck") << true << true << false << 0;
}

void tst_RegistryStore::replacedHiveFile()
{
    QFETCH(bool, user);
    QFETCH(bool, deleted);
    QFETCH(bool, writeFirst);
    QFETCH(int, expected);
    auto write = [user](const char *name, int v) {
        return user ? userSettings::setInt("File", name, v)
                    : installSettings::setInt("File", name, v);
    };
    auto read = [user] {
        int v = 0;
        return (user ? userSettings::getInt("File", "v", v)
                     : installSettings::getInt("File", "v", v))
            ? v
            : 0;
    };
    const QString hive = user ? m_env->userHive() : m_env->machineHive();
    const QString other = m_env->path("other.db");
    QVERIFY(write("v", 2));
    QVERIFY(QFile::copy(hive, other)); // the machine hive keeps no -wal file
    QVERIFY(write("v", 1));
    QCOMPARE(read(), 1);
    IZentrixSettings *held = nullptr;
    QVERIFY(openSettings(user ? "Settings/File" : "Install/File", user ? ReadUser : ReadMachine,
                         &held));
    zttl::RefCountedPtr<IZentrixSettings> owner;
    owner.attach(held);
    int v = 0;
    QVERIFY(held->getInt("v", v));
    if (deleted) {
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(hive + QLatin1String(suffix));
    } else {
        QCOMPARE(
            ::rename(QFile::encodeName(other).constData(), QFile::encodeName(hive).constData()), 0);
    }
    if (writeFirst) {
        bool written = false;
        std::thread([&] { written = write("w", 3); }).join();
        QVERIFY(written);
    } else
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    QCOMPARE(read(), expected);
}

// The last close of a hive moves its -wal file into the database file: no
// thread may keep a connection open past the end of the process.
void tst_RegistryStore::closedAtExit_data()
{
    QTest::addColumn<QString>("reader");
    QTest::newRow("read on the main thread") << "main";
    QTest::newRow("read on a thread still running at exit") << "thread";
}

void tst_RegistryStore::closedAtExit()
{
    QFETCH(QString, reader);
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral(SETTINGS_CHILD_PATH), {"exit", reader});
    QVERIFY(child.waitForFinished(30000));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             child.readAll().constData());
    const QString copy = m_env->path("copy.db");
    QVERIFY(QFile::copy(m_env->userHive(), copy));
    m_env->setVariable("ZENTRIX_USER_HIVE", QFile::encodeName(copy));
    std::string text;
    QVERIFY(userSettings::getString("Exit", "v", text));
    QCOMPARE(text, std::string("kept"));
}

QTEST_GUILESS_MAIN(tst_RegistryStore)
#include "tst_registrystore.moc"
