// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace MavTest {

/*!
    A TCP server on 127.0.0.1 that does, for every connection, whatever its
    behaviour says, byte for byte: for what real servers will not do (headers in
    pieces, endless or silent answers, resets), and to capture what a client sent.
    Each connection runs on its own thread; stop() (or the destructor) ends them.

    It is also the gate that answers only when the test releases it: a behaviour
    that calls waitForRelease() holds its connection until release() or stop().
*/
class RawHttpServer
{
public:
    class Connection
    {
    public:
        //! A request: the header and as many body bytes as its Content-Length says.
        QByteArray readRequest(int timeoutMs = 10000);
        //! What one read gets (at most 64 KiB); empty after the time-out.
        QByteArray readOnce(int timeoutMs = 10000);
        //! Everything until the client closes (or the time-out).
        QByteArray readAll(int timeoutMs = 10000);
        bool send(const QByteArray &bytes);
        //! Sends \a header, then 200 MB of body, or less when the client hangs up first.
        void sendEndlessBody(const QByteArray &header);
        //! Sends \a bytes \a piece bytes at a time, \a delayMs apart.
        bool sendInPieces(const QByteArray &bytes, int piece, int delayMs);
        //! Makes the end of the behaviour abort the connection: the client sees a reset.
        void reset();
        //! Blocks until the test calls release() (true) or the server stops (false).
        bool waitForRelease();
        //! Sleeps, waking early when the server stops; false then.
        bool pause(int milliseconds);

    private:
        friend class RawHttpServer;
        Connection(RawHttpServer *server, int fd)
            : m_server(server)
            , m_fd(fd)
        { }
        bool readMore(QByteArray *into, int timeoutMs);

        RawHttpServer *m_server;
        int m_fd;
    };
    using Behaviour = std::function<void(Connection &)>;

    explicit RawHttpServer(Behaviour behaviour);
    ~RawHttpServer();
    RawHttpServer(const RawHttpServer &) = delete;
    RawHttpServer &operator=(const RawHttpServer &) = delete;

    bool start();
    void stop();
    quint16 port() const { return m_port; }
    //! "http://127.0.0.1:<port><path>"
    QString url(const QString &path = QStringLiteral("/")) const;

    //! Every request a behaviour read so far, in order.
    QList<QByteArray> requests() const;
    int connectionCount() const { return m_connections.load(); }

    //! Lets \a count held connections go on.
    void release(int count = 1);
    //! Waits until \a count connections are held in waitForRelease().
    bool waitForHeld(int count, int timeoutMs = 10000);

    //! Reads the request, sends \a response and closes.
    static Behaviour answer(const QByteArray &response);
    //! Reads the request, sends \a header and a body that does not end (200 MB).
    static Behaviour endless(const QByteArray &header);

private:
    void acceptLoop();
    void record(const QByteArray &request);

    Behaviour m_behaviour;
    int m_listenFd = -1;
    int m_wakeFd = -1;
    quint16 m_port = 0;
    std::thread m_acceptThread;
    std::vector<std::thread> m_threads; // accept thread only, until stop() joins them
    std::atomic<int> m_connections = 0;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stopping = false;
    int m_released = 0;
    int m_held = 0;
    QList<QByteArray> m_requests;
};

} // namespace MavTest
