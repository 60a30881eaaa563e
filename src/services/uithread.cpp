// SPDX-License-Identifier: LGPL-2.1-or-later
#include "uithread.h"

#include <QAbstractButton>
#include <QApplication>
#include <QThread>

#include <memory>
#include <mutex>

namespace Quorvex {

namespace {

// Serialises changes to the chain of living instances.
std::mutex s_instanceMutex;
// Serialises externalExecute's rebuilding of the execute() connection.
std::mutex s_connectionMutex;

// The shorter function forms travel in arg1, so that each is called with exactly
// the arguments its own type takes.
void callNone(void *function, void *, void *)
{
    reinterpret_cast<UIThreadNoneFunctionPtr>(function)();
}

void callOne(void *function, void *arg1, void *)
{
    reinterpret_cast<UIThreadOneFunctionPtr>(function)(arg1);
}

void callTwo(void *function, void *arg1, void *arg2)
{
    reinterpret_cast<UIThreadTwoFunctionPtr>(function)(arg1, arg2);
}

// The copy of a call that does not wait. It belongs to the queued invocation
// that carries it, so it goes when the call has run or when its UIThread is
// destroyed first; `release` then frees what arg1 owns, run or not.
struct PendingCall
{
    PendingCall(const UIThreadClosure &closure, void (*release)(void *))
        : closure(closure)
        , release(release)
    { }
    ~PendingCall()
    {
        if (release)
            release(closure.arg1);
    }
    Q_DISABLE_COPY_MOVE(PendingCall)

    const UIThreadClosure closure;
    void (*const release)(void *);
};

void showDialog(void *request, void *, void *)
{
    UIThread::internalDisplayDialog(request, nullptr);
}

void releaseDialog(void *request)
{
    delete static_cast<DialogRequest *>(request);
}

bool onGuiThread()
{
    QThread *gui = nullptr;
    if (QCoreApplication *app = QCoreApplication::instance())
        gui = app->thread();
    return gui == QThread::currentThread();
}

} // namespace

std::atomic<UIThread *> UIThread::s_instance {nullptr};

// The library's own instance, created while the library is loaded.
static UIThread s_libraryInstance;

UIThread::UIThread()
{
    qRegisterMetaType<UIThreadNoneFunctionPtr>("UIThreadNoneFunctionPtr");
    qRegisterMetaType<UIThreadOneFunctionPtr>("UIThreadOneFunctionPtr");
    qRegisterMetaType<UIThreadTwoFunctionPtr>("UIThreadTwoFunctionPtr");
    qRegisterMetaType<UIThreadThreeFunctionPtr>("UIThreadThreeFunctionPtr");
    qRegisterMetaType<UIThreadClosure *>("UIThreadClosure*");

    std::lock_guard locker(s_instanceMutex);
    m_previous = s_instance.load();
    s_instance.store(this);
}

UIThread::~UIThread()
{
    // Hand the calls back to the instance this one took over from, so that nothing
    // is ever queued to a destroyed object.
    std::lock_guard locker(s_instanceMutex);
    if (s_instance.load() == this) {
        s_instance.store(m_previous);
        return;
    }
    for (UIThread *later = s_instance.load(); later; later = later->m_previous) {
        if (later->m_previous == this) {
            later->m_previous = m_previous;
            break;
        }
    }
}

UIThread *UIThread::instance()
{
    return s_instance.load(std::memory_order_acquire);
}

void UIThread::executeFunction(UIThreadNoneFunctionPtr function, bool wait)
{
    executeFunction(&callNone, wait, reinterpret_cast<void *>(function), nullptr, nullptr);
}

void UIThread::executeFunction(UIThreadOneFunctionPtr function, bool wait, void *arg1)
{
    executeFunction(&callOne, wait, reinterpret_cast<void *>(function), arg1, nullptr);
}

void UIThread::executeFunction(UIThreadTwoFunctionPtr function, bool wait, void *arg1, void *arg2)
{
    executeFunction(&callTwo, wait, reinterpret_cast<void *>(function), arg1, arg2);
}

void UIThread::executeFunction(UIThreadThreeFunctionPtr function, bool wait, void *arg1, void *arg2,
                               void *arg3)
{
    call({function, arg1, arg2, arg3}, wait, nullptr);
}

/*
    Each call from another thread is posted to the carrying instance on its own,
    as a queued (or, waiting, blocking queued) invocation of executor(). Nothing
    is shared between calls, so a call that does not wait never waits for one
    that does, however long that one blocks; posted events keep the order of
    each thread's calls.
*/
void UIThread::call(const UIThreadClosure &closure, bool wait, void (*release)(void *))
{
    UIThread *carrier = instance();
    // In place on the GUI thread, and on the thread of a further carrying
    // instance, which could never wait for itself.
    if (onGuiThread() || (carrier && carrier->thread() == QThread::currentThread())) {
        const PendingCall inPlace(closure, release);
        if (closure.function)
            closure.function(closure.arg1, closure.arg2, closure.arg3);
        return;
    }
    if (!carrier) {
        // The library is being unloaded: there is no GUI thread to run it.
        const PendingCall dropped(closure, release);
        return;
    }
    const Qt::ConnectionType type = wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection;
    carrier->m_lastCallType.store(type, std::memory_order_relaxed);
    if (wait) {
        // Blocks until the carrier's thread has run it, so the closure may live here.
        UIThreadClosure copy = closure;
        QMetaObject::invokeMethod(
            carrier, [carrier, &copy] { carrier->executor(&copy); }, type);
        return;
    }
    auto pending = std::make_unique<PendingCall>(closure, release);
    QMetaObject::invokeMethod(
        carrier,
        [carrier, pending = std::move(pending)] {
            UIThreadClosure copy = pending->closure;
            carrier->executor(&copy);
        },
        type);
}

void UIThread::displayMessage(QMessageBox::Icon icon, const QString &title, const QString &text,
                              bool wait)
{
    if (wait) {
        DialogRequest request {icon, title, text, QString(), QString()};
        int result = 0;
        executeFunction(&UIThread::internalDisplayDialog, true, &request, &result);
        return;
    }
    // The caller's strings are gone by the time the box shows: the call owns a copy.
    auto *request = new DialogRequest {icon, title, text, QString(), QString()};
    call({&showDialog, request, nullptr, nullptr}, false, &releaseDialog);
}

int UIThread::displayQuery(QMessageBox::Icon icon, const QString &title, const QString &text,
                           const QString &acceptButtonText, const QString &rejectButtonText)
{
    DialogRequest request {icon, title, text, acceptButtonText, rejectButtonText};
    int result = 0;
    executeFunction(&UIThread::internalDisplayDialog, true, &request, &result);
    return result;
}

void UIThread::internalDisplayDialog(void *request, void *result)
{
    // Widgets need a widget application; without one no box can be shown.
    if (!request || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    const auto *dialog = static_cast<const DialogRequest *>(request);
    // A box of its own would open behind a window that stays on top, and block
    // the application unseen: it goes with the active window, and stays on top
    // itself while any window does.
    Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            flags |= Qt::WindowStaysOnTopHint;
    auto *box = new QMessageBox(dialog->icon, dialog->title, dialog->text, QMessageBox::Ok,
                                QApplication::activeWindow(), flags);
    if (!dialog->acceptButtonText.isEmpty())
        box->button(QMessageBox::Ok)->setText(dialog->acceptButtonText);
    if (!dialog->rejectButtonText.isEmpty())
        box->addButton(dialog->rejectButtonText, QMessageBox::RejectRole);
    box->exec();
    if (result)
        *static_cast<int *>(result) = box->result();
    delete box;
}

void UIThread::externalExecute(UIThreadClosure *closure)
{
    const int last = m_lastCallType.load(std::memory_order_relaxed);
    if (last >= 0) {
        // Exactly one connection, of the last call's kind; rebuilt here only, so
        // that no call ever waits on another's rebuilding.
        std::lock_guard locker(s_connectionMutex);
        disconnect(this, &UIThread::execute, nullptr, nullptr);
        connect(this, &UIThread::execute, this, &UIThread::executor, Qt::ConnectionType(last));
    }
    Q_EMIT execute(closure);
}

void UIThread::executor(UIThreadClosure *closure)
{
    if (closure && closure->function)
        closure->function(closure->arg1, closure->arg2, closure->arg3);
}

} // namespace Quorvex
