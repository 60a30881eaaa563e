// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/services/pubsubhub.h>

#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <semaphore>
#include <thread>
#include <vector>

using Quorvex::PubSubHub;

Q_DECLARE_METATYPE(Qt::ConnectionType)

namespace {

// Deliveries made after a listener's destruction reached the hub.
std::atomic<int> g_violations {0};

struct Call
{
    QByteArray member;
    QString message;
    QVariant value;
    QThread *thread;
};

class Listener : public QObject
{
    Q_OBJECT

public:
    QList<Call> takeCalls()
    {
        std::lock_guard locker(m_mutex);
        return std::exchange(m_calls, {});
    }
    qsizetype size()
    {
        std::lock_guard locker(m_mutex);
        return m_calls.size();
    }
    QByteArrayList members()
    {
        QByteArrayList names;
        for (const Call &call : takeCalls())
            names.append(call.member);
        return names;
    }

    std::atomic<int> count {0};

public Q_SLOTS:
    void none() { record("none", QString(), QVariant()); }
    void name(const QString &message) { record("name", message, QVariant()); }
    void both(const QString &message, const QVariant &value) { record("both", message, value); }
    void other(const QString &message, const QVariant &value) { record("other", message, value); }
    void wrongFirst(int, const QVariant &value) { record("wrongFirst", QString(), value); }
    void swapped(const QVariant &value, const QString &message) { record("swapped", message, value); }
    void tooMany(const QString &message, const QVariant &value, int) { record("tooMany", message, value); }
    void counted(const QString &, const QVariant &) { count.fetch_add(1); }
    void reenter(const QString &message, const QVariant &value)
    {
        record("reenter", message, value);
        if (message == QLatin1String("Re.register"))
            PubSubHub::listenForMessage(QStringLiteral("Re.Later"), this, SLOT(both(QString, QVariant)));
        else if (message == QLatin1String("Re.publish"))
            PubSubHub::sendMessage(QStringLiteral("Re.Inner"), value);
        else if (message == QLatin1String("Re.delete"))
            delete this;
    }

Q_SIGNALS:
    void relay(const QString &message, const QVariant &value);

public:
    Q_INVOKABLE void invokable(const QString &message, const QVariant &value)
    {
        record("invokable", message, value);
    }

private:
    void record(const char *member, const QString &message, const QVariant &value)
    {
        std::lock_guard locker(m_mutex);
        m_calls.append({member, message, value, QThread::currentThread()});
    }

    std::mutex m_mutex;
    QList<Call> m_calls;
};

// A thread with an event loop, stopped on destruction.
struct Worker
{
    Worker() { thread.start(); }
    ~Worker()
    {
        thread.quit();
        thread.wait();
    }
    // Keeps the worker's event loop busy until the returned semaphore is released.
    std::shared_ptr<std::binary_semaphore> block()
    {
        auto gate = std::make_shared<std::binary_semaphore>(0);
        QMetaObject::invokeMethod(&anchor(), [gate] { gate->acquire(); }, Qt::QueuedConnection);
        return gate;
    }
    QObject &anchor()
    {
        if (!m_anchor) {
            m_anchor = std::make_unique<QObject>();
            m_anchor->moveToThread(&thread);
        }
        return *m_anchor;
    }
    QThread thread;

private:
    std::unique_ptr<QObject> m_anchor;
};

} // namespace

class tst_PubSubHub : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metaObject();
    void matching_data();
    void matching();
    void refused_data();
    void refused();
    void sendResult();
    void memberShapes_data();
    void memberShapes();
    void connectionTypes_data();
    void connectionTypes();
    void reentrantDelivery();
    void destroyedInSameThread();
    void destroyedInOtherThread();
    void destructionWaitsForDelivery();
    void stress();
};

void tst_PubSubHub::metaObject()
{
    const QMetaObject &meta = PubSubHub::staticMetaObject;
    QCOMPARE(meta.className(), "Quorvex::PubSubHub");
    QCOMPARE(meta.methodCount() - meta.methodOffset(), 1);
    QCOMPARE(meta.method(meta.methodOffset()).methodSignature(), "listenerDeleted(QObject*)");
    QCOMPARE(meta.method(meta.methodOffset()).access(), QMetaMethod::Private);
}

void tst_PubSubHub::matching_data()
{
    QTest::addColumn<QStringList>("registrations"); // "name=member"
    QTest::addColumn<QString>("published");
    QTest::addColumn<QByteArrayList>("expected");

    const QByteArrayList none;
    QTest::newRow("exact") << QStringList {"Playback=both"} << "Playback" << QByteArrayList {"both"};
    QTest::newRow("longer name") << QStringList {"Playback=both"} << "PlaybackStarted" << QByteArrayList {"both"};
    QTest::newRow("dotted name") << QStringList {"Playback=both"} << "Playback.Stop" << QByteArrayList {"both"};
    QTest::newRow("shorter name") << QStringList {"Playback=both"} << "Play" << none;
    QTest::newRow("case differs") << QStringList {"Stop=both"} << "stop" << none;
    QTest::newRow("A.B does not get A") << QStringList {"A.B=both"} << "A" << none;
    QTest::newRow("A then A.B") << QStringList {"A=both", "A.B=other"} << "A.B" << QByteArrayList {"both", "other"};
    QTest::newRow("A.B then A") << QStringList {"A.B=other", "A=both"} << "A.B" << QByteArrayList {"other", "both"};
    QTest::newRow("duplicate") << QStringList {"A=both", "A=both"} << "A" << QByteArrayList {"both", "both"};
}

void tst_PubSubHub::matching()
{
    QFETCH(QStringList, registrations);
    QFETCH(QString, published);
    QFETCH(QByteArrayList, expected);

    Listener listener;
    for (const QString &registration : registrations) {
        const QStringList parts = registration.split(u'=');
        const QByteArray member = "1" + parts[1].toLatin1() + "(QString,QVariant)";
        QVERIFY(PubSubHub::listenForMessage(parts[0], &listener, member.constData()));
    }
    QVERIFY(PubSubHub::sendMessage(published, 7));
    const QList<Call> calls = listener.takeCalls();
    QCOMPARE(calls.size(), expected.size());
    for (qsizetype i = 0; i < calls.size(); ++i) {
        QCOMPARE(calls[i].member, expected[i]);
        QCOMPARE(calls[i].message, published); // always the full published name
        QCOMPARE(calls[i].value, QVariant(7));
    }
}

void tst_PubSubHub::refused_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("receiver");
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<bool>("nullMember");

    QTest::newRow("empty name") << "" << true << QByteArray(SLOT(both(QString, QVariant))) << false;
    QTest::newRow("no receiver") << "Refused" << false << QByteArray(SLOT(both(QString, QVariant))) << false;
    QTest::newRow("no member") << "Refused" << true << QByteArray() << true;
    QTest::newRow("empty member") << "Refused" << true << QByteArray("") << false;
    QTest::newRow("unknown member") << "Refused" << true << QByteArray(SLOT(missing(QString))) << false;
    QTest::newRow("unknown signature") << "Refused" << true << QByteArray(SLOT(both(QString))) << false;
}

void tst_PubSubHub::refused()
{
    QFETCH(QString, message);
    QFETCH(bool, receiver);
    QFETCH(QByteArray, member);
    QFETCH(bool, nullMember);

    Listener listener;
    QVERIFY(!PubSubHub::listenForMessage(message, receiver ? &listener : nullptr,
                                         nullMember ? nullptr : member.constData()));
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Refused"), 1));
    QCOMPARE(listener.takeCalls().size(), 0);
}

void tst_PubSubHub::sendResult()
{
    QVERIFY(!PubSubHub::sendMessage(QString(), 1));
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Nobody.Listens"), 1));
}

void tst_PubSubHub::memberShapes_data()
{
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<Qt::ConnectionType>("type");
    QTest::addColumn<QByteArray>("called"); // empty: never called
    QTest::addColumn<bool>("getsName");
    QTest::addColumn<bool>("getsValue");

    const auto direct = Qt::DirectConnection, queued = Qt::QueuedConnection;
    QTest::newRow("none") << QByteArray(SLOT(none())) << direct << QByteArray("none") << false << false;
    QTest::newRow("name only") << QByteArray(SLOT(name(QString))) << direct << QByteArray("name") << true << false;
    QTest::newRow("both") << QByteArray(SLOT(both(const QString &, const QVariant &))) << direct << QByteArray("both") << true << true;
    QTest::newRow("signal") << QByteArray(SIGNAL(relay(QString, QVariant))) << direct << QByteArray("both") << true << true;
    QTest::newRow("invokable, any code") << QByteArray("0invokable(QString,QVariant)") << direct << QByteArray("invokable") << true << true;
    QTest::newRow("int first") << QByteArray(SLOT(wrongFirst(int, QVariant))) << direct << QByteArray() << false << false;
    QTest::newRow("swapped") << QByteArray(SLOT(swapped(QVariant, QString))) << direct << QByteArray() << false << false;
    QTest::newRow("too many") << QByteArray(SLOT(tooMany(QString, QVariant, int))) << direct << QByteArray() << false << false;
    QTest::newRow("queued none") << QByteArray(SLOT(none())) << queued << QByteArray("none") << false << false;
    QTest::newRow("queued both") << QByteArray(SLOT(both(QString, QVariant))) << queued << QByteArray("both") << true << true;
    QTest::newRow("queued swapped") << QByteArray(SLOT(swapped(QVariant, QString))) << queued << QByteArray() << false << false;
}

void tst_PubSubHub::memberShapes()
{
    QFETCH(QByteArray, member);
    QFETCH(Qt::ConnectionType, type);
    QFETCH(QByteArray, called);
    QFETCH(bool, getsName);
    QFETCH(bool, getsValue);

    Listener listener;
    connect(&listener, &Listener::relay, &listener, &Listener::both);
    QVERIFY(PubSubHub::listenForMessage(QStringLiteral("Shape"), &listener, member.constData(), type));
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Shape.Test"), QStringLiteral("value")));
    QCoreApplication::processEvents();
    const QList<Call> calls = listener.takeCalls();
    if (called.isEmpty()) {
        QCOMPARE(calls.size(), 0);
        return;
    }
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls[0].member, called);
    QCOMPARE(calls[0].message, getsName ? QStringLiteral("Shape.Test") : QString());
    QCOMPARE(calls[0].value, getsValue ? QVariant(QStringLiteral("value")) : QVariant());
}

void tst_PubSubHub::connectionTypes_data()
{
    QTest::addColumn<Qt::ConnectionType>("type");
    QTest::addColumn<bool>("inWorker");
    QTest::addColumn<int>("beforeReturn"); // calls made when sendMessage returned
    QTest::addColumn<int>("eventually");
    QTest::addColumn<bool>("runsInWorker");

    QTest::newRow("auto, same thread") << Qt::AutoConnection << false << 1 << 1 << false;
    QTest::newRow("auto, other thread") << Qt::AutoConnection << true << 0 << 1 << true;
    QTest::newRow("direct, other thread") << Qt::DirectConnection << true << 1 << 1 << false;
    QTest::newRow("queued, same thread") << Qt::QueuedConnection << false << 0 << 1 << false;
    QTest::newRow("queued, other thread") << Qt::QueuedConnection << true << 0 << 1 << true;
    QTest::newRow("blocking, other thread") << Qt::BlockingQueuedConnection << true << 1 << 1 << true;
    QTest::newRow("blocking, same thread refused") << Qt::BlockingQueuedConnection << false << 0 << 0 << false;
}

void tst_PubSubHub::connectionTypes()
{
    QFETCH(Qt::ConnectionType, type);
    QFETCH(bool, inWorker);
    QFETCH(int, beforeReturn);
    QFETCH(int, eventually);
    QFETCH(bool, runsInWorker);

    Worker worker;
    auto *listener = new Listener;
    if (inWorker)
        listener->moveToThread(&worker.thread);
    QVERIFY(PubSubHub::listenForMessage(QStringLiteral("Route"), listener, SLOT(both(QString, QVariant)), type));
    // Hold the worker so that a queued call cannot run before the check.
    std::shared_ptr<std::binary_semaphore> gate;
    if (type != Qt::BlockingQueuedConnection)
        gate = worker.block();
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Route"), 1));
    QList<Call> calls = listener->takeCalls();
    QCOMPARE(calls.size(), beforeReturn);
    if (gate)
        gate->release();
    QCoreApplication::processEvents();
    QTRY_COMPARE(calls.size() + listener->size(), qsizetype(eventually));
    calls.append(listener->takeCalls());
    for (const Call &call : std::as_const(calls))
        QCOMPARE(call.thread, runsInWorker ? &worker.thread : QThread::currentThread());
    if (inWorker)
        QMetaObject::invokeMethod(listener, [listener] { delete listener; }, Qt::BlockingQueuedConnection);
    else
        delete listener;
}

void tst_PubSubHub::reentrantDelivery()
{
    Listener inner;
    QVERIFY(PubSubHub::listenForMessage(QStringLiteral("Re.Inner"), &inner, SLOT(both(QString, QVariant))));
    auto *listener = new Listener;
    QVERIFY(PubSubHub::listenForMessage(QStringLiteral("Re"), listener, SLOT(reenter(QString, QVariant))));

    // Registering and publishing from inside a delivery: no deadlock.
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Re.register"), 1));
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Re.Later"), 2));
    QCOMPARE(listener->members(), (QByteArrayList {"reenter", "reenter", "both"}));
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Re.publish"), 3));
    QCOMPARE(inner.members(), QByteArrayList {"both"});

    // A listener deleting itself: its later registration in the same walk is skipped.
    QVERIFY(PubSubHub::listenForMessage(QStringLiteral("Re.delete"), listener, SLOT(both(QString, QVariant))));
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Re.delete"), 4));
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Re.delete"), 5));
}

void tst_PubSubHub::destroyedInSameThread()
{
    // A new object at a destroyed listener's address is a stranger to the hub until
    // it registers, and gets its own "destroyed" connection when it does.
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto *first = new Listener;
        QVERIFY(PubSubHub::listenForMessage(QStringLiteral("Gone"), first, SLOT(both(QString, QVariant))));
        void *address = first;
        delete first;
        auto *second = new Listener;
        if (static_cast<void *>(second) != address) {
            delete second;
            continue;
        }
        QVERIFY(PubSubHub::sendMessage(QStringLiteral("Gone"), 1));
        QCOMPARE(second->size(), 0);
        QVERIFY(PubSubHub::listenForMessage(QStringLiteral("Gone"), second, SLOT(both(QString, QVariant))));
        QVERIFY(PubSubHub::sendMessage(QStringLiteral("Gone"), 2));
        QCOMPARE(second->size(), 1);
        delete second;
        auto *third = new Listener;
        QVERIFY(PubSubHub::sendMessage(QStringLiteral("Gone"), 3));
        QCOMPARE(third->size(), 0);
        delete third;
        return;
    }
    QSKIP("the allocator never reused a listener's address");
}

void tst_PubSubHub::destroyedInOtherThread()
{
    // Removal is complete when the delete returns, without this thread's event loop.
    Worker worker;
    Listener *listener = nullptr;
    QMetaObject::invokeMethod(&worker.anchor(), [&listener] {
        listener = new Listener;
        PubSubHub::listenForMessage(QStringLiteral("Elsewhere"), listener, SLOT(both(QString, QVariant)),
                                    Qt::DirectConnection);
    }, Qt::BlockingQueuedConnection);
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Elsewhere"), 1));
    QCOMPARE(listener->size(), 1);
    QMetaObject::invokeMethod(&worker.anchor(), [listener] { delete listener; },
                              Qt::BlockingQueuedConnection);
    QVERIFY(PubSubHub::sendMessage(QStringLiteral("Elsewhere"), 2)); // would reach freed memory
}

// Churned listeners are plain QObjects delivering through their own signal: the
// hub sees destruction begin at "destroyed", after a subclass's destructor ran.
struct Probe
{
    std::atomic<bool> dead {false};
    std::atomic<int> count {0};
    std::atomic<bool> left {false};
};

QObject *probedListener(const std::shared_ptr<Probe> &probe, int sleepMs = 0)
{
    auto *listener = new QObject;
    QObject::connect(listener, &QObject::objectNameChanged, [probe, sleepMs](const QString &) {
        if (probe->dead.load())
            g_violations.fetch_add(1);
        probe->count.fetch_add(1);
        QThread::msleep(sleepMs);
        probe->left.store(true);
    });
    return listener;
}

void markDeadAfterHub(QObject *listener, const std::shared_ptr<Probe> &probe)
{
    // Connected after the hub's registration, so it runs once the hub has let go.
    QObject::connect(listener, &QObject::destroyed, [probe] { probe->dead.store(true); });
}

void tst_PubSubHub::destructionWaitsForDelivery()
{
    auto probe = std::make_shared<Probe>();
    QObject *listener = probedListener(probe, 150);
    QVERIFY(PubSubHub::listenForMessage(QStringLiteral("Slow"), listener,
                                        SIGNAL(objectNameChanged(QString)), Qt::DirectConnection));
    markDeadAfterHub(listener, probe);
    std::thread publisher([] { PubSubHub::sendMessage(QStringLiteral("Slow"), 1); });
    while (probe->count.load() == 0)
        std::this_thread::yield();
    QVERIFY(!probe->left.load());
    delete listener; // waits until the delivery has returned
    QVERIFY(probe->left.load());
    publisher.join();
}

void tst_PubSubHub::stress()
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(1500);

    Listener permanent;
    QVERIFY(PubSubHub::listenForMessage(QStringLiteral("Stress"), &permanent, SLOT(counted(QString, QVariant)),
                                        Qt::DirectConnection));
    std::atomic<int> published {0}, churned {0}, churnDeliveries {0};
    std::vector<std::thread> threads;
    for (int p = 0; p < 3; ++p) {
        threads.emplace_back([&, p] {
            const QString name = QStringLiteral("Stress.%1").arg(p);
            while (steady_clock::now() < deadline) {
                PubSubHub::sendMessage(name, p);
                published.fetch_add(1);
            }
        });
    }
    for (int c = 0; c < 2; ++c) {
        threads.emplace_back([&] {
            while (steady_clock::now() < deadline) {
                auto probe = std::make_shared<Probe>();
                QObject *listener = probedListener(probe);
                const char *member = SIGNAL(objectNameChanged(QString));
                PubSubHub::listenForMessage(QStringLiteral("Stress"), listener, member, Qt::DirectConnection);
                // Queued to a thread without an event loop: dropped when it dies.
                PubSubHub::listenForMessage(QStringLiteral("Stress"), listener, member, Qt::QueuedConnection);
                markDeadAfterHub(listener, probe);
                for (int i = 0; i < 3; ++i)
                    std::this_thread::yield();
                delete listener;
                churnDeliveries.fetch_add(probe->count.load());
                churned.fetch_add(1);
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    QCOMPARE(permanent.count.load(), published.load());
    QCOMPARE(g_violations.load(), 0);
    QVERIFY(churned.load() > 0);
    qDebug("published %d, churned %d listeners, %d deliveries to them", published.load(),
           churned.load(), churnDeliveries.load());
}

QTEST_GUILESS_MAIN(tst_PubSubHub)
#include "tst_pubsubhub.moc"
