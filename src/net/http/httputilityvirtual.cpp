// SPDX-License-Identifier: LGPL-2.1-or-later
#include "httputilityvirtual.h"

#include "httpfunctions.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ztsc {

namespace {

// Grows by doubling, so that a body arriving in many pieces is copied a bounded
// number of times; a zero byte follows the content.
bool appendBlock(char *&data, std::size_t &length, std::size_t &capacity, const void *bytes,
                 std::size_t count)
{
    if (count > SIZE_MAX - length - 1)
        return false;
    if (length + count + 1 > capacity) {
        const std::size_t wanted = std::max({length + count + 1, capacity * 2, std::size_t(256)});
        char *grown = static_cast<char *>(std::realloc(data, wanted));
        if (!grown)
            return false;
        data = grown;
        capacity = wanted;
    }
    if (count)
        std::memcpy(data + length, bytes, count);
    length += count;
    data[length] = '\0';
    return true;
}

// A body or header writer of the client that appends to one of the facade's blocks.
std::size_t writeWith(HttpUtilityVirtual *facade,
                      bool (HttpUtilityVirtual::*append)(const void *, std::size_t),
                      const void *data, std::size_t size, std::size_t count)
{
    if (!facade || (count && size > SIZE_MAX / count))
        return 0;
    return (facade->*append)(data, size * count) ? size * count : 0;
}

} // namespace

HttpUtilityVirtual::HttpUtilityVirtual()
    : m_responseType(s_textXml)
{ }

HttpUtilityVirtual::~HttpUtilityVirtual()
{
    std::free(m_responseData);
    std::free(m_extraData);
}

std::string HttpUtilityVirtual::checkResponse(const std::string &response, bool checkForHtml,
                                              bool *ok, int *isHtml)
{
    const std::string text = trimLineEnd(response);
    if (!checkForHtml) {
        *ok = true;
        const std::string error = getLastErrorText();
        return error.empty() ? text : error;
    }
    if (text.compare(0, 14, "<!DOCTYPE HTML") == 0) {
        *isHtml = 1;
        *ok = false;
    } else {
        *ok = true;
    }
    return text;
}

bool HttpUtilityVirtual::checkResponse(char *response, std::size_t *length, bool checkForHtml,
                                       std::string *failureText)
{
    *length = trimLineEnd(response, *length);
    if (!checkForHtml) {
        *failureText = getLastErrorText();
        return failureText->empty();
    }
    if (*length >= 14 && std::memcmp(response, "<!DOCTYPE HTML", 14) == 0) {
        *failureText = "Server returned HTML";
        return false;
    }
    return true;
}

std::string HttpUtilityVirtual::getResponse()
{
    ztpm::MutexLock lock(&m_lock);
    return m_responseData ? std::string(m_responseData, m_responseLength) : std::string();
}

std::string HttpUtilityVirtual::getExtraData()
{
    ztpm::MutexLock lock(&m_lock);
    return m_extraData ? std::string(m_extraData, m_extraLength) : std::string();
}

void HttpUtilityVirtual::releaseExtraData()
{
    ztpm::MutexLock lock(&m_lock);
    std::free(m_extraData);
    m_extraData = nullptr;
    m_extraLength = 0;
    m_extraCapacity = 0;
}

void HttpUtilityVirtual::releaseResponse()
{
    ztpm::MutexLock lock(&m_lock);
    std::free(m_responseData);
    m_responseData = nullptr;
    m_responseLength = 0;
    m_responseCapacity = 0;
}

bool HttpUtilityVirtual::appendResponse(const void *data, std::size_t length)
{
    ztpm::MutexLock lock(&m_lock);
    return appendBlock(m_responseData, m_responseLength, m_responseCapacity, data, length);
}

bool HttpUtilityVirtual::appendExtraData(const void *data, std::size_t length)
{
    ztpm::MutexLock lock(&m_lock);
    return appendBlock(m_extraData, m_extraLength, m_extraCapacity, data, length);
}

std::size_t HttpUtilityVirtual::writeResponse(const void *data, std::size_t size, std::size_t count,
                                              void *facade)
{
    return writeWith(static_cast<HttpUtilityVirtual *>(facade), &HttpUtilityVirtual::appendResponse,
                     data, size, count);
}

std::size_t HttpUtilityVirtual::writeExtraData(const void *data, std::size_t size,
                                               std::size_t count, void *facade)
{
    return writeWith(static_cast<HttpUtilityVirtual *>(facade),
                     &HttpUtilityVirtual::appendExtraData, data, size, count);
}

void HttpUtilityVirtual::setLastResponse(int status, const std::string &headers)
{
    ztpm::MutexLock lock(&m_lock);
    m_lastStatus = status;
    m_lastHeaders = headers;
}

int HttpUtilityVirtual::getLastStatus()
{
    ztpm::MutexLock lock(&m_lock);
    return m_lastStatus;
}

std::string HttpUtilityVirtual::getLastHeaders()
{
    ztpm::MutexLock lock(&m_lock);
    return m_lastHeaders;
}

std::string HttpUtilityVirtual::getResponseType()
{
    ztpm::MutexLock lock(&m_lock);
    return m_responseType;
}

void HttpUtilityVirtual::setResponseType(const std::string &type)
{
    ztpm::MutexLock lock(&m_lock);
    m_responseType = type;
}

void HttpUtilityVirtual::getDownloadProgress(double *received, double *total, int *percent)
{
    ztpm::MutexLock lock(&m_lock);
    if (received)
        *received = m_progressReceived;
    if (total)
        *total = m_progressTotal;
    if (percent)
        *percent = m_progressPercent;
}

bool HttpUtilityVirtual::isDownloading()
{
    ztpm::MutexLock lock(&m_lock);
    return m_downloading != 0;
}

void HttpUtilityVirtual::cancelDownload()
{
    ztpm::MutexLock lock(&m_lock);
    m_cancelRequested = 1;
}

void HttpUtilityVirtual::beginDownload(double total)
{
    ztpm::MutexLock lock(&m_lock);
    m_progressReceived = 0;
    m_progressTotal = total;
    m_progressPercent = 0;
    m_cancelRequested = 0;
    m_downloading = 1;
}

void HttpUtilityVirtual::endDownload()
{
    ztpm::MutexLock lock(&m_lock);
    m_downloading = 0;
}

int HttpUtilityVirtual::reportProgress(void *facade, double, double received, double, double)
{
    auto *self = static_cast<HttpUtilityVirtual *>(facade);
    double total;
    {
        ztpm::MutexLock lock(&self->m_lock);
        self->m_progressReceived = received;
        total = self->m_progressTotal;
        self->m_progressPercent = total > 0 ? int(std::min(100.0, received * 100 / total)) : 0;
    }
    // The listener may cancel from here as well as from another thread.
    self->progressChanged(received, total);
    ztpm::MutexLock lock(&self->m_lock);
    return self->m_cancelRequested ? -1 : 0;
}

} // namespace ztsc
