// SPDX-License-Identifier: LGPL-2.1-or-later
#include "uithread.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMetaMethod>
#include <QThread>

#include <memory>
#include <mutex>

namespace Quorvex {

namespace {

// Serialises one background call's reconnection and emission against another's.
std::mutex s_callMutex;
// Serialises changes to the chain of living instances.
std::mutex s_instanceMutex;

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

// A call that does not wait: the GUI thread receives `posted`, which runs `call`
// and releases both.
struct PendingCall
{
    UIThreadClosure posted;
    UIThreadClosure call;
};

void runPendingCall(void *pending, void *, void *)
{
    std::unique_ptr<PendingCall> owned(static_cast<PendingCall *>(pending));
    if (owned->call.function)
        owned->call.function(owned->call.arg1, owned->call.arg2, owned->call.arg3);
}

struct PendingDialog
{
    DialogRequest request;
    int result = 0;
};

void showPendingDialog(void *pending)
{
    std::unique_ptr<PendingDialog> owned(static_cast<PendingDialog *>(pending));
    UIThread::internalDisplayDialog(&owned->request, &owned->result);
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

void UIThread::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&UIThread::execute))
        m_executeConnections.fetch_add(1, std::memory_order_relaxed);
}

void UIThread::disconnectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&UIThread::execute))
        m_executeConnections.fetch_sub(1, std::memory_order_relaxed);
}

void UIThread::route(Qt::ConnectionType type)
{
    // Exactly one connection, ours, of this call's type, is what a rebuild would
    // leave; keep it then rather than pay for tearing it down and making it again.
    if (m_connection && m_connectionType == type
        && m_executeConnections.load(std::memory_order_relaxed) == 1)
        return;
    disconnect(this, SIGNAL(execute(UIThreadClosure *)), nullptr, nullptr);
    m_executeConnections.store(0, std::memory_order_relaxed);
    m_connection = connect(this, &UIThread::execute, this, &UIThread::executor, type);
    m_connectionType = type;
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
    UIThreadClosure closure {function, arg1, arg2, arg3};
    if (onGuiThread()) {
        if (function)
            function(arg1, arg2, arg3);
        return;
    }

    std::lock_guard locker(s_callMutex);
    UIThread *carrier = instance();
    if (!carrier)
        return; // the library is being unloaded: there is no GUI thread to run it
    carrier->route(wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
    if (wait) {
        // Blocks until the GUI thread has run it, so the closure may live here.
        Q_EMIT carrier->execute(&closure);
        return;
    }
    auto *pending = new PendingCall {{&runPendingCall, nullptr, nullptr, nullptr}, closure};
    pending->posted.arg1 = pending;
    Q_EMIT carrier->execute(&pending->posted);
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
    // The caller's stack is gone by the time the box shows: the pending call owns a copy.
    auto *pending = new PendingDialog {{icon, title, text, QString(), QString()}, 0};
    executeFunction(&showPendingDialog, false, pending);
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
    auto *box = new QMessageBox(dialog->icon, dialog->title, dialog->text, QMessageBox::Ok, nullptr,
                                Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
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
    Q_EMIT execute(closure);
}

void UIThread::executor(UIThreadClosure *closure)
{
    if (closure && closure->function)
        closure->function(closure->arg1, closure->arg2, closure->arg3);
}

} // namespace Quorvex
