// SPDX-License-Identifier: LGPL-2.1-or-later
//
// The built-in key material: two sets of an authority certificate, a client
// certificate and a client key, carried scrambled (see cmake/MavKeyMaterial.cmake)
// and unscrambled on each use. LOCALHOST comes from tools/generate-key-material.sh;
// PRODUCTION from the PEM files given to CMake, or a placeholder.
#include "keymaterial_p.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ztsc::keymaterial {

namespace {

struct ScrambledItem
{
    const unsigned char *data;
    std::size_t size;
    std::uint32_t seed;
};

struct ScrambledSet
{
    ScrambledItem items[3];
};

namespace localhost {
#include "keymaterial_localhost.inc"
} // namespace localhost

namespace production {
#include "keymaterial_production.inc"
} // namespace production

} // namespace

std::string text(Set set, Item item)
{
    const ScrambledItem &scrambled =
        (set == Localhost ? localhost::s_set : production::s_set).items[item];
    // Sized to the material: a 4096-bit key does not fit the 2048 bytes once used.
    std::vector<unsigned char> buffer(scrambled.size);
    std::uint32_t state = scrambled.seed;
    for (std::size_t i = 0; i < scrambled.size; ++i) {
        state = (state * 1103515245u + 12345u) & 0x7fffffffu;
        buffer[i] = scrambled.data[i] ^ static_cast<unsigned char>(state >> 16);
    }
    std::string result(buffer.begin(), buffer.end());
    // The clear text should not outlive its copy in a freed block.
    volatile unsigned char *wipe = buffer.data();
    for (std::size_t i = 0; i < buffer.size(); ++i)
        wipe[i] = 0xff;
    return result;
}

} // namespace ztsc::keymaterial
