// SPDX-License-Identifier: LGPL-2.1-or-later
// Every command that prints, into a full standard output.
#include "mavctlprocess.h"
#include "pluginfolder.h"
#include "testenvironment.h"

#include <rawhttpserver.h>

#include <QProcess>
#include <QTest>

#include <memory>

class tst_MavctlOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void fullOutput_data();
    void fullOutput();

private:
    QStringList expand(QStringList arguments) const;

    std::unique_ptr<MavTest::TestEnvironment> m_env;
    std::unique_ptr<MavTest::RawHttpServer> m_server;
    QString m_plugins;
};

void tst_MavctlOutput::initTestCase()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    m_server = std::make_unique<MavTest::RawHttpServer>(
        MavTest::RawHttpServer::answer("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nok\n"));
    QVERIFY(m_server->start());
    MavTest::PluginFolder folder(m_env->path(QStringLiteral("plugins")));
    QVERIFY(folder.add(QStringLiteral("sampleview"), QStringLiteral("sampleview"),
                       MavTest::readFile(QStringLiteral(MAVTEST_SAMPLES_DIR "/sampleview.xml"))));
    m_plugins = folder.path();
}

void tst_MavctlOutput::cleanupTestCase()
{
    m_server.reset();
    m_env.reset();
}

QStringList tst_MavctlOutput::expand(QStringList arguments) const
{
    for (QString &argument : arguments)
        argument.replace(QLatin1String("{url}"), m_server->url())
            .replace(QLatin1String("{plugins}"), m_plugins)
            .replace(QLatin1String("{profiles}"), QStringLiteral(MAVTEST_SAMPLE_PROFILES))
            .replace(QLatin1String("{file}"), m_env->path(QStringLiteral("download.txt")));
    return arguments;
}

void tst_MavctlOutput::fullOutput_data()
{
    QTest::addColumn<QStringList>("arguments"); // {placeholders} expanded

    QTest::newRow("mavctl --help") << QStringList {"--help"};
    QTest::newRow("mavctl --version") << QStringList {"--version"};
    QTest::newRow("a command's --help") << QStringList {"info", "--help"};
    QTest::newRow("a sub-command's --help") << QStringList {"assoc", "get", "--help"};
    QTest::newRow("info") << QStringList {"info"};
    QTest::newRow("paths") << QStringList {"paths"};
    QTest::newRow("languages") << QStringList {"languages"};
    QTest::newRow("countries") << QStringList {"countries", "de"};
    QTest::newRow("codepages") << QStringList {"codepages"};
    QTest::newRow("media filesize") << QStringList {"media", "filesize", "1024"};
    QTest::newRow("media track") << QStringList {"media", "track", "--country", "us"};
    QTest::newRow("media extensions") << QStringList {"media", "extensions"};
    QTest::newRow("assoc get") << QStringList {"assoc", "get", "avi"};
    QTest::newRow("plugins") << QStringList {"plugins", "{plugins}"};
    QTest::newRow("plugins check --json")
        << QStringList {"plugins", "check", "--json", "--against", "-", "{plugins}"};
    QTest::newRow("menus") << QStringList {"menus", "{plugins}"};
    QTest::newRow("shortcuts") << QStringList {"shortcuts", "{plugins}"};
    QTest::newRow("profiles") << QStringList {"profiles", "{profiles}"};
    QTest::newRow("settings usage") << QStringList {"settings", "--help"};
    QTest::newRow("settings catalogue") << QStringList {"settings", "catalogue"};
    QTest::newRow("settings get") << QStringList {"settings", "get", "Output", "Name"};
    QTest::newRow("settings list") << QStringList {"settings", "list", "Output"};
    QTest::newRow("settings export to -") << QStringList {"settings", "export", "Output", "-"};
    QTest::newRow("ping") << QStringList {"ping", "{url}"};
    QTest::newRow("ping, a soak") << QStringList {"ping", "--repeat", "2", "{url}"};
    QTest::newRow("http usage") << QStringList {"http", "--help"};
    QTest::newRow("http get") << QStringList {"http", "get", "{url}"};
    QTest::newRow("http head") << QStringList {"http", "head", "{url}"};
    QTest::newRow("http download") << QStringList {"http", "download", "{url}", "{file}"};
}

void tst_MavctlOutput::fullOutput()
{
    QFETCH(QStringList, arguments);
    arguments = expand(arguments);
    QCOMPARE(MavTest::runMavctl({"settings", "set", "Output", "Name", "a value"}).exitCode, 0);
    // The same command into a pipe: it does print, and succeeds.
    const MavTest::MavctlResult piped = MavTest::runMavctl(arguments);
    QVERIFY2(piped.exitCode == 0 && !piped.rawOut.isEmpty(), qPrintable(piped.err));

    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(MAVCTL_PATH), arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 1,
             qPrintable(err));
    QCOMPARE(err, QStringLiteral("mavctl: cannot write the output: No space left on device\n"));
}

QTEST_GUILESS_MAIN(tst_MavctlOutput)
#include "tst_mavctl_output.moc"
