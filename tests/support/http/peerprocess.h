// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace MavTest {

//! A TCP port on 127.0.0.1 that was free a moment ago.
quint16 freePort();
//! Waits until 127.0.0.1:\a port accepts a connection.
bool waitForPort(quint16 port, int timeoutMs);
//! Runs a command to its end; false (with its output in \a error) unless it exits with 0.
bool runCommand(const QString &program, const QStringList &arguments, QString *error,
                const QByteArray &input = {}, const QString &workingDirectory = {});

/*!
    A test peer's process (nginx, tinyproxy, openssl s_server): started on demand,
    stopped with SIGTERM (then SIGKILL) by stop() or the destructor, and killed by
    the system should the test process die first.
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
    bool isRunning() const;
    QProcess *process() const { return m_process.get(); }

private:
    std::unique_ptr<QProcess> m_process;
};

} // namespace MavTest
