// SPDX-License-Identifier: LGPL-2.1-or-later
#include "startuptimer.h"

#include <QDebug>

namespace Quorvex {

StartupTimer::StartupTimer(QObject *parent)
    : QObject(parent)
{
    m_timer.start();
}

void StartupTimer::done()
{
    qDebug() << "Startup took" << m_timer.elapsed() << "milliseconds";
}

} // namespace Quorvex
