// SPDX-License-Identifier: LGPL-2.1-or-later
#include "chunkeddecoder_p.h"

#include <algorithm>
#include <cstring>

namespace ztsc {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool ChunkedDecoder::fail(const std::string &reason)
{
    m_state = Failed;
    m_error = reason;
    return false;
}

// "size [; extension]" with the line end already taken off.
bool ChunkedDecoder::endSizeLine()
{
    std::size_t i = 0;
    std::uint64_t size = 0;
    for (; i < m_line.size() && hexValue(m_line[i]) >= 0; ++i) {
        if (size > (UINT64_MAX >> 4))
            return fail("Malformed chunk: size too large");
        size = (size << 4) | std::uint64_t(hexValue(m_line[i]));
    }
    if (i == 0)
        return fail("Malformed chunk: no size in \"" + m_line.substr(0, 64) + "\"");
    while (i < m_line.size() && (m_line[i] == ' ' || m_line[i] == '\t'))
        ++i;
    if (i < m_line.size() && m_line[i] != ';')
        return fail("Malformed chunk: no size in \"" + m_line.substr(0, 64) + "\"");
    m_line.clear();
    m_remaining = size;
    m_state = size ? Data : Trailer;
    return true;
}

bool ChunkedDecoder::feed(const char *data, std::size_t length, Sink sink, void *context)
{
    std::size_t i = 0;
    while (i < length) {
        switch (m_state) {
        case Done:
            return true;
        case Failed:
            return false;
        case Data: {
            const std::size_t take = std::size_t(std::min<std::uint64_t>(m_remaining, length - i));
            if (!sink(data + i, take, context))
                return fail("Writing the body failed");
            i += take;
            m_remaining -= take;
            if (m_remaining == 0)
                m_state = DataEnd;
            break;
        }
        case DataEnd:
        case DataEndLf: {
            const char c = data[i++];
            if (c == '\n')
                m_state = SizeLine;
            else if (c == '\r' && m_state == DataEnd)
                m_state = DataEndLf;
            else
                return fail("Malformed chunk: no line end after the data");
            break;
        }
        case SizeLine:
        case Trailer: {
            const char *end = static_cast<const char *>(std::memchr(data + i, '\n', length - i));
            const std::size_t take = (end ? std::size_t(end - data) : length) - i;
            if (m_line.size() + take > MaxLineLength)
                return fail(m_state == SizeLine ? "Malformed chunk: size line too long"
                                                : "Malformed chunk: trailer line too long");
            m_line.append(data + i, take);
            i += take;
            if (!end)
                break;
            ++i; // the "\n"
            if (!m_line.empty() && m_line.back() == '\r')
                m_line.pop_back();
            if (m_state == SizeLine) {
                if (!endSizeLine())
                    return false;
            } else if (m_line.empty()) {
                m_state = Done;
            } else {
                m_line.clear(); // a trailer field: not wanted
            }
            break;
        }
        }
    }
    return m_state != Failed;
}

} // namespace ztsc
