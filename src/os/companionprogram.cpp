// SPDX-License-Identifier: LGPL-2.1-or-later
// The companion programs are found through the installation settings and started
// detached, so that they outlive the player.
#include "companionprogram_p.h"

#include <MavLibrary/settings/settingsfunctions.h>

#include <QDebug>
#include <QFile>
#include <QProcess>

namespace Quorvex::Companion {

QString installedProgram(const std::wstring &component)
{
    std::wstring path;
    if (!ztds::installSettings::getString(component, std::wstring(L"InstallPath"), path))
        return QString();
    const QString program = QString::fromStdWString(path);
    return QFile::exists(program) ? program : QString();
}

int start(const char *trace, const QString &program, const QStringList &arguments)
{
    // Spelled and laid out as the player has always printed it (a string in
    // double quotes, a list in parentheses), whatever the Qt version.
    QStringList quoted;
    for (const QString &argument : arguments)
        quoted.append(QLatin1Char('"') + argument + QLatin1Char('"'));
    qDebug().noquote() << trace << QLatin1Char('"') + program + QLatin1Char('"')
                       << "with arguments:"
                       << QLatin1Char('(') + quoted.join(QStringLiteral(", ")) + QLatin1Char(')');
    return QProcess::startDetached(program, arguments) ? 2 : 1;
}

} // namespace Quorvex::Companion
