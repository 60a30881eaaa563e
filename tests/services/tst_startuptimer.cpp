// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/services/startuptimer.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

using Quorvex::StartupTimer;

namespace {

QStringList g_lines;

void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg && qstrcmp(context.category, "default") == 0)
        g_lines.append(message);
}

} // namespace

class tst_StartupTimer : public QObject
{
    Q_OBJECT

private slots:
    void done_data();
    void done();
};

void tst_StartupTimer::done_data()
{
    QTest::addColumn<int>("waitMs");
    QTest::addColumn<int>("calls");
    QTest::newRow("at once") << 0 << 1;
    QTest::newRow("after 150 ms") << 150 << 1;
    // Each call counts from the construction, not from the call before.
    QTest::newRow("called three times") << 60 << 3;
}

void tst_StartupTimer::done()
{
    QFETCH(int, waitMs);
    QFETCH(int, calls);
    g_lines.clear();
    QElapsedTimer outer; // runs at least as long as the timer
    outer.start();
    StartupTimer timer;
    QElapsedTimer inner; // runs at most as long
    inner.start();

    const QtMessageHandler previous = qInstallMessageHandler(collect);
    QList<qint64> lower, upper;
    for (int i = 0; i < calls; ++i) {
        QTest::qSleep(waitMs);
        lower.append(inner.elapsed());
        timer.done();
        upper.append(outer.elapsed());
    }
    qInstallMessageHandler(previous);

    QCOMPARE(g_lines.size(), calls);
    static const QRegularExpression form(QStringLiteral("^Startup took (\\d+) milliseconds$"));
    for (int i = 0; i < calls; ++i) {
        const QRegularExpressionMatch match = form.match(g_lines.at(i));
        QVERIFY2(match.hasMatch(), qPrintable(g_lines.at(i)));
        const qint64 reported = match.captured(1).toLongLong();
        QVERIFY2(reported >= lower.at(i) && reported <= upper.at(i), qPrintable(g_lines.at(i)));
    }
}

QTEST_GUILESS_MAIN(tst_StartupTimer)

#include "tst_startuptimer.moc"
