// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace ztsc {

/*!
    Decodes the chunked transfer coding incrementally: feed it the body bytes as
    they arrive, in pieces of any size; it hands the data of each chunk to a sink
    and drops sizes, extensions and trailers. Line ends may be CR LF or LF.
*/
class MAVLIBRARY_INTERNAL_EXPORT ChunkedDecoder
{
public:
    //! Takes \a length bytes of body data; false stops the decoder with an error.
    using Sink = bool (*)(const char *data, std::size_t length, void *context);

    enum State { SizeLine, Data, DataEnd, DataEndLf, Trailer, Done, Failed };

    /*!
        Consumes \a length bytes. Returns false when they are malformed (or the sink
        refused data); errorText() says why. Bytes after the last chunk's trailer
        are ignored.
    */
    bool feed(const char *data, std::size_t length, Sink sink, void *context);

    State state() const { return m_state; }
    bool isDone() const { return m_state == Done; }
    std::string errorText() const { return m_error; }

    //! Longest size or trailer line accepted.
    static constexpr std::size_t MaxLineLength = 8192;

private:
    bool fail(const std::string &reason);
    bool endSizeLine();

    State m_state = SizeLine;
    std::string m_line;
    std::uint64_t m_remaining = 0;
    std::string m_error;
};

} // namespace ztsc
