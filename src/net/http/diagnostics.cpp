// SPDX-License-Identifier: LGPL-2.1-or-later
#include "diagnostics_p.h"

#include <atomic>
#include <cstdio>

namespace ztsc {

namespace {
std::atomic<DiagnosticHandler> s_handler = nullptr;
} // namespace

void setDiagnosticHandler(DiagnosticHandler handler)
{
    s_handler.store(handler, std::memory_order_release);
}

void printDiagnostic(const std::string &line)
{
    if (const DiagnosticHandler handler = s_handler.load(std::memory_order_acquire)) {
        handler(line.c_str());
        return;
    }
    // One call per line, so that lines of parallel requests do not interleave.
    std::printf("%s\n", line.c_str());
}

} // namespace ztsc
