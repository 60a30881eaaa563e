// SPDX-License-Identifier: LGPL-2.1-or-later
// The transfer wizard and media server launchers, with a recorder program as the
// companion and the message boxes answered by the test.
#include "messageboxanswerer.h"
#include "testenvironment.h"

#include <MavLibrary/os/transferwizard.h>
#include <MavLibrary/os/zentrixmediaserver.h>
#include <MavLibrary/settings/settingsfunctions.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTest>

#include <memory>

using Quorvex::TransferWizard;
using Quorvex::ZentrixMediaServer;

class tst_CompanionLaunchers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_env.reset(); }
    void launch_data();
    void launch();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_CompanionLaunchers::init()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    m_env->setVariable("MAV_RECORDER_OUTPUT", QFile::encodeName(m_env->path("recorded")));
    QVERIFY(QDir().mkpath(m_env->path("videos/a b")));
    QVERIFY(QDir().mkpath(m_env->path("Zentrix Tools")));
}

void tst_CompanionLaunchers::launch_data()
{
    QTest::addColumn<bool>("server"); // the media server, else the wizard with id 7
    QTest::addColumn<QString>("program"); // "recorder", "plain file", "missing" or none
    QTest::addColumn<QStringList>("files"); // below videos/; "!" marks a missing one
    QTest::addColumn<QString>("extra");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("title"); // of the box; none: no box
    QTest::addColumn<QString>("text"); // {dir}: the videos folder
    QTest::addColumn<QStringList>("urls"); // below the videos folder, encoded

    const int ok = QMessageBox::Ok;
    const int cancel = QMessageBox::Cancel;
    const QStringList two {"a.avi", "!gone.avi"};
    const QStringList three {"a.avi", "!gone.avi", "!lost.avi"};
    const QStringList a {"a.avi"};
    const QString oneMissing =
        QStringLiteral("The video file \"{dir}/gone.avi\" appears to be missing.\n"
                       "Would you like to transfer the remaining files?");
    const QString someMissing =
        QStringLiteral("Some of the selected video files appear to be missing.\n"
                       "Would you like to transfer the remaining files?");
    const QStringList none;
    QTest::newRow("no files") << false << "recorder" << none << "" << ok << 2 << ""
                              << "" << none;
    QTest::newRow("no files, extra argument")
        << false << "recorder" << none << "-sync" << ok << 2 << ""
        << "" << none;
    QTest::newRow("one of two missing, Ok")
        << false << "recorder" << two << "" << ok << 2 << "Video File Missing" << oneMissing << a;
    QTest::newRow("one of two missing, Cancel") << false << "recorder" << two << "" << cancel << 4
                                                << "Video File Missing" << oneMissing << none;
    QTest::newRow("two of three missing, Ok") << false << "recorder" << three << "" << ok << 2
                                              << "Video Files Missing" << someMissing << a;
    QTest::newRow("the only file missing")
        << false << "recorder" << QStringList {"!gone.avi"} << "" << ok << 3 << "Video File Missing"
        << "The video file \"{dir}/gone.avi\" appears to be missing." << none;
    QTest::newRow("all files missing")
        << false << "recorder" << QStringList {"!gone.avi", "!lost.avi"} << "" << ok << 3
        << "Video Files Missing"
        << "None of the selected video files could be found." << none;
    QTest::newRow("spaces and non-ASCII letters: encoded")
        << false << "recorder" << QStringList {"a b/é ü.avi", "b.avi"} << "" << ok << 2 << ""
        << "" << QStringList {"a%20b/%C3%A9%20%C3%BC.avi", "b.avi"};
    for (const bool server : {false, true})
        QTest::addRow("%s: no InstallPath", server ? "media server" : "wizard")
            << server << "" << none << "" << ok << 0 << ""
            << "" << none;
    // Both launchers start their program the same way.
    QTest::addRow("media server: no file there") << true << "missing" << none << "" << ok << 0 << ""
                                                 << "" << none;
    QTest::addRow("media server: cannot start")
        << true << "plain file" << none << "" << ok << 1 << ""
        << "" << none;
    QTest::addRow("media server: started") << true << "recorder" << none << "" << ok << 2 << ""
                                           << "" << none;
}

void tst_CompanionLaunchers::launch()
{
    QFETCH(bool, server);
    QFETCH(QString, program);
    QFETCH(QStringList, files);
    QFETCH(QString, extra);
    QFETCH(int, answer);
    QFETCH(int, code);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QStringList, urls);
    const std::wstring component = server ? L"ZentrixMediaServer" : L"TransferWizard";
    const QString path =
        m_env->path(QStringLiteral("Zentrix Tools/%1 ü").arg(QString::fromStdWString(component)));
    if (program == QLatin1String("recorder"))
        QVERIFY(QFile::copy(QStringLiteral(COMPANION_RECORDER_PATH), path));
    else if (program == QLatin1String("plain file"))
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    if (!program.isEmpty())
        QVERIFY(ztds::installSettings::setString(component, std::wstring(L"InstallPath"),
                                                 path.toStdWString()));
    const QString dir = m_env->path("videos");
    for (QString &file : files) {
        const bool missing = file.startsWith(QLatin1Char('!'));
        file = dir + QLatin1Char('/') + file.mid(missing ? 1 : 0);
        if (!missing)
            QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    }

    QStringList expected {QStringLiteral("-config")};
    if (!server) {
        expected = QStringList {QStringLiteral("-xfer")}
            + (extra.isEmpty() ? QStringList() : QStringList {extra})
            + QStringList {QStringLiteral("-id"), QStringLiteral("7")};
        for (const QString &url : std::as_const(urls))
            expected << QStringLiteral("-file")
                     << QStringLiteral("file://") + dir + QLatin1Char('/') + url;
    }
    if (code == 1 || code == 2) {
        const QString trace =
            QStringLiteral("%1 \"%2\" with arguments: (\"%3\")")
                .arg(server ? "Lauching Zentrix Media Server" : "Lauching Transfer Wizard", path,
                     expected.join(QStringLiteral("\", \"")));
        QTest::ignoreMessage(QtDebugMsg, trace.toUtf8().constData());
    }
    MavTest::MessageBoxAnswerer answerer {QMessageBox::StandardButton(answer)};
    QCOMPARE(server ? ZentrixMediaServer::launchZMS()
                    : TransferWizard::transferFiles(files, extra, 7),
             code);
    QCOMPARE(answerer.title, title);
    QCOMPARE(answerer.text, QString(text).replace(QLatin1String("{dir}"), dir));
    QCOMPARE(int(answerer.icon),
             title.isEmpty() ? 0
                 : code == 3 ? QMessageBox::Critical
                             : QMessageBox::Question);

    QFile recorded(m_env->path("recorded"));
    if (code != 2) {
        QVERIFY(!recorded.exists());
        return;
    }
    QVERIFY(QTest::qWaitFor([&] { return recorded.exists(); }, 10000));
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(recorded.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             expected);
}

QTEST_MAIN(tst_CompanionLaunchers)
#include "tst_companionlaunchers.moc"
