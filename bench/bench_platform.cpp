// SPDX-License-Identifier: LGPL-2.1-or-later
// Uncontended lock and unlock: ztpm::Mutex and ztpm::CritSection against
// std::recursive_mutex.
#include <MavLibrary/net/platform/critsection.h>
#include <MavLibrary/net/platform/mutex.h>

#include <benchmark/benchmark.h>

#include <mutex>
#include <string>

#include <unistd.h>

namespace {

void lockUnlock_stdRecursiveMutex(benchmark::State &state)
{
    std::recursive_mutex mutex;
    for (auto _ : state) {
        mutex.lock();
        mutex.unlock();
    }
}

void lockUnlock_mutex(benchmark::State &state)
{
    ztpm::Mutex mutex;
    for (auto _ : state) {
        mutex.lock();
        mutex.unlock();
    }
}

void lockUnlock_namedMutex(benchmark::State &state)
{
    const std::string name = "bench_platform-" + std::to_string(getpid());
    ztpm::Mutex mutex(name.c_str());
    for (auto _ : state) {
        mutex.lock();
        mutex.unlock();
    }
}

void lockUnlock_critSection(benchmark::State &state)
{
    ztpm::CritSection section;
    for (auto _ : state) {
        section.lock();
        section.unlock();
    }
}

} // namespace

BENCHMARK(lockUnlock_stdRecursiveMutex);
BENCHMARK(lockUnlock_mutex);
BENCHMARK(lockUnlock_critSection);
BENCHMARK(lockUnlock_namedMutex);

BENCHMARK_MAIN();
