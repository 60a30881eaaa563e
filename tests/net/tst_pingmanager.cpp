// SPDX-License-Identifier: LGPL-2.1-or-later
// Pings against nginx and raw servers on 127.0.0.1. Starts threads: run under
// ThreadSanitizer in CI, with fewer pings.
#include "net/pingmanager_p.h"

#include <MavLibrary/net/ping.h>
#include <MavLibrary/net/pingmanager.h>
#include <MavLibrary/net/pingsender.h>
#include <MavLibrary/net/qtpingsender.h>

#include "memoryusage.h"
#include "testenvironment.h"

#include <nginxserver.h>
#include <rawhttpserver.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <condition_variable>
#include <latch>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

using MavTest::NginxServer;
using MavTest::RawHttpServer;

namespace {

#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr bool s_sanitized = true;
#else
constexpr bool s_sanitized = false;
#endif

struct Report
{
    unsigned int id;
    int result;
    std::string url;
    std::thread::id thread;
};

// Records every report; waits for them. Outlives its pings, even when a test
// fails half-way.
class Recorder : public PingSender
{
public:
    ~Recorder() override { PingManager::shutdown(); }
    void pingCompleted(Ping *ping) override
    {
        std::lock_guard locker(m_mutex);
        m_reports.push_back(
            {ping->getID(), ping->getResult(), ping->getURL(), std::this_thread::get_id()});
        m_changed.notify_all();
    }
    bool waitFor(std::size_t count, int timeoutMs = 10000)
    {
        std::unique_lock locker(m_mutex);
        return m_changed.wait_for(locker, std::chrono::milliseconds(timeoutMs),
                                  [&] { return m_reports.size() >= count; });
    }
    std::vector<Report> reports()
    {
        std::lock_guard locker(m_mutex);
        return m_reports;
    }
    std::vector<unsigned int> ids()
    {
        std::vector<unsigned int> ids;
        for (const Report &report : reports())
            ids.push_back(report.id);
        return ids;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Report> m_reports;
};

} // namespace

class tst_PingManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void outcomes_data();
    void outcomes();
    void requestSent();
    void sendersWithoutResult();
    void lastInFirstOut();
    void workerStartsAndEnds();
    void shutdownWaitsForPending();
    void shutdownBehindHostileServer_data();
    void shutdownBehindHostileServer();
    void endlessBodyCostsBoundedMemory();
    void qtPingSender();
    void qtPingSenderGoneWithPingsQueued();
    void pingDuringWorkerEnd();
    void soak();
    void firstUseFromManyThreads();

private:
    std::string url(NginxServer::Listener listener, const char *path) const
    {
        return m_nginx->url(listener, QString::fromLatin1(path)).toStdString();
    }

    std::unique_ptr<MavTest::TestEnvironment> m_env;
    std::unique_ptr<RawHttpServer> m_backend;
    std::unique_ptr<RawHttpServer> m_hostile;
    std::unique_ptr<NginxServer> m_nginx;
};

void tst_PingManager::initTestCase()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    // Behind nginx's /backend/: /hold answers once the test releases it, /304 with 304.
    m_backend = std::make_unique<RawHttpServer>([](RawHttpServer::Connection &connection) {
        const QByteArray request = connection.readRequest();
        if (request.startsWith("GET /304 "))
            connection.send("HTTP/1.0 304 Not Modified\r\n\r\n");
        else if (!request.startsWith("GET /hold ") || connection.waitForRelease())
            connection.send("HTTP/1.0 200 OK\r\n\r\nbackend");
    });
    QVERIFY(m_backend->start());
    // Answers that never end (200 MB) or trickle: what a hostile server on the path does.
    m_hostile = std::make_unique<RawHttpServer>([](RawHttpServer::Connection &connection) {
        const QByteArray request = connection.readRequest();
        if (request.startsWith("GET /drip ")) {
            connection.send("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n");
            connection.sendInPieces(QByteArray(100, 'd'), 1, 100);
            return;
        }
        connection.sendEndlessBody(request.startsWith("GET /endless404 ")
                                       ? "HTTP/1.0 404 Gone\r\n\r\n"
                                       : "HTTP/1.0 200 OK\r\n\r\n");
    });
    QVERIFY(m_hostile->start());
    m_nginx = std::make_unique<NginxServer>(m_backend->port());
    QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorString()));
}

void tst_PingManager::cleanup()
{
    PingManager::shutdown();
    PingManagerPrivate::setTimeout(0);
    PingManagerPrivate::setDeadline(30000);
    QCOMPARE(PingManagerPrivate::managerCount(), 0);
}

void tst_PingManager::cleanupTestCase()
{
    m_nginx.reset();
    m_hostile.reset();
    m_backend.reset();
    m_env.reset();
}

void tst_PingManager::outcomes_data()
{
    QTest::addColumn<QString>("path"); // behind {http} or {https}; or a whole URL
    QTest::addColumn<int>("result");

    QTest::newRow("200") << "{http}/ok" << 0;
    QTest::newRow("304 that a ping never asks for") << "{http}/backend/304" << 1;
    QTest::newRow("404") << "{http}/missing" << 1;
    QTest::newRow("one 302 followed") << "{http}/r302" << 0;
    QTest::newRow("a second redirect") << "{http}/r302-twice" << 1;
    QTest::newRow("https, server not verified") << "{https}/ok" << 0;
    QTest::newRow("no colon") << "127.0.0.1/ok" << 1;
    QTest::newRow("null") << "(null)" << 1;
    QTest::newRow("endless body: a part read, then by the status") << "{hostile}/endless" << 0;
    QTest::newRow("endless 404: a part read, then by the status") << "{hostile}/endless404" << 1;
}

void tst_PingManager::outcomes()
{
    QFETCH(QString, path);
    QFETCH(int, result);
    const bool null = path == QLatin1String("(null)");
    const std::string target =
        path.replace(QLatin1String("{http}"), m_nginx->url(NginxServer::Http, {}))
            .replace(QLatin1String("{https}"), m_nginx->url(NginxServer::Https, {}))
            .replace(QLatin1String("{hostile}"), m_hostile->url({}))
            .toStdString();
    Recorder recorder;
    if (null)
        recorder.sendPing(nullptr, &recorder, 7);
    else
        PingManager::sendPing(target, &recorder, 7);
    QVERIFY(recorder.waitFor(1));
    PingManager::shutdown();
    const std::vector<Report> reports = recorder.reports();
    QCOMPARE(reports.size(), 1u);
    QCOMPARE(reports[0].result, result);
    QCOMPARE(reports[0].id, 7u);
    QCOMPARE(reports[0].url, null ? std::string() : target);
    QVERIFY(reports[0].thread != std::this_thread::get_id());
}

// A ping carries no If-Modified-Since and nothing but the fixed headers.
void tst_PingManager::requestSent()
{
    RawHttpServer server(RawHttpServer::answer("HTTP/1.0 204 No Content\r\n\r\n"));
    QVERIFY(server.start());
    Recorder recorder;
    PingManager::sendPing(server.url(QStringLiteral("/stats?event=start")).toStdString(), &recorder,
                          1);
    QVERIFY(recorder.waitFor(1));
    QCOMPARE(recorder.reports().at(0).result, 0);
    QCOMPARE(server.requests(),
             QList<QByteArray> {"GET /stats?event=start HTTP/1.0\r\nHost: 127.0.0.1\r\n"
                                "responseType: text/xml\r\nUser-Agent: Zentrix Player 2.0\r\n"
                                "Connection: close\r\n\r\n"});
}

// A ping without a sender is still sent; a sender that throws stops nothing.
void tst_PingManager::sendersWithoutResult()
{
    class Thrower : public PingSender
    {
    public:
        ~Thrower() override { PingManager::shutdown(); }
        void pingCompleted(Ping *) override { throw std::runtime_error("no"); }
    } thrower;
    Recorder recorder;
    const std::string quiet = url(NginxServer::Http, "/backend/quiet");
    const int before = m_backend->connectionCount();
    QTest::ignoreMessage(QtWarningMsg, "pingCompleted() of ping 2 threw; ignored");
    PingManager::sendPing(url(NginxServer::Http, "/ok"), &recorder, 3);
    PingManager::sendPing(quiet, &thrower, 2);
    PingManager::sendPing(quiet, nullptr, 1);
    PingManager::shutdown();
    QCOMPARE(recorder.ids(), std::vector<unsigned int> {3});
    QCOMPARE(m_backend->connectionCount() - before, 2);
}

void tst_PingManager::lastInFirstOut()
{
    Recorder recorder;
    PingManager::sendPing(url(NginxServer::Http, "/backend/hold"), &recorder, 0);
    QVERIFY(m_backend->waitForHeld(1));
    for (unsigned int id = 1; id <= 3; ++id)
        PingManager::sendPing(url(NginxServer::Http, "/ok"), &recorder, id);
    m_backend->release();
    QVERIFY(recorder.waitFor(4));
    QCOMPARE(recorder.ids(), (std::vector<unsigned int> {0, 3, 2, 1}));
}

void tst_PingManager::workerStartsAndEnds()
{
    Recorder recorder;
    QVERIFY(!PingManagerPrivate::isWorkerRunning());
    for (std::size_t round = 1; round <= 2; ++round) {
        PingManager::sendPing(url(NginxServer::Http, "/ok"), &recorder, round);
        QVERIFY(recorder.waitFor(round));
        QTRY_VERIFY(!PingManagerPrivate::isWorkerRunning());
    }
    QCOMPARE(PingManagerPrivate::managerCount(), 1);
}

void tst_PingManager::shutdownWaitsForPending()
{
    Recorder recorder;
    PingManager::sendPing(url(NginxServer::Http, "/backend/hold"), &recorder, 0);
    QVERIFY(m_backend->waitForHeld(1));
    PingManager::sendPing(url(NginxServer::Http, "/ok"), &recorder, 1);
    PingManager::sendPing("nowhere", &recorder, 2);
    std::atomic<bool> returned = false;
    std::thread closer([&] {
        PingManager::shutdown();
        returned = true;
    });
    QTest::qWait(100);
    QVERIFY(!returned);
    m_backend->release();
    closer.join();
    QCOMPARE(recorder.reports().size(), 3u);
    QCOMPARE(PingManagerPrivate::managerCount(), 0);
    // The second call finds nothing to end.
    PingManager::shutdown();
    QCOMPARE(recorder.reports().size(), 3u);
}

void tst_PingManager::shutdownBehindHostileServer_data()
{
    QTest::addColumn<bool>("drip"); // else silent
    // A silent server is bounded by the time limit of each read; one that keeps
    // every answer coming, a byte at a time, by the ping deadline. Either bounds
    // shutdown() at exit: 3 x 10 s of drip before, about 3 x 0.3 s now.
    QTest::newRow("silent: each ping gives up after the time limit") << false;
    QTest::newRow("drip: each ping gives up at the ping deadline") << true;
}

void tst_PingManager::shutdownBehindHostileServer()
{
    QFETCH(bool, drip);
    RawHttpServer silent([](RawHttpServer::Connection &connection) {
        connection.readRequest();
        connection.waitForRelease();
    });
    QVERIFY(silent.start());
    if (drip)
        PingManagerPrivate::setDeadline(300);
    else
        PingManagerPrivate::setTimeout(200);
    const std::string target =
        drip ? m_hostile->url(QStringLiteral("/drip")).toStdString() : silent.url().toStdString();
    Recorder recorder;
    for (unsigned int id = 0; id < 3; ++id)
        PingManager::sendPing(target, &recorder, id);
    QElapsedTimer timer;
    timer.start();
    PingManager::shutdown();
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    const std::vector<Report> reports = recorder.reports();
    QCOMPARE(reports.size(), 3u);
    for (const Report &report : reports)
        QCOMPARE(report.result, 1);
}

void tst_PingManager::endlessBodyCostsBoundedMemory()
{
    Recorder recorder;
    QVERIFY(MavTest::resetPeakResident());
    const qint64 before = MavTest::memoryStatusKiB("VmRSS");
    PingManager::sendPing(m_hostile->url(QStringLiteral("/endless")).toStdString(), &recorder, 1);
    QVERIFY(recorder.waitFor(1, 60000));
    const qint64 grown = MavTest::memoryStatusKiB("VmHWM") - before;
    QVERIFY2(grown < 32 * 1024, qPrintable(QStringLiteral("%1 KiB").arg(grown)));
    QCOMPARE(recorder.reports().at(0).result, 0);
}

void tst_PingManager::qtPingSender()
{
    QtPingSender sender;
    QSignalSpy spy(&sender, &QtPingSender::pingCompleted);
    std::thread::id signalled;
    connect(&sender, &QtPingSender::pingCompleted, this,
            [&] { signalled = std::this_thread::get_id(); });
    const QString ok = m_nginx->url(NginxServer::Http, QStringLiteral("/ok"));
    sender.send(ok, 5);
    sender.send(QStringLiteral("nowhere"), 6);
    QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 2, 10000);
    QCOMPARE(signalled, std::this_thread::get_id());
    const int first = spy.at(0).at(0).toUInt() == 5 ? 0 : 1;
    QCOMPARE(spy.at(first), (QVariantList {5u, ok, QVariant::fromValue(ztsc::HttpSuccess)}));
    QCOMPARE(spy.at(1 - first).at(2).value<ztsc::HttpErrorIds>(), ztsc::HttpFailure);
}

// Going away with pings still queued is allowed: their outcomes are dropped.
void tst_PingManager::qtPingSenderGoneWithPingsQueued()
{
    auto *sender = new QtPingSender;
    QSignalSpy spy(sender, &QtPingSender::pingCompleted);
    sender->send(m_nginx->url(NginxServer::Http, QStringLiteral("/backend/hold")), 1);
    QVERIFY(m_backend->waitForHeld(1));
    delete sender;
    m_backend->release();
    PingManager::shutdown();
    QCoreApplication::processEvents();
    QCOMPARE(spy.size(), 0);
}

// Each ping is sent the moment the previous one is reported: while the worker
// still serves what it took as the last ping, or while its thread is ending. Every
// one must be served without the help of a later sendPing().
void tst_PingManager::pingDuringWorkerEnd()
{
    Recorder recorder;
    std::mt19937 random(14);
    const std::string ok = url(NginxServer::Http, "/ok");
    constexpr unsigned int rounds = 300;
    for (unsigned int id = 0; id < rounds; ++id) {
        // Mostly a URL that fails at once, so that the worker is at its end quickly.
        PingManager::sendPing(id % 10 == 0 ? ok : std::string("nowhere"), &recorder, id);
        if (!recorder.waitFor(id + 1, 5000))
            QFAIL(qPrintable(QStringLiteral("ping %1 was never served").arg(id)));
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::microseconds(random() % 60);
        while (std::chrono::steady_clock::now() < until) { }
    }
    QCOMPARE(recorder.reports().size(), std::size_t(rounds));
}

// Threads sending pings with random pauses while another shuts the manager down
// now and then: every ping is reported exactly once, each without waiting for a
// later one, and none after the last shutdown() returned.
void tst_PingManager::soak()
{
    constexpr int threadCount = 8;
    const int total = s_sanitized ? 1000 : 10000;
    const int each = total / threadCount;

    class Counter : public PingSender
    {
    public:
        explicit Counter(int total)
            : m_times(total)
        { }
        ~Counter() override { PingManager::shutdown(); }
        void pingCompleted(Ping *ping) override
        {
            if (m_closed.load())
                ++m_late;
            if (ping->getID() >= m_times.size()) {
                ++m_late;
                return;
            }
            ++m_times[ping->getID()];
            m_outcomes[ping->getResult()]++;
            ++m_reported;
        }
        std::vector<std::atomic<int>> m_times;
        std::atomic<int> m_outcomes[5] = {};
        std::atomic<int> m_reported = 0;
        std::atomic<int> m_late = 0;
        std::atomic<bool> m_closed = false;
    } counter(total);

    const std::string ok = url(NginxServer::Http, "/ok");
    // Shutdowns race the first half of the pings only, so that none is there to
    // serve the last ones.
    std::atomic<int> queued = 0;
    std::thread closer([&] {
        std::mt19937 random(1);
        while (queued < total / 2) {
            std::this_thread::sleep_for(std::chrono::milliseconds(random() % 40));
            PingManager::shutdown();
        }
    });
    std::vector<std::thread> senders;
    for (int t = 0; t < threadCount; ++t) {
        senders.emplace_back([&, t] {
            std::mt19937 random(100 + t);
            for (int i = 0; i < each; ++i) {
                const unsigned int id = t * each + i;
                PingManager::sendPing(id % 4 == 0 ? std::string("nowhere") : ok, &counter, id);
                ++queued;
                if (random() % 8 == 0)
                    std::this_thread::sleep_for(std::chrono::microseconds(random() % 500));
            }
        });
    }
    for (std::thread &sender : senders)
        sender.join();
    closer.join();
    // No sendPing() from here on: a ping left waiting for one fails this.
    const int sent = each * threadCount;
    QTRY_COMPARE_WITH_TIMEOUT(counter.m_reported.load(), sent, 30000);
    PingManager::shutdown();
    counter.m_closed = true;
    QTest::qWait(50);
    QCOMPARE(counter.m_late.load(), 0);
    for (int id = 0; id < sent; ++id) {
        if (counter.m_times[id] != 1)
            QFAIL(qPrintable(QStringLiteral("ping %1 reported %2 times")
                                 .arg(id)
                                 .arg(counter.m_times[id].load())));
    }
    QCOMPARE(counter.m_outcomes[1].load(), sent / 4);
    QCOMPARE(counter.m_outcomes[0].load(), sent - sent / 4);
    QCOMPARE(PingManagerPrivate::managerCount(), 0);
}

void tst_PingManager::firstUseFromManyThreads()
{
    QCOMPARE(PingManagerPrivate::managerCount(), 0);
    constexpr int threadCount = 8;
    Recorder recorder;
    std::latch start(threadCount);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            PingManager::sendPing("nowhere", &recorder, t);
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    QCOMPARE(PingManagerPrivate::managerCount(), 1);
    QVERIFY(recorder.waitFor(threadCount));
}

QTEST_GUILESS_MAIN(tst_PingManager)
#include "tst_pingmanager.moc"
