// SPDX-License-Identifier: LGPL-2.1-or-later
#include "profileslogging_p.h"

Q_LOGGING_CATEGORY(lcProfiles, "zentrix.profiles", QtWarningMsg)
