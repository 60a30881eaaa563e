// SPDX-License-Identifier: LGPL-2.1-or-later
#include "rawhttpserver.h"

#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace MavTest {

RawHttpServer::RawHttpServer(Behaviour behaviour)
    : m_behaviour(std::move(behaviour))
{ }

RawHttpServer::~RawHttpServer()
{
    stop();
}

bool RawHttpServer::start()
{
    m_listenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    m_wakeFd = eventfd(0, EFD_CLOEXEC);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listenFd < 0 || m_wakeFd < 0
        || bind(m_listenFd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || listen(m_listenFd, 64) != 0
        || getsockname(m_listenFd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return false;
    m_port = ntohs(address.sin_port);
    m_acceptThread = std::thread(&RawHttpServer::acceptLoop, this);
    return true;
}

void RawHttpServer::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(m_wakeFd, &one, sizeof one);
    }
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    for (std::thread &thread : m_threads)
        thread.join();
    m_threads.clear();
    if (m_listenFd >= 0)
        close(m_listenFd);
    if (m_wakeFd >= 0)
        close(m_wakeFd);
    m_listenFd = m_wakeFd = -1;
}

QString RawHttpServer::url(const QString &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

void RawHttpServer::acceptLoop()
{
    for (;;) {
        pollfd entries[2] = {{m_listenFd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        if (poll(entries, 2, -1) < 0 && errno != EINTR)
            return;
        if (entries[1].revents)
            return;
        if (!(entries[0].revents & POLLIN))
            continue;
        const int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ++m_connections;
        m_threads.emplace_back([this, fd] {
            Connection connection(this, fd);
            m_behaviour(connection);
            close(fd);
        });
    }
}

void RawHttpServer::record(const QByteArray &request)
{
    std::lock_guard lock(m_mutex);
    m_requests.append(request);
}

QList<QByteArray> RawHttpServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void RawHttpServer::release(int count)
{
    {
        std::lock_guard lock(m_mutex);
        m_released += count;
    }
    m_changed.notify_all();
}

bool RawHttpServer::waitForHeld(int count, int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_held >= count; });
}

RawHttpServer::Behaviour RawHttpServer::answer(const QByteArray &response)
{
    return [response](Connection &connection) {
        connection.readRequest();
        connection.send(response);
    };
}

void RawHttpServer::Connection::sendEndlessBody(const QByteArray &header)
{
    send(header);
    const QByteArray piece(64 * 1024, 'e');
    for (int i = 0; i < 3200 && send(piece); ++i) { }
}

RawHttpServer::Behaviour RawHttpServer::endless(const QByteArray &header)
{
    return [header](Connection &connection) {
        connection.readRequest();
        connection.sendEndlessBody(header);
    };
}

bool RawHttpServer::Connection::readMore(QByteArray *into, int timeoutMs)
{
    pollfd entries[2] = {{m_fd, POLLIN, 0}, {m_server->m_wakeFd, POLLIN, 0}};
    if (poll(entries, 2, timeoutMs) <= 0 || entries[1].revents)
        return false;
    char buffer[65536];
    const ssize_t got = recv(m_fd, buffer, sizeof buffer, 0);
    if (got <= 0)
        return false;
    into->append(buffer, got);
    return true;
}

QByteArray RawHttpServer::Connection::readRequest(int timeoutMs)
{
    QByteArray request;
    QElapsedTimer timer;
    timer.start();
    qsizetype end;
    while ((end = request.indexOf("\r\n\r\n")) < 0) {
        if (!readMore(&request, int(qMax<qint64>(0, timeoutMs - timer.elapsed()))))
            return request;
    }
    qsizetype length = 0;
    for (const QByteArray &line : request.left(end).split('\n')) {
        if (line.toLower().startsWith("content-length:"))
            length = line.mid(15).trimmed().toLongLong();
    }
    while (request.size() < end + 4 + length
           && readMore(&request, int(qMax<qint64>(0, timeoutMs - timer.elapsed())))) { }
    m_server->record(request);
    return request;
}

QByteArray RawHttpServer::Connection::readOnce(int timeoutMs)
{
    QByteArray data;
    readMore(&data, timeoutMs);
    return data;
}

QByteArray RawHttpServer::Connection::readAll(int timeoutMs)
{
    QByteArray data;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs
           && readMore(&data, int(qMax<qint64>(0, timeoutMs - timer.elapsed())))) { }
    return data;
}

bool RawHttpServer::Connection::send(const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t sent =
            ::send(m_fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        done += sent;
    }
    return true;
}

bool RawHttpServer::Connection::sendInPieces(const QByteArray &bytes, int piece, int delayMs)
{
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        if (!send(bytes.mid(at, piece)) || (delayMs > 0 && !pause(delayMs)))
            return false;
    }
    return true;
}

void RawHttpServer::Connection::reset()
{
    // Closing with a zero linger time sends RST instead of FIN; the thread closes
    // the socket when the behaviour returns.
    const linger abort = {1, 0};
    setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
}

bool RawHttpServer::Connection::waitForRelease()
{
    std::unique_lock lock(m_server->m_mutex);
    ++m_server->m_held;
    m_server->m_changed.notify_all();
    m_server->m_changed.wait(lock,
                             [&] { return m_server->m_stopping || m_server->m_released > 0; });
    --m_server->m_held;
    if (m_server->m_stopping)
        return false;
    --m_server->m_released;
    return true;
}

bool RawHttpServer::Connection::pause(int milliseconds)
{
    std::unique_lock lock(m_server->m_mutex);
    return !m_server->m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                         [&] { return m_server->m_stopping; });
}

} // namespace MavTest
