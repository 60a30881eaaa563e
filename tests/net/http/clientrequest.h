// SPDX-License-Identifier: LGPL-2.1-or-later
// One request through the HTTP engine, as the engine and transport tests make them.
#pragma once

#include "net/http/sslclient_p.h"
#include "net/http/sslsession_p.h"

#include <QByteArray>
#include <QString>

namespace HttpTest {

struct Request
{
    QString url = {};
    QByteArray environment = "LOCALHOST";
    bool secureMode = false;
    int sslMethod = 2;
    int maxRedirects = 1;
    int timeout = 5000;
    int deadline = 0;
    std::uint64_t maxBodySize = 0;
    bool truncateBody = false;
    std::time_t ifModifiedSince = 0;
    QByteArray post = {}; // null: a GET
    QString crlFile = {};
    QString certificateFile = {};
    QByteArray keyPassword = {};
    QByteArray proxyHost = {};
    int proxyPort = 0;
    ztsc::SSLClient::ProgressCallback progress = nullptr;
};

struct Result
{
    ztsc::HttpErrorIds outcome = ztsc::HttpAborted;
    int status = 0;
    QByteArray body;
    QByteArray headers; // what the header callback received
    QString error;
};

inline std::size_t collect(const void *data, std::size_t size, std::size_t count, void *into)
{
    static_cast<QByteArray *>(into)->append(static_cast<const char *>(data),
                                            qsizetype(size * count));
    return size * count;
}

inline Result send(const Request &request)
{
    ztsc::SSLClient client(request.environment.toStdString());
    ztsc::SSLSession session;
    session.secureMode = request.secureMode;
    session.maxRedirects = request.maxRedirects;
    session.timeout = request.timeout;
    session.deadline = request.deadline;
    session.maxBodySize = request.maxBodySize;
    session.truncateBody = request.truncateBody;
    session.userAgent = "UA";
    session.certificateFile = request.certificateFile.toStdString();
    session.keyPassword = request.keyPassword.toStdString();
    session.proxyHost = request.proxyHost.toStdString();
    session.proxyPort = request.proxyPort;
    Result result;
    if (!request.crlFile.isEmpty() && !session.setCrlFile(request.crlFile.toStdString())) {
        result.error = QStringLiteral("cannot load ") + request.crlFile;
        return result;
    }
    client.setWriteCallback(collect, &result.body);
    client.setHeaderCallback(collect, &result.headers);
    client.setProgressCallback(request.progress, nullptr);
    const std::string url = request.url.toStdString();
    if (request.post.isNull())
        client.get(url, request.ifModifiedSince, &result.outcome, &session, "text/xml", {},
                   request.sslMethod);
    else
        client.post(url, &session, request.post.toStdString(), true, &result.outcome, "text/xml",
                    {}, request.sslMethod);
    client.collectErrors();
    result.status = client.getStatus();
    result.error = QString::fromStdString(client.getErrorText());
    return result;
}

} // namespace HttpTest
