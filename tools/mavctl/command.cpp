// SPDX-License-Identifier: LGPL-2.1-or-later
#include "command.h"
#include "output.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <algorithm>

namespace Mavctl {

namespace {

QList<Command> &commands()
{
    static QList<Command> s_commands;
    return s_commands;
}

} // namespace

void Registry::add(const Command &command)
{
    commands().append(command);
}

QList<Command> Registry::all()
{
    QList<Command> sorted = commands();
    std::sort(sorted.begin(), sorted.end(),
              [](const Command &a, const Command &b) { return a.name < b.name; });
    return sorted;
}

const Command *Registry::find(const QString &name)
{
    for (const Command &command : commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

int parse(QCommandLineParser &parser, const QStringList &arguments)
{
    const QString command = arguments.value(0);
    parser.addHelpOption();
    if (!parser.parse(arguments))
        return usageError(command, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        // Qt names only the program; the usage line should name the command too.
        QString help = parser.helpText();
        const int end = help.indexOf(QLatin1Char('\n'));
        const QString first = help.left(end);
        const int programEnd = first.indexOf(QLatin1Char(' '), first.indexOf(QLatin1Char(':')) + 2);
        help.replace(0, programEnd < 0 ? end : programEnd, QStringLiteral("Usage: ") + command);
        printText(help);
        return Success;
    }
    return -1;
}

int fail(const QString &message)
{
    QTextStream(stderr) << "mavctl: " << message << Qt::endl;
    return Failure;
}

int usageError(const QString &command, const QString &message)
{
    QTextStream err(stderr);
    err << "mavctl: " << message << Qt::endl;
    err << "Try '" << command << " --help' for more information." << Qt::endl;
    return UsageError;
}

int dispatch(const QStringList &arguments, std::initializer_list<Subcommand> subcommands,
             const QString &synopsis, const QString &description)
{
    const QString command = arguments.value(0);
    const QString name = arguments.value(1);
    for (const Subcommand &sub : subcommands) {
        if (name == QLatin1String(sub.name))
            return sub.run(QStringList {command + QLatin1Char(' ') + name} + arguments.mid(2));
    }
    if (!name.isEmpty() && name != QLatin1String("--help") && name != QLatin1String("-h")) {
        const QString shortName = command.section(QLatin1Char(' '), -1);
        return usageError(command, QStringLiteral("unknown %1 command '%2'").arg(shortName, name));
    }
    printLine(QStringLiteral("Usage: %1 %2").arg(command, synopsis));
    printLine(description);
    return name.isEmpty() ? UsageError : Success;
}

} // namespace Mavctl
