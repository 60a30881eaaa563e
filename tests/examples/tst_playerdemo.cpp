// SPDX-License-Identifier: LGPL-2.1-or-later
#include "childprocess.h"

#include <QImage>
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
    void everyMenuWalked();
    void screenshots_data();
    void screenshots();
    void stderrHoldsOnlyTraces();
    void failedCheckFailsTheDemo();
    void localeOption_data();
    void localeOption();
    void withoutDisplay_data();
    void withoutDisplay();

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
    MavTest::ChildOptions options;
    options.timeoutMs = 150000;
    const MavTest::ChildResult player =
        MavTest::runChild(QStringLiteral(PLAYER_EXECUTABLE),
                          QStringList {QStringLiteral("--demo"), directory} + extra
                              + QStringList {QStringLiteral(PLAYER_CLIPS_DIR "/tour.mkv")},
                          options);
    run.exitCode = player.exitCode;
    run.stderrLines = QString::fromUtf8(player.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
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

// The demo checks each step itself (exitCode): here only that it walked them all.
void tst_PlayerDemo::everyMenuWalked()
{
    for (const char *title :
         {"Start-up", "Command line", "File > Open", "Files libmpv cannot play",
          "File > Open Recent", "Playback", "View", "View > Language", "Shortcut sets",
          "Media library", "Devices", "Tools", "Help > About", "Pings", "Qt messages"}) {
        const QStringList lines = section(QLatin1String(title));
        QVERIFY2(std::any_of(lines.begin(), lines.end(),
                             [](const QString &line) { return line.startsWith(u"ok "); }),
                 title);
    }
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

// --locale replaces the system's for the library's names and the About box, and
// picks the translations: menus, the player's dialogs, the library's names and
// Qt's own buttons. The demo's own checks compare translated texts, so it passes.
void tst_PlayerDemo::localeOption_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("German") << "de_DE"
                            << QStringList {"ok    locale: language de, country de",
                                            "did     Sprache: Deutsch (de)",
                                            "menu bar: &Datei &Wiedergabe &Ansicht",
                                            "did     passt: ",
                                            "did     buttons: 2 Dateien \u00fcbertragen, Abbrechen"};
    QTest::newRow("French, Canada")
        << "fr_CA"
        << QStringList {"ok    locale: language fr, country ca",
                        "did     Langue\u00a0: Fran\u00e7ais (fr)",
                        "menu bar: &Fichier &Lecture",
                        "did     compatible\u00a0: ",
                        "did     buttons: Transf\u00e9rer 2 fichiers, Annuler"};
}

void tst_PlayerDemo::localeOption()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, expected);
    QTemporaryDir output;
    const Run run = runDemo(output.path(), {QStringLiteral("--locale"), locale});
    QVERIFY2(run.exitCode == 0, qPrintable(run.report));
    for (const QString &text : std::as_const(expected))
        QVERIFY2(run.report.contains(text), qPrintable(text));
}

void tst_PlayerDemo::withoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing to play") << QStringList();
    QTest::newRow("a clip to play") << QStringList {QStringLiteral(PLAYER_CLIPS_DIR "/tour.mkv")};
}

// One line that says what to do, and a failure Qt's abort would not give.
void tst_PlayerDemo::withoutDisplay()
{
    QFETCH(QStringList, arguments);
    MavTest::ChildOptions options;
    options.environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        options.environment.remove(QLatin1String(name));
    const MavTest::ChildResult player =
        MavTest::runChild(QStringLiteral(PLAYER_EXECUTABLE), arguments, options);
    QCOMPARE(player.exitCode, 1);
    const QList<QByteArray> lines = player.err.trimmed().split('\n');
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.constFirst().contains("needs a display")
                 && lines.constFirst().contains("--demo DIR runs without one"),
             player.err.constData());
}

QTEST_GUILESS_MAIN(tst_PlayerDemo)
#include "tst_playerdemo.moc"
