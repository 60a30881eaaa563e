// SPDX-License-Identifier: LGPL-2.1-or-later
#include "peerprocess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace MavTest {

namespace {

sockaddr_in loopback(quint16 port)
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Starts \a program with its output going to \a output; -1 when fork fails.
pid_t spawn(const QString &program, const QStringList &arguments, int output,
            const QString &workingDirectory, bool dieWithParent)
{
    // Everything the child needs is prepared before the fork.
    std::vector<QByteArray> storage {QFile::encodeName(program)};
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const QByteArray folder = QFile::encodeName(workingDirectory);
    const pid_t pid = fork();
    if (pid == 0) {
        if (dieWithParent)
            prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        if (!folder.isEmpty() && chdir(folder.constData()) != 0)
            _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

QByteArray readAll(int fd)
{
    QByteArray data;
    char buffer[4096];
    for (ssize_t got; (got = pread(fd, buffer, sizeof buffer, data.size())) > 0;)
        data.append(buffer, got);
    return data;
}

} // namespace

quint16 freePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        close(fd);
    return port;
}

bool waitForPort(quint16 port, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    do {
        const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_in address = loopback(port);
        const bool connected =
            connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        close(fd);
        if (connected)
            return true;
        QThread::msleep(5);
    } while (timer.elapsed() < timeoutMs);
    return false;
}

bool runCommand(const QString &program, const QStringList &arguments, QString *error,
                const QString &workingDirectory)
{
    const int output = memfd_create("command-output", MFD_CLOEXEC);
    const pid_t pid = spawn(program, arguments, output, workingDirectory, false);
    int status = -1;
    if (pid > 0) {
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    }
    const bool ok = pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok)
        *error = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '))
            + QStringLiteral(": ") + QString::fromLocal8Bit(readAll(output));
    close(output);
    return ok;
}

PeerProcess::~PeerProcess()
{
    stop();
}

bool PeerProcess::start(const QString &program, const QStringList &arguments)
{
    stop();
    m_output = memfd_create("peer-output", MFD_CLOEXEC);
    m_pid = spawn(program, arguments, m_output, {}, true);
    return m_pid > 0;
}

void PeerProcess::stop()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        QElapsedTimer timer;
        timer.start();
        while (waitpid(m_pid, nullptr, WNOHANG) == 0) {
            if (timer.elapsed() > 5000) {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, nullptr, 0);
                break;
            }
            QThread::msleep(2);
        }
        m_pid = -1;
    }
    if (m_output >= 0)
        close(m_output);
    m_output = -1;
}

bool PeerProcess::isRunning()
{
    if (m_pid <= 0)
        return false;
    if (waitpid(m_pid, nullptr, WNOHANG) == 0)
        return true;
    m_pid = -1; // reaped
    return false;
}

QByteArray PeerProcess::output() const
{
    return m_output >= 0 ? readAll(m_output) : QByteArray();
}

bool PeerProcess::waitForOutput(const QByteArray &text, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!output().contains(text)) {
        if (!isRunning() || timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(5);
    }
    return true;
}

} // namespace MavTest
