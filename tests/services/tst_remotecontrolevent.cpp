// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/services/remotecontrolevent.h>

#include <QBuffer>
#include <QDataStream>
#include <QDebug>
#include <QTest>

#include <memory>

using Quorvex::OSUtilities;
using Quorvex::RemoteControlEvent;

namespace {

// Counts the remote control events that reach it.
class Receiver : public QObject
{
public:
    int received = 0;
    bool event(QEvent *event) override
    {
        received += event->type() == RemoteControlEvent::EventType;
        return QObject::event(event);
    }
};

} // namespace

class tst_RemoteControlEvent : public QObject
{
    Q_OBJECT

private slots:
    void textForm_data();
    void textForm();
    void copies();
    void noRemoteControls();
};

void tst_RemoteControlEvent::textForm_data()
{
    QTest::addColumn<bool>("null");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("expected");
    QTest::newRow("play pressed") << false << 4 << 1 << 1
                                  << "RemoteControlEvent button:Play Pressed clicks: 1";
    QTest::newRow("switched released twice")
        << false << 13 << 0 << 2 << "RemoteControlEvent button:Switched Released clicks: 2";
    QTest::newRow("held") << false << 7 << 1 << 0
                          << "RemoteControlEvent button:Plus_Hold Pressed clicks: 0";
    QTest::newRow("other action releases")
        << false << 12 << 2 << -1 << "RemoteControlEvent button:Right_Hold Released clicks: -1";
    QTest::newRow("button 0") << false << 0 << 1 << 1
                              << "RemoteControlEvent button:Unknown Pressed clicks: 1";
    QTest::newRow("button 14") << false << 14 << 1 << 1
                               << "RemoteControlEvent button:Unknown Pressed clicks: 1";
    QTest::newRow("negative button")
        << false << -1 << 0 << 3 << "RemoteControlEvent button:Unknown Released clicks: 3";
    QTest::newRow("null event") << true << 0 << 0 << 0 << QString();
}

void tst_RemoteControlEvent::textForm()
{
    QFETCH(bool, null);
    QFETCH(int, button);
    QFETCH(int, action);
    QFETCH(int, clicks);
    QFETCH(QString, expected);
    const RemoteControlEvent event(RemoteControlEvent::Button(button),
                                   RemoteControlEvent::Action(action), clicks);
    const RemoteControlEvent *pointer = null ? nullptr : &event;

    QString debugText;
    QDebug(&debugText) << pointer;
    QCOMPARE(debugText.trimmed(),
             null ? QStringLiteral("RemoteControlEvent(0x0)") : '"' + expected + '"');

    // The stream holds exactly one string, and nothing after it.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QDataStream out(&buffer);
    out << pointer;
    buffer.seek(0);
    QDataStream in(&buffer);
    QString streamed;
    in >> streamed;
    QCOMPARE(in.status(), QDataStream::Ok);
    QVERIFY(in.atEnd());
    QCOMPARE(streamed, expected);
}

void tst_RemoteControlEvent::copies()
{
    RemoteControlEvent original(RemoteControlEvent::Menu, RemoteControlEvent::Pressed, 3);
    original.setAccepted(false);
    RemoteControlEvent assigned(RemoteControlEvent::Plus, RemoteControlEvent::Released, 1);
    assigned = original;
    const std::unique_ptr<RemoteControlEvent> cloned(original.clone());
    const RemoteControlEvent *const copies[] = {&assigned, cloned.get()};
    for (const RemoteControlEvent *copy : copies) {
        QCOMPARE(int(copy->type()), 1006);
        QCOMPARE(copy->button(), RemoteControlEvent::Menu);
        QCOMPARE(copy->action(), RemoteControlEvent::Pressed);
        QCOMPARE(copy->clickCount(), 3);
        QVERIFY(!copy->isAccepted());
    }
}

void tst_RemoteControlEvent::noRemoteControls()
{
    Receiver receiver;
    QVERIFY(!OSUtilities::initRemoteControls(&receiver));
    QVERIFY(!OSUtilities::initRemoteControls(nullptr));
    OSUtilities::setRemoteControlsActive(true);
    QCoreApplication::processEvents();
    OSUtilities::setRemoteControlsActive(false);
    QCOMPARE(receiver.received, 0);
}

QTEST_GUILESS_MAIN(tst_RemoteControlEvent)

#include "tst_remotecontrolevent.moc"
