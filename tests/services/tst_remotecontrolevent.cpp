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
    QTest::addColumn<QString>("expected");
    const QString prefix = QStringLiteral("RemoteControlEvent button:");
    QTest::newRow("play pressed") << false << 4 << 1 << prefix + "Play Pressed clicks: 2";
    QTest::newRow("switched released")
        << false << 13 << 0 << prefix + "Switched Released clicks: 2";
    QTest::newRow("other action releases")
        << false << 7 << 2 << prefix + "Plus_Hold Released clicks: 2";
    QTest::newRow("button 0") << false << 0 << 1 << prefix + "Unknown Pressed clicks: 2";
    QTest::newRow("button 14") << false << 14 << 1 << prefix + "Unknown Pressed clicks: 2";
    QTest::newRow("negative button") << false << -1 << 1 << prefix + "Unknown Pressed clicks: 2";
    QTest::newRow("null event") << true << 0 << 0 << QString();
}

void tst_RemoteControlEvent::textForm()
{
    QFETCH(bool, null);
    QFETCH(int, button);
    QFETCH(int, action);
    QFETCH(QString, expected);
    const RemoteControlEvent event(RemoteControlEvent::Button(button),
                                   RemoteControlEvent::Action(action), 2);
    const RemoteControlEvent *pointer = null ? nullptr : &event;

    QString debugText;
    QDebug(&debugText) << pointer;
    QCOMPARE(debugText.trimmed(), null ? "RemoteControlEvent(0x0)" : '"' + expected + '"');

    // Exactly one string, even for no event, so that a reader stays in step.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QDataStream out(&buffer);
    out << pointer;
    buffer.seek(0);
    QDataStream in(&buffer);
    QString streamed;
    in >> streamed;
    QVERIFY(in.status() == QDataStream::Ok && in.atEnd());
    QCOMPARE(streamed, expected);
}

void tst_RemoteControlEvent::copies()
{
    RemoteControlEvent original(RemoteControlEvent::Menu, RemoteControlEvent::Pressed, 3);
    original.setAccepted(false);
    RemoteControlEvent assigned(RemoteControlEvent::Plus, RemoteControlEvent::Released, 1);
    assigned = original;
    const std::unique_ptr<RemoteControlEvent> cloned(original.clone());
    for (const RemoteControlEvent *copy : {&assigned, cloned.get()}) {
        QCOMPARE(int(copy->type()), 1006);
        QCOMPARE(copy->button(), RemoteControlEvent::Menu);
        QCOMPARE(copy->action(), RemoteControlEvent::Pressed);
        QCOMPARE(copy->clickCount(), 3);
        QVERIFY(!copy->isAccepted());
    }
}

void tst_RemoteControlEvent::noRemoteControls()
{
    QObject receiver;
    OSUtilities::setRemoteControlsActive(true);
    QVERIFY(!OSUtilities::initRemoteControls(&receiver));
    QVERIFY(!OSUtilities::initRemoteControls(nullptr));
}

QTEST_GUILESS_MAIN(tst_RemoteControlEvent)

#include "tst_remotecontrolevent.moc"
