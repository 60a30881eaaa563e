// SPDX-License-Identifier: LGPL-2.1-or-later
#include "utfconversion.h"

#include <cstdint>

namespace ztds {

namespace {

constexpr char32_t Replacement = 0xFFFD;

inline bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Calls sink(code point) for every code point of the text; false on an illegal or
// truncated sequence. Surrogates and values above U+10FFFF that are otherwise
// well formed arrive as U+FFFD.
template<typename Sink>
bool decodeUtf8(std::string_view in, Sink &&sink)
{
    const auto *p = reinterpret_cast<const unsigned char *>(in.data());
    const auto *end = p + in.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            sink(char32_t(b));
            ++p;
            continue;
        }
        int trailing;
        char32_t cp;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            trailing = 1;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            trailing = 2;
            cp = b & 0x0F;
            if (b == 0xE0)
                low = 0xA0; // below: overlong
        } else if (b >= 0xF0 && b <= 0xF7) {
            trailing = 3;
            cp = b & 0x07;
            if (b == 0xF0)
                low = 0x90; // below: overlong
        } else {
            return false; // stray continuation byte, C0/C1 overlong lead, F8 and above
        }
        if (end - p <= trailing)
            return false;
        if (p[1] < low || p[1] > high)
            return false;
        for (int i = 1; i <= trailing; ++i) {
            if (!isContinuation(p[i]))
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        p += trailing + 1;
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            cp = Replacement;
        sink(cp);
    }
    return true;
}

inline void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

// Encodes a sequence of UTF-16 units (or wide characters that may hold surrogate
// halves) as UTF-8 with the pairing rules of the header.
template<typename UnitAt>
bool encodeUnits(std::size_t count, UnitAt unitAt, std::string &out)
{
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t c = unitAt(i);
        if (c < 0x80) {
            out.push_back(char(c));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 == count)
                return false;
            const std::uint32_t next = unitAt(i + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
                ++i;
            }
        } else if (c > 0x10FFFF) {
            c = Replacement;
        }
        appendUtf8(out, char32_t(c));
    }
    return true;
}

template<typename String>
String failed(bool *ok)
{
    if (ok)
        *ok = false;
    return String();
}

template<typename String>
String succeeded(String &&s, bool *ok)
{
    if (ok)
        *ok = true;
    return std::move(s);
}

} // namespace

std::wstring utf8ToWide(std::string_view utf8, bool *ok)
{
    std::wstring out;
    out.resize(utf8.size());
    wchar_t *w = out.data();
    if (!decodeUtf8(utf8, [&w](char32_t cp) { *w++ = wchar_t(cp); }))
        return failed<std::wstring>(ok);
    out.resize(std::size_t(w - out.data()));
    return succeeded(std::move(out), ok);
}

std::string wideToUtf8(std::wstring_view wide, bool *ok)
{
    std::string out;
    out.reserve(wide.size() + wide.size() / 2);
    const auto unitAt = [wide](std::size_t i) { return std::uint32_t(wide[i]); };
    if (!encodeUnits(wide.size(), unitAt, out))
        return failed<std::string>(ok);
    return succeeded(std::move(out), ok);
}

std::string utf8ToUtf16LE(std::string_view utf8, bool *ok)
{
    std::string out;
    out.reserve(utf8.size() * 2);
    const auto put = [&out](char32_t unit) {
        out.push_back(char(unit & 0xFF));
        out.push_back(char(unit >> 8));
    };
    const bool decoded = decodeUtf8(utf8, [&put](char32_t cp) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    });
    if (!decoded)
        return failed<std::string>(ok);
    return succeeded(std::move(out), ok);
}

std::string utf16LEToUtf8(std::string_view utf16le, bool *ok)
{
    std::string out;
    out.reserve(utf16le.size());
    const auto *bytes = reinterpret_cast<const unsigned char *>(utf16le.data());
    const auto unitAt = [bytes](std::size_t i) {
        return std::uint32_t(bytes[2 * i]) | (std::uint32_t(bytes[2 * i + 1]) << 8);
    };
    if (!encodeUnits(utf16le.size() / 2, unitAt, out))
        return failed<std::string>(ok);
    return succeeded(std::move(out), ok);
}

} // namespace ztds
