// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl: the command-line tool of MavLibrary.
#include "command.h"
#include "output.h"

#include <MavLibrary/libraryinfo.h>

#include <QApplication>
#include <QStringDecoder>
#include <QTextStream>

#include <memory>

namespace {

QString helpText()
{
    QString text;
    QTextStream out(&text);
    out << "Usage: mavctl <command> [options] [arguments]\n\n"
           "The command-line tool of MavLibrary.\n\n"
           "Commands:\n";
    qsizetype width = 0;
    const QList<Mavctl::Command> commands = Mavctl::Registry::all();
    for (const auto &command : commands)
        width = std::max(width, command.name.size());
    for (const auto &command : commands)
        out << "  " << command.name.leftJustified(width + 2) << command.summary << '\n';
    out << "\nOptions:\n"
           "  -h, --help     Displays this help, or a command's with 'mavctl <command> --help'.\n"
           "  -v, --version  Displays the library's version.\n";
    out.flush();
    return text;
}

int run(int argc, char *argv[])
{
    // Qt would read such bytes as U+FFFD, and a command would store that.
    for (int i = 1; i < argc; ++i) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8(QByteArrayView(argv[i])); // decodes only when converted
        if (utf8.hasError()) {
            QTextStream(stderr) << "mavctl: argument " << i << " is not valid UTF-8" << Qt::endl;
            return Mavctl::UsageError;
        }
    }
    const Mavctl::Command *command =
        argc > 1 ? Mavctl::Registry::find(QString::fromUtf8(argv[1])) : nullptr;
    std::unique_ptr<QCoreApplication> app;
    if (command && command->gui) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("mavctl"));
    QCoreApplication::setApplicationVersion(Quorvex::LibraryInfo::version());

    const QStringList arguments = QCoreApplication::arguments();
    const QString first = arguments.value(1);
    if (first.isEmpty()) {
        QTextStream(stderr) << helpText();
        return Mavctl::UsageError;
    }
    if (first == QLatin1String("-h") || first == QLatin1String("--help")) {
        Mavctl::printText(helpText());
        return Mavctl::Success;
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        Mavctl::printLine(QStringLiteral("mavctl ") + Quorvex::LibraryInfo::version());
        return Mavctl::Success;
    }
    if (!command) {
        QTextStream(stderr) << "mavctl: unknown command '" << first
                            << "'; 'mavctl --help' lists the commands" << Qt::endl;
        return Mavctl::UsageError;
    }
    QStringList rest = arguments.mid(2);
    rest.prepend(QStringLiteral("mavctl ") + command->name);
    return command->run(rest);
}

} // namespace

int main(int argc, char *argv[])
{
    Mavctl::beginOutput();
    return Mavctl::finishOutput(run(argc, argv));
}
