// SPDX-License-Identifier: LGPL-2.1-or-later
#include "httpfunctions.h"

#include "diagnostics_p.h"

#include "net/platform/file.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ztsc {

const char s_textHtml[] = "text/html";
const char s_textXml[] = "text/xml";

namespace {

const char s_months[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char s_weekdays[7][4] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

bool isAsciiAlnum(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

template<typename Keep> std::string encode(const char *data, std::size_t length, Keep keep)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(length * 3);
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (keep(c)) {
            result += char(c);
        } else {
            result += '%';
            result += hex[c >> 4];
            result += hex[c & 15];
        }
    }
    return result;
}

void replaceAll(std::string &text, const std::string &from, const std::string &to)
{
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::string percentEncode(const char *data, std::size_t length)
{
    return encode(data, length, [](unsigned char c) {
        return isAsciiAlnum(c) || (c && std::strchr("-_.!~()", c));
    });
}

std::string percentEncode(const std::string &text)
{
    return encode(text.c_str(), std::strlen(text.c_str()), [](unsigned char c) {
        return isAsciiAlnum(c) || (c && std::strchr("!#()-._~", c));
    });
}

std::string escapeXml(const std::string &text)
{
    std::string result = text;
    replaceAll(result, "&", "&amp;");
    replaceAll(result, "'", "&apos;");
    return result;
}

std::size_t trimLineEnd(char *text, std::size_t length)
{
    if (length <= 2 || text[length - 1] != '\n')
        return length;
    --length;
    if (text[length - 1] == '\r')
        --length;
    text[length] = '\0';
    return length;
}

std::string trimLineEnd(const std::string &text)
{
    std::string result = text;
    result.resize(trimLineEnd(result.data(), result.size()));
    return result;
}

std::string toLower(const std::string &text)
{
    std::string result = text;
    for (char &c : result) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return result;
}

std::string toString(unsigned value)
{
    return std::to_string(value);
}

std::string toString(int value)
{
    return std::to_string(value);
}

int toInt(const std::string &text)
{
    // atoi() is undefined beyond the int range; strtoll saturates.
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : int(value);
}

std::uint64_t toUInt64(const std::string &text, bool *ok)
{
    std::size_t i = 0, end = text.size();
    while (i < end && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    std::uint64_t value = 0;
    bool valid = i < end;
    for (; valid && i < end; ++i) {
        const unsigned digit = unsigned(text[i] - '0');
        if (digit > 9 || value > (UINT64_MAX - digit) / 10)
            valid = false;
        else
            value = value * 10 + digit;
    }
    if (ok)
        *ok = valid;
    return valid ? value : 0;
}

std::time_t parseHttpDate(const std::string &text)
{
    char weekday[16], month[16];
    int day, year, hour, minute, second;
    if (std::sscanf(text.c_str(), "%15s %d %15s %d %d:%d:%d", weekday, &day, month, &year, &hour,
                    &minute, &second)
        != 7)
        return 0;
    std::tm tm = {};
    tm.tm_mon = -1;
    for (int i = 0; i < 12; ++i) {
        if (std::strcmp(month, s_months[i]) == 0)
            tm.tm_mon = i;
    }
    if (tm.tm_mon < 0 || day < 1 || day > 31 || year < 1900 || year > 9999 || hour < 0 || hour > 23
        || minute < 0 || minute > 59 || second < 0 || second > 60)
        return 0;
    tm.tm_mday = day;
    tm.tm_year = year - 1900;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    // HTTP dates are UTC, whatever TZ says.
    return timegm(&tm);
}

std::string formatHttpDate(std::time_t time)
{
    std::tm tm;
    if (!gmtime_r(&time, &tm))
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", s_weekdays[tm.tm_wday],
                  tm.tm_mday, s_months[tm.tm_mon], tm.tm_year + 1900, tm.tm_hour, tm.tm_min,
                  tm.tm_sec);
    return text;
}

std::size_t writeToFile(const void *data, std::size_t size, std::size_t count, void *file)
{
    if (!file) {
        printDiagnostic("No valid stream provided for writing");
        return 0;
    }
    if (count && size > SIZE_MAX / count)
        return 0;
    const std::size_t total = size * count;
    const char *bytes = static_cast<const char *>(data);
    for (std::size_t done = 0; done < total;) {
        const unsigned piece = unsigned(std::min<std::size_t>(total - done, UINT_MAX));
        if (static_cast<ztpm::File *>(file)->write(bytes + done, piece) != piece)
            return 0;
        done += piece;
    }
    return total;
}

} // namespace ztsc
