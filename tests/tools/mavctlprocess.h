// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>

namespace MavTest {

struct MavctlResult
{
    int exitCode = -1;
    QString out;
    QString err;
    QByteArray rawOut;
};

/*!
    Runs the built mavctl with \a arguments in the current environment. \a inChild
    runs in the child between fork and exec (async-signal-safe calls only).
*/
inline MavctlResult runMavctl(const QStringList &arguments, const QByteArray &input = {},
                              const std::function<void()> &inChild = {})
{
    QProcess process;
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(MAVCTL_PATH), arguments);
    if (!process.waitForStarted(10000))
        return {};
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    MavctlResult result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.rawOut = process.readAllStandardOutput();
    result.out = QString::fromUtf8(result.rawOut);
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace MavTest
