// SPDX-License-Identifier: LGPL-2.1-or-later
// UTF-8 <-> wide: ours against the round trip through QString.
#include <MavLibrary/text/utfconversion.h>

#include <QString>

#include <benchmark/benchmark.h>

namespace {

std::string sample(int kind)
{
    static const char *const pieces[] = {
        "The quick brown fox jumps over the lazy dog. ",
        "Gr\xC3\xBC\xC3\x9F"
        "e aus K\xC3\xB6ln, \xC5\xBB\xC3\xB3\xC5\x82w, \xC3\x89t\xC3\xA9. ",
        "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE5\xAD\x97\xE5\xB9\x95\xE3\x80\x82",
    };
    std::string text;
    while (text.size() < 4096)
        text += pieces[kind];
    return text;
}

const char *const kindNames[] = {"ascii", "european", "cjk"};

void utf8ToWide_ours(benchmark::State &state)
{
    const std::string text = sample(int(state.range(0)));
    state.SetLabel(kindNames[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(ztds::utf8ToWide(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void utf8ToWide_qt(benchmark::State &state)
{
    const std::string text = sample(int(state.range(0)));
    state.SetLabel(kindNames[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            QString::fromUtf8(text.data(), qsizetype(text.size())).toStdWString());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void wideToUtf8_ours(benchmark::State &state)
{
    const std::string utf8 = sample(int(state.range(0)));
    const std::wstring text = ztds::utf8ToWide(utf8);
    state.SetLabel(kindNames[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(ztds::wideToUtf8(text));
    // UTF-8 bytes written, so that both directions count the same bytes.
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(utf8.size()));
}

void wideToUtf8_qt(benchmark::State &state)
{
    const std::string utf8 = sample(int(state.range(0)));
    const std::wstring text = ztds::utf8ToWide(utf8);
    state.SetLabel(kindNames[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(QString::fromStdWString(text).toUtf8());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(utf8.size()));
}

} // namespace

BENCHMARK(utf8ToWide_ours)->DenseRange(0, 2);
BENCHMARK(utf8ToWide_qt)->DenseRange(0, 2);
BENCHMARK(wideToUtf8_ours)->DenseRange(0, 2);
BENCHMARK(wideToUtf8_qt)->DenseRange(0, 2);

BENCHMARK_MAIN();
