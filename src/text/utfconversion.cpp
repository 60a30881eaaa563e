// SPDX-License-Identifier: LGPL-2.1-or-later
#include "utfconversion.h"

#include <QtEndian>

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
template<typename Sink> bool decodeUtf8(std::string_view in, Sink &&sink)
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

// Writes one code point (at most U+10FFFF) at o.
inline char *putUtf8(char *o, char32_t cp)
{
    if (cp < 0x80) {
        *o++ = char(cp);
    } else if (cp < 0x800) {
        *o++ = char(0xC0 | (cp >> 6));
        *o++ = char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *o++ = char(0xE0 | (cp >> 12));
        *o++ = char(0x80 | ((cp >> 6) & 0x3F));
        *o++ = char(0x80 | (cp & 0x3F));
    } else {
        *o++ = char(0xF0 | (cp >> 18));
        *o++ = char(0x80 | ((cp >> 12) & 0x3F));
        *o++ = char(0x80 | ((cp >> 6) & 0x3F));
        *o++ = char(0x80 | (cp & 0x3F));
    }
    return o;
}

/*
    Encodes UTF-16 units (or wide characters that may hold surrogate halves) as
    UTF-8 with the pairing rules of the header into \a out, which holds one byte
    a unit at first: enough for ASCII. At the first other unit it grows to four
    bytes a unit left, the most any of them can take. At an ASCII unit \a asciiRun
    may write the run of ASCII units that starts there at once; it returns how
    many it wrote.
*/
template<typename UnitAt, typename AsciiRun>
bool encodeUnits(std::size_t count, UnitAt unitAt, AsciiRun asciiRun, std::string &out)
{
    out.resize(count);
    char *o = out.data();
    bool grown = false;
    std::size_t i = 0;
    while (i < count) {
        std::uint32_t c = unitAt(i);
        if (c < 0x80) {
            if (const std::size_t run = asciiRun(i, o)) {
                i += run;
                o += run;
            } else {
                *o++ = char(c);
                ++i;
            }
            continue;
        }
        ++i;
        if (!grown) {
            const std::size_t at = std::size_t(o - out.data());
            out.resize(at + 4 * (count - i + 1));
            o = out.data() + at;
            grown = true;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i == count)
                return false;
            const std::uint32_t next = unitAt(i);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
                ++i;
            }
        } else if (c > 0x10FFFF) {
            c = Replacement;
        }
        o = putUtf8(o, char32_t(c));
    }
    out.resize(std::size_t(o - out.data()));
    return true;
}

template<typename String> String failed(bool *ok)
{
    if (ok)
        *ok = false;
    return String();
}

template<typename String> String succeeded(String &&s, bool *ok)
{
    if (ok)
        *ok = true;
    return std::move(s);
}

} // namespace

std::wstring utf8ToWide(std::string_view utf8, bool *ok)
{
    // The same rules as decodeUtf8, unrolled per sequence length and with runs of
    // ASCII widened sixteen at a time: this is the settings store's hot path.
    std::wstring out;
    out.resize(utf8.size());
    wchar_t *w = out.data();
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *end = p + utf8.size();
    while (p < end) {
#ifdef __SSE2__
        while (end - p >= 16 && *p < 0x80) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            const int high = _mm_movemask_epi8(bytes);
            if (high) {
                const int ascii = __builtin_ctz(unsigned(high));
                for (int i = 0; i < ascii; ++i)
                    *w++ = wchar_t(p[i]);
                p += ascii;
                break;
            }
            const __m128i zero = _mm_setzero_si128();
            const __m128i low16 = _mm_unpacklo_epi8(bytes, zero);
            const __m128i high16 = _mm_unpackhi_epi8(bytes, zero);
            auto *to = reinterpret_cast<__m128i *>(w);
            _mm_storeu_si128(to, _mm_unpacklo_epi16(low16, zero));
            _mm_storeu_si128(to + 1, _mm_unpackhi_epi16(low16, zero));
            _mm_storeu_si128(to + 2, _mm_unpacklo_epi16(high16, zero));
            _mm_storeu_si128(to + 3, _mm_unpackhi_epi16(high16, zero));
            w += 16;
            p += 16;
        }
#endif
        while (p < end && *p < 0x80) // short runs, and short names and paths whole
            *w++ = wchar_t(*p++);
        if (p == end)
            break;

        // Runs of three-byte sequences (CJK text) two at a time from one 8-byte
        // load; an overlong form or a surrogate in them goes the long way below.
        while (end - p >= 8 && (*p & 0xF0) == 0xE0) {
            std::uint64_t x;
            std::memcpy(&x, p, sizeof x);
            x = qFromLittleEndian(x);
            if ((x & 0xC0C0F0C0C0F0) != 0x8080E08080E0)
                break;
            const auto first =
                char32_t(((x & 0x0F) << 12) | ((x >> 2) & 0xFC0) | ((x >> 16) & 0x3F));
            x >>= 24;
            const auto second =
                char32_t(((x & 0x0F) << 12) | ((x >> 2) & 0xFC0) | ((x >> 16) & 0x3F));
            if (first < 0x800 || second < 0x800 || first - 0xD800 < 0x800
                || second - 0xD800 < 0x800)
                break;
            w[0] = wchar_t(first);
            w[1] = wchar_t(second);
            w += 2;
            p += 6;
        }

        const unsigned char b = *p;
        const std::ptrdiff_t left = end - p;
        if (b < 0x80) {
            *w++ = wchar_t(b);
            ++p;
        } else if (b >= 0xC2 && b <= 0xDF) {
            if (left < 2 || !isContinuation(p[1]))
                return failed<std::wstring>(ok);
            *w++ = wchar_t(((b & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            if (left < 3 || !isContinuation(p[1]) || !isContinuation(p[2])
                || (b == 0xE0 && p[1] < 0xA0)) // below: overlong
                return failed<std::wstring>(ok);
            const char32_t cp = ((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
            *w++ = wchar_t(cp >= 0xD800 && cp <= 0xDFFF ? Replacement : cp);
            p += 3;
        } else if (b >= 0xF0 && b <= 0xF7) {
            if (left < 4 || !isContinuation(p[1]) || !isContinuation(p[2]) || !isContinuation(p[3])
                || (b == 0xF0 && p[1] < 0x90)) // below: overlong
                return failed<std::wstring>(ok);
            const char32_t cp =
                ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            *w++ = wchar_t(cp > 0x10FFFF ? Replacement : cp);
            p += 4;
        } else {
            return failed<std::wstring>(ok); // stray continuation, C0/C1, F8 and above
        }
    }
    out.resize(std::size_t(w - out.data()));
    return succeeded(std::move(out), ok);
}

std::string wideToUtf8(std::wstring_view wide, bool *ok)
{
    const auto unitAt = [wide](std::size_t i) { return std::uint32_t(wide[i]); };
    // Runs of ASCII narrowed sixteen at a time: a wide character (negative ones
    // included) is ASCII when no bit above the lowest seven is set.
    const auto asciiRun = [wide](std::size_t from, char *o) {
        std::size_t i = from;
#ifdef __SSE2__
        const __m128i high = _mm_set1_epi32(~0x7F);
        while (wide.size() - i >= 16) {
            const auto *in = reinterpret_cast<const __m128i *>(wide.data() + i);
            const __m128i a = _mm_loadu_si128(in);
            const __m128i b = _mm_loadu_si128(in + 1);
            const __m128i c = _mm_loadu_si128(in + 2);
            const __m128i d = _mm_loadu_si128(in + 3);
            const __m128i any = _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d));
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(any, high), _mm_setzero_si128()))
                != 0xFFFF)
                break;
            const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(o + (i - from)), bytes);
            i += 16;
        }
#endif
        while (i < wide.size() && std::uint32_t(wide[i]) < 0x80) {
            o[i - from] = char(wide[i]);
            ++i;
        }
        return i - from;
    };
    std::string out;
    if (!encodeUnits(wide.size(), unitAt, asciiRun, out))
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
    const auto *bytes = reinterpret_cast<const unsigned char *>(utf16le.data());
    const auto unitAt = [bytes](std::size_t i) {
        return std::uint32_t(bytes[2 * i]) | (std::uint32_t(bytes[2 * i + 1]) << 8);
    };
    const auto oneAtATime = [](std::size_t, char *) { return std::size_t(0); };
    if (!encodeUnits(utf16le.size() / 2, unitAt, oneAtATime, out))
        return failed<std::string>(ok);
    return succeeded(std::move(out), ok);
}

} // namespace ztds
