// SPDX-License-Identifier: LGPL-2.1-or-later
#include "pluginslogging_p.h"

Q_LOGGING_CATEGORY(lcPlugins, "zentrix.plugins", QtWarningMsg)
