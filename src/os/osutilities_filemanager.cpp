// SPDX-License-Identifier: LGPL-2.1-or-later
// Showing folders and files in the desktop's file manager.
#include "osutilities.h"

#include "oslogging_p.h"
#include "paths_p.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

/*
    The Windows build runs explorer.exe through ShellExecute; here:

    | Windows                        | Here                                                 |
    |--------------------------------|------------------------------------------------------|
    | explorer.exe "/e, <folder>\"   | QDesktopServices::openUrl(the folder's file URL)     |
    | explorer.exe "/select, <file>" | org.freedesktop.FileManager1.ShowItems([file URL],   |
    |                                | "") on the session bus; when no file manager answers |
    |                                | within Paths::FileManagerTimeoutMs, the parent       |
    |                                | folder is opened as above                            |

    No path goes through a shell. Neither operation reports failure.
*/

namespace Quorvex {

namespace {

void openFolder(const QString &folder)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        qCDebug(lcOs) << "no application opened the folder" << folder;
}

bool showItem(const QString &file)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCDebug(lcOs) << "no session bus:" << bus.lastError().message();
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList {QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded)} << QString();
    // Blocks without running the caller's event loop, so nothing re-enters it.
    const QDBusMessage reply = bus.call(call, QDBus::Block, Paths::FileManagerTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    qCDebug(lcOs) << "the file manager did not show" << file << reply.errorName()
                  << reply.errorMessage();
    return false;
}

} // namespace

void OSUtilities::openDirectory(const QString &path)
{
    openFolder(QFileInfo(path).absoluteFilePath());
}

void OSUtilities::revealFileInParentDirectory(const QString &path)
{
    const QFileInfo file(path);
    if (!showItem(file.absoluteFilePath()))
        openFolder(file.absolutePath());
}

void OSUtilities::bringApplicationToFront() { }

} // namespace Quorvex
