// SPDX-License-Identifier: LGPL-2.1-or-later
// Key and value names as the registry compares them: without regard to case.
#include "registry_sqlite_p.h"

#include <MavLibrary/text/utfconversion.h>

#include <QChar>

#include <algorithm>

namespace ztds::registry {

namespace sqlite {

bool foldName(std::wstring_view name, std::string &fold)
{
    fold.resize(name.size());
    char *out = fold.data();
    for (const wchar_t w : name) {
        const auto c = std::uint32_t(w);
        if (c >= 0x80) {
            // Characters beyond Unicode (negative ones too) would match a name of
            // U+FFFD or of the character in their low byte.
            std::wstring upper(name);
            for (wchar_t &u : upper) {
                if (std::uint32_t(u) > 0x10FFFF)
                    return false;
                u = wchar_t(QChar::toUpper(char32_t(u)));
            }
            bool ok = true;
            fold = ztds::wideToUtf8(upper, &ok);
            return ok;
        }
        *out++ = char(c - 'a' < 26 ? c - ('a' - 'A') : c);
    }
    return true;
}

std::string foldName(std::wstring_view name, bool *ok)
{
    std::string fold;
    const bool folded = foldName(name, fold);
    if (ok)
        *ok = folded;
    return fold;
}

ParsedPath parsePath(std::wstring_view path, std::string *error)
{
    ParsedPath parsed;
    auto fail = [&](const char *why) {
        if (error)
            *error = why;
        return parsed;
    };
    if (path.empty())
        return fail("empty key path");
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(L'\\', start);
        const std::wstring_view component =
            path.substr(start, end == std::wstring::npos ? end : end - start);
        if (component.empty())
            return fail("empty key part");
        if (component.size() > MaxKeyNameLength)
            return fail("key part longer than 255 characters");
        parsed.components.push_back(component);
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    parsed.valid = true;
    return parsed;
}

namespace {

// foldKeyPath for a path that is not all ASCII: component by component.
bool foldComponents(std::wstring_view path, std::string &fold)
{
    fold.clear();
    for (std::size_t start = 0, end;; start = end + 1) {
        end = std::min(path.find(L'\\', start), path.size());
        bool ok = validKeyPart(end - start);
        if (ok)
            fold += foldName(path.substr(start, end - start), &ok);
        if (!ok)
            return false;
        if (end == path.size())
            return true;
        fold += '\\';
    }
}

std::string foldPath(const ParsedPath &parsed, bool &ok)
{
    std::string fold;
    std::size_t length = parsed.components.size();
    for (const auto &component : parsed.components)
        length += component.size();
    fold.reserve(length);
    ok = true;
    for (std::size_t i = 0; i < parsed.components.size(); ++i) {
        bool componentOk = true;
        if (i)
            fold += '\\';
        fold += foldName(parsed.components[i], &componentOk);
        ok = ok && componentOk;
    }
    return fold;
}

} // namespace

bool resolvePath(const std::wstring &path, ParsedPath &parsed, std::string &fold,
                 std::string *error)
{
    parsed = parsePath(path, error);
    if (!parsed.valid)
        return false;
    bool ok = true;
    fold = foldPath(parsed, ok);
    if (!ok && error)
        *error = "key name is not valid Unicode";
    return ok;
}

} // namespace sqlite

using namespace sqlite;

// The usual paths, all ASCII, are upper-cased as they are checked.
bool foldKeyPath(std::wstring_view path, std::string &fold)
{
    fold.resize(path.size());
    char *out = fold.data();
    std::size_t start = 0; // of the current component
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = std::uint32_t(path[i]);
        if (c >= 0x80)
            return foldComponents(path, fold);
        if (c == '\\') {
            if (!validKeyPart(i - start))
                return false;
            start = i + 1;
        }
        out[i] = char(c - 'a' < 26 ? c - ('a' - 'A') : c);
    }
    return validKeyPart(path.size() - start);
}

bool checkKeyPath(const std::wstring &path, std::string *error)
{
    ParsedPath parsed;
    std::string fold;
    return resolvePath(path, parsed, fold, error);
}

} // namespace ztds::registry
