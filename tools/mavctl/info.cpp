// SPDX-License-Identifier: LGPL-2.1-or-later
#include "command.h"

#include <MavLibrary/libraryinfo.h>
#include <MavLibrary/os/osutilities.h>

#include <QCommandLineParser>
#include <QLocale>
#include <QLoggingCategory>

namespace {

int runInfo(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the library's version, what it runs on, and the player's platform, "
                       "versions and locale."));
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return Mavctl::usageError(arguments.value(0), QStringLiteral("info takes no arguments"));

    using Quorvex::LibraryInfo;
    using Quorvex::OSUtilities;
    // As a host does at start-up; its trace lines are not part of this listing.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    OSUtilities::setLocale(QLocale::system().name());
    const uint allElements = Quorvex::VersionMajor | Quorvex::VersionMinor | Quorvex::VersionMicro
        | Quorvex::VersionBuild | Quorvex::VersionInternalName;
    const QString codePage = OSUtilities::getSystemCodePage();
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("MavLibrary"), LibraryInfo::version()},
        {QStringLiteral("Qt"), LibraryInfo::qtVersion()},
        {QStringLiteral("OpenSSL"), LibraryInfo::openSslVersion()},
        {QStringLiteral("SQLite"), LibraryInfo::sqliteVersion()},
        {QStringLiteral("Platform"), OSUtilities::getPlatformString()},
        {QStringLiteral("Component id"), QString::fromStdString(OSUtilities::getComponentIdUTF8())},
        {QStringLiteral("Version"), OSUtilities::getVersion(allElements)},
        {QStringLiteral("Internal version"), OSUtilities::getInternalVersion(allElements)},
        {QStringLiteral("Language"), OSUtilities::getLanguageCode()},
        {QStringLiteral("Country"), OSUtilities::getCountryCode()},
        {QStringLiteral("System code page"),
         codePage.isEmpty() ? QStringLiteral("(none)") : codePage},
    };
    for (const auto &row : rows)
        Mavctl::printLine(row.first + QStringLiteral(": ") + row.second);
    return Mavctl::Success;
}

} // namespace

MAVCTL_COMMAND("info", "library version, platform, versions, locale and code page", runInfo);
