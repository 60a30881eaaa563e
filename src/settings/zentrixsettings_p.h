// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "izentrixsettings.h"

namespace ztds {

//! openSettings for one read in a read mode; see zentrixsettings.cpp.
bool openSettingsForLookup(const std::wstring &path, OpenMode mode, IZentrixSettings **section);

} // namespace ztds
