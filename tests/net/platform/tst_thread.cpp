// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/net/platform/critsection.h>
#include <MavLibrary/net/platform/thread.h>
#include <MavLibrary/net/platform/timing.h>

#include <QFile>
#include <QTest>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

Q_DECLARE_METATYPE(ztpm::ThreadPriority)

namespace {

class Runnable : public ztpm::IRunnable
{
public:
    explicit Runnable(std::function<void(ztpm::Thread *)> body)
        : m_body(std::move(body))
    { }
    void runThread(ztpm::Thread *thread) override { m_body(thread); }

private:
    std::function<void(ztpm::Thread *)> m_body;
};

class Handler : public ztpm::IThreadHandler
{
public:
    void handleThread(ztpm::Thread *) override { ++calls; }
    std::atomic<int> calls = 0;
};

// Whether CAP_SYS_NICE is in the calling thread's effective set; switches it
// (for this thread only, within its permitted set) when given a value.
bool niceCapability(std::optional<bool> set = {})
{
    __user_cap_header_struct header {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] {};
    auto &effective = data[CAP_TO_INDEX(CAP_SYS_NICE)].effective;
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    if (set) {
        effective =
            *set ? effective | CAP_TO_MASK(CAP_SYS_NICE) : effective & ~CAP_TO_MASK(CAP_SYS_NICE);
        syscall(SYS_capset, &header, data);
    }
    return effective & CAP_TO_MASK(CAP_SYS_NICE);
}

} // namespace

class tst_Thread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitCode_data();
    void exitCode();
    void stopWaitsForCallback();
    void destroyingKillsRunningThread();
    void endingItself_data();
    void endingItself();
    void startAgain();
    void values();
    void priority_data();
    void priority();
    void sleepAndCounter();
};

void tst_Thread::initTestCase()
{
    // Without CAP_SYS_NICE only this limit could grant real-time priorities.
    rlimit none {0, 0};
    QVERIFY(setrlimit(RLIMIT_RTPRIO, &none) == 0);
}

void tst_Thread::exitCode_data()
{
    QTest::addColumn<QByteArray>("callback");
    QTest::addColumn<uint>("exitCode");
    QTest::newRow("runnable") << QByteArray("runnable") << 0u;
    QTest::newRow("handler") << QByteArray("handler") << 0u;
    QTest::newRow("neither") << QByteArray("neither") << 1u;
    QTest::newRow("runnable throws") << QByteArray("throws") << 1u;
}

void tst_Thread::exitCode()
{
    QFETCH(QByteArray, callback);
    QFETCH(uint, exitCode);
    std::atomic<int> runs = 0;
    Runnable runnable([&](ztpm::Thread *) {
        ++runs;
        if (callback == "throws")
            throw std::runtime_error("callback failed");
    });
    Handler handler;
    std::unique_ptr<ztpm::Thread> thread;
    if (callback == "handler")
        thread = std::make_unique<ztpm::Thread>(&handler);
    else if (callback == "neither")
        thread = std::make_unique<ztpm::Thread>();
    else
        thread = std::make_unique<ztpm::Thread>(&runnable);

    std::uint32_t code = 42;
    thread->stop(); // never started: returns at once, changes nothing
    QVERIFY(!thread->isRunning());
    QVERIFY(!thread->getExitCode(&code));
    QCOMPARE(code, 42u);
    QVERIFY(thread->start());
    QTRY_VERIFY(!thread->isRunning());
    QVERIFY(thread->getExitCode(&code));
    QCOMPARE(code, exitCode);
    QCOMPARE(runs + handler.calls, callback == "neither" ? 0 : 1);
}

void tst_Thread::stopWaitsForCallback()
{
    std::atomic<bool> sawStop = false;
    std::atomic<bool> finished = false;
    Runnable runnable([&](ztpm::Thread *self) {
        while (!self->isStopRequested())
            ztpm::sleep(1);
        sawStop = true;
        ztpm::sleep(120); // winding down takes a few polls of stop()
        finished = true;
    });
    ztpm::Thread thread(&runnable);
    QVERIFY(thread.start());
    QVERIFY(thread.isRunning());
    thread.stop();
    QVERIFY(sawStop);
    QVERIFY(finished);
    QVERIFY(!thread.isRunning());
    QVERIFY(!thread.isStopRequested());
    std::uint32_t code;
    QVERIFY(!thread.getExitCode(&code)); // the handle is gone
}

void tst_Thread::destroyingKillsRunningThread()
{
    // The callback never looks at the stop request; cancellation must unwind it,
    // releasing what its guards hold.
    ztpm::CritSection section;
    std::atomic<int> ticks = 0;
    std::atomic<bool> unwound = false;
    Runnable runnable([&](ztpm::Thread *) {
        struct Sentinel
        {
            std::atomic<bool> &flag;
            ~Sentinel() { flag = true; }
        } sentinel {unwound};
        ztpm::CritLock guard(&section);
        for (;;) {
            ++ticks;
            ztpm::sleep(5);
        }
    });
    auto thread = std::make_unique<ztpm::Thread>(&runnable);
    QVERIFY(thread->start());
    QTRY_VERIFY(ticks > 0);
    thread.reset();
    QVERIFY(unwound);
    const int last = ticks;
    QTest::qSleep(30);
    QCOMPARE(int(ticks), last);
    QVERIFY(section.tryLock());
    section.unlock();
}

void tst_Thread::endingItself_data()
{
    QTest::addColumn<bool>("destroy"); // delete the Thread rather than kill() it
    QTest::newRow("kill on its own thread") << false;
    QTest::newRow("destructor on its own thread") << true;
}

void tst_Thread::endingItself()
{
    QFETCH(bool, destroy);
    ztpm::CritSection section;
    std::atomic<pid_t> tid = 0;
    std::atomic<bool> unwound = false;
    std::atomic<bool> ranOn = false;
    Runnable runnable([&](ztpm::Thread *self) {
        struct Sentinel
        {
            std::atomic<bool> &flag;
            ~Sentinel() { flag = true; }
        } sentinel {unwound};
        ztpm::CritLock guard(&section);
        tid = gettid();
        self->setValue("owned", 1); // freed with the object, or LeakSanitizer says so
        if (destroy)
            delete self;
        else
            self->kill();
        ranOn = true;
    });
    auto *thread = new ztpm::Thread(&runnable);
    QVERIFY(thread->start());
    QTRY_VERIFY(unwound);
    QVERIFY(!ranOn);
    QVERIFY(section.tryLock()); // the guard let go on the way out
    section.unlock();
    // The OS thread itself is gone, not merely unwound.
    QTRY_VERIFY(!QFile::exists(QStringLiteral("/proc/self/task/%1").arg(tid.load())));
    if (!destroy) {
        QVERIFY(!thread->isRunning());
        std::uint32_t code;
        QVERIFY(!thread->getExitCode(&code)); // forgotten, as after a kill from outside
        delete thread;
    }
}

void tst_Thread::startAgain()
{
    std::atomic<int> runs = 0;
    Runnable runnable([&](ztpm::Thread *self) {
        ++runs;
        while (!self->isStopRequested())
            ztpm::sleep(1);
    });
    ztpm::Thread thread(&runnable);
    QVERIFY(thread.start());
    QTRY_COMPARE(int(runs), 1);
    QVERIFY(!thread.start()); // still running: refused, the running one kept
    QVERIFY(thread.isRunning());
    thread.stop();

    Runnable quick([&](ztpm::Thread *) { ++runs; });
    ztpm::Thread once(&quick);
    for (int round = 1; round <= 3; ++round) {
        QVERIFY(once.start()); // reaps the thread that finished before
        QTRY_VERIFY(!once.isRunning());
        QCOMPARE(int(runs), 1 + round);
    }
}

void tst_Thread::values()
{
    ztpm::Thread thread;
    QCOMPARE(thread.getValue("missing"), 0);
    thread.setValue("retries", 3);
    thread.setValue("retries", -7);
    QCOMPARE(thread.getValue("retries"), -7);
    thread.setValue("", 5);
    QCOMPARE(thread.getValue(""), 0);
}

void tst_Thread::priority_data()
{
    QTest::addColumn<ztpm::ThreadPriority>("initial");
    QTest::addColumn<ztpm::ThreadPriority>("requested");
    QTest::addColumn<bool>("permitted");
    QTest::addColumn<ztpm::ThreadPriority>("expected");
    using namespace ztpm;
    QTest::newRow("normal") << PriorityBelowNormal << PriorityNormal << false << PriorityNormal;
    QTest::newRow("below normal") << PriorityNormal << PriorityBelowNormal << false
                                  << PriorityBelowNormal;
    QTest::newRow("out of range ignored")
        << PriorityBelowNormal << ThreadPriority(4) << false << PriorityBelowNormal;
    QTest::newRow("above normal refused")
        << PriorityNormal << PriorityAboveNormal << false << PriorityNormal;
    QTest::newRow("above normal permitted")
        << PriorityNormal << PriorityAboveNormal << true << PriorityAboveNormal;
    QTest::newRow("time critical permitted")
        << PriorityNormal << PriorityTimeCritical << true << PriorityTimeCritical;
}

void tst_Thread::priority()
{
    QFETCH(ztpm::ThreadPriority, initial);
    QFETCH(ztpm::ThreadPriority, requested);
    QFETCH(bool, permitted);
    QFETCH(ztpm::ThreadPriority, expected);
    if (permitted && !niceCapability())
        QSKIP("needs CAP_SYS_NICE");

    std::atomic<int> onThread = -1;
    Runnable runnable([&](ztpm::Thread *self) {
        niceCapability(permitted);
        ztpm::Thread::setCurrentPriority(initial);
        ztpm::Thread::setCurrentPriority(requested);
        onThread = ztpm::Thread::getCurrentPriority();
        while (!self->isStopRequested())
            ztpm::sleep(1);
    });
    ztpm::Thread thread(&runnable);
    QCOMPARE(thread.getPriority(), ztpm::PriorityNormal); // no thread yet
    QVERIFY(thread.start());
    QTRY_VERIFY(onThread != -1);
    const ztpm::ThreadPriority fromOwner = thread.getPriority();
    thread.stop();
    QCOMPARE(ztpm::ThreadPriority(int(onThread)), expected);
    QCOMPARE(fromOwner, expected);
}

void tst_Thread::sleepAndCounter()
{
    const std::int64_t frequency = ztpm::getHighResolutionFrequency();
    QCOMPARE(frequency, std::int64_t(1000000000));
    const std::int64_t before = ztpm::getHighResolutionCounter();
    ztpm::sleep(20);
    const std::int64_t elapsed = ztpm::getHighResolutionCounter() - before;
    QVERIFY2(elapsed >= frequency / 50, QByteArray::number(qlonglong(elapsed)));
}

QTEST_GUILESS_MAIN(tst_Thread)
#include "tst_thread.moc"
