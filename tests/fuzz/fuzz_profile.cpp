// SPDX-License-Identifier: LGPL-2.1-or-later
// libFuzzer target for the device profile parser: the input is one profile file.
// Whatever the text, a profile comes back only with a GUID, every display entry
// kept has a size, and the default points at one of them.
#include "profiles/profilemanager_p.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string error;
    const auto profile = Quorvex::ProfileParser::parse(reinterpret_cast<const char *>(data), size,
                                                       L"/profiles/fuzz.xml", &error);
    if (!profile) {
        check(!error.empty());
        return 0;
    }
    check(!profile->guid.empty());
    check(profile->versions < 16);
    check(profile->defaultDisplay >= -1 && profile->defaultDisplay < int(profile->displays.size()));
    for (const auto &display : profile->displays)
        check(display.width > 0 && display.height > 0);
    check(profile->directory == L"/profiles" && profile->fileName == L"fuzz.xml");
    return 0;
}
