// SPDX-License-Identifier: LGPL-2.1-or-later
#include "settingslogging_p.h"

Q_LOGGING_CATEGORY(lcSettings, "zentrix.settings", QtWarningMsg)
