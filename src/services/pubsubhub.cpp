// SPDX-License-Identifier: LGPL-2.1-or-later
#include "pubsubhub.h"
#include "pubsubhub_p.h"
#include "serviceslogging_p.h"

#include <QMetaObject>
#include <QThread>
#include <QVarLengthArray>

#include <memory>
#include <semaphore>


namespace Quorvex {

// Delivery records ----------------------------------------------------------------

namespace {

std::atomic<DeliveryRecord *> s_records {nullptr};

struct RecordHandle
{
    DeliveryRecord *record = nullptr;
    ~RecordHandle()
    {
        if (record)
            record->inUse.store(false, std::memory_order_release);
    }
};

// The record is looked up on every publication: keep that a plain thread-local
// read; the handle that gives the record back at thread exit is made once.
thread_local DeliveryRecord *t_current __attribute__((tls_model("initial-exec"))) = nullptr;
thread_local RecordHandle t_record;

DeliveryRecord *acquireRecord()
{
    DeliveryRecord *record = nullptr;
    for (DeliveryRecord *r = s_records.load(std::memory_order_acquire); r; r = r->next) {
        bool free = false;
        if (r->inUse.compare_exchange_strong(free, true, std::memory_order_acq_rel)) {
            record = r;
            break;
        }
    }
    if (!record) {
        record = new DeliveryRecord;
        DeliveryRecord *head = s_records.load(std::memory_order_acquire);
        do {
            record->next = head;
        } while (!s_records.compare_exchange_weak(head, record, std::memory_order_acq_rel));
    }
    record->thread = QThread::currentThread();
    record->depth = 0;
    t_record.record = record;
    t_current = record;
    return record;
}

void backOff(int &round)
{
    if (++round < 64)
        QThread::yieldCurrentThread();
    else
        QThread::usleep(100);
}

} // namespace

DeliveryRecord *DeliveryRecord::current()
{
    DeliveryRecord *record = t_current;
    return Q_LIKELY(record) ? record : acquireRecord();
}

void DeliveryRecord::enterLocked(int level, const ListenerGuard *guard)
{
    if (Q_LIKELY(level < Levels)) {
        inside[level].store(guard, std::memory_order_relaxed);
    } else {
        std::lock_guard locker(overflowMutex);
        overflow.append(guard);
    }
}

bool DeliveryRecord::enter(int level, const ListenerGuard *guard, quint32 generation)
{
    // Pairs with the destroying thread's generation change and scan: one of the two
    // sees the other.
    if (Q_LIKELY(level < Levels)) {
        inside[level].store(guard, std::memory_order_seq_cst);
    } else {
        std::lock_guard locker(overflowMutex);
        overflow.append(guard);
    }
    if (guard->generation.load(std::memory_order_seq_cst) == generation)
        return true;
    leave(level);
    return false;
}

void DeliveryRecord::leave(int level)
{
    if (Q_LIKELY(level < Levels)) {
        inside[level].store(nullptr, std::memory_order_release);
    } else {
        std::lock_guard locker(overflowMutex);
        overflow.removeLast();
    }
}

bool DeliveryRecord::isInside(const ListenerGuard *guard)
{
    for (const auto &slot : inside) {
        if (slot.load(std::memory_order_seq_cst) == guard)
            return true;
    }
    std::lock_guard locker(overflowMutex);
    return overflow.contains(guard);
}

void DeliveryRecord::waitUntilLeft(const ListenerGuard *guard)
{
    // A delivery that the destroying thread itself is inside (a listener deleting
    // itself from its own member) returns through code that no longer touches it.
    const DeliveryRecord *own = t_current;
    for (DeliveryRecord *r = s_records.load(std::memory_order_acquire); r; r = r->next) {
        if (r == own)
            continue;
        for (int round = 0; r->isInside(guard);)
            backOff(round);
    }
}

void TableLock::pause(int round)
{
    if (round < 16) {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    } else {
        QThread::yieldCurrentThread();
    }
}

// Hub -------------------------------------------------------------------------------

PubSubHubPrivate::~PubSubHubPrivate()
{
    for (const ListenerEntry &entry : std::as_const(listeners))
        delete entry.guard;
    while (ListenerGuard *guard = m_freeGuards) {
        m_freeGuards = guard->nextFree;
        delete guard;
    }
}

ListenerGuard *PubSubHubPrivate::takeGuard()
{
    ListenerGuard *guard = m_freeGuards;
    if (!guard)
        return new ListenerGuard;
    m_freeGuards = guard->nextFree;
    guard->nextFree = nullptr;
    return guard;
}

ListenerEntry *PubSubHubPrivate::find(QObject *listener)
{
    const auto it = listenerIndex.constFind(listener);
    return it == listenerIndex.cend() ? nullptr : &listeners[*it];
}

ListenerEntry &PubSubHubPrivate::insert(QObject *listener)
{
    ListenerEntry entry;
    entry.listener = listener;
    entry.guard = takeGuard();
    entry.generation = entry.guard->generation.load(std::memory_order_relaxed);
    listenerIndex.insert(listener, listeners.size());
    listeners.append(entry);
    return listeners.last();
}

ListenerGuard *PubSubHubPrivate::remove(QObject *listener)
{
    const auto it = listenerIndex.constFind(listener);
    if (it == listenerIndex.cend())
        return nullptr;
    const qsizetype index = *it;
    listenerIndex.erase(it);
    ListenerGuard *guard = listeners[index].guard;
    if (index != listeners.size() - 1) {
        listeners[index] = std::move(listeners.last());
        listenerIndex[listeners[index].listener] = index;
    }
    listeners.removeLast();
    return guard;
}

void PubSubHubPrivate::releaseGuard(ListenerGuard *guard)
{
    guard->nextFree = m_freeGuards;
    m_freeGuards = guard;
}

namespace {

bool acceptsHubArguments(const QMetaMethod &method)
{
    static constexpr int types[] = {QMetaType::QString, QMetaType::QVariant};
    const int count = method.parameterCount();
    if (count > 2)
        return false;
    for (int i = 0; i < count; ++i) {
        if (method.parameterType(i) != types[i])
            return false;
    }
    return true;
}

struct Delivery
{
    QObject *listener;
    const ListenerGuard *guard;
    quint32 generation;
    int methodIndex;
    Qt::ConnectionType connectionType;
};

// Releases the waiting publisher once the queued call has run, or has been dropped
// because its listener died first.
struct Completion
{
    explicit Completion(std::shared_ptr<std::binary_semaphore> done)
        : done(std::move(done))
    { }
    ~Completion() { done->release(); }
    std::shared_ptr<std::binary_semaphore> done;
};

} // namespace

std::atomic<PubSubHub *> PubSubHub::s_instance {nullptr};

PubSubHub::PubSubHub()
    : d(new PubSubHubPrivate)
{ }

PubSubHub::~PubSubHub()
{
    delete d;
}

bool PubSubHub::ensureInstance()
{
    if (Q_LIKELY(s_instance.load(std::memory_order_acquire)))
        return true;
    static std::mutex creation;
    std::lock_guard locker(creation);
    if (!s_instance.load(std::memory_order_relaxed))
        s_instance.store(new PubSubHub, std::memory_order_release);
    return s_instance.load(std::memory_order_relaxed) != nullptr;
}

bool PubSubHub::listenForMessage(const QString &message, QObject *receiver, const char *member,
                                 Qt::ConnectionType connectionType)
{
    if (!ensureInstance())
        return false;
    if (message.isEmpty() || !receiver || !member || !*member)
        return false;
    const QMetaObject *meta = receiver->metaObject();
    if (!meta)
        return false;
    // The code character of SLOT()/SIGNAL() is skipped whatever it is.
    const QByteArray signature = QMetaObject::normalizedSignature(member + 1);
    const int index = meta->indexOfMethod(signature.constData());
    if (index < 0) {
        qCDebug(lcServices) << "PubSubHub: no member" << signature << "on" << meta->className();
        return false;
    }
    Subscription subscription;
    subscription.message = message;
    subscription.method = meta->method(index);
    subscription.methodIndex = index;
    subscription.connectionType = connectionType;
    subscription.deliverable = acceptsHubArguments(subscription.method);
    if (!subscription.deliverable)
        qCDebug(lcServices) << "PubSubHub: member" << signature
                            << "does not take (QString, QVariant); it will not be called";

    PubSubHub *hub = s_instance.load(std::memory_order_acquire);
    PubSubHubPrivate *d = hub->d;
    std::lock_guard locker(d->mutex);
    ListenerEntry *entry = d->find(receiver);
    if (!entry) {
        // Direct, so that the entry goes while the listener is being destroyed, in
        // whatever thread that happens.
        connect(receiver, SIGNAL(destroyed(QObject *)), hub, SLOT(listenerDeleted(QObject *)),
                Qt::DirectConnection);
        entry = &d->insert(receiver);
    }
    entry->subscriptions.append(subscription);
    return true;
}

bool PubSubHub::sendMessage(const QString &message, const QVariant &value)
{
    if (!ensureInstance())
        return false;
    if (message.isEmpty())
        return false;
    PubSubHubPrivate *d = s_instance.load(std::memory_order_acquire)->d;
    DeliveryRecord *record = DeliveryRecord::current();
    const int level = record->depth;

    QVarLengthArray<Delivery, 8> deliveries;
    {
        std::lock_guard locker(d->mutex);
        for (const ListenerEntry &entry : std::as_const(d->listeners)) {
            for (const Subscription &subscription : entry.subscriptions) {
                if (subscription.deliverable && message.startsWith(subscription.message)) {
                    deliveries.append({entry.listener, entry.guard, entry.generation,
                                       subscription.methodIndex, subscription.connectionType});
                }
            }
        }
        if (deliveries.isEmpty())
            return true;
        record->enterLocked(level, deliveries.front().guard);
    }

    ++record->depth;
    void *argv[] = {nullptr, const_cast<QString *>(&message), const_cast<QVariant *>(&value)};
    for (qsizetype i = 0; i < deliveries.size(); ++i) {
        const Delivery &delivery = deliveries[i];
        if (i > 0 && !record->enter(level, delivery.guard, delivery.generation))
            continue;
        QObject *listener = delivery.listener;
        std::shared_ptr<std::binary_semaphore> done;
        // Connection flags (unique, single shot) mean nothing for a single call.
        auto type = Qt::ConnectionType(delivery.connectionType & 0x3);
        if (type == Qt::AutoConnection)
            type =
                listener->thread() == record->thread ? Qt::DirectConnection : Qt::QueuedConnection;
        switch (type) {
        case Qt::DirectConnection:
            QMetaObject::metacall(listener, QMetaObject::InvokeMetaMethod, delivery.methodIndex,
                                  argv);
            break;
        case Qt::BlockingQueuedConnection:
            // Waiting for the listener's own thread would never end; Qt refuses it too.
            if (listener->thread() == record->thread)
                break;
            {
                done = std::make_shared<std::binary_semaphore>(0);
                auto call = [listener, index = delivery.methodIndex, name = message,
                             variant = value,
                             completion = std::make_shared<Completion>(done)]() mutable {
                    void *args[] = {nullptr, &name, &variant};
                    QMetaObject::metacall(listener, QMetaObject::InvokeMetaMethod, index, args);
                };
                QMetaObject::invokeMethod(listener, std::move(call), Qt::QueuedConnection);
            }
            break;
        default:
            listener->metaObject()
                ->method(delivery.methodIndex)
                .invoke(listener, Qt::QueuedConnection, Q_ARG(QString, message),
                        Q_ARG(QVariant, value));
            break;
        }
        record->leave(level);
        // Wait outside the guard: the listener's thread may destroy it meanwhile, which
        // drops the call and releases us.
        if (done)
            done->acquire();
    }
    --record->depth;
    return true;
}

void PubSubHub::listenerDeleted(QObject *object)
{
    ListenerGuard *guard = nullptr;
    {
        std::lock_guard locker(d->mutex);
        guard = d->remove(object);
        if (!guard)
            return;
        guard->generation.fetch_add(1, std::memory_order_seq_cst);
    }
    DeliveryRecord::waitUntilLeft(guard);
    std::lock_guard locker(d->mutex);
    d->releaseGuard(guard);
}

} // namespace Quorvex
