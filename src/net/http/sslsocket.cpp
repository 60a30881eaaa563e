// SPDX-License-Identifier: LGPL-2.1-or-later
//
// The connection and its I/O. Sockets are non-blocking, so every wait goes through
// poll() with the session's time-out, and no longer than its deadline. Writes on a
// socket the peer has closed raise SIGPIPE on Linux (Windows has no such signal):
// it is blocked on the calling thread while a connection is in use and any pending
// one is consumed before it is unblocked.
#include "sslconnect_p.h"

#include "sslconnect_state_p.h"
#include "sslsession_p.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>

#include <poll.h>
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ztsc {

namespace {

// Why a TLS read or write failed.
std::string ioFailure(int category)
{
    if (category == SSL_ERROR_SYSCALL && errno)
        return std::strerror(errno);
    const std::string name = transport::categoryName(category);
    return name.empty() ? "TLS error category " + std::to_string(category) : name;
}

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
    if (!transport::ipLiteral(host, &family).empty())
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
    if (transport::ipLiteral(session->host).empty())
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
            m_errorText = transport::categoryName(error);
        return false;
    }
}

} // namespace ztsc
