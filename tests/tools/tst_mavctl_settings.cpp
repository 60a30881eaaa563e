// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mavctlprocess.h"
#include "testenvironment.h"

#include <MavLibrary/settings/settingsfunctions.h>

#include <QFile>
#include <QTest>

#include <memory>

using MavTest::runMavctl;

namespace {

QStringList args(const char *line)
{
    return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
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
    void malformed_data();
    void malformed();
    void importUtf8AndDeletions();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_MavctlSettings::commands_data()
{
    QTest::addColumn<QStringList>("before"); // commands that must succeed first
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");

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

void tst_MavctlSettings::malformed_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");

    const QByteArray head = "Windows Registry Editor Version 5.00\r\n\r\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Settings\\New]\r\n"
                            "\"ok\"=dword:00000001\r\n";
    QTest::newRow("bad hex") << head + "\"b\"=hex:01,0g\r\n"
                             << ":5: bad hex byte \"0g\"";
    QTest::newRow("bad hex on a continuation line") << head + "\"b\"=hex:01,02,\\\r\n  03,4\r\n"
                                                    << ":6: bad hex byte \"4\"";
    QTest::newRow("unterminated string") << head + "\"s\"=\"open\r\n"
                                         << ":5: unterminated string";
    QTest::newRow("unterminated name") << head + "\"s=1\r\n"
                                       << ":5: unterminated string";
    QTest::newRow("key outside the product key")
        << head + "[HKEY_CURRENT_USER\\SOFTWARE\\Other]\r\n"
        << ":5: key outside SOFTWARE\\Zentrix";
    QTest::newRow("product-like prefix") << head + "[HKEY_CURRENT_USER\\SOFTWARE\\ZentrixEvil]\r\n"
                                         << ":5: key outside";
    QTest::newRow("unknown hive") << head + "[HKEY_USERS\\SOFTWARE\\Zentrix]\r\n"
                                  << ":5: unknown hive";
    QTest::newRow("bad dword") << head + "\"d\"=dword:123456789\r\n"
                               << ":5: bad dword";
    QTest::newRow("value before any key")
        << QByteArray("Windows Registry Editor Version 5.00\n\"a\"=\"b\"\n")
        << ":2: value before the first key";
    QTest::newRow("no header") << QByteArray("REGEDIT4\n") << ":1: expected";
    QTest::newRow("invalid UTF-8") << head + "\"s\"=\"\xC3(\"\r\n"
                                   << ":5: not valid UTF-8";
    QTest::newRow("junk") << head + "garbage\r\n"
                          << ":5: expected a key or a value";
}

void tst_MavctlSettings::malformed()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QVERIFY(ztds::userSettings::setInt("Existing", "v", 1));
    const QString file = m_env->path("bad.reg");
    writeFile(file, text);
    const auto result = runMavctl({"settings", "import", file});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains(error), qPrintable(result.err));
    QVERIFY(!ztds::userSettings::sectionExists("New")); // nothing of the file was written
}

void tst_MavctlSettings::importUtf8AndDeletions()
{
    using namespace ztds;
    QVERIFY(userSettings::setInt("Old/Deep", "v", 1));
    QVERIFY(userSettings::setInt("Keep", "gone", 1));
    QVERIFY(userSettings::setInt("Keep", "stays", 1));
    const QString file = m_env->path("edit.reg");
    writeFile(file,
              "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n"
              "; a comment\n"
              "[-HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Settings\\Old]\n\n"
              "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Settings\\Keep]\n"
              "\"gone\"=-\n"
              "@=\"default\"\n"
              "\"e\"=hex(2):25,00,48,00,00,00\n"
              "\"q\"=hex(b):0a,00,00,00,00,00,00,00\n"
              "\"t\"=\"Gr\xC3\xBC\xC3\x9F\"\n");
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

QTEST_GUILESS_MAIN(tst_MavctlSettings)
#include "tst_mavctl_settings.moc"
