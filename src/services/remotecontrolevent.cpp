// SPDX-License-Identifier: LGPL-2.1-or-later
#include "remotecontrolevent.h"

#include <QDataStream>
#include <QDebug>

#include <iterator>

namespace Quorvex {

namespace {

QString textForm(const RemoteControlEvent &event)
{
    // Index 0 also names every value outside the table.
    static const char *const buttons[] = {
        "Unknown",   "Plus",       "Minus",     "Menu",      "Play",      "Left",       "Right",
        "Plus_Hold", "Minus_Hold", "Menu_Hold", "Play_Hold", "Left_Hold", "Right_Hold", "Switched",
    };
    const auto button = quint32(event.button());
    return QStringLiteral("RemoteControlEvent button:%1%2 clicks: %3")
        .arg(QLatin1String(button < std::size(buttons) ? buttons[button] : buttons[0]),
             event.action() == RemoteControlEvent::Pressed ? QLatin1String(" Pressed")
                                                           : QLatin1String(" Released"),
             QString::number(event.clickCount()));
}

} // namespace

RemoteControlEvent::RemoteControlEvent(Button button, Action action, int clickCount)
    : QEvent(EventType)
    , m_button(button)
    , m_action(action)
    , m_clickCount(clickCount)
{ }

RemoteControlEvent::~RemoteControlEvent() = default;

RemoteControlEvent *RemoteControlEvent::clone() const
{
    return new RemoteControlEvent(*this);
}

QDebug operator<<(QDebug debug, const RemoteControlEvent *event)
{
    if (!event)
        return debug << "RemoteControlEvent(0x0)";
    return debug << textForm(*event);
}

QDataStream &operator<<(QDataStream &stream, const RemoteControlEvent *event)
{
    // A null event still writes one string, so that a reader stays in step.
    return stream << (event ? textForm(*event) : QString());
}

} // namespace Quorvex
