// SPDX-License-Identifier: LGPL-2.1-or-later
//
// The secure transport on OpenSSL 3. OpenSSL 3 locks its shared state itself: the
// locking callbacks of older versions are gone and it reports one static lock.
// The process-wide bookkeeping (live objects, one mutex per static lock, set up
// once under the library's global critical section) is kept all the same.
//
// Sockets are non-blocking, so every wait goes through poll() with the session's
// time-out. Writes on a socket the peer has closed raise SIGPIPE on Linux (Windows
// has no such signal): it is blocked on the calling thread while a connection is
// in use and any pending one is consumed before it is unblocked.
#include "sslconnect_p.h"

#include "diagnostics_p.h"
#include "keymaterial_p.h"
#include "sslerror_p.h"
#include "sslsession_p.h"

#include "net/platform/critsection.h"
#include "net/platform/mutex.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <strings.h>
#include <sys/random.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ztsc {

namespace {

// The built-in material of one set, parsed once: OpenSSL 3 takes about a
// millisecond to decode it, longer than a whole request to a nearby server.
struct ParsedMaterial
{
    bool parsed = false;
    X509 *certificates[2] = {}; // authority, client
    std::string errors[2];
    EVP_PKEY *key = nullptr;
};

struct TransportState
{
    int liveConnections = 0;
    std::atomic<bool> lockingReady = false;
    bool multiThreaded = true;
    std::vector<ztpm::Mutex *> cryptoLocks;
    ParsedMaterial material[2]; // by keymaterial::Set
    SSL_CTX *plainContexts[4] = {}; // by sslMethod, for requests without secure mode
};

TransportState &transport()
{
    // Never destroyed: OpenSSL may have cleaned up before static destructors run,
    // and its objects must not be freed after that.
    static TransportState *const s_state = new TransportState;
    return *s_state;
}

ztpm::CritSection *transportLock()
{
    return &ztpm::getGlobalCritSection();
}

// OpenSSL 3 reports one static lock (CRYPTO_num_locks() is gone with the callbacks).
constexpr int StaticLockCount = 1;

void setUpLocking()
{
    TransportState &state = transport();
    if (state.lockingReady.load(std::memory_order_acquire))
        return;
    ztpm::CritLock lock(transportLock());
    if (state.lockingReady.load(std::memory_order_relaxed))
        return;
    if (state.multiThreaded) {
        for (int i = 0; i < StaticLockCount; ++i)
            state.cryptoLocks.push_back(new ztpm::Mutex);
    }
    state.lockingReady.store(true, std::memory_order_release);
}

// OpenSSL's name of an error category; empty beyond the nine the client knows.
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

// Why a TLS read or write failed.
std::string ioFailure(int category)
{
    if (category == SSL_ERROR_SYSCALL && errno)
        return std::strerror(errno);
    const std::string name = categoryName(category);
    return name.empty() ? "TLS error category " + std::to_string(category) : name;
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
std::string ipLiteral(const std::string &host, int *family = nullptr)
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

bool readPem(BIO *bio, const std::string &text)
{
    return BIO_write(bio, text.data(), int(text.size())) == int(text.size());
}

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

namespace {
// How many blockers the calling thread holds: only the outermost one acts.
thread_local int t_sigPipeBlockers = 0;
} // namespace

SigPipeBlocker::SigPipeBlocker()
{
    if (t_sigPipeBlockers++ > 0)
        return;
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &m_previous);
    m_wasBlocked = sigismember(&m_previous, SIGPIPE) == 1;
    if (m_wasBlocked) {
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
    }
}

SigPipeBlocker::~SigPipeBlocker()
{
    if (--t_sigPipeBlockers > 0)
        return;
    // One that was pending before is not ours to swallow.
    if (!m_wasPending) {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        const timespec now = {0, 0};
        while (sigtimedwait(&pipe, nullptr, &now) == SIGPIPE) { }
    }
    if (!m_wasBlocked)
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

bool HeaderNameLess::operator()(const std::string &a, const std::string &b) const
{
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

SSLConnect::SSLConnect(const std::string &environment)
    : m_environment(environment)
{
    SSLConnect::initialize();
    ztpm::CritLock lock(transportLock());
    ++transport().liveConnections;
}

SSLConnect::~SSLConnect()
{
    {
        ztpm::CritLock lock(transportLock());
        --transport().liveConnections;
    }
    ERR_clear_error();
    X509_free(m_caCertificate);
    X509_free(m_clientCertificate);
    EVP_PKEY_free(m_clientKey);
}

int SSLConnect::liveConnections()
{
    ztpm::CritLock lock(transportLock());
    return transport().liveConnections;
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
        ztpm::CritLock lock(transportLock());
        ParsedMaterial &material = transport().material[materialSet()];
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
        ztpm::CritLock lock(transportLock());
        const int method = session->sslMethod;
        SSL_CTX **shared =
            method >= 0 && method <= 3 ? &transport().plainContexts[method] : nullptr;
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
        ztpm::CritLock lock(transportLock());
        ParsedMaterial &material = transport().material[materialSet()];
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

bool SSLConnect::deadlinePassed(SSLSession *session, const char *step)
{
    if (session->deadlineLeft() > 0)
        return false;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%g", session->deadline / 1000.0);
    m_errorText =
        std::string("Timed out ") + step + ": the request took longer than its " + seconds + " s";
    return true;
}

bool SSLConnect::waitFor(SSLSession *session, short events, const char *step)
{
    int fd = -1;
    if (!session->bio || BIO_get_fd(session->bio, &fd) <= 0 || fd < 0) {
        m_errorText = std::string("Failed ") + step + ": the connection cannot be waited for";
        return false;
    }
    if (deadlinePassed(session, step))
        return false;
    // The step's own limit, or what is left of the request's deadline when that is less.
    const int wait = int(std::min<std::int64_t>(session->timeout, session->deadlineLeft()));
    pollfd entry = {fd, events, 0};
    int ready;
    do
        ready = poll(&entry, 1, wait);
    while (ready < 0 && errno == EINTR);
    if (ready > 0)
        return true;
    if (ready == 0 && deadlinePassed(session, step))
        return false;
    m_errorText = ready == 0 ? std::string("Timed out ") + step
                             : std::string("Failed ") + step + ": " + std::strerror(errno);
    return false;
}

long SSLConnect::readSome(SSLSession *session, char *buffer, std::size_t size, const char *step)
{
    for (;;) {
        // A server that always has a little more ready never makes the reads wait.
        if (deadlinePassed(session, step))
            return -1;
        if (session->ssl) {
            std::size_t got = 0;
            ERR_clear_error();
            errno = 0;
            const int result = SSL_read_ex(session->ssl, buffer, size, &got);
            if (result == 1)
                return long(got);
            const int error = SSL_get_error(session->ssl, result);
            if (error == SSL_ERROR_ZERO_RETURN)
                return 0;
            if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
                if (!waitFor(session, error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT, step))
                    return -1;
                continue;
            }
            m_errorText = std::string("Failed ") + step + ": " + ioFailure(error);
            return -1;
        }
        errno = 0;
        const int result =
            BIO_read(session->bio, buffer, int(std::min<std::size_t>(size, 1 << 30)));
        if (result > 0)
            return result;
        if (BIO_should_retry(session->bio)) {
            if (!waitFor(session, POLLIN, step))
                return -1;
            continue;
        }
        if (result == 0)
            return 0;
        m_errorText = std::string("Failed ") + step + ": "
            + (errno ? std::strerror(errno) : "the connection failed");
        return -1;
    }
}

bool SSLConnect::writeAll(SSLSession *session, const char *data, std::size_t size, const char *step)
{
    std::size_t done = 0;
    while (done < size) {
        if (deadlinePassed(session, step))
            return false;
        if (session->ssl) {
            std::size_t written = 0;
            ERR_clear_error();
            errno = 0;
            const int result = SSL_write_ex(session->ssl, data + done, size - done, &written);
            if (result == 1) {
                done += written;
                continue;
            }
            const int error = SSL_get_error(session->ssl, result);
            if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
                if (!waitFor(session, error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT, step))
                    return false;
                continue;
            }
            m_errorText = std::string("Failed ") + step + ": " + ioFailure(error);
            return false;
        }
        errno = 0;
        const int result =
            BIO_write(session->bio, data + done, int(std::min<std::size_t>(size - done, 1 << 30)));
        if (result > 0) {
            done += std::size_t(result);
            continue;
        }
        if (BIO_should_retry(session->bio)) {
            if (!waitFor(session, POLLOUT, step))
                return false;
            continue;
        }
        m_errorText = std::string("Failed ") + step + ": "
            + (errno ? std::strerror(errno) : "the connection failed");
        return false;
    }
    return true;
}

bool SSLConnect::connect(SSLSession *session)
{
    SigPipeBlocker blocker;
    session->client = this;
    if (session->isHttps
        && !setupContext(session,
                         session->keyPassword.empty() ? nullptr : session->keyPassword.c_str()))
        return false;

    const bool viaProxy = !session->proxyHost.empty();
    const std::string host = viaProxy ? session->proxyHost : session->host;
    const std::string port = viaProxy ? std::to_string(session->proxyPort) : session->port;
    BIO *bio = BIO_new(BIO_s_connect());
    if (!bio) {
        m_errorText = "Unable to create the connection";
        return false;
    }
    session->bio = bio;
    BIO_set_conn_hostname(bio, host.c_str());
    BIO_set_conn_port(bio, port.c_str());
    // For an address, saying its family spares the lookup a query of the interfaces.
    int family = BIO_FAMILY_IPANY;
    if (!ipLiteral(host, &family).empty())
        BIO_set_conn_ip_family(bio, family);
    BIO_set_nbio(bio, 1);
    const std::string step = "connecting to " + host + ":" + port;
    for (;;) {
        if (BIO_do_connect(bio) > 0)
            break;
        if (!BIO_should_retry(bio)) {
            m_errorText = "Unable to connect to " + host + ":" + port;
            return false;
        }
        if (!waitFor(session, POLLOUT, step.c_str()))
            return false;
    }
    if (viaProxy && !openTunnel(session))
        return false;
    return !session->isHttps || handshake(session);
}

bool SSLConnect::openTunnel(SSLSession *session)
{
    const std::string proxy = session->proxyHost + ":" + std::to_string(session->proxyPort);
    const std::string request = "CONNECT " + session->host + ":" + session->port
        + " HTTP/1.0\r\nUser-Agent: " + session->userAgent + "\r\nHost: " + session->host
        + "\r\nContent-Length: 0\r\nProxy-Connection: Keep-Alive\r\nPragma: no-cache\r\n\r\n";
    if (!writeAll(session, request.data(), request.size(),
                  ("sending the tunnel request to the proxy " + proxy).c_str()))
        return false;

    // Byte by byte: whatever follows the reply's header belongs to the server.
    const std::string step = "reading the answer of the proxy " + proxy;
    std::string reply;
    while (reply.size() < 2
           || (reply.compare(reply.size() - 2, 2, "\n\n") != 0
               && (reply.size() < 4 || reply.compare(reply.size() - 4, 4, "\r\n\r\n") != 0))) {
        if (reply.size() >= 64 * 1024) {
            m_errorText = "The answer of the proxy " + proxy + " exceeds 65536 bytes";
            return false;
        }
        char c;
        const long got = readSome(session, &c, 1, step.c_str());
        if (got < 0)
            return false;
        if (got == 0) {
            m_errorText = "The proxy " + proxy + " closed the connection without answering";
            return false;
        }
        reply += c;
    }
    std::string statusLine = reply.substr(0, reply.find('\n'));
    if (!statusLine.empty() && statusLine.back() == '\r')
        statusLine.pop_back();
    const std::size_t space = statusLine.find(' ');
    const bool accepted = statusLine.compare(0, 5, "HTTP/") == 0 && space != std::string::npos
        && statusLine.size() > space + 1 && statusLine[space + 1] == '2';
    if (!accepted) {
        m_errorText = "The proxy " + proxy + " refused the tunnel: " + statusLine;
        return false;
    }
    return true;
}

bool SSLConnect::handshake(SSLSession *session)
{
    SSL *ssl = SSL_new(session->ctx);
    if (!ssl) {
        m_errorText = "Unable to create the TLS connection";
        return false;
    }
    SSL_set_app_data(ssl, session);
    session->ssl = ssl;
    // The connection now owns the BIO; session->bio stays for waiting on its socket.
    SSL_set_bio(ssl, session->bio, session->bio);
    if (ipLiteral(session->host).empty())
        SSL_set_tlsext_host_name(ssl, session->host.c_str());
    const std::string step = "in the TLS handshake with " + session->host;
    for (;;) {
        ERR_clear_error();
        const int result = SSL_connect(ssl);
        if (result >= 1)
            return true;
        const int error = SSL_get_error(ssl, result);
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) {
            if (!waitFor(session, error == SSL_ERROR_WANT_READ ? POLLIN : POLLOUT, step.c_str()))
                return false;
            continue;
        }
        if (m_errorText.empty())
            m_errorText = categoryName(error);
        return false;
    }
}

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
            + std::to_string(X509_STORE_CTX_get_error_depth(store))
            + " issuer = " + oneLine(certificate ? X509_get_issuer_name(certificate) : nullptr)
            + " subject = " + oneLine(certificate ? X509_get_subject_name(certificate) : nullptr)
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
        const std::string by = oneLine(X509_CRL_get_issuer(crl));
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
                return finish(0, oneLine(subject) + " was revoked by " + oneLine(issuer),
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
    const std::string address = ipLiteral(host);
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

std::string SSLConnect::getHeader(const std::string &name) const
{
    const auto it = m_headers.find(name);
    return it == m_headers.end() ? std::string() : it->second;
}

} // namespace ztsc
