// SPDX-License-Identifier: LGPL-2.1-or-later
// A shared module that is no Qt plug-in at all.
extern "C" __attribute__((visibility("default"))) int mavtestNotAPlugin()
{
    return 1;
}
