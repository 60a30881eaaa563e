// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <curl/curl.h>

#include <string>

/*!
    A libcurl easy handle that GETs \a url as our client does for a ping: HTTP/1.0,
    a new connection each time, no TLS session reuse, no verification, the same
    headers, one redirect. Free it with ~CurlBaseline.
*/
class CurlBaseline
{
public:
    explicit CurlBaseline(const std::string &url)
        : m_handle(curl_easy_init())
        , m_headers(curl_slist_append(nullptr, "responseType: text/xml"))
    {
        curl_easy_setopt(m_handle, CURLOPT_URL, url.c_str());
        curl_easy_setopt(m_handle, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
        curl_easy_setopt(m_handle, CURLOPT_FORBID_REUSE, 1L);
        curl_easy_setopt(m_handle, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(m_handle, CURLOPT_SSL_SESSIONID_CACHE, 0L);
        curl_easy_setopt(m_handle, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(m_handle, CURLOPT_SSL_VERIFYHOST, 0L);
        curl_easy_setopt(m_handle, CURLOPT_USERAGENT, "Zentrix Player 2.0");
        curl_easy_setopt(m_handle, CURLOPT_HTTPHEADER, m_headers);
        curl_easy_setopt(m_handle, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(m_handle, CURLOPT_MAXREDIRS, 1L);
    }
    ~CurlBaseline()
    {
        curl_easy_cleanup(m_handle);
        curl_slist_free_all(m_headers);
    }
    CurlBaseline(const CurlBaseline &) = delete;
    CurlBaseline &operator=(const CurlBaseline &) = delete;

    CURL *handle() const { return m_handle; }
    //! Performs the GET; the status code, or 0 when the exchange failed.
    long perform()
    {
        long status = 0;
        if (curl_easy_perform(m_handle) != CURLE_OK
            || curl_easy_getinfo(m_handle, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK)
            return 0;
        return status;
    }

private:
    CURL *m_handle;
    curl_slist *m_headers;
};
