// SPDX-License-Identifier: LGPL-2.1-or-later
#include "sslerror_p.h"
#include "sslsession_p.h"

#include <openssl/bio.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

#include <cstdint>
#include <ctime>

namespace ztsc {

SSLError::~SSLError() = default;

SSLSession::SSLSession() = default;

SSLSession::~SSLSession()
{
    reset();
}

void SSLSession::reset()
{
    if (ssl)
        SSL_free(ssl); // frees bio too
    else if (bio)
        BIO_free_all(bio);
    SSL_CTX_free(ctx);
    X509_STORE_free(crlStore);
    ctx = nullptr;
    bio = nullptr;
    ssl = nullptr;
    crlStore = nullptr;
    certificateFile.clear();
    spare.clear();
    tag.clear();
    verifyMode = 0;
    secureMode = false;
    readDelay = 0;
    sslMethod = 2;
    host.clear();
    port.clear();
    keyPassword.clear();
    caLocations.clear();
    proxyHost.clear();
    proxyPort = 443;
    isHttps = false;
    readBufferSize = 16384;
    userAgent.clear();
    maxRedirects = 0;
    redirectCount = 0;
    crlFile.clear();
    client = nullptr;
    timeout = 30000;
    deadline = 0;
    deadlineAt = 0;
    maxBodySize = 0;
    truncateBody = false;
}

namespace {
std::int64_t monotonicMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
} // namespace

void SSLSession::startDeadline()
{
    if (deadline > 0 && deadlineAt == 0)
        deadlineAt = monotonicMs() + deadline;
}

std::int64_t SSLSession::deadlineLeft() const
{
    return deadlineAt == 0 ? INT64_MAX : deadlineAt - monotonicMs();
}

bool SSLSession::setCrlFile(const std::string &file)
{
    X509_STORE_free(crlStore);
    crlStore = nullptr;
    crlFile = file;
    if (file.empty())
        return true;
    X509_STORE *store = X509_STORE_new();
    X509_LOOKUP *lookup = store ? X509_STORE_add_lookup(store, X509_LOOKUP_file()) : nullptr;
    if (!lookup || X509_load_crl_file(lookup, file.c_str(), X509_FILETYPE_PEM) <= 0) {
        X509_STORE_free(store);
        return false;
    }
    crlStore = store;
    return true;
}

} // namespace ztsc
