// SPDX-License-Identifier: LGPL-2.1-or-later
#include "nginxserver.h"

#include "testcertificates.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace MavTest {

namespace {

// The certificate each listener presents (Http presents none).
const TestCertificates::Certificate s_certificates[NginxServer::ListenerCount] = {
    TestCertificates::Server,           TestCertificates::Server,    TestCertificates::Server,
    TestCertificates::NoSubjectAltName, TestCertificates::OtherName, TestCertificates::Revoked,
    TestCertificates::SelfSigned,       TestCertificates::Wildcard};

} // namespace

NginxServer::NginxServer(quint16 backendPort)
    : m_dir(QDir::tempPath() + QStringLiteral("/mavtest-nginx-XXXXXX"))
    , m_backendPort(backendPort)
{ }

NginxServer::~NginxServer()
{
    stop();
}

QDateTime NginxServer::fixedTime()
{
    return QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
}

QString NginxServer::url(Listener listener, const QString &path) const
{
    return QStringLiteral("%1://127.0.0.1:%2%3")
        .arg(listener == Http ? QStringLiteral("http") : QStringLiteral("https"))
        .arg(m_ports[listener])
        .arg(path);
}

bool NginxServer::createFile(const QString &name, const QByteArray &content,
                             const QDateTime &modified)
{
    QFile file(m_dir.filePath(QStringLiteral("files/") + name));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush()
        && file.setFileTime(modified, QFileDevice::FileModificationTime);
}

QByteArray NginxServer::createRandomFile(const QString &name, qint64 size)
{
    QByteArray content(size, Qt::Uninitialized);
    QRandomGenerator generator {quint32(size)};
    generator.fillRange(reinterpret_cast<quint32 *>(content.data()), size / 4);
    return createFile(name, content) ? content : QByteArray();
}

bool NginxServer::writeConfiguration()
{
    const TestCertificates &certificates = TestCertificates::instance();
    const QString dir = m_dir.path();
    QByteArray config = "daemon off;\nmaster_process off;\nworker_processes 1;\n"
                        "pid "
        + QFile::encodeName(dir) + "/nginx.pid;\nerror_log " + QFile::encodeName(dir)
        + "/error.log warn;\nevents { worker_connections 1024; }\nhttp {\n"
          "  access_log off;\n  default_type application/octet-stream;\n"
          "  client_max_body_size 64m;\n";
    for (const char *temp : {"client_body", "proxy", "fastcgi", "uwsgi", "scgi"})
        config += QByteArray("  ") + temp + "_temp_path " + QFile::encodeName(dir) + "/temp/" + temp
            + ";\n";
    for (int i = 0; i < ListenerCount; ++i) {
        const QByteArray origin = url(Listener(i), {}).toUtf8();
        config += "  server {\n    listen 127.0.0.1:" + QByteArray::number(m_ports[i]);
        if (i != Http) {
            config += " ssl;\n    ssl_certificate "
                + QFile::encodeName(certificates.certificate(s_certificates[i]))
                + ";\n    ssl_certificate_key " + QFile::encodeName(certificates.serverKey());
        }
        if (i == HttpsClientCertificate) {
            config += ";\n    ssl_verify_client on;\n    ssl_verify_depth 1;\n"
                      "    ssl_client_certificate "
                + QFile::encodeName(certificates.authority());
        }
        config +=
            ";\n"
            "    location = /ok { default_type text/plain; return 200 \"Hello from nginx\\n\"; }\n"
            "    location = /headers { default_type text/plain; return 200 "
            "\"user-agent=$http_user_agent\\nresponsetype=$http_responsetype\\n"
            "if-modified-since=$http_if_modified_since\\nencrypted=$http_encrypted\\n"
            "content-type=$content_type\\ncontent-length=$content_length\\n"
            "query=$args\\nclient=$ssl_client_s_dn\\n\"; }\n";
        for (const char *code : {"301", "302", "303", "307"})
            config += QByteArray("    location = /r") + code + " { return " + code + " " + origin
                + "/ok; }\n";
        config += "    location = /r302-twice { return 302 " + origin + "/r302; }\n"
            + "    location = /r302-fixed { return 302 " + origin + "/files/fixed.txt; }\n"
            + "    location = /r302-nowhere { return 302; }\n"
              "    location = /error500 { default_type text/plain; return 500 \"Internal "
              "trouble\\n\"; }\n"
              "    location /files/ { alias "
            + QFile::encodeName(dir) + "/files/; }\n";
        if (m_backendPort) {
            config += "    location /backend/ { proxy_pass http://127.0.0.1:"
                + QByteArray::number(m_backendPort)
                + "/; proxy_read_timeout 60s; proxy_buffering off; }\n";
        }
        config += "  }\n";
    }
    config += "}\n";
    QFile file(m_dir.filePath(QStringLiteral("nginx.conf")));
    return file.open(QIODevice::WriteOnly) && file.write(config) == config.size();
}

bool NginxServer::start()
{
    const TestCertificates &certificates = TestCertificates::instance();
    if (!certificates.isValid()) {
        m_error = QStringLiteral("test certificates: ") + certificates.errorString();
        return false;
    }
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath(QStringLiteral("files"))
        || !QDir(m_dir.path()).mkpath(QStringLiteral("temp"))
        || !createFile(QStringLiteral("fixed.txt"), "fixed\n")) {
        m_error = QStringLiteral("cannot prepare the nginx folder");
        return false;
    }
    // A port found free may be taken before nginx binds it: try again with others.
    for (int attempt = 0; attempt < 5; ++attempt) {
        for (quint16 &port : m_ports)
            port = freePort();
        if (!writeConfiguration()) {
            m_error = QStringLiteral("cannot write the nginx configuration");
            return false;
        }
        const QString dir = m_dir.path();
        if (!m_process.start(QStringLiteral("nginx"),
                             {QStringLiteral("-p"), dir, QStringLiteral("-c"),
                              dir + QStringLiteral("/nginx.conf"), QStringLiteral("-e"),
                              dir + QStringLiteral("/error.log")})) {
            m_error = QStringLiteral("cannot start nginx");
            return false;
        }
        for (int i = 0; i < 500 && m_process.isRunning(); ++i) {
            if (waitForPort(m_ports[ListenerCount - 1], 10)) {
                m_error.clear();
                return true;
            }
        }
        QFile log(m_dir.filePath(QStringLiteral("error.log")));
        log.open(QIODevice::ReadOnly);
        m_error = QStringLiteral("nginx did not start: ") + QString::fromLocal8Bit(log.readAll());
        m_process.stop();
    }
    return false;
}

void NginxServer::stop()
{
    m_process.stop();
}

} // namespace MavTest
