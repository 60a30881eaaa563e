// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// The registry's text format ("Windows Registry Editor Version 5.00", .reg) for
// the keys below the product key: parsed into one batch of store operations, and
// written from a key tree.

#include "registry_p.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace ztds::registry::RegFile {

//! The largest file read; beyond it a file is refused rather than read on.
constexpr qint64 MaxFileSize = qint64(256) << 20;

struct ParseResult
{
    bool ok = false;
    int line = 0; //!< of the first error, 1-based
    QString message;
    std::vector<ztds::registry::Operation> operations;
};

/*!
    Parses a whole file: UTF-16 (with its byte order mark) or UTF-8. Any error
    stops the parse; the result then names the line and holds no operation that
    should be applied.
*/
MAVLIBRARY_INTERNAL_EXPORT ParseResult parse(const QByteArray &bytes);

struct Key
{
    std::wstring path; //!< below the hive root, in its stored spelling
    std::vector<ztds::registry::Value> values;
};

//! The text of \a keys (each already sorted), UTF-16LE with a byte order mark and CRLF.
MAVLIBRARY_INTERNAL_EXPORT QByteArray write(ztds::registry::Hive hive,
                                            const std::vector<Key> &keys);

//! True when \a path (components separated by '\\') is the product key or below it.
MAVLIBRARY_INTERNAL_EXPORT bool isProductPath(const QString &path);

enum class Escaping {
    RegFile, //!< as in a quoted string of the file
    Display, //!< the same, quotes left alone, other control characters as \xHH
};
//! \a text with backslashes and control characters escaped.
MAVLIBRARY_INTERNAL_EXPORT QString escaped(const QString &text, Escaping escaping);

} // namespace ztds::registry::RegFile
