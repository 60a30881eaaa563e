// SPDX-License-Identifier: LGPL-2.1-or-later
// The HTTP facade: every operation against nginx, the request bytes against a raw
// listener, Last-Modified round trips in several time zones, downloads.
#include <MavLibrary/net/http/httpfunctions.h>
#include <MavLibrary/net/http/httpsslutility.h>
#include <MavLibrary/net/platform/file.h>

#include <memoryusage.h>
#include <nginxserver.h>
#include <rawhttpserver.h>
#include <testenvironment.h>

#include <QFile>
#include <QTest>

#include <memory>

using namespace ztsc;
using MavTest::NginxServer;
using MavTest::RawHttpServer;

namespace {

// Records the progress reports and can cancel at the first one.
class ObservedUtility : public HttpSSLUtility
{
public:
    void progressChanged(double received, double total) override
    {
        reports.append({received, total});
        if (cancelAtFirst)
            cancelDownload();
    }
    QList<QPair<double, double>> reports;
    bool cancelAtFirst = false;
};

} // namespace

class tst_HttpSSLUtility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    // A case may have changed TZ for its life.
    void cleanup() { tzset(); }

    void requestBytes_data();
    void requestBytes();
    void get_data();
    void get();
    void responseBlock();
    void endlessBodyCostsBoundedMemory();
    void lastModifiedRoundTrip_data();
    void lastModifiedRoundTrip();
    void contentLength();
    void checkUrl_data();
    void checkUrl();
    void download_data();
    void download();

private:
    std::unique_ptr<NginxServer> m_nginx;
};

void tst_HttpSSLUtility::initTestCase()
{
    m_nginx = std::make_unique<NginxServer>();
    QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorString()));
}

void tst_HttpSSLUtility::cleanupTestCase()
{
    m_nginx.reset();
}

void tst_HttpSSLUtility::requestBytes_data()
{
    QTest::addColumn<int>("operation"); // 0 get, 1 POST form, 2 GET form
    QTest::addColumn<QByteArray>("request");

    const QByteArray common = "Host: 127.0.0.1\r\nresponseType: text/xml\r\n"
                              "User-Agent: Zentrix Player 2.0\r\n";
    QTest::newRow("get") << 0
                         << "GET /path?q=1 HTTP/1.0\r\n" + common + "Connection: close\r\n\r\n";
    QTest::newRow("POST form") << 1
                               << "POST /path?q=1 HTTP/1.0\r\n" + common
            + "Content-Type: text/xml;charset=UTF-8\r\nContent-Length: 23\r\n"
              "encrypted: true\r\nConnection: close\r\n\r\n%3Ca%20x%3D%27%23%27%3E";
    QTest::newRow("GET form") << 2
                              << "GET /path?q=1&%3Ca%20x%3D%27%23%27%3E HTTP/1.0\r\n" + common
            + "encrypted: false\r\nConnection: close\r\n\r\n";
}

void tst_HttpSSLUtility::requestBytes()
{
    QFETCH(int, operation);
    QFETCH(QByteArray, request);
    RawHttpServer listener(RawHttpServer::answer("HTTP/1.0 200 OK\r\n\r\nanswer"));
    QVERIFY(listener.start());
    HttpSSLUtility utility;
    HttpErrorIds outcome = HttpAborted;
    const std::string url = listener.url(QStringLiteral("/path?q=1")).toStdString();
    HttpSSLUtility::Response response;
    if (operation == 0)
        response = utility.get(url, 0, false, &outcome, nullptr);
    else
        response =
            utility.postForm(url, "<a x='#'>", operation == 1, operation == 1, false, &outcome);
    QCOMPARE(outcome, HttpSuccess);
    QCOMPARE(QByteArray(response.first, qsizetype(response.second)), QByteArray("answer"));
    QCOMPARE(listener.requests().value(0), request);
}

void tst_HttpSSLUtility::get_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("secureMode");
    QTest::addColumn<QByteArray>("environment");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("error"); // the start of the error text

    const QByteArray hello = "Hello from nginx\n";
    const QString ok = m_nginx->url(NginxServer::Http, QStringLiteral("/ok"));
    const QString secureOk = m_nginx->url(NginxServer::Https, QStringLiteral("/ok"));
    QTest::newRow("http") << ok << false << QByteArray() << 0 << 200 << hello << QString();
    QTest::newRow("https") << secureOk << false << QByteArray() << 0 << 200 << hello << QString();
    QTest::newRow("https, secure")
        << secureOk << true << QByteArray("LOCALHOST") << 0 << 200 << hello << QString();
    QTest::newRow("https, secure, PRODUCTION material")
        << secureOk << true << QByteArray() << 4 << 0 << QByteArray()
        << "-Error with certificate at depth: 0 ";
    QTest::newRow("secure over http")
        << ok << true << QByteArray("LOCALHOST") << 1 << 0 << QByteArray()
        << "The server 127.0.0.1 presented no certificate";
    QTest::newRow("redirect") << m_nginx->url(NginxServer::Https, QStringLiteral("/r302")) << false
                              << QByteArray() << 0 << 200 << hello << QString();
    QTest::newRow("two redirects")
        << m_nginx->url(NginxServer::Http, QStringLiteral("/r302-twice")) << false << QByteArray()
        << 1 << 302 << QByteArray() << "Redirection url is not defined or redirect count exceeded.";
    QTest::newRow("500") << m_nginx->url(NginxServer::Http, QStringLiteral("/error500")) << false
                         << QByteArray() << 1 << 500 << QByteArray("Internal trouble\n")
                         << QString();
    QTest::newRow("nothing listening")
        << QStringLiteral("http://127.0.0.1:%1/").arg(MavTest::freePort()) << false << QByteArray()
        << 1 << 0 << QByteArray() << "Unable to connect to 127.0.0.1:";
    QTest::newRow("no scheme") << "127.0.0.1/ok" << false << QByteArray() << 1 << 0 << QByteArray()
                               << "Malformed URL: 127.0.0.1/ok";
}

void tst_HttpSSLUtility::get()
{
    QFETCH(QString, url);
    QFETCH(bool, secureMode);
    QFETCH(QByteArray, environment);
    QFETCH(int, outcome);
    QFETCH(QByteArray, body);
    QFETCH(QString, error);
    HttpSSLUtility utility;
    utility.setEnvironment(environment.toStdString());
    HttpErrorIds result = HttpAborted;
    const HttpSSLUtility::Response response =
        utility.get(url.toStdString(), 0, secureMode, &result, nullptr);
    const QString text = QString::fromStdString(utility.getLastErrorText());
    QVERIFY2(int(result) == outcome, qPrintable(text));
    QCOMPARE(int(utility.getLastErrorId()), outcome);
    QTEST(utility.getLastStatus(), "status");
    QCOMPARE(QByteArray(response.first, qsizetype(response.second)), body);
    QVERIFY2(error.isEmpty() ? text.isEmpty() : text.startsWith(error), qPrintable(text));
}

void tst_HttpSSLUtility::responseBlock()
{
    // Many pieces into one block; kept until the next operation, which replaces it.
    const QByteArray large = m_nginx->createRandomFile(QStringLiteral("large.bin"), 3 << 20);
    HttpSSLUtility utility;
    HttpErrorIds outcome = HttpAborted;
    const std::string url =
        m_nginx->url(NginxServer::Http, QStringLiteral("/files/large.bin")).toStdString();
    HttpSSLUtility::Response response = utility.get(url, 0, false, &outcome, nullptr);
    QCOMPARE(outcome, HttpSuccess);
    QCOMPARE(QByteArray(response.first, qsizetype(response.second)), large);
    QCOMPARE(response.first[response.second], '\0');
    QVERIFY(utility.getLastHeaders().starts_with("HTTP/1.1 200 OK\r\n"));
    response = utility.get(m_nginx->url(NginxServer::Http, QStringLiteral("/ok")).toStdString(), 0,
                           false, &outcome, nullptr);
    QCOMPARE(QByteArray::fromStdString(utility.getResponse()), QByteArray("Hello from nginx\n"));
}

void tst_HttpSSLUtility::endlessBodyCostsBoundedMemory()
{
    RawHttpServer endless(RawHttpServer::endless("HTTP/1.0 200 OK\r\n\r\n"));
    QVERIFY(endless.start());
    HttpSSLUtility utility;
    utility.setMaxResponseSize(8 << 20);
    QVERIFY(MavTest::resetPeakResident());
    const qint64 before = MavTest::memoryStatusKiB("VmRSS");
    HttpErrorIds outcome = HttpAborted;
    const HttpSSLUtility::Response response =
        utility.get(endless.url().toStdString(), 0, false, &outcome, nullptr);
    const qint64 grown = MavTest::memoryStatusKiB("VmHWM") - before;
    QCOMPARE(outcome, HttpFailure);
    QCOMPARE(utility.getLastErrorText(),
             std::string("The response body is larger than 8388608 bytes, the most this request "
                         "accepts"));
    // What came of it is freed.
    QCOMPARE(response.second, 0u);
    QVERIFY2(grown < 64 * 1024, qPrintable(QStringLiteral("%1 KiB").arg(grown)));
}

void tst_HttpSSLUtility::lastModifiedRoundTrip_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::newRow("UTC") << QByteArray("UTC");
    QTest::newRow("New York") << QByteArray("America/New_York");
    QTest::newRow("Kolkata") << QByteArray("Asia/Kolkata");
}

void tst_HttpSSLUtility::lastModifiedRoundTrip()
{
    QFETCH(QByteArray, zone);
    MavTest::TestEnvironment environment;
    environment.setVariable("TZ", zone);
    tzset();
    HttpSSLUtility utility;
    HttpErrorIds outcome = HttpAborted;
    std::time_t modified = 0;
    const std::string url =
        m_nginx->url(NginxServer::Https, QStringLiteral("/files/fixed.txt")).toStdString();
    utility.get(url, 1, false, &outcome, &modified);
    QCOMPARE(outcome, HttpSuccess);
    QCOMPARE(qint64(modified), NginxServer::fixedTime().toSecsSinceEpoch());
    // nginx answers 304 only when the text sent back is exactly its Last-Modified.
    std::time_t again = 0;
    utility.get(url, modified, false, &outcome, &again);
    QCOMPARE(outcome, HttpNotModified);
    QCOMPARE(again, modified);
    QCOMPARE(utility.getResponse(), std::string());
}

void tst_HttpSSLUtility::contentLength()
{
    m_nginx->createFile(QStringLiteral("twelve.txt"), "twelve bytes");
    HttpSSLUtility utility;
    HttpErrorIds outcome = HttpAborted;
    QCOMPARE(utility.getContentLength(
                 m_nginx->url(NginxServer::Http, QStringLiteral("/files/twelve.txt")).toStdString(),
                 false, &outcome),
             std::string("12"));
    QCOMPARE(outcome, HttpSuccess);
    QVERIFY(utility.getExtraData().find("Content-Length: 12\r\n") != std::string::npos);
    // After a redirect only the final answer's lines are kept.
    QCOMPARE(utility.getContentLength(
                 m_nginx->url(NginxServer::Https, QStringLiteral("/r302-fixed")).toStdString(),
                 false, &outcome),
             std::string("6"));
    QVERIFY(utility.getExtraData().starts_with("HTTP/1.1 200 OK\r\n"));
    QVERIFY(utility.getExtraData().find("Location") == std::string::npos);
    // The length is told whatever the outcome: here that of the error page.
    const std::string missing = utility.getContentLength(
        m_nginx->url(NginxServer::Http, QStringLiteral("/missing")).toStdString(), false, &outcome);
    QCOMPARE(outcome, HttpFailure);
    QVERIFY(utility.getExtraData().find("Content-Length: " + missing + "\r\n")
            != std::string::npos);
    QVERIFY(!missing.empty());
}

void tst_HttpSSLUtility::checkUrl_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("outcome");
    QTest::newRow("two redirects") << "/r302-twice" << 0;
    QTest::newRow("404") << "/missing" << 1;
}

void tst_HttpSSLUtility::checkUrl()
{
    QFETCH(QString, path);
    HttpSSLUtility utility;
    QTEST(int(utility.checkUrl(m_nginx->url(NginxServer::Https, path).toStdString(), false)),
          "outcome");
}

void tst_HttpSSLUtility::download_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("error");

    QTest::newRow("whole") << false << true << 0 << QString();
    QTest::newRow("cancelled") << true << true << 2 << QString();
    QTest::newRow("file not writable") << false << false << 1 << "Writing the body failed";
    QTest::newRow("larger than the maximum")
        << false << true << 1
        << "The response body is larger than 1000 bytes, the most this request accepts";
}

void tst_HttpSSLUtility::download()
{
    QFETCH(bool, cancel);
    QFETCH(bool, writable);
    QFETCH(int, outcome);
    QFETCH(QString, error);
    const qint64 size = 1 << 20;
    const QByteArray content = m_nginx->createRandomFile(QStringLiteral("download.bin"), size);
    MavTest::TestEnvironment environment;
    const QString target = environment.path(QStringLiteral("download.bin"));
    QFile(target).open(QIODevice::WriteOnly);
    ztpm::File file;
    QCOMPARE(file.open(target.toStdWString(),
                       writable ? ztpm::File::WriteTruncate : ztpm::File::ReadExisting),
             0);
    ObservedUtility utility;
    utility.cancelAtFirst = cancel;
    if (QByteArray(QTest::currentDataTag()).startsWith("larger"))
        utility.setMaxDownloadSize(1000);
    std::time_t modified = 0;
    const HttpErrorIds result = utility.download(
        m_nginx->url(NginxServer::Https, QStringLiteral("/files/download.bin")).toStdString(),
        &file, false, &modified);
    QVERIFY2(int(result) == outcome, utility.getLastErrorText().c_str());
    QCOMPARE(QString::fromStdString(utility.getLastErrorText()), error);
    QVERIFY(!file.isOpen());
    QVERIFY(!utility.isDownloading());
    QCOMPARE(qint64(modified), NginxServer::fixedTime().toSecsSinceEpoch());
    double received = 0, total = 0;
    int percent = -1;
    utility.getDownloadProgress(&received, &total, &percent);
    QCOMPARE(total, double(size));
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    if (outcome == 0) {
        QCOMPARE(written.readAll(), content);
        QCOMPARE(received, double(size));
        QCOMPARE(percent, 100);
        QVERIFY(utility.reports.size() > 1);
        for (qsizetype i = 1; i < utility.reports.size(); ++i)
            QVERIFY(utility.reports[i].first > utility.reports[i - 1].first);
        QCOMPARE(utility.reports.last(), qMakePair(double(size), double(size)));
    } else if (cancel) {
        QCOMPARE(utility.reports.size(), 1);
        QVERIFY(written.size() < size);
    }
}

QTEST_GUILESS_MAIN(tst_HttpSSLUtility)
#include "tst_httpsslutility.moc"
