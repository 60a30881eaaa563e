// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/services/uithread.h>

#include "messageboxanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

using Quorvex::UIThread;

namespace {

// What the functions below saw when they ran.
struct Probe
{
    std::atomic<int> runs {0};
    std::atomic<QThread *> thread {nullptr};
    std::atomic<void *> second {nullptr};
    std::atomic<void *> third {nullptr};
};
Probe g_probe;

void ranThree(void *probe, void *second, void *third)
{
    auto *p = static_cast<Probe *>(probe);
    p->second.store(second), p->third.store(third), p->thread.store(QThread::currentThread());
    p->runs.fetch_add(1);
}
void ranNone()
{
    ranThree(&g_probe, nullptr, nullptr);
}
void ranOne(void *probe)
{
    ranThree(probe, nullptr, nullptr);
}
void ranTwo(void *probe, void *second)
{
    ranThree(probe, second, nullptr);
}

void *const secondArg = reinterpret_cast<void *>(quintptr(0x2222));
void *const thirdArg = reinterpret_cast<void *>(quintptr(0x3333));

void callForm(int form, bool wait)
{
    switch (form) {
    case 0:
        UIThread::executeFunction(&ranNone, wait);
        break;
    case 1:
        UIThread::executeFunction(&ranOne, wait, &g_probe);
        break;
    case 2:
        UIThread::executeFunction(&ranTwo, wait, &g_probe, secondArg);
        break;
    default:
        UIThread::executeFunction(&ranThree, wait, &g_probe, secondArg, thirdArg);
        break;
    }
}

void checkProbe(int form)
{
    QCOMPARE(g_probe.runs.load(), 1);
    QCOMPARE(g_probe.thread.load(), qApp->thread());
    QCOMPARE(g_probe.second.load(), form >= 2 ? secondArg : nullptr);
    QCOMPARE(g_probe.third.load(), form >= 3 ? thirdArg : nullptr);
}

QString standardOkText()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    return box.button(QMessageBox::Ok)->text();
}

// A further UIThread made in a thread of its own, which carries the calls while
// it lives.
struct FurtherInstance
{
    FurtherInstance()
    {
        thread.start();
        anchor.moveToThread(&thread);
        run([this] { instance = new UIThread; });
    }
    ~FurtherInstance()
    {
        run([this] { delete instance; });
        thread.quit();
        thread.wait();
    }
    template<typename Function> void run(Function function)
    {
        QMetaObject::invokeMethod(&anchor, std::move(function), Qt::BlockingQueuedConnection);
    }
    template<typename Function> void post(Function function)
    {
        QMetaObject::invokeMethod(&anchor, std::move(function), Qt::QueuedConnection);
    }

    QThread thread;
    QObject anchor;
    UIThread *instance = nullptr; // deleted by the thread it lives in
};

} // namespace

class tst_UIThread : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        g_probe.runs = 0, g_probe.thread = nullptr, g_probe.second = g_probe.third = nullptr;
    }
    void metaObject();
    void execute_data();
    void execute();
    void manyWorkers();
    void notWaitingPassesWaiting();
    void furtherInstance();
    void droppedWithTheirInstance();
    void externalExecute_data();
    void externalExecute();
    void dialogs_data();
    void dialogs();
};

void tst_UIThread::metaObject()
{
    const QMetaObject &meta = UIThread::staticMetaObject;
    QCOMPARE(meta.className(), "Quorvex::UIThread");
    QCOMPARE(meta.methodCount() - meta.methodOffset(), 2);
    QCOMPARE(meta.method(meta.methodOffset()).methodSignature(), "execute(UIThreadClosure*)");
    QCOMPARE(meta.method(meta.methodOffset()).methodType(), QMetaMethod::Signal);
    QCOMPARE(meta.method(meta.methodOffset() + 1).methodSignature(), "executor(UIThreadClosure*)");
    QCOMPARE(meta.method(meta.methodOffset() + 1).methodType(), QMetaMethod::Slot);
    // Registered by the library's own instance, before any test code ran.
    QCOMPARE(QMetaType::fromName("UIThreadNoneFunctionPtr"),
             QMetaType::fromType<Quorvex::UIThreadNoneFunctionPtr>());
    QCOMPARE(QMetaType::fromName("UIThreadOneFunctionPtr"),
             QMetaType::fromType<Quorvex::UIThreadOneFunctionPtr>());
    QCOMPARE(QMetaType::fromName("UIThreadTwoFunctionPtr"),
             QMetaType::fromType<Quorvex::UIThreadTwoFunctionPtr>());
    QCOMPARE(QMetaType::fromName("UIThreadThreeFunctionPtr"),
             QMetaType::fromType<Quorvex::UIThreadThreeFunctionPtr>());
}

void tst_UIThread::execute_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<bool>("wait");
    QTest::addColumn<bool>("fromWorker");
    for (int form = 0; form < 4; ++form) {
        for (bool worker : {false, true}) {
            const char *from = worker ? "worker" : "GUI thread";
            QTest::addRow("%d arguments, %s, waiting", form, from) << form << true << worker;
            QTest::addRow("%d arguments, %s, not waiting", form, from) << form << false << worker;
        }
    }
}

void tst_UIThread::execute()
{
    QFETCH(int, form);
    QFETCH(bool, wait);
    QFETCH(bool, fromWorker);
    if (!fromWorker) {
        callForm(form, wait); // in place, whatever the wait flag says
        return checkProbe(form);
    }
    std::atomic<int> runsAtReturn {-1};
    std::thread worker([&] {
        callForm(form, wait);
        runsAtReturn.store(g_probe.runs.load());
    });
    if (wait) {
        QTRY_COMPARE(runsAtReturn.load(), 1);
    } else {
        worker.join(); // without running this thread's event loop
        QCOMPARE(runsAtReturn.load(), 0);
        QCoreApplication::processEvents();
    }
    if (worker.joinable())
        worker.join();
    checkProbe(form);
}

namespace {
struct Tally
{
    std::vector<int> runs;
    std::vector<std::vector<int>> order; // per worker, as the GUI thread ran them
};
struct Ticket
{
    Tally *tally;
    int worker, call;
};
void countTicket(void *ticket)
{
    auto *t = static_cast<Ticket *>(ticket);
    ++t->tally->runs[t->worker * 1000 + t->call];
    t->tally->order[t->worker].push_back(t->call);
}
} // namespace

void tst_UIThread::manyWorkers()
{
    constexpr int workers = 6, calls = 40;
    Tally tally {std::vector<int>(workers * 1000), std::vector<std::vector<int>>(workers)};
    std::vector<Ticket> tickets;
    for (int w = 0; w < workers; ++w)
        for (int c = 0; c < calls; ++c)
            tickets.push_back({&tally, w, c});
    std::atomic<int> finished {0};
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            for (int c = 0; c < calls; ++c)
                UIThread::executeFunction(&countTicket, (w + c) % 3 == 0, &tickets[w * calls + c]);
            finished.fetch_add(1);
        });
    }
    QTRY_COMPARE(finished.load(), workers);
    for (std::thread &thread : threads)
        thread.join();
    QCoreApplication::processEvents();
    for (int w = 0; w < workers; ++w) {
        for (int c = 0; c < calls; ++c)
            QCOMPARE(tally.runs[w * 1000 + c], 1);
        QVERIFY(std::is_sorted(tally.order[w].begin(), tally.order[w].end()));
    }
}

void tst_UIThread::notWaitingPassesWaiting()
{
    // One worker waits for the GUI thread, which is itself waiting for a second
    // worker whose call does not wait: that call must return all the same.
    std::atomic<bool> firstCalling = false;
    std::thread waiting([&] {
        firstCalling = true;
        UIThread::executeFunction(&ranOne, true, &g_probe);
    });
    while (!firstCalling)
        std::this_thread::yield();
    QTest::qSleep(20); // let it block in its call
    std::atomic<bool> returned = false;
    std::thread notWaiting([&] {
        UIThread::executeFunction(&ranOne, false, &g_probe);
        returned = true;
    });
    // Waiting without an event loop, as a GUI thread joining a worker would.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!returned && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const bool returnedInTime = returned;
    QTRY_COMPARE(g_probe.runs.load(), 2); // both run once the GUI thread is back
    waiting.join();
    notWaiting.join();
    QVERIFY(returnedInTime);
}

void tst_UIThread::furtherInstance()
{
    // The most recent living instance carries the calls; when it goes, the one
    // before takes them back.
    FurtherInstance further;
    std::thread([] { UIThread::executeFunction(&ranOne, true, &g_probe); }).join();
    QCOMPARE(g_probe.thread.load(), &further.thread);
    // On the carrier's own thread a call runs in place, rather than deadlock.
    further.run([] { UIThread::executeFunction(&ranOne, true, &g_probe); });
    QCOMPARE(g_probe.runs.load(), 2);
    further.run([&further] { delete std::exchange(further.instance, nullptr); });
    std::thread worker([] { UIThread::executeFunction(&ranOne, true, &g_probe); });
    QTRY_COMPARE(g_probe.runs.load(), 3);
    worker.join();
    QCOMPARE(g_probe.thread.load(), qApp->thread());
}

void tst_UIThread::droppedWithTheirInstance()
{
    // Calls queued to an instance that goes before its thread runs them are
    // dropped, and their copies released (LeakSanitizer checks the latter).
    FurtherInstance further;
    std::atomic<bool> queued = false;
    // Keeps the instance's loop busy until the calls are queued, then destroys
    // the instance before the loop can deliver them.
    further.post([&] {
        while (!queued)
            std::this_thread::yield();
        delete std::exchange(further.instance, nullptr);
    });
    std::thread([&] {
        UIThread::executeFunction(&ranOne, false, &g_probe);
        UIThread::displayMessage(QMessageBox::Information, "Dropped", "Never shown", false);
        UIThread::executeFunction(&ranNone, false);
        queued = true;
    }).join();
    further.run([] {});
    QCoreApplication::processEvents();
    QCOMPARE(g_probe.runs.load(), 0);
    // The library's instance carries the calls again.
    std::thread worker([] { UIThread::executeFunction(&ranOne, true, &g_probe); });
    QTRY_COMPARE(g_probe.runs.load(), 1);
    worker.join();
    QCOMPARE(g_probe.thread.load(), qApp->thread());
}

void tst_UIThread::externalExecute_data()
{
    QTest::addColumn<bool>("lastWaited");
    QTest::newRow("after a call that did not wait") << false;
    QTest::newRow("after a waiting call") << true;
}

void tst_UIThread::externalExecute()
{
    // Emits through a connection of the kind of the last call from a worker.
    QFETCH(bool, lastWaited);
    FurtherInstance further;
    std::thread([lastWaited] { UIThread::executeFunction(&ranOne, lastWaited, &g_probe); }).join();
    QTRY_COMPARE(g_probe.runs.load(), 1);
    std::atomic<bool> emitted = false;
    if (!lastWaited) { // hold the instance's loop, so a queued emission cannot run yet
        further.post([&emitted] {
            while (!emitted)
                std::this_thread::yield();
        });
    }
    Quorvex::UIThreadClosure closure {&ranThree, &g_probe, secondArg, thirdArg};
    further.instance->externalExecute(&closure);
    QCOMPARE(g_probe.runs.load(), lastWaited ? 2 : 1);
    emitted = true;
    QTRY_COMPARE(g_probe.runs.load(), 2);
    QCOMPARE(g_probe.thread.load(), &further.thread);
    QCOMPARE(g_probe.third.load(), thirdArg);
}

void tst_UIThread::dialogs_data()
{
    QTest::addColumn<bool>("message"); // displayMessage rather than displayQuery
    QTest::addColumn<bool>("fromWorker");
    QTest::addColumn<QString>("accept");
    QTest::addColumn<QString>("reject");
    QTest::addColumn<int>("role"); // of the button clicked
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QString>("okText");

    const int ok = QMessageBox::AcceptRole, no = QMessageBox::RejectRole;
    const QString standard = standardOkText();
    QTest::newRow("query, standard button") << false << false << ""
                                            << "" << ok << 1024 << 1 << standard;
    QTest::newRow("query, own accept text") << false << false << "Play"
                                            << "" << ok << 1024 << 1 << "Play";
    QTest::newRow("query, accept of two") << false << false << "Keep"
                                          << "Drop" << ok << 1024 << 2 << "Keep";
    QTest::newRow("query, reject of two") << false << false << "Keep"
                                          << "Drop" << no << 0 << 2 << "Keep";
    QTest::newRow("query from worker") << false << true << "Keep"
                                       << "Drop" << no << 0 << 2 << "Keep";
    QTest::newRow("message") << true << false << ""
                             << "" << ok << 0 << 1 << standard;
    QTest::newRow("message from worker, not waiting") << true << true << ""
                                                      << "" << ok << 0 << 1 << standard;
}

void tst_UIThread::dialogs()
{
    QFETCH(bool, message);
    QFETCH(bool, fromWorker);
    QFETCH(QString, accept);
    QFETCH(QString, reject);
    QFETCH(int, role);
    QFETCH(int, result);
    QFETCH(int, buttons);
    QFETCH(QString, okText);

    MavTest::MessageBoxAnswerer clicker {QMessageBox::ButtonRole(role)};
    std::atomic<int> returned {-1};
    auto show = [&] {
        // Not waiting, the caller's strings are gone before the box shows.
        if (message)
            UIThread::displayMessage(QMessageBox::Question, "Title", "Text", !fromWorker),
                returned = 0;
        else
            returned =
                UIThread::displayQuery(QMessageBox::Question, "Title", "Text", accept, reject);
    };
    std::thread worker;
    if (fromWorker)
        worker = std::thread(show);
    else
        show();
    QTRY_COMPARE(returned.load(), result);
    if (worker.joinable())
        worker.join();
    QTRY_VERIFY(clicker.answered);
    QCOMPARE(clicker.title, QStringLiteral("Title"));
    QCOMPARE(clicker.text, QStringLiteral("Text"));
    QCOMPARE(clicker.icon, QMessageBox::Question);
    QCOMPARE(clicker.buttons, buttons);
    QCOMPARE(clicker.okText, okText);
}

QTEST_MAIN(tst_UIThread)
#include "tst_uithread.moc"
