// SPDX-License-Identifier: LGPL-2.1-or-later
// libFuzzer target for the response reading of the HTTP client (status line,
// header lines, body framing, chunked decoding), fed through a memory BIO. The
// first byte chooses a read size and a bound on the body: whatever the input,
// reading never crashes, and reading it in small pieces gives the same result as
// in whole reads.
#include "net/http/httpfunctions.h"
#include "net/http/sslclient_p.h"
#include "net/http/sslsession_p.h"

#include <openssl/bio.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Reading
{
    ztsc::HttpErrorIds outcome = ztsc::HttpAborted;
    int status = 0;
    std::string headerBlock;
    std::string body;
    std::string contentLength;
    std::string transferEncoding;
};

std::size_t append(const void *data, std::size_t size, std::size_t count, void *body)
{
    static_cast<std::string *>(body)->append(static_cast<const char *>(data), size * count);
    return size * count;
}

Reading read(const std::uint8_t *data, std::size_t size, int readSize, std::uint64_t limit)
{
    ztsc::SSLClient client("LOCALHOST");
    ztsc::SSLSession session;
    session.readBufferSize = readSize;
    session.maxBodySize = limit;
    session.bio = BIO_new_mem_buf(data, int(size));
    BIO_set_mem_eof_return(session.bio, 0);
    Reading reading;
    client.setWriteCallback(append, &reading.body);
    reading.outcome = client.readHeaders(&session, true);
    if (reading.outcome == ztsc::HttpSuccess)
        client.readBody(&session, &reading.outcome);
    client.disconnect(&session);
    reading.status = client.getStatus();
    reading.headerBlock = client.getHeaderBlock();
    reading.contentLength = client.getHeader("Content-Length");
    reading.transferEncoding = client.getHeader("Transfer-Encoding");
    return reading;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1 || size > (1 << 20))
        return 0;
    const int readSize = 1 + data[0] % 32;
    // The high bit bounds the body: no answer may get more through.
    const std::uint64_t limit = data[0] & 0x80 ? 100 : 0;
    const Reading whole = read(data + 1, size - 1, 4096, limit);
    const Reading pieces = read(data + 1, size - 1, readSize, limit);
    if (whole.outcome != pieces.outcome || whole.status != pieces.status
        || whole.headerBlock != pieces.headerBlock || whole.body != pieces.body)
        std::abort();
    if (whole.headerBlock.size() > ztsc::SSLClient::MaxHeaderSize)
        std::abort();
    // Interim (1xx) answers are skipped, never taken for the answer.
    if (whole.outcome == ztsc::HttpSuccess && (whole.status < 200 || whole.status >= 300))
        std::abort();
    if (limit && whole.body.size() > limit)
        std::abort();
    // A body read to its announced length is exactly that long.
    bool known = false;
    const std::uint64_t length = ztsc::toUInt64(whole.contentLength, &known);
    if (whole.outcome == ztsc::HttpSuccess && known && whole.transferEncoding.empty()
        && whole.status >= 200 && whole.status != 204 && whole.body.size() != length)
        std::abort();
    return 0;
}
