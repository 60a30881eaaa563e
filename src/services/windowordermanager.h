// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QObject>

namespace Quorvex {

/*!
    Keeps every top-level window of the application above other applications'
    windows, or not, as the user chooses. Pop-ups are left alone. To reach windows
    created later, install the manager as event filter on them (or on the
    application): each one gets the setting when its native window is created.

    GUI thread only.
*/
class MAVLIBRARY_EXPORT WindowOrderManager : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    //! Gives every top-level window the stay-on-top hint, or takes it away; windows
    //! that were shown are shown again, and the active window is raised at the end.
    void setAlwaysOnTop(bool alwaysOnTop);
    bool isAlwaysOnTop() const { return m_alwaysOnTop; }

protected:
    //! Never consumes the event.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_alwaysOnTop = false;
};

} // namespace Quorvex
