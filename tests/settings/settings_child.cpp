// SPDX-License-Identifier: LGPL-2.1-or-later
// A second process for the store tests: writes and reads the hives named by the
// environment, as another program of the system would.
//   settings_child writer ID OTHER MS  writes for MS milliseconds, then checks OTHER's values
//   settings_child crash               writes values until killed, reporting each
//   settings_child access              the checks of a user who cannot write the machine hive
//   settings_child exit main|thread    writes a value, reads it on the main thread or on one
//                                      still running when the process exits
#include <MavLibrary/settings/settingsfunctions.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <future>
#include <string>
#include <thread>

using namespace ztds;

namespace {

int writer(const std::string &id, const std::string &other, int ms)
{
    const std::string mine = "Stress/" + id;
    const std::string theirs = "Stress/" + other;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    int count = 0;
    int seen = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (!userSettings::setInt(mine, "v" + std::to_string(count), count)
            || !userSettings::setInt(mine, "count", count + 1)) {
            std::printf("write %d failed\n", count);
            return 3;
        }
        ++count;
        int now = 0;
        if (userSettings::getInt(theirs, "count", now)) {
            if (now < seen) {
                std::printf("count of %s went back from %d to %d\n", other.c_str(), seen, now);
                return 4;
            }
            seen = now;
        }
    }
    userSettings::setBool(mine, "done", true);
    bool done = false;
    for (int i = 0; i < 2000 && !done; ++i) {
        if (!userSettings::getBool(theirs, "done", done))
            done = false;
        if (!done)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    int total = 0;
    if (!done || !userSettings::getInt(theirs, "count", total)) {
        std::printf("%s never finished\n", other.c_str());
        return 5;
    }
    for (int i = 0; i < total; ++i) {
        int value = -1;
        if (!userSettings::getInt(theirs, "v" + std::to_string(i), value) || value != i) {
            std::printf("value %d of %s missing\n", i, other.c_str());
            return 6;
        }
    }
    std::printf("wrote %d, saw %d\n", count, total);
    return 0;
}

int crash()
{
    for (int i = 0;; ++i) {
        if (!userSettings::setInt("Crash", "v" + std::to_string(i), i))
            return 3;
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
}

int access()
{
    int failures = 0;
    auto check = [&](bool ok, const char *what) {
        std::printf("%s %s\n", ok ? "ok" : "FAIL", what);
        failures += ok ? 0 : 1;
    };
    std::string text;
    check(installSettings::getString("Paths", "InstallPath", text) && text == "/opt/zentrix",
          "mode 6 reads the machine hive");
    int value = 0;
    check(userSettings::getInt("Player", "Volume", value) && value == 7,
          "mode 5 falls back to the machine hive");
    IZentrixSettings *section = nullptr;
    check(!openSettings("Install/Paths", OpenMachine, &section), "mode 3 refuses full access");
    check(!openSettings("Install/Paths", CreateMachine, &section), "mode 9 refuses to create");
    check(!installSettings::setString("Paths", "InstallPath", "/tmp"), "install writes refused");
    check(!installSettings::deleteValue("Paths", "InstallPath"), "install deletion refused");
    check(userSettings::setInt("Player", "Volume", 3), "user writes go to the user hive");
    check(userSettings::getInt("Player", "Volume", value) && value == 3,
          "user value hides machine value");
    check(installSettings::getString("Paths", "InstallPath", text) && text == "/opt/zentrix",
          "machine hive unchanged");
    return failures;
}

int exitAfterRead(bool onThread)
{
    std::string text;
    if (!userSettings::setString("Exit", "v", std::string("kept")))
        return 3;
    if (!onThread)
        return userSettings::getString("Exit", "v", text) ? 0 : 4;
    std::promise<bool> read;
    std::thread([&read, &text] {
        read.set_value(userSettings::getString("Exit", "v", text));
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }).detach();
    return read.get_future().get() ? 0 : 4;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && !std::strcmp(argv[1], "writer"))
        return writer(argv[2], argv[3], std::atoi(argv[4]));
    if (argc == 2 && !std::strcmp(argv[1], "crash"))
        return crash();
    if (argc == 2 && !std::strcmp(argv[1], "access"))
        return access();
    if (argc == 3 && !std::strcmp(argv[1], "exit"))
        return exitAfterRead(!std::strcmp(argv[2], "thread"));
    std::fprintf(stderr,
                 "usage: settings_child writer ID OTHER MS | crash | access | exit "
                 "main|thread\n");
    return 2;
}
