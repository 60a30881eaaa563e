// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// File type associations, with the reason of each failure, for
// OSUtilities::setFileTypeAssociations and mavctl. Internal, never installed.

#include "mavlibrary_internal_p.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace Quorvex::FileTypes {

//! "zentrix_" + the extension without its first character + "_file".
MAVLIBRARY_INTERNAL_EXPORT QString progId(const QString &extension);
//! A leading dot and a plain name of letters, digits, "+", "-" and "_".
MAVLIBRARY_INTERNAL_EXPORT bool isValidExtension(const QString &extension);
//! The MIME type the player takes over for \a extension, or empty when there is none.
MAVLIBRARY_INTERNAL_EXPORT QString mimeTypeForExtension(const QString &extension);

//! Everything the store and the MIME applications files hold about one extension.
struct State
{
    QString association; // what getFileTypeAssociations answers
    QString classDefault; // class root, merged view
    QString classBackup;
    QString userChoice;
    QString userBackup;
    QString defaultAppBackup; // "Zentrix.AAR.backup" of the user choices
    QString mimeType;
    QString effectiveDefault; // desktop entry
};
MAVLIBRARY_INTERNAL_EXPORT State state(const QString &extension);

/*!
    Takes over (true) or gives back (false) each extension, in key order. An
    extension that cannot be changed (not an extension; a mimeapps.list that
    cannot be read) is passed over. The others are written together, and when
    that fails all of them are left as they were. Each extension left unchanged
    adds "extension: reason" to \a errors; false when there is any.
*/
MAVLIBRARY_INTERNAL_EXPORT bool apply(const QMap<QString, bool> &wanted, QStringList *errors);

} // namespace Quorvex::FileTypes
