// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "keymaterial_p.h"
#include "mavlibrary_internal_p.h"

#include <openssl/types.h>

#include <signal.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ztpm {
class Mutex;
}

namespace ztsc {

class SSLError;
class SSLSession;

/*!
    Blocks SIGPIPE on the calling thread for its life, and swallows the ones that
    writes to a closed connection raised meanwhile: on Linux they would end the
    process. Nests: only the outermost blocker of a thread acts.
*/
class MAVLIBRARY_INTERNAL_EXPORT SigPipeBlocker
{
public:
    SigPipeBlocker();
    ~SigPipeBlocker();
    SigPipeBlocker(const SigPipeBlocker &) = delete;
    SigPipeBlocker &operator=(const SigPipeBlocker &) = delete;

private:
    sigset_t m_previous;
    bool m_wasBlocked = false;
    bool m_wasPending = false;
};

//! Header names compare without regard to ASCII case, as HTTP wants.
struct HeaderNameLess
{
    bool operator()(const std::string &a, const std::string &b) const;
};
//! Response headers by name; a repeated header keeps its last value.
using HeaderMap = std::map<std::string, std::string, HeaderNameLess>;

/*!
    The transport beneath the HTTP engine: the built-in key material, the TLS
    context of a request, the connection (direct or through a proxy tunnel), the
    handshake, the verification of the server (chain, revocation lists, host name)
    and OpenSSL's error queue turned into text.

    All I/O runs on non-blocking sockets; connecting, the handshake and each read
    and write wait at most the session's timeout. An object serves one thread at a
    time; any number of objects may work in parallel.
*/
class MAVLIBRARY_INTERNAL_EXPORT SSLConnect
{
public:
    explicit SSLConnect(const std::string &environment);
    virtual ~SSLConnect();

    SSLConnect(const SSLConnect &) = delete;
    SSLConnect &operator=(const SSLConnect &) = delete;

    //! Parses the authority and client certificates of the environment's material.
    virtual void initialize();
    //! Frees the session's TLS context.
    virtual void releaseContext(SSLSession *session);

    //! Makes the session's TLS context; false with the reason in errorText.
    bool setupContext(SSLSession *session, const char *keyPassword);
    //! Opens the connection: direct or through the proxy tunnel, then TLS for https.
    bool connect(SSLSession *session);
    /*!
        0 when the server certificate is for \a host (subjectAltName first, the
        common name only without DNS names) and its chain verified; 50 (application
        verification failure) for another name or no certificate; otherwise the
        connection's verification result.
    */
    int checkHostName(SSL *ssl, const std::string &host);
    //! Why the server certificate is not for \a host: the names it holds instead.
    static std::string hostNameMismatch(SSL *ssl, const std::string &host);
    /*!
        Drains the calling thread's OpenSSL error queue into \a errors (the caller
        owns the records) and appends a summary to errorText. Prints two lines per
        error on stdout.
    */
    void collectErrors(std::vector<SSLError *> &errors);
    //! collectErrors() for a caller that only wants the text.
    void collectErrors();

    //! \a environment, or "PRODUCTION" when it is empty.
    static std::string getEnvironment(const std::string &environment);
    //! Equal without regard to case over the length of \a name.
    static bool matchesEnvironment(const std::string &name, const std::string &other);
    //! Feeds the system's randomness to OpenSSL until it reports its pool seeded.
    static void seedRandom();
    //! OpenSSL's pass-phrase callback; \a userData is the pass phrase (char *).
    static int passwordCallback(char *buffer, int size, int flag, void *userData);
    static int verifyCallback(int preverify, X509_STORE_CTX *store);
    //! How many SSLConnect objects exist.
    static int liveConnections();

    const std::string &getErrorText() const { return m_errorText; }
    void setErrorText(const std::string &text) { m_errorText = text; }
    int getStatus() const { return m_status; }
    const HeaderMap &getHeaders() const { return m_headers; }
    //! The value of header \a name (any case); empty when absent.
    std::string getHeader(const std::string &name) const;
    std::uint64_t getBytesReceived() const { return m_bytesReceived; }
    std::string getEnvironmentName() const { return m_environment; }

protected:
    /*!
        Reads at most \a size bytes. Returns the count, 0 at the end of the stream,
        or -1 on failure or time-out with the reason, naming \a step, in errorText.
    */
    long readSome(SSLSession *session, char *buffer, std::size_t size, const char *step);
    //! Writes all \a size bytes, continuing partial writes; false as readSome().
    bool writeAll(SSLSession *session, const char *data, std::size_t size, const char *step);

    std::uint64_t m_bytesReceived = 0;
    HeaderMap m_headers;
    std::string m_errorText;
    X509 *m_caCertificate = nullptr;
    X509 *m_clientCertificate = nullptr;
    EVP_PKEY *m_clientKey = nullptr;
    int m_status = 0;
    std::string m_environment;

private:
    // Waits until the session's socket is ready for \a events (poll flags).
    bool waitFor(SSLSession *session, short events, const char *step);
    // True, with the reason in errorText, once the session's deadline has passed.
    bool deadlinePassed(SSLSession *session, const char *step);
    bool openTunnel(SSLSession *session);
    bool handshake(SSLSession *session);
    int checkRevocation(int result, X509_STORE_CTX *store, SSLSession *session);
    static SSL_CTX *newContext(int method);
    keymaterial::Set materialSet() const;
};

} // namespace ztsc
