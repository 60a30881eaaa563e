// SPDX-License-Identifier: LGPL-2.1-or-later
// The player's Tools menu (6).
#include "../playercommon.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/menuplugin.h>
#include <MavLibrary/text/mavstringtools.h>
#include <settings/registry_p.h>

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using Quorvex::OSUtilities;

class PlayerTools : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    //! One check box per movie extension, checked where the player opens it now;
    //! only the boxes the user changed are applied.
    void showFileTypes()
    {
        QStringList extensions;
        const QStringList movies = Quorvex::MavStringTools::getSupportedMovieExtensions(false);
        for (const QString &extension : movies)
            extensions.append(QLatin1Char('.') + extension);
        QMap<QString, QString> current;
        OSUtilities::getFileTypeAssociations(extensions, current);

        QDialog dialog;
        dialog.setObjectName(QStringLiteral("FileTypesDialog"));
        dialog.setWindowTitle(tr("File Types"));
        auto *layout = new QVBoxLayout(&dialog);
        layout->addWidget(new QLabel(tr("Open these files with Zentrix Player:"), &dialog));
        auto *grid = new QGridLayout;
        layout->addLayout(grid);
        QList<QCheckBox *> boxes;
        for (const QString &extension : std::as_const(extensions)) {
            auto *box = new QCheckBox(extension, &dialog);
            box->setObjectName(extension);
            box->setChecked(current.value(extension) == ownProgId(extension));
            grid->addWidget(box, boxes.size() / 4, boxes.size() % 4);
            boxes.append(box);
        }
        auto *buttons =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addWidget(buttons);
        if (dialog.exec() != QDialog::Accepted)
            return;

        QMap<QString, bool> wanted;
        for (const QCheckBox *box : std::as_const(boxes))
            if (box->isChecked() != (current.value(box->text()) == ownProgId(box->text())))
                wanted.insert(box->text(), box->isChecked());
        const bool applied = wanted.isEmpty() || OSUtilities::setFileTypeAssociations(wanted);
        Player::publish(QStringLiteral("tools.fileTypes"), applied ? wanted.size() : -1);
    }

    //! Where the settings really are: the folder of the user hive.
    void showSettingsFolder()
    {
        const QString folder =
            QFileInfo(
                QString::fromStdString(ztds::registry::hiveFile(ztds::registry::Hive::CurrentUser)))
                .absolutePath();
        OSUtilities::openDirectory(folder);
        Player::publish(QStringLiteral("tools.settingsFolder"), folder);
    }

    void revealLastFile()
    {
        const QStringList recent = Player::recentFiles();
        if (!recent.isEmpty())
            OSUtilities::revealFileInParentDirectory(recent.constFirst());
        Player::publish(QStringLiteral("tools.reveal"), recent.value(0));
    }

private:
    static QString ownProgId(const QString &extension)
    {
        return QStringLiteral("zentrix_") + extension.mid(1) + QStringLiteral("_file");
    }
};

#include "playertools.moc"
