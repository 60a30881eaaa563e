// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <string>

namespace ztpm {

class Thread;
struct ThreadHandle;

// A fixed underlying type keeps values outside the four well defined; they are ignored.
enum ThreadPriority : int {
    PriorityNormal = 0,
    PriorityAboveNormal = 1,
    PriorityTimeCritical = 2,
    PriorityBelowNormal = 3
};

//! What a Thread runs.
class MAVLIBRARY_EXPORT IRunnable
{
public:
    virtual ~IRunnable();
    virtual void runThread(Thread *thread) = 0;
};

//! The other kind of callback a Thread can run instead of an IRunnable.
class MAVLIBRARY_EXPORT IThreadHandler
{
public:
    virtual ~IThreadHandler();
    virtual void handleThread(Thread *thread) = 0;
};

/*!
    One OS thread at a time that runs a callback object, with the callback's
    exit code, a stop request the callback polls, and named values.

    The callback returns to end the thread (exit code 0); a thread with no
    callback ends at once with exit code 1. stop() asks and waits; kill()
    cancels: the thread ends at its next cancellation point (any blocking system
    call, ztpm::sleep() included), unwinding its C++ frames on the way, and kill()
    waits for that. A callback that spins without reaching one cannot be killed.

    Called on the thread itself, kill() and the destructor end that thread at
    once (exit code 0) by forced unwinding: the frames in between unwind, their
    guards let go, and nothing after the call runs; the destructor still frees
    what the object owns, and delete its memory. A noexcept frame on the way (a
    destructor, std::unique_ptr's reset) cannot be unwound and ends the process
    instead.

    The Thread object itself is not thread-safe: start, stop, kill, the priority
    operations and the values belong to the owner's thread; the callback may call
    isStopRequested() and getValue()/setValue() only when the owner leaves them
    alone meanwhile.
*/
class MAVLIBRARY_EXPORT Thread
{
public:
    //! The exit code of a thread that has not ended yet.
    static constexpr std::uint32_t StillActive = 259;

    Thread();
    explicit Thread(IRunnable *runnable);
    explicit Thread(IThreadHandler *handler);
    //! Kills a thread still running; call stop() first for an orderly end.
    //! Run on its own thread, it ends that thread (see above), hence may unwind.
    virtual ~Thread() noexcept(false);

    Thread(const Thread &) = delete;
    Thread &operator=(const Thread &) = delete;

    /*!
        Starts the callback on a new OS thread and returns its handle. A thread
        that has ended is reaped first; while one still runs, nothing is started
        and the result is null, as it is when the system refuses a thread.
    */
    ThreadHandle *start();
    bool isRunning() const;
    bool isStopRequested() const;
    //! Exit code of the thread last started (StillActive while it runs); false when idle.
    bool getExitCode(std::uint32_t *exitCode) const;

    //! Requests a stop and waits, polling every 50 ms, until the callback has returned.
    void stop();
    void kill();

    void setPriority(ThreadPriority priority);
    ThreadPriority getPriority() const;
    static void setCurrentPriority(ThreadPriority priority);
    static ThreadPriority getCurrentPriority();

    void setValue(const std::string &key, std::int32_t value);
    std::int32_t getValue(const std::string &key);

private:
    static void *entry(void *data);

    IRunnable *m_runnable = nullptr;
    IThreadHandler *m_handler = nullptr;
    std::atomic<bool> m_stopRequested = false;
    bool m_reservedFlag = false; // cleared by construction and kill(); nothing sets it
    ThreadHandle *m_handle = nullptr;
    std::map<std::string, std::int32_t> m_values;
};

} // namespace ztpm
