// SPDX-License-Identifier: LGPL-2.1-or-later
#include "childprocess.h"

#include <QCoreApplication>
#include <QProcess>

#include <unistd.h>

namespace MavTest {

ChildResult runChild(const QString &program, const QStringList &arguments,
                     const ChildOptions &options)
{
    QProcess process;
    if (!options.environment.isEmpty())
        process.setProcessEnvironment(options.environment);
    if (options.mergeChannels)
        process.setProcessChannelMode(QProcess::MergedChannels);
    if (options.inChild)
        process.setChildProcessModifier(options.inChild);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return {};
    if (!options.input.isEmpty())
        process.write(options.input);
    process.closeWriteChannel();
    ChildResult result;
    if (!process.waitForFinished(options.timeoutMs)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

ChildResult runSelf(const QStringList &arguments, const ChildOptions &options)
{
    return runChild(QCoreApplication::applicationFilePath(), arguments, options);
}

ChildResult runSelfUnprivileged(const QStringList &arguments, const ChildOptions &options)
{
    if (::geteuid() != 0)
        return runSelf(arguments, options);
    return runChild(QStringLiteral("setpriv"),
                    QStringList {"--reuid=65534", "--regid=65534", "--clear-groups",
                                 QCoreApplication::applicationFilePath()}
                        + arguments,
                    options);
}

} // namespace MavTest
