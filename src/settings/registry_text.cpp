// SPDX-License-Identifier: LGPL-2.1-or-later
// REG_SZ: UTF-16LE text with its terminating NUL, to and from wide and UTF-8 text.
#include "registry_p.h"

#include <MavLibrary/text/utfconversion.h>

namespace ztds::registry {

std::string wideToRegSz(const std::wstring &text)
{
    std::string bytes;
    bytes.reserve((text.size() + 1) * 2);
    auto unit = [&](char32_t u) {
        bytes += char(u & 0xff);
        bytes += char((u >> 8) & 0xff);
    };
    for (wchar_t c : text) {
        const char32_t cp = char32_t(c);
        if (cp > 0xFFFF && cp <= 0x10FFFF) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp > 0x10FFFF ? 0xFFFD : cp);
        }
    }
    unit(0);
    return bytes;
}

std::wstring regSzToWide(const std::string &bytes)
{
    std::wstring text;
    const std::size_t units = (bytes.size() + 1) / 2;
    text.reserve(units);
    auto at = [&](std::size_t i) -> char32_t {
        const auto lo = char32_t(static_cast<unsigned char>(bytes[2 * i]));
        const auto hi = 2 * i + 1 < bytes.size()
            ? char32_t(static_cast<unsigned char>(bytes[2 * i + 1]))
            : char32_t(0);
        return lo | (hi << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = at(i);
        if (u == 0)
            break;
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units) {
            const char32_t low = at(i + 1);
            if (low >= 0xDC00 && low < 0xE000) {
                text += wchar_t(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        text += wchar_t(u); // a lone surrogate stays as it was stored
    }
    return text;
}

bool regSzToUtf8(const std::string &bytes, std::string &text)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    std::size_t units = 0;
    while (2 * units + 1 < bytes.size() && (in[2 * units] || in[2 * units + 1]))
        ++units;
    // An odd last byte that is a character of its own: rare enough for the long way.
    if (2 * units + 1 == bytes.size() && bytes.back()) {
        bool ok = true;
        std::string utf8 = ztds::wideToUtf8(regSzToWide(bytes), &ok);
        if (ok)
            text = std::move(utf8);
        return ok;
    }
    std::size_t ascii = 0;
    while (ascii < units && in[2 * ascii] < 0x80 && !in[2 * ascii + 1])
        ++ascii;
    if (ascii < units) {
        bool ok = true;
        std::string utf8 = ztds::utf16LEToUtf8(std::string_view(bytes.data(), 2 * units), &ok);
        if (ok)
            text = std::move(utf8);
        return ok;
    }
    // ASCII, the usual text: into the buffer text has.
    text.resize(units);
    for (std::size_t i = 0; i < units; ++i)
        text[i] = char(in[2 * i]);
    return true;
}

} // namespace ztds::registry
