// SPDX-License-Identifier: LGPL-2.1-or-later
// Runs on a private session bus (dbus-run-session); the file manager is
// filemanagerpeer, and every URL opened is caught by a handler.
#include "testenvironment.h"

#include "os/paths_p.h"

#include <MavLibrary/os/osutilities.h>

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QUrl>

#include <memory>

using Quorvex::OSUtilities;

class tst_OSUtilitiesFileManager : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl &url) { m_opened.append(url); }

private slots:
    void init();
    void cleanup();
    void reveal_data();
    void reveal();
    void openDirectory();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
    QList<QUrl> m_opened;
};

void tst_OSUtilitiesFileManager::init()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    m_opened.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
}

void tst_OSUtilitiesFileManager::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    m_env.reset();
}

void tst_OSUtilitiesFileManager::reveal_data()
{
    QTest::addColumn<QString>("peer"); // empty: none
    QTest::newRow("file manager answers") << "--answer";
    QTest::newRow("no file manager") << "";
    QTest::newRow("file manager never answers") << "--silent";
}

void tst_OSUtilitiesFileManager::reveal()
{
    QFETCH(QString, peer);
    const QString folder = m_env->path(QStringLiteral("Mes vidéos/été 2009"));
    const QString file = folder + QStringLiteral("/le film.avi");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));

    QProcess manager;
    if (!peer.isEmpty()) {
        manager.start(QStringLiteral(FILEMANAGERPEER_PATH), {peer});
        QVERIFY(manager.waitForReadyRead(10000));
        QCOMPARE(manager.readLine().trimmed(), QByteArray("ready"));
    }
    QElapsedTimer timer;
    timer.start();
    OSUtilities::revealFileInParentDirectory(file);
    const qint64 elapsed = timer.elapsed();

    if (!peer.isEmpty()) {
        QVERIFY(manager.canReadLine() || manager.waitForReadyRead(10000));
        const QByteArray url = QUrl::fromLocalFile(file).toEncoded();
        QVERIFY(url.contains("%20") && url.contains("%C3%A9"));
        QCOMPARE(manager.readLine().trimmed(), "ShowItems " + url + " startup=");
        manager.kill();
        manager.waitForFinished();
    }
    if (peer == QLatin1String("--answer")) {
        QCOMPARE(m_opened, QList<QUrl>());
    } else {
        QCOMPARE(m_opened, QList<QUrl> {QUrl::fromLocalFile(folder)});
        if (peer.isEmpty())
            QVERIFY2(elapsed < Quorvex::Paths::FileManagerTimeoutMs,
                     qPrintable(QString::number(elapsed)));
    }
}

void tst_OSUtilitiesFileManager::openDirectory()
{
    const QString folder = m_env->path(QStringLiteral("a folder"));
    QVERIFY(QDir().mkpath(folder));
    OSUtilities::openDirectory(folder);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_env->root()));
    OSUtilities::openDirectory(QStringLiteral("a folder"));
    QDir::setCurrent(previous);
    QCOMPARE(m_opened, (QList<QUrl> {QUrl::fromLocalFile(folder), QUrl::fromLocalFile(folder)}));
}

QTEST_GUILESS_MAIN(tst_OSUtilitiesFileManager)
#include "tst_osutilities_filemanager.moc"
