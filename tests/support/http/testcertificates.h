// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QString>

namespace MavTest {

/*!
    Certificates and revocation lists for the HTTPS peers, made once per process
    with the openssl command in a temporary folder. Everything is issued by the
    built-in LOCALHOST authority (whose key lives beside this file) unless said
    otherwise; server certificates share one EC key.
*/
class TestCertificates
{
public:
    enum Certificate {
        Server, //!< CN localhost; subjectAltName DNS:localhost, IP:127.0.0.1
        NoSubjectAltName, //!< CN localhost, no subjectAltName
        OtherName, //!< CN and subjectAltName DNS:other.example
        Revoked, //!< like Server; listed in RevokingList
        SelfSigned, //!< like Server, issued by itself
        Wildcard //!< CN cn-only.test; subjectAltName DNS:*.example.test
    };
    enum RevocationList {
        RevokingList, //!< current, revokes Revoked
        ExpiredList, //!< next update in 2001
        NoNextUpdateList, //!< without a next-update time
        ForgedList //!< names the authority as issuer, signed with another key
    };

    //! The process's set; made on first use. isValid() is false when making it failed.
    static const TestCertificates &instance();

    bool isValid() const { return m_error.isEmpty(); }
    QString errorString() const { return m_error; }

    QString certificate(Certificate which) const;
    QString serverKey() const;
    QString revocationList(RevocationList which) const;
    //! The LOCALHOST authority's certificate.
    QString authority() const;
    //! One PEM file with a client certificate the authority issued and its key,
    //! encrypted with keyPassword().
    QString clientIdentity() const;
    static QString keyPassword() { return QStringLiteral("open sesame"); }
    //! The subject of clientIdentity() in nginx's form.
    static QString clientIdentitySubject() { return QStringLiteral("CN=Zentrix Test File Client"); }

private:
    TestCertificates();
    bool make();
    QString path(const QString &name) const;

    QString m_dir;
    QString m_error;
};

} // namespace MavTest
