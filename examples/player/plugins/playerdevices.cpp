// SPDX-License-Identifier: LGPL-2.1-or-later
// The player's Devices menu (5): the transfer of the library's selection to
// the active device, for the files its profile takes.
#include "../playercommon.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/os/transferwizard.h>
#include <MavLibrary/plugins/menuplugin.h>
#include <MavLibrary/profiles/profilemanager.h>
#include <MavLibrary/profiles/profilewrapper.h>

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

class PlayerDevices : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public Q_SLOTS:
    //! Sorts the library's selection by what the active device takes, says so,
    //! and hands the wizard only the files that fit.
    void transfer()
    {
        QVariantList media;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (const QWidget *window : windows)
            if (window->objectName() == QLatin1String(Player::LibraryWindowName))
                media = window->property(Player::SelectedMediaProperty).toList();
        if (media.isEmpty()) {
            QMessageBox::information(nullptr, tr("Transfer to Device"),
                                     tr("Select the videos to transfer in the media library."));
            Player::publish(QStringLiteral("device.transfer"), -1);
            return;
        }
        const Quorvex::ProfileWrapper *profile = Quorvex::ProfileManager::instance(nullptr)
            ? Quorvex::ProfileManager::instance(nullptr)->getActiveProfile()
            : nullptr;
        QStringList fitting, lines;
        for (const QVariant &entry : std::as_const(media)) {
            const QVariantMap file = entry.toMap();
            const QString path = file.value(QStringLiteral("path")).toString();
            const QString why = profile ? unfit(file, *profile) : QString();
            if (why.isEmpty())
                fitting.append(path);
            lines.append(why.isEmpty()
                             ? tr("fits: %1").arg(QFileInfo(path).fileName())
                             : tr("does not fit: %1 (%2)").arg(QFileInfo(path).fileName(), why));
        }
        const QString device = profile ? deviceName(*profile) : tr("the device");
        QMessageBox box(fitting.isEmpty() ? QMessageBox::Warning : QMessageBox::Question,
                        tr("Transfer to Device"),
                        tr("For %1:\n%2").arg(device, lines.join(QLatin1Char('\n'))));
        box.setObjectName(QStringLiteral("TransferCheckBox"));
        QPushButton *go = nullptr;
        if (!fitting.isEmpty())
            go = box.addButton(tr("Transfer %n file(s)", nullptr, int(fitting.size())),
                               QMessageBox::AcceptRole);
        box.addButton(fitting.isEmpty() ? QMessageBox::Ok : QMessageBox::Cancel);
        box.exec();
        if (!go || box.clickedButton() != go) {
            Player::publish(QStringLiteral("device.transfer"), -1);
            return;
        }
        const int outcome = Quorvex::TransferWizard::transferFiles(fitting, QString(), 0);
        if (outcome == 0 || outcome == 1)
            QMessageBox::warning(nullptr, tr("Transfer to Device"),
                                 outcome == 0 ? tr("The transfer wizard is not installed.")
                                              : tr("The transfer wizard could not be started."));
        Player::publish(QStringLiteral("device.transfer"), outcome);
    }

private:
    //! Why the device cannot take the file, by its profile's video limits;
    //! empty when it can. Sound alone has no video limit.
    static QString unfit(const QVariantMap &file, const Quorvex::ProfileWrapper &profile)
    {
        const unsigned width = file.value(QStringLiteral("width")).toUInt();
        const unsigned height = file.value(QStringLiteral("height")).toUInt();
        const double rate = file.value(QStringLiteral("frameRate")).toDouble();
        if (width == 0)
            return QString();
        const Quorvex::VideoLimits &min = profile.videoMin, &max = profile.videoMax;
        QStringList reasons;
        if (width > max.width || height > max.height)
            reasons.append(tr("%1x%2 is larger than %3x%4")
                               .arg(width)
                               .arg(height)
                               .arg(max.width)
                               .arg(max.height));
        if (width < min.width || height < min.height)
            reasons.append(tr("%1x%2 is smaller than %3x%4")
                               .arg(width)
                               .arg(height)
                               .arg(min.width)
                               .arg(min.height));
        // Frame rates are written rounded ("29.97"): a hundredth is no difference.
        if (rate > 0 && rate > max.frameRate + 0.01)
            reasons.append(tr("%1 frames a second is more than %2").arg(rate).arg(max.frameRate));
        if (rate > 0 && rate + 0.01 < min.frameRate)
            reasons.append(tr("%1 frames a second is less than %2").arg(rate).arg(min.frameRate));
        return reasons.join(QStringLiteral("; "));
    }

    static QString deviceName(const Quorvex::ProfileWrapper &profile)
    {
        return Player::profileName(profile.guid);
    }
};

#include "playerdevices.moc"
