// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "peerprocess.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

namespace MavTest {

/*!
    nginx on 127.0.0.1, one listener a kind, with its own configuration in a
    temporary folder (never the system's). Every listener answers these locations:

    | path                | answer                                                   |
    |---------------------|----------------------------------------------------------|
    | /ok                 | 200 "Hello from nginx\n"                                 |
    | /headers            | 200, the request's User-Agent, responseType,             |
    |                     | If-Modified-Since, encrypted, Content-Type,              |
    |                     | Content-Length, query and client certificate subject,    |
    |                     | one "name=value" a line                                  |
    | /r301 /r302 /r303   | that redirect to /ok on the same listener                |
    | /r307               |                                                          |
    | /r302-twice         | 302 to /r302 (two redirects)                             |
    | /r302-fixed         | 302 to /files/fixed.txt                                  |
    | /r302-nowhere       | 302 with an empty Location                               |
    | /error500           | 500 "Internal trouble\n"                                 |
    | /files/NAME         | the files of createFile(), with Last-Modified; 304 for   |
    |                     | an If-Modified-Since equal to it                         |
    | /backend/...        | proxied to the backend port, when one was given (a       |
    |                     | RawHttpServer, e.g. one that holds requests until the    |
    |                     | test releases them)                                      |
    | anything else       | 404                                                      |

    /files/fixed.txt always exists ("fixed\n", last modified fixedTime()).
    Start it from a thread that outlives it (the peer dies with its starting thread).

    A location that answers only when the test says so:

        RawHttpServer gate([](RawHttpServer::Connection &connection) {
            connection.readRequest();
            if (connection.waitForRelease())
                connection.send("HTTP/1.0 200 OK\r\n\r\n");
        });
        gate.start();
        NginxServer nginx(gate.port());
        nginx.start();
        // GET nginx.url(NginxServer::Http, "/backend/x") on another thread, then
        gate.waitForHeld(1);
        gate.release();
*/
class NginxServer
{
public:
    enum Listener {
        Http,
        Https, //!< TestCertificates::Server
        HttpsClientCertificate, //!< Server; requires a client certificate of the authority
        HttpsNoSubjectAltName,
        HttpsOtherName,
        HttpsRevoked,
        HttpsSelfSigned,
        HttpsWildcard,
        ListenerCount
    };

    //! \a backendPort: where /backend/ goes (0: nowhere).
    explicit NginxServer(quint16 backendPort = 0);
    ~NginxServer();
    NginxServer(const NginxServer &) = delete;
    NginxServer &operator=(const NginxServer &) = delete;

    bool start();
    void stop();
    QString errorString() const { return m_error; }

    quint16 port(Listener listener) const { return m_ports[listener]; }
    //! "http://127.0.0.1:<port><path>" (https for the TLS listeners).
    QString url(Listener listener, const QString &path) const;

    //! Puts a file below /files/, last modified at \a modified (UTC).
    bool createFile(const QString &name, const QByteArray &content,
                    const QDateTime &modified = fixedTime());
    //! A file of \a size pseudo-random bytes; returns them.
    QByteArray createRandomFile(const QString &name, qint64 size);
    //! The folder served below /files/.
    QString filesPath() const { return m_dir.filePath(QStringLiteral("files")); }
    static QDateTime fixedTime();

private:
    bool writeConfiguration();

    QTemporaryDir m_dir;
    quint16 m_backendPort;
    quint16 m_ports[ListenerCount] = {};
    PeerProcess m_process;
    QString m_error;
};

} // namespace MavTest
