// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl assoc: the player's file type associations.
#include "command.h"
#include "os/filetypes_p.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

namespace FileTypes = Quorvex::FileTypes;

// Parses the command line of a command that takes extensions: "avi" and ".avi"
// both name .avi. Returns -1 to go on, else the exit code.
int parseExtensions(QCommandLineParser &parser, const QStringList &arguments, QStringList &result)
{
    parser.addPositionalArgument(QStringLiteral("EXT"), QStringLiteral("extensions, e.g. avi .mkv"),
                                 QStringLiteral("EXT..."));
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return Mavctl::usageError(arguments.value(0),
                                  QStringLiteral("name at least one extension"));
    for (const QString &arg : args) {
        const QString extension = arg.startsWith(QLatin1Char('.')) ? arg : QLatin1Char('.') + arg;
        if (!FileTypes::isValidExtension(extension))
            return Mavctl::fail(QStringLiteral("not a file name extension: %1").arg(arg));
        result.append(extension);
    }
    return -1;
}

int runGet(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Prints JSON."));
    parser.setApplicationDescription(QStringLiteral(
        "Prints what opens each extension: the ProgID, the class root's and the user's choice "
        "with their backups, the MIME type and its default application."));
    parser.addOption(json);
    QStringList list;
    if (const int code = parseExtensions(parser, arguments, list); code >= 0)
        return code;

    QJsonArray array;
    for (const QString &extension : std::as_const(list)) {
        const FileTypes::State s = FileTypes::state(extension);
        const QList<QPair<QString, QString>> rows = {
            {QStringLiteral("progId"), s.association},
            {QStringLiteral("classDefault"), s.classDefault},
            {QStringLiteral("classBackup"), s.classBackup},
            {QStringLiteral("userChoice"), s.userChoice},
            {QStringLiteral("userBackup"), s.userBackup},
            {QStringLiteral("mimeType"), s.mimeType},
            {QStringLiteral("defaultApplication"), s.effectiveDefault},
            {QStringLiteral("defaultApplicationBackup"), s.defaultAppBackup},
        };
        if (parser.isSet(json)) {
            QJsonObject object {{QStringLiteral("extension"), extension}};
            for (const auto &row : rows)
                object.insert(row.first, row.second);
            array.append(object);
            continue;
        }
        Mavctl::printLine(extension);
        for (const auto &row : rows)
            Mavctl::printLine(
                QStringLiteral("  %1: %2")
                    .arg(row.first, row.second.isEmpty() ? QStringLiteral("(none)") : row.second));
    }
    if (parser.isSet(json))
        Mavctl::printLine(QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact)));
    return Mavctl::Success;
}

int change(const QStringList &arguments, bool take)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        take ? QStringLiteral("Makes the player the handler of each extension, keeping what it "
                              "replaces as a backup.")
             : QStringLiteral("Gives each extension back to the handler it had before the player "
                              "took it over."));
    QStringList list;
    if (const int code = parseExtensions(parser, arguments, list); code >= 0)
        return code;
    QMap<QString, bool> wanted;
    for (const QString &extension : std::as_const(list))
        wanted.insert(extension, take);
    QStringList errors;
    if (!FileTypes::apply(wanted, &errors))
        return Mavctl::fail(errors.join(QStringLiteral("; ")));
    return Mavctl::Success;
}

int runTake(const QStringList &arguments)
{
    return change(arguments, true);
}

int runGiveBack(const QStringList &arguments)
{
    return change(arguments, false);
}

int runAssoc(const QStringList &arguments)
{
    return Mavctl::dispatch(
        arguments, {{"get", runGet}, {"take", runTake}, {"give-back", runGiveBack}},
        QStringLiteral("get|take|give-back EXT..."),
        QStringLiteral("Reads, takes over or gives back the player's file type associations."));
}

} // namespace

MAVCTL_COMMAND("assoc", "reads, takes over or gives back the player's file type associations",
               runAssoc);
