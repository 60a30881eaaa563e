// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "peerprocess.h"

#include <QString>
#include <QStringList>

namespace MavTest {

/*!
    `openssl s_server -www` on 127.0.0.1, presenting TestCertificates::Server, for
    what only TLS is about: protocol versions, required client certificates,
    handshake failures. It serves one connection at a time. Start it from a thread
    that outlives it.
*/
class OpenSslServer
{
public:
    //! \a options are added to the command line (e.g. "-tls1_3", "-Verify", "1").
    explicit OpenSslServer(const QStringList &options = {});
    ~OpenSslServer();
    OpenSslServer(const OpenSslServer &) = delete;
    OpenSslServer &operator=(const OpenSslServer &) = delete;

    bool start();
    void stop() { m_process.stop(); }
    QString errorString() const { return m_error; }
    quint16 port() const { return m_port; }
    //! "https://127.0.0.1:<port>/"
    QString url() const;

private:
    QStringList m_options;
    quint16 m_port = 0;
    PeerProcess m_process;
    QString m_error;
};

} // namespace MavTest
