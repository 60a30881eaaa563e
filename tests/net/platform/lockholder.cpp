// SPDX-License-Identifier: LGPL-2.1-or-later
// The other process of the named mutex tests:
//   lockholder NAME hold   locks, says "locked", unlocks once its input ends
//   lockholder NAME die    locks, says "locked" and ends without unlocking
//   lockholder NAME try    says "1" when tryLock succeeded, else "0"
#include <MavLibrary/net/platform/mutex.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    ztpm::Mutex mutex(argv[1]);
    if (std::strcmp(argv[2], "try") == 0) {
        const bool held = mutex.tryLock();
        std::printf("%d\n", held ? 1 : 0);
        if (held)
            mutex.unlock();
        return 0;
    }
    mutex.lock();
    std::printf("locked\n");
    std::fflush(stdout);
    if (std::strcmp(argv[2], "die") == 0)
        _exit(3);
    while (std::getchar() != EOF) { }
    mutex.unlock();
    return 0;
}
