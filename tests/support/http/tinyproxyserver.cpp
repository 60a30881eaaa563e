// SPDX-License-Identifier: LGPL-2.1-or-later
#include "tinyproxyserver.h"

#include <QDir>
#include <QFile>

namespace MavTest {

TinyproxyServer::TinyproxyServer(Mode mode)
    : m_dir(QDir::tempPath() + QStringLiteral("/mavtest-tinyproxy-XXXXXX"))
    , m_mode(mode)
{ }

TinyproxyServer::~TinyproxyServer()
{
    stop();
}

bool TinyproxyServer::start()
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_port = freePort();
        QByteArray config = "Port " + QByteArray::number(m_port)
            + "\nListen 127.0.0.1\nTimeout 30\nMaxClients 64\nAllow 127.0.0.1\n"
              "DisableViaHeader Yes\nLogLevel Warning\nLogFile \""
            + QFile::encodeName(m_dir.filePath(QStringLiteral("tinyproxy.log"))) + "\"\nPidFile \""
            + QFile::encodeName(m_dir.filePath(QStringLiteral("tinyproxy.pid"))) + "\"\n";
        if (m_mode == Refusing)
            config += "ConnectPort 1\n";
        if (m_mode == RequiringPassword)
            config += "BasicAuth zentrix secret\n";
        QFile file(m_dir.filePath(QStringLiteral("tinyproxy.conf")));
        if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly)
            || file.write(config) != config.size()) {
            m_error = QStringLiteral("cannot write the tinyproxy configuration");
            return false;
        }
        file.close();
        if (!m_process.start(QStringLiteral("tinyproxy"),
                             {QStringLiteral("-d"), QStringLiteral("-c"), file.fileName()})) {
            m_error = QStringLiteral("cannot start tinyproxy");
            return false;
        }
        for (int i = 0; i < 500 && m_process.isRunning(); ++i) {
            if (waitForPort(m_port, 10))
                return true;
        }
        m_error = QStringLiteral("tinyproxy did not start: ")
            + QString::fromLocal8Bit(m_process.output());
        m_process.stop();
    }
    return false;
}

} // namespace MavTest
