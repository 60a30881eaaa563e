// SPDX-License-Identifier: LGPL-2.1-or-later
// Remote control input. This system has none to offer: no receiver ever gets a
// RemoteControlEvent, and there is no input to pause or resume.
#include "osutilities.h"

namespace Quorvex {

bool OSUtilities::initRemoteControls(QObject *)
{
    return false;
}

void OSUtilities::setRemoteControlsActive(bool) { }

} // namespace Quorvex
