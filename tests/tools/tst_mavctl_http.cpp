// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mavctlprocess.h"
#include "testenvironment.h"

#include <nginxserver.h>
#include <rawhttpserver.h>
#include <testcertificates.h>
#include <tinyproxyserver.h>

#include <QFile>
#include <QTest>

#include <memory>

using MavTest::NginxServer;

class tst_MavctlHttp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void commands_data();
    void commands();

private:
    QString expand(QString text) const;

    std::unique_ptr<NginxServer> m_nginx;
    std::unique_ptr<MavTest::TinyproxyServer> m_proxy;
    std::unique_ptr<MavTest::RawHttpServer> m_silent;
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_MavctlHttp::initTestCase()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    m_nginx = std::make_unique<NginxServer>();
    QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorString()));
    QVERIFY(m_nginx->createFile(QStringLiteral("data.bin"), QByteArray(100000, 'd')));
    m_proxy = std::make_unique<MavTest::TinyproxyServer>();
    QVERIFY2(m_proxy->start(), qPrintable(m_proxy->errorString()));
    m_silent = std::make_unique<MavTest::RawHttpServer>(
        [](MavTest::RawHttpServer::Connection &connection) { connection.waitForRelease(); });
    QVERIFY(m_silent->start());
}

void tst_MavctlHttp::cleanupTestCase()
{
    m_silent.reset();
    m_proxy.reset();
    m_nginx.reset();
    m_env.reset();
}

QString tst_MavctlHttp::expand(QString text) const
{
    const MavTest::TestCertificates &certificates = MavTest::TestCertificates::instance();
    return text.replace(QLatin1String("{http}"), m_nginx->url(NginxServer::Http, {}))
        .replace(QLatin1String("{https}"), m_nginx->url(NginxServer::Https, {}))
        .replace(QLatin1String("{client}"), m_nginx->url(NginxServer::HttpsClientCertificate, {}))
        .replace(QLatin1String("{proxy}"), QStringLiteral("127.0.0.1:%1").arg(m_proxy->port()))
        .replace(QLatin1String("{silent}"), m_silent->url())
        .replace(QLatin1String("{file}"), m_env->path(QStringLiteral("out.bin")))
        .replace(QLatin1String("{identity}"), certificates.clientIdentity())
        .replace(QLatin1String("{password}"), MavTest::TestCertificates::keyPassword());
}

void tst_MavctlHttp::commands_data()
{
    QTest::addColumn<QStringList>("arguments"); // after "http"; {placeholders} expanded
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // must be contained in stdout
    QTest::addColumn<QString>("err"); // stderr must start with it
    QTest::addColumn<int>("fileSize"); // of {file} afterwards; -1: not looked at

    const QString hello =
        QStringLiteral("outcome: HttpSuccess (0)\nstatus: 200\nHello from nginx\n");
    QTest::newRow("get") << QStringList {"get", "{http}/ok"} << 0 << hello << QString() << -1;
    QTest::newRow("get, with the header")
        << QStringList {"get", "--include", "{http}/ok"} << 0
        << "status: 200\nHTTP/1.1 200 OK\r\nServer: nginx" << QString() << -1;
    QTest::newRow("get into a file")
        << QStringList {"get", "-o", "{file}", "{http}/files/data.bin"} << 0 << "status: 200\n"
        << QString() << 100000;
    QTest::newRow("not modified") << QStringList {"get", "--if-modified-since",
                                                  "Sat, 03 Feb 2001 04:05:06 GMT",
                                                  "{https}/files/fixed.txt"}
                                  << 0
                                  << "outcome: HttpNotModified (3)\nstatus: 304\nlast modified: "
                                     "Sat, 03 Feb 2001 04:05:06 GMT\n"
                                  << QString() << -1;
    QTest::newRow("404") << QStringList {"get", "{http}/missing"} << 1
                         << "outcome: HttpFailure (1)\nstatus: 404\n"
                         << "mavctl: the server answered with status 404\n"
                         << -1;
    QTest::newRow("secure, LOCALHOST")
        << QStringList {"get", "--secure", "--environment", "localhost", "{https}/ok"} << 0 << hello
        << QString() << -1;
    QTest::newRow("secure, PRODUCTION") << QStringList {"get", "--secure", "{https}/ok"} << 1
                                        << "outcome: HttpCertificateRejected (4)\n"
                                        << "mavctl: -Error with certificate at depth: 0 " << -1;
    QTest::newRow("client certificate from a file")
        << QStringList {"get",
                        "--secure",
                        "--environment",
                        "LOCALHOST",
                        "--cert",
                        "{identity}",
                        "--key-password",
                        "{password}",
                        "{client}/headers"}
        << 0 << "client=" + MavTest::TestCertificates::clientIdentitySubject() << QString() << -1;
    QTest::newRow("through a proxy")
        << QStringList {"get", "--proxy", "{proxy}", "{https}/ok"} << 0 << hello << QString() << -1;
    QTest::newRow("time-out") << QStringList {"get", "--timeout", "0.3", "{silent}"} << 1
                              << "outcome: HttpFailure (1)\nstatus: 0\n"
                              << "mavctl: Timed out reading the response header from 127.0.0.1"
                              << -1;
    QTest::newRow("malformed URL")
        << QStringList {"get", "ftp://127.0.0.1/"} << 1 << "outcome: HttpFailure (1)\n"
        << "mavctl: Malformed URL: ftp://127.0.0.1/\n"
        << -1;
    QTest::newRow("head") << QStringList {"head", "{http}/files/data.bin"} << 0
                          << "outcome: HttpSuccess (0)\nstatus: 200\ncontent length: 100000\n"
                          << QString() << -1;
    QTest::newRow("download") << QStringList {"download", "{https}/files/data.bin", "{file}"} << 0
                              << "outcome: HttpSuccess (0)\nstatus: 200\nbytes: 100000\n"
                                 "last modified: Sat, 03 Feb 2001 04:05:06 GMT\n"
                              << QString() << 100000;
    QTest::newRow("no URL") << QStringList {"get"} << 2 << QString()
                            << "mavctl: wrong number of arguments\n"
                            << -1;
    QTest::newRow("bad proxy") << QStringList {"get", "--proxy", "nowhere", "{http}/ok"} << 2
                               << QString() << "mavctl: --proxy wants host:port\n"
                               << -1;
    QTest::newRow("bad date") << QStringList {"get", "--if-modified-since", "yesterday", "{http}/"}
                              << 2 << QString()
                              << "mavctl: --if-modified-since wants an HTTP date\n"
                              << -1;
    QTest::newRow("unknown operation") << QStringList {"post", "{http}/"} << 2 << QString()
                                       << "mavctl: unknown http command 'post'\n"
                                       << -1;
}

void tst_MavctlHttp::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(int, fileSize);
    QFile::remove(m_env->path(QStringLiteral("out.bin")));
    QStringList expanded {QStringLiteral("http")};
    for (const QString &argument : arguments)
        expanded.append(expand(argument));
    const MavTest::MavctlResult result = MavTest::runMavctl(expanded);
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.out + result.err));
    QVERIFY2(result.out.contains(out), qPrintable(result.out));
    QVERIFY2(result.err.startsWith(err), qPrintable(result.err));
    if (fileSize >= 0)
        QCOMPARE(QFileInfo(m_env->path(QStringLiteral("out.bin"))).size(), qint64(fileSize));
}

QTEST_GUILESS_MAIN(tst_MavctlHttp)
#include "tst_mavctl_http.moc"
