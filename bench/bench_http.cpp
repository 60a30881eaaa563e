// SPDX-License-Identifier: LGPL-2.1-or-later
// GETs against a local nginx, one new connection each: ztsc::HttpSSLUtility
// against libcurl's easy interface doing the same (HTTP/1.0, no connection reuse,
// no TLS session resumption, no certificate verification: as a ping does), a 1 GiB
// download streamed to a file with the rise of the resident set it costs, and a
// bare TLS handshake loop for the cost no client can avoid. On a shared machine run
// it with --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true, so
// that load spikes fall on both sides alike.
#include <MavLibrary/net/http/httpsslutility.h>
#include <MavLibrary/net/platform/file.h>

#include "curlbaseline.h"

#include <nginxserver.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <openssl/ssl.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

using MavTest::NginxServer;

namespace {

NginxServer *s_nginx = nullptr;

std::string url(NginxServer::Listener listener, const char *path)
{
    return s_nginx->url(listener, QString::fromLatin1(path)).toStdString();
}

const char *fileName(std::int64_t mebibytes)
{
    return mebibytes == 1 ? "/files/1M.bin" : mebibytes == 4 ? "/files/4M.bin" : "/files/16M.bin";
}

void ours(benchmark::State &state, const std::string &target, std::int64_t bytes)
{
    for (auto _ : state) {
        ztsc::HttpSSLUtility utility;
        ztsc::HttpErrorIds outcome = ztsc::HttpAborted;
        const auto body = utility.get(target, 0, false, &outcome, nullptr);
        if (outcome != ztsc::HttpSuccess || (bytes && std::int64_t(body.second) != bytes)) {
            state.SkipWithError("GET failed");
            return;
        }
        benchmark::DoNotOptimize(body.first);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * bytes);
}

std::size_t appendToString(char *data, std::size_t size, std::size_t count, void *body)
{
    static_cast<std::string *>(body)->append(data, size * count);
    return size * count;
}

void curl(benchmark::State &state, const std::string &target, std::int64_t bytes)
{
    CurlBaseline baseline(target);
    std::string body;
    curl_easy_setopt(baseline.handle(), CURLOPT_WRITEFUNCTION, appendToString);
    curl_easy_setopt(baseline.handle(), CURLOPT_WRITEDATA, &body);
    for (auto _ : state) {
        body.clear();
        body.shrink_to_fit(); // each request starts with no memory, as ours does
        if (baseline.perform() != 200 || (bytes && std::int64_t(body.size()) != bytes)) {
            state.SkipWithError("GET failed");
            break;
        }
        benchmark::DoNotOptimize(body.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * bytes);
}

void smallGetHttp_ours(benchmark::State &state)
{
    ours(state, url(NginxServer::Http, "/ok"), 0);
}

void smallGetHttp_curl(benchmark::State &state)
{
    curl(state, url(NginxServer::Http, "/ok"), 0);
}

void smallGetHttps_ours(benchmark::State &state)
{
    ours(state, url(NginxServer::Https, "/ok"), 0);
}

void smallGetHttps_curl(benchmark::State &state)
{
    curl(state, url(NginxServer::Https, "/ok"), 0);
}

// Connect, full handshake, close_notify, close: with one context made beforehand.
void bareTlsHandshake(benchmark::State &state)
{
    SSL_CTX *context = SSL_CTX_new(TLS_client_method());
    SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
    SSL_CTX_set_session_cache_mode(context, SSL_SESS_CACHE_OFF);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(s_nginx->port(NginxServer::Https));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (auto _ : state) {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        SSL *ssl = SSL_new(context);
        const bool ok = connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
            && SSL_set_fd(ssl, fd) == 1 && SSL_connect(ssl) == 1;
        if (ok)
            SSL_shutdown(ssl);
        SSL_free(ssl);
        close(fd);
        if (!ok) {
            state.SkipWithError("handshake failed");
            break;
        }
    }
    SSL_CTX_free(context);
    state.SetItemsProcessed(state.iterations());
}

void largeGet_ours(benchmark::State &state)
{
    ours(state, url(NginxServer::Http, fileName(state.range(0))), state.range(0) << 20);
}

void largeGet_curl(benchmark::State &state)
{
    curl(state, url(NginxServer::Http, fileName(state.range(0))), state.range(0) << 20);
}

// A 1 GiB body streamed to a file: what a client keeps in memory meanwhile.
QString s_downloadTarget;
constexpr std::int64_t s_gibibyte = std::int64_t(1) << 30;

qint64 statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field)))
                .trimmed()
                .split(' ')
                .value(0)
                .toLongLong();
    }
    return 0;
}

// How far the resident set of the process rose while \a run ran, in KiB.
template<typename Run> void reportPeak(benchmark::State &state, Run run)
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5"); // the peak starts again from here
    refs.close();
    const qint64 before = statusKiB("VmRSS:");
    run();
    state.counters["peak_rss_growth_KiB"] = double(statusKiB("VmHWM:") - before);
    state.SetBytesProcessed(state.iterations() * s_gibibyte);
}

void download1GiB_ours(benchmark::State &state)
{
    const std::string target = url(NginxServer::Http, "/files/1G.bin");
    reportPeak(state, [&] {
        for (auto _ : state) {
            ztpm::File file;
            ztsc::HttpSSLUtility utility;
            if (file.open(s_downloadTarget.toStdWString(), ztpm::File::WriteTruncate) != 0
                || utility.download(target, &file, false, nullptr) != ztsc::HttpSuccess
                || QFileInfo(s_downloadTarget).size() != s_gibibyte) {
                state.SkipWithError("download failed");
                return;
            }
        }
    });
}

void download1GiB_curl(benchmark::State &state)
{
    CurlBaseline baseline(url(NginxServer::Http, "/files/1G.bin"));
    reportPeak(state, [&] {
        for (auto _ : state) {
            FILE *file = std::fopen(QFile::encodeName(s_downloadTarget).constData(), "wb");
            curl_easy_setopt(baseline.handle(), CURLOPT_WRITEFUNCTION, std::fwrite);
            curl_easy_setopt(baseline.handle(), CURLOPT_WRITEDATA, file);
            const long status = file ? baseline.perform() : 0;
            const bool closed = file && std::fclose(file) == 0;
            if (status != 200 || !closed || QFileInfo(s_downloadTarget).size() != s_gibibyte) {
                state.SkipWithError("download failed");
                return;
            }
        }
    });
}

} // namespace

BENCHMARK(smallGetHttp_ours)->UseRealTime();
BENCHMARK(smallGetHttp_curl)->UseRealTime();
BENCHMARK(smallGetHttps_ours)->UseRealTime();
BENCHMARK(smallGetHttps_curl)->UseRealTime();
BENCHMARK(bareTlsHandshake)->UseRealTime();
BENCHMARK(largeGet_ours)->Arg(1)->Arg(4)->Arg(16)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(largeGet_curl)->Arg(1)->Arg(4)->Arg(16)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(download1GiB_ours)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(download1GiB_curl)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    NginxServer nginx;
    if (!nginx.start()) {
        std::fprintf(stderr, "bench_http: %s\n", qPrintable(nginx.errorString()));
        return 1;
    }
    for (const int mebibytes : {1, 4, 16})
        nginx.createRandomFile(QString::fromLatin1(fileName(mebibytes) + 7),
                               qint64(mebibytes) << 20);
    // Sparse: nginx serves it from the page cache without a gibibyte on the disk. The
    // copies go to memory when /dev/shm is there, so that the disk does not decide.
    QFile big(nginx.filesPath() + QStringLiteral("/1G.bin"));
    if (!big.open(QIODevice::WriteOnly) || !big.resize(s_gibibyte)) {
        std::fprintf(stderr, "bench_http: cannot make %s\n", qPrintable(big.fileName()));
        return 1;
    }
    big.close();
    QTemporaryDir scratch(QDir(QStringLiteral("/dev/shm")).exists()
                              ? QStringLiteral("/dev/shm/bench_http-XXXXXX")
                              : QDir::tempPath() + QStringLiteral("/bench_http-XXXXXX"));
    s_downloadTarget = scratch.filePath(QStringLiteral("1G.bin"));
    s_nginx = &nginx;
    curl_global_init(CURL_GLOBAL_DEFAULT);
    benchmark::RunSpecifiedBenchmarks();
    curl_global_cleanup();
    benchmark::Shutdown();
    return 0;
}
