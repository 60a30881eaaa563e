// SPDX-License-Identifier: LGPL-2.1-or-later
#include "serviceslogging_p.h"

Q_LOGGING_CATEGORY(lcServices, "zentrix.services", QtWarningMsg)
