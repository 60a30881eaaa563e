// SPDX-License-Identifier: LGPL-2.1-or-later
// A catalogue read against the same read with the group and key spelled out:
// the catalogue must cost nothing.
#include <MavLibrary/settings/playersettings.h>
#include <MavLibrary/settings/settingsfunctions.h>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using Quorvex::PlayerSettings;

void prepare()
{
    static const bool done = [] {
        ztds::userSettings::setString("Player/General", "Skin", std::string("Dark"));
        ztds::userSettings::setInt("Player/PlayerState", "Volume", 10);
        return true;
    }();
    (void)done;
}

void getString_catalogue(benchmark::State &state)
{
    prepare();
    for (auto _ : state) {
        const QString value = PlayerSettings::getString(Quorvex::Skin, QString());
        if (value.isEmpty())
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
}

void getString_spelled(benchmark::State &state)
{
    prepare();
    for (auto _ : state) {
        std::wstring text;
        if (!ztds::userSettings::getString(std::string("Player/General"), std::string("Skin"),
                                           text))
            state.SkipWithError("read failed");
        const QString value = QString::fromStdWString(text);
        benchmark::DoNotOptimize(value);
    }
}

void getInt_catalogue(benchmark::State &state)
{
    prepare();
    for (auto _ : state) {
        const int value = PlayerSettings::getInt(Quorvex::Volume, -1);
        if (value != 10)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
}

void getInt_spelled(benchmark::State &state)
{
    prepare();
    for (auto _ : state) {
        int value = -1;
        if (!ztds::userSettings::getInt(std::string("Player/PlayerState"), std::string("Volume"),
                                        value))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
}

} // namespace

BENCHMARK(getString_catalogue);
BENCHMARK(getString_spelled);
BENCHMARK(getInt_catalogue);
BENCHMARK(getInt_spelled);

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    // Never the real user's hives.
    setenv("ZENTRIX_USER_HIVE", QFile::encodeName(dir.filePath("user-hive.db")).constData(), 1);
    setenv("ZENTRIX_MACHINE_HIVE", QFile::encodeName(dir.filePath("machine-hive.db")).constData(),
           1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
