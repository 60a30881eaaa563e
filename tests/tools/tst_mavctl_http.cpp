// SPDX-License-Identifier: LGPL-2.1-or-later
#include "mavctlprocess.h"
#include "testenvironment.h"

#include <nginxserver.h>
#include <rawhttpserver.h>
#include <testcertificates.h>
#include <tinyproxyserver.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cerrno>
#include <memory>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using MavTest::NginxServer;

class tst_MavctlHttp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void commands_data();
    void commands();
    void intoFile_data();
    void intoFile();
    void terminated_data();
    void terminated();
    void endlessBody_data();
    void endlessBody();

private:
    QString expand(QString text) const;
    QStringList httpArguments(const QStringList &arguments) const;
    // A fresh folder for one case; {file} is out.bin in it.
    QString caseFolder();

    std::unique_ptr<NginxServer> m_nginx;
    std::unique_ptr<MavTest::TinyproxyServer> m_proxy;
    std::unique_ptr<MavTest::RawHttpServer> m_silent;
    // Content-Length 100000: the whole header, half the body, then it closes or holds.
    std::unique_ptr<MavTest::RawHttpServer> m_short;
    std::unique_ptr<MavTest::RawHttpServer> m_held;
    std::unique_ptr<MavTest::RawHttpServer> m_endless;
    std::unique_ptr<MavTest::TestEnvironment> m_env;
    int m_cases = 0;
    QString m_folder;
};

namespace {

using MavTest::RawHttpServer;

// Answers HEAD with the header alone and GET with the header and half the body.
RawHttpServer::Behaviour halfBody(bool hold)
{
    return [hold](RawHttpServer::Connection &connection) {
        const QByteArray request = connection.readRequest();
        connection.send("HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n");
        if (request.startsWith("HEAD"))
            return;
        connection.send(QByteArray(50000, 'h'));
        if (hold)
            connection.waitForRelease();
    };
}

const QByteArray s_oldContents = "what the file held before\n";

} // namespace

void tst_MavctlHttp::initTestCase()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    m_nginx = std::make_unique<NginxServer>();
    QVERIFY2(m_nginx->start(), qPrintable(m_nginx->errorString()));
    QVERIFY(m_nginx->createFile(QStringLiteral("data.bin"), QByteArray(100000, 'd')));
    m_proxy = std::make_unique<MavTest::TinyproxyServer>();
    QVERIFY2(m_proxy->start(), qPrintable(m_proxy->errorString()));
    m_silent = std::make_unique<MavTest::RawHttpServer>(
        [](MavTest::RawHttpServer::Connection &connection) { connection.waitForRelease(); });
    QVERIFY(m_silent->start());
    m_short = std::make_unique<RawHttpServer>(halfBody(false));
    QVERIFY(m_short->start());
    m_held = std::make_unique<RawHttpServer>(halfBody(true));
    QVERIFY(m_held->start());
    // Stops only when the client goes, or at 2 GiB: far past any bound a client keeps.
    m_endless = std::make_unique<RawHttpServer>([](RawHttpServer::Connection &connection) {
        connection.readRequest();
        const QByteArray chunk(1 << 20, 'e');
        if (!connection.send("HTTP/1.0 200 OK\r\n\r\n"))
            return;
        for (int i = 0; i < 2048 && connection.send(chunk); ++i) { }
    });
    QVERIFY(m_endless->start());
}

void tst_MavctlHttp::cleanupTestCase()
{
    m_endless.reset();
    m_held.reset();
    m_short.reset();
    m_silent.reset();
    m_proxy.reset();
    m_nginx.reset();
    m_env.reset();
}

QString tst_MavctlHttp::caseFolder()
{
    m_folder = m_env->path(QStringLiteral("case%1").arg(++m_cases));
    QDir().mkpath(m_folder);
    return m_folder;
}

QString tst_MavctlHttp::expand(QString text) const
{
    const MavTest::TestCertificates &certificates = MavTest::TestCertificates::instance();
    return text.replace(QLatin1String("{http}"), m_nginx->url(NginxServer::Http, {}))
        .replace(QLatin1String("{https}"), m_nginx->url(NginxServer::Https, {}))
        .replace(QLatin1String("{client}"), m_nginx->url(NginxServer::HttpsClientCertificate, {}))
        .replace(QLatin1String("{proxy}"), QStringLiteral("127.0.0.1:%1").arg(m_proxy->port()))
        .replace(QLatin1String("{silent}"), m_silent->url())
        .replace(QLatin1String("{short}"), m_short->url())
        .replace(QLatin1String("{held}"), m_held->url())
        .replace(QLatin1String("{endless}"), m_endless->url())
        .replace(QLatin1String("{file}"), m_folder + QStringLiteral("/out.bin"))
        .replace(QLatin1String("{identity}"), certificates.clientIdentity())
        .replace(QLatin1String("{password}"), MavTest::TestCertificates::keyPassword());
}

QStringList tst_MavctlHttp::httpArguments(const QStringList &arguments) const
{
    QStringList expanded {QStringLiteral("http")};
    for (const QString &argument : arguments)
        expanded.append(expand(argument));
    return expanded;
}

void tst_MavctlHttp::commands_data()
{
    QTest::addColumn<QStringList>("arguments"); // after "http"; {placeholders} expanded
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // must be contained in stdout
    QTest::addColumn<QString>("err"); // must be contained in stderr
    QTest::addColumn<int>("fileSize"); // of {file} afterwards; -1: not looked at

    const QString hello =
        QStringLiteral("outcome: HttpSuccess (0)\nstatus: 200\nHello from nginx\n");
    QTest::newRow("get") << QStringList {"get", "{http}/ok"} << 0 << hello << QString() << -1;
    QTest::newRow("get, with the header")
        << QStringList {"get", "--include", "{http}/ok"} << 0
        << "status: 200\nHTTP/1.1 200 OK\r\nServer: nginx" << QString() << -1;
    QTest::newRow("get into a file")
        << QStringList {"get", "-o", "{file}", "{http}/files/data.bin"} << 0 << "status: 200\n"
        << QString() << 100000;
    QTest::newRow("not modified") << QStringList {"get", "--if-modified-since",
                                                  "Sat, 03 Feb 2001 04:05:06 GMT",
                                                  "{https}/files/fixed.txt"}
                                  << 0
                                  << "outcome: HttpNotModified (3)\nstatus: 304\nlast modified: "
                                     "Sat, 03 Feb 2001 04:05:06 GMT\n"
                                  << QString() << -1;
    QTest::newRow("404") << QStringList {"get", "{http}/missing"} << 1
                         << "outcome: HttpFailure (1)\nstatus: 404\n"
                         << "mavctl: the server answered with status 404\n"
                         << -1;
    QTest::newRow("secure, PRODUCTION") << QStringList {"get", "--secure", "{https}/ok"} << 1
                                        << "outcome: HttpCertificateRejected (4)\n"
                                        << "mavctl: -Error with certificate at depth: 0 " << -1;
    QTest::newRow("client certificate from a file")
        << QStringList {"get",
                        "--secure",
                        "--environment",
                        "localhost",
                        "--cert",
                        "{identity}",
                        "--key-password",
                        "{password}",
                        "{client}/headers"}
        << 0 << "client=" + MavTest::TestCertificates::clientIdentitySubject() << QString() << -1;
    QTest::newRow("through a proxy")
        << QStringList {"get", "--proxy", "{proxy}", "{https}/ok"} << 0 << hello << QString() << -1;
    QTest::newRow("time-out") << QStringList {"get", "--timeout", "0.3", "{silent}"} << 1
                              << "outcome: HttpFailure (1)\nstatus: 0\n"
                              << "mavctl: Timed out reading the response header from 127.0.0.1"
                              << -1;
    QTest::newRow("malformed URL")
        << QStringList {"get", "ftp://127.0.0.1/"} << 1 << "outcome: HttpFailure (1)\n"
        << "mavctl: Malformed URL: ftp://127.0.0.1/\n"
        << -1;
    QTest::newRow("a body longer than --max-size fails")
        << QStringList {"get", "--max-size", "64K", "{http}/files/data.bin"} << 1
        << "outcome: HttpFailure (1)\n"
        << "is larger than 65536 bytes" << -1;
    QTest::newRow("--max-size of no bytes")
        << QStringList {"get", "--max-size", "0", "{http}/"} << 2 << QString()
        << "mavctl: --max-size wants a number of bytes above 0, with K, M or G\n"
        << -1;
    QTest::newRow("head") << QStringList {"head", "{http}/files/data.bin"} << 0
                          << "outcome: HttpSuccess (0)\nstatus: 200\ncontent length: 100000\n"
                          << QString() << -1;
    QTest::newRow("download") << QStringList {"download", "{https}/files/data.bin", "{file}"} << 0
                              << "outcome: HttpSuccess (0)\nstatus: 200\nbytes: 100000\n"
                                 "last modified: Sat, 03 Feb 2001 04:05:06 GMT\n"
                              << QString() << 100000;
    QTest::newRow("no URL") << QStringList {"get"} << 2 << QString()
                            << "mavctl: wrong number of arguments\n"
                            << -1;
    QTest::newRow("bad proxy") << QStringList {"get", "--proxy", "nowhere", "{http}/ok"} << 2
                               << QString() << "mavctl: --proxy wants host:port\n"
                               << -1;
    QTest::newRow("bad date") << QStringList {"get", "--if-modified-since", "yesterday", "{http}/"}
                              << 2 << QString()
                              << "mavctl: --if-modified-since wants an HTTP date\n"
                              << -1;
    QTest::newRow("unknown operation") << QStringList {"post", "{http}/"} << 2 << QString()
                                       << "mavctl: unknown http command 'post'\n"
                                       << -1;
}

void tst_MavctlHttp::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(int, fileSize);
    caseFolder();
    const MavTest::MavctlResult result = MavTest::runMavctl(httpArguments(arguments));
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.out + result.err));
    QVERIFY2(result.out.contains(out), qPrintable(result.out));
    QVERIFY2(result.err.contains(err), qPrintable(result.err));
    // The transport's own lines are no part of the body or the report.
    QVERIFY2(!result.out.contains(QLatin1String("error code:")), qPrintable(result.out));
    if (fileSize >= 0)
        QCOMPARE(QFileInfo(expand(QStringLiteral("{file}"))).size(), qint64(fileSize));
}

void tst_MavctlHttp::intoFile_data()
{
    QTest::addColumn<QStringList>("arguments"); // after "http"; {placeholders} expanded
    // What {file} is: file, missing, link (to a file), fifo, full, folder.
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err"); // must be contained in stderr
    QTest::addColumn<bool>("replaced"); // {file} got the 100000 bytes; otherwise it is as it was

    const QString get = QStringLiteral("get");
    const QString data = QStringLiteral("{http}/files/data.bin");
    const QStringList toFile {get, "-o", "{file}"};
    QTest::newRow("get -o: a whole body replaces the file")
        << toFile + QStringList {data} << "file" << 0 << QString() << true;
    QTest::newRow("get -o: a symbolic link stays, the file it names is replaced")
        << toFile + QStringList {data} << "link" << 0 << QString() << true;
    QTest::newRow("get -o: a 404 leaves the file as it was")
        << toFile + QStringList {"{http}/missing"} << "file" << 1 << "status 404" << false;
    QTest::newRow("get -o: a short body leaves the file as it was")
        << toFile + QStringList {"{short}/"} << "file" << 1 << "mavctl: " << false;
    QTest::newRow("get -o: not modified leaves the file as it was") << toFile
            + QStringList {"--if-modified-since", "Sat, 03 Feb 2001 04:05:06 GMT",
                           "{https}/files/fixed.txt"} << "file" << 0 << QString()
                                                                    << false;
    QTest::newRow("get -o: a FIFO is written in place")
        << toFile + QStringList {data} << "fifo" << 0 << QString() << true;
    QTest::newRow("get -o: a full device fails")
        << toFile + QStringList {data} << "full" << 1 << "No space left on device" << false;
    QTest::newRow("get -o: a folder is refused")
        << toFile + QStringList {data} << "folder" << 1 << "Is a directory" << false;

    const QString download = QStringLiteral("download");
    QTest::newRow("download: a whole body replaces the file")
        << QStringList {download, data, "{file}"} << "file" << 0 << QString() << true;
    QTest::newRow("download: a whole body makes the file")
        << QStringList {download, data, "{file}"} << "missing" << 0 << QString() << true;
    QTest::newRow("download: a symbolic link stays, the file it names is replaced")
        << QStringList {download, data, "{file}"} << "link" << 0 << QString() << true;
    QTest::newRow("download: a 404 makes no file")
        << QStringList {download, "{http}/missing", "{file}"} << "missing" << 1 << "status 404"
        << false;
    QTest::newRow("download: a short body leaves the file as it was")
        << QStringList {download, "{short}/", "{file}"} << "file" << 1 << "mavctl: " << false;
    QTest::newRow("download: a body longer than --max-size leaves the file as it was")
        << QStringList {download, "--max-size", "64K", data, "{file}"} << "file" << 1
        << "is larger than 65536 bytes" << false;
    QTest::newRow("download: a FIFO is written in place")
        << QStringList {download, data, "{file}"} << "fifo" << 0 << QString() << true;
    QTest::newRow("download: a full device fails")
        << QStringList {download, data, "{file}"} << "full" << 1 << "mavctl: " << false;
    QTest::newRow("download: a folder is refused")
        << QStringList {download, data, "{file}"} << "folder" << 1 << "Is a directory" << false;
}

void tst_MavctlHttp::intoFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, target);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(bool, replaced);
    const QString folder = caseFolder();
    const QString file = expand(QStringLiteral("{file}"));
    const QByteArray path = QFile::encodeName(file);
    if (target == QLatin1String("file")) {
        QVERIFY(MavTest::writeFile(file, s_oldContents));
        QCOMPARE(::chmod(path.constData(), 0640), 0);
    } else if (target == QLatin1String("link")) {
        QVERIFY(MavTest::writeFile(folder + QStringLiteral("/real.bin"), s_oldContents));
        QCOMPARE(::symlink("real.bin", path.constData()), 0);
    } else if (target == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    } else if (target == QLatin1String("full")) {
        if (::mknod(path.constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("mknod is not permitted here");
    } else if (target == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(file));
    }
    QByteArray received; // by the FIFO's reader
    std::atomic<bool> readerDone = false;
    std::thread reader;
    if (target == QLatin1String("fifo")) {
        reader = std::thread([&] {
            const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
            char buffer[65536];
            for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;)
                received.append(buffer, n);
            ::close(fd);
            readerDone = true;
        });
    }

    const MavTest::MavctlResult result = MavTest::runMavctl(httpArguments(arguments));
    if (reader.joinable()) {
        // A reader that mavctl never reached would wait for a writer for ever.
        while (!readerDone) {
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
            QThread::msleep(10);
        }
        reader.join();
    }
    QVERIFY2(result.exitCode == exitCode, qPrintable(result.out + result.err));
    QVERIFY2(result.err.contains(err), qPrintable(result.err));

    const QByteArray body(100000, 'd');
    struct stat st = {};
    if (target == QLatin1String("fifo")) {
        QCOMPARE(received, replaced ? body : QByteArray());
        QVERIFY(::stat(path.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    } else if (target == QLatin1String("full")) {
        QVERIFY(::stat(path.constData(), &st) == 0 && S_ISCHR(st.st_mode));
    } else if (target == QLatin1String("folder")) {
        QVERIFY(QFileInfo(file).isDir());
    } else if (replaced || target == QLatin1String("file")) {
        QCOMPARE(MavTest::readFile(file), replaced ? body : s_oldContents);
        if (target == QLatin1String("file"))
            QVERIFY(::stat(path.constData(), &st) == 0 && (st.st_mode & 07777) == 0640);
        QCOMPARE(QFileInfo(file).isSymLink(), target == QLatin1String("link"));
    } else {
        QVERIFY(!QFileInfo::exists(file));
    }
    // Nothing half-written is left beside it.
    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                    | QDir::NoDotAndDotDot);
    QStringList expected {"out.bin"};
    if (target == QLatin1String("missing") && !replaced)
        expected.clear();
    else if (target == QLatin1String("link"))
        expected.append(QStringLiteral("real.bin"));
    QCOMPARE(left, expected);
}

void tst_MavctlHttp::terminated_data()
{
    QTest::addColumn<QStringList>("arguments"); // after "http"; {placeholders} expanded

    QTest::newRow("get -o") << QStringList {"get", "-o", "{file}", "{held}/"};
    QTest::newRow("download") << QStringList {"download", "{held}/", "{file}"};
}

void tst_MavctlHttp::terminated()
{
    QFETCH(QStringList, arguments);
    const QString folder = caseFolder();
    const QString file = expand(QStringLiteral("{file}"));
    QVERIFY(MavTest::writeFile(file, s_oldContents));

    QProcess process;
    process.start(QStringLiteral(MAVCTL_PATH), httpArguments(arguments));
    QVERIFY(process.waitForStarted());
    QVERIFY(m_held->waitForHeld(1));
    QTest::qWait(200); // for the client to take in what was sent
    process.terminate();
    QVERIFY(process.waitForFinished());
    m_held->release();
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);

    QCOMPARE(MavTest::readFile(file), s_oldContents);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList {"out.bin"});
}

void tst_MavctlHttp::endlessBody_data()
{
    QTest::addColumn<QStringList>("options"); // before the URL
    QTest::addColumn<int>("boundMiB"); // of the child's peak resident size

    // Growing without a bound, the client would reach the 2 GiB the server sends.
    QTest::newRow("the default bound of 64 MiB") << QStringList {} << 768;
    QTest::newRow("a bound of 1 MiB") << QStringList {"--max-size", "1M"} << 256;
}

void tst_MavctlHttp::endlessBody()
{
    QFETCH(QStringList, options);
    QFETCH(int, boundMiB);
    caseFolder();
    // Run directly, to read this child's own peak; standard output to nowhere,
    // should the whole of it come.
    QList<QByteArray> arguments {MAVCTL_PATH, "http", "get", "--timeout", "60"};
    for (const QString &option : options)
        arguments.append(option.toUtf8());
    arguments.append(m_endless->url().toUtf8());
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const QByteArray errPath = QFile::encodeName(expand(QStringLiteral("{file}")));
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open("/dev/null", O_WRONLY);
        const int err = ::open(errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    QVERIFY(pid > 0);
    int status = 0;
    struct rusage usage = {};
    pid_t reaped;
    while ((reaped = ::wait4(pid, &status, 0, &usage)) < 0 && errno == EINTR) { }
    QCOMPARE(reaped, pid);
    QFile errors(QString::fromLocal8Bit(errPath));
    QVERIFY(errors.open(QIODevice::ReadOnly));
    const QByteArray err = errors.readAll();
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 1, err.constData());
    QVERIFY2(err.contains("is larger than"), err.constData());
    QVERIFY2(usage.ru_maxrss < boundMiB * 1024L, qPrintable(QString::number(usage.ru_maxrss)));
}

QTEST_GUILESS_MAIN(tst_MavctlHttp)
#include "tst_mavctl_http.moc"
