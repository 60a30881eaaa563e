// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <string>
#include <vector>

struct _xmlDoc;

/*
    The RELAX NG grammar of property documents (propertydocument.rng, installed
    beside the CMake package's data) and the check of a parsed document against
    it. The readers never validate: they skip what they do not know, which is
    what a plug-in author needs to be told about (mavctl plugins check).
*/
namespace Kapio::PropertySchema {

struct Problem
{
    int line = 0;
    std::string message;
};

//! The grammar's text, compiled in from propertydocument.rng.
MAVLIBRARY_INTERNAL_EXPORT const char *grammar();

/*!
    The problems of \a document, in document order, at most one a line: an
    element or attribute that the vocabulary does not know is named as such
    ("unknown element <slott>"); any other departure from the grammar is
    libxml2's first message for that line. Empty when the document is valid.
*/
MAVLIBRARY_INTERNAL_EXPORT std::vector<Problem> validate(const _xmlDoc *document);

} // namespace Kapio::PropertySchema
