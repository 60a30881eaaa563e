// SPDX-License-Identifier: LGPL-2.1-or-later
#include "oslogging_p.h"

Q_LOGGING_CATEGORY(lcOs, "zentrix.os", QtWarningMsg)
