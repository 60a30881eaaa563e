// SPDX-License-Identifier: LGPL-2.1-or-later
// The player's File menu (1).
#include "../playercommon.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/menuplugin.h>
#include <MavLibrary/text/mavstringtools.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

using Quorvex::PlayerSettings;

class PlayerFile : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    void open()
    {
        QString folder = PlayerSettings::getString(Quorvex::LastOpenFileLocation);
        if (folder.isEmpty())
            folder = Quorvex::OSUtilities::getZentrixMoviesPathDefault();
        const QString movies =
            tr("Movies (%1)").arg(Quorvex::MavStringTools::getSupportedMovieExtensionsString(true));
        QFileDialog dialog(nullptr, tr("Open Movie"), folder,
                           movies + QStringLiteral(";;") + tr("All files (*)"));
        dialog.setObjectName(QStringLiteral("OpenMovieDialog"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            Player::publish(QStringLiteral("file.cancelled"));
            return;
        }
        const QString path = dialog.selectedFiles().constFirst();
        PlayerSettings::setString(Quorvex::LastOpenFileLocation, QFileInfo(path).absolutePath());
        // The "All files" filter lets anything through.
        if (!Quorvex::MavStringTools::checkMovieExtension(path)) {
            QMessageBox::warning(
                nullptr, tr("Not a Movie"),
                tr("The player does not open \"%1\".").arg(QFileInfo(path).fileName()));
            Player::publish(QStringLiteral("file.rejected"), path);
            return;
        }
        // The shell plays it; only a file libmpv opens joins the recent files.
        Player::publish(QStringLiteral("file.play"), path);
    }

    //! The shell's library keeps the folder in the settings and scans it.
    void addFolder()
    {
        QFileDialog dialog(nullptr, tr("Add Folder to Library"),
                           Quorvex::OSUtilities::getZentrixMoviesPathDefault());
        dialog.setObjectName(QStringLiteral("AddFolderDialog"));
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        Player::publish(QStringLiteral("library.addFolder"), dialog.selectedFiles().constFirst());
    }

    void quit()
    {
        Player::publish(QStringLiteral("quit"));
        QCoreApplication::quit();
    }
};

#include "playerfile.moc"
