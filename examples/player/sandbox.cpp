// SPDX-License-Identifier: LGPL-2.1-or-later
#include "sandbox.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Sandbox {

namespace {

constexpr char Variable[] = "ZENTRIX_PLAYER_SANDBOX";
volatile sig_atomic_t s_child = 0;

// The child ends, and this process after it, so the folder is always removed.
void forward(int signal)
{
    if (s_child > 0)
        kill(pid_t(s_child), signal);
}

} // namespace

const char *folder()
{
    const char *value = std::getenv(Variable);
    return value && *value ? value : nullptr;
}

int runInNewSandbox(char *argv[])
{
    namespace fs = std::filesystem;
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zentrix-player-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("zentrix-player: temporary folder");
        return 1;
    }
    const fs::path root = pattern;
    const fs::path home = root / "home";
    const auto set = [](const char *name, const fs::path &path) { setenv(name, path.c_str(), 1); };
    std::error_code error;
    for (const fs::path &path : {home / ".config", home / ".local/share", home / ".local/state",
                                 home / ".cache", home / "Videos", root / "etc/xdg"})
        fs::create_directories(path, error);
    set("HOME", home);
    set("XDG_CONFIG_HOME", home / ".config");
    set("XDG_DATA_HOME", home / ".local/share");
    set("XDG_STATE_HOME", home / ".local/state");
    set("XDG_CACHE_HOME", home / ".cache");
    set("XDG_CONFIG_DIRS", root / "etc/xdg");
    set("ZENTRIX_USER_HIVE", root / "user-hive.db");
    set("ZENTRIX_MACHINE_HIVE", root / "machine-hive.db");
    // No session bus: nothing reaches the user's file manager or desktop. A
    // Wayland session keeps its runtime folder, where its socket lives.
    set("DBUS_SESSION_BUS_ADDRESS", std::string("unix:path=") + (root / "no-bus").string());
    if (!std::getenv("WAYLAND_DISPLAY")) {
        fs::create_directories(root / "runtime", error);
        chmod((root / "runtime").c_str(), 0700);
        set("XDG_RUNTIME_DIR", root / "runtime");
    }
    set(Variable, root);

    int status = 0;
    const pid_t child = fork();
    if (child == 0) {
        execv("/proc/self/exe", argv);
        std::perror("zentrix-player: exec");
        _exit(127);
    }
    s_child = child;
    struct sigaction action
    {
    };
    action.sa_handler = forward;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    pid_t waited = -1;
    while (child > 0 && (waited = waitpid(child, &status, 0)) < 0 && errno == EINTR) { }
    if (waited != child)
        status = -1;
    fs::remove_all(root, error);
    if (status == -1)
        return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace Sandbox
