// SPDX-License-Identifier: LGPL-2.1-or-later
//
// The TLS context of a request and the built-in key material it may carry: shared
// contexts for requests without secure mode, a context of its own with the client
// identity and the trusted authority otherwise.
#include "sslconnect_p.h"

#include "keymaterial_p.h"
#include "sslconnect_state_p.h"
#include "sslsession_p.h"

#include "net/platform/critsection.h"

#include <openssl/bio.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

#include <algorithm>
#include <cstring>

namespace ztsc {

namespace {

bool readPem(BIO *bio, const std::string &text)
{
    return BIO_write(bio, text.data(), int(text.size())) == int(text.size());
}

EVP_PKEY *parseKey(keymaterial::Set set, const char *password, std::string *error)
{
    BIO *bio = BIO_new(BIO_s_mem());
    if (!bio) {
        *error = "Unable to create memory key BIO to read in private key";
        return nullptr;
    }
    std::string text = keymaterial::text(set, keymaterial::ClientKey);
    EVP_PKEY *key = nullptr;
    if (!readPem(bio, text))
        *error = "Error reading in client key into BIO";
    else if (!(key = PEM_read_bio_PrivateKey(bio, nullptr,
                                             password ? SSLConnect::passwordCallback : nullptr,
                                             const_cast<char *>(password))))
        *error = "Error reading in client key into RSA object";
    OPENSSL_cleanse(text.data(), text.size());
    BIO_free(bio);
    return key;
}

} // namespace

namespace transport {

void parseCertificates(keymaterial::Set set, ParsedMaterial *material)
{
    static const char *const failures[2][2] = {
        {"Error reading in CA certificate into BIO",
         "Error reading in CA certificate into X509 object"},
        {"Error reading in client certificate into BIO",
         "Error reading in client certificate into X509 object"}};
    BIO *bios[2] = {BIO_new(BIO_s_mem()), BIO_new(BIO_s_mem())};
    material->parsed = bios[0] && bios[1];
    for (int i = 0; i < 2; ++i) {
        if (!material->parsed)
            material->errors[i] = "Unable to create memory BIOs to read in certificates";
        else if (!readPem(bios[i], keymaterial::text(set, keymaterial::Item(i))))
            material->errors[i] = failures[i][0];
        else if (!(material->certificates[i] =
                       PEM_read_bio_X509(bios[i], nullptr, nullptr, nullptr)))
            material->errors[i] = failures[i][1];
    }
    BIO_free(bios[0]);
    BIO_free(bios[1]);
}

} // namespace transport

SSL_CTX *SSLConnect::newContext(int method)
{
    static const int limits[4][2] = {{TLS1_VERSION, TLS1_2_VERSION},
                                     {TLS1_2_VERSION, TLS1_2_VERSION},
                                     {TLS1_2_VERSION, 0},
                                     {TLS1_3_VERSION, TLS1_3_VERSION}};
    SSL_CTX *ctx = method >= 0 && method <= 3 ? SSL_CTX_new(TLS_client_method()) : nullptr;
    if (!ctx)
        return nullptr;
    SSL_CTX_set_min_proto_version(ctx, limits[method][0]);
    SSL_CTX_set_max_proto_version(ctx, limits[method][1]);
    // Servers that close without close_notify are common; a body cut short is
    // caught by its length instead.
    SSL_CTX_set_options(ctx, SSL_OP_IGNORE_UNEXPECTED_EOF);
    SSL_CTX_set_mode(ctx, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    return ctx;
}

bool SSLConnect::setupContext(SSLSession *session, const char *keyPassword)
{
    if (!session->secureMode) {
        // Such a context holds nothing of the request, and making one costs OpenSSL 3
        // a good part of a handshake: one per method serves every request.
        ztpm::CritLock lock(transport::lock());
        const int method = session->sslMethod;
        SSL_CTX **shared =
            method >= 0 && method <= 3 ? &transport::state().plainContexts[method] : nullptr;
        if (shared && !*shared)
            *shared = newContext(method);
        if (!shared || !*shared || SSL_CTX_up_ref(*shared) != 1) {
            m_errorText = "Unable to create the TLS context";
            return false;
        }
        session->ctx = *shared;
        return true;
    }
    SSL_CTX *ctx = newContext(session->sslMethod);
    if (!ctx) {
        m_errorText = "Unable to create the TLS context";
        return false;
    }

    auto fail = [&](const char *reason) {
        SSL_CTX_free(ctx);
        m_errorText = reason;
        return false;
    };
    if (!m_caCertificate || X509_STORE_add_cert(SSL_CTX_get_cert_store(ctx), m_caCertificate) != 1)
        return fail("Error loading our CA certificate into the cert store");
    EVP_PKEY_free(m_clientKey);
    m_clientKey = nullptr;
    std::string keyError;
    {
        ztpm::CritLock lock(transport::lock());
        transport::ParsedMaterial &material = transport::state().material[materialSet()];
        if (!material.key)
            material.key = parseKey(materialSet(), keyPassword, &keyError);
        if (material.key && EVP_PKEY_up_ref(material.key) == 1)
            m_clientKey = material.key;
    }
    if (!m_clientKey)
        return fail(keyError.c_str());

    if (session->certificateFile.empty()) {
        if (!m_clientCertificate || SSL_CTX_use_certificate(ctx, m_clientCertificate) != 1)
            return fail("Unable to load certificate from memory");
        if (SSL_CTX_use_PrivateKey(ctx, m_clientKey) != 1)
            return fail("Error loading private key from memory");
    } else {
        if (keyPassword) {
            SSL_CTX_set_default_passwd_cb(ctx, passwordCallback);
            SSL_CTX_set_default_passwd_cb_userdata(ctx, const_cast<char *>(keyPassword));
        }
        const char *file = session->certificateFile.c_str();
        if (SSL_CTX_use_certificate_file(ctx, file, SSL_FILETYPE_PEM) != 1)
            return fail("Unable to load certificate file");
        const bool keyLoaded = SSL_CTX_use_PrivateKey_file(ctx, file, SSL_FILETYPE_PEM) == 1;
        SSL_CTX_set_default_passwd_cb_userdata(ctx, nullptr);
        if (!keyLoaded)
            return fail("Error loading private key from file");
    }
    SSL_CTX_set_verify(ctx, session->verifyMode, verifyCallback);
    SSL_CTX_set_verify_depth(ctx, 1);
    if (!session->caLocations.empty()
        && SSL_CTX_load_verify_locations(ctx, session->caLocations.c_str(), nullptr) != 1)
        return fail("Unable to load the trusted certificates");
    session->ctx = ctx;
    return true;
}

int SSLConnect::passwordCallback(char *buffer, int size, int, void *userData)
{
    if (!buffer || size <= 0)
        return 0;
    const char *password = static_cast<const char *>(userData);
    const std::size_t length =
        password ? std::min(std::strlen(password), std::size_t(size - 1)) : 0;
    std::memcpy(buffer, password ? password : "", length);
    buffer[length] = '\0';
    buffer[size - 1] = '\0';
    return int(length);
}

} // namespace ztsc
