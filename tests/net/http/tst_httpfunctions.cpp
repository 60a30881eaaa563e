// SPDX-License-Identifier: LGPL-2.1-or-later
// The free helpers, URLs and checkResponse: no network.
#include "net/http/sslclient_p.h"

#include <MavLibrary/net/http/httpfunctions.h>
#include <MavLibrary/net/http/httpsslutility.h>

#include <QTest>

#include <cstdlib>

using namespace ztsc;

class tst_HttpFunctions : public QObject
{
    Q_OBJECT

private slots:
    void encoders_data();
    void encoders();
    void numbers_data();
    void numbers();
    void httpDate_data();
    void httpDate();
    void parseUrl_data();
    void parseUrl();
    void resolveReference_data();
    void resolveReference();
    void checkResponse_data();
    void checkResponse();
};

void tst_HttpFunctions::encoders_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("bytes"); // percentEncode(data, length)
    QTest::addColumn<QByteArray>("text"); // percentEncode(std::string)
    QTest::addColumn<QByteArray>("xml"); // escapeXml

    QTest::newRow("space") << QByteArray("a b") << QByteArray("a%20b") << QByteArray("a%20b")
                           << QByteArray("a b");
    QTest::newRow("hash kept by the text form only")
        << QByteArray("#1") << QByteArray("%231") << QByteArray("#1") << QByteArray("#1");
    QTest::newRow("unreserved") << QByteArray("Az09-_.!~()") << QByteArray("Az09-_.!~()")
                                << QByteArray("Az09-_.!~()") << QByteArray("Az09-_.!~()");
    QTest::newRow("reserved") << QByteArray("a=1&b/c") << QByteArray("a%3D1%26b%2Fc")
                              << QByteArray("a%3D1%26b%2Fc") << QByteArray("a=1&amp;b/c");
    QTest::newRow("zero byte: the text form stops")
        << QByteArray("a\0b", 3) << QByteArray("a%00b") << QByteArray("a") << QByteArray("a\0b", 3);
    QTest::newRow("non-ASCII") << QByteArray("\xc3\xa9") << QByteArray("%C3%A9")
                               << QByteArray("%C3%A9") << QByteArray("\xc3\xa9");
    QTest::newRow("xml: only ampersand and apostrophe")
        << QByteArray("<'&\">") << QByteArray("%3C%27%26%22%3E") << QByteArray("%3C%27%26%22%3E")
        << QByteArray("<&apos;&amp;\">");
}

void tst_HttpFunctions::encoders()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, xml);
    const std::string in = input.toStdString();
    QCOMPARE(QByteArray::fromStdString(percentEncode(in.data(), in.size())), bytes);
    QCOMPARE(QByteArray::fromStdString(percentEncode(in)), text);
    QCOMPARE(QByteArray::fromStdString(escapeXml(in)), xml);
}

void tst_HttpFunctions::numbers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<quint64>("uint64"); // toUInt64
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("integer"); // toInt
    QTest::addColumn<QByteArray>("trimmed"); // trimLineEnd

    QTest::newRow("plain") << QByteArray("12") << 12ull << true << 12 << QByteArray("12");
    QTest::newRow("blanks") << QByteArray(" 12\t") << 12ull << true << 12 << QByteArray(" 12\t");
    QTest::newRow("largest") << QByteArray("18446744073709551615") << 18446744073709551615ull
                             << true << INT_MAX << QByteArray("18446744073709551615");
    QTest::newRow("one too large") << QByteArray("18446744073709551616") << 0ull << false << INT_MAX
                                   << QByteArray("18446744073709551616");
    QTest::newRow("negative") << QByteArray("-5") << 0ull << false << -5 << QByteArray("-5");
    QTest::newRow("trailing text")
        << QByteArray("12ab") << 0ull << false << 12 << QByteArray("12ab");
    QTest::newRow("empty") << QByteArray() << 0ull << false << 0 << QByteArray();
    QTest::newRow("CR LF") << QByteArray("7\r\n") << 0ull << false << 7 << QByteArray("7");
    QTest::newRow("LF only after two bytes")
        << QByteArray("7\n") << 0ull << false << 7 << QByteArray("7\n");
}

void tst_HttpFunctions::numbers()
{
    QFETCH(QByteArray, text);
    QFETCH(quint64, uint64);
    QFETCH(bool, ok);
    QFETCH(int, integer);
    QFETCH(QByteArray, trimmed);
    bool valid = !ok;
    QCOMPARE(quint64(toUInt64(text.toStdString(), &valid)), uint64);
    QCOMPARE(valid, ok);
    QCOMPARE(toInt(text.toStdString()), integer);
    QCOMPARE(QByteArray::fromStdString(trimLineEnd(text.toStdString())), trimmed);
}

void tst_HttpFunctions::httpDate_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("time"); // 0: not a date

    for (const char *zone : {"UTC", "America/New_York", "Asia/Kolkata"}) {
        QTest::addRow("%s: winter", zone)
            << QByteArray(zone) << QByteArray("Sat, 03 Feb 2001 04:05:06 GMT") << 981173106ll;
        QTest::addRow("%s: summer", zone)
            << QByteArray(zone) << QByteArray("Wed, 02 Jul 2025 23:59:59 GMT") << 1751500799ll;
    }
    QTest::newRow("1980") << QByteArray("UTC") << QByteArray("Wed, 02 Jan 1980 02:03:55 GMT")
                          << 315626635ll;
    QTest::newRow("month in lower case")
        << QByteArray("UTC") << QByteArray("Sat, 03 feb 2001 04:05:06 GMT") << 0ll;
    QTest::newRow("no time") << QByteArray("UTC") << QByteArray("Sat, 03 Feb 2001") << 0ll;
    QTest::newRow("hour 24") << QByteArray("UTC") << QByteArray("Sat, 03 Feb 2001 24:05:06 GMT")
                             << 0ll;
    QTest::newRow("long first word")
        << QByteArray("UTC") << QByteArray(300, 'x') + " 1 Jan 2001" << 0ll;
}

void tst_HttpFunctions::httpDate()
{
    QFETCH(QByteArray, zone);
    QFETCH(QByteArray, text);
    QFETCH(qint64, time);
    const QByteArray previous = qgetenv("TZ");
    qputenv("TZ", zone);
    tzset();
    const std::time_t parsed = parseHttpDate(text.toStdString());
    const std::string formatted = formatHttpDate(std::time_t(time));
    qputenv("TZ", previous);
    tzset();
    QCOMPARE(qint64(parsed), time);
    if (time)
        QCOMPARE(QByteArray::fromStdString(formatted), text);
}

void tst_HttpFunctions::parseUrl_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("https");

    QTest::newRow("http") << "http://example.com/a/b?c=d" << 0 << "example.com"
                          << "80"
                          << "/a/b?c=d" << false;
    QTest::newRow("https in the query stays http") << "http://host/?back=https://x" << 0 << "host"
                                                   << "80"
                                                   << "/?back=https://x" << false;
    QTest::newRow("capital scheme") << "HTTPS://Host" << 0 << "Host"
                                    << "443"
                                    << "/" << true;
    QTest::newRow("port, no path") << "http://127.0.0.1:8080" << 0 << "127.0.0.1"
                                   << "8080"
                                   << "/" << false;
    QTest::newRow("query without path") << "http://h?x=1" << 0 << "h"
                                        << "80"
                                        << "/?x=1" << false;
    QTest::newRow("fragment dropped") << "http://h/p#top" << 0 << "h"
                                      << "80"
                                      << "/p" << false;
    QTest::newRow("empty port") << "https://h:/p" << 0 << "h"
                                << "443"
                                << "/p" << true;
    QTest::newRow("IPv6") << "http://[::1]:81/x" << 0 << "[::1]"
                          << "81"
                          << "/x" << false;
    QTest::newRow("no colon") << "example.com/path" << -1 << ""
                              << ""
                              << "" << false;
    QTest::newRow("no slashes") << "http:/example.com" << -1 << ""
                                << ""
                                << "" << false;
    QTest::newRow("other scheme") << "ftp://example.com/" << -1 << ""
                                  << ""
                                  << "" << false;
    QTest::newRow("scheme only in the path") << "x://h/https" << -1 << ""
                                             << ""
                                             << "" << false;
    QTest::newRow("no host") << "http:///path" << -1 << ""
                             << ""
                             << "" << false;
    QTest::newRow("port too large") << "http://h:65536/" << -1 << ""
                                    << ""
                                    << "" << false;
    QTest::newRow("port not a number") << "http://h:https/" << -1 << ""
                                       << ""
                                       << "" << false;
    QTest::newRow("line break") << "http://h/a\r\nX-Injected: 1" << -1 << ""
                                << ""
                                << "" << false;
}

void tst_HttpFunctions::parseUrl()
{
    QFETCH(QString, url);
    QFETCH(int, result);
    std::string host, port, path;
    bool https = false;
    QCOMPARE(SSLClient::parseUrl(url.toStdString(), &host, &path, &port, &https), result);
    if (result == 0) {
        QTEST(QString::fromStdString(host), "host");
        QTEST(QString::fromStdString(port), "port");
        QTEST(QString::fromStdString(path), "path");
        QTEST(https, "https");
    }
}

void tst_HttpFunctions::resolveReference_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("resolved");

    // The examples of RFC 3986, 5.4, against its base "http://a/b/c/d;p?q"; the
    // fragment is dropped, as nothing sends it.
    const char *const rows[][2] = {
        {"g:h", "g:h"},
        {"g", "http://a/b/c/g"},
        {"./g", "http://a/b/c/g"},
        {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},
        {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"},
        {"g?y", "http://a/b/c/g?y"},
        {"#s", "http://a/b/c/d;p?q"},
        {"", "http://a/b/c/d;p?q"},
        {".", "http://a/b/c/"},
        {"..", "http://a/b/"},
        {"../../g", "http://a/g"},
        {"../../../g", "http://a/g"},
        {"/./g", "http://a/g"},
        {"g.", "http://a/b/c/g."},
        {"..g", "http://a/b/c/..g"},
        {"./../g", "http://a/b/g"},
        {"g/./h", "http://a/b/c/g/h"},
        {"g;x=1/../y", "http://a/b/c/y"},
    };
    for (const auto &row : rows)
        QTest::addRow("\"%s\"", row[0])
            << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
}

void tst_HttpFunctions::resolveReference()
{
    QFETCH(QString, reference);
    QTEST(QString::fromStdString(
              SSLClient::resolveReference("http://a/b/c/d;p?q", reference.toStdString())),
          "resolved");
}

void tst_HttpFunctions::checkResponse_data()
{
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<bool>("checkForHtml");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("isHtml");
    QTest::addColumn<QByteArray>("failure"); // of the byte form

    QTest::newRow("plain") << QByteArray("OK\r\n") << false << QByteArray("OK") << true << 0
                           << QByteArray();
    QTest::newRow("HTML") << QByteArray("<!DOCTYPE HTML PUBLIC>\n") << true
                          << QByteArray("<!DOCTYPE HTML PUBLIC>") << false << 1
                          << QByteArray("Server returned HTML");
    QTest::newRow("html in lower case")
        << QByteArray("<!doctype html>") << true << QByteArray("<!doctype html>") << true << 0
        << QByteArray();
    QTest::newRow("shorter than the marker")
        << QByteArray("<!DOCTYPE") << true << QByteArray("<!DOCTYPE") << true << 0 << QByteArray();
}

void tst_HttpFunctions::checkResponse()
{
    QFETCH(QByteArray, response);
    QFETCH(bool, checkForHtml);
    QFETCH(bool, ok);
    QFETCH(QByteArray, failure);
    HttpSSLUtility utility;
    bool usable = !ok;
    int isHtml = 0;
    const std::string text =
        utility.checkResponse(response.toStdString(), checkForHtml, &usable, &isHtml);
    QTEST(QByteArray::fromStdString(text), "text");
    QCOMPARE(usable, ok);
    QTEST(isHtml, "isHtml");

    QByteArray bytes = response;
    std::size_t length = std::size_t(bytes.size());
    std::string reason;
    QCOMPARE(utility.checkResponse(bytes.data(), &length, checkForHtml, &reason), ok);
    QTEST(QByteArray(bytes.constData(), qsizetype(length)), "text");
    QCOMPARE(QByteArray::fromStdString(reason), failure);
}

QTEST_GUILESS_MAIN(tst_HttpFunctions)
#include "tst_httpfunctions.moc"
