// SPDX-License-Identifier: LGPL-2.1-or-later
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// zentrix-player --demo with a clip on its command line, run as a user runs it:
// its exit code, its report, its screenshots, and nothing on stderr but the
// library's fixed trace lines.
class tst_PlayerDemo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void exitCode();
    void steps_data();
    void steps();
    void screenshots_data();
    void screenshots();
    void stderrHoldsOnlyTraces();
    void failedCheckFailsTheDemo();
    void localeOption();

private:
    struct Run
    {
        int exitCode = -1;
        QString report;
        QStringList stderrLines;
    };
    static Run runDemo(const QString &directory, const QStringList &extra = {});
    //! The lines of the report's section \a title.
    QStringList section(const QString &title) const;

    QTemporaryDir m_output;
    Run m_run;
};

tst_PlayerDemo::Run tst_PlayerDemo::runDemo(const QString &directory, const QStringList &extra)
{
    Run run;
    QProcess player;
    player.start(QStringLiteral(PLAYER_EXECUTABLE),
                 QStringList {QStringLiteral("--demo"), directory} + extra
                     + QStringList {QStringLiteral(PLAYER_CLIPS_DIR "/tour.mkv")});
    if (!player.waitForFinished(150000) || player.exitStatus() != QProcess::NormalExit) {
        player.kill();
        player.waitForFinished();
        return run;
    }
    run.exitCode = player.exitCode();
    run.stderrLines = QString::fromUtf8(player.readAllStandardError())
                          .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QFile report(directory + QStringLiteral("/report.txt"));
    if (report.open(QIODevice::ReadOnly))
        run.report = QString::fromUtf8(report.readAll());
    return run;
}

QStringList tst_PlayerDemo::section(const QString &title) const
{
    const QStringList lines = m_run.report.split(QLatin1Char('\n'));
    const qsizetype start = lines.indexOf(QStringLiteral("== ") + title);
    if (start < 0)
        return {};
    QStringList result;
    for (qsizetype i = start + 1; i < lines.size() && !lines.at(i).startsWith(QLatin1String("== "));
         ++i)
        result.append(lines.at(i));
    return result;
}

void tst_PlayerDemo::initTestCase()
{
    QVERIFY(m_output.isValid());
    m_run = runDemo(m_output.path());
    QVERIFY2(!m_run.report.isEmpty(), "the demo wrote no report");
}

void tst_PlayerDemo::exitCode()
{
    const QRegularExpression result(QStringLiteral("^== Result: (\\d+) checks, 0 failed$"),
                                    QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = result.match(m_run.report);
    QVERIFY2(match.hasMatch(), qPrintable(m_run.report));
    QVERIFY(match.captured(1).toInt() >= 60);
    QCOMPARE(m_run.exitCode, 0);
}

void tst_PlayerDemo::steps_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("evidence");
    QTest::newRow("start-up") << "Start-up"
                              << "ok    6 device profiles loaded";
    QTest::newRow("command line") << "Command line"
                                  << "ok    the command-line file tour.mkv plays at start";
    QTest::newRow("open") << "File > Open"
                          << "ok    notes.txt refused by checkMovieExtension";
    QTest::newRow("broken file") << "Files libmpv cannot play"
                                 << "ok    the player window says: Cannot play broken.mkv: ";
    QTest::newRow("recent") << "File > Open Recent"
                            << "ok    reopened, and first in the list again";
    QTest::newRow("playing") << "Playback"
                             << "ok    the position advanced";
    QTest::newRow("paused") << "Playback"
                            << "ok    the position held for 0.4 s while paused";
    QTest::newRow("seeking") << "Playback"
                             << "ok    5 s back: at ";
    QTest::newRow("speed 2") << "Playback"
                             << "ok    at speed 2, the position advanced";
    QTest::newRow("loop") << "Playback"
                          << "ok    Loop is on and kept in LoopPlayback";
    QTest::newRow("tracks") << "View > Language"
                            << "ok    the second audio track chosen: libmpv plays audio track 2";
    QTest::newRow("subtitles") << "View > Language"
                               << "ok    subtitles on: \"Zentrix captions\" is shown";
    QTest::newRow("view") << "View"
                          << "ok    and off again for both";
    QTest::newRow("shortcuts") << "Shortcut sets"
                               << "ok    the key reached the Playback plug-in";
    QTest::newRow("library") << "Media library"
                             << "ok    by size: the clips' real durations, resolutions, sizes";
    QTest::newRow("library watch") << "Media library"
                                   << "ok    and its removal: 3 movies";
    QTest::newRow("transfer check") << "Devices"
                                    << "ok    the active device takes tone.m4a, tour.mkv; not "
                                       "short.mp4 (50 frames a second is more than 30)";
    QTest::newRow("devices") << "Devices"
                             << "ok    its command line: -xfer -id 0 -file file:///";
    QTest::newRow("tools") << "Tools"
                           << "ok    getFileTypeAssociations: .avi zentrix_avi_file";
    QTest::newRow("about") << "Help > About"
                           << "ok    the worker's measurement came back through executeFunction";
    QTest::newRow("pings") << "Pings"
                           << "ok    the responder on 127.0.0.1 received those";
    QTest::newRow("messages") << "Qt messages"
                              << "ok    0 warnings from Qt or the library";
}

void tst_PlayerDemo::steps()
{
    QFETCH(QString, title);
    QFETCH(QString, evidence);
    const QStringList lines = section(title);
    QVERIFY2(!lines.isEmpty(), qPrintable(title));
    for (const QString &line : lines)
        QVERIFY2(!line.startsWith(QLatin1String("FAIL")), qPrintable(line));
    const bool found = std::any_of(lines.begin(), lines.end(),
                                   [&](const QString &line) { return line.startsWith(evidence); });
    QVERIFY2(found, qPrintable(lines.join(QLatin1Char('\n'))));
}

void tst_PlayerDemo::screenshots_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("player") << "player-file-menu.png";
    QTest::newRow("library") << "library-devices-menu.png";
    QTest::newRow("library columns") << "library.png";
    QTest::newRow("playing") << "player-playing-1.png";
    QTest::newRow("a second later") << "player-playing-2.png";
}

void tst_PlayerDemo::screenshots()
{
    QFETCH(QString, file);
    const QImage image(m_output.filePath(file));
    QVERIFY2(!image.isNull(), qPrintable(file));
    QVERIFY(image.width() >= 400 && image.height() >= 250);
    // The open menu is painted over the window: not one flat colour.
    QVERIFY(image.pixel(5, 5) != image.pixel(image.width() / 2, image.height() / 2));
}

void tst_PlayerDemo::stderrHoldsOnlyTraces()
{
    const QRegularExpression trace(
        QStringLiteral("^(Startup took \\d+ milliseconds|s_locale(Language|Country) = \\w*|"
                       "Lauching Transfer Wizard \".*\" with arguments: \\(.*\\)|"
                       "Report: .*)$"));
    for (const QString &line : std::as_const(m_run.stderrLines))
        QVERIFY2(trace.match(line).hasMatch(), qPrintable(line));
}

// The sample plug-ins of the library, loaded as well, bring more shortcut sets:
// the demo notices, says so and fails.
void tst_PlayerDemo::failedCheckFailsTheDemo()
{
    QTemporaryDir output;
    const Run run =
        runDemo(output.path(), {QStringLiteral("--plugins"), QStringLiteral(SAMPLE_PLUGINS_DIR)});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.report.contains(QLatin1String("\nFAIL  ")), qPrintable(run.report));
    QVERIFY(!run.report.contains(QLatin1String(", 0 failed")));
}

// --locale replaces the system's for the library's names and the About box.
void tst_PlayerDemo::localeOption()
{
    QTemporaryDir output;
    const Run run = runDemo(output.path(), {QStringLiteral("--locale"), QStringLiteral("fr_CA")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.report.contains(QLatin1String("ok    locale: language fr, country ca")),
             qPrintable(run.report));
    QVERIFY(run.report.contains(QLatin1String("did     Language: French (fr)")));
}

QTEST_GUILESS_MAIN(tst_PlayerDemo)
#include "tst_playerdemo.moc"
