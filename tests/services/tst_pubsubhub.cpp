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
    std::atomic<int> count {0};

public Q_SLOTS:
    void none() { record("none", {}, {}); }
    void name(const QString &message) { record("name", message, {}); }
    void both(const QString &message, const QVariant &value) { record("both", message, value); }
    void other(const QString &message, const QVariant &value) { record("other", message, value); }
    void wrongFirst(int, const QVariant &value) { record("wrongFirst", {}, value); }
    void swapped(const QVariant &value, const QString &message)
    {
        record("swapped", message, value);
    }
    void tooMany(const QString &message, const QVariant &, int) { record("tooMany", message, {}); }
    void counted(const QString &, const QVariant &) { count.fetch_add(1); }
    void reenter(const QString &message, const QVariant &value)
    {
        record("reenter", message, value);
        if (message == u"Re.register")
            PubSubHub::listenForMessage("Re.Later", this, SLOT(both(QString, QVariant)));
        else if (message == u"Re.publish")
            PubSubHub::sendMessage("Re.Inner", value);
        else if (message == u"Re.delete")
            delete this;
    }

Q_SIGNALS:
    void relay(const QString &message, const QVariant &value);

public:
    Q_INVOKABLE void invokable(const QString &m, const QVariant &v) { record("invokable", m, v); }

private:
    void record(const char *member, const QString &message, const QVariant &value)
    {
        std::lock_guard locker(m_mutex);
        m_calls.append({member, message, value, QThread::currentThread()});
    }
    std::mutex m_mutex;
    QList<Call> m_calls;
};

QByteArrayList members(Listener *listener)
{
    QByteArrayList names;
    for (const Call &call : listener->takeCalls())
        names.append(call.member);
    return names;
}

// Deliveries made after a listener's destruction reached the hub.
std::atomic<int> g_violations {0};

// Listeners that die under deliveries are plain QObjects called through their own
// signal: the hub sees destruction begin at "destroyed", after a subclass's
// destructor has already run.
struct Probe
{
    std::atomic<bool> dead {false};
    std::atomic<int> count {0};
    std::atomic<bool> left {false};
};

QObject *probedListener(const std::shared_ptr<Probe> &probe, const QString &message,
                        int sleepMs = 0)
{
    auto *listener = new QObject;
    QObject::connect(listener, &QObject::objectNameChanged, [probe, sleepMs](const QString &) {
        if (probe->dead.load())
            g_violations.fetch_add(1);
        probe->count.fetch_add(1);
        QThread::msleep(sleepMs);
        probe->left.store(true);
    });
    const char *member = SIGNAL(objectNameChanged(QString));
    PubSubHub::listenForMessage(message, listener, member, Qt::DirectConnection);
    // Queued to a thread without an event loop: dropped when the listener dies.
    PubSubHub::listenForMessage(message, listener, member, Qt::QueuedConnection);
    // Connected after the hub, so it runs once the hub has let go.
    QObject::connect(listener, &QObject::destroyed, [probe] { probe->dead.store(true); });
    return listener;
}

} // namespace

class tst_PubSubHub : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matching_data();
    void matching();
    void refused_data();
    void refused();
    void memberShapes_data();
    void memberShapes();
    void connectionTypes_data();
    void connectionTypes();
    void reentrantDelivery();
    void destroyedListeners();
    void destructionWaitsForDelivery();
    void stress();
};

void tst_PubSubHub::matching_data()
{
    QTest::addColumn<QStringList>("registrations"); // "name=member"
    QTest::addColumn<QString>("published");
    QTest::addColumn<QByteArrayList>("expected");

    const QByteArrayList none, both {"both"};
    QTest::newRow("exact") << QStringList {"Playback=both"} << "Playback" << both;
    QTest::newRow("longer name") << QStringList {"Playback=both"} << "PlaybackStarted" << both;
    QTest::newRow("dotted name") << QStringList {"Playback=both"} << "Playback.Stop" << both;
    QTest::newRow("shorter name") << QStringList {"Playback=both"} << "Play" << none;
    QTest::newRow("case differs") << QStringList {"Stop=both"} << "stop" << none;
    QTest::newRow("A.B does not get A") << QStringList {"A.B=both"} << "A" << none;
    QTest::newRow("A then A.B") << QStringList {"A=both", "A.B=other"} << "A.B"
                                << QByteArrayList {"both", "other"};
    QTest::newRow("A.B then A") << QStringList {"A.B=other", "A=both"} << "A.B"
                                << QByteArrayList {"other", "both"};
    QTest::newRow("duplicate") << QStringList {"A=both", "A=both"} << "A"
                               << QByteArrayList {"both", "both"};
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
    QTest::addColumn<QByteArray>("member"); // null: no member

    const QByteArray both = SLOT(both(QString, QVariant));
    QTest::newRow("empty name") << "" << true << both;
    QTest::newRow("no receiver") << "Refused" << false << both;
    QTest::newRow("no member") << "Refused" << true << QByteArray();
    QTest::newRow("empty member") << "Refused" << true << QByteArray("");
    QTest::newRow("unknown member") << "Refused" << true << QByteArray(SLOT(missing(QString)));
    QTest::newRow("unknown signature") << "Refused" << true << QByteArray(SLOT(both(QString)));
}

void tst_PubSubHub::refused()
{
    QFETCH(QString, message);
    QFETCH(bool, receiver);
    QFETCH(QByteArray, member);

    Listener listener;
    QVERIFY(!PubSubHub::listenForMessage(message, receiver ? &listener : nullptr,
                                         member.isNull() ? nullptr : member.constData()));
    QVERIFY(PubSubHub::sendMessage("Refused", 1)); // true also when nobody listens
    QVERIFY(!PubSubHub::sendMessage(QString(), 1));
    QCOMPARE(listener.takeCalls().size(), 0);
}

void tst_PubSubHub::memberShapes_data()
{
    QTest::addColumn<QByteArray>("member");
    QTest::addColumn<Qt::ConnectionType>("type");
    QTest::addColumn<QByteArray>("called"); // empty: never called
    QTest::addColumn<int>("arguments"); // how many of (name, value) it gets

    auto row = [](const char *tag, const char *member, Qt::ConnectionType type, const char *called,
                  int arguments) {
        QTest::newRow(tag) << QByteArray(member) << type << QByteArray(called) << arguments;
    };
    const auto direct = Qt::DirectConnection, queued = Qt::QueuedConnection;
    row("none", SLOT(none()), direct, "none", 0);
    row("name only", SLOT(name(QString)), direct, "name", 1);
    row("both", SLOT(both(const QString &, const QVariant &)), direct, "both", 2);
    row("signal", SIGNAL(relay(QString, QVariant)), direct, "both", 2);
    row("invokable, any code", "0invokable(QString,QVariant)", direct, "invokable", 2);
    row("queued none", SLOT(none()), queued, "none", 0);
    row("queued both", SLOT(both(QString, QVariant)), queued, "both", 2);
    // Qt's invocation checks only the count: these would get garbage or crash.
    row("int first", SLOT(wrongFirst(int, QVariant)), direct, "", 0);
    row("swapped", SLOT(swapped(QVariant, QString)), direct, "", 0);
    row("queued swapped", SLOT(swapped(QVariant, QString)), queued, "", 0);
    row("too many", SLOT(tooMany(QString, QVariant, int)), direct, "", 0);
}

void tst_PubSubHub::memberShapes()
{
    QFETCH(QByteArray, member);
    QFETCH(Qt::ConnectionType, type);
    QFETCH(QByteArray, called);
    QFETCH(int, arguments);

    Listener listener;
    connect(&listener, &Listener::relay, &listener, &Listener::both);
    QVERIFY(PubSubHub::listenForMessage("Shape", &listener, member.constData(), type));
    QVERIFY(PubSubHub::sendMessage("Shape.Test", 5));
    QCoreApplication::processEvents();
    const QList<Call> calls = listener.takeCalls();
    QCOMPARE(calls.size(), called.isEmpty() ? 0 : 1);
    if (!calls.isEmpty()) {
        QCOMPARE(calls[0].member, called);
        QCOMPARE(calls[0].message, arguments >= 1 ? QStringLiteral("Shape.Test") : QString());
        QCOMPARE(calls[0].value, arguments >= 2 ? QVariant(5) : QVariant());
    }
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
    QTest::newRow("blocking, other thread")
        << Qt::BlockingQueuedConnection << true << 1 << 1 << true;
    QTest::newRow("blocking, same thread refused")
        << Qt::BlockingQueuedConnection << false << 0 << 0 << false;
}

void tst_PubSubHub::connectionTypes()
{
    QFETCH(Qt::ConnectionType, type);
    QFETCH(bool, inWorker);
    QFETCH(int, beforeReturn);
    QFETCH(int, eventually);
    QFETCH(bool, runsInWorker);

    QThread worker;
    worker.start();
    auto listener = std::make_unique<Listener>();
    if (inWorker)
        listener->moveToThread(&worker);
    QVERIFY(
        PubSubHub::listenForMessage("Route", listener.get(), SLOT(both(QString, QVariant)), type));
    // Hold the worker so that a queued call cannot run before the check.
    std::binary_semaphore gate(0);
    if (inWorker && type != Qt::BlockingQueuedConnection)
        QMetaObject::invokeMethod(listener.get(), [&gate] { gate.acquire(); });
    QVERIFY(PubSubHub::sendMessage("Route", 1));
    QList<Call> calls = listener->takeCalls();
    QCOMPARE(calls.size(), beforeReturn);
    if (inWorker && type != Qt::BlockingQueuedConnection)
        gate.release();
    QCoreApplication::processEvents();
    QTRY_COMPARE((calls.append(listener->takeCalls()), calls.size()), qsizetype(eventually));
    for (const Call &call : std::as_const(calls))
        QCOMPARE(call.thread, runsInWorker ? &worker : QThread::currentThread());
    worker.quit();
    worker.wait(); // the listener may then be deleted here
}

void tst_PubSubHub::reentrantDelivery()
{
    Listener inner;
    QVERIFY(PubSubHub::listenForMessage("Re.Inner", &inner, SLOT(both(QString, QVariant))));
    auto *listener = new Listener;
    QVERIFY(PubSubHub::listenForMessage("Re", listener, SLOT(reenter(QString, QVariant))));

    // Registering and publishing from inside a delivery: no deadlock.
    QVERIFY(PubSubHub::sendMessage("Re.register", 1));
    QVERIFY(PubSubHub::sendMessage("Re.Later", 2));
    QCOMPARE(members(listener), (QByteArrayList {"reenter", "reenter", "both"}));
    QVERIFY(PubSubHub::sendMessage("Re.publish", 3));
    QCOMPARE(members(&inner), QByteArrayList {"both"});

    // A listener deleting itself: its later registration in the same walk is skipped.
    QVERIFY(PubSubHub::listenForMessage("Re.delete", listener, SLOT(both(QString, QVariant))));
    QVERIFY(PubSubHub::sendMessage("Re.delete", 4));
    QVERIFY(PubSubHub::sendMessage("Re.delete", 5));
}

void tst_PubSubHub::destroyedListeners()
{
    // Destroyed in another thread: gone when the delete returns, without this
    // thread's event loop.
    QThread worker;
    worker.start();
    QObject anchor;
    anchor.moveToThread(&worker);
    auto *elsewhere = new Listener;
    QVERIFY(PubSubHub::listenForMessage("Gone", elsewhere, SLOT(both(QString, QVariant))));
    elsewhere->moveToThread(&worker);
    QMetaObject::invokeMethod(
        &anchor, [=] { delete elsewhere; }, Qt::BlockingQueuedConnection);
    QVERIFY(PubSubHub::sendMessage("Gone", 1)); // would reach freed memory
    worker.quit();
    worker.wait();

    // A new object at a destroyed listener's address is a stranger to the hub until
    // it registers, and then gets its own "destroyed" connection.
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto *first = new Listener;
        QVERIFY(PubSubHub::listenForMessage("Gone", first, SLOT(both(QString, QVariant))));
        void *address = first;
        delete first;
        std::unique_ptr<Listener> second(new Listener);
        if (static_cast<void *>(second.get()) != address)
            continue;
        QVERIFY(PubSubHub::sendMessage("Gone", 2));
        QCOMPARE(second->takeCalls().size(), 0);
        QVERIFY(PubSubHub::listenForMessage("Gone", second.get(), SLOT(both(QString, QVariant))));
        QVERIFY(PubSubHub::sendMessage("Gone", 3));
        QCOMPARE(second->takeCalls().size(), 1);
        second.reset(new Listener);
        QVERIFY(PubSubHub::sendMessage("Gone", 4));
        QCOMPARE(second->takeCalls().size(), 0);
        return;
    }
    QSKIP("the allocator never reused a listener's address");
}

void tst_PubSubHub::destructionWaitsForDelivery()
{
    auto probe = std::make_shared<Probe>();
    QObject *listener = probedListener(probe, "Slow", 150);
    std::thread publisher([] { PubSubHub::sendMessage("Slow", 1); });
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
    QVERIFY(PubSubHub::listenForMessage("Stress", &permanent, SLOT(counted(QString, QVariant)),
                                        Qt::DirectConnection));
    std::atomic<int> published {0}, churned {0}, churnDeliveries {0};
    std::vector<std::thread> threads;
    for (int p = 0; p < 3; ++p) {
        threads.emplace_back([&, p] {
            const QString name = QStringLiteral("Stress.%1").arg(p);
            for (; steady_clock::now() < deadline; published.fetch_add(1))
                PubSubHub::sendMessage(name, p);
        });
    }
    for (int c = 0; c < 2; ++c) {
        threads.emplace_back([&] {
            for (; steady_clock::now() < deadline; churned.fetch_add(1)) {
                auto probe = std::make_shared<Probe>();
                QObject *listener = probedListener(probe, "Stress");
                for (int i = 0; i < 3; ++i)
                    std::this_thread::yield();
                delete listener;
                churnDeliveries.fetch_add(probe->count.load());
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
