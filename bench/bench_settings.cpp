// SPDX-License-Identifier: LGPL-2.1-or-later
// The settings store against what a caller would otherwise use: a raw SQLite
// lookup of the same row, and QSettings on an INI file.
#include <MavLibrary/settings/settingsfunctions.h>

#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <string>

namespace {

QTemporaryDir *s_dir = nullptr;

std::string hive()
{
    return s_dir->filePath(QStringLiteral("user-hive.db")).toStdString();
}

void prepare()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    ztds::userSettings::setString("Player/General", "Skin", std::string("Dark"));
    ztds::userSettings::setInt("Player/General", "Volume", 10);
    for (int i = 0; i < 10000; ++i)
        ztds::userSettings::setInt("Many", "value" + std::to_string(i), i);
}

void getString_ours(benchmark::State &state)
{
    prepare();
    std::string value;
    for (auto _ : state) {
        if (!ztds::userSettings::getString("Player/General", "Skin", value))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
}

void getInt_ours(benchmark::State &state)
{
    prepare();
    int value = 0;
    for (auto _ : state) {
        if (!ztds::userSettings::getInt("Player/General", "Volume", value))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(value);
    }
}

// The same row through a prepared statement kept open: the floor of any lookup.
void rawLookup_sqlite(benchmark::State &state)
{
    prepare();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(hive().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT type, data FROM vals WHERE key=?1 AND fold=?2", -1, &stmt, nullptr);
    const std::string key = "SOFTWARE\\ZENTRIX\\SETTINGS\\PLAYER\\GENERAL";
    for (auto _ : state) {
        sqlite3_bind_text(stmt, 1, key.data(), int(key.size()), SQLITE_STATIC);
        sqlite3_bind_text(stmt, 2, "SKIN", 4, SQLITE_STATIC);
        if (sqlite3_step(stmt) != SQLITE_ROW)
            state.SkipWithError("no row");
        std::string data(static_cast<const char *>(sqlite3_column_blob(stmt, 1)),
                         std::size_t(sqlite3_column_bytes(stmt, 1)));
        benchmark::DoNotOptimize(data);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void setInt_ours(benchmark::State &state)
{
    prepare();
    int i = 0;
    for (auto _ : state) {
        if (!ztds::userSettings::setInt("Player/General", "Position", ++i))
            state.SkipWithError("write failed");
    }
}

void setValueSync_qsettings(benchmark::State &state)
{
    const QString file = s_dir->filePath(QStringLiteral("settings.ini"));
    QSettings settings(file, QSettings::IniFormat);
    for (int i = 0; i < 1000; ++i)
        settings.setValue(QStringLiteral("General/value%1").arg(i), i);
    settings.sync();
    int i = 0;
    for (auto _ : state) {
        settings.setValue(QStringLiteral("General/Position"), ++i);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            state.SkipWithError("sync failed");
    }
}

void getValueNames_ours(benchmark::State &state)
{
    prepare();
    std::set<std::string> names;
    for (auto _ : state) {
        ztds::userSettings::getValueNames(std::string("Many"), names);
        if (names.size() != 10000)
            state.SkipWithError("wrong count");
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 10000);
}

} // namespace

BENCHMARK(getString_ours);
BENCHMARK(getInt_ours);
BENCHMARK(rawLookup_sqlite);
BENCHMARK(setInt_ours);
BENCHMARK(setValueSync_qsettings);
BENCHMARK(getValueNames_ours)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    s_dir = &dir;
    // Never the real user's hives.
    setenv("ZENTRIX_USER_HIVE", hive().c_str(), 1);
    setenv("ZENTRIX_MACHINE_HIVE", dir.filePath(QStringLiteral("machine-hive.db")).toLocal8Bit().constData(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
