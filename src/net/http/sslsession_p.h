// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <openssl/types.h>

#include <cstdint>
#include <string>

namespace ztsc {

class SSLConnect;

/*!
    The settings and live handles of one request. The client sets the handles up
    when it connects and frees them when it disconnects; the session owns the
    revocation store built from crlFile. \reentrant
*/
class MAVLIBRARY_INTERNAL_EXPORT SSLSession
{
public:
    SSLSession();
    virtual ~SSLSession();

    SSLSession(const SSLSession &) = delete;
    SSLSession &operator=(const SSLSession &) = delete;

    //! Back to the values after construction; frees any handle still held.
    void reset();
    /*!
        Replaces crlFile and rebuilds crlStore from it (PEM revocation lists). An
        empty name drops the store. False when the file cannot be loaded; the
        session then has no store.
    */
    bool setCrlFile(const std::string &file);

    SSL_CTX *ctx = nullptr;
    std::string certificateFile; //!< client identity (PEM, certificate and key); empty: built in
    BIO *bio = nullptr; //!< the connection
    SSL *ssl = nullptr; //!< the TLS connection on top of bio, for https
    std::string spare;
    std::string tag; //!< the facade's tag, not read by the client
    int verifyMode = 0; //!< OpenSSL verify mode; 1 (verify peer) in secure mode
    bool secureMode = false; //!< client identity, server verification, host-name check
    int readDelay = 0; //!< pause after every body read, milliseconds
    int sslMethod = 2; //!< 0 TLS <= 1.2, 1 TLS 1.2, 2 TLS >= 1.2, 3 TLS 1.3
    std::string host;
    std::string port;
    std::string keyPassword;
    std::string caLocations; //!< a PEM file of further trusted authorities
    std::string proxyHost;
    int proxyPort = 443;
    bool isHttps = false;
    int readBufferSize = 16384; //!< bytes per read: a whole TLS record, libcurl's size too
    std::string userAgent;
    int maxRedirects = 0;
    int redirectCount = 0;
    std::string crlFile;
    X509_STORE *crlStore = nullptr;
    SSLConnect *client = nullptr; //!< the transport that connected, for its verification texts
    int timeout = 30000; //!< bounds connecting, the handshake and each read and write (ms)
    /*!
        Bounds the whole exchange (ms; 0: none). It starts counting when the client
        runs the request, unless deadlineAt is already set, so that an operation of
        several requests (a HEAD, then the GET) shares one.
    */
    int deadline = 0;
    std::int64_t deadlineAt = 0; //!< when the deadline passes, monotonic ms; 0: not started
    /*!
        The most body bytes read (0: no bound). Beyond it the request fails, or with
        truncateBody on, stops reading and goes by its status.
    */
    std::uint64_t maxBodySize = 0;
    bool truncateBody = false;

    //! Starts the deadline's clock when there is a deadline and it has not started.
    void startDeadline();
    //! Milliseconds left before the deadline (INT64_MAX without one; <= 0 once passed).
    std::int64_t deadlineLeft() const;
};

} // namespace ztsc
