// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QString>

/*!
    Where mavctl's output goes. Standard output carries a command's body or report
    and nothing else; every write to it is checked, and main() ends with
    finishOutput(), which turns a failed write into exit code 1. Files are written
    whole or not at all.

    The write functions are thread-safe; the rest is for the main thread.
*/
namespace Mavctl {

/*!
    Takes standard output for the command's own writes and sends whatever else
    prints there (the transport's lines by design, any stray printf) to standard
    error. Called once, before anything is printed.
*/
void beginOutput();
/*!
    Closes standard output. Returns \a code, unless a write to standard output
    failed: then prints "mavctl: cannot write the output: <reason>" and returns 1
    (2 stays 2: the command line was wrong anyway).
*/
int finishOutput(int code);

//! Writes \a bytes to standard output; false, and the failure kept, when that fails.
bool writeOut(const QByteArray &bytes);
//! Writes \a text as UTF-8.
bool printText(const QString &text);

/*!
    While on, the transport's lines are counted instead of printed, each distinct
    line once (a soak would print the same few lines a million times).
    printDiagnosticCounts() prints them on standard error with their counts.
*/
void countDiagnostics(bool on);
void printDiagnosticCounts();

/*!
    Writes \a bytes to \a name. "-" is standard output (where finishOutput()
    reports a failure); a FIFO or a character
    device is written in place; anything else becomes a regular file through a
    new file renamed over it, so that a failure leaves the old file whole. Nothing
    that is not a regular file is replaced.
*/
bool writeOutput(const QString &name, const QByteArray &bytes, QString &error);
//! Whether writeOutput() would refuse \a name before it writes anything.
bool checkOutput(const QString &name, QString &error);

/*!
    A file that a writer streams into and that replaces \a name only when
    commit() says the whole of it arrived: a new file beside \a name, or \a name
    itself when it is a FIFO or a character device. Until then \a name stays as it
    was; the new file is removed when the object goes, and when SIGTERM, SIGINT or
    SIGHUP ends the process. One at a time.
*/
class StreamTarget
{
public:
    StreamTarget() = default;
    ~StreamTarget();
    StreamTarget(const StreamTarget &) = delete;
    StreamTarget &operator=(const StreamTarget &) = delete;

    //! Refuses a folder and anything but a regular file, a FIFO or a character device.
    bool open(const QString &name, QString &error);
    //! The path a writer opens: the same file, whoever replaces the names meanwhile.
    QString writerPath() const;
    //! Flushes the new file to the disk and renames it over the target.
    bool commit(QString &error);

private:
    void discard();

    QString m_name;
    QByteArray m_newPath; // empty when writing in place
    int m_fd = -1;
};

} // namespace Mavctl
