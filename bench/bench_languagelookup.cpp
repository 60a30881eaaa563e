// SPDX-License-Identifier: LGPL-2.1-or-later
// languageCodeToString after the tables are built, against Qt's own code-to-name path.
#include <MavLibrary/text/mavstringtools.h>

#include <QLocale>
#include <QString>

#include <benchmark/benchmark.h>

namespace {

// Two- and three-letter codes in both cases, and one that is in no table.
const QString codes[] = {QStringLiteral("EN"),  QStringLiteral("ger"), QStringLiteral("fr"),
                         QStringLiteral("JPN"), QStringLiteral("pt"),  QStringLiteral("xx")};

void languageCodeToString_ours(benchmark::State &state)
{
    Quorvex::MavStringTools::languageCodeToString(QStringLiteral("en")); // builds the tables
    for (auto _ : state) {
        for (const QString &code : codes)
            benchmark::DoNotOptimize(Quorvex::MavStringTools::languageCodeToString(code));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(std::size(codes)));
}

void languageCodeToString_qlocale(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QString &code : codes) {
            const QLocale::Language language = QLocale::codeToLanguage(code.toLower());
            benchmark::DoNotOptimize(
                language == QLocale::AnyLanguage ? QString() : QLocale::languageToString(language));
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(std::size(codes)));
}

} // namespace

BENCHMARK(languageCodeToString_ours);
BENCHMARK(languageCodeToString_qlocale);

BENCHMARK_MAIN();
