// SPDX-License-Identifier: LGPL-2.1-or-later
#include "testcertificates.h"

#include "peerprocess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace MavTest {

namespace {

const char s_caConfig[] = R"([ca]
default_ca = test
[test]
database = index.txt
serial = serial
crlnumber = crlnumber
new_certs_dir = .
default_md = sha256
policy = any
unique_subject = no
[any]
commonName = supplied
[server]
basicConstraints = critical, CA:FALSE
subjectAltName = DNS:localhost, IP:127.0.0.1
[nosan]
basicConstraints = critical, CA:FALSE
[other]
basicConstraints = critical, CA:FALSE
subjectAltName = DNS:other.example
[wildcard]
basicConstraints = critical, CA:FALSE
subjectAltName = DNS:*.example.test
[client]
basicConstraints = critical, CA:FALSE
extendedKeyUsage = clientAuth
)";

// A version 1 revocation list without a next-update time, which `openssl ca`
// refuses to make: the to-be-signed part is built with asn1parse -genconf, signed
// with dgst, and wrapped together with the signature.
const char s_listWithoutNextUpdate[] = R"(asn1 = SEQUENCE:list
[list]
algorithm = SEQUENCE:algorithm
issuer = SEQUENCE:issuer
thisUpdate = UTCTIME:200101000000Z
[algorithm]
oid = OID:ecdsa-with-SHA256
[issuer]
organization = SET:organization
commonName = SET:commonName
[organization]
attribute = SEQUENCE:organizationAttribute
[organizationAttribute]
type = OID:organizationName
value = UTF8:Zentrix
[commonName]
attribute = SEQUENCE:commonNameAttribute
[commonNameAttribute]
type = OID:commonName
value = UTF8:Zentrix Localhost Test Authority
)";

QTemporaryDir &folder()
{
    static QTemporaryDir s_dir(QDir::tempPath() + QStringLiteral("/mavtest-certs-XXXXXX"));
    return s_dir;
}

} // namespace

const TestCertificates &TestCertificates::instance()
{
    static TestCertificates s_certificates;
    return s_certificates;
}

TestCertificates::TestCertificates()
    : m_dir(folder().path())
{
    if (!folder().isValid())
        m_error = QStringLiteral("cannot create a temporary folder");
    else
        make();
}

QString TestCertificates::path(const QString &name) const
{
    return m_dir + QLatin1Char('/') + name;
}

QString TestCertificates::certificate(Certificate which) const
{
    static const char *const names[] = {"server.pem",  "nosan.pem",      "other.pem",
                                        "revoked.pem", "selfsigned.pem", "wildcard.pem"};
    return path(QString::fromLatin1(names[which]));
}

QString TestCertificates::serverKey() const
{
    return path(QStringLiteral("server.key"));
}

QString TestCertificates::revocationList(RevocationList which) const
{
    static const char *const names[] = {"revoking.crl", "expired.crl", "nonext.crl", "forged.crl"};
    return path(QString::fromLatin1(names[which]));
}

QString TestCertificates::authority() const
{
    return path(QStringLiteral("ca.pem"));
}

QString TestCertificates::clientIdentity() const
{
    return path(QStringLiteral("client-identity.pem"));
}

bool TestCertificates::make()
{
    const QString openssl = QStringLiteral("openssl");
    // Relative names are in the certificate folder, where openssl runs.
    auto run = [&](const QStringList &arguments) {
        return m_error.isEmpty() && runCommand(openssl, arguments, &m_error, m_dir);
    };
    auto write = [&](const QString &name, const QByteArray &content) {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            m_error = QStringLiteral("cannot write ") + file.fileName();
    };
    auto copy = [&](const QString &from, const QString &to) {
        if (!QFile::copy(from, path(to)))
            m_error = QStringLiteral("cannot copy ") + from;
    };
    const QString source = QStringLiteral(MAV_HTTP_PEERS_DIR);
    copy(source + QStringLiteral("/localhost-ca.pem"), QStringLiteral("ca.pem"));
    copy(source + QStringLiteral("/localhost-ca.key"), QStringLiteral("ca.key"));
    write(QStringLiteral("ca.cnf"), s_caConfig);
    write(QStringLiteral("index.txt"), {});
    write(QStringLiteral("serial"), "1000\n");
    write(QStringLiteral("crlnumber"), "1000\n");
    write(QStringLiteral("nonext.cnf"), s_listWithoutNextUpdate);

    const QStringList ca = {QStringLiteral("ca"),       QStringLiteral("-batch"),
                            QStringLiteral("-config"),  QStringLiteral("ca.cnf"),
                            QStringLiteral("-cert"),    QStringLiteral("ca.pem"),
                            QStringLiteral("-keyfile"), QStringLiteral("ca.key")};
    // Valid from 2000, so that the clock of the machine does not matter.
    const QStringList validity = {QStringLiteral("-startdate"), QStringLiteral("20000101000000Z"),
                                  QStringLiteral("-enddate"), QStringLiteral("21000101000000Z")};
    auto issue = [&](const QString &request, const QString &section, const QString &out) {
        run(ca + validity
            + QStringList {QStringLiteral("-notext"), QStringLiteral("-in"), request,
                           QStringLiteral("-extensions"), section, QStringLiteral("-out"), out});
    };
    auto request = [&](const QString &key, const QString &subject, const QString &out) {
        run({QStringLiteral("req"), QStringLiteral("-new"), QStringLiteral("-key"), key,
             QStringLiteral("-subj"), subject, QStringLiteral("-out"), out});
    };
    auto ecKey = [&](const QString &out) {
        run({QStringLiteral("genpkey"), QStringLiteral("-algorithm"), QStringLiteral("EC"),
             QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:P-256"),
             QStringLiteral("-out"), out});
    };

    ecKey(QStringLiteral("server.key"));
    request(QStringLiteral("server.key"), QStringLiteral("/CN=localhost"),
            QStringLiteral("localhost.csr"));
    request(QStringLiteral("server.key"), QStringLiteral("/CN=other.example"),
            QStringLiteral("other.csr"));
    request(QStringLiteral("server.key"), QStringLiteral("/CN=cn-only.test"),
            QStringLiteral("wildcard.csr"));
    issue(QStringLiteral("localhost.csr"), QStringLiteral("server"), QStringLiteral("server.pem"));
    issue(QStringLiteral("localhost.csr"), QStringLiteral("nosan"), QStringLiteral("nosan.pem"));
    issue(QStringLiteral("other.csr"), QStringLiteral("other"), QStringLiteral("other.pem"));
    issue(QStringLiteral("wildcard.csr"), QStringLiteral("wildcard"),
          QStringLiteral("wildcard.pem"));
    issue(QStringLiteral("localhost.csr"), QStringLiteral("server"), QStringLiteral("revoked.pem"));
    run({QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-key"),
         QStringLiteral("server.key"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
         QStringLiteral("-addext"), QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1"),
         QStringLiteral("-days"), QStringLiteral("36500"), QStringLiteral("-out"),
         QStringLiteral("selfsigned.pem")});

    run(ca + QStringList {QStringLiteral("-revoke"), QStringLiteral("revoked.pem")});
    run(ca
        + QStringList {QStringLiteral("-gencrl"), QStringLiteral("-crldays"),
                       QStringLiteral("36500"), QStringLiteral("-out"),
                       QStringLiteral("revoking.crl")});
    run(ca
        + QStringList {QStringLiteral("-gencrl"), QStringLiteral("-crl_lastupdate"),
                       QStringLiteral("20000101000000Z"), QStringLiteral("-crl_nextupdate"),
                       QStringLiteral("20010101000000Z"), QStringLiteral("-out"),
                       QStringLiteral("expired.crl")});

    // The list without next update, signed by the authority and, forged, by another key.
    ecKey(QStringLiteral("forger.key"));
    run({QStringLiteral("asn1parse"), QStringLiteral("-genconf"), QStringLiteral("nonext.cnf"),
         QStringLiteral("-noout"), QStringLiteral("-out"), QStringLiteral("nonext.tbs")});
    for (const auto &[key, out] :
         {std::pair {QStringLiteral("ca.key"), QStringLiteral("nonext")},
          std::pair {QStringLiteral("forger.key"), QStringLiteral("forged")}}) {
        run({QStringLiteral("dgst"), QStringLiteral("-sha256"), QStringLiteral("-sign"), key,
             QStringLiteral("-out"), out + QStringLiteral(".sig"), QStringLiteral("nonext.tbs")});
        QFile signature(path(out + QStringLiteral(".sig")));
        if (m_error.isEmpty() && !signature.open(QIODevice::ReadOnly))
            m_error = QStringLiteral("cannot read ") + signature.fileName();
        if (!m_error.isEmpty())
            break;
        QByteArray config = s_listWithoutNextUpdate;
        config.replace("asn1 = SEQUENCE:list", "asn1 = SEQUENCE:signed");
        config += "[signed]\nlist = SEQUENCE:list\nalgorithm = SEQUENCE:algorithm\n"
                  "signature = FORMAT:HEX,BITSTRING:"
            + signature.readAll().toHex() + "\n";
        write(out + QStringLiteral(".cnf"), config);
        run({QStringLiteral("asn1parse"), QStringLiteral("-genconf"), out + QStringLiteral(".cnf"),
             QStringLiteral("-noout"), QStringLiteral("-out"), out + QStringLiteral(".der")});
        run({QStringLiteral("crl"), QStringLiteral("-inform"), QStringLiteral("DER"),
             QStringLiteral("-in"), out + QStringLiteral(".der"), QStringLiteral("-out"),
             out + QStringLiteral(".crl")});
    }

    // A client identity in one file, its key encrypted.
    ecKey(QStringLiteral("client.key"));
    request(QStringLiteral("client.key"), QStringLiteral("/CN=Zentrix Test File Client"),
            QStringLiteral("client.csr"));
    issue(QStringLiteral("client.csr"), QStringLiteral("client"), QStringLiteral("client.pem"));
    run({QStringLiteral("pkey"), QStringLiteral("-in"), QStringLiteral("client.key"),
         QStringLiteral("-aes-256-cbc"), QStringLiteral("-passout"),
         QStringLiteral("pass:") + keyPassword(), QStringLiteral("-out"),
         QStringLiteral("client-encrypted.key")});
    if (m_error.isEmpty()) {
        QFile certificate(path(QStringLiteral("client.pem")));
        QFile key(path(QStringLiteral("client-encrypted.key")));
        if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
            m_error = QStringLiteral("cannot read the client identity");
        else
            write(QStringLiteral("client-identity.pem"), certificate.readAll() + key.readAll());
    }
    return m_error.isEmpty();
}

} // namespace MavTest
