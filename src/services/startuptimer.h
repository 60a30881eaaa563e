// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QElapsedTimer>
#include <QObject>

namespace Quorvex {

/*!
    Measures the host's start-up: from the timer's construction to each call of
    done(), which writes the time to the debug output.
*/
class MAVLIBRARY_EXPORT StartupTimer : public QObject
{
    Q_OBJECT

public:
    explicit StartupTimer(QObject *parent = nullptr);

public Q_SLOTS:
    //! Writes "Startup took N milliseconds"; every call counts from the construction.
    void done();

private:
    QElapsedTimer m_timer;
};

} // namespace Quorvex
