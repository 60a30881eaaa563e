// SPDX-License-Identifier: LGPL-2.1-or-later
#include "pingmanager.h"

#include "netlogging_p.h"
#include "ping.h"
#include "pingmanager_p.h"
#include "pingsender.h"

#include "net/http/httpsslutility.h"
#include "os/osutilities.h"

#include <cxxabi.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <new>
#include <string_view>
#include <thread>
#include <utility>

namespace {

// Guards PingManager::m_instance. sendPing() holds it while it queues, so that
// shutdown() never ends a manager under a caller's feet and a ping sent once
// shutdown() has begun goes to a new manager.
std::mutex s_instanceLock;
std::atomic<int> s_timeout = 0;
std::atomic<int> s_deadline = 30000;
constexpr std::uint64_t s_pingBodyLimit = 1024 * 1024;
std::atomic<int> s_managerCount = 0;

bool isReferencePlayer()
{
    // The platform is settled once per process.
    static const bool reference = Quorvex::OSUtilities::getPlatform() == Quorvex::OSUtilities::PRef;
    return reference;
}

} // namespace

PingManager *PingManager::m_instance = nullptr;

PingSender::~PingSender() = default;

void PingSender::sendPing(const char *url, PingSender *sender, unsigned int id)
{
    PingManager::sendPing(url, sender, id);
}

PingManager::PingManager()
{
    s_managerCount.fetch_add(1, std::memory_order_relaxed);
}

PingManager::~PingManager()
{
    if (m_thread) {
        // The worker ignores the stop request: this waits until it has drained the queue.
        m_thread->stop();
        delete m_thread;
        m_thread = nullptr;
    }
    // Pings left by a worker the system refused to start are served here.
    if (!m_queue.empty())
        runThread(nullptr);
    {
        std::lock_guard locker(s_instanceLock);
        if (m_instance == this)
            m_instance = nullptr;
    }
    s_managerCount.fetch_sub(1, std::memory_order_relaxed);
}

void PingManager::sendPing(const char *url, PingSender *sender, unsigned int id)
{
    // A null URL fails as an empty one does, instead of crashing.
    enqueue(url ? std::string_view(url) : std::string_view(), sender, id);
}

void PingManager::sendPing(const std::string &url, PingSender *sender, unsigned int id)
{
    enqueue(url, sender, id);
}

void PingManager::enqueue(std::string_view url, PingSender *sender, unsigned int id)
{
    // Reference players send no pings: nothing is queued, nothing reported.
    if (isReferencePlayer())
        return;
    try {
        // Made before taking the lock, which other callers wait for.
        auto ping = std::make_unique<Ping>();
        ping->m_url = url;
        ping->m_sender = sender;
        ping->m_id = id;
        std::lock_guard locker(s_instanceLock);
        instance()->internalSendPing(ping);
    } catch (const std::bad_alloc &) {
        qCWarning(lcNet, "out of memory: ping %u dropped", id);
    }
}

void PingManager::shutdown()
{
    PingManager *manager;
    {
        std::lock_guard locker(s_instanceLock);
        manager = std::exchange(m_instance, nullptr);
    }
    delete manager;
}

PingManager *PingManager::instance()
{
    if (!m_instance)
        m_instance = new PingManager;
    return m_instance;
}

void PingManager::internalSendPing(std::unique_ptr<Ping> &ping)
{
    ztpm::MutexLock locker(&m_lock);
    m_queue.push_back(ping.get());
    ping.release();
    if (!m_workerActive)
        m_workerActive = startWorker();
}

bool PingManager::startWorker()
{
    if (!m_thread)
        m_thread = new ztpm::Thread(this);
    // The last worker gave the queue up under m_lock and has only to return.
    while (m_thread->isRunning())
        std::this_thread::yield();
    if (m_thread->start())
        return true;
    qCWarning(lcNet, "cannot start the ping worker: the pings wait for the next one");
    return false;
}

void PingManager::runThread(ztpm::Thread *)
{
    for (;;) {
        std::unique_ptr<Ping> ping;
        {
            ztpm::MutexLock locker(&m_lock);
            if (m_queue.empty()) {
                // Decided under the lock that sendPing() takes: a ping queued from
                // now on starts a worker of its own.
                m_workerActive = false;
                return;
            }
            ping.reset(m_queue.back());
            m_queue.pop_back();
        }
        ztsc::HttpErrorIds outcome = ztsc::HttpFailure;
        try {
            ztsc::HttpSSLUtility utility; // frees the body it received
            if (const int timeout = s_timeout.load(std::memory_order_relaxed))
                utility.setTimeout(timeout);
            utility.setDeadline(s_deadline.load(std::memory_order_relaxed));
            // Read into nothing, and no further than a ping needs to.
            utility.setDiscardBody(s_pingBodyLimit);
            utility.get(ping->m_url, 0, false, &outcome, nullptr);
        } catch (const std::bad_alloc &) {
            // An ending worker would leave the queue to nobody.
            outcome = ztsc::HttpFailure;
        }
        PingSender *sender = ping->getSender();
        if (!sender)
            continue;
        ping->setResult(outcome);
        try {
            sender->pingCompleted(ping.get());
        } catch (abi::__forced_unwind &) {
            throw;
        } catch (...) {
            // The other pings still have to be served.
            qCWarning(lcNet, "pingCompleted() of ping %u threw; ignored", ping->getID());
        }
    }
}

void PingManagerPrivate::setTimeout(int milliseconds)
{
    s_timeout.store(std::max(0, milliseconds), std::memory_order_relaxed);
}

int PingManagerPrivate::timeout()
{
    return s_timeout.load(std::memory_order_relaxed);
}

void PingManagerPrivate::setDeadline(int milliseconds)
{
    s_deadline.store(std::max(0, milliseconds), std::memory_order_relaxed);
}

int PingManagerPrivate::deadline()
{
    return s_deadline.load(std::memory_order_relaxed);
}

int PingManagerPrivate::managerCount()
{
    return s_managerCount.load(std::memory_order_relaxed);
}

bool PingManagerPrivate::isWorkerRunning()
{
    std::lock_guard locker(s_instanceLock);
    PingManager *manager = PingManager::m_instance;
    if (!manager)
        return false;
    ztpm::MutexLock queueLocker(&manager->m_lock);
    return manager->m_thread && manager->m_thread->isRunning();
}
