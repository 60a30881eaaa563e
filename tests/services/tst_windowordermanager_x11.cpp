// SPDX-License-Identifier: LGPL-2.1-or-later
// Window order as the X server sees it, on a private Xvfb without a window manager:
// Qt writes _NET_WM_STATE itself when it maps a window, and the server keeps the
// stacking order.
#include <MavLibrary/services/uithread.h>
#include <MavLibrary/services/windowordermanager.h>

#include "xcbconnection.h"
#include "xvfb.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <thread>

using Quorvex::UIThread;
using Quorvex::WindowOrderManager;

namespace {

// QWidget::winId() can go stale when changing the flags makes a new native window.
xcb_window_t nativeWindow(const QWidget &widget)
{
    return xcb_window_t(widget.windowHandle()->winId());
}

// Looks at what Qt told the server.
class Observer : public MavTest::XcbConnection
{
public:
    bool hasState(const QWidget &widget, const char *state)
    {
        const xcb_atom_t wanted = atom(state);
        xcb_get_property_reply_t *reply =
            xcb_get_property_reply(connection(),
                                   xcb_get_property(connection(), 0, nativeWindow(widget),
                                                    atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64),
                                   nullptr);
        bool found = false;
        if (reply && reply->format == 32) {
            const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
            const int count = xcb_get_property_value_length(reply) / 4;
            found = std::find(atoms, atoms + count, wanted) != atoms + count;
        }
        std::free(reply);
        return found;
    }

    xcb_window_t transientFor(const QWidget &widget)
    {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection(),
            xcb_get_property(connection(), 0, nativeWindow(widget), XCB_ATOM_WM_TRANSIENT_FOR,
                             XCB_ATOM_WINDOW, 0, 1),
            nullptr);
        xcb_window_t parent = XCB_WINDOW_NONE;
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4)
            parent = *static_cast<const xcb_window_t *>(xcb_get_property_value(reply));
        std::free(reply);
        return parent;
    }

    //! Whether \a upper lies above \a lower among the root window's children.
    bool isAbove(const QWidget &upper, const QWidget &lower)
    {
        xcb_query_tree_reply_t *reply =
            xcb_query_tree_reply(connection(), xcb_query_tree(connection(), root()), nullptr);
        const xcb_window_t *children = xcb_query_tree_children(reply); // bottom to top
        const int count = xcb_query_tree_children_length(reply);
        const auto position = [&](const QWidget &widget) {
            return std::find(children, children + count, nativeWindow(widget)) - children;
        };
        const bool above = position(upper) > position(lower) && position(upper) < count;
        std::free(reply);
        return above;
    }
};

const char above[] = "_NET_WM_STATE_ABOVE";

} // namespace

class tst_WindowOrderManagerX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_observer.connect()); }
    void stateAbove_data();
    void stateAbove();
    void activeWindowRaised();
    void messageBoxOverWindowsOnTop_data();
    void messageBoxOverWindowsOnTop();

private:
    Observer m_observer;
};

void tst_WindowOrderManagerX11::stateAbove_data()
{
    QTest::addColumn<bool>("createdLater");
    QTest::newRow("window shown before") << false;
    QTest::newRow("window created later") << true;
}

void tst_WindowOrderManagerX11::stateAbove()
{
    QFETCH(bool, createdLater);
    WindowOrderManager manager;
    qApp->installEventFilter(&manager);
    std::unique_ptr<QWidget> window;
    if (!createdLater) {
        window = std::make_unique<QWidget>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(!m_observer.hasState(*window, above));
    }
    manager.setAlwaysOnTop(true);
    if (createdLater) {
        window = std::make_unique<QWidget>();
        window->show();
    }
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(m_observer.hasState(*window, above));

    manager.setAlwaysOnTop(false);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(!m_observer.hasState(*window, above));
}

void tst_WindowOrderManagerX11::activeWindowRaised()
{
    // The active window already stays on top, so the walk changes only the other
    // one, which maps above it; raising the active window must put it back on top.
    QWidget active(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    QWidget other;
    active.show();
    QVERIFY(QTest::qWaitForWindowExposed(&active));
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    active.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&active));
    QVERIFY(m_observer.isAbove(other, active));

    WindowOrderManager manager;
    manager.setAlwaysOnTop(true);
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QTRY_VERIFY(m_observer.isAbove(active, other));
}

void tst_WindowOrderManagerX11::messageBoxOverWindowsOnTop_data()
{
    QTest::addColumn<bool>("withActiveWindow");
    QTest::newRow("a worker's box belongs to the active window and stays on top") << true;
    QTest::newRow("with no active window the box still stays on top") << false;
}

// The player's two windows stay on top; the About box comes from a worker
// thread through UIThread and must not open hidden behind them.
void tst_WindowOrderManagerX11::messageBoxOverWindowsOnTop()
{
    QFETCH(bool, withActiveWindow);
    QWidget first(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    QWidget second(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    for (QWidget *window : {&first, &second}) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    if (withActiveWindow) {
        first.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&first));
    } else {
        QApplication::setActiveWindow(nullptr);
        QVERIFY(!QApplication::activeWindow());
    }

    // The box runs its own event loop: it is looked at and closed from there.
    struct
    {
        bool seen = false, aboveBoth = false, stateAbove = false;
        xcb_window_t transientFor = XCB_WINDOW_NONE;
    } box;
    QTimer inspector;
    connect(&inspector, &QTimer::timeout, this, [&] {
        auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!shown || !shown->windowHandle() || !shown->windowHandle()->isExposed())
            return;
        box.seen = true;
        box.aboveBoth = m_observer.isAbove(*shown, first) && m_observer.isAbove(*shown, second);
        box.stateAbove = m_observer.hasState(*shown, above);
        box.transientFor = m_observer.transientFor(*shown);
        shown->accept();
    });
    inspector.start(20);
    std::thread worker([] {
        UIThread::displayMessage(QMessageBox::Information, QStringLiteral("About"),
                                 QStringLiteral("From a worker"), false);
    });
    worker.join();
    QTRY_VERIFY(box.seen);
    QVERIFY(box.aboveBoth);
    QVERIFY(box.stateAbove);
    if (withActiveWindow)
        QCOMPARE(box.transientFor, nativeWindow(first));
}

int main(int argc, char *argv[])
{
    return MavTest::runUnderXvfb<QApplication, tst_WindowOrderManagerX11>(argc, argv);
}

#include "tst_windowordermanager_x11.moc"
