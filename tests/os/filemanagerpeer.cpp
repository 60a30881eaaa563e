// SPDX-License-Identifier: LGPL-2.1-or-later
// A file manager for the reveal tests: owns org.freedesktop.FileManager1 on the
// session bus and prints every ShowItems call; with --silent it takes the calls
// and never answers.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTextStream>

class FileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    bool silent = false;

public slots:
    void ShowItems(const QStringList &uris, const QString &startupId, const QDBusMessage &message)
    {
        QTextStream(stdout) << "ShowItems " << uris.join(QLatin1Char(' '))
                            << " startup=" << startupId << Qt::endl;
        if (silent)
            message.setDelayedReply(true);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    FileManager manager;
    manager.silent = app.arguments().contains(QStringLiteral("--silent"));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                            QDBusConnection::ExportAllSlots)
        || !bus.registerService(QStringLiteral("org.freedesktop.FileManager1")))
        return 1;
    QTextStream(stdout) << "ready" << Qt::endl;
    return app.exec();
}

#include "filemanagerpeer.moc"
