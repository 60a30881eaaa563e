// SPDX-License-Identifier: LGPL-2.1-or-later
// Pings. sendPing() as its caller sees it, with the worker busy on a request,
// against appending a pointer to a mutex-guarded std::vector: what a caller
// could not do with less. And pings per second end to end against a local nginx,
// against one thread looping libcurl easy GETs of the same URL with the same work
// per request (HTTP/1.0, a new connection each, no verification). On a shared
// machine run it with --benchmark_repetitions=10
// --benchmark_enable_random_interleaving=true.
#include <MavLibrary/net/ping.h>
#include <MavLibrary/net/pingmanager.h>
#include <MavLibrary/net/pingsender.h>

#include "curlbaseline.h"

#include <nginxserver.h>
#include <rawhttpserver.h>

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

using MavTest::NginxServer;
using MavTest::RawHttpServer;

namespace {

NginxServer *s_nginx = nullptr;
RawHttpServer *s_gate = nullptr;

// As long as a real ping URL, but without a scheme: the worker drains these
// without touching the network.
const std::string s_queuedUrl = "stats.example.invalid/ping?event=start&version=9.0.2&os=X11";
constexpr int s_callsPerRun = 200000;

// Counts reports; wakes the waiting thread only once its count is reached, so
// that the worker shares the two cores with nginx alone.
class Counter : public PingSender
{
public:
    void pingCompleted(Ping *ping) override
    {
        std::lock_guard locker(m_mutex);
        m_failed += ping->getResult() != ztsc::HttpSuccess;
        if (++m_count == m_wanted)
            m_changed.notify_all();
    }
    // Waits for \a count reports in all; false when one of them failed.
    bool waitFor(long count)
    {
        std::unique_lock locker(m_mutex);
        m_wanted = count;
        m_changed.wait(locker, [&] { return m_count >= count; });
        return m_failed == 0;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    long m_count = 0;
    long m_wanted = 0;
    long m_failed = 0;
};

void sendPing_ours(benchmark::State &state)
{
    // Keep the worker busy on a request the gate holds, so that every call meets
    // a running worker.
    PingManager::sendPing(s_gate->url("/hold").toStdString(), nullptr, 0);
    if (!s_gate->waitForHeld(1)) {
        state.SkipWithError("the worker never reached the gate");
        return;
    }
    unsigned int id = 0;
    for (auto _ : state)
        PingManager::sendPing(s_queuedUrl, nullptr, ++id);
    // Outside the timed loop: the worker drains what was queued.
    s_gate->release();
    PingManager::shutdown();
    state.SetItemsProcessed(state.iterations());
}

void sendPing_vector(benchmark::State &state)
{
    static Ping ping;
    std::mutex mutex;
    std::vector<Ping *> queue;
    for (auto _ : state) {
        std::lock_guard locker(mutex);
        queue.push_back(&ping);
    }
    benchmark::DoNotOptimize(queue.data());
    state.SetItemsProcessed(state.iterations());
}

// Not a target: the vector with what every queued ping costs, a Ping made on the
// heap with its URL, to tell the manager's own share from the allocations.
struct NewPing : Ping
{
    NewPing(const std::string &url, unsigned int id) { init(url, nullptr, id); }
};

void sendPing_vectorOfNewPings(benchmark::State &state)
{
    std::mutex mutex;
    std::vector<Ping *> queue;
    unsigned int id = 0;
    for (auto _ : state) {
        Ping *ping = new NewPing(s_queuedUrl, ++id);
        std::lock_guard locker(mutex);
        queue.push_back(ping);
    }
    for (Ping *ping : queue)
        delete static_cast<NewPing *>(ping);
    state.SetItemsProcessed(state.iterations());
}

constexpr int s_batch = 200;

void pingsPerSecond_ours(benchmark::State &state)
{
    const std::string url = s_nginx->url(NginxServer::Http, QStringLiteral("/ok")).toStdString();
    Counter counter;
    long sent = 0;
    for (auto _ : state) {
        for (int i = 0; i < s_batch; ++i)
            PingManager::sendPing(url, &counter, ++sent);
        if (!counter.waitFor(sent)) {
            state.SkipWithError("a ping failed");
            break;
        }
    }
    PingManager::shutdown();
    state.SetItemsProcessed(state.iterations() * s_batch);
}

void pingsPerSecond_curl(benchmark::State &state)
{
    const std::string url = s_nginx->url(NginxServer::Http, QStringLiteral("/ok")).toStdString();
    CurlBaseline baseline(url);
    // The body is dropped, as a ping drops it.
    curl_easy_setopt(
        baseline.handle(), CURLOPT_WRITEFUNCTION,
        +[](char *, std::size_t size, std::size_t count, void *) { return size * count; });
    for (auto _ : state) {
        for (int i = 0; i < s_batch; ++i) {
            if (baseline.perform() != 200) {
                state.SkipWithError("GET failed");
                return;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * s_batch);
}

} // namespace

BENCHMARK(sendPing_ours)->Iterations(s_callsPerRun);
BENCHMARK(sendPing_vector)->Iterations(s_callsPerRun);
BENCHMARK(sendPing_vectorOfNewPings)->Iterations(s_callsPerRun);
BENCHMARK(pingsPerSecond_ours)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(pingsPerSecond_curl)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    RawHttpServer gate([](RawHttpServer::Connection &connection) {
        connection.readRequest();
        if (connection.waitForRelease())
            connection.send("HTTP/1.0 200 OK\r\n\r\n");
    });
    NginxServer nginx;
    if (!gate.start() || !nginx.start()) {
        std::fprintf(stderr, "bench_ping: cannot start the servers: %s\n",
                     qPrintable(nginx.errorString()));
        return 1;
    }
    s_gate = &gate;
    s_nginx = &nginx;
    curl_global_init(CURL_GLOBAL_DEFAULT);
    benchmark::RunSpecifiedBenchmarks();
    curl_global_cleanup();
    benchmark::Shutdown();
    return 0;
}
