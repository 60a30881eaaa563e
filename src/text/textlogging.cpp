// SPDX-License-Identifier: LGPL-2.1-or-later
#include "textlogging_p.h"

Q_LOGGING_CATEGORY(lcText, "zentrix.text", QtWarningMsg)
