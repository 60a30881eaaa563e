// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>
#include <MavLibrary/net/http/httperrorids.h>
#include <MavLibrary/net/platform/mutex.h>

#include <cstddef>
#include <string>

namespace ztsc {

/*!
    The facade of the HTTP client: holds the response of the last operation, the
    header lines a HEAD request collected, and the progress of a download.

    The response block belongs to the facade: it stays valid until the next
    operation or the facade's destruction. One thread runs the operations; other
    threads may read the progress figures, cancel a download, and read the
    response (through the copying getters) at any time.
*/
class MAVLIBRARY_EXPORT HttpUtilityVirtual
{
public:
    HttpUtilityVirtual();
    virtual ~HttpUtilityVirtual();

    HttpUtilityVirtual(const HttpUtilityVirtual &) = delete;
    HttpUtilityVirtual &operator=(const HttpUtilityVirtual &) = delete;

    //! Selects the built-in key material by name; empty means "PRODUCTION".
    virtual void setEnvironment(const std::string &environment) = 0;
    //! Called on the operating thread after each piece of a download (total 0: unknown).
    virtual void progressChanged(double received, double total) = 0;

    /*!
        Returns \a response without its line end. With \a checkForHtml off, sets
        \a ok and returns the last error text instead when there is one. With it on,
        a response starting with "<!DOCTYPE HTML" sets \a isHtml to 1 and clears
        \a ok; anything else sets \a ok.
    */
    virtual std::string checkResponse(const std::string &response, bool checkForHtml, bool *ok,
                                      int *isHtml);
    virtual std::string getLastErrorText() = 0;
    virtual HttpErrorIds getLastErrorId() = 0;

    /*!
        The byte form: trims the line end of \a response in place (updating
        \a length), puts the reason into \a failureText ("Server returned HTML", or
        with \a checkForHtml off the last error text) and returns whether the
        response is usable.
    */
    bool checkResponse(char *response, std::size_t *length, bool checkForHtml,
                       std::string *failureText);

    //! A copy of the response block of the last operation.
    std::string getResponse();
    //! A copy of what a HEAD request collected: the header lines of the final response.
    std::string getExtraData();
    //! Frees the HEAD block; the engine does so before it follows a redirect.
    void releaseExtraData();

    //! The status code of the last response (0 when none was read).
    int getLastStatus();
    //! The header block of the last response, status line included.
    std::string getLastHeaders();

    //! The response type sent in the "responseType" request header ("text/xml").
    std::string getResponseType();
    void setResponseType(const std::string &type);

    //! Progress of the running or last download; \a total is 0 while unknown.
    void getDownloadProgress(double *received, double *total, int *percent);
    bool isDownloading();
    //! Makes the running download stop with HttpAborted at its next piece.
    void cancelDownload();

protected:
    //! Frees the response block; every operation starts with it.
    void releaseResponse();
    //! Appends to the response block (amortised doubling); false when memory is short.
    bool appendResponse(const void *data, std::size_t length);
    bool appendExtraData(const void *data, std::size_t length);
    void setLastResponse(int status, const std::string &headers);

    // Body and header writers for the client: \a facade is the HttpUtilityVirtual.
    static std::size_t writeResponse(const void *data, std::size_t size, std::size_t count,
                                     void *facade);
    static std::size_t writeExtraData(const void *data, std::size_t size, std::size_t count,
                                      void *facade);
    // Progress of a download; returns -1 when it was cancelled.
    static int reportProgress(void *facade, double, double received, double, double);

    void beginDownload(double total);
    void endDownload();

    int m_reserved = 0;
    ztpm::Mutex m_lock;
    char *m_responseData = nullptr;
    std::size_t m_responseLength = 0;
    std::size_t m_responseCapacity = 0;
    char *m_extraData = nullptr;
    std::size_t m_extraLength = 0;
    std::size_t m_extraCapacity = 0;
    double m_progressReceived = 0;
    double m_progressTotal = 0;
    int m_progressPercent = 0;
    int m_cancelRequested = 0;
    std::string m_responseType;
    std::string m_lastHeaders;
    int m_downloading = 0;
    int m_lastStatus = 0;
};

} // namespace ztsc
