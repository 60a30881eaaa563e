// SPDX-License-Identifier: LGPL-2.1-or-later
// The player's Help menu (9).
#include "../playercommon.h"

#include <MavLibrary/libraryinfo.h>
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/menuplugin.h>
#include <MavLibrary/text/mavstringtools.h>

#include <QCoreApplication>

using Quorvex::MavStringTools;
using Quorvex::OSUtilities;

class PlayerHelp : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    //! Composes the text; the shell shows it (from a worker thread, which adds
    //! what it measured).
    void about()
    {
        using namespace Quorvex;
        const QString language = OSUtilities::getLanguageCode();
        const QString country = OSUtilities::getCountryCode();
        const QStringList lines {
            // One version: the executable's own, as it declares it to Qt.
            tr("Zentrix Player %1").arg(QCoreApplication::applicationVersion()),
            tr("Executable: %1")
                .arg(OSUtilities::getInternalVersion(VersionMajor | VersionMinor | VersionMicro
                                                     | VersionInternalName)),
            tr("Platform: %1").arg(OSUtilities::getPlatformString()),
            tr("Language: %1 (%2)").arg(MavStringTools::languageCodeToString(language), language),
            tr("Country: %1 (%2)").arg(MavStringTools::countryCodeToString(country), country),
            tr("System code page: %1").arg(OSUtilities::getSystemCodePage()),
            tr("MavLibrary %1, Qt %2, %3, SQLite %4")
                .arg(LibraryInfo::version(), LibraryInfo::qtVersion(),
                     LibraryInfo::openSslVersion(), LibraryInfo::sqliteVersion()),
        };
        Player::publish(QStringLiteral("help.about"), lines.join(QLatin1Char('\n')));
    }
};

#include "playerhelp.moc"
