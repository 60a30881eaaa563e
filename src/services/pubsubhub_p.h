// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QMetaMethod>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <mutex>

class QObject;
class QThread;

namespace Quorvex {

/*
    How a delivery stays safe while its listener may be destroyed in another thread.

    A listener's entry leaves the table synchronously, in the destroying thread, from
    its "destroyed" signal. A publication may still hold it in its snapshot, so each
    listener has a guard: the guard's generation changes when the listener dies, and
    a delivery only starts while the generation it copied is current. A publishing
    thread announces the guard of the delivery it is inside in its DeliveryRecord;
    the destroying thread waits until no other thread is inside before destruction
    goes on. Guards and records are pooled and never freed, so a stale snapshot can
    always read them.
*/
struct ListenerGuard
{
    std::atomic<quint32> generation {0};
    ListenerGuard *nextFree = nullptr;
};

struct Subscription
{
    QString message;
    QMetaMethod method;
    int methodIndex = -1; // of `method`, looked up once
    Qt::ConnectionType connectionType = Qt::AutoConnection;
    //! The member's parameters are a leading part of (QString, QVariant). Qt's
    //! invocation checks only their count, so anything else is never called.
    bool deliverable = false;
};

struct ListenerEntry
{
    QObject *listener = nullptr;
    QList<Subscription> subscriptions; // in registration order
    ListenerGuard *guard = nullptr;
    quint32 generation = 0;
};

/*!
    The deliveries one thread is inside, one slot per nesting level of publications.
    Only its thread writes it; destroying threads read it.
*/
struct DeliveryRecord
{
    static constexpr int Levels = 16;

    std::atomic<const ListenerGuard *> inside[Levels] {};
    // Levels beyond the fixed ones, rarely needed.
    std::mutex overflowMutex;
    QList<const ListenerGuard *> overflow;

    std::atomic<bool> inUse {true};
    DeliveryRecord *next = nullptr;
    QThread *thread = nullptr; // the owner's
    int depth = 0;

    //! Enters \a guard at \a level; the caller holds the hub's lock, so the listener
    //! is known to be alive.
    void enterLocked(int level, const ListenerGuard *guard);
    //! Enters \a guard at \a level if its listener is still the one of \a generation.
    bool enter(int level, const ListenerGuard *guard, quint32 generation);
    void leave(int level);
    bool isInside(const ListenerGuard *guard);

    //! The calling thread's record.
    static DeliveryRecord *current();
    //! Waits until no thread but the caller's is inside \a guard.
    static void waitUntilLeft(const ListenerGuard *guard);
};

/*!
    The table's lock: held only while the table is read or changed, never while a
    listener runs, so a waiter spins briefly; it costs a publication half of what
    a sleeping mutex does. Not recursive.
*/
class TableLock
{
public:
    void lock()
    {
        while (m_locked.exchange(true, std::memory_order_acquire)) {
            for (int round = 0; m_locked.load(std::memory_order_relaxed); ++round)
                pause(round);
        }
    }
    void unlock() { m_locked.store(false, std::memory_order_release); }

private:
    static void pause(int round);
    std::atomic<bool> m_locked {false};
};

class PubSubHubPrivate
{
public:
    ~PubSubHubPrivate();

    ListenerGuard *takeGuard();
    void releaseGuard(ListenerGuard *guard);

    ListenerEntry *find(QObject *listener);
    ListenerEntry &insert(QObject *listener);
    //! Removes the listener's entry and returns its guard, or null when it has none.
    ListenerGuard *remove(QObject *listener);

    // Every publication walks all entries, so they are kept dense (a hash table's
    // walk costs its buckets); the index finds an entry by its listener. The walk's
    // order is not part of the interface.
    QList<ListenerEntry> listeners;
    QHash<QObject *, qsizetype> listenerIndex;
    TableLock mutex; // guards all of the above

private:
    ListenerGuard *m_freeGuards = nullptr;
};

} // namespace Quorvex
