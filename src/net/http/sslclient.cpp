// SPDX-License-Identifier: LGPL-2.1-or-later
#include "sslclient_p.h"

#include "diagnostics_p.h"
#include "httpfunctions.h"
#include "httputilityvirtual.h"
#include "sslsession_p.h"

#include "net/platform/timing.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include <strings.h>

namespace ztsc {

namespace {

// Where the header ends: just past its blank line, or npos. \a scanned remembers
// how far earlier calls looked.
std::size_t findHeaderEnd(const char *data, std::size_t size, std::size_t *scanned)
{
    for (std::size_t i = *scanned; i < size; ++i) {
        if (data[i] != '\n')
            continue;
        if (i + 1 < size && data[i + 1] == '\n')
            return i + 2;
        if (i + 2 < size && data[i + 1] == '\r' && data[i + 2] == '\n')
            return i + 3;
    }
    // A line end may be split across reads: look at the last three bytes again.
    *scanned = size > 3 ? size - 3 : 0;
    return std::string::npos;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty()
           && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'
               || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

bool isHostOrPathByte(unsigned char c)
{
    return c > 0x20 && c != 0x7f;
}

// "HTTP/x.y SSS reason": the status, or -1 when the line is not a status line.
int parseStatusLine(std::string_view line)
{
    if (line.substr(0, 5) != "HTTP/")
        return -1;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos)
        return -1;
    const std::string_view code = trimmed(line.substr(space + 1)).substr(0, 4);
    if (code.size() < 3 || (code.size() == 4 && code[3] != ' ')
        || !std::all_of(code.begin(), code.begin() + 3,
                        [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    const int status = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
    return status < 100 ? -1 : status;
}

std::string_view firstLine(std::string_view block)
{
    std::string_view line = block.substr(0, block.find('\n'));
    while (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// A Content-Length value: one number, or a list of the same number (RFC 9110, 8.6).
bool readContentLength(const std::string &text, std::uint64_t *length)
{
    bool first = true;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        bool ok = false;
        const std::uint64_t value = toUInt64(text.substr(start, comma - start), &ok);
        if (!ok || (!first && value != *length))
            return false;
        *length = value;
        first = false;
        start = comma + 1;
    }
    return true;
}

// RFC 3986, 5.2.4.
std::string removeDotSegments(std::string input)
{
    std::string output;
    while (!input.empty()) {
        if (input.compare(0, 3, "../") == 0)
            input.erase(0, 3);
        else if (input.compare(0, 2, "./") == 0)
            input.erase(0, 2);
        else if (input.compare(0, 3, "/./") == 0)
            input.erase(0, 2);
        else if (input == "/.")
            input = "/";
        else if (input.compare(0, 4, "/../") == 0 || input == "/..") {
            input = input.size() == 3 ? "/" : input.substr(3);
            const std::size_t slash = output.rfind('/');
            output.resize(slash == std::string::npos ? 0 : slash);
        } else if (input == "." || input == "..") {
            input.clear();
        } else {
            const std::size_t next = input.find('/', input.front() == '/' ? 1 : 0);
            output += input.substr(0, next);
            input.erase(0, next == std::string::npos ? input.size() : next);
        }
    }
    return output;
}

// The parts of a URI reference (RFC 3986, appendix B); a part that is absent is nullopt.
struct Reference
{
    std::optional<std::string> scheme, authority, query;
    std::string path;
};

Reference splitReference(const std::string &text)
{
    Reference parts;
    std::string rest = text.substr(0, text.find('#'));
    const std::size_t colon = rest.find(':');
    if (colon != std::string::npos && colon > 0 && rest.find_first_of("/?") > colon) {
        parts.scheme = rest.substr(0, colon);
        rest.erase(0, colon + 1);
    }
    if (rest.compare(0, 2, "//") == 0) {
        const std::size_t end = std::min(rest.find_first_of("/?", 2), rest.size());
        parts.authority = rest.substr(2, end - 2);
        rest.erase(0, end);
    }
    const std::size_t question = rest.find('?');
    if (question != std::string::npos)
        parts.query = rest.substr(question + 1);
    parts.path = rest.substr(0, question);
    return parts;
}

} // namespace

std::string SSLClient::resolveReference(const std::string &base, const std::string &reference)
{
    const Reference b = splitReference(base);
    const Reference r = splitReference(reference);
    Reference t;
    if (r.scheme) {
        t = r;
        t.path = removeDotSegments(r.path);
    } else {
        t.scheme = b.scheme;
        if (r.authority) {
            t.authority = r.authority;
            t.path = removeDotSegments(r.path);
            t.query = r.query;
        } else {
            t.authority = b.authority;
            if (r.path.empty()) {
                t.path = b.path;
                t.query = r.query ? r.query : b.query;
            } else {
                if (r.path.front() == '/') {
                    t.path = removeDotSegments(r.path);
                } else {
                    // Merge (5.2.3): the base's folder, or the root of an empty base path.
                    const std::size_t slash = b.path.rfind('/');
                    const std::string folder = b.authority && b.path.empty() ? "/"
                        : slash == std::string::npos                         ? std::string()
                                                     : b.path.substr(0, slash + 1);
                    t.path = removeDotSegments(folder + r.path);
                }
                t.query = r.query;
            }
        }
    }
    std::string result;
    if (t.scheme)
        result += *t.scheme + ":";
    if (t.authority)
        result += "//" + *t.authority;
    result += t.path;
    if (t.query)
        result += "?" + *t.query;
    return result;
}

SSLClient::SSLClient(const std::string &environment)
    : SSLConnect(environment)
{ }

SSLClient::~SSLClient() = default;

void SSLClient::initialize()
{
    SSLConnect::initialize();
    setHeaderCallback(nullptr, nullptr);
    setWriteCallback(nullptr, nullptr);
    setSecondWriteCallback(nullptr, nullptr);
    setProgressCallback(nullptr, nullptr);
    m_owner = nullptr;
}

void SSLClient::setHeaderCallback(DataCallback callback, void *userData)
{
    m_headerCallback = callback;
    m_headerUserData = userData;
}

void SSLClient::setWriteCallback(DataCallback callback, void *userData)
{
    m_writeCallback = callback;
    m_writeUserData = userData;
}

void SSLClient::setSecondWriteCallback(DataCallback callback, void *userData)
{
    m_secondWriteCallback = callback;
    m_secondWriteUserData = userData;
}

void SSLClient::setProgressCallback(ProgressCallback callback, void *userData)
{
    m_progressCallback = callback;
    m_progressUserData = userData;
}

int SSLClient::parseUrl(const std::string &url, std::string *host, std::string *path,
                        std::string *port, bool *isHttps)
{
    const std::size_t colon = url.find(':');
    if (colon == std::string::npos || url.compare(colon, 3, "://") != 0)
        return -1;
    const std::string scheme = toLower(url.substr(0, colon));
    if (scheme != "http" && scheme != "https")
        return -1;
    const bool https = scheme == "https";
    const std::size_t start = colon + 3;
    const std::size_t end = std::min(url.find_first_of("/?#", start), url.size());
    if (!std::all_of(url.begin() + std::ptrdiff_t(start), url.end(),
                     [](char c) { return isHostOrPathByte(static_cast<unsigned char>(c)); }))
        return -1;

    std::string name = url.substr(start, end - start);
    std::string portText;
    std::size_t portColon = std::string::npos;
    if (!name.empty() && name.front() == '[') {
        const std::size_t close = name.find(']');
        if (close == std::string::npos || (close + 1 < name.size() && name[close + 1] != ':'))
            return -1;
        if (close + 1 < name.size())
            portColon = close + 1;
    } else {
        portColon = name.find(':');
    }
    if (portColon != std::string::npos) {
        portText = name.substr(portColon + 1);
        name.resize(portColon);
        if (portText.size() > 5 || !std::all_of(portText.begin(), portText.end(), [](char c) {
                return c >= '0' && c <= '9';
            }))
            return -1;
        if (!portText.empty() && (std::stoi(portText) < 1 || std::stoi(portText) > 65535))
            return -1;
    }
    if (name.empty())
        return -1;

    std::string rest = url.substr(end);
    rest.resize(std::min(rest.find('#'), rest.size()));
    if (rest.empty() || rest.front() != '/')
        rest.insert(0, 1, '/');
    *host = name;
    *path = rest;
    *port = portText.empty() ? (https ? "443" : "80") : portText;
    *isHttps = https;
    return 0;
}

std::string SSLClient::buildRequest(const std::string &method, const std::string &path,
                                    const std::string &host, std::time_t ifModifiedSince,
                                    const std::string &responseType, const std::string &userAgent,
                                    const char *body, std::size_t bodyLength,
                                    const std::string &extraHeader)
{
    const bool isPost = toLower(method) == "post";
    std::string request = method + " " + path + " HTTP/1.0\r\n";
    request += "Host: " + host + "\r\n";
    if (ifModifiedSince > 0)
        request += "If-Modified-Since: " + formatHttpDate(ifModifiedSince) + "\r\n";
    if (!responseType.empty())
        request += "responseType: " + responseType + "\r\n";
    if (!userAgent.empty())
        request += "User-Agent: " + userAgent + "\r\n";
    if (isPost)
        request += std::string("Content-Type: ") + s_textXml + ";charset=UTF-8\r\n";
    // An HTTP/1.0 server cannot find the end of a body without it.
    if (isPost && bodyLength > 0)
        request += "Content-Length: " + std::to_string(bodyLength) + "\r\n";
    if (!extraHeader.empty()) {
        request += extraHeader;
        if (extraHeader.size() < 2 || extraHeader.compare(extraHeader.size() - 2, 2, "\r\n") != 0)
            request += "\r\n";
    }
    request += "Connection: close\r\n\r\n";
    if (isPost && body)
        request.append(body, bodyLength);
    return request;
}

bool SSLClient::isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

void SSLClient::get(const std::string &url, std::time_t ifModifiedSince, HttpErrorIds *outcome,
                    SSLSession *session, const std::string &responseType,
                    const std::string &extraHeader, int sslMethod)
{
    run(url, ifModifiedSince, "GET", outcome, session, responseType, nullptr, 0, extraHeader,
        sslMethod, true);
}

void SSLClient::head(const std::string &url, std::time_t ifModifiedSince, HttpErrorIds *outcome,
                     SSLSession *session, const std::string &responseType,
                     const std::string &extraHeader, int sslMethod)
{
    run(url, ifModifiedSince, "HEAD", outcome, session, responseType, nullptr, 0, extraHeader,
        sslMethod, false);
}

void SSLClient::post(const std::string &url, SSLSession *session, const char *body,
                     std::size_t length, bool usePost, HttpErrorIds *outcome,
                     const std::string &responseType, const std::string &extraHeader, int sslMethod)
{
    run(url, 0, usePost ? "POST" : "GET", outcome, session, responseType, body, length, extraHeader,
        sslMethod, true);
}

void SSLClient::post(const std::string &url, SSLSession *session, const std::string &body,
                     bool usePost, HttpErrorIds *outcome, const std::string &responseType,
                     const std::string &extraHeader, int sslMethod)
{
    post(url, session, body.data(), body.size(), usePost, outcome, responseType, extraHeader,
         sslMethod);
}

void SSLClient::run(const std::string &url, std::time_t ifModifiedSince, const std::string &method,
                    HttpErrorIds *outcome, SSLSession *session, const std::string &responseType,
                    const char *body, std::size_t bodyLength, const std::string &extraHeader,
                    int sslMethod, bool readTheBody)
{
    SigPipeBlocker blocker;
    m_errorText.clear();
    m_bytesReceived = 0;
    m_bodyTooLarge = false;
    m_bodyCut = false;
    // Only an answer to a conditional request may say "not modified".
    m_conditional = ifModifiedSince > 0;
    session->startDeadline();
    session->sslMethod = sslMethod;
    if (session->secureMode)
        session->verifyMode = SSL_VERIFY_PEER;
    HttpErrorIds result = sendRequest(url, ifModifiedSince, method, session, responseType, body,
                                      bodyLength, extraHeader);
    // Error statuses deliver their body too; a redirect that was not followed does not.
    if (readTheBody && m_headerRead && !isRedirect(m_status))
        readBody(session, &result);
    disconnect(session);
    if (outcome)
        *outcome = result;
}

HttpErrorIds SSLClient::failRequest(SSLSession *session, const std::string &reason)
{
    if (!reason.empty())
        m_errorText = reason;
    collectErrors();
    disconnect(session);
    return HttpFailure;
}

HttpErrorIds SSLClient::sendRequest(const std::string &url, std::time_t ifModifiedSince,
                                    const std::string &method, SSLSession *session,
                                    const std::string &responseType, const char *body,
                                    std::size_t bodyLength, const std::string &extraHeader)
{
    m_headerRead = false;
    m_status = 0;
    m_headers.clear();
    m_headerBlock.clear();
    m_method = method;
    std::string path;
    bool https = false;
    if (parseUrl(url, &session->host, &path, &session->port, &https) != 0) {
        m_errorText = "Malformed URL: " + url;
        return HttpFailure;
    }
    session->isHttps = https;

    if (!connect(session)) {
        const unsigned long last = ERR_peek_last_error();
        const bool rejected = ERR_GET_LIB(last) == ERR_LIB_SSL
            && ERR_GET_REASON(last) == SSL_R_CERTIFICATE_VERIFY_FAILED;
        failRequest(session, {});
        return rejected ? HttpCertificateRejected : HttpFailure;
    }
    if (session->secureMode) {
        const int result = session->ssl ? checkHostName(session->ssl, session->host)
                                        : X509_V_ERR_APPLICATION_VERIFICATION;
        if (result != X509_V_OK) {
            // A certificate for another name is as untrusted as one that does not verify.
            m_errorText = result == X509_V_ERR_APPLICATION_VERIFICATION
                ? hostNameMismatch(session->ssl, session->host)
                : X509_verify_cert_error_string(result);
            printDiagnostic(m_errorText);
            failRequest(session, {});
            // Without TLS there was no certificate to reject.
            return session->isHttps ? HttpCertificateRejected : HttpFailure;
        }
    }

    const std::string request =
        buildRequest(method, path, session->host, ifModifiedSince, responseType, session->userAgent,
                     body, bodyLength, extraHeader);
    bool failed = false;
    if (!writeData(session, request.data(), request.size(), &failed))
        return failRequest(session, "SSLClient::writeData failed.\n" + m_errorText);

    const HttpErrorIds outcome = readHeaders(session, true);
    if (outcome != HttpSuccess)
        return outcome;
    if (isRedirect(m_status)) {
        const std::string location = getHeader("Location");
        if (!location.empty() && session->redirectCount < session->maxRedirects) {
            // Servers send relative references too (RFC 9110, 10.2.2).
            const std::string target = resolveReference(url, location);
            std::string scheme = toLower(target.substr(0, target.find(':')));
            if (scheme != "http" && scheme != "https") {
                m_errorText =
                    "The server redirected to " + location + ", which is not an http or https URL";
                disconnect(session);
                return HttpFailure;
            }
            disconnect(session);
            if (m_owner)
                m_owner->releaseExtraData();
            m_receiveBuffer.clear();
            m_bytesReceived = 0;
            ++session->redirectCount;
            const HttpErrorIds next = sendRequest(target, ifModifiedSince, method, session,
                                                  responseType, body, bodyLength, extraHeader);
            if (next == HttpFailure && m_errorText == "Malformed URL: " + target)
                m_errorText = "The server redirected to a malformed URL: " + location;
            return next;
        }
        m_errorText = "Redirection url is not defined or redirect count exceeded.";
        return HttpFailure;
    }
    return statusOutcome();
}

HttpErrorIds SSLClient::statusOutcome() const
{
    if (m_status < 300)
        return HttpSuccess;
    return m_status == 304 && m_conditional ? HttpNotModified : HttpFailure;
}

bool SSLClient::writeData(SSLSession *session, const char *data, std::size_t length, bool *failed)
{
    const bool written =
        writeAll(session, data, length, ("sending the request to " + session->host).c_str());
    if (!written && failed)
        *failed = true;
    return written;
}

HttpErrorIds SSLClient::readHeaders(SSLSession *session, bool followRedirects)
{
    m_headerRead = false;
    m_status = 0;
    m_headers.clear();
    m_headerBlock.clear();
    m_chunks = ChunkedDecoder();
    m_framing = Framing::UntilClose;
    m_remaining = 0;
    m_withheld = false;
    m_maxBody = session->maxBodySize;
    m_truncateBody = session->truncateBody;
    m_bodyCut = false;
    m_bodyTooLarge = false;

    // What was read and not yet taken: the header, then the first body bytes.
    std::string pending;
    std::size_t end = 0;
    if (const HttpErrorIds outcome = readFinalHeader(session, &pending, &end);
        outcome != HttpSuccess)
        return outcome;
    m_headerBlock.assign(pending, 0, end);
    bool lengthConflict = false;
    if (!parseHeader(pending.data(), end, followRedirects, &lengthConflict))
        return failRequest(
            session,
            "Malformed status line: "
                + m_headerBlock.substr(
                    0, std::min<std::size_t>(m_headerBlock.find_first_of("\r\n"), 200)));

    // A wrong length would cut the body or run into what follows it: refuse it.
    const std::string lengthText = getHeader("Content-Length");
    std::uint64_t length = 0;
    const bool lengthKnown = m_headers.count("Content-Length") != 0;
    if (lengthKnown && (lengthConflict || !readContentLength(lengthText, &length)))
        return failRequest(session, "Malformed Content-Length: " + lengthText.substr(0, 100));
    const std::string lowerMethod = toLower(m_method);
    if (lowerMethod == "head" || m_status == 304 || m_status == 204)
        m_framing = Framing::None;
    else if (toLower(getHeader("Transfer-Encoding")).find("chunked") != std::string::npos)
        m_framing = Framing::Chunked;
    else if (lengthKnown)
        m_framing = Framing::Length;
    m_remaining = length;
    m_withheld = followRedirects && isRedirect(m_status);
    if (m_framing == Framing::Length && !m_withheld && !m_truncateBody && m_maxBody
        && length > m_maxBody) {
        m_bodyTooLarge = true;
        return failRequest(session, bodyTooLargeText());
    }
    m_headerRead = true;
    const std::uint64_t before = m_bytesReceived;
    if (!takeBody(pending.data() + end, pending.size() - end)) {
        m_headerRead = false;
        return failRequest(session, {});
    }
    if (m_bytesReceived > before && !progressAllowed()) {
        m_headerRead = false;
        disconnect(session);
        return HttpAborted;
    }
    return HttpSuccess;
}

HttpErrorIds SSLClient::readFinalHeader(SSLSession *session, std::string *pending, std::size_t *end)
{
    const std::size_t readSize = std::size_t(std::max(1, session->readBufferSize));
    const std::string step = "reading the response header from " + session->host;
    for (int interim = 0;; ++interim) {
        std::size_t scanned = 0;
        while ((*end = findHeaderEnd(pending->data(), pending->size(), &scanned))
               == std::string::npos) {
            if (pending->size() >= MaxHeaderSize)
                return failRequest(session, "The response header exceeds 65536 bytes");
            const std::size_t want = std::min(readSize, MaxHeaderSize + 1 - pending->size());
            if (m_receiveBuffer.getCapacity() < want && m_receiveBuffer.allocate(want) != 0)
                return failRequest(session, "Out of memory reading the response header");
            const long got = readSome(session, m_receiveBuffer.getData(), want, step.c_str());
            if (got < 0)
                return failRequest(session, {});
            if (got == 0)
                return failRequest(session,
                                   pending->empty() && interim == 0
                                       ? "The server closed the connection without answering"
                                       : "The server closed the connection inside the response "
                                         "header");
            pending->append(m_receiveBuffer.getData(), std::size_t(got));
        }
        if (*end > MaxHeaderSize)
            return failRequest(session, "The response header exceeds 65536 bytes");
        // 1xx answers come before the real one (RFC 9110, 15.2); 101 would change protocols.
        const int status = parseStatusLine(firstLine(std::string_view(*pending).substr(0, *end)));
        if (status < 100 || status >= 200)
            return HttpSuccess;
        if (status == 101)
            return failRequest(session,
                               "The server switched to another protocol (101), which "
                               "this client does not speak");
        if (interim == MaxInterimAnswers)
            return failRequest(session,
                               "The server sent more than " + std::to_string(MaxInterimAnswers)
                                   + " interim (1xx) answers");
        pending->erase(0, *end);
    }
}

std::string SSLClient::bodyTooLargeText() const
{
    return "The response body is larger than " + std::to_string(m_maxBody)
        + " bytes, the most this request accepts";
}

bool SSLClient::parseHeader(const char *data, std::size_t length, bool followRedirects,
                            bool *lengthConflict)
{
    const std::string_view block(data, length);
    bool first = true;
    for (std::size_t start = 0; start < block.size();) {
        const std::size_t lineEnd = std::min(block.find('\n', start), block.size() - 1) + 1;
        const std::string_view raw = block.substr(start, lineEnd - start);
        start = lineEnd;
        std::string_view line = raw;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        if (line.empty())
            break;
        if (first) {
            // Only this line sets the status.
            m_status = parseStatusLine(line);
            if (m_status < 0) {
                m_status = 0;
                return false;
            }
            first = false;
        } else if (line.front() != ' ' && line.front() != '\t') {
            const std::size_t colon = line.find(':');
            if (colon != std::string_view::npos && colon > 0) {
                const std::string name(line.substr(0, colon));
                const std::string value(trimmed(line.substr(colon + 1)));
                const auto known = m_headers.find(name);
                // Two lengths that differ leave no way to know where the body ends.
                if (lengthConflict && known != m_headers.end() && known->second != value
                    && strcasecmp(name.c_str(), "Content-Length") == 0)
                    *lengthConflict = true;
                m_headers[name] = value;
            }
        }
        if (m_headerCallback && !(followRedirects && isRedirect(m_status)))
            m_headerCallback(raw.data(), 1, raw.size(), m_headerUserData);
    }
    return !first;
}

bool SSLClient::takeBody(const char *data, std::size_t length)
{
    switch (m_framing) {
    case Framing::None:
        return true;
    case Framing::Chunked:
        if (!m_chunks.feed(data, length, deliverChunk, this)) {
            m_errorText = m_chunks.errorText();
            return false;
        }
        return true;
    case Framing::Length:
        // Bytes beyond the announced length are not part of the body.
        length = std::size_t(std::min<std::uint64_t>(length, m_remaining));
        m_remaining -= length;
        return deliver(data, length);
    case Framing::UntilClose:
        return deliver(data, length);
    }
    return false;
}

bool SSLClient::deliverChunk(const char *data, std::size_t length, void *client)
{
    return static_cast<SSLClient *>(client)->deliver(data, length);
}

bool SSLClient::deliver(const char *data, std::size_t length)
{
    if (length == 0 || m_withheld || m_bodyCut)
        return true;
    // The bytes up to the bound go through whatever the size of the reads, so that
    // what a writer sees does not depend on how the answer was cut into packets.
    bool beyond = false;
    if (m_maxBody && length > m_maxBody - m_bytesReceived) {
        length = std::size_t(m_maxBody - m_bytesReceived);
        beyond = true;
    }
    m_bytesReceived += length;
    // A writer that takes less would silently lose part of the body.
    if (length && m_writeCallback && m_writeCallback(data, 1, length, m_writeUserData) != length) {
        m_errorText = "Writing the body failed";
        return false;
    }
    if (length && m_secondWriteCallback && m_secondWriteUserData
        && m_secondWriteCallback(data, 1, length, m_secondWriteUserData) != length) {
        m_errorText = "Writing the body failed";
        return false;
    }
    if (beyond && m_truncateBody) {
        m_bodyCut = true;
    } else if (beyond) {
        m_bodyTooLarge = true;
        m_errorText = bodyTooLargeText();
        return false;
    }
    return true;
}

bool SSLClient::progressAllowed()
{
    return !m_progressCallback
        || m_progressCallback(m_progressUserData, 0, double(m_bytesReceived), 0, 0) != -1;
}

bool SSLClient::bodyComplete() const
{
    switch (m_framing) {
    case Framing::None:
        return true;
    case Framing::Length:
        return m_remaining == 0;
    case Framing::Chunked:
        return m_chunks.isDone();
    case Framing::UntilClose:
        return false;
    }
    return true;
}

void SSLClient::readBody(SSLSession *session, HttpErrorIds *outcome)
{
    const std::size_t readSize = std::size_t(std::max(1, session->readBufferSize));
    if (m_receiveBuffer.getCapacity() < readSize && m_receiveBuffer.allocate(readSize) != 0) {
        *outcome = failRequest(session, "Out of memory reading the response body");
        return;
    }
    const std::string step = "reading the response body from " + session->host;
    while (!bodyComplete() && !m_bodyCut) {
        const long got = readSome(session, m_receiveBuffer.getData(), readSize, step.c_str());
        if (got < 0) {
            *outcome = failRequest(session, {});
            return;
        }
        if (got == 0)
            break;
        if (!takeBody(m_receiveBuffer.getData(), std::size_t(got))) {
            *outcome = failRequest(session, {});
            return;
        }
        if (!progressAllowed()) {
            disconnect(session);
            *outcome = HttpAborted;
            return;
        }
        if (session->readDelay > 0)
            ztpm::sleep(unsigned(session->readDelay));
    }
    if (m_bodyCut) {
        // Enough was read: the rest is not wanted, and the connection closes on it.
        *outcome = statusOutcome();
        return;
    }
    if (m_framing == Framing::Chunked && !m_chunks.isDone()) {
        *outcome = failRequest(session, "The connection closed inside a chunked body");
        return;
    }
    if (m_framing == Framing::Length && m_remaining > 0) {
        *outcome = failRequest(session,
                               "The connection closed " + std::to_string(m_remaining)
                                   + " bytes before the end of the body");
        return;
    }
    *outcome = statusOutcome();
}

void SSLClient::disconnect(SSLSession *session)
{
    SigPipeBlocker blocker;
    if (session->ssl) {
        // Only a finished handshake may be shut down; a failed one is just dropped.
        if (SSL_is_init_finished(session->ssl)) {
            ERR_set_mark();
            SSL_shutdown(session->ssl);
            ERR_pop_to_mark();
        }
        SSL_free(session->ssl);
        session->ssl = nullptr;
        session->bio = nullptr;
    } else if (session->bio) {
        BIO_free_all(session->bio);
        session->bio = nullptr;
    }
    releaseContext(session);
}

} // namespace ztsc
