// SPDX-License-Identifier: LGPL-2.1-or-later
//
// CreateThread, GetExitCodeThread and TerminateThread on pthreads. The exit code
// reads STILL_ACTIVE (259) until the callback has returned. TerminateThread
// becomes pthread_cancel followed by pthread_join: the thread ends at its next
// cancellation point and unwinds its C++ frames, so the guards it holds let go of
// their locks (Windows would leave them held). A thread terminating itself ends
// at once, through pthread_exit's forced unwinding. Priorities map onto
// scheduling policies:
//
//   PriorityBelowNormal   SCHED_BATCH       (mildly disfavoured, reversible)
//   PriorityNormal        SCHED_OTHER
//   PriorityAboveNormal   SCHED_RR, 1       (the Windows level +1)
//   PriorityTimeCritical  SCHED_RR, 15      (the Windows level 15)
//
// The real-time ones need CAP_SYS_NICE or an RLIMIT_RTPRIO; refused, the thread
// keeps its policy.
#include "thread.h"

#include "timing.h"

#include <cxxabi.h>
#include <pthread.h>
#include <sched.h>

#include <utility>

namespace ztpm {

struct ThreadHandle
{
    pthread_t id;
    std::atomic<std::uint32_t> exitCode = Thread::StillActive;
    // The owner and the OS thread each hold one; the OS thread may outlive the
    // owner's reference when a thread kills itself.
    std::atomic<int> references = 2;
    Thread *thread;
};

namespace {

void releaseHandle(ThreadHandle *handle)
{
    if (handle->references.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete handle;
}

struct SchedulingPolicy
{
    int policy;
    int priority;
};

constexpr SchedulingPolicy s_policies[] = {
    {SCHED_OTHER, 0}, // PriorityNormal
    {SCHED_RR, 1}, // PriorityAboveNormal
    {SCHED_RR, 15}, // PriorityTimeCritical
    {SCHED_BATCH, 0}, // PriorityBelowNormal
};

void applyPriority(pthread_t thread, ThreadPriority priority)
{
    if (priority < PriorityNormal || priority > PriorityBelowNormal)
        return;
    const SchedulingPolicy &wanted = s_policies[priority];
    sched_param parameter {};
    parameter.sched_priority = wanted.priority;
    pthread_setschedparam(thread, wanted.policy, &parameter);
}

ThreadPriority readPriority(pthread_t thread)
{
    int policy;
    sched_param parameter;
    if (pthread_getschedparam(thread, &policy, &parameter) != 0)
        return PriorityNormal;
    for (int p = PriorityNormal; p <= PriorityBelowNormal; ++p) {
        if (s_policies[p].policy == policy
            && (policy != SCHED_RR || s_policies[p].priority == parameter.sched_priority))
            return ThreadPriority(p);
    }
    return PriorityNormal;
}

} // namespace

IRunnable::~IRunnable() = default;
IThreadHandler::~IThreadHandler() = default;

Thread::Thread() = default;

Thread::Thread(IRunnable *runnable)
    : m_runnable(runnable)
{ }

Thread::Thread(IThreadHandler *handler)
    : m_handler(handler)
{ }

Thread::~Thread() noexcept(false)
{
    // On its own thread this does not return: the forced unwinding goes on
    // through the destruction of the members and the freeing of the object.
    kill();
}

// The forced unwinding of a cancellation carries no C++ object, so catching it
// binds a null reference; UBSan's null check would call that a fault.
__attribute__((no_sanitize("null"))) void *Thread::entry(void *data)
{
    auto *handle = static_cast<ThreadHandle *>(data);
    // Runs on return, on an exception and on the unwinding of a cancellation.
    struct Finish
    {
        ThreadHandle *handle;
        std::uint32_t exitCode = 0;
        ~Finish()
        {
            handle->exitCode.store(exitCode, std::memory_order_release);
            releaseHandle(handle);
        }
    } finish {handle};

    Thread *thread = handle->thread;
    try {
        if (thread->m_runnable)
            thread->m_runnable->runThread(thread);
        else if (thread->m_handler)
            thread->m_handler->handleThread(thread);
        else
            finish.exitCode = 1;
    } catch (abi::__forced_unwind &) {
        throw; // cancellation by kill() must unwind on to the end of the thread
    } catch (...) {
        // Nothing is thrown across the library; a callback's exception ends its
        // thread as a failure instead of the process.
        finish.exitCode = 1;
    }
    return nullptr;
}

ThreadHandle *Thread::start()
{
    if (m_handle) {
        if (isRunning())
            return nullptr;
        pthread_join(m_handle->id, nullptr);
        releaseHandle(m_handle);
        m_handle = nullptr;
    }
    auto *handle = new ThreadHandle;
    handle->thread = this;
    // Set before the thread exists, so that the callback already sees itself running.
    m_handle = handle;
    if (pthread_create(&handle->id, nullptr, &Thread::entry, handle) != 0) {
        m_handle = nullptr;
        delete handle;
        return nullptr;
    }
    return handle;
}

bool Thread::isRunning() const
{
    return m_handle && m_handle->exitCode.load(std::memory_order_acquire) == StillActive;
}

bool Thread::isStopRequested() const
{
    return m_stopRequested.load(std::memory_order_relaxed);
}

bool Thread::getExitCode(std::uint32_t *exitCode) const
{
    if (!m_handle)
        return false;
    *exitCode = m_handle->exitCode.load(std::memory_order_acquire);
    return true;
}

void Thread::stop()
{
    if (!m_handle)
        return;
    m_stopRequested.store(true, std::memory_order_relaxed);
    while (isRunning())
        ztpm::sleep(50);
    m_stopRequested.store(false, std::memory_order_relaxed);
    pthread_join(m_handle->id, nullptr);
    releaseHandle(m_handle);
    m_handle = nullptr;
}

void Thread::kill()
{
    m_reservedFlag = false;
    if (!m_handle)
        return;
    ThreadHandle *handle = std::exchange(m_handle, nullptr);
    if (pthread_equal(handle->id, pthread_self())) {
        // TerminateThread on oneself: nothing after this call runs. Nobody will
        // join, and the entry's guard gives up the thread's reference (exit code 0).
        pthread_detach(handle->id);
        releaseHandle(handle);
        pthread_exit(nullptr);
    }
    if (handle->exitCode.load(std::memory_order_acquire) == StillActive)
        pthread_cancel(handle->id);
    pthread_join(handle->id, nullptr);
    releaseHandle(handle);
}

void Thread::setPriority(ThreadPriority priority)
{
    if (m_handle)
        applyPriority(m_handle->id, priority);
}

ThreadPriority Thread::getPriority() const
{
    return m_handle ? readPriority(m_handle->id) : PriorityNormal;
}

void Thread::setCurrentPriority(ThreadPriority priority)
{
    applyPriority(pthread_self(), priority);
}

ThreadPriority Thread::getCurrentPriority()
{
    return readPriority(pthread_self());
}

void Thread::setValue(const std::string &key, std::int32_t value)
{
    if (!key.empty())
        m_values[key] = value;
}

std::int32_t Thread::getValue(const std::string &key)
{
    return m_values[key];
}

} // namespace ztpm
