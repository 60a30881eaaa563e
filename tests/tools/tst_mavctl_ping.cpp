// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mavctlprocess.h"
#include "testenvironment.h"

#include <nginxserver.h>
#include <rawhttpserver.h>

#include <QTest>

#include <memory>

using MavTest::NginxServer;
using MavTest::RawHttpServer;

class tst_MavctlPing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void ping_data();
    void ping();

private:
    QString expand(QString text) const;

    std::unique_ptr<MavTest::TestEnvironment> m_env;
    std::unique_ptr<NginxServer> m_nginx;
    std::unique_ptr<RawHttpServer> m_notModified;
    std::unique_ptr<RawHttpServer> m_silent;
};

void tst_MavctlPing::initTestCase()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    m_nginx = std::make_unique<NginxServer>();
    QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorString()));
    m_notModified =
        std::make_unique<RawHttpServer>(RawHttpServer::answer("HTTP/1.0 304 Not Modified\r\n\r\n"));
    QVERIFY(m_notModified->start());
    m_silent = std::make_unique<RawHttpServer>(
        [](RawHttpServer::Connection &connection) { connection.waitForRelease(); });
    QVERIFY(m_silent->start());
}

void tst_MavctlPing::cleanupTestCase()
{
    m_silent.reset();
    m_notModified.reset();
    m_nginx.reset();
    m_env.reset();
}

QString tst_MavctlPing::expand(QString text) const
{
    return text.replace(QLatin1String("{http}"), m_nginx->url(NginxServer::Http, {}))
        .replace(QLatin1String("{304}"), m_notModified->url())
        .replace(QLatin1String("{tls}"),
                 m_nginx->url(NginxServer::Http, {}).replace("http:", "https:"))
        .replace(QLatin1String("{silent}"), m_silent->url());
}

void tst_MavctlPing::ping_data()
{
    QTest::addColumn<QStringList>("arguments"); // after "ping"; {placeholders} expanded
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("lines"); // each must be in stdout
    QTest::addColumn<QString>("err"); // contained in stderr; empty: stderr is empty

    QTest::newRow("one URL") << QStringList {"{http}/ok"} << 0
                             << QStringList {"1 HttpSuccess (0) {http}/ok\n"} << QString();
    QTest::newRow("a 304 no ping asked for fails")
        << QStringList {"--id", "41", "{304}"} << 1 << QStringList {"41 HttpFailure (1) {304}\n"}
        << "mavctl: 1 of 1 pings failed\n";
    QTest::newRow("one of two fails")
        << QStringList {"{http}/ok", "{http}/missing"} << 1
        << QStringList {"1 HttpSuccess (0) {http}/ok\n", "2 HttpFailure (1) {http}/missing\n"}
        << "mavctl: 1 of 2 pings failed\n";
    QTest::newRow("time-out") << QStringList {"--timeout", "0.2", "{silent}"} << 1
                              << QStringList {"1 HttpFailure (1) {silent}\n"}
                              << "mavctl: 1 of 1 pings failed\n";
    QTest::newRow("soak") << QStringList {"--threads", "4",         "--repeat",
                                          "50",        "{http}/ok", "{http}/ok"}
                          << 0
                          << QStringList {"queued: 400\nreported: 400\nHttpSuccess (0): 400\n"
                                          "pings per second: "}
                          << QString();
    QTest::newRow("soak with failures")
        << QStringList {"--repeat", "3", "nowhere"} << 1
        << QStringList {"queued: 3\nreported: 3\nHttpFailure (1): 3\n"}
        << "mavctl: 3 of 3 pings failed\n";
    QTest::newRow("TLS with a plain server: the transport's lines on stderr")
        << QStringList {"{tls}/ok"} << 1 << QStringList {"1 HttpFailure (1) {tls}/ok\n"}
        << "human readable: ";
    QTest::newRow("soak: each of the transport's lines once, with a count")
        << QStringList {"--repeat", "20", "{tls}/ok"} << 1
        << QStringList {"queued: 20\nreported: 20\nHttpFailure (1): 20\n"} << " (20 times)\n";
    QTest::newRow("no URL") << QStringList {} << 2 << QStringList {} << "mavctl: no URL given\n";
}

void tst_MavctlPing::ping()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, lines);
    QFETCH(QString, err);
    for (QString &argument : arguments)
        argument = expand(argument);
    const MavTest::MavctlResult result = MavTest::runMavctl(QStringList {"ping"} + arguments);
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.out + result.err));
    for (const QString &line : lines)
        QVERIFY2(result.out.contains(expand(line)), qPrintable(result.out));
    QVERIFY2(!result.out.contains(QLatin1String("error code:")), qPrintable(result.out));
    if (err.isEmpty())
        QCOMPARE(result.err, QString());
    else
        QVERIFY2(result.err.contains(err), qPrintable(result.err));
}

QTEST_GUILESS_MAIN(tst_MavctlPing)
#include "tst_mavctl_ping.moc"
