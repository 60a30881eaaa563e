// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <cstddef>
#include <memory>
#include <string>

struct _xmlDoc;

/*
    The one way the library hands XML that it did not write itself to libxml2:
    plug-in property documents and device profiles both come from folders that
    anyone may fill.
*/
namespace Quorvex::UntrustedXml {

//! Larger documents are refused unread.
inline constexpr std::size_t MaximumSize = 4 * 1024 * 1024;

struct DocumentDeleter
{
    MAVLIBRARY_INTERNAL_EXPORT void operator()(_xmlDoc *document) const;
};
using Document = std::unique_ptr<_xmlDoc, DocumentDeleter>;

/*!
    Parses \a size bytes at \a data as one XML document, with no network access,
    no entity substitution and no DTD loading. A document type declaration stops
    the parser where it starts, so no entity is ever declared, expanded or
    fetched: billion-laughs and external-entity documents are refused at once,
    in bounded memory. Empty input and input above MaximumSize are refused too.
    On failure the result is null and \a error (when given) says why, with the
    line where there is one.
*/
MAVLIBRARY_INTERNAL_EXPORT Document parse(const char *data, std::size_t size, std::string *error);

} // namespace Quorvex::UntrustedXml
