// SPDX-License-Identifier: LGPL-2.1-or-later
// The secure transport: key material, environments, verification (chain,
// revocation lists, host names), client identities, handshake failures.
#include "clientrequest.h"

#include "net/http/diagnostics_p.h"
#include "net/http/keymaterial_p.h"
#include "net/http/sslerror_p.h"

#include <nginxserver.h>
#include <opensslserver.h>
#include <rawhttpserver.h>
#include <testcertificates.h>

#include <QFile>
#include <QTest>

#include <openssl/pem.h>
#include <openssl/ssl.h>

#include <csignal>
#include <memory>

#include <sys/socket.h>
#include <unistd.h>

using namespace ztsc;
using HttpTest::Request;
using HttpTest::Result;
using HttpTest::send;
using MavTest::NginxServer;
using MavTest::TestCertificates;

class tst_SSLConnect : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void keyMaterial();
    void environments_data();
    void environments();
    void verification_data();
    void verification();
    void hostNames_data();
    void hostNames();
    void clientIdentity_data();
    void clientIdentity();
    void setupFailures_data();
    void setupFailures();
    void handshakeFailures_data();
    void handshakeFailures();
    void errorQueue();
    void sigPipeBlocked();

private:
    std::unique_ptr<NginxServer> m_nginx;
};

void tst_SSLConnect::initTestCase()
{
    m_nginx = std::make_unique<NginxServer>();
    QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorString()));
}

void tst_SSLConnect::cleanupTestCase()
{
    m_nginx.reset();
}

void tst_SSLConnect::keyMaterial()
{
    for (const auto set : {keymaterial::Production, keymaterial::Localhost}) {
        const std::string ca = keymaterial::text(set, keymaterial::AuthorityCertificate);
        const std::string certificate = keymaterial::text(set, keymaterial::ClientCertificate);
        const std::string key = keymaterial::text(set, keymaterial::ClientKey);
        // A 4096-bit key: more than the 2048 bytes an unscrambling buffer once held.
        QVERIFY(key.size() > 3000);
        BIO *bio = BIO_new_mem_buf(key.data(), int(key.size()));
        EVP_PKEY *parsed = PEM_read_bio_PrivateKey(bio, nullptr, nullptr, nullptr);
        BIO_free(bio);
        QVERIFY(parsed);
        EVP_PKEY_free(parsed);
        QVERIFY(QByteArray::fromStdString(ca).startsWith("-----BEGIN CERTIFICATE-----\n"));
        QVERIFY(QByteArray::fromStdString(certificate).startsWith("-----BEGIN CERTIFICATE-----\n"));
    }
    QFile authority(TestCertificates::instance().authority());
    QVERIFY(authority.open(QIODevice::ReadOnly));
    QCOMPARE(QByteArray::fromStdString(
                 keymaterial::text(keymaterial::Localhost, keymaterial::AuthorityCertificate)),
             authority.readAll());
}

void tst_SSLConnect::environments_data()
{
    QTest::addColumn<QByteArray>("environment");
    QTest::addColumn<bool>("localhost");

    QTest::newRow("empty: PRODUCTION") << QByteArray() << false;
    QTest::newRow("localhost") << QByteArray("localhost") << true;
    QTest::newRow("LOCAL") << QByteArray("LOCAL") << true;
    QTest::newRow("LOCALHOSTS") << QByteArray("LOCALHOSTS") << false;
    QTest::newRow("PRODUCTION") << QByteArray("PRODUCTION") << false;
}

void tst_SSLConnect::environments()
{
    QFETCH(QByteArray, environment);
    QFETCH(bool, localhost);
    QCOMPARE(SSLConnect::matchesEnvironment(SSLConnect::getEnvironment(environment.toStdString()),
                                            "LOCALHOST"),
             localhost);
    // Only the LOCALHOST authority vouches for the test servers.
    Request request;
    request.url = m_nginx->url(NginxServer::Https, QStringLiteral("/ok"));
    request.environment = environment;
    request.secureMode = true;
    const Result result = send(request);
    QVERIFY2(result.outcome == (localhost ? HttpSuccess : HttpCertificateRejected),
             qPrintable(result.error));
}

void tst_SSLConnect::verification_data()
{
    QTest::addColumn<int>("listener");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("crl"); // -1: none
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("texts"); // each must be in the error text

    const QString depth0 = QStringLiteral("-Error with certificate at depth: 0 ");
    const QString depth1 = QStringLiteral("-Error with certificate at depth: 1 ");
    const QString authority = QStringLiteral("/O=Zentrix/CN=Zentrix Localhost Test Authority");
    QTest::newRow("trusted") << int(NginxServer::Https) << "127.0.0.1" << -1 << 0 << QStringList();
    QTest::newRow("by name") << int(NginxServer::Https) << "localhost" << -1 << 0 << QStringList();
    QTest::newRow("self-signed") << int(NginxServer::HttpsSelfSigned) << "127.0.0.1" << -1 << 4
                                 << QStringList {
                                        depth0
                                        + "issuer = /CN=localhost subject = /CN=localhost err: 18 "
                                          "self-signed certificate"};
    QTest::newRow("another name: rejected, naming both")
        << int(NginxServer::HttpsOtherName) << "localhost" << -1 << 4
        << QStringList {"The certificate of the server is not for localhost: it names "
                        "DNS:other.example, CN=other.example"};
    QTest::newRow("common name only")
        << int(NginxServer::HttpsNoSubjectAltName) << "localhost" << -1 << 0 << QStringList();
    QTest::newRow("common name only, by address")
        << int(NginxServer::HttpsNoSubjectAltName) << "127.0.0.1" << -1 << 4
        << QStringList {"is not for 127.0.0.1: it names CN=localhost"};
    QTest::newRow("revoked") << int(NginxServer::HttpsRevoked) << "127.0.0.1"
                             << int(TestCertificates::RevokingList) << 4
                             << QStringList {depth0, "err: 23 certificate revoked",
                                             "/CN=localhost was revoked by " + authority};
    QTest::newRow("not revoked") << int(NginxServer::Https) << "127.0.0.1"
                                 << int(TestCertificates::RevokingList) << 0 << QStringList();
    QTest::newRow("expired list") << int(NginxServer::Https) << "127.0.0.1"
                                  << int(TestCertificates::ExpiredList) << 4
                                  << QStringList {depth1, "err: 12 CRL has expired",
                                                  "Expired CRL issued by " + authority};
    QTest::newRow("list without next update")
        << int(NginxServer::Https) << "127.0.0.1" << int(TestCertificates::NoNextUpdateList) << 4
        << QStringList {depth1, "err: 16 ",
                        "Unable to get the next CRL update for CRL issued by " + authority};
    QTest::newRow("forged list")
        << int(NginxServer::Https) << "127.0.0.1" << int(TestCertificates::ForgedList) << 4
        << QStringList {depth1, "Unable to verify signature on CRL issued by " + authority};
}

void tst_SSLConnect::verification()
{
    QFETCH(int, listener);
    QFETCH(QString, host);
    QFETCH(int, crl);
    QFETCH(int, outcome);
    QFETCH(QStringList, texts);
    Request request;
    request.secureMode = true;
    request.url = QStringLiteral("https://%1:%2/ok")
                      .arg(host)
                      .arg(m_nginx->port(NginxServer::Listener(listener)));
    if (crl >= 0)
        request.crlFile =
            TestCertificates::instance().revocationList(TestCertificates::RevocationList(crl));
    const Result result = send(request);
    QVERIFY2(int(result.outcome) == outcome, qPrintable(result.error));
    for (const QString &text : texts)
        QVERIFY2(result.error.contains(text), qPrintable(result.error));
    if (outcome == 0)
        QCOMPARE(result.body, QByteArray("Hello from nginx\n"));
}

void tst_SSLConnect::hostNames_data()
{
    QTest::addColumn<int>("listener");
    QTest::addColumn<QByteArray>("host");
    QTest::addColumn<int>("result");

    QTest::newRow("subjectAltName") << int(NginxServer::Https) << QByteArray("localhost") << 0;
    QTest::newRow("any case") << int(NginxServer::Https) << QByteArray("LocalHost") << 0;
    QTest::newRow("address") << int(NginxServer::Https) << QByteArray("127.0.0.1") << 0;
    QTest::newRow("other host") << int(NginxServer::Https) << QByteArray("other.example") << 50;
    QTest::newRow("common name") << int(NginxServer::HttpsNoSubjectAltName)
                                 << QByteArray("localhost") << 0;
    QTest::newRow("neither") << int(NginxServer::HttpsOtherName) << QByteArray("localhost") << 50;
    QTest::newRow("common name behind subjectAltName")
        << int(NginxServer::HttpsWildcard) << QByteArray("cn-only.test") << 50;
    QTest::newRow("wildcard") << int(NginxServer::HttpsWildcard) << QByteArray("a.example.test")
                              << 0;
    QTest::newRow("wildcard, two labels")
        << int(NginxServer::HttpsWildcard) << QByteArray("a.b.example.test") << 50;
}

void tst_SSLConnect::hostNames()
{
    QFETCH(int, listener);
    QFETCH(QByteArray, host);
    QFETCH(int, result);
    SSLClient client("LOCALHOST");
    SSLSession session;
    session.secureMode = true;
    session.verifyMode = SSL_VERIFY_PEER;
    session.isHttps = true;
    session.host = "127.0.0.1";
    session.port = std::to_string(m_nginx->port(NginxServer::Listener(listener)));
    QVERIFY2(client.connect(&session), client.getErrorText().c_str());
    QCOMPARE(client.checkHostName(session.ssl, host.toStdString()), result);
    client.disconnect(&session);
}

void tst_SSLConnect::clientIdentity_data()
{
    QTest::addColumn<bool>("secureMode");
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("text"); // in the body, or else in the error

    QTest::newRow("built in") << true << false << QByteArray() << 0
                              << "client=CN=Zentrix Player Localhost Test Client,O=Zentrix\n";
    QTest::newRow("none without secure mode")
        << false << false << QByteArray() << 1 << "No required SSL certificate was sent";
    QTest::newRow("from a file") << true << true << TestCertificates::keyPassword().toUtf8() << 0
                                 << "client=" + TestCertificates::clientIdentitySubject() + "\n";
    QTest::newRow("from a file, wrong password")
        << true << true << QByteArray("wrong") << 1 << "Error loading private key from file";
}

void tst_SSLConnect::clientIdentity()
{
    QFETCH(bool, secureMode);
    QFETCH(bool, fromFile);
    QFETCH(QByteArray, password);
    QFETCH(int, outcome);
    QFETCH(QString, text);
    Request request;
    request.url = m_nginx->url(NginxServer::HttpsClientCertificate, QStringLiteral("/headers"));
    request.secureMode = secureMode;
    request.keyPassword = password;
    if (fromFile)
        request.certificateFile = TestCertificates::instance().clientIdentity();
    const Result result = send(request);
    QVERIFY2(int(result.outcome) == outcome, qPrintable(result.error));
    QVERIFY2((outcome == 0 || text.startsWith(QLatin1String("No")) ? QString::fromUtf8(result.body)
                                                                   : result.error)
                 .contains(text),
             qPrintable(result.body + result.error));
}

void tst_SSLConnect::setupFailures_data()
{
    QTest::addColumn<QString>("certificateFile");
    QTest::addColumn<QString>("caLocations");
    QTest::addColumn<int>("sslMethod");
    QTest::addColumn<QString>("error");

    const TestCertificates &certificates = TestCertificates::instance();
    QTest::newRow("missing certificate file")
        << "/nonexistent.pem" << QString() << 2 << "Unable to load certificate file";
    QTest::newRow("certificate file without a key")
        << certificates.authority() << QString() << 2 << "Error loading private key from file";
    QTest::newRow("missing trusted locations")
        << QString() << "/nonexistent.pem" << 2 << "Unable to load the trusted certificates";
    QTest::newRow("unknown method")
        << QString() << QString() << 4 << "Unable to create the TLS context";
}

void tst_SSLConnect::setupFailures()
{
    QFETCH(QString, certificateFile);
    QFETCH(QString, caLocations);
    QFETCH(int, sslMethod);
    SSLConnect transport("LOCALHOST");
    SSLSession session;
    session.secureMode = true;
    session.certificateFile = certificateFile.toStdString();
    session.caLocations = caLocations.toStdString();
    session.sslMethod = sslMethod;
    QVERIFY(!transport.setupContext(&session, nullptr));
    QVERIFY(!session.ctx);
    QTEST(QString::fromStdString(transport.getErrorText()), "error");
}

void tst_SSLConnect::handshakeFailures_data()
{
    QTest::addColumn<QStringList>("serverOptions"); // empty: a clear-text server
    QTest::addColumn<bool>("secureMode");
    QTest::addColumn<int>("sslMethod");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("error");

    const QStringList tls13 = {QStringLiteral("-tls1_3")};
    QTest::newRow("TLS 1.3 server, TLS 1.3 client") << tls13 << false << 3 << 0 << QString();
    QTest::newRow("TLS 1.3 server, default client") << tls13 << false << 2 << 0 << QString();
    QTest::newRow("TLS 1.3 server, TLS 1.2 client") << tls13 << false << 1 << 1 << "SSL_ERROR_SSL";
    QTest::newRow("TLS 1.2 server, TLS 1.3 client")
        << QStringList {QStringLiteral("-tls1_2")} << false << 3 << 1 << "SSL_ERROR_SSL";
    QTest::newRow("client certificate required, none sent")
        << QStringList {QStringLiteral("-Verify"), QStringLiteral("1")} << false << 2 << 1
        << "Failed reading the response header from 127.0.0.1";
    QTest::newRow("client certificate required and sent")
        << QStringList {QStringLiteral("-Verify"), QStringLiteral("1")} << true << 2 << 0
        << QString();
    QTest::newRow("clear-text server") << QStringList() << false << 2 << 1 << "SSL_ERROR_SSL";
    QTest::newRow("server hangs up")
        << QStringList {QStringLiteral("hang up")} << false << 2 << 1 << "SSL_ERROR_ZERO_RETURN";
    QTest::newRow("server resets")
        << QStringList {QStringLiteral("reset")} << false << 2 << 1 << "SSL_ERROR_SYSCALL";
}

void tst_SSLConnect::handshakeFailures()
{
    QFETCH(QStringList, serverOptions);
    QFETCH(bool, secureMode);
    QFETCH(int, sslMethod);
    QFETCH(int, outcome);
    QFETCH(QString, error);
    Request request;
    request.secureMode = secureMode;
    request.sslMethod = sslMethod;
    std::unique_ptr<MavTest::OpenSslServer> tlsServer;
    std::unique_ptr<MavTest::RawHttpServer> rawServer;
    const QString kind = serverOptions.value(0);
    if (kind.isEmpty() || kind == QLatin1String("hang up") || kind == QLatin1String("reset")) {
        rawServer = std::make_unique<MavTest::RawHttpServer>([kind](auto &connection) {
            if (kind.isEmpty()) {
                connection.send("HTTP/1.0 400 Bad Request\r\n\r\n");
                connection.readAll(1000);
                return;
            }
            connection.readOnce();
            if (kind == QLatin1String("reset"))
                connection.reset();
        });
        QVERIFY(rawServer->start());
        request.url = QStringLiteral("https://127.0.0.1:%1/").arg(rawServer->port());
    } else {
        tlsServer = std::make_unique<MavTest::OpenSslServer>(serverOptions);
        QVERIFY2(tlsServer->start(), qPrintable(tlsServer->errorString()));
        request.url = tlsServer->url();
    }
    const Result result = send(request);
    QVERIFY2(int(result.outcome) == outcome, qPrintable(result.error));
    QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
    if (outcome == 0)
        QVERIFY(result.body.contains("s_server"));
}

void tst_SSLConnect::errorQueue()
{
    // Two lines on stdout per queued error, and the records.
    SSLConnect transport("LOCALHOST");
    SSLSession session;
    session.secureMode = true;
    session.certificateFile = "/nonexistent.pem";
    QVERIFY(!transport.setupContext(&session, nullptr));

    int pipeEnds[2];
    QVERIFY(pipe(pipeEnds) == 0);
    fflush(stdout);
    const int savedStdout = dup(STDOUT_FILENO);
    dup2(pipeEnds[1], STDOUT_FILENO);
    std::vector<SSLError *> errors;
    transport.collectErrors(errors);
    fflush(stdout);
    dup2(savedStdout, STDOUT_FILENO);
    close(savedStdout);
    close(pipeEnds[1]);
    QByteArray printed;
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, got);
    close(pipeEnds[0]);

    QVERIFY(!errors.empty());
    const QList<QByteArray> lines = printed.trimmed().split('\n');
    QCOMPARE(lines.size(), qsizetype(errors.size() * 2));
    QVERIFY2(lines[0].startsWith("error code: ") && lines[0].contains(" in ")
                 && lines[0].contains(" line: ") && lines[0].contains(" data: ")
                 && lines[0].contains(" flags: "),
             lines[0]);
    QCOMPARE(lines[1], "human readable: " + QByteArray::fromStdString(errors[0]->getText()));
    QVERIFY(QByteArray::fromStdString(transport.getErrorText())
                .startsWith("Unable to load certificate file\n "));
    for (SSLError *error : errors)
        delete error;

    // A tool that keeps its standard output for a body takes the same lines elsewhere.
    static QList<QByteArray> s_handled;
    setDiagnosticHandler([](const char *line) { s_handled.append(line); });
    QVERIFY(!transport.setupContext(&session, nullptr));
    transport.collectErrors();
    setDiagnosticHandler(nullptr);
    QCOMPARE(s_handled, lines);
}

void tst_SSLConnect::sigPipeBlocked()
{
    int pair[2];
    QVERIFY(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) == 0);
    close(pair[1]);
    {
        SigPipeBlocker outer;
        {
            SigPipeBlocker inner;
            QCOMPARE(::write(pair[0], "x", 1), ssize_t(-1)); // EPIPE and, unblocked, the end
        }
        QCOMPARE(::write(pair[0], "x", 1), ssize_t(-1));
    }
    close(pair[0]);
    sigset_t pending, mask;
    sigpending(&pending);
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    QVERIFY(!sigismember(&pending, SIGPIPE));
    QVERIFY(!sigismember(&mask, SIGPIPE));
}

QTEST_GUILESS_MAIN(tst_SSLConnect)
#include "tst_sslconnect.moc"
