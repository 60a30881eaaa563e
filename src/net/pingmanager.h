// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/net/platform/mutex.h>
#include <MavLibrary/net/platform/thread.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Ping;
class PingSender;

/*!
    Sends pings, fire-and-forget HTTP(S) GETs, one at a time on a background
    worker thread, and reports each outcome to its sender.

    sendPing() returns at once from any thread; it never waits for the network.
    The worker starts when a ping is queued and none runs, serves the most recently
    queued ping first, and ends when the queue is empty. Pings do not verify the
    server's certificate and carry no If-Modified-Since. In reference-player mode
    pings are dropped: neither sent nor reported.

    Each ping reads at most 1 MiB of its answer's body, into nothing, and takes at
    most 30 s in all (connecting, TLS, sending, reading), however slowly a server
    answers. shutdown() waits until every queued ping has been sent and reported,
    so at most about 30 s times the pings pending; a ping sent afterwards starts a
    new manager. Do not call it from pingCompleted(). QtPingSender brings the
    outcomes back to a Qt thread as a signal.
    \threadsafe
*/
class MAVLIBRARY_EXPORT PingManager : public ztpm::IRunnable
{
public:
    ~PingManager() override;

    PingManager(const PingManager &) = delete;
    PingManager &operator=(const PingManager &) = delete;

    //! Queues a GET of \a url; \a sender (may be null) gets the outcome with \a id.
    static void sendPing(const char *url, PingSender *sender, unsigned int id);
    static void sendPing(const std::string &url, PingSender *sender, unsigned int id);
    //! Waits until every queued ping has been reported, then ends the manager.
    static void shutdown();

private:
    friend class PingManagerPrivate;

    PingManager();
    // Both sendPing() overloads: makes the ping, then queues it with the current manager.
    static void enqueue(std::string_view url, PingSender *sender, unsigned int id);
    // The manager; created on first use. Only under the instance lock.
    static PingManager *instance();
    // Queues \a ping (taken over once queued) and starts a worker when none serves the queue.
    void internalSendPing(std::unique_ptr<Ping> &ping);
    void runThread(ztpm::Thread *thread) override;
    // Under m_lock: starts the worker; false when the system refused a thread.
    bool startWorker();

    std::vector<Ping *> m_queue;
    ztpm::Thread *m_thread = nullptr;
    ztpm::Mutex m_lock; // guards m_queue, m_thread and m_workerActive
    bool m_workerActive = false; // a worker runs and will look at the queue again

    static PingManager *m_instance;
};
