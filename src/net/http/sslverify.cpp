// SPDX-License-Identifier: LGPL-2.1-or-later
//
// The verification of the server: OpenSSL's callback with the revocation lists
// of the session, and the host-name check.
#include "sslconnect_p.h"

#include "sslconnect_state_p.h"
#include "sslsession_p.h"

#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>

#include <algorithm>

namespace ztsc {

int SSLConnect::verifyCallback(int preverify, X509_STORE_CTX *store)
{
    SSL *ssl =
        static_cast<SSL *>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    SSLSession *session = ssl ? static_cast<SSLSession *>(SSL_get_app_data(ssl)) : nullptr;
    SSLConnect *client = session ? session->client : nullptr;
    int result = preverify;
    if (client)
        result = client->checkRevocation(result, store, session);
    if (!result) {
        X509 *certificate = X509_STORE_CTX_get_current_cert(store);
        const int error = X509_STORE_CTX_get_error(store);
        const std::string text = "-Error with certificate at depth: "
            + std::to_string(X509_STORE_CTX_get_error_depth(store)) + " issuer = "
            + transport::oneLine(certificate ? X509_get_issuer_name(certificate) : nullptr)
            + " subject = "
            + transport::oneLine(certificate ? X509_get_subject_name(certificate) : nullptr)
            + " err: " + std::to_string(error) + " " + X509_verify_cert_error_string(error);
        if (client) {
            client->m_errorText =
                client->m_errorText.empty() ? text : text + "\n" + client->m_errorText;
            result = 0;
        }
    }
    return result;
}

int SSLConnect::checkRevocation(int result, X509_STORE_CTX *store, SSLSession *session)
{
    if (!session->crlStore)
        return result;
    X509 *certificate = X509_STORE_CTX_get_current_cert(store);
    const X509_NAME *subject = certificate ? X509_get_subject_name(certificate) : nullptr;
    const X509_NAME *issuer = certificate ? X509_get_issuer_name(certificate) : nullptr;
    if (!certificate || !subject || !issuer) {
        m_errorText = "Current Certificate, subject or issuer is NULL in crlCheck";
        return result;
    }
    X509_STORE_CTX *lookup = X509_STORE_CTX_new();
    X509_OBJECT *object = X509_OBJECT_new();
    if (!lookup || !object
        || X509_STORE_CTX_init(lookup, session->crlStore, nullptr, nullptr) != 1) {
        X509_STORE_CTX_free(lookup);
        X509_OBJECT_free(object);
        m_errorText = "Unable to look up revocation lists";
        return 0;
    }
    auto findCrl = [&](const X509_NAME *name) -> X509_CRL * {
        X509_OBJECT_free(object);
        object = X509_OBJECT_new();
        if (!object
            || X509_STORE_CTX_get_by_subject(lookup, X509_LU_CRL, const_cast<X509_NAME *>(name),
                                             object)
                <= 0)
            return nullptr;
        return X509_OBJECT_get0_X509_CRL(object);
    };
    auto finish = [&](int value, const std::string &text, int error) {
        if (!text.empty())
            m_errorText = text;
        if (error)
            X509_STORE_CTX_set_error(store, error);
        X509_OBJECT_free(object);
        X509_STORE_CTX_free(lookup);
        return value;
    };

    // A list this certificate issued: it must be signed by it and current.
    if (X509_CRL *crl = findCrl(subject)) {
        const std::string by = transport::oneLine(X509_CRL_get_issuer(crl));
        EVP_PKEY *key = X509_get0_pubkey(certificate);
        if (!key || X509_CRL_verify(crl, key) <= 0)
            return finish(0, "Unable to verify signature on CRL issued by " + by, 0);
        const ASN1_TIME *next = X509_CRL_get0_nextUpdate(crl);
        if (!next)
            return finish(0, "Unable to get the next CRL update for CRL issued by " + by,
                          X509_V_ERR_ERROR_IN_CRL_NEXT_UPDATE_FIELD);
        if (X509_cmp_current_time(next) < 0)
            return finish(0, "Expired CRL issued by " + by, X509_V_ERR_CRL_HAS_EXPIRED);
    }
    // The issuer's list must not name this certificate.
    if (X509_CRL *crl = findCrl(issuer)) {
        const STACK_OF(X509_REVOKED) *revoked = X509_CRL_get_REVOKED(crl);
        const ASN1_INTEGER *serial = X509_get0_serialNumber(certificate);
        for (int i = 0; i < sk_X509_REVOKED_num(revoked); ++i) {
            if (ASN1_INTEGER_cmp(X509_REVOKED_get0_serialNumber(sk_X509_REVOKED_value(revoked, i)),
                                 serial)
                == 0)
                return finish(0,
                              transport::oneLine(subject) + " was revoked by "
                                  + transport::oneLine(issuer),
                              X509_V_ERR_CERT_REVOKED);
        }
    }
    return finish(result, {}, 0);
}

int SSLConnect::checkHostName(SSL *ssl, const std::string &host)
{
    X509 *certificate = SSL_get1_peer_certificate(ssl);
    if (!certificate)
        return X509_V_ERR_APPLICATION_VERIFICATION;
    const unsigned flags = X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS;
    const std::string address = transport::ipLiteral(host);
    const bool matches =
        (!address.empty() && X509_check_ip_asc(certificate, address.c_str(), 0) == 1)
        || X509_check_host(certificate, host.data(), host.size(), flags, nullptr) == 1;
    X509_free(certificate);
    return matches ? int(SSL_get_verify_result(ssl)) : X509_V_ERR_APPLICATION_VERIFICATION;
}

std::string SSLConnect::hostNameMismatch(SSL *ssl, const std::string &host)
{
    X509 *certificate = ssl ? SSL_get1_peer_certificate(ssl) : nullptr;
    if (!certificate)
        return "The server " + host + " presented no certificate";
    std::string names;
    auto add = [&](std::string name) {
        // The names come from the server: nothing in them may steer a terminal.
        std::replace_if(
            name.begin(), name.end(),
            [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }, '?');
        names += (names.empty() ? "" : ", ") + name;
    };
    auto *alternatives = static_cast<GENERAL_NAMES *>(
        X509_get_ext_d2i(certificate, NID_subject_alt_name, nullptr, nullptr));
    for (int i = 0; i < sk_GENERAL_NAME_num(alternatives); ++i) {
        const GENERAL_NAME *name = sk_GENERAL_NAME_value(alternatives, i);
        if (name->type == GEN_DNS) {
            const ASN1_STRING *text = name->d.dNSName;
            add("DNS:"
                + std::string(reinterpret_cast<const char *>(ASN1_STRING_get0_data(text)),
                              std::size_t(ASN1_STRING_length(text))));
        } else if (name->type == GEN_IPADD) {
            const ASN1_OCTET_STRING *bytes = name->d.iPAddress;
            char text[INET6_ADDRSTRLEN] = "";
            const int length = ASN1_STRING_length(bytes);
            if (length == 4 || length == 16)
                inet_ntop(length == 4 ? AF_INET : AF_INET6, ASN1_STRING_get0_data(bytes), text,
                          sizeof text);
            add(std::string("IP:") + text);
        }
    }
    GENERAL_NAMES_free(alternatives);
    char common[256] = "";
    if (X509_NAME_get_text_by_NID(X509_get_subject_name(certificate), NID_commonName, common,
                                  sizeof common)
        > 0)
        add(std::string("CN=") + common);
    X509_free(certificate);
    return "The certificate of the server is not for " + host + ": it names "
        + (names.empty() ? std::string("no host") : names);
}

} // namespace ztsc
