// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QString>
#include <QStringList>

namespace Quorvex {

/*!
    Starts the transfer wizard, the companion program that copies or converts
    videos for a device, detached from the player. Its executable is the
    "InstallPath" of "TransferWizard" in the installation settings.

    GUI thread only: it asks the user about missing files with modal boxes.
*/
class MAVLIBRARY_EXPORT TransferWizard
{
public:
    TransferWizard() = delete;

    /*!
        Starts the wizard with "-xfer", \a extraArgument (when not empty), "-id"
        \a id and a "-file" URL for each of \a files that exists. Returns 0 when
        the wizard is not installed, 1 when it could not be started, 2 when it
        was, 3 when none of the files exists (the user was told), 4 when the
        user cancelled because some were missing.
    */
    static int transferFiles(const QStringList &files, const QString &extraArgument, uint id);
};

} // namespace Quorvex
