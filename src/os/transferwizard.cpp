// SPDX-License-Identifier: LGPL-2.1-or-later
#include "transferwizard.h"
#include "companionprogram_p.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QUrl>

namespace Quorvex {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Quorvex::TransferWizard", text);
}

} // namespace

int TransferWizard::transferFiles(const QStringList &files, const QString &extraArgument, uint id)
{
    const QString program = Companion::installedProgram(L"TransferWizard");
    if (program.isEmpty())
        return 0;
    QStringList arguments {QStringLiteral("-xfer")};
    if (!extraArgument.isEmpty())
        arguments.append(extraArgument);
    arguments << QStringLiteral("-id") << QString::number(id);

    QStringList missing;
    for (const QString &file : files) {
        if (QFile::exists(file))
            arguments << QStringLiteral("-file")
                      << QString::fromLatin1(QUrl::fromLocalFile(file).toEncoded());
        else
            missing.append(file);
    }
    if (!files.isEmpty() && missing.size() == files.size()) {
        if (missing.size() == 1)
            QMessageBox::critical(
                nullptr, tr("Video File Missing"),
                tr("The video file \"%1\" appears to be missing.").arg(missing.constFirst()),
                QMessageBox::Ok);
        else
            QMessageBox::critical(nullptr, tr("Video Files Missing"),
                                  tr("None of the selected video files could be found."),
                                  QMessageBox::Ok);
        return 3;
    }
    if (!missing.isEmpty()) {
        const auto buttons = QMessageBox::Ok | QMessageBox::Cancel;
        const QMessageBox::StandardButton answer = missing.size() == 1
            ? QMessageBox::question(nullptr, tr("Video File Missing"),
                                    tr("The video file \"%1\" appears to be missing.\n"
                                       "Would you like to transfer the remaining files?")
                                        .arg(missing.constFirst()),
                                    buttons, QMessageBox::NoButton)
            : QMessageBox::question(nullptr, tr("Video Files Missing"),
                                    tr("Some of the selected video files appear to be missing.\n"
                                       "Would you like to transfer the remaining files?"),
                                    buttons, QMessageBox::NoButton);
        if (answer == QMessageBox::Cancel)
            return 4;
    }
    return Companion::start("Lauching Transfer Wizard", program, arguments);
}

} // namespace Quorvex
