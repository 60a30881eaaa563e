// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/services/startuptimer.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

namespace {

QStringList g_lines; // the uncategorised debug lines

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
    void done();
};

// Each call reports the time since construction, which lies between what two
// clocks of the test show: one started before the construction, one after it.
void tst_StartupTimer::done()
{
    QElapsedTimer before;
    before.start();
    Quorvex::StartupTimer timer;
    QElapsedTimer after;
    after.start();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    QList<qint64> lower, upper;
    for (int wait : {0, 150, 60}) {
        QTest::qSleep(wait);
        lower.append(after.elapsed());
        timer.done();
        upper.append(before.elapsed());
    }
    qInstallMessageHandler(previous);

    QCOMPARE(g_lines.size(), 3);
    static const QRegularExpression form(QStringLiteral("^Startup took (\\d+) milliseconds$"));
    for (int i = 0; i < 3; ++i) {
        const QRegularExpressionMatch match = form.match(g_lines.at(i));
        QVERIFY2(match.hasMatch(), qPrintable(g_lines.at(i)));
        const qint64 reported = match.captured(1).toLongLong();
        QVERIFY2(reported >= lower.at(i) && reported <= upper.at(i), qPrintable(g_lines.at(i)));
    }
}

QTEST_GUILESS_MAIN(tst_StartupTimer)

#include "tst_startuptimer.moc"
