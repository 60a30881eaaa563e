// SPDX-License-Identifier: LGPL-2.1-or-later
// The message hub against calling the member through Qt's meta-object system, and
// GUI-thread execution against Qt's queued invocation. The benchmarks run on a
// worker thread while the main thread runs the event loop that queued calls reach.
#include <MavLibrary/services/pubsubhub.h>
#include <MavLibrary/services/uithread.h>

#include <QCoreApplication>
#include <QMetaMethod>

#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>
#include <vector>

using Quorvex::PubSubHub;
using Quorvex::UIThread;

namespace {

class Target : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void on(const QString &message, const QVariant &value)
    {
        sum += message.size() + value.toInt();
    }
    void bump(void *) { ran.fetch_add(1, std::memory_order_relaxed); }

public:
    qsizetype sum = 0;
    static std::atomic<long> ran;
};
std::atomic<long> Target::ran {0};

void bumpFunction(void *)
{
    Target::ran.fetch_add(1, std::memory_order_relaxed);
}

const QString publishedName = QStringLiteral("Bench.Scan.Match");

void hub_direct(benchmark::State &state)
{
    Target target;
    PubSubHub::listenForMessage(QStringLiteral("Bench.Direct"), &target,
                                SLOT(on(QString, QVariant)), Qt::DirectConnection);
    const QString name = QStringLiteral("Bench.Direct.Play");
    const QVariant value(1);
    for (auto _ : state)
        PubSubHub::sendMessage(name, value);
    benchmark::DoNotOptimize(target.sum);
}

void metaMethod_invoke(benchmark::State &state)
{
    Target target;
    const QMetaMethod method =
        target.metaObject()->method(target.metaObject()->indexOfMethod("on(QString,QVariant)"));
    const QString name = QStringLiteral("Bench.Direct.Play");
    const QVariant value(1);
    for (auto _ : state)
        method.invoke(&target, Qt::DirectConnection, Q_ARG(QString, name), Q_ARG(QVariant, value));
    benchmark::DoNotOptimize(target.sum);
}

// 1,000 subscriptions, one of which matches: 100 listeners with 10 names each.
void hub_scan1000(benchmark::State &state)
{
    std::vector<std::unique_ptr<Target>> targets;
    for (int l = 0; l < 100; ++l) {
        targets.push_back(std::make_unique<Target>());
        for (int s = 0; s < 10; ++s) {
            const QString name =
                l == 0 && s == 0 ? publishedName : QStringLiteral("Bench.Scan.%1").arg(l * 10 + s);
            PubSubHub::listenForMessage(name, targets.back().get(), SLOT(on(QString, QVariant)),
                                        Qt::DirectConnection);
        }
    }
    const QVariant value(1);
    for (auto _ : state)
        PubSubHub::sendMessage(publishedName, value);
    state.counters["per_subscription"] = benchmark::Counter(
        1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The bare prefix tests the hub cannot avoid.
void startsWith_scan1000(benchmark::State &state)
{
    QList<QString> names;
    for (int i = 0; i < 1000; ++i)
        names.append(i == 0 ? publishedName : QStringLiteral("Bench.Scan.%1").arg(i));
    for (auto _ : state) {
        int matches = 0;
        for (const QString &name : std::as_const(names))
            matches += publishedName.startsWith(name);
        benchmark::DoNotOptimize(matches);
    }
    state.counters["per_subscription"] = benchmark::Counter(
        1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// What a non-waiting call costs its caller: each iteration posts a batch, then,
// untimed, waits until the GUI thread has run it.
template<typename Post> void queued(benchmark::State &state, Post post)
{
    constexpr int batch = 256;
    long expected = Target::ran.load();
    for (auto _ : state) {
        for (int i = 0; i < batch; ++i)
            post();
        expected += batch;
        state.PauseTiming();
        while (Target::ran.load(std::memory_order_relaxed) < expected)
            std::this_thread::yield();
        state.ResumeTiming();
    }
    state.counters["per_call"] = benchmark::Counter(
        batch, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void executeFunction_noWait(benchmark::State &state)
{
    queued(state, [] { UIThread::executeFunction(&bumpFunction, false, nullptr); });
}

void invokeMethod_queuedFunctor(benchmark::State &state)
{
    queued(state, [] {
        QMetaObject::invokeMethod(
            qApp, [] { bumpFunction(nullptr); }, Qt::QueuedConnection);
    });
}

Target *s_receiver = nullptr;

void invokeMethod_queuedByName(benchmark::State &state)
{
    queued(state, [] {
        QMetaObject::invokeMethod(s_receiver, "bump", Qt::QueuedConnection, Q_ARG(void *, nullptr));
    });
}

} // namespace

BENCHMARK(hub_direct);
BENCHMARK(metaMethod_invoke);
BENCHMARK(hub_scan1000);
BENCHMARK(startsWith_scan1000);
BENCHMARK(executeFunction_noWait);
BENCHMARK(invokeMethod_queuedFunctor);
BENCHMARK(invokeMethod_queuedByName);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Target receiver;
    s_receiver = &receiver;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::thread runner([&app] {
        benchmark::RunSpecifiedBenchmarks();
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    app.exec();
    runner.join();
    benchmark::Shutdown();
    return 0;
}

#include "bench_services.moc"
