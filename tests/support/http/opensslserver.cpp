// SPDX-License-Identifier: LGPL-2.1-or-later
#include "opensslserver.h"

#include "testcertificates.h"

namespace MavTest {

OpenSslServer::OpenSslServer(const QStringList &options)
    : m_options(options)
{ }

OpenSslServer::~OpenSslServer()
{
    stop();
}

QString OpenSslServer::url() const
{
    return QStringLiteral("https://127.0.0.1:%1/").arg(m_port);
}

bool OpenSslServer::start()
{
    const TestCertificates &certificates = TestCertificates::instance();
    if (!certificates.isValid()) {
        m_error = QStringLiteral("test certificates: ") + certificates.errorString();
        return false;
    }
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_port = freePort();
        const QStringList arguments =
            QStringList {QStringLiteral("s_server"),
                         QStringLiteral("-accept"),
                         QStringLiteral("127.0.0.1:%1").arg(m_port),
                         QStringLiteral("-cert"),
                         certificates.certificate(TestCertificates::Server),
                         QStringLiteral("-key"),
                         certificates.serverKey(),
                         QStringLiteral("-CAfile"),
                         certificates.authority(),
                         QStringLiteral("-www")}
            + m_options;
        if (!m_process.start(QStringLiteral("openssl"), arguments)) {
            m_error = QStringLiteral("cannot start openssl s_server");
            return false;
        }
        // It says ACCEPT once it listens.
        if (m_process.waitForOutput("ACCEPT", 5000))
            return true;
        m_error = QStringLiteral("openssl s_server did not start: ")
            + QString::fromLocal8Bit(m_process.output());
        m_process.stop();
    }
    return false;
}

} // namespace MavTest
