// SPDX-License-Identifier: LGPL-2.1-or-later
// Requests on several threads at once, in clear and over TLS: run under
// ThreadSanitizer in CI.
#include "net/http/sslconnect_p.h"

#include <MavLibrary/net/http/httpsslutility.h>

#include <nginxserver.h>

#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

using MavTest::NginxServer;

class tst_HttpThreads : public QObject
{
    Q_OBJECT

private slots:
    void concurrentGets();
};

void tst_HttpThreads::concurrentGets()
{
    NginxServer nginx;
    QVERIFY2(nginx.start(), qPrintable(nginx.errorString()));
    const std::string urls[] = {nginx.url(NginxServer::Http, QStringLiteral("/ok")).toStdString(),
                                nginx.url(NginxServer::Https, QStringLiteral("/ok")).toStdString()};
    constexpr int threadCount = 4;
    constexpr int requestsEach = 50;
    std::atomic<int> succeeded = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < requestsEach; ++i) {
                ztsc::HttpSSLUtility utility;
                utility.setEnvironment("LOCALHOST");
                ztsc::HttpErrorIds outcome = ztsc::HttpAborted;
                // Some TLS requests also verify the server and present the client certificate.
                const bool tls = (i + t) % 2 == 1;
                const auto body = utility.get(urls[tls], 0, tls && i % 4 == 1, &outcome, nullptr);
                if (outcome == ztsc::HttpSuccess
                    && std::string(body.first, body.second) == "Hello from nginx\n")
                    ++succeeded;
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    QCOMPARE(succeeded.load(), threadCount * requestsEach);
    QCOMPARE(ztsc::SSLConnect::liveConnections(), 0);
}

QTEST_GUILESS_MAIN(tst_HttpThreads)
#include "tst_httpthreads.moc"
