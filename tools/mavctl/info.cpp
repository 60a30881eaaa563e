// SPDX-License-Identifier: LGPL-2.1-or-later
#include "command.h"

#include <MavLibrary/libraryinfo.h>

#include <QCommandLineParser>

namespace {

int runInfo(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints the library's version and what it runs on."));
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return Mavctl::usageError(arguments.value(0), QStringLiteral("info takes no arguments"));

    using Quorvex::LibraryInfo;
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("MavLibrary"), LibraryInfo::version()},
        {QStringLiteral("Qt"), LibraryInfo::qtVersion()},
        {QStringLiteral("OpenSSL"), LibraryInfo::openSslVersion()},
        {QStringLiteral("SQLite"), LibraryInfo::sqliteVersion()},
    };
    for (const auto &row : rows)
        Mavctl::printLine(row.first + QStringLiteral(": ") + row.second);
    return Mavctl::Success;
}

} // namespace

MAVCTL_COMMAND("info", "library version and the versions of what it runs on", runInfo);
