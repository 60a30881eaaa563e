// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "chunkeddecoder_p.h"
#include "databuffer_p.h"
#include "sslconnect_p.h"

#include <MavLibrary/net/http/httperrorids.h>

#include <ctime>

namespace ztsc {

class HttpUtilityVirtual;

/*!
    The HTTP/1.0 engine: builds and sends a request, reads the response header to
    its blank line (at most MaxHeaderSize bytes), follows redirects, and hands the
    body, with chunked transfer coding decoded, to the callbacks as it arrives.

    One request per connection ("Connection: close"). A body is complete when its
    Content-Length or last chunk has arrived or, without either, when the server
    closes; a body cut short fails. \reentrant
*/
class MAVLIBRARY_INTERNAL_EXPORT SSLClient : public SSLConnect
{
public:
    //! Takes \a size times \a count bytes; returns how many it took.
    using DataCallback = std::size_t (*)(const void *data, std::size_t size, std::size_t count,
                                         void *userData);
    //! Called with (user data, 0, bytes received, 0, 0) after each piece of body; -1 aborts.
    using ProgressCallback = int (*)(void *userData, double, double, double, double);

    //! Largest response header accepted, blank line included.
    static constexpr std::size_t MaxHeaderSize = 64 * 1024;
    //! Most interim (1xx) answers skipped before the real one.
    static constexpr int MaxInterimAnswers = 16;

    explicit SSLClient(const std::string &environment);
    ~SSLClient() override;

    //! The transport's set-up, then no callbacks and no owner.
    void initialize() override;
    //! Closes the connection (TLS shut down first) and frees the TLS context.
    virtual void disconnect(SSLSession *session);

    //! GET \a url; the body (an error status's too) goes to the writers. Disconnects at the end.
    void get(const std::string &url, std::time_t ifModifiedSince, HttpErrorIds *outcome,
             SSLSession *session, const std::string &responseType, const std::string &extraHeader,
             int sslMethod);
    //! HEAD \a url; no body is read.
    void head(const std::string &url, std::time_t ifModifiedSince, HttpErrorIds *outcome,
              SSLSession *session, const std::string &responseType, const std::string &extraHeader,
              int sslMethod);
    //! POST \a body (or, with \a usePost off, GET), reading the answer's body.
    void post(const std::string &url, SSLSession *session, const char *body, std::size_t length,
              bool usePost, HttpErrorIds *outcome, const std::string &responseType,
              const std::string &extraHeader, int sslMethod);
    void post(const std::string &url, SSLSession *session, const std::string &body, bool usePost,
              HttpErrorIds *outcome, const std::string &responseType,
              const std::string &extraHeader, int sslMethod);

    /*!
        Connects, sends the request and reads the response header, following
        redirects up to the session's maxRedirects. The connection stays open for
        the body.
    */
    HttpErrorIds sendRequest(const std::string &url, std::time_t ifModifiedSince,
                             const std::string &method, SSLSession *session,
                             const std::string &responseType, const char *body,
                             std::size_t bodyLength, const std::string &extraHeader);
    //! Sends \a data whole; sets \a failed on failure.
    bool writeData(SSLSession *session, const char *data, std::size_t length, bool *failed);
    //! Reads the response header and the body bytes that came with it.
    HttpErrorIds readHeaders(SSLSession *session, bool followRedirects);
    //! Reads the rest of the body; \a outcome gets the final result.
    void readBody(SSLSession *session, HttpErrorIds *outcome);

    void setHeaderCallback(DataCallback callback, void *userData);
    void setWriteCallback(DataCallback callback, void *userData);
    void setSecondWriteCallback(DataCallback callback, void *userData);
    void setProgressCallback(ProgressCallback callback, void *userData);
    void setOwner(HttpUtilityVirtual *owner) { m_owner = owner; }
    HttpUtilityVirtual *getOwner() const { return m_owner; }

    //! The header block of the last response, status line included.
    const std::string &getHeaderBlock() const { return m_headerBlock; }
    //! Whether the last request failed because its body passed the session's maxBodySize.
    bool bodyTooLarge() const { return m_bodyTooLarge; }

    /*!
        Resolves \a reference (a Location value, say) against the absolute URL
        \a base as RFC 3986, section 5.2, does: absolute, network-path ("//host"),
        absolute-path, relative-path and query-only references, dot segments
        removed. A fragment is dropped.
    */
    static std::string resolveReference(const std::string &base, const std::string &reference);

    /*!
        Splits an http or https URL. The scheme is the text before "://" (any case);
        the port is the one given, else 80 or 443; the path starts at the first "/"
        or "?" after the host ("/" when there is none) and drops any fragment.
        Returns 0, or -1 for anything else.
    */
    static int parseUrl(const std::string &url, std::string *host, std::string *path,
                        std::string *port, bool *isHttps);
    /*!
        The request bytes: request line, Host, If-Modified-Since (when above 0),
        responseType, User-Agent, Content-Type (POST), Content-Length (POST with a
        body), the extra header line, "Connection: close", the blank line, then the
        body of a POST.
    */
    static std::string buildRequest(const std::string &method, const std::string &path,
                                    const std::string &host, std::time_t ifModifiedSince,
                                    const std::string &responseType, const std::string &userAgent,
                                    const char *body, std::size_t bodyLength,
                                    const std::string &extraHeader);

private:
    enum class Framing { None, Length, Chunked, UntilClose };

    void run(const std::string &url, std::time_t ifModifiedSince, const std::string &method,
             HttpErrorIds *outcome, SSLSession *session, const std::string &responseType,
             const char *body, std::size_t bodyLength, const std::string &extraHeader,
             int sslMethod, bool readTheBody);
    HttpErrorIds failRequest(SSLSession *session, const std::string &reason);
    // Sets \a lengthConflict when two Content-Length headers differ.
    bool parseHeader(const char *data, std::size_t length, bool followRedirects,
                     bool *lengthConflict = nullptr);
    // Reads into \a pending until the final answer's header is complete, dropping
    // interim (1xx) answers; \a end is where that header ends.
    HttpErrorIds readFinalHeader(SSLSession *session, std::string *pending, std::size_t *end);
    // The outcome a complete answer's status gives.
    HttpErrorIds statusOutcome() const;
    std::string bodyTooLargeText() const;
    // Hands body bytes to the decoder or the writers; false stops the read.
    bool takeBody(const char *data, std::size_t length);
    bool deliver(const char *data, std::size_t length);
    static bool deliverChunk(const char *data, std::size_t length, void *client);
    bool bodyComplete() const;
    // Reports the bytes received so far; false when the progress callback says stop.
    bool progressAllowed();
    static bool isRedirect(int status);

    std::string m_reserved[4];
    DataCallback m_headerCallback = nullptr;
    DataCallback m_writeCallback = nullptr;
    DataCallback m_secondWriteCallback = nullptr;
    ProgressCallback m_progressCallback = nullptr;
    void *m_headerUserData = nullptr;
    void *m_writeUserData = nullptr;
    void *m_secondWriteUserData = nullptr;
    void *m_progressUserData = nullptr;
    HttpUtilityVirtual *m_owner = nullptr;
    DataBuffer m_receiveBuffer;

    std::string m_headerBlock;
    std::string m_method;
    Framing m_framing = Framing::UntilClose;
    std::uint64_t m_remaining = 0; // body bytes still due with Framing::Length
    ChunkedDecoder m_chunks;
    bool m_withheld = false; // a redirect's body: not delivered
    bool m_headerRead = false; // a whole header was read; the body may follow
    bool m_conditional = false; // If-Modified-Since was sent
    std::uint64_t m_maxBody = 0; // the session's maxBodySize for this answer
    bool m_truncateBody = false;
    bool m_bodyCut = false; // the body reached m_maxBody and the rest is not read
    bool m_bodyTooLarge = false;
};

} // namespace ztsc
