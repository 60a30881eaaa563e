// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl ping: sends pings as the player does, and soaks the ping manager with
// many threads.
#include "command.h"
#include "outcomes.h"
#include "output.h"

#include "net/pingmanager_p.h"

#include <MavLibrary/net/ping.h>
#include <MavLibrary/net/pingmanager.h>
#include <MavLibrary/net/pingsender.h>
#include <MavLibrary/os/osutilities.h>

#include <QCommandLineParser>
#include <QElapsedTimer>

#include <mutex>
#include <thread>
#include <vector>

namespace {

using ztsc::HttpErrorIds;

constexpr qint64 s_maxPings = 10000000;

// Counts every report by id and by outcome; prints one line a report unless quiet.
class Reporter : public PingSender
{
public:
    Reporter(unsigned int firstId, qint64 count, bool quiet)
        : m_firstId(firstId)
        , m_times(std::size_t(count), 0)
        , m_quiet(quiet)
    { }

    void pingCompleted(Ping *ping) override
    {
        std::lock_guard locker(m_mutex);
        const unsigned int index = ping->getID() - m_firstId;
        if (index < m_times.size() && m_times[index] < 255)
            ++m_times[index];
        const HttpErrorIds result = ping->getResult();
        ++m_outcomes[result >= 0 && result < 5 ? result : ztsc::HttpFailure];
        if (!m_quiet)
            Mavctl::printLine(
                QStringLiteral("%1 %2 %3")
                    .arg(ping->getID())
                    .arg(Mavctl::outcomeText(result), QString::fromStdString(ping->getURL())));
    }

    // The first fault of the count: a ping never or twice reported; empty when none.
    QString countFault() const
    {
        qint64 missing = 0;
        for (std::size_t index = 0; index < m_times.size(); ++index) {
            if (m_times[index] > 1)
                return QStringLiteral("ping %1 was reported %2 times")
                    .arg(m_firstId + index)
                    .arg(m_times[index]);
            missing += m_times[index] == 0;
        }
        if (missing)
            return QStringLiteral("%1 of %2 pings were never reported")
                .arg(missing)
                .arg(m_times.size());
        return {};
    }
    qint64 reported() const
    {
        qint64 total = 0;
        for (const qint64 count : m_outcomes)
            total += count;
        return total;
    }
    qint64 outcomes(int kind) const { return m_outcomes[kind]; }

private:
    std::mutex m_mutex;
    const unsigned int m_firstId;
    std::vector<unsigned char> m_times; // by id - first id, capped at 255
    qint64 m_outcomes[5] = {};
    const bool m_quiet;
};

// Reads a whole number of at least \a minimum; false when the text is not one.
bool readCount(const QString &text, qint64 minimum, qint64 maximum, qint64 *value)
{
    bool ok = false;
    *value = text.toLongLong(&ok);
    return ok && *value >= minimum && *value <= maximum;
}

int runPing(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Queues a ping for each URL as the player does and prints one line a "
                       "report: id, outcome, URL. Exit code 0 when every outcome was success or "
                       "not modified. With --repeat or --threads it soaks the ping manager: "
                       "each of T threads sends every URL N times, and a summary replaces the "
                       "lines."));
    const QCommandLineOption id(QStringLiteral("id"),
                                QStringLiteral("The id of the first ping; the next count up "
                                               "(default 1)."),
                                QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption repeat(QStringLiteral("repeat"),
                                    QStringLiteral("Each thread sends every URL N times."),
                                    QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption threads(QStringLiteral("threads"),
                                     QStringLiteral("Send from T threads at once (default 1)."),
                                     QStringLiteral("T"), QStringLiteral("1"));
    const QCommandLineOption timeout(QStringLiteral("timeout"),
                                     QStringLiteral("Give up a ping after <seconds> for its "
                                                    "whole exchange (default 30)."),
                                     QStringLiteral("seconds"));
    for (const QCommandLineOption &option : {id, repeat, threads, timeout})
        parser.addOption(option);
    parser.addPositionalArgument(QStringLiteral("URL"), QStringLiteral("What to ping."),
                                 QStringLiteral("URL..."));
    const QString command = arguments.value(0);
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return Mavctl::usageError(command, QStringLiteral("no URL given"));
    qint64 firstId = 0;
    qint64 repeatCount = 0;
    qint64 threadCount = 0;
    if (!readCount(parser.value(id), 0, 0xffffffffLL, &firstId))
        return Mavctl::usageError(command, QStringLiteral("--id wants a number from 0"));
    if (!readCount(parser.value(repeat), 1, s_maxPings, &repeatCount))
        return Mavctl::usageError(command, QStringLiteral("--repeat wants a number from 1"));
    if (!readCount(parser.value(threads), 1, 64, &threadCount))
        return Mavctl::usageError(command, QStringLiteral("--threads wants 1 to 64"));
    const qint64 total = repeatCount * threadCount * positional.size();
    if (total > s_maxPings || firstId + total - 1 > 0xffffffffLL)
        return Mavctl::usageError(
            command, QStringLiteral("at most %1 pings, with ids below 2^32").arg(s_maxPings));
    if (parser.isSet(timeout)) {
        bool ok = false;
        const double seconds = parser.value(timeout).toDouble(&ok);
        if (!ok || seconds <= 0 || seconds > 86400)
            return Mavctl::usageError(command, QStringLiteral("--timeout wants seconds above 0"));
        // One bound for the whole exchange: no step may outlast it, nor stop before it.
        const int milliseconds = qMax(1, int(seconds * 1000));
        PingManagerPrivate::setDeadline(milliseconds);
        PingManagerPrivate::setTimeout(milliseconds);
    }
    if (Quorvex::OSUtilities::getPlatform() == Quorvex::OSUtilities::PRef)
        return Mavctl::fail(QStringLiteral("reference-player mode (Global/ReferencePlayerMode): "
                                           "the player sends no pings"));

    const bool soak = parser.isSet(repeat) || parser.isSet(threads);
    std::vector<std::string> urls;
    for (const QString &url : positional)
        urls.push_back(url.toStdString());
    Reporter reporter(unsigned(firstId), total, soak);
    Mavctl::countDiagnostics(soak);

    QElapsedTimer timer;
    timer.start();
    std::vector<std::thread> senders;
    for (qint64 t = 0; t < threadCount; ++t) {
        senders.emplace_back([&, t] {
            qint64 index = t * repeatCount * qint64(urls.size());
            for (qint64 r = 0; r < repeatCount; ++r) {
                for (const std::string &url : urls)
                    PingManager::sendPing(url, &reporter, unsigned(firstId + index++));
            }
        });
    }
    for (std::thread &sender : senders)
        sender.join();
    PingManager::shutdown();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (soak) {
        Mavctl::countDiagnostics(false);
        Mavctl::printDiagnosticCounts();
    }

    const qint64 fine =
        reporter.outcomes(ztsc::HttpSuccess) + reporter.outcomes(ztsc::HttpNotModified);
    if (soak) {
        Mavctl::printLine(QStringLiteral("queued: %1").arg(total));
        Mavctl::printLine(QStringLiteral("reported: %1").arg(reporter.reported()));
        for (int kind = 0; kind < 5; ++kind) {
            if (reporter.outcomes(kind))
                Mavctl::printLine(QStringLiteral("%1: %2")
                                      .arg(Mavctl::outcomeText(HttpErrorIds(kind)))
                                      .arg(reporter.outcomes(kind)));
        }
        Mavctl::printLine(QStringLiteral("pings per second: %1")
                              .arg(seconds > 0 ? double(total) / seconds : 0.0, 0, 'f', 1));
    }
    if (const QString fault = reporter.countFault(); !fault.isEmpty())
        return Mavctl::fail(fault);
    if (fine != total)
        return Mavctl::fail(QStringLiteral("%1 of %2 pings failed").arg(total - fine).arg(total));
    return Mavctl::Success;
}

} // namespace

MAVCTL_COMMAND("ping", "sends pings as the player does; soaks the ping manager", runPing);
