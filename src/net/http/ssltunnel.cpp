// SPDX-License-Identifier: LGPL-2.1-or-later
//
// The CONNECT tunnel through a proxy, before TLS starts on it.
#include "sslconnect_p.h"

#include "sslsession_p.h"

#include <string>

namespace ztsc {

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

} // namespace ztsc
