// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// The folder lookups behind OSUtilities' path operations, for callers that must
// not create anything (mavctl paths). Internal, never installed.

#include "mavlibrary_internal_p.h"

#include <QString>

namespace Quorvex::Paths {

//! How long a reveal waits for the file manager before it opens the folder itself.
constexpr int FileManagerTimeoutMs = 2000;

//! "<data root>/Zentrix/<component id>", or empty without a data root; creates nothing.
MAVLIBRARY_INTERNAL_EXPORT QString playerDataPath();
//! The default movies folder; with \a create false nothing is made and the path
//! is returned whether or not it exists.
MAVLIBRARY_INTERNAL_EXPORT QString moviesPath(bool create);

} // namespace Quorvex::Paths
