// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// The player's demo never touches the real user's files: it runs again as a
// child whose HOME, XDG folders and settings hives are in a fresh temporary
// folder, which is removed when the child ends.
namespace Sandbox {

//! The temporary folder when this process runs in one, else null.
const char *folder();
//! Runs this program again with \a argv in a new sandbox and returns its exit
//! code (128 + the signal when a signal ended it); 1 when it cannot be started.
int runInNewSandbox(char *argv[]);

} // namespace Sandbox
