// SPDX-License-Identifier: LGPL-2.1-or-later
#include "netlogging_p.h"

Q_LOGGING_CATEGORY(lcNet, "zentrix.net", QtWarningMsg)
