// SPDX-License-Identifier: LGPL-2.1-or-later
// The transfer wizard and media server launchers, with a recorder program as the
// companion and the message boxes answered by the test.
#include "testenvironment.h"

#include <MavLibrary/os/transferwizard.h>
#include <MavLibrary/os/zentrixmediaserver.h>
#include <MavLibrary/settings/settingsfunctions.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <memory>

using Quorvex::TransferWizard;
using Quorvex::ZentrixMediaServer;

namespace {

// Answers the first message box that comes up and remembers what it showed.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton button)
        : m_button(button)
    {
        m_timer.callOnTimeout(this, &BoxAnswerer::answer);
        m_timer.start(10);
    }

    QString title;
    QString text;
    int icon = 0;

private:
    void answer()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_timer.stop();
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        if (QAbstractButton *button = box->button(m_button))
            button->click();
        else
            box->reject();
    }

    QMessageBox::StandardButton m_button;
    QTimer m_timer;
};

QString trace(const char *what, const QString &program, const QStringList &arguments)
{
    return QStringLiteral("%1 \"%2\" with arguments: (\"%3\")")
        .arg(QLatin1String(what), program, arguments.join(QStringLiteral("\", \"")));
}

} // namespace

class tst_CompanionLaunchers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_env.reset(); }

    void transferFiles_data();
    void transferFiles();
    void launch_data();
    void launch();

private:
    QString install(const std::wstring &component, const QString &kind);
    QStringList recorded();

    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_CompanionLaunchers::init()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    m_env->setVariable("MAV_RECORDER_OUTPUT",
                       QFile::encodeName(m_env->path(QStringLiteral("recorded"))));
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("videos/a b"))));
}

// "recorder": the recorder; "plain file": a file that cannot be run; "missing": a path without a
// file.
QString tst_CompanionLaunchers::install(const std::wstring &component, const QString &kind)
{
    const QString program =
        m_env->path(QStringLiteral("Zentrix Tools/%1 ü").arg(QString::fromStdWString(component)));
    QDir().mkpath(m_env->path(QStringLiteral("Zentrix Tools")));
    if (kind == QLatin1String("recorder"))
        QFile::copy(QStringLiteral(COMPANION_RECORDER_PATH), program);
    else if (kind == QLatin1String("plain file"))
        QFile(program).open(QIODevice::WriteOnly);
    if (!kind.isEmpty())
        ztds::installSettings::setString(component, std::wstring(L"InstallPath"),
                                         program.toStdWString());
    return program;
}

QStringList tst_CompanionLaunchers::recorded()
{
    QFile file(m_env->path(QStringLiteral("recorded")));
    if (!QTest::qWaitFor([&] { return file.exists(); }, 10000) || !file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<nothing recorded>")};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void tst_CompanionLaunchers::transferFiles_data()
{
    QTest::addColumn<QStringList>("files"); // below videos/
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("icon"); // 0: no box
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // {dir}: the videos folder
    QTest::addColumn<QStringList>("urls"); // below the videos folder, encoded

    const int ok = QMessageBox::Ok;
    const int cancel = QMessageBox::Cancel;
    const int question = QMessageBox::Question;
    const int critical = QMessageBox::Critical;
    const QStringList two {"a.avi", "gone.avi"};
    const QStringList three {"a.avi", "gone.avi", "lost.avi"};
    const QStringList onlyA {"a.avi"};
    const QString oneMissing =
        QStringLiteral("The video file \"{dir}/gone.avi\" appears to be missing.\n"
                       "Would you like to transfer the remaining files?");
    const QString someMissing =
        QStringLiteral("Some of the selected video files appear to be missing.\n"
                       "Would you like to transfer the remaining files?");

    QTest::newRow("no files") << QStringList() << QStringList() << "" << ok << 2 << 0 << ""
                              << "" << QStringList();
    QTest::newRow("no files, extra argument")
        << QStringList() << QStringList() << "-sync" << ok << 2 << 0 << ""
        << "" << QStringList();
    QTest::newRow("one of two missing, Ok")
        << two << onlyA << "" << ok << 2 << question << "Video File Missing" << oneMissing << onlyA;
    QTest::newRow("one of two missing, Cancel")
        << two << onlyA << "" << cancel << 4 << question << "Video File Missing" << oneMissing
        << QStringList();
    QTest::newRow("two of three missing, Ok") << three << onlyA << "" << ok << 2 << question
                                              << "Video Files Missing" << someMissing << onlyA;
    QTest::newRow("two of three missing, Cancel")
        << three << onlyA << "" << cancel << 4 << question << "Video Files Missing" << someMissing
        << QStringList();
    QTest::newRow("the only file missing")
        << QStringList {"gone.avi"} << QStringList() << "" << ok << 3 << critical
        << "Video File Missing"
        << "The video file \"{dir}/gone.avi\" appears to be missing." << QStringList();
    QTest::newRow("all files missing")
        << two << QStringList() << "" << ok << 3 << critical << "Video Files Missing"
        << "None of the selected video files could be found." << QStringList();
    QTest::newRow("spaces and non-ASCII letters: encoded")
        << QStringList {"a b/é ü.avi", "b.avi"} << QStringList {"a b/é ü.avi", "b.avi"} << "" << ok
        << 2 << 0 << ""
        << "" << QStringList {"a%20b/%C3%A9%20%C3%BC.avi", "b.avi"};
}

void tst_CompanionLaunchers::transferFiles()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, present);
    QFETCH(QString, extra);
    QFETCH(int, answer);
    QFETCH(int, code);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QStringList, urls);
    const QString program = install(L"TransferWizard", QStringLiteral("recorder"));
    const QString dir = m_env->path(QStringLiteral("videos"));
    for (QString &file : files) {
        file = dir + QLatin1Char('/') + file;
        if (present.contains(file.mid(dir.size() + 1)))
            QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    }
    QStringList expected {QStringLiteral("-xfer")};
    if (!extra.isEmpty())
        expected << extra;
    expected << QStringLiteral("-id") << QStringLiteral("7");
    for (const QString &url : std::as_const(urls))
        expected << QStringLiteral("-file")
                 << QStringLiteral("file://") + dir + QLatin1Char('/') + url;
    if (code == 2)
        QTest::ignoreMessage(
            QtDebugMsg, trace("Lauching Transfer Wizard", program, expected).toUtf8().constData());

    BoxAnswerer answerer {QMessageBox::StandardButton(answer)};
    QCOMPARE(TransferWizard::transferFiles(files, extra, 7), code);
    QCOMPARE(answerer.icon, icon);
    QCOMPARE(answerer.title, title);
    QCOMPARE(answerer.text, QString(text).replace(QLatin1String("{dir}"), dir));
    if (code == 2)
        QCOMPARE(recorded(), expected);
    else
        QVERIFY(!QFile::exists(m_env->path(QStringLiteral("recorded"))));
}

void tst_CompanionLaunchers::launch_data()
{
    QTest::addColumn<bool>("mediaServer");
    QTest::addColumn<QString>("program"); // see install()
    QTest::addColumn<int>("code");

    for (const bool server : {false, true}) {
        const char *name = server ? "media server: " : "transfer wizard: ";
        QTest::addRow("%sno InstallPath", name) << server << "" << 0;
        QTest::addRow("%sno file at InstallPath", name) << server << "missing" << 0;
        QTest::addRow("%scannot start", name) << server << "plain file" << 1;
    }
    QTest::addRow("media server: started") << true << "recorder" << 2;
}

void tst_CompanionLaunchers::launch()
{
    QFETCH(bool, mediaServer);
    QFETCH(QString, program);
    QFETCH(int, code);
    const std::wstring component = mediaServer ? L"ZentrixMediaServer" : L"TransferWizard";
    const QString path = install(component, program);
    const QStringList arguments =
        mediaServer ? QStringList {"-config"} : QStringList {"-xfer", "-id", "7"};
    if (code > 0)
        QTest::ignoreMessage(
            QtDebugMsg,
            trace(mediaServer ? "Lauching Zentrix Media Server" : "Lauching Transfer Wizard", path,
                  arguments)
                .toUtf8()
                .constData());
    QCOMPARE(mediaServer ? ZentrixMediaServer::launchZMS()
                         : TransferWizard::transferFiles({}, {}, 7),
             code);
    if (code == 2)
        QCOMPARE(recorded(), arguments);
}

QTEST_MAIN(tst_CompanionLaunchers)
#include "tst_companionlaunchers.moc"
