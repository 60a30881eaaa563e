// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "zentrixsettings.h"

namespace ztds {

//! The section for one read in a read mode, valid until the next call on this thread; see
//! zentrixsettings.cpp.
ZentrixSettings *sectionForLookup(const wchar_t *scope, std::wstring_view section, OpenMode mode);

} // namespace ztds
