// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace MavTest {

//! A TCP port on 127.0.0.1 that was free a moment ago.
quint16 freePort();
//! Waits until 127.0.0.1:\a port accepts a connection.
bool waitForPort(quint16 port, int timeoutMs);
//! Runs a command to its end; false (with its output in \a error) unless it exits with 0.
bool runCommand(const QString &program, const QStringList &arguments, QString *error,
                const QString &workingDirectory = {});

/*!
    A test peer's process (nginx, tinyproxy, openssl s_server): started on demand,
    stopped with SIGTERM (then SIGKILL) by stop() or the destructor, and killed by
    the system should the thread that started it end first. Its standard output
    and error are kept in memory.

    Started with a plain fork and exec: ThreadSanitizer follows that, but not
    QProcess's way of spawning, after which it refuses new threads.
*/
class PeerProcess
{
public:
    PeerProcess() = default;
    ~PeerProcess();
    PeerProcess(const PeerProcess &) = delete;
    PeerProcess &operator=(const PeerProcess &) = delete;

    bool start(const QString &program, const QStringList &arguments);
    void stop();
    bool isRunning();
    //! What the process wrote so far.
    QByteArray output() const;
    //! Waits until the output contains \a text; false when the process ends first.
    bool waitForOutput(const QByteArray &text, int timeoutMs);

private:
    pid_t m_pid = -1;
    int m_output = -1;
};

} // namespace MavTest
