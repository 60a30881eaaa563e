// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

namespace MavTest {

struct ChildResult
{
    //! -1 when the child did not start, crashed or was killed at the time limit.
    int exitCode = -1;
    QByteArray out; //!< standard output, or both channels with mergeChannels
    QByteArray err;

    bool succeeded() const { return exitCode == 0; }
};

struct ChildOptions
{
    //! Empty: the test's own environment.
    QProcessEnvironment environment;
    QByteArray input;
    bool mergeChannels = false;
    int timeoutMs = 60000;
    //! Runs in the child between fork and exec (async-signal-safe calls only).
    std::function<void()> inChild;
};

//! Runs \a program to its end.
ChildResult runChild(const QString &program, const QStringList &arguments,
                     const ChildOptions &options = {});

//! Runs this test program again, for a case that needs a fresh process.
ChildResult runSelf(const QStringList &arguments, const ChildOptions &options = {});

//! Runs this test program again as the unprivileged user nobody when the test
//! runs as root (so that file modes bind it), otherwise as it is.
ChildResult runSelfUnprivileged(const QStringList &arguments, const ChildOptions &options = {});

} // namespace MavTest
