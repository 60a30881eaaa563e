// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <string>
#include <string_view>

/*!
    Conversions between the Unicode forms of the library's Qt-free code: UTF-8 in
    std::string, wide text in std::wstring (one code point per wchar_t, as the C
    library and Qt expect on Linux), and the UTF-16LE bytes the settings store keeps
    for text values.

    Error rules, kept from the reference conversion the stored data was written with:
    - decoding UTF-8, a well-formed sequence that names a surrogate or a value above
      U+10FFFF becomes U+FFFD; an illegal, overlong or truncated sequence fails;
    - encoding, a high surrogate followed by a low one is one code point, a lone
      surrogate is written as its three-byte form, and a high surrogate at the very
      end fails;
    - any failure gives an empty result, never a partial one, and \a ok (when given)
      tells it apart from an empty input.
    Embedded zero characters are converted like any other. \reentrant
*/
namespace ztds {

MAVLIBRARY_EXPORT std::wstring utf8ToWide(std::string_view utf8, bool *ok = nullptr);
MAVLIBRARY_EXPORT std::string wideToUtf8(std::wstring_view wide, bool *ok = nullptr);

//! UTF-8 to UTF-16LE bytes (two a unit, no terminating zero added).
MAVLIBRARY_EXPORT std::string utf8ToUtf16LE(std::string_view utf8, bool *ok = nullptr);
//! UTF-16LE bytes to UTF-8; an odd last byte is ignored.
MAVLIBRARY_EXPORT std::string utf16LEToUtf8(std::string_view utf16le, bool *ok = nullptr);

} // namespace ztds
