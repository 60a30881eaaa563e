// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include "mavlibrary_internal_p.h"

#include <QLocale>

namespace Quorvex::LocaleCodePages {

//! The Windows code pages of a locale, in the order they are tried; 0 for none.
struct Entry
{
    int oem = 0;
    int ansi = 0;
    int ebcdic = 0;
    int mac = 0;
};

/*!
    The code pages Windows gives a user of \a language (with \a script and
    \a territory where they change the answer). The C and POSIX locales read as
    English (United States). A language without a Windows locale gives all zeros.
*/
MAVLIBRARY_INTERNAL_EXPORT Entry lookup(QLocale::Language language, QLocale::Script script, QLocale::Territory territory);

} // namespace Quorvex::LocaleCodePages
