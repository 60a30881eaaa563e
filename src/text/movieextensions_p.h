// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

namespace Quorvex {

/*
    Which movie extensions the list offers. The text layer cannot ask the active
    device profile itself (profiles sit above it), so the profile layer registers
    a source while the library loads; without one every extension is offered.
*/
namespace MovieExtensionGroups {
enum : int {
    All = -1, //!< not in reference-player mode
    ReferenceA = 1, //!< "zentrix ztx xvid avi"
    ReferenceB = 2, //!< "mkv mkx"
};
} // namespace MovieExtensionGroups

// Returns All or a combination of the Reference groups; called on every lookup
// from any thread, so it must be cheap and thread-safe.
using MovieExtensionSource = int (*)();

void setMovieExtensionSource(MovieExtensionSource source);

} // namespace Quorvex
