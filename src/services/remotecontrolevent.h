// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QEvent>

class QDataStream;
class QDebug;

namespace Quorvex {

//! One press or release of a remote control button, as delivered to the receiver
//! given to OSUtilities::initRemoteControls().
class MAVLIBRARY_EXPORT RemoteControlEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = QEvent::Type(QEvent::User + 6);

    enum Button : qint32 {
        Plus = 1,
        Minus,
        Menu,
        Play,
        Left,
        Right,
        PlusHold,
        MinusHold,
        MenuHold,
        PlayHold,
        LeftHold,
        RightHold,
        Switched,
    };
    //! Every value but Pressed reads as a release.
    enum Action : qint32 { Released = 0, Pressed = 1 };

    RemoteControlEvent(Button button, Action action, int clickCount);
    RemoteControlEvent(const RemoteControlEvent &other) = default;
    RemoteControlEvent &operator=(const RemoteControlEvent &other) = default;
    ~RemoteControlEvent() override;
    RemoteControlEvent *clone() const override;

    Button button() const { return m_button; }
    Action action() const { return m_action; }
    int clickCount() const { return m_clickCount; }

private:
    Button m_button;
    Action m_action;
    int m_clickCount;
};

//! Writes the event's text form ("RemoteControlEvent button:Play Pressed clicks: 1")
//! as one string.
MAVLIBRARY_EXPORT QDebug operator<<(QDebug debug, const RemoteControlEvent *event);
//! Writes the event's text form as one QString; the fields are not serialised.
MAVLIBRARY_EXPORT QDataStream &operator<<(QDataStream &stream, const RemoteControlEvent *event);

} // namespace Quorvex
