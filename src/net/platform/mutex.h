// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

namespace ztpm {

struct MutexHandle;

/*!
    A recursive mutex. Anonymous (null name) it is private to the process; named,
    every Mutex of the same name in any process of the same user is the same lock.

    A named mutex whose owner ends while holding it (a crash, a thread that returns
    with the lock held) is left acquirable: the next lock() or tryLock() takes it.
    Creation failure is not reported: lock() then returns at once and tryLock()
    fails. Destroying a named mutex gives back at once the levels the calling
    thread holds through it, where Windows would keep the mutex owned until that
    thread ends and then abandon it; no other thread may hold it through this
    object then. \threadsafe
*/
class MAVLIBRARY_EXPORT Mutex
{
public:
    explicit Mutex(const char *name = nullptr);
    virtual ~Mutex();

    Mutex(const Mutex &) = delete;
    Mutex &operator=(const Mutex &) = delete;

    virtual void unlock();
    virtual void lock();
    //! True when the calling thread holds the mutex afterwards; never waits.
    virtual bool tryLock();

private:
    int m_reserved = 0;
    MutexHandle *m_handle = nullptr;
    int m_named = 0;
};

/*!
    Holds a Mutex from construction until release() or destruction. \reentrant
*/
class MAVLIBRARY_EXPORT MutexLock
{
public:
    explicit MutexLock(Mutex *mutex);
    virtual ~MutexLock();

    MutexLock(const MutexLock &) = delete;
    MutexLock &operator=(const MutexLock &) = delete;

    //! Unlocks once; later calls and the destructor do nothing.
    void release();

private:
    Mutex *m_mutex;
};

} // namespace ztpm
