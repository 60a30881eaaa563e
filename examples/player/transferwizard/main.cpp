// SPDX-License-Identifier: LGPL-2.1-or-later
// A stand-in for the transfer wizard that the player starts: it copies nothing
// and only records its command line, one argument a line, in
// $XDG_CACHE_HOME/zentrix-transfer-wizard/arguments.txt (~/.cache when unset), so
// the player's demo can read back what the library passed.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char *argv[])
{
    namespace fs = std::filesystem;
    fs::path folder;
    if (const char *cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
        folder = cache;
    else if (const char *home = std::getenv("HOME"); home && *home)
        folder = fs::path(home) / ".cache";
    else
        return 1;
    folder /= "zentrix-transfer-wizard";
    std::error_code error;
    fs::create_directories(folder, error);
    // Written whole under another name first: a reader never sees half a list.
    const fs::path partial = folder / "arguments.txt.part";
    {
        std::ofstream out(partial, std::ios::trunc);
        for (int i = 1; i < argc; ++i)
            out << argv[i] << '\n';
        if (!out.flush())
            return 1;
    }
    fs::rename(partial, folder / "arguments.txt", error);
    if (error) {
        std::fprintf(stderr, "zentrix-transfer-wizard: %s\n", error.message().c_str());
        return 1;
    }
    return 0;
}
