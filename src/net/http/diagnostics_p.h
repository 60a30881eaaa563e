// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <string>

namespace ztsc {

/*!
    Where the transport's own lines go: OpenSSL's error records, a failed host-name
    check, a missing file stream. They are printed on standard output by design; a
    tool that keeps its standard output for a body or a report sends them elsewhere.

    \a line comes without its line end. The handler runs on the thread of the
    request, so it must be thread-safe. Null restores standard output. \threadsafe
*/
using DiagnosticHandler = void (*)(const char *line);
MAVLIBRARY_INTERNAL_EXPORT void setDiagnosticHandler(DiagnosticHandler handler);
//! Hands \a line to the handler, or prints it with a line end on standard output.
MAVLIBRARY_INTERNAL_EXPORT void printDiagnostic(const std::string &line);

} // namespace ztsc
