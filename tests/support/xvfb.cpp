// SPDX-License-Identifier: LGPL-2.1-or-later
#include "xvfb.h"

#include <signal.h>
#include <sys/prctl.h>

namespace MavTest {

bool Xvfb::start()
{
    m_process.setProgram(QStringLiteral("Xvfb"));
    m_process.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                            QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                            QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("640x480x24")});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The server must not outlive a test that crashes.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return false;
    QByteArray number;
    while (!number.endsWith('\n') && m_process.waitForReadyRead(10000))
        number += m_process.readAllStandardOutput();
    m_display = number.trimmed();
    if (m_display.isEmpty())
        return false;
    qputenv("DISPLAY", display());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("XAUTHORITY");
    return true;
}

Xvfb::~Xvfb()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

} // namespace MavTest
