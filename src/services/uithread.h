// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QMessageBox>
#include <QObject>
#include <QString>

#include <atomic>

namespace Quorvex {

typedef void (*UIThreadNoneFunctionPtr)();
typedef void (*UIThreadOneFunctionPtr)(void *);
typedef void (*UIThreadTwoFunctionPtr)(void *, void *);
typedef void (*UIThreadThreeFunctionPtr)(void *, void *, void *);

//! One call for the GUI thread: the function and its arguments (null when unused).
struct UIThreadClosure
{
    UIThreadThreeFunctionPtr function = nullptr;
    void *arg1 = nullptr;
    void *arg2 = nullptr;
    void *arg3 = nullptr;
};

//! What a dialog operation shows on the GUI thread.
struct DialogRequest
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    //! When not empty, replaces the text of the OK button.
    QString acceptButtonText;
    //! When not empty, a second button with this text rejects the dialog.
    QString rejectButtonText;
};

/*!
    Runs plain functions, and message and query dialogs, on the GUI thread from any
    thread, waiting until they have run or not. On the GUI thread itself a function
    runs at once, in place, as it does on the thread of a further instance that
    carries the calls (see below), which could never wait for itself.

    The library holds one UIThread, created in the thread that loads it (normally
    the application's main thread); calls from other threads are queued to the
    thread of the most recently created UIThread that still exists, which must run
    an event loop. A waiting call blocks its thread until the function has run; a
    call that does not wait never waits for another call. Calls from one thread
    run in the order they were made. Calls still queued to a UIThread that is
    destroyed are dropped, and what a dropped call owns (a message box's copy of
    its texts) is released.

    \threadsafe
*/
class MAVLIBRARY_EXPORT UIThread : public QObject
{
    Q_OBJECT

public:
    UIThread();
    ~UIThread() override;

    static void executeFunction(UIThreadNoneFunctionPtr function, bool wait);
    static void executeFunction(UIThreadOneFunctionPtr function, bool wait, void *arg1);
    static void executeFunction(UIThreadTwoFunctionPtr function, bool wait, void *arg1, void *arg2);
    static void executeFunction(UIThreadThreeFunctionPtr function, bool wait, void *arg1,
                                void *arg2, void *arg3);

    //! A message box with the OK button only.
    static void displayMessage(QMessageBox::Icon icon, const QString &title, const QString &text,
                               bool wait);
    //! A query that always waits: QMessageBox::Ok (1024) for the accept button, 0 for
    //! the reject button (shown only when \a rejectButtonText is not empty).
    static int displayQuery(QMessageBox::Icon icon, const QString &title, const QString &text,
                            const QString &acceptButtonText, const QString &rejectButtonText);
    //! Shows the DialogRequest at \a request modally and stores its result in the int
    //! at \a result. GUI thread only.
    static void internalDisplayDialog(void *request, void *result);

    //! Emits execute() with \a closure, connected to executor() as the last call
    //! from another thread went: queued, or blocking when that call waited.
    void externalExecute(UIThreadClosure *closure);

public Q_SLOTS:
    void executor(UIThreadClosure *closure);

protected:
    Q_SIGNAL void execute(UIThreadClosure *closure);

private:
    Q_DISABLE_COPY_MOVE(UIThread)

    static UIThread *instance();
    //! \a release, when given, frees what arg1 of a call that does not wait owns.
    static void call(const UIThreadClosure &closure, bool wait, void (*release)(void *));

    static std::atomic<UIThread *> s_instance;
    UIThread *m_previous = nullptr; // the instance this one took over from
    // Qt::ConnectionType of the last call from another thread; -1 before any.
    std::atomic<int> m_lastCallType {-1};
};

} // namespace Quorvex
