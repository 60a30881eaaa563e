// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

// The free helpers of the HTTP client: encoders, number and case helpers, HTTP
// dates and the file writer. All are reentrant.
namespace ztsc {

//! "text/html"
MAVLIBRARY_EXPORT extern const char s_textHtml[];
//! "text/xml": the response type every request of the facade asks for.
MAVLIBRARY_EXPORT extern const char s_textXml[];

/*!
    Percent-encodes \a length bytes (zero bytes included): A-Z, a-z, 0-9 and
    "-_.!~()" stay, every other byte becomes "%XX" (upper-case hex). The result is
    at most three times as long.
*/
MAVLIBRARY_EXPORT std::string percentEncode(const char *data, std::size_t length);
/*!
    Percent-encodes \a text up to its first zero byte: ASCII letters and digits and
    "!#()-._~" stay, every other byte becomes "%XX". Unlike the byte form it keeps "#".
*/
MAVLIBRARY_EXPORT std::string percentEncode(const std::string &text);

//! Replaces "&" by "&amp;", then "'" by "&apos;"; nothing else.
MAVLIBRARY_EXPORT std::string escapeXml(const std::string &text);

/*!
    Drops a final "\n", and a "\r" before it, from a text longer than 2 bytes.
    Returns the new length; when it dropped something, writes a zero byte there.
*/
MAVLIBRARY_EXPORT std::size_t trimLineEnd(char *text, std::size_t length);
MAVLIBRARY_EXPORT std::string trimLineEnd(const std::string &text);

//! ASCII lower case.
MAVLIBRARY_EXPORT std::string toLower(const std::string &text);
MAVLIBRARY_EXPORT std::string toString(unsigned value);
MAVLIBRARY_EXPORT std::string toString(int value);
//! Leading decimal integer, as atoi() reads it, clamped to the int range; 0 for none.
MAVLIBRARY_EXPORT int toInt(const std::string &text);
/*!
    A decimal unsigned 64-bit number, optionally surrounded by blanks. Anything
    else, or a value above 2^64 - 1, gives 0 and \a ok false.
*/
MAVLIBRARY_EXPORT std::uint64_t toUInt64(const std::string &text, bool *ok = nullptr);

/*!
    Reads an HTTP date ("Sun, 06 Nov 1994 08:49:37 GMT") as UTC. Returns 0 when the
    text is not one.
*/
MAVLIBRARY_EXPORT std::time_t parseHttpDate(const std::string &text);
//! The HTTP date form of \a time (UTC), as parseHttpDate() reads it.
MAVLIBRARY_EXPORT std::string formatHttpDate(std::time_t time);

/*!
    A body writer for the HTTP client: writes \a size times \a count bytes into the
    ztpm::File that \a file points to. Returns that number, or 0 when the write
    was short or \a file is null.
*/
MAVLIBRARY_EXPORT std::size_t writeToFile(const void *data, std::size_t size, std::size_t count,
                                          void *file);

} // namespace ztsc
