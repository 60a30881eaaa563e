// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mavctlprocess.h"
#include "testenvironment.h"

#include "settings/registry_p.h"

#include <MavLibrary/settings/settingsfunctions.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <memory>

using MavTest::readFile;
using MavTest::runMavctl;
using MavTest::writeFile;

namespace {

QStringList args(const char *line)
{
    return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

mode_t fileType(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// In a child run as root: no capabilities, now or after exec, so that file modes
// bind it as they bind a user.
void dropCapabilities()
{
    for (int capability = 0; capability <= CAP_LAST_CAP; ++capability)
        ::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0);
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] {};
    ::syscall(SYS_capset, &header, data);
}

enum Target { NewFile, OldFile, FullFileSystem, UnwritableFolder, Fifo, NullDevice, FullDevice };

/*
    Makes \a target at \a path (an old file holds "old"; a device node where one
    can be made, else the system's) and returns what to run in the child.
*/
std::function<void()> prepareTarget(Target target, QString &path, qint64 sizeLimit)
{
    const QByteArray name = QFile::encodeName(path);
    if (target == OldFile || target == FullFileSystem || target == UnwritableFolder)
        writeFile(path, "old");
    if (target == FullFileSystem) {
        return [limit = rlim_t(sizeLimit)] {
            const rlimit fileSize {limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &fileSize);
            ::signal(SIGXFSZ, SIG_IGN);
        };
    }
    if (target == UnwritableFolder) {
        ::chmod(QFile::encodeName(QFileInfo(path).path()).constData(), 0555);
        return dropCapabilities;
    }
    if (target == Fifo)
        ::mkfifo(name.constData(), 0600);
    const int minor = target == NullDevice ? 3 : 7;
    if ((target == NullDevice || target == FullDevice)
        && ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, minor)) != 0)
        path = minor == 3 ? QStringLiteral("/dev/null") : QStringLiteral("/dev/full");
    return {};
}

} // namespace

class tst_MavctlSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_env.reset(); }

    void commands_data();
    void commands();
    void roundTrip();
    void malformed();
    void importUtf8AndDeletions();
    void writeTargets_data();
    void writeTargets();
    void hiveFileHoldsTheData_data();
    void hiveFileHoldsTheData();
    void deepTreeRoundTrip();
    void inputErrors_data();
    void inputErrors();
    void invalidUtf8Argument();
    void brokenHive_data();
    void brokenHive();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_MavctlSettings::commands_data()
{
    QTest::addColumn<QStringList>("before"); // commands that must succeed first
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // stderr when it fails

    const QStringList volume {"settings set Settings/Player/General Volume 10 --type dword"};
    QTest::newRow("get dword") << volume << "settings get settings/PLAYER/general volume" << 0
                               << "10\n";
    QTest::newRow("get from the machine hive")
        << volume << "settings get Settings/Player/General Volume --machine" << 1 << "";
    QTest::newRow("list with types")
        << QStringList {"settings set Settings/Player/General Volume 10 --type dword",
                        "settings set Settings/Player Big 0x100000000 --type qword",
                        "settings set Settings/Player Blob 00ff --type binary",
                        "settings set Settings/Player Title Zentrix"}
        << "settings list Settings/Player" << 0
        << "General/\nBig\tREG_QWORD\t4294967296\nBlob\tREG_BINARY\t00 "
           "ff\nTitle\tREG_SZ\tZentrix\n";
    QTest::newRow("dword out of range")
        << QStringList() << "settings set A B 4294967296 --type dword" << 1 << "";
    QTest::newRow("bad binary") << QStringList() << "settings set A B 0g --type binary" << 1 << "";
    QTest::newRow("unknown type") << QStringList() << "settings set A B 1 --type float" << 2 << "";
    QTest::newRow("delete value") << volume << "settings delete Settings/Player/General Volume" << 0
                                  << "";
    QTest::newRow("delete missing value")
        << volume << "settings delete Settings/Player/General Nope" << 1 << "";
    QTest::newRow("delete key tree") << volume << "settings delete Settings" << 0 << "";
    QTest::newRow("delete product key refused") << volume << "settings delete /" << 1 << "";
    QTest::newRow("both hives") << QStringList() << "settings list A --user --machine" << 2 << "";
    QTest::newRow("unknown subcommand") << QStringList() << "settings frob" << 2 << "";
    QTest::newRow("list escapes control characters")
        << QStringList {"settings set Esc Text one\ntwo\x1b\\"} << "settings list Esc" << 0
        << "Text\tREG_SZ\tone\\ntwo\\x1b\\\\\n";
    QTest::newRow("empty key part")
        << QStringList() << "settings set A//B v 1" << 1 << "mavctl: empty key part\n";
    QTest::newRow("key part too long")
        << QStringList() << "settings get A/" + QString(256, QLatin1Char('a')) + " v" << 1
        << "mavctl: key part longer than 255 characters\n";
}

void tst_MavctlSettings::commands()
{
    QFETCH(QStringList, before);
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    for (const QString &line : before)
        QCOMPARE(runMavctl(line.split(QLatin1Char(' '))).exitCode, 0);
    const auto result = runMavctl(command.split(QLatin1Char(' ')));
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 0)
        QCOMPARE(result.out, out);
    else if (!out.isEmpty())
        QCOMPARE(result.err, out);
    else
        QVERIFY(result.err.startsWith(QLatin1String("mavctl: ")));
}

void tst_MavctlSettings::roundTrip()
{
    using namespace ztds;
    QVERIFY(userSettings::setInt("Player", "Volume", -1));
    QVERIFY(userSettings::setDword("Player/General", "Mode", 7));
    QVERIFY(userSettings::setString("Player/General", "Quote \"\\ name",
                                    std::string("a \"b\" \\ \xC3\xA9\xF0\x9D\x84\x9E")));
    QVERIFY(userSettings::setString("Player/General", "Lines", std::string("one\ntwo")));
    QVERIFY(userSettings::setBinary("Player/General", "Empty", nullptr, 0));
    const std::string blob(200, '\x5a');
    QVERIFY(userSettings::setBinary("Player/General", "Blob", blob.data(), unsigned(blob.size())));
    QVERIFY(userSettings::setString("Player/Empty Key/Deeper", "x", std::string("")));
    QVERIFY(installSettings::setString("Paths", "InstallPath", std::string("/opt/zentrix")));

    const QString userFile = m_env->path("user.reg"), machineFile = m_env->path("machine.reg");
    QCOMPARE(runMavctl({"settings", "export", "", userFile}).exitCode, 0);
    QCOMPARE(runMavctl({"settings", "export", "--machine", "", machineFile}).exitCode, 0);
    const QByteArray exported = readFile(userFile);
    QVERIFY(exported.startsWith("\xFF\xFE"
                                "W\0i\0n\0"));

    // Fresh hives, then import both files and export again: the same text.
    m_env->setVariable("ZENTRIX_USER_HIVE", QFile::encodeName(m_env->path("fresh/user.db")));
    m_env->setVariable("ZENTRIX_MACHINE_HIVE", QFile::encodeName(m_env->path("fresh/machine.db")));
    QCOMPARE(runMavctl({"settings", "import", userFile}).exitCode, 0);
    QCOMPARE(runMavctl({"settings", "import", machineFile}).exitCode, 0);
    QCOMPARE(runMavctl({"settings", "export", "", m_env->path("again.reg")}).exitCode, 0);
    QCOMPARE(readFile(m_env->path("again.reg")), exported);
    int volume = 0;
    QVERIFY(userSettings::getInt("Player", "Volume", volume));
    QCOMPARE(volume, -1);
    std::string path;
    QVERIFY(installSettings::getString("Paths", "InstallPath", path));
    QCOMPARE(path, std::string("/opt/zentrix"));
}

// The parser's error table is tst_regfile's; here the exit code, the file and
// line in the message, and that nothing of a refused file reaches the store.
void tst_MavctlSettings::malformed()
{
    QVERIFY(ztds::userSettings::setInt("Existing", "v", 1));
    const QString file = m_env->path("bad.reg");
    QVERIFY(writeFile(file,
                      "Windows Registry Editor Version 5.00\r\n\r\n"
                      "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Settings\\New]\r\n"
                      "\"ok\"=dword:00000001\r\n\"b\"=hex:01,02,\\\r\n  03,4\r\n"));
    const auto result = runMavctl({"settings", "import", file});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains(file + ":6: bad hex byte \"4\""), qPrintable(result.err));
    QVERIFY(!ztds::userSettings::sectionExists("New")); // nothing of the file was written
}

void tst_MavctlSettings::importUtf8AndDeletions()
{
    using namespace ztds;
    QVERIFY(userSettings::setInt("Old/Deep", "v", 1));
    QVERIFY(userSettings::setInt("Keep", "gone", 1));
    QVERIFY(userSettings::setInt("Keep", "stays", 1));
    const QString file = m_env->path("edit.reg");
    QVERIFY(writeFile(file,
                      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n"
                      "; a comment\n"
                      "[-HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Settings\\Old]\n\n"
                      "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Settings\\Keep]\n"
                      "\"gone\"=-\n"
                      "@=\"default\"\n"
                      "\"e\"=hex(2):25,00,48,00,00,00\n"
                      "\"q\"=hex(b):0a,00,00,00,00,00,00,00\n"
                      "\"t\"=\"Gr\xC3\xBC\xC3\x9F\"\n"));
    const auto result = runMavctl({"settings", "import", file});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(!userSettings::sectionExists("Old"));
    std::set<std::string> names;
    QVERIFY(userSettings::getValueNames("Keep", names));
    QCOMPARE(names, (std::set<std::string> {"e", "q", "stays", "t"}));
    std::string text;
    QVERIFY(!userSettings::getString("Keep", "e", text)); // REG_EXPAND_SZ
    QVERIFY(userSettings::getString("Keep", "t", text));
    QCOMPARE(text, std::string("Gr\xC3\xBC\xC3\x9F"));
    std::uint64_t q = 0;
    QVERIFY(userSettings::getQword("Keep", "q", q));
    QCOMPARE(q, 10u);
    QCOMPARE(runMavctl(args("settings list Settings/Keep"))
                 .out.count(QStringLiteral("REG_EXPAND_SZ\t%H")),
             1);
}

void tst_MavctlSettings::writeTargets_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("target"); // -1: standard output
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("export to a new file") << "export" << int(NewFile) << 0 << "";
    QTest::newRow("export over an old file") << "export" << int(OldFile) << 0 << "";
    QTest::newRow("export, full file system")
        << "export" << int(FullFileSystem) << 1 << "File too large";
    QTest::newRow("export, unwritable folder")
        << "export" << int(UnwritableFolder) << 1 << "Permission denied";
    QTest::newRow("export into a FIFO") << "export" << int(Fifo) << 0 << "";
    QTest::newRow("export into a null device") << "export" << int(NullDevice) << 0 << "";
    QTest::newRow("export into a full device")
        << "export" << int(FullDevice) << 1 << "No space left on device";
    QTest::newRow("export to standard output") << "export" << -1 << 0 << "";
    QTest::newRow("backup to a new file") << "backup" << int(NewFile) << 0 << "";
    QTest::newRow("backup over an old file") << "backup" << int(OldFile) << 0 << "";
    QTest::newRow("backup, unwritable folder")
        << "backup" << int(UnwritableFolder) << 1 << "Permission denied";
    QTest::newRow("backup into a FIFO") << "backup" << int(Fifo) << 1 << "not a regular file";
    QTest::newRow("backup into a device")
        << "backup" << int(NullDevice) << 1 << "not a regular file";
}

void tst_MavctlSettings::writeTargets()
{
    QFETCH(QString, command);
    QFETCH(int, target);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    // This process keeps the hive open: the value is still in the -wal file.
    const std::string blob(30000, 'x');
    QVERIFY(ztds::userSettings::setBinary("Player", "Blob", blob.data(), unsigned(blob.size())));
    QCOMPARE(runMavctl({"settings", "export", "", m_env->path("reference.reg")}).exitCode, 0);
    const QByteArray expected = readFile(m_env->path("reference.reg"));

    const QString folder = m_env->path("out");
    QVERIFY(QDir().mkpath(folder));
    QString path = target < 0 ? QStringLiteral("-") : folder + QStringLiteral("/file");
    const auto inChild = target < 0 ? std::function<void()>()
                                    : prepareTarget(Target(target), path, expected.size() / 2);
    const mode_t type = target == NewFile ? S_IFREG : fileType(path);
    const int fifo = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (type == S_IFIFO)
        QVERIFY(::fcntl(fifo, F_SETPIPE_SZ, 1 << 20) > expected.size()); // no reader thread
    const QStringList arguments = command == QLatin1String("export")
        ? QStringList {"settings", "export", "", path}
        : QStringList {"settings", "backup", path};
    const auto result = runMavctl(arguments, {}, inChild);
    QByteArray piped(expected.size() + 1, '\0');
    piped.resize(std::max<qsizetype>(::read(fifo, piped.data(), piped.size()), 0));
    ::close(fifo);
    ::chmod(QFile::encodeName(folder).constData(), 0755);

    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(error), qPrintable(result.err));
    if (target < 0) {
        QCOMPARE(result.rawOut, expected);
        return;
    }
    QCOMPARE(fileType(path), type); // never replaced by another kind of file
    if (type == S_IFIFO && exitCode == 0)
        QCOMPARE(piped, expected);
    if (type != S_IFREG)
        return;
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList {"file"});
    if (exitCode != 0) {
        QCOMPARE(readFile(path), QByteArray("old"));
    } else if (command == QLatin1String("export")) {
        QCOMPARE(readFile(path), expected);
    } else {
        m_env->setVariable("ZENTRIX_USER_HIVE", QFile::encodeName(path)); // the copy as the hive
        QCOMPARE(runMavctl({"settings", "export", "", "-"}).rawOut, expected);
    }
}

void tst_MavctlSettings::hiveFileHoldsTheData_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::newRow("set") << args("settings set Settings/Player Title saved");
    QTest::newRow("import") << args("settings import @");
}

void tst_MavctlSettings::hiveFileHoldsTheData()
{
    QFETCH(QStringList, command);
    // Only the .db file, as a copy that forgets the -wal file takes it.
    const QString file = m_env->path("in.reg");
    QVERIFY(writeFile(file,
                      "Windows Registry Editor Version 5.00\n"
                      "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Settings\\Player]\n"
                      "\"Title\"=\"saved\"\n"));
    command.replaceInStrings(QStringLiteral("@"), file);
    QCOMPARE(runMavctl(command).exitCode, 0);
    const QString copy = m_env->path("copy.db");
    QVERIFY(QFile::copy(m_env->userHive(), copy));
    m_env->setVariable("ZENTRIX_USER_HIVE", QFile::encodeName(copy));
    QCOMPARE(runMavctl(args("settings get Settings/Player Title")).out, QStringLiteral("saved\n"));
}

void tst_MavctlSettings::deepTreeRoundTrip()
{
    constexpr int Depth = 5000;
    std::wstring path = L"SOFTWARE\\Zentrix\\Settings";
    for (int i = 0; i < Depth; ++i)
        path += L"\\k";
    QVERIFY(ztds::registry::createKey(ztds::registry::Hive::CurrentUser, path));
    const QString first = m_env->path("first.reg"), second = m_env->path("second.reg");
    QCOMPARE(runMavctl({"settings", "export", "", first}).exitCode, 0);
    m_env->setVariable("ZENTRIX_USER_HIVE", QFile::encodeName(m_env->path("fresh/user.db")));
    const auto imported = runMavctl({"settings", "import", first});
    QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
    QCOMPARE(runMavctl({"settings", "export", "", second}).exitCode, 0);
    const QByteArray exported = readFile(first);
    QVERIFY(exported.size() > qsizetype(Depth) * Depth * 2); // every level
    QVERIFY(exported == readFile(second));
}

void tst_MavctlSettings::inputErrors_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("import of an empty name") << QStringList {"settings", "import", ""} << 2 << "";
    QTest::newRow("export to an empty name")
        << QStringList {"settings", "export", "", ""} << 2 << "";
    QTest::newRow("backup to an empty name") << QStringList {"settings", "backup", ""} << 2 << "";
    QTest::newRow("import of a file beyond the limit")
        << args("settings import @") << 1 << "larger than 256 MiB";
    QTest::newRow("import of an endless device")
        << args("settings import /dev/zero") << 1 << "larger than 256 MiB";
}

void tst_MavctlSettings::inputErrors()
{
    QFETCH(QStringList, command);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    const QString big = m_env->path("big.reg");
    QVERIFY(writeFile(big, "Windows Registry Editor Version 5.00\n"));
    QVERIFY(QFile::resize(big, (qint64(256) << 20) + 1)); // sparse: nothing to read
    command.replaceInStrings(QStringLiteral("@"), big);
    const auto result = runMavctl(command);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(error), qPrintable(result.err));
    // Our own lines only, no warning of Qt's.
    for (const QString &line : result.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        QVERIFY2(line.startsWith(QLatin1String("mavctl: "))
                     || line.startsWith(QLatin1String("Try ")),
                 qPrintable(result.err));
}

void tst_MavctlSettings::invalidUtf8Argument()
{
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"),
                {"-c", "exec \"$0\" settings set P name \"$(printf 'a\\377b')\"", MAVCTL_PATH});
    QVERIFY(shell.waitForFinished(60000));
    QCOMPARE(shell.exitCode(), 2);
    QVERIFY(shell.readAllStandardError().contains("not valid UTF-8"));
    QCOMPARE(runMavctl(args("settings get P name")).exitCode, 1);
}

void tst_MavctlSettings::brokenHive_data()
{
    QTest::addColumn<qint64>("size"); // the hive cut to this size; -1 for random bytes
    QTest::addColumn<bool>("unreadable");
    QTest::addColumn<QString>("reason");

    QTest::newRow("random bytes") << qint64(-1) << false << "file is not a database";
    QTest::newRow("truncated") << qint64(1000) << false << "database disk image is malformed";
    QTest::newRow("unreadable") << qint64(0) << true << "Permission denied";
}

void tst_MavctlSettings::brokenHive()
{
    QFETCH(qint64, size);
    QFETCH(bool, unreadable);
    QFETCH(QString, reason);
    const QString hive = m_env->userHive();
    QCOMPARE(runMavctl(args("settings set Settings/X v 1")).exitCode, 0);
    QFile::remove(hive + QStringLiteral("-wal"));
    QFile::remove(hive + QStringLiteral("-shm"));
    if (size < 0)
        QVERIFY(writeFile(hive, QByteArray(8192, 'x')));
    else if (size > 0)
        QVERIFY(QFile::resize(hive, size));
    if (unreadable)
        QVERIFY(QFile::setPermissions(hive, {}));
    const QString expected = "mavctl: cannot open the user hive " + hive + ": " + reason + '\n';
    for (const char *command :
         {"settings get Settings/X v", "settings list Settings/X", "settings export X -"}) {
        const auto result = runMavctl(args(command), {}, dropCapabilities);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, expected);
    }
}

QTEST_GUILESS_MAIN(tst_MavctlSettings)
#include "tst_mavctl_settings.moc"
