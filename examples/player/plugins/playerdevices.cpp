// SPDX-License-Identifier: LGPL-2.1-or-later
// The player's Devices menu (5): the transfer of the library's selection.
#include "../playercommon.h"

#include <MavLibrary/os/transferwizard.h>
#include <MavLibrary/plugins/menuplugin.h>

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

class PlayerDevices : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    void transfer()
    {
        QStringList files;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (const QWidget *window : windows)
            if (window->objectName() == QLatin1String(Player::LibraryWindowName))
                files = window->property(Player::SelectionProperty).toStringList();
        if (files.isEmpty()) {
            QMessageBox::information(nullptr, tr("Transfer to Device"),
                                     tr("Select the videos to transfer in the media library."));
            Player::publish(QStringLiteral("device.transfer"), -1);
            return;
        }
        const int outcome = Quorvex::TransferWizard::transferFiles(files, QString(), 0);
        if (outcome == 0)
            QMessageBox::warning(nullptr, tr("Transfer to Device"),
                                 tr("The transfer wizard is not installed."));
        Player::publish(QStringLiteral("device.transfer"), outcome);
    }
};

#include "playerdevices.moc"
