// SPDX-License-Identifier: LGPL-2.1-or-later
#include "httpsslutility.h"

#include "httpfunctions.h"
#include "sslclient_p.h"
#include "sslsession_p.h"

#include "net/platform/file.h"

#include <cerrno>
#include <cstring>

namespace ztsc {

namespace {

const char s_userAgent[] = "Zentrix Player 2.0";
constexpr int s_sslMethod = 2;

} // namespace

HttpSSLUtility::HttpSSLUtility() = default;

HttpSSLUtility::~HttpSSLUtility() = default;

void HttpSSLUtility::setEnvironment(const std::string &environment)
{
    m_environment = environment;
}

void HttpSSLUtility::progressChanged(double, double) { }

std::string HttpSSLUtility::getLastErrorText()
{
    return m_lastErrorText;
}

HttpErrorIds HttpSSLUtility::getLastErrorId()
{
    return m_lastErrorId;
}

void HttpSSLUtility::prepare(SSLSession &session, bool secureMode, int maxRedirects) const
{
    session.reset();
    session.tag = m_tag;
    session.certificateFile = m_certificateFile;
    session.keyPassword = m_keyPassword;
    session.secureMode = secureMode;
    session.maxRedirects = maxRedirects;
    session.userAgent = s_userAgent;
    session.proxyPort = m_proxyPort;
    session.proxyHost = m_proxyHost;
    session.timeout = m_timeout;
    session.deadline = m_deadline;
}

void HttpSSLUtility::finish(HttpErrorIds outcome, SSLClient &client)
{
    client.collectErrors();
    // What arrived of a body that was too large is of no use to anyone.
    if (client.bodyTooLarge())
        releaseResponse();
    m_lastErrorId = outcome;
    m_lastErrorText = client.getErrorText();
    setLastResponse(client.getStatus(), client.getHeaderBlock());
}

HttpSSLUtility::Response HttpSSLUtility::get(const std::string &url, std::time_t ifModifiedSince,
                                             bool secureMode, HttpErrorIds *outcome,
                                             std::time_t *lastModified)
{
    releaseResponse();
    SSLClient client(m_environment);
    SSLSession session;
    prepare(session, secureMode, 1);
    if (m_discardBody) {
        session.maxBodySize = m_discardBody;
        session.truncateBody = true;
    } else {
        session.maxBodySize = m_maxResponseSize;
        client.setWriteCallback(writeResponse, this);
    }
    HttpErrorIds result = HttpFailure;
    client.get(url, ifModifiedSince, &result, &session, getResponseType(), std::string(),
               s_sslMethod);
    finish(result, client);
    if (ifModifiedSince > 0 && lastModified)
        *lastModified = parseHttpDate(client.getHeader("Last-Modified"));
    if (outcome)
        *outcome = result;
    ztpm::MutexLock lock(&m_lock);
    return {m_responseData, m_responseLength};
}

std::string HttpSSLUtility::getContentLength(const std::string &url, bool secureMode,
                                             HttpErrorIds *outcome)
{
    releaseResponse();
    releaseExtraData();
    SSLClient client(m_environment);
    SSLSession session;
    client.setHeaderCallback(writeExtraData, this);
    client.setWriteCallback(writeResponse, this);
    client.setOwner(this);
    HttpErrorIds result = HttpFailure;
    std::int64_t deadlineAt = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        releaseExtraData();
        prepare(session, secureMode, 1);
        // The repeat shares the first request's deadline.
        session.deadlineAt = deadlineAt;
        session.startDeadline();
        deadlineAt = session.deadlineAt;
        client.head(url, 0, &result, &session, getResponseType(), std::string(), s_sslMethod);
        if (client.getStatus() != 304)
            break;
    }
    finish(result, client);
    if (outcome)
        *outcome = result;
    return client.getHeader("Content-Length");
}

HttpSSLUtility::Response HttpSSLUtility::postForm(const std::string &url, const std::string &body,
                                                  bool encrypted, bool usePost, bool secureMode,
                                                  HttpErrorIds *outcome)
{
    releaseResponse();
    const std::string encoded = percentEncode(body.data(), body.size());
    std::string target = url;
    if (!usePost && !encoded.empty())
        target += (url.find('?') == std::string::npos ? "?" : "&") + encoded;
    SSLClient client(m_environment);
    SSLSession session;
    prepare(session, secureMode, 1);
    session.maxBodySize = m_maxResponseSize;
    client.setWriteCallback(writeResponse, this);
    client.setOwner(this);
    HttpErrorIds result = HttpFailure;
    client.post(target, &session, encoded, usePost, &result, getResponseType(),
                std::string("encrypted: ") + (encrypted ? "true" : "false"), s_sslMethod);
    finish(result, client);
    if (outcome)
        *outcome = result;
    ztpm::MutexLock lock(&m_lock);
    return {m_responseData, m_responseLength};
}

HttpErrorIds HttpSSLUtility::checkUrl(const std::string &url, bool secureMode)
{
    releaseResponse();
    SSLClient client(m_environment);
    SSLSession session;
    prepare(session, secureMode, 10);
    HttpErrorIds result = HttpFailure;
    client.head(url, 0, &result, &session, getResponseType(), std::string(), s_sslMethod);
    finish(result, client);
    return result;
}

HttpErrorIds HttpSSLUtility::download(const std::string &url, ztpm::File *file, bool secureMode,
                                      std::time_t *lastModified)
{
    releaseResponse();
    if (lastModified)
        *lastModified = 0;
    if (!file) {
        m_lastErrorId = HttpFailure;
        m_lastErrorText = "No valid stream provided for writing";
        return m_lastErrorId;
    }
    SSLSession session;
    HttpErrorIds result = HttpFailure;
    double total = 0;
    std::string modified;
    std::int64_t deadlineAt = 0;
    {
        SSLClient probe(m_environment);
        prepare(session, secureMode, 1);
        // One deadline for the HEAD and the GET.
        session.startDeadline();
        deadlineAt = session.deadlineAt;
        probe.head(url, 0, &result, &session, getResponseType(), std::string(), s_sslMethod);
        if (result != HttpSuccess) {
            finish(result, probe);
            file->close();
            return result;
        }
        total = double(toUInt64(probe.getHeader("Content-Length")));
        modified = probe.getHeader("Last-Modified");
    }
    SSLClient client(m_environment);
    prepare(session, secureMode, 1);
    session.deadlineAt = deadlineAt;
    session.maxBodySize = m_maxDownloadSize;
    client.setWriteCallback(writeToFile, file);
    client.setProgressCallback(reportProgress, this);
    beginDownload(total);
    client.get(url, 0, &result, &session, getResponseType(), std::string(), s_sslMethod);
    endDownload();
    const bool closed = file->close() == 0;
    const int closeError = errno;
    finish(result, client);
    if (!closed && result == HttpSuccess) {
        // The last writes may fail only now: the body is not on the disk.
        result = m_lastErrorId = HttpFailure;
        m_lastErrorText = std::string("Closing the file failed: ") + std::strerror(closeError);
    }
    if (lastModified)
        *lastModified = parseHttpDate(modified);
    return result;
}

} // namespace ztsc
