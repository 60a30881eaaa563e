// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/services/windowordermanager.h>

#include <QApplication>
#include <QPlatformSurfaceEvent>
#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

using Quorvex::WindowOrderManager;

namespace {

bool onTop(const QWidget &widget)
{
    return widget.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace

class tst_WindowOrderManager : public QObject
{
    Q_OBJECT

private slots:
    void setTwiceChangesOnce();
    void walk_data();
    void walk();
    void laterWindows_data();
    void laterWindows();
    void creationOfNonWidget();
};

void tst_WindowOrderManager::setTwiceChangesOnce()
{
    QWidget window;
    WindowOrderManager manager;
    QVERIFY(!manager.isAlwaysOnTop());
    manager.setAlwaysOnTop(true);
    QVERIFY(onTop(window));
    // A second call with the same value must not touch the windows again.
    window.setWindowFlags(window.windowFlags() & ~Qt::WindowStaysOnTopHint);
    manager.setAlwaysOnTop(true);
    QVERIFY(manager.isAlwaysOnTop());
    QVERIFY(!onTop(window));
}

void tst_WindowOrderManager::walk_data()
{
    QTest::addColumn<Qt::WindowType>("type");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("changed");
    QTest::newRow("visible window") << Qt::Window << true << true;
    QTest::newRow("hidden window") << Qt::Window << false << true;
    QTest::newRow("visible dialog") << Qt::Dialog << true << true;
    QTest::newRow("hidden tool") << Qt::Tool << false << true;
    QTest::newRow("splash screen") << Qt::SplashScreen << true << true;
    QTest::newRow("open pop-up") << Qt::Popup << true << false;
}

void tst_WindowOrderManager::walk()
{
    QFETCH(Qt::WindowType, type);
    QFETCH(bool, visible);
    QFETCH(bool, changed);
    // Several windows, so that the walk has to start over after each change.
    std::vector<std::unique_ptr<QWidget>> windows;
    for (int i = 0; i < 3; ++i) {
        windows.push_back(std::make_unique<QWidget>(nullptr, type));
        windows.back()->setVisible(visible);
    }
    WindowOrderManager manager;
    for (bool alwaysOnTop : {true, false}) {
        manager.setAlwaysOnTop(alwaysOnTop);
        for (const auto &window : windows) {
            QCOMPARE(onTop(*window), changed && alwaysOnTop);
            QCOMPARE(window->windowType(), type);
            QCOMPARE(window->isVisible(), visible);
        }
    }
}

void tst_WindowOrderManager::laterWindows_data()
{
    QTest::addColumn<bool>("alwaysOnTop");
    QTest::addColumn<Qt::WindowType>("type");
    QTest::addColumn<bool>("onApplication"); // else on the window itself
    QTest::addColumn<bool>("expected");
    QTest::newRow("window, filter on application") << true << Qt::Window << true << true;
    QTest::newRow("dialog, filter on window") << true << Qt::Dialog << false << true;
    QTest::newRow("pop-up") << true << Qt::Popup << true << false;
    QTest::newRow("setting off") << false << Qt::Window << true << false;
}

void tst_WindowOrderManager::laterWindows()
{
    QFETCH(bool, alwaysOnTop);
    QFETCH(Qt::WindowType, type);
    QFETCH(bool, onApplication);
    QFETCH(bool, expected);
    WindowOrderManager manager;
    manager.setAlwaysOnTop(alwaysOnTop);
    QWidget window(nullptr, type);
    (onApplication ? static_cast<QObject *>(qApp) : &window)->installEventFilter(&manager);
    window.show(); // creates the native window
    QVERIFY(window.testAttribute(Qt::WA_WState_Created));
    QCOMPARE(onTop(window), expected);
    QCOMPARE(window.windowType(), type);
}

// Windows (QWindow) are told of their surface too, when the filter sits on the
// application; they are no widgets.
void tst_WindowOrderManager::creationOfNonWidget()
{
    WindowOrderManager manager;
    manager.setAlwaysOnTop(true);
    QObject object;
    object.installEventFilter(&manager);
    QPlatformSurfaceEvent created(QPlatformSurfaceEvent::SurfaceCreated);
    QCoreApplication::sendEvent(&object, &created);
}

QTEST_MAIN(tst_WindowOrderManager)

#include "tst_windowordermanager.moc"
