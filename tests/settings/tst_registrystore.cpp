// SPDX-License-Identifier: LGPL-2.1-or-later
// The registry store under several threads and processes, a crash, and a user
// who cannot write the machine hive.
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
    void twoProcesses();
    void killedWriter();
    void readOnlyMachineHive();

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

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZENTRIX_USER_HIVE"),
                       userDir + QStringLiteral("/user-hive.db"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                {"--reuid=65534", "--regid=65534", "--clear-groups",
                 QStringLiteral(SETTINGS_CHILD_PATH), "access"});
    QVERIFY(child.waitForFinished(60000));
    const QByteArray out = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, out.constData());
}

QTEST_GUILESS_MAIN(tst_RegistryStore)
#include "tst_registrystore.moc"
