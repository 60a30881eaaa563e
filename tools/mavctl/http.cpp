// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl http: the library's HTTP client from the command line, to check a server
// the player talks to.
#include "command.h"
#include "outcomes.h"
#include "output.h"

#include <MavLibrary/net/http/httpfunctions.h>
#include <MavLibrary/net/http/httpsslutility.h>
#include <MavLibrary/net/platform/file.h>

#include <QCommandLineParser>
#include <QElapsedTimer>

#include <cstdio>

#include <unistd.h>

namespace {

using ztsc::HttpErrorIds;

// Shows a download's progress on one line of a terminal, at most ten times a second.
class ProgressUtility : public ztsc::HttpSSLUtility
{
public:
    ProgressUtility()
        : m_terminal(isatty(STDERR_FILENO))
    {
        m_shown.start();
    }
    ~ProgressUtility() override
    {
        if (m_printed)
            std::fputc('\n', stderr);
    }
    void progressChanged(double received, double total) override
    {
        if (!m_terminal || (m_shown.elapsed() < 100 && received < total))
            return;
        m_shown.restart();
        m_printed = true;
        if (total > 0)
            std::fprintf(stderr, "\r%.0f of %.0f bytes (%d%%)", received, total,
                         int(received * 100 / total));
        else
            std::fprintf(stderr, "\r%.0f bytes", received);
        std::fflush(stderr);
    }

private:
    bool m_terminal;
    bool m_printed = false;
    QElapsedTimer m_shown;
};

struct Options
{
    QCommandLineOption secure {QStringLiteral("secure"),
                               QStringLiteral("Present the client certificate, verify the server "
                                              "and its name.")};
    QCommandLineOption environment {QStringLiteral("environment"),
                                    QStringLiteral("Key material: PRODUCTION (default) or "
                                                   "LOCALHOST."),
                                    QStringLiteral("name")};
    QCommandLineOption proxy {QStringLiteral("proxy"),
                              QStringLiteral("Tunnel through the CONNECT proxy <host:port>."),
                              QStringLiteral("host:port")};
    QCommandLineOption ifModifiedSince {QStringLiteral("if-modified-since"),
                                        QStringLiteral("Ask only for a newer answer than <date> "
                                                       "(\"Sat, 03 Feb 2001 04:05:06 GMT\")."),
                                        QStringLiteral("date")};
    QCommandLineOption timeout {QStringLiteral("timeout"),
                                QStringLiteral("Give up the whole exchange after <seconds> "
                                               "(default 300)."),
                                QStringLiteral("seconds")};
    QCommandLineOption maxSize {QStringLiteral("max-size"),
                                QStringLiteral("Fail on a body longer than <bytes> (K, M, G: "
                                               "binary multiples; default 64M for get, no bound "
                                               "for download)."),
                                QStringLiteral("bytes")};
    QCommandLineOption certificate {QStringLiteral("cert"),
                                    QStringLiteral("The client certificate and key (one PEM "
                                                   "file) instead of the built-in ones."),
                                    QStringLiteral("file")};
    QCommandLineOption keyPassword {QStringLiteral("key-password"),
                                    QStringLiteral("The pass phrase of the client key."),
                                    QStringLiteral("text")};
};

// "64M" -> 67108864; false unless a whole number above 0 with an optional K, M or G.
bool readSize(QString text, std::uint64_t *bytes)
{
    int shift = 0;
    if (text.endsWith(QLatin1Char('K'), Qt::CaseInsensitive))
        shift = 10;
    else if (text.endsWith(QLatin1Char('M'), Qt::CaseInsensitive))
        shift = 20;
    else if (text.endsWith(QLatin1Char('G'), Qt::CaseInsensitive))
        shift = 30;
    if (shift)
        text.chop(1);
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || value == 0 || value > (~0ULL >> shift) || !text.front().isDigit())
        return false;
    *bytes = std::uint64_t(value) << shift;
    return true;
}

// Applies the options every operation shares (the date only where \a ifModifiedSince
// is given); returns an exit code, or -1 to go on.
int configure(const QCommandLineParser &parser, const Options &options, const QString &command,
              const QString &operation, ztsc::HttpSSLUtility &utility, std::time_t *ifModifiedSince)
{
    utility.setEnvironment(parser.value(options.environment).toStdString());
    utility.setCertificateFile(parser.value(options.certificate).toStdString());
    utility.setKeyPassword(parser.value(options.keyPassword).toStdString());
    if (parser.isSet(options.proxy)) {
        const QString value = parser.value(options.proxy);
        const qsizetype colon = value.lastIndexOf(QLatin1Char(':'));
        bool ok = false;
        const int port = value.mid(colon + 1).toInt(&ok);
        if (colon <= 0 || !ok || port < 1 || port > 65535)
            return Mavctl::usageError(command, QStringLiteral("--proxy wants host:port"));
        utility.setProxyHost(value.left(colon).toStdString());
        utility.setProxyPort(port);
    }
    if (parser.isSet(options.timeout)) {
        bool ok = false;
        const double seconds = parser.value(options.timeout).toDouble(&ok);
        if (!ok || seconds <= 0 || seconds > 86400)
            return Mavctl::usageError(command, QStringLiteral("--timeout wants seconds above 0"));
        // One bound for the whole exchange: no step may outlast it, nor stop before it.
        const int milliseconds = qMax(1, int(seconds * 1000));
        utility.setDeadline(milliseconds);
        utility.setTimeout(milliseconds);
    }
    if (operation != QLatin1String("head") && parser.isSet(options.maxSize)) {
        std::uint64_t bytes = 0;
        if (!readSize(parser.value(options.maxSize), &bytes))
            return Mavctl::usageError(command,
                                      QStringLiteral("--max-size wants a number of bytes above "
                                                     "0, with K, M or G"));
        if (operation == QLatin1String("download"))
            utility.setMaxDownloadSize(bytes);
        else
            utility.setMaxResponseSize(bytes);
    }
    if (ifModifiedSince)
        *ifModifiedSince = 0;
    if (ifModifiedSince && parser.isSet(options.ifModifiedSince)) {
        *ifModifiedSince = ztsc::parseHttpDate(parser.value(options.ifModifiedSince).toStdString());
        if (*ifModifiedSince <= 0)
            return Mavctl::usageError(command,
                                      QStringLiteral("--if-modified-since wants an HTTP "
                                                     "date"));
    }
    return -1;
}

// The outcome and status lines; the exit code: 0 for success and not modified.
int report(ztsc::HttpSSLUtility &utility, HttpErrorIds outcome)
{
    Mavctl::printLine(QStringLiteral("outcome: ") + Mavctl::outcomeText(outcome));
    Mavctl::printLine(QStringLiteral("status: %1").arg(utility.getLastStatus()));
    if (outcome == ztsc::HttpSuccess || outcome == ztsc::HttpNotModified)
        return Mavctl::Success;
    QString reason = QString::fromStdString(utility.getLastErrorText()).simplified();
    if (reason.isEmpty())
        reason = QStringLiteral("the server answered with status %1").arg(utility.getLastStatus());
    return Mavctl::fail(reason);
}

int runOperation(const QStringList &arguments, const QString &operation)
{
    QCommandLineParser parser;
    Options options;
    const QCommandLineOption include({QStringLiteral("i"), QStringLiteral("include")},
                                     QStringLiteral("Print the answer's header before the body."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Write the body into <file>."),
                                    QStringLiteral("file"));
    for (const QCommandLineOption &option :
         {options.secure, options.environment, options.proxy, options.timeout, options.certificate,
          options.keyPassword})
        parser.addOption(option);
    parser.addPositionalArgument(QStringLiteral("URL"), QStringLiteral("An http or https URL."));
    if (operation == QLatin1String("get")) {
        parser.setApplicationDescription(
            QStringLiteral("GETs a URL (one redirect followed): prints the outcome, the status "
                           "and the body. With -o, the body replaces <file> only when all of it "
                           "arrived with a success status."));
        parser.addOption(options.ifModifiedSince);
        parser.addOption(include);
        parser.addOption(output);
        parser.addOption(options.maxSize);
    } else if (operation == QLatin1String("head")) {
        parser.setApplicationDescription(
            QStringLiteral("Sends HEAD for a URL: prints the outcome, the status and the content "
                           "length."));
    } else {
        parser.setApplicationDescription(
            QStringLiteral("Downloads a URL into a file, showing the progress on a terminal. "
                           "The body replaces FILE only when all of it arrived with a success "
                           "status; a FIFO or a device is written in place."));
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Where to write."));
        parser.addOption(options.maxSize);
    }
    const QString command = arguments.value(0);
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != (operation == QLatin1String("download") ? 2 : 1))
        return Mavctl::usageError(command, QStringLiteral("wrong number of arguments"));

    ProgressUtility utility;
    std::time_t ifModifiedSince = 0;
    if (const int code = configure(parser, options, command, operation, utility,
                                   operation == QLatin1String("get") ? &ifModifiedSince : nullptr);
        code >= 0)
        return code;
    // Refused before anything is sent.
    const bool toFile = operation == QLatin1String("get") && parser.isSet(output);
    const QString target = toFile ? parser.value(output) : positional.value(1);
    QString reason;
    Mavctl::StreamTarget stream;
    if (toFile ? !Mavctl::checkOutput(target, reason)
               : operation == QLatin1String("download") && !stream.open(target, reason))
        return Mavctl::fail(QStringLiteral("cannot write %1: %2").arg(target, reason));
    const std::string url = positional[0].toStdString();
    const bool secure = parser.isSet(options.secure);
    HttpErrorIds outcome = ztsc::HttpFailure;

    if (operation == QLatin1String("head")) {
        const std::string length = utility.getContentLength(url, secure, &outcome);
        const int code = report(utility, outcome);
        if (code == Mavctl::Success)
            Mavctl::printLine(QStringLiteral("content length: %1")
                                  .arg(length.empty() ? QStringLiteral("(none)")
                                                      : QString::fromStdString(length)));
        return code;
    }
    if (operation == QLatin1String("download")) {
        ztpm::File file;
        if (file.open(stream.writerPath().toStdWString(), ztpm::File::WriteTruncate) != 0)
            return Mavctl::fail(QStringLiteral("cannot write %1").arg(target));
        std::time_t modified = 0;
        outcome = utility.download(url, &file, secure, &modified);
        const int code = report(utility, outcome);
        if (outcome == ztsc::HttpSuccess && !stream.commit(reason))
            return Mavctl::fail(QStringLiteral("cannot write %1: %2").arg(target, reason));
        if (code == Mavctl::Success) {
            double received = 0;
            utility.getDownloadProgress(&received, nullptr, nullptr);
            Mavctl::printLine(QStringLiteral("bytes: %1").arg(qint64(received)));
            if (modified > 0)
                Mavctl::printLine(QStringLiteral("last modified: %1")
                                      .arg(QString::fromStdString(ztsc::formatHttpDate(modified))));
        }
        return code;
    }

    std::time_t modified = 0;
    const ztsc::HttpSSLUtility::Response body =
        utility.get(url, ifModifiedSince, secure, &outcome, &modified);
    const int code = report(utility, outcome);
    if (modified > 0)
        Mavctl::printLine(QStringLiteral("last modified: %1")
                              .arg(QString::fromStdString(ztsc::formatHttpDate(modified))));
    if (parser.isSet(include))
        Mavctl::printLine(QString::fromLatin1(utility.getLastHeaders()).trimmed()
                          + QLatin1Char('\n'));
    if (toFile) {
        // Not modified, or not all of it: what the file holds stays.
        if (outcome == ztsc::HttpSuccess
            && !Mavctl::writeOutput(
                target, QByteArray::fromRawData(body.first, qsizetype(body.second)), reason))
            return Mavctl::fail(QStringLiteral("cannot write %1: %2").arg(target, reason));
    } else if (body.second) {
        Mavctl::writeOut(QByteArray::fromRawData(body.first, qsizetype(body.second)));
    }
    return code;
}

int runHttp(const QStringList &arguments)
{
    const QString command = arguments.value(0);
    const QString name = arguments.value(1);
    for (const char *operation : {"get", "head", "download"}) {
        if (name == QLatin1String(operation))
            return runOperation(QStringList {command + QLatin1Char(' ') + name} + arguments.mid(2),
                                name);
    }
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name.isEmpty()) {
        Mavctl::printLine(QStringLiteral("Usage: %1 get|head|download URL ...").arg(command));
        Mavctl::printLine(QStringLiteral("Requests a URL with the library's HTTP client; "
                                         "'%1 get --help' lists the options.")
                              .arg(command));
        Mavctl::printLine(QStringLiteral("Exit code 0 for success and not modified, 1 "
                                         "otherwise."));
        return name.isEmpty() ? Mavctl::UsageError : Mavctl::Success;
    }
    return Mavctl::usageError(command, QStringLiteral("unknown http command '%1'").arg(name));
}

} // namespace

MAVCTL_COMMAND("http", "requests a URL with the library's HTTP client (get, head, download)",
               runHttp);
