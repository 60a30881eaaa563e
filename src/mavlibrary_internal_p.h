// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// Internals that mavctl, the tests, the benchmarks and the fuzz targets reach
// into are exported under this second macro, so each internal is compiled once,
// into the library. Only *_p.h headers use it; they are never installed, so
// these symbols are no part of the public interface and may change at any time.
#define MAVLIBRARY_INTERNAL_EXPORT __attribute__((visibility("default")))
