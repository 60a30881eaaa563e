// SPDX-License-Identifier: LGPL-2.1-or-later
// The HTTP engine: response reading (from memory and from servers that misbehave),
// time-outs, partial writes, redirects, proxies.
#include "clientrequest.h"

#include <nginxserver.h>
#include <rawhttpserver.h>
#include <tinyproxyserver.h>

#include <QElapsedTimer>
#include <QTest>

#include <openssl/bio.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace ztsc;
using HttpTest::collect;
using HttpTest::Result;
using HttpTest::send;
using MavTest::NginxServer;
using MavTest::RawHttpServer;

namespace {

// What the servers below answer.
enum Misbehaviour {
    HeaderInOneBytePieces,
    HeaderOver64KiB,
    HeaderNeverEnds,
    Silent,
    SilentMidBody,
    ResetMidBody,
    ClosedMidBody,
    MalformedChunk,
    ChunksInPieces,
    NameColonValue,
    ValueContainingHttp,
    EndlessBody,
    EndlessBodyOf404,
    HugeContentLength,
    DrippedBody,
};

RawHttpServer::Behaviour misbehaviour(Misbehaviour kind)
{
    return [kind](RawHttpServer::Connection &connection) {
        connection.readRequest();
        const QByteArray ok = "HTTP/1.0 200 OK\r\n";
        switch (kind) {
        case HeaderInOneBytePieces:
            connection.sendInPieces(ok + "Content-Length: 4\r\nX-Long: " + QByteArray(5000, 'x')
                                        + "\r\n\r\nbody",
                                    1, 0);
            break;
        case HeaderOver64KiB:
            connection.send(ok + "X-Huge: " + QByteArray(70000, 'x') + "\r\n\r\nbody");
            break;
        case HeaderNeverEnds:
            connection.send(ok + "X-One: 1\r\n");
            connection.waitForRelease();
            break;
        case Silent:
            connection.waitForRelease();
            break;
        case SilentMidBody:
            connection.send(ok + "Content-Length: 100\r\n\r\nsome");
            connection.waitForRelease();
            break;
        case ResetMidBody:
            connection.send(ok + "Content-Length: 100000\r\n\r\n" + QByteArray(1000, 'b'));
            connection.pause(50);
            connection.reset();
            break;
        case ClosedMidBody:
            connection.send(ok + "Content-Length: 100000\r\n\r\n" + QByteArray(1000, 'b'));
            break;
        case MalformedChunk:
            connection.send(ok + "Transfer-Encoding: chunked\r\n\r\n4\r\nbody\r\nzz\r\n");
            break;
        case ChunksInPieces:
            connection.sendInPieces(ok
                                        + "Transfer-Encoding: chunked\r\n\r\n"
                                          "4;ext=1\r\nbody\r\n10\r\n0123456789abcdef\r\n0\r\n"
                                          "Trailer: x\r\n\r\nignored",
                                    3, 1);
            break;
        case NameColonValue:
            connection.send(ok + "X-Tight:value\r\nContent-Length: 2\r\n\r\nok");
            break;
        case ValueContainingHttp:
            connection.send(ok + "X-Note: see HTTP/1.1 404 elsewhere\r\n\r\nok");
            break;
        case EndlessBody:
        case EndlessBodyOf404:
            connection.sendEndlessBody(kind == EndlessBody ? ok + "\r\n"
                                                           : "HTTP/1.0 404 Gone\r\n\r\n");
            break;
        case HugeContentLength:
            connection.send(ok + "Content-Length: 1000000000\r\n\r\nbody");
            connection.waitForRelease();
            break;
        case DrippedBody:
            connection.send(ok + "Content-Length: 50\r\n\r\n");
            connection.sendInPieces(QByteArray(50, 'd'), 1, 100);
            break;
        }
    };
}

} // namespace

class tst_SSLClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void responseReading_data();
    void responseReading();
    void misbehavingServers_data();
    void misbehavingServers();
    void timeouts_data();
    void timeouts();
    void partialWrites_data();
    void partialWrites();
    void peerClosedWhileSending();
    void heldUntilReleased();
    void redirectsAndStatuses_data();
    void redirectsAndStatuses();
    void relativeRedirects_data();
    void relativeRedirects();
    void progressAbort();
    void proxyTunnel_data();
    void proxyTunnel();
    void tunnelRequestNamesThePort();

private:
    std::unique_ptr<RawHttpServer> m_backend;
    std::unique_ptr<NginxServer> m_nginx;
};

void tst_SSLClient::initTestCase()
{
    // The backend behind nginx's /backend/: answers with the size of the request's body,
    // to /backend/hold only once the test releases it.
    m_backend = std::make_unique<RawHttpServer>([](RawHttpServer::Connection &connection) {
        const QByteArray request = connection.readRequest();
        if (request.startsWith("GET /hold ") && !connection.waitForRelease())
            return;
        const QByteArray body = request.mid(request.indexOf("\r\n\r\n") + 4);
        connection.send("HTTP/1.0 200 OK\r\n\r\n" + QByteArray::number(body.size()));
    });
    QVERIFY(m_backend->start());
    m_nginx = std::make_unique<NginxServer>(m_backend->port());
    QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorString()));
}

void tst_SSLClient::cleanupTestCase()
{
    m_nginx.reset();
    m_backend.reset();
}

void tst_SSLClient::responseReading_data()
{
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("header"); // "Name=value" to look up (any case)

    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    QTest::newRow("length") << ok + "Content-Length: 5\r\n\r\nhelloEXTRA" << 0 << 200
                            << QByteArray("hello") << QByteArray("content-length=5");
    QTest::newRow("until close") << ok + "\r\nhello" << 0 << 200 << QByteArray("hello")
                                 << QByteArray();
    QTest::newRow("LF line ends") << QByteArray("HTTP/1.0 200 OK\nA: b\n\nhello") << 0 << 200
                                  << QByteArray("hello") << QByteArray("a=b");
    QTest::newRow("Name:value") << ok + "X-Tight:value \t\r\n\r\n"
                                << 0 << 200 << QByteArray() << QByteArray("X-Tight=value");
    QTest::newRow("value containing HTTP")
        << ok + "X-Note: HTTP/1.1 500 Oops\r\n\r\n"
        << 0 << 200 << QByteArray() << QByteArray("X-Note=HTTP/1.1 500 Oops");
    QTest::newRow("repeated header: the last one") << ok + "A: 1\r\na: 2\r\n\r\n"
                                                   << 0 << 200 << QByteArray() << QByteArray("A=2");
    QTest::newRow("404 with body") << QByteArray("HTTP/1.0 404 Not Found\r\n\r\nmissing") << 1
                                   << 404 << QByteArray("missing") << QByteArray();
    QTest::newRow("304 nobody asked for fails, without a body")
        << QByteArray("HTTP/1.0 304 Not Modified\r\n\r\nstray") << 1 << 304 << QByteArray()
        << QByteArray();
    const QByteArray interim = "HTTP/1.1 100 Continue\r\nX-I: 1\r\n\r\n";
    QTest::newRow("100 Continue, then the answer")
        << interim + ok + "Content-Length: 2\r\n\r\nhi" << 0 << 200 << QByteArray("hi")
        << QByteArray("Content-Length=2");
    QTest::newRow("100 and 102, then the answer")
        << interim + "HTTP/1.1 102 Processing\r\n\r\n" + ok + "\r\nhi" << 0 << 200
        << QByteArray("hi") << QByteArray("X-I=");
    QTest::newRow("101 Switching Protocols fails")
        << QByteArray("HTTP/1.1 101 Switching Protocols\r\n\r\n") + ok + "\r\nhi" << 1 << 0
        << QByteArray() << QByteArray();
    QTest::newRow("17 interim answers fail")
        << interim.repeated(17) + ok + "\r\nhi" << 1 << 0 << QByteArray() << QByteArray();
    for (const char *length : {"-5", "5abc", "18446744073709551616", "5, 6"})
        QTest::addRow("Content-Length: %s fails", length)
            << ok + "Content-Length: " + length + "\r\n\r\nhello" << 1 << 200 << QByteArray()
            << QByteArray();
    QTest::newRow("two different Content-Lengths fail")
        << ok + "Content-Length: 5\r\ncontent-length: 3\r\n\r\nhello" << 1 << 200 << QByteArray()
        << QByteArray();
    QTest::newRow("the same Content-Length twice")
        << ok + "Content-Length: 5\r\nContent-Length: 5\r\n\r\nhelloEXTRA" << 0 << 200
        << QByteArray("hello") << QByteArray();
    QTest::newRow("chunked") << ok
            + "Transfer-Encoding: chunked\r\n\r\n5;name=v\r\nhello\r\n1\r\n \r\n"
              "A\r\n0123456789\r\n0\r\nTrailer: 1\r\n\r\nafter"
                             << 0 << 200 << QByteArray("hello 0123456789") << QByteArray();
    QTest::newRow("chunked, LF only") << ok + "Transfer-Encoding: Chunked\r\n\r\n2\nab\n0\n\n"
                                      << 0 << 200 << QByteArray("ab") << QByteArray();
    QTest::newRow("malformed chunk size") << ok + "Transfer-Encoding: chunked\r\n\r\nxyz\r\n"
                                          << 1 << 200 << QByteArray() << QByteArray();
    QTest::newRow("chunk without line end") << ok + "Transfer-Encoding: chunked\r\n\r\n2\r\nabc"
                                            << 1 << 200 << QByteArray("ab") << QByteArray();
    QTest::newRow("chunked, cut short") << ok + "Transfer-Encoding: chunked\r\n\r\n5\r\nhel" << 1
                                        << 200 << QByteArray("hel") << QByteArray();
    QTest::newRow("chunk size overflow")
        << ok + "Transfer-Encoding: chunked\r\n\r\n100000000000000000\r\n"
        << 1 << 200 << QByteArray() << QByteArray();
    QTest::newRow("length, cut short") << ok + "Content-Length: 10\r\n\r\nhello" << 1 << 200
                                       << QByteArray("hello") << QByteArray();
    QTest::newRow("nothing") << QByteArray() << 1 << 0 << QByteArray() << QByteArray();
    QTest::newRow("header without end") << ok + "A: b\r\n"
                                        << 1 << 0 << QByteArray() << QByteArray();
    QTest::newRow("not HTTP") << QByteArray("<html>\r\n\r\n") << 1 << 0 << QByteArray()
                              << QByteArray();
    QTest::newRow("status not a number")
        << QByteArray("HTTP/1.0 OK\r\n\r\n") << 1 << 0 << QByteArray() << QByteArray();
    const QByteArray filler = "X: " + QByteArray(65536 - ok.size() - 7, 'x') + "\r\n";
    QTest::newRow("header of 64 KiB")
        << ok + filler + "\r\nhi" << 0 << 200 << QByteArray("hi") << QByteArray();
    QTest::newRow("header one byte over 64 KiB")
        << ok + "x" + filler + "\r\nhi" << 1 << 0 << QByteArray() << QByteArray();
}

void tst_SSLClient::responseReading()
{
    QFETCH(QByteArray, response);
    QFETCH(int, outcome);
    QFETCH(QByteArray, header);
    // Whole reads, one byte at a time and odd sizes: the result must not depend on them.
    for (const int readSize : {4096, 1, 7}) {
        SSLClient client("LOCALHOST");
        SSLSession session;
        session.readBufferSize = readSize;
        session.bio = BIO_new_mem_buf(response.constData(), int(response.size()));
        BIO_set_mem_eof_return(session.bio, 0);
        QByteArray body;
        client.setWriteCallback(collect, &body);
        HttpErrorIds result = client.readHeaders(&session, true);
        if (result == HttpSuccess)
            client.readBody(&session, &result);
        client.disconnect(&session);
        QVERIFY2(int(result) == outcome,
                 qPrintable(QStringLiteral("read size %1: %2")
                                .arg(readSize)
                                .arg(client.getErrorText().c_str())));
        QTEST(client.getStatus(), "status");
        QTEST(body, "body");
        if (!header.isEmpty()) {
            const QList<QByteArray> parts = header.split('=');
            QCOMPARE(QByteArray::fromStdString(client.getHeader(parts[0].toStdString())), parts[1]);
        }
    }
}

void tst_SSLClient::misbehavingServers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("deadline");
    QTest::addColumn<int>("maxBodySize");
    QTest::addColumn<bool>("truncateBody");

    QTest::newRow("header in one-byte pieces")
        << int(HeaderInOneBytePieces) << 0 << QByteArray("body") << QString() << 0 << 0 << false;
    QTest::newRow("header over 64 KiB")
        << int(HeaderOver64KiB) << 1 << QByteArray() << "The response header exceeds 65536 bytes"
        << 0 << 0 << false;
    QTest::newRow("header never ends")
        << int(HeaderNeverEnds) << 1 << QByteArray()
        << "Timed out reading the response header from 127.0.0.1" << 0 << 0 << false;
    QTest::newRow("silent") << int(Silent) << 1 << QByteArray()
                            << "Timed out reading the response header from 127.0.0.1" << 0 << 0
                            << false;
    QTest::newRow("silent mid-body")
        << int(SilentMidBody) << 1 << QByteArray("some")
        << "Timed out reading the response body from 127.0.0.1" << 0 << 0 << false;
    QTest::newRow("reset mid-body") << int(ResetMidBody) << 1 << QByteArray(1000, 'b')
                                    << "Failed reading the response body from 127.0.0.1: "
                                       "Connection reset by peer"
                                    << 0 << 0 << false;
    QTest::newRow("closed mid-body") << int(ClosedMidBody) << 1 << QByteArray(1000, 'b')
                                     << "The connection closed 99000 bytes before the end of the "
                                        "body"
                                     << 0 << 0 << false;
    QTest::newRow("malformed chunk") << int(MalformedChunk) << 1 << QByteArray("body")
                                     << "Malformed chunk: no size in \"zz\"" << 0 << 0 << false;
    QTest::newRow("chunks in pieces")
        << int(ChunksInPieces) << 0 << QByteArray("body0123456789abcdef") << QString() << 0 << 0
        << false;
    QTest::newRow("Name:value") << int(NameColonValue) << 0 << QByteArray("ok") << QString() << 0
                                << 0 << false;
    QTest::newRow("value containing HTTP")
        << int(ValueContainingHttp) << 0 << QByteArray("ok") << QString() << 0 << 0 << false;
    const QString tooLarge = QStringLiteral("The response body is larger than 1048576 bytes, the "
                                            "most this request accepts");
    QTest::newRow("endless body beyond the bound")
        << int(EndlessBody) << 1 << QByteArray() << tooLarge << 0 << (1 << 20) << false;
    QTest::newRow("endless body read up to the bound")
        << int(EndlessBody) << 0 << QByteArray(1 << 20, 'e') << QString() << 0 << (1 << 20) << true;
    QTest::newRow("endless 404 read up to the bound")
        << int(EndlessBodyOf404) << 1 << QByteArray(1 << 20, 'e') << QString() << 0 << (1 << 20)
        << true;
    QTest::newRow("announced length beyond the bound")
        << int(HugeContentLength) << 1 << QByteArray() << tooLarge << 0 << (1 << 20) << false;
    QTest::newRow("a drip passes the deadline")
        << int(DrippedBody) << 1 << QByteArray(5, 'd')
        << "Timed out reading the response body from 127.0.0.1: the request took longer than its "
           "0.55 s"
        << 550 << 0 << false;
}

void tst_SSLClient::misbehavingServers()
{
    QFETCH(int, kind);
    QFETCH(int, outcome);
    QFETCH(QString, error);
    QFETCH(int, deadline);
    QFETCH(int, maxBodySize);
    QFETCH(bool, truncateBody);
    RawHttpServer server(misbehaviour(Misbehaviour(kind)));
    QVERIFY(server.start());
    const Result result = send({.url = server.url(QStringLiteral("/x")),
                                .timeout = 300,
                                .deadline = deadline,
                                .maxBodySize = std::uint64_t(maxBodySize),
                                .truncateBody = truncateBody});
    server.release();
    QVERIFY2(int(result.outcome) == outcome, qPrintable(result.error));
    if (deadline) // the bytes that came in time
        QVERIFY2(result.body.size() >= 4 && result.body.size() <= 7, result.body.constData());
    else if (maxBodySize && !truncateBody)
        QVERIFY(result.body.size() <= maxBodySize);
    else
        QTEST(result.body, "body");
    QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
}

void tst_SSLClient::timeouts_data()
{
    QTest::addColumn<bool>("tls");
    QTest::addColumn<QString>("error");

    QTest::newRow("connect") << false << "Timed out connecting to 127.0.0.1:";
    QTest::newRow("TLS handshake") << true << "Timed out in the TLS handshake with 127.0.0.1";
}

void tst_SSLClient::timeouts()
{
    QFETCH(bool, tls);
    QFETCH(QString, error);
    // A listener that never accepts and whose queue is full: further connects hang.
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    QVERIFY(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    QVERIFY(listen(listener, 0) == 0);
    QVERIFY(getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) == 0);
    std::vector<int> fillers;
    for (int i = 0; i < 4 && !tls; ++i) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
        fillers.push_back(fd);
    }
    QElapsedTimer timer;
    timer.start();
    const Result result =
        send({.url = QStringLiteral("%1://127.0.0.1:%2/")
                         .arg(tls ? QStringLiteral("https") : QStringLiteral("http"))
                         .arg(ntohs(address.sin_port)),
              .timeout = 300});
    const qint64 elapsed = timer.elapsed();
    for (const int fd : fillers)
        close(fd);
    close(listener);
    QCOMPARE(result.outcome, HttpFailure);
    QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
    QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
}

void tst_SSLClient::partialWrites_data()
{
    QTest::addColumn<bool>("tls");
    QTest::addColumn<bool>("reading"); // off: the server never reads
    QTest::newRow("clear text to a slow reader") << false << true;
    QTest::newRow("TLS through nginx") << true << true;
    QTest::newRow("to a server that does not read") << false << false;
}

void tst_SSLClient::partialWrites()
{
    QFETCH(bool, tls);
    QFETCH(bool, reading);
    // Far more than the socket buffers hold, so writes stop half way and go on later.
    QByteArray body(8 * 1024 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < body.size(); ++i)
        body[i] = char('a' + i % 23);
    RawHttpServer slow([reading](RawHttpServer::Connection &connection) {
        if (!reading) {
            connection.waitForRelease();
            return;
        }
        connection.pause(200);
        const QByteArray request = connection.readRequest();
        connection.send("HTTP/1.0 200 OK\r\n\r\n"
                        + QByteArray::number(request.size() - request.indexOf("\r\n\r\n") - 4));
    });
    QVERIFY(slow.start());
    const QString url = tls ? m_nginx->url(NginxServer::Https, QStringLiteral("/backend/upload"))
                            : slow.url(QStringLiteral("/upload"));
    const Result result =
        send({.url = url, .maxRedirects = 0, .timeout = reading ? 10000 : 300, .post = body});
    if (!reading) {
        QCOMPARE(result.outcome, HttpFailure);
        QCOMPARE(result.error,
                 QStringLiteral("SSLClient::writeData failed.\nTimed out sending the "
                                "request to 127.0.0.1"));
        return;
    }
    QVERIFY2(result.outcome == HttpSuccess, qPrintable(result.error));
    QCOMPARE(result.body, QByteArray::number(body.size()));
    if (!tls) {
        const QByteArray received = slow.requests().value(0);
        QVERIFY(received.endsWith(body));
        QCOMPARE(received.size() - received.indexOf("\r\n\r\n") - 4, body.size());
    }
}

void tst_SSLClient::peerClosedWhileSending()
{
    // Without care, the write into the closed connection would raise SIGPIPE and end
    // this process.
    RawHttpServer server([](RawHttpServer::Connection &connection) {
        connection.readOnce();
        connection.reset();
    });
    QVERIFY(server.start());
    const Result result =
        send({.url = server.url(), .maxRedirects = 0, .post = QByteArray(8 << 20, 'x')});
    QCOMPARE(result.outcome, HttpFailure);
    QVERIFY2(result.error.startsWith("SSLClient::writeData failed."), qPrintable(result.error));
}

void tst_SSLClient::heldUntilReleased()
{
    std::atomic<bool> done = false;
    Result result;
    std::thread client([&] {
        result = send({.url = m_nginx->url(NginxServer::Http, QStringLiteral("/backend/hold"))});
        done = true;
    });
    QVERIFY(m_backend->waitForHeld(1));
    QTest::qWait(50);
    QVERIFY(!done);
    m_backend->release();
    client.join();
    QCOMPARE(result.outcome, HttpSuccess);
    QCOMPARE(result.body, QByteArray("0"));
}

void tst_SSLClient::redirectsAndStatuses_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("maxRedirects");
    QTest::addColumn<qint64>("ifModifiedSince");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("error");

    const QByteArray hello = "Hello from nginx\n";
    const QString tooMany = QStringLiteral("Redirection url is not defined or redirect count "
                                           "exceeded.");
    const qint64 fixed = NginxServer::fixedTime().toSecsSinceEpoch();
    QTest::newRow("200") << "/ok" << 1 << 0ll << 0 << 200 << hello << QString();
    for (const char *code : {"301", "302", "303", "307"})
        QTest::addRow("%s followed", code)
            << QStringLiteral("/r") + code << 1 << 0ll << 0 << 200 << hello << QString();
    QTest::newRow("302 not followed") << "/r302" << 0 << 0ll << 1 << 302 << QByteArray() << tooMany;
    QTest::newRow("two redirects, one allowed")
        << "/r302-twice" << 1 << 0ll << 1 << 302 << QByteArray() << tooMany;
    QTest::newRow("two redirects, two allowed")
        << "/r302-twice" << 2 << 0ll << 0 << 200 << hello << QString();
    QTest::newRow("302 without Location")
        << "/r302-nowhere" << 1 << 0ll << 1 << 302 << QByteArray() << tooMany;
    QTest::newRow("304 after a redirect")
        << "/r302-fixed" << 1 << fixed << 3 << 304 << QByteArray() << QString();
    QTest::newRow("modified since")
        << "/files/fixed.txt" << 1 << fixed - 1 << 0 << 200 << QByteArray("fixed\n") << QString();
    QTest::newRow("404") << "/missing" << 1 << 0ll << 1 << 404 << QByteArray() << QString();
    QTest::newRow("500 delivers its body")
        << "/error500" << 1 << 0ll << 1 << 500 << QByteArray("Internal trouble\n") << QString();
}

void tst_SSLClient::redirectsAndStatuses()
{
    QFETCH(QString, path);
    QFETCH(int, maxRedirects);
    QFETCH(qint64, ifModifiedSince);
    QFETCH(int, outcome);
    QFETCH(QByteArray, body);
    QFETCH(QString, error);
    const Result result = send({.url = m_nginx->url(NginxServer::Http, path),
                                .maxRedirects = maxRedirects,
                                .ifModifiedSince = std::time_t(ifModifiedSince)});
    QCOMPARE(int(result.outcome), outcome);
    QTEST(result.status, "status");
    if (!body.isEmpty() || outcome == 0)
        QCOMPARE(result.body, body);
    QCOMPARE(result.error, error);
    // Header lines of redirects are not passed on.
    QVERIFY(!result.headers.contains("Location:") || maxRedirects == 0 || outcome != 0);
}

void tst_SSLClient::relativeRedirects_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("location"); // {port}: the server's
    QTest::addColumn<QByteArray>("post"); // null: a GET
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QByteArray>("reached"); // method, path and body the target saw
    QTest::addColumn<QString>("error");

    QTest::newRow("absolute path") << QByteArray("302") << QByteArray("/a") << QByteArray() << 0
                                   << QByteArray("GET /a ") << QString();
    QTest::newRow("relative path") << QByteArray("301") << QByteArray("a") << QByteArray() << 0
                                   << QByteArray("GET /dir/sub/a ") << QString();
    QTest::newRow("network path") << QByteArray("302") << QByteArray("//127.0.0.1:{port}/n")
                                  << QByteArray() << 0 << QByteArray("GET /n ") << QString();
    QTest::newRow("308 keeps the method and the body")
        << QByteArray("308") << QByteArray("/a") << QByteArray("payload") << 0
        << QByteArray("POST /a payload") << QString();
    QTest::newRow("a redirect to another scheme fails, naming it")
        << QByteArray("302") << QByteArray("ftp://127.0.0.1/x") << QByteArray() << 1 << QByteArray()
        << "The server redirected to ftp://127.0.0.1/x, which is not an http or https URL";
}

void tst_SSLClient::relativeRedirects()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, location);
    QFETCH(QByteArray, post);
    QFETCH(int, outcome);
    QFETCH(QString, error);
    RawHttpServer *self = nullptr;
    RawHttpServer server([&](RawHttpServer::Connection &connection) {
        const QByteArray request = connection.readRequest();
        const QByteArray line = request.left(request.indexOf("HTTP/"));
        if (line.endsWith(" /dir/sub/start ")) {
            QByteArray target = location;
            target.replace("{port}", QByteArray::number(self->port()));
            connection.send("HTTP/1.0 " + code + " Moved\r\nLocation: " + target + "\r\n\r\n");
            return;
        }
        connection.send("HTTP/1.0 200 OK\r\n\r\n" + line
                        + request.mid(request.indexOf("\r\n\r\n") + 4));
    });
    self = &server;
    QVERIFY(server.start());
    const Result result = send({.url = server.url(QStringLiteral("/dir/sub/start")), .post = post});
    QVERIFY2(int(result.outcome) == outcome, qPrintable(result.error));
    QTEST(result.body, "reached");
    QCOMPARE(result.error, error);
}

void tst_SSLClient::progressAbort()
{
    m_nginx->createRandomFile(QStringLiteral("abort.bin"), 256 * 1024);
    const Result result =
        send({.url = m_nginx->url(NginxServer::Http, QStringLiteral("/files/abort.bin")),
              .progress = [](void *, double, double, double, double) { return -1; }});
    QCOMPARE(result.outcome, HttpAborted);
    QVERIFY(result.body.size() < 256 * 1024);
}

void tst_SSLClient::proxyTunnel_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("tls");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("error");

    using MavTest::TinyproxyServer;
    QTest::newRow("HTTP through the tunnel")
        << int(TinyproxyServer::Allowing) << false << 0 << QString();
    QTest::newRow("HTTPS through the tunnel")
        << int(TinyproxyServer::Allowing) << true << 0 << QString();
    QTest::newRow("refused") << int(TinyproxyServer::Refusing) << true << 1
                             << "The proxy 127.0.0.1:%1 refused the tunnel: HTTP/1.0 403 ";
    QTest::newRow("password required")
        << int(TinyproxyServer::RequiringPassword) << false << 1
        << "The proxy 127.0.0.1:%1 refused the tunnel: HTTP/1.0 407 ";
}

void tst_SSLClient::proxyTunnel()
{
    QFETCH(int, mode);
    QFETCH(bool, tls);
    QFETCH(int, outcome);
    QFETCH(QString, error);
    MavTest::TinyproxyServer proxy {MavTest::TinyproxyServer::Mode(mode)};
    QVERIFY2(proxy.start(), qPrintable(proxy.errorString()));
    const Result result = send(
        {.url = m_nginx->url(tls ? NginxServer::Https : NginxServer::Http, QStringLiteral("/ok")),
         .proxyHost = "127.0.0.1",
         .proxyPort = proxy.port()});
    QVERIFY2(int(result.outcome) == outcome, qPrintable(result.error));
    QVERIFY2(error.isEmpty() ? result.error.isEmpty()
                             : result.error.startsWith(error.arg(proxy.port())),
             qPrintable(result.error));
    if (outcome == 0)
        QCOMPARE(result.body, QByteArray("Hello from nginx\n"));
}

void tst_SSLClient::tunnelRequestNamesThePort()
{
    RawHttpServer proxy(RawHttpServer::answer("HTTP/1.0 403 Filtered\r\n\r\n"));
    QVERIFY(proxy.start());
    const Result result = send({.url = QStringLiteral("https://server.invalid/x"),
                                .proxyHost = "127.0.0.1",
                                .proxyPort = proxy.port()});
    QCOMPARE(result.outcome, HttpFailure);
    QCOMPARE(proxy.requests().value(0),
             QByteArray("CONNECT server.invalid:443 HTTP/1.0\r\nUser-Agent: UA\r\n"
                        "Host: server.invalid\r\nContent-Length: 0\r\n"
                        "Proxy-Connection: Keep-Alive\r\nPragma: no-cache\r\n\r\n"));
}

QTEST_GUILESS_MAIN(tst_SSLClient)
#include "tst_sslclient.moc"
