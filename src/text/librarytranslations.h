// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QLocale>
#include <QString>

namespace Quorvex {

/*!
    The library's own translations (German and French ship): the names of
    languages, countries, code pages and file-size units, the media labels and the
    transfer wizard's boxes, in share/mavlibrary/translations as mavlibrary_<lang>.qm.

    A host calls install() once, on the GUI thread, after creating the application
    and before anything reads MavStringTools' tables (they keep the language of
    their first use) or the menus (CommonMenuBar::init). GUI thread only.
*/
class MAVLIBRARY_EXPORT LibraryTranslations
{
public:
    LibraryTranslations() = delete;

    //! The folder of the library's .qm files: share/mavlibrary/translations beside
    //! the installed library, or the build tree's for a library that was not installed.
    static QString folder();

    /*!
        Installs on the application the library's translator for the UI languages of
        \a locale and Qt's own (qtbase_<lang> from QLibraryInfo's translations path,
        for the dialog buttons) when it is there. A second call replaces the
        translators of the first. Returns whether the library has a translation for
        \a locale; English needs none and returns false.
    */
    static bool install(const QLocale &locale);
};

} // namespace Quorvex
