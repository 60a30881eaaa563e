// SPDX-License-Identifier: LGPL-2.1-or-later
#include "menuslogging_p.h"

Q_LOGGING_CATEGORY(lcMenus, "zentrix.menus", QtWarningMsg)
