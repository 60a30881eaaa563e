// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <cstdint>

namespace ztpm {

//! Sleeps at least \a milliseconds; 0 yields. A cancellation point for Thread::kill().
MAVLIBRARY_EXPORT void sleep(unsigned milliseconds);

//! A monotonic counter, in units of getHighResolutionFrequency(); 0 when unavailable.
MAVLIBRARY_EXPORT std::int64_t getHighResolutionCounter();
//! Counts per second of getHighResolutionCounter(); 1 when unavailable.
MAVLIBRARY_EXPORT std::int64_t getHighResolutionFrequency();

} // namespace ztpm
