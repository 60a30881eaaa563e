// SPDX-License-Identifier: LGPL-2.1-or-later
// Runs configuration steps in a fresh process and prints each result, since the
// configuration is fixed at the first lookup of a process.
//   id                 prints getComponentIdUTF8 (and checks the wide form agrees)
//   read:KEY           prints readConfigValue(KEY, "default")
//   set:KEY=VALUE      setConfigValue
//   file:TEXT          writes TEXT ("|" for line breaks) to Config.cfg beside the program
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/text/utfconversion.h>

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using Quorvex::OSUtilities;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList steps = app.arguments().mid(1);
    for (const QString &step : steps) {
        if (step == QLatin1String("id")) {
            const std::string id = OSUtilities::getComponentIdUTF8();
            if (ztds::wideToUtf8(OSUtilities::getComponentIdWide()) != id)
                return 3;
            out << QString::fromStdString(id) << '\n';
        } else if (step.startsWith(QLatin1String("read:"))) {
            out << OSUtilities::readConfigValue(step.mid(5), QStringLiteral("default")).toString()
                << '\n';
        } else if (step.startsWith(QLatin1String("set:"))) {
            const QString assignment = step.mid(4);
            OSUtilities::setConfigValue(assignment.section(QLatin1Char('='), 0, 0),
                                        assignment.section(QLatin1Char('='), 1));
        } else if (step.startsWith(QLatin1String("file:"))) {
            QFile file(app.applicationDirPath() + QStringLiteral("/Config.cfg"));
            if (!file.open(QIODevice::WriteOnly))
                return 4;
            file.write(step.mid(5).replace(QLatin1Char('|'), QLatin1Char('\n')).toUtf8());
        } else {
            return 2;
        }
    }
    return 0;
}
