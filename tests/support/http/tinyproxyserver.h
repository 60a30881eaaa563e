// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "peerprocess.h"

#include <QString>
#include <QTemporaryDir>

namespace MavTest {

/*!
    tinyproxy on 127.0.0.1 as a CONNECT proxy, with its own configuration in a
    temporary folder. Start it from a thread that outlives it.
*/
class TinyproxyServer
{
public:
    enum Mode {
        Allowing, //!< tunnels to any port
        Refusing, //!< answers CONNECT with 403 (only port 1 may be tunnelled to)
        RequiringPassword //!< answers 407 to a client without credentials
    };

    explicit TinyproxyServer(Mode mode = Allowing);
    ~TinyproxyServer();
    TinyproxyServer(const TinyproxyServer &) = delete;
    TinyproxyServer &operator=(const TinyproxyServer &) = delete;

    bool start();
    void stop() { m_process.stop(); }
    QString errorString() const { return m_error; }
    quint16 port() const { return m_port; }

private:
    QTemporaryDir m_dir;
    Mode m_mode;
    quint16 m_port = 0;
    PeerProcess m_process;
    QString m_error;
};

} // namespace MavTest
