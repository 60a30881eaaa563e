// SPDX-License-Identifier: LGPL-2.1-or-later
// A free name in a folder of 1,000 numbered copies: ours against one
// QFile::exists per candidate, numbering as ours does.
#include <MavLibrary/os/osutilities.h>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir *s_dir = nullptr;

QString prepare()
{
    static const QString path = [] {
        const QString base = s_dir->filePath(QStringLiteral("movie"));
        QFile(base + QStringLiteral(".avi")).open(QIODevice::WriteOnly);
        for (int n = 1; n <= 1000; ++n)
            QFile(base + QStringLiteral("[%1].avi").arg(n)).open(QIODevice::WriteOnly);
        return base + QStringLiteral(".avi");
    }();
    return path;
}

void ensureUniqueFilePath_ours(benchmark::State &state)
{
    const QString path = prepare();
    for (auto _ : state) {
        const QString free = Quorvex::OSUtilities::ensureUniqueFilePath(path);
        if (!free.endsWith(QLatin1String("[1001].avi")))
            state.SkipWithError("wrong name");
        benchmark::DoNotOptimize(free);
    }
}

void ensureUniqueFilePath_existsPerCandidate(benchmark::State &state)
{
    const QString path = prepare();
    const QString stem = path.chopped(4);
    for (auto _ : state) {
        QString free = path;
        for (int n = 1; QFile::exists(free); ++n)
            free = stem + QLatin1Char('[') + QString::number(n) + QStringLiteral("].avi");
        if (!free.endsWith(QLatin1String("[1001].avi")))
            state.SkipWithError("wrong name");
        benchmark::DoNotOptimize(free);
    }
}

} // namespace

BENCHMARK(ensureUniqueFilePath_ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(ensureUniqueFilePath_existsPerCandidate)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    s_dir = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
