// SPDX-License-Identifier: LGPL-2.1-or-later
//
// The secure transport on OpenSSL 3, one file a layer: this one holds the object's
// life, the process-wide state and the error queue; sslsocket.cpp the connection
// and its I/O, ssltunnel.cpp the proxy tunnel, sslcontext.cpp the TLS context and
// the key material, sslverify.cpp the verification of the server.
//
// OpenSSL 3 locks its shared state itself: the locking callbacks of older versions
// are gone and it reports one static lock. The process-wide bookkeeping (live
// objects, one mutex per static lock, set up once under the library's global
// critical section) is kept all the same.
#include "sslconnect_p.h"

#include "diagnostics_p.h"
#include "sslconnect_state_p.h"
#include "sslerror_p.h"
#include "sslsession_p.h"

#include "net/platform/critsection.h"
#include "net/platform/mutex.h"

#include <openssl/err.h>
#include <openssl/rand.h>
#include <openssl/ssl.h>

#include <arpa/inet.h>
#include <strings.h>
#include <sys/random.h>

#include <cstdio>
#include <cstring>
#include <utility>

namespace ztsc {

namespace transport {

State &state()
{
    // Never destroyed: OpenSSL may have cleaned up before static destructors run,
    // and its objects must not be freed after that.
    static State *const s_state = new State;
    return *s_state;
}

ztpm::CritSection *lock()
{
    return &ztpm::getGlobalCritSection();
}

std::string categoryName(int category)
{
    static const char *const names[] = {"SSL_ERROR_NONE",
                                        "SSL_ERROR_SSL",
                                        "SSL_ERROR_WANT_READ",
                                        "SSL_ERROR_WANT_WRITE",
                                        "SSL_ERROR_WANT_X509_LOOKUP",
                                        "SSL_ERROR_SYSCALL",
                                        "SSL_ERROR_ZERO_RETURN",
                                        "SSL_ERROR_WANT_CONNECT",
                                        "SSL_ERROR_WANT_ACCEPT"};
    return category >= 0 && category <= 8 ? names[category] : std::string();
}

std::string oneLine(const X509_NAME *name)
{
    char text[256] = "";
    if (name)
        X509_NAME_oneline(name, text, sizeof text);
    return text;
}

// An IP literal, brackets taken off, and its family (BIO_FAMILY_IPV4 or _IPV6); empty
// for a host name.
std::string ipLiteral(const std::string &host, int *family)
{
    std::string address = host;
    if (address.size() > 2 && address.front() == '[' && address.back() == ']')
        address = address.substr(1, address.size() - 2);
    unsigned char bytes[16];
    for (const auto &[af, bioFamily] :
         {std::pair {AF_INET, BIO_FAMILY_IPV4}, std::pair {AF_INET6, BIO_FAMILY_IPV6}}) {
        if (inet_pton(af, address.c_str(), bytes) == 1) {
            if (family)
                *family = bioFamily;
            return address;
        }
    }
    return {};
}

} // namespace transport

namespace {

// OpenSSL 3 reports one static lock (CRYPTO_num_locks() is gone with the callbacks).
constexpr int StaticLockCount = 1;

void setUpLocking()
{
    transport::State &state = transport::state();
    if (state.lockingReady.load(std::memory_order_acquire))
        return;
    ztpm::CritLock lock(transport::lock());
    if (state.lockingReady.load(std::memory_order_relaxed))
        return;
    if (state.multiThreaded) {
        for (int i = 0; i < StaticLockCount; ++i)
            state.cryptoLocks.push_back(new ztpm::Mutex);
    }
    state.lockingReady.store(true, std::memory_order_release);
}

} // namespace

bool HeaderNameLess::operator()(const std::string &a, const std::string &b) const
{
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

SSLConnect::SSLConnect(const std::string &environment)
    : m_environment(environment)
{
    SSLConnect::initialize();
    ztpm::CritLock lock(transport::lock());
    ++transport::state().liveConnections;
}

SSLConnect::~SSLConnect()
{
    {
        ztpm::CritLock lock(transport::lock());
        --transport::state().liveConnections;
    }
    ERR_clear_error();
    X509_free(m_caCertificate);
    X509_free(m_clientCertificate);
    EVP_PKEY_free(m_clientKey);
}

int SSLConnect::liveConnections()
{
    ztpm::CritLock lock(transport::lock());
    return transport::state().liveConnections;
}

keymaterial::Set SSLConnect::materialSet() const
{
    return matchesEnvironment(getEnvironment(m_environment), "LOCALHOST") ? keymaterial::Localhost
                                                                          : keymaterial::Production;
}

void SSLConnect::initialize()
{
    m_bytesReceived = 0;
    X509_free(m_caCertificate);
    X509_free(m_clientCertificate);
    {
        ztpm::CritLock lock(transport::lock());
        transport::ParsedMaterial &material = transport::state().material[materialSet()];
        if (!material.parsed)
            parseCertificates(materialSet(), &material);
        X509 **targets[2] = {&m_caCertificate, &m_clientCertificate};
        for (int i = 0; i < 2; ++i) {
            *targets[i] = material.certificates[i];
            if (*targets[i])
                X509_up_ref(*targets[i]);
            else
                m_errorText = material.errors[i];
        }
    }
    setUpLocking();
    OPENSSL_init_ssl(OPENSSL_INIT_LOAD_SSL_STRINGS | OPENSSL_INIT_LOAD_CRYPTO_STRINGS, nullptr);
}

void SSLConnect::releaseContext(SSLSession *session)
{
    SSL_CTX_free(session->ctx);
    session->ctx = nullptr;
}

// A client context for \a method (0: up to TLS 1.2; 1: TLS 1.2 only; 2: TLS 1.2 or
// newer; 3: TLS 1.3 only) that verifies nothing and presents nothing.
void SSLConnect::collectErrors(std::vector<SSLError *> &errors)
{
    std::string summary;
    const char *file = nullptr, *function = nullptr, *data = nullptr;
    int line = 0, flags = 0;
    while (const unsigned long code = ERR_get_error_all(&file, &line, &function, &data, &flags)) {
        const char *extra = data && (flags & ERR_TXT_STRING) ? data : "";
        char line1[1024];
        std::snprintf(line1, sizeof line1, "error code: %lu in %s line: %d data: %s flags: %d",
                      code, file, line, extra, flags);
        printDiagnostic(line1);
        char text[257];
        ERR_error_string_n(code, text, sizeof text);
        printDiagnostic(std::string("human readable: ") + text);
        auto *error = new SSLError;
        error->setData(extra);
        error->setFile(file ? file : "");
        error->setLine(line);
        error->setText(text);
        errors.push_back(error);
        summary += std::string(" ") + extra + " " + text + "\n";
    }
    if (!summary.empty())
        m_errorText += "\n" + summary;
}

void SSLConnect::collectErrors()
{
    std::vector<SSLError *> errors;
    collectErrors(errors);
    for (SSLError *error : errors)
        delete error;
}

std::string SSLConnect::getEnvironment(const std::string &environment)
{
    return environment.empty() ? std::string("PRODUCTION") : environment;
}

bool SSLConnect::matchesEnvironment(const std::string &name, const std::string &other)
{
    return name.size() <= other.size()
        && strncasecmp(name.c_str(), other.c_str(), name.size()) == 0;
}

void SSLConnect::seedRandom()
{
    unsigned char bytes[1024];
    while (RAND_status() != 1) {
        if (getrandom(bytes, sizeof bytes, 0) != ssize_t(sizeof bytes)) {
            printDiagnostic("Failed to generate random bytes");
            return;
        }
        RAND_add(bytes, sizeof bytes, double(sizeof bytes));
    }
}

std::string SSLConnect::getHeader(const std::string &name) const
{
    const auto it = m_headers.find(name);
    return it == m_headers.end() ? std::string() : it->second;
}

} // namespace ztsc
