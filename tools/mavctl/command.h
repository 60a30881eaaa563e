// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>

class QCommandLineParser;

/*!
    The sub-commands of mavctl. Each one lives in its own file and registers itself
    with MAVCTL_COMMAND; main() only dispatches.

    Exit codes: 0 success, 1 the command failed on its input (one line on stderr),
    2 the command line itself is wrong.
*/
namespace Mavctl {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

//! Runs a command; arguments[0] is "mavctl <command>".
using Handler = int (*)(const QStringList &arguments);

struct Command
{
    QString name;
    QString summary;
    Handler run = nullptr;
    //! Runs under a QApplication (offscreen unless QT_QPA_PLATFORM says otherwise).
    bool gui = false;
};

class Registry
{
public:
    static void add(const Command &command);
    //! Every command, sorted by name.
    static QList<Command> all();
    static const Command *find(const QString &name);
};

struct Registration
{
    Registration(const char *name, const char *summary, Handler run, bool gui = false)
    {
        Registry::add({QString::fromLatin1(name), QString::fromLatin1(summary), run, gui});
    }
};

/*!
    Parses \a arguments with \a parser (to which --help is added). Returns -1 when
    the command should go on, otherwise the exit code to return at once (0 after
    printing the help, 2 after printing a usage error).
*/
int parse(QCommandLineParser &parser, const QStringList &arguments);

//! Prints "mavctl: <message>" on stderr and returns 1.
int fail(const QString &message);
//! Prints "mavctl: <message>" and a hint to --help on stderr and returns 2.
int usageError(const QString &command, const QString &message);

//! Writes one line to standard output (see output.h).
void printLine(const QString &line);

struct Subcommand
{
    const char *name;
    Handler run;
};

/*!
    Runs the sub-command that arguments[1] names, with "mavctl <command> <name>"
    as its arguments[0]. Without a sub-command, or with --help, prints
    "Usage: mavctl <command> <synopsis>" and \a description.
*/
int dispatch(const QStringList &arguments, std::initializer_list<Subcommand> subcommands,
             const QString &synopsis, const QString &description);

} // namespace Mavctl

#define MAVCTL_CONCAT_(a, b) a##b
#define MAVCTL_CONCAT(a, b) MAVCTL_CONCAT_(a, b)
#define MAVCTL_COMMAND(name, summary, handler)                                                     \
    static const Mavctl::Registration MAVCTL_CONCAT(s_mavctlCommand, __LINE__)(name, summary,      \
                                                                               handler)
//! A command that makes Qt GUI objects (actions, key sequences, widgets) without showing any.
#define MAVCTL_GUI_COMMAND(name, summary, handler)                                                 \
    static const Mavctl::Registration MAVCTL_CONCAT(s_mavctlCommand, __LINE__)(name, summary,      \
                                                                               handler, true)
