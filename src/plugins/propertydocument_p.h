// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "untrustedxml_p.h"

#include <QByteArray>

#include <string>
#include <vector>

struct _xmlDoc;

namespace Kapio::PropertyDocument {

//! Larger property documents are refused unread.
inline constexpr qsizetype MaximumSize = qsizetype(Quorvex::UntrustedXml::MaximumSize);

struct ParseResult
{
    _xmlDoc *document = nullptr; //!< owned by the caller (xmlFreeDoc); null on failure
    std::string error; //!< why it was refused, with the line where there is one
};

/*!
    Parses a property document from memory. It must be valid UTF-8, declare no
    other encoding, have the root element "properties" and carry no document type
    declaration: a DOCTYPE stops the parser where it starts, so no entity is ever
    declared, expanded or fetched, and nothing is read from the network.
*/
ParseResult parse(const QByteArray &text);

//! The text of every node that the XPath expression \a path selects, in document order.
std::vector<std::string> lookup(const _xmlDoc *document, const char *path, bool firstOnly);

} // namespace Kapio::PropertyDocument
