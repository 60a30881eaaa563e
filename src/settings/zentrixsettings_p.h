// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "zentrixsettings.h"

namespace ztds {

//! The section for one read in a read mode, valid until the next call on this thread; see
//! zentrixsettings.cpp. \a section is UTF-8 or wide.
ZentrixSettings *sectionForLookup(const wchar_t *scope, std::string_view section, OpenMode mode);
ZentrixSettings *sectionForLookup(const wchar_t *scope, std::wstring_view section, OpenMode mode);

} // namespace ztds
