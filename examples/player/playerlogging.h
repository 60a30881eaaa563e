// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QLoggingCategory>

//! The shell's category, "zentrix.player", warnings only by default (defined in main.cpp).
Q_DECLARE_LOGGING_CATEGORY(lcPlayer)
