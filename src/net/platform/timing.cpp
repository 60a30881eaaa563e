// SPDX-License-Identifier: LGPL-2.1-or-later
//
// Sleep, QueryPerformanceCounter and QueryPerformanceFrequency: nanosleep and the
// monotonic clock, counted in nanoseconds.
#include "timing.h"

#include <cerrno>
#include <ctime>

#include <pthread.h>
#include <sched.h>

#if defined(__SANITIZE_THREAD__)
#define MAVLIBRARY_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define MAVLIBRARY_TSAN 1
#endif
#endif
#if MAVLIBRARY_TSAN
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace ztpm {

void sleep(unsigned milliseconds)
{
    if (milliseconds == 0) {
        // Sleep(0) gives up the rest of the time slice; stay a cancellation point.
        sched_yield();
        pthread_testcancel();
        return;
    }
    timespec remaining {time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
#if MAVLIBRARY_TSAN
    // ThreadSanitizer loses track of a thread's locks when a cancellation unwinds
    // through one of its interceptors; sleep on the bare system call instead,
    // cancellable there as nanosleep is.
    int type;
    pthread_setcanceltype(PTHREAD_CANCEL_ASYNCHRONOUS, &type);
    while (syscall(SYS_nanosleep, &remaining, &remaining) != 0 && errno == EINTR) { }
    pthread_setcanceltype(type, nullptr);
#else
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) { }
#endif
}

std::int64_t getHighResolutionCounter()
{
    timespec now;
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0)
        return 0;
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::int64_t getHighResolutionFrequency()
{
    timespec resolution;
    return clock_getres(CLOCK_MONOTONIC, &resolution) == 0 ? 1000000000 : 1;
}

} // namespace ztpm
