// SPDX-License-Identifier: LGPL-2.1-or-later
// Stands in for a companion program: writes its arguments, one a line, to the
// file that MAV_RECORDER_OUTPUT names, and exits. The file appears whole.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char *argv[])
{
    const char *output = std::getenv("MAV_RECORDER_OUTPUT");
    if (!output)
        return 1;
    const std::string partial = std::string(output) + ".part";
    FILE *file = std::fopen(partial.c_str(), "w");
    if (!file)
        return 1;
    for (int i = 1; i < argc; ++i)
        std::fprintf(file, "%s\n", argv[i]);
    if (std::fclose(file) != 0)
        return 1;
    return std::rename(partial.c_str(), output) == 0 ? 0 : 1;
}
