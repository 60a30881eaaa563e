// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <pthread.h>

namespace ztpm {

enum class MutexSharing { ProcessLocal, BetweenProcesses };

/*!
    Sets up \a mutex as a recursive pthread mutex, which is what both Windows
    locks (mutex and critical section) are for their owning thread. Shared
    between processes, it is also robust: an owner that dies leaves it
    acquirable (EOWNERDEAD), as an abandoned Windows mutex is.
*/
inline bool initRecursiveMutex(pthread_mutex_t *mutex,
                               MutexSharing sharing = MutexSharing::ProcessLocal)
{
    pthread_mutexattr_t attributes;
    if (pthread_mutexattr_init(&attributes) != 0)
        return false;
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    if (sharing == MutexSharing::BetweenProcesses) {
        pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
        pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
    }
    const bool ok = pthread_mutex_init(mutex, &attributes) == 0;
    pthread_mutexattr_destroy(&attributes);
    return ok;
}

} // namespace ztpm
