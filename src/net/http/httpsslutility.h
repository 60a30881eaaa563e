// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/net/http/httputilityvirtual.h>

#include <cstdint>
#include <ctime>
#include <utility>

namespace ztpm {
class File;
}

namespace ztsc {

class SSLClient;
class SSLSession;

/*!
    The HTTP facade over the library's own client: HTTP/1.0 requests in clear or
    over TLS, directly or through a proxy tunnel, one connection per request (and
    one per redirect), each step bounded by a time-out.

    With \a secureMode on, the request presents the client certificate of the
    selected key material (or of certificateFile), verifies the server against the
    material's authority and checks the host name; a server certificate that does
    not verify gives HttpCertificateRejected.

    Each operation blocks the calling thread until it is done and records its
    outcome and failure text (getLastErrorId(), getLastErrorText()). \reentrant
*/
class MAVLIBRARY_EXPORT HttpSSLUtility : public HttpUtilityVirtual
{
public:
    using Response = std::pair<const char *, std::size_t>;

    HttpSSLUtility();
    ~HttpSSLUtility() override;

    void setEnvironment(const std::string &environment) override;
    std::string getEnvironment() const { return m_environment; }
    //! A free text copied into each request's session; the client does not read it.
    void setTag(const std::string &tag) { m_tag = tag; }
    std::string getTag() const { return m_tag; }
    //! A PEM file holding the client certificate and its key; empty: the built-in ones.
    void setCertificateFile(const std::string &file) { m_certificateFile = file; }
    std::string getCertificateFile() const { return m_certificateFile; }
    void setKeyPassword(const std::string &password) { m_keyPassword = password; }
    std::string getKeyPassword() const { return m_keyPassword; }
    //! The CONNECT proxy every request goes through; empty: connect directly.
    void setProxyHost(const std::string &host) { m_proxyHost = host; }
    std::string getProxyHost() const { return m_proxyHost; }
    void setProxyPort(int port) { m_proxyPort = port; }
    int getProxyPort() const { return m_proxyPort; }
    //! Bounds connecting, the TLS handshake and each read and write (milliseconds; 30 s).
    void setTimeout(int milliseconds) { m_timeout = milliseconds; }
    int getTimeout() const { return m_timeout; }
    /*!
        Bounds the whole exchange of one operation: connecting, TLS, sending, the
        header and the body, every redirect included (milliseconds; 300 s; 0: no
        bound). A server that drips its answer fails the operation when it passes.
    */
    void setDeadline(int milliseconds) { m_deadline = milliseconds; }
    int getDeadline() const { return m_deadline; }
    /*!
        The largest body get() and postForm() keep in memory (64 MiB); a longer one
        fails the operation, and what was received is freed.
    */
    void setMaxResponseSize(std::uint64_t bytes) { m_maxResponseSize = bytes; }
    std::uint64_t getMaxResponseSize() const { return m_maxResponseSize; }
    //! The largest body download() writes (0, the default: no bound); a longer one fails.
    void setMaxDownloadSize(std::uint64_t bytes) { m_maxDownloadSize = bytes; }
    std::uint64_t getMaxDownloadSize() const { return m_maxDownloadSize; }
    /*!
        With \a readAtMost above 0, get() keeps no body: it reads at most that many
        bytes of it into nothing, then closes the connection, and the outcome goes
        by the status. 0 (the default) keeps the body. Pings read this way.
    */
    void setDiscardBody(std::uint64_t readAtMost) { m_discardBody = readAtMost; }
    std::uint64_t getDiscardBody() const { return m_discardBody; }

    static constexpr int DefaultDeadline = 300000;
    static constexpr std::uint64_t DefaultMaxResponseSize = 64 * 1024 * 1024;

    void progressChanged(double received, double total) override;
    std::string getLastErrorText() override;
    HttpErrorIds getLastErrorId() override;

    /*!
        GET \a url, following one redirect. An \a ifModifiedSince above 0 is sent as
        If-Modified-Since, and then the answer's Last-Modified (0 when it has none)
        is stored through \a lastModified. Returns the body, which the facade keeps
        until its next operation.
    */
    Response get(const std::string &url, std::time_t ifModifiedSince, bool secureMode,
                 HttpErrorIds *outcome, std::time_t *lastModified);
    /*!
        HEAD \a url, following one redirect; returns the text of the Content-Length
        header whatever the outcome (empty when there is none). The header lines go
        to getExtraData().
    */
    std::string getContentLength(const std::string &url, bool secureMode, HttpErrorIds *outcome);
    /*!
        Sends \a body percent-encoded (byte form of percentEncode()) with the header
        "encrypted: true" or "false": as the body of a POST, or with \a usePost off
        as the query of a GET. Follows one redirect; returns the answer's body.
    */
    Response postForm(const std::string &url, const std::string &body, bool encrypted, bool usePost,
                      bool secureMode, HttpErrorIds *outcome);
    //! HEAD \a url, following up to 10 redirects.
    HttpErrorIds checkUrl(const std::string &url, bool secureMode);
    /*!
        Downloads \a url into \a file (open for writing; closed at the end): a HEAD
        for the size and Last-Modified, then the GET, reporting progress through
        progressChanged() and getDownloadProgress(). Stores Last-Modified (0 when
        none) through \a lastModified.
    */
    HttpErrorIds download(const std::string &url, ztpm::File *file, bool secureMode,
                          std::time_t *lastModified);

private:
    // The session of one operation, set up from the facade's settings.
    void prepare(SSLSession &session, bool secureMode, int maxRedirects) const;
    // Records the outcome, the failure text and the last response of \a client.
    void finish(HttpErrorIds outcome, SSLClient &client);

    std::string m_environment;
    std::string m_tag;
    std::string m_certificateFile;
    std::string m_keyPassword;
    std::string m_proxyHost;
    int m_proxyPort = 0;
    HttpErrorIds m_lastErrorId = HttpSuccess;
    std::string m_lastErrorText;
    int m_timeout = 30000;
    int m_deadline = DefaultDeadline;
    std::uint64_t m_maxResponseSize = DefaultMaxResponseSize;
    std::uint64_t m_maxDownloadSize = 0;
    std::uint64_t m_discardBody = 0;
};

} // namespace ztsc
