// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

namespace Quorvex::NameTables {

struct CodeName
{
    const char *code; // lower case
    const char *name; // English source text, UTF-8
};

// Generated into nametables.cpp by tools/generate-name-tables.py.
extern const CodeName languages[]; // translation context "Languages"
extern const int languageCount;
extern const CodeName countries[]; // translation context "Countries"
extern const int countryCount;

} // namespace Quorvex::NameTables
