// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/net/platform/file.h>

#include <testenvironment.h>

#include <QFile>
#include <QTest>

#include <memory>

class tst_File : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void open_data();
    void open();
    void refusedAndClosed();
    void seek_data();
    void seek();
    void sparseAbove4GiB();

private:
    std::wstring path(const QString &name) const { return m_env->path(name).toStdWString(); }
    std::unique_ptr<MavTest::TestEnvironment> m_env;
};

void tst_File::init()
{
    m_env = std::make_unique<MavTest::TestEnvironment>();
    QVERIFY(m_env->isValid());
}

void tst_File::cleanup()
{
    m_env.reset();
}

void tst_File::open_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("existing"); // the file holds "abc" before
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("readBack"); // from the start, after writing "XY"
    QTest::addColumn<QByteArray>("content"); // on disk at the end; null: no file

    const QByteArray none;
    QTest::newRow("read, existing") << 0 << true << 0 << QByteArray("abc") << QByteArray("abc");
    QTest::newRow("read, missing") << 0 << false << 2 << none << none;
    QTest::newRow("write truncate, existing") << 1 << true << 0 << none << QByteArray("XY");
    QTest::newRow("write truncate, missing") << 1 << false << 0 << none << QByteArray("XY");
    QTest::newRow("read-write truncate, existing")
        << 2 << true << 0 << QByteArray("XY") << QByteArray("XY");
    QTest::newRow("write append, existing") << 3 << true << 0 << none << QByteArray("abcXY");
    QTest::newRow("write append, missing") << 3 << false << 0 << none << QByteArray("XY");
    QTest::newRow("read-write append, existing")
        << 4 << true << 0 << QByteArray("abcXY") << QByteArray("abcXY");
    QTest::newRow("read-write append, missing")
        << 4 << false << 0 << QByteArray("XY") << QByteArray("XY");
    QTest::newRow("mode 5") << 5 << true << 3 << none << QByteArray("abc");
    QTest::newRow("mode -1") << -1 << false << 3 << none << none;
}

void tst_File::open()
{
    QFETCH(int, mode);
    QFETCH(bool, existing);
    QFETCH(int, result);
    QFETCH(QByteArray, readBack);
    QFETCH(QByteArray, content);
    const QString name = m_env->path(QStringLiteral("Grüße.bin"));
    QFile disk(name);
    if (existing)
        QVERIFY(disk.open(QIODevice::WriteOnly) && disk.write("abc") == 3 && disk.flush());
    disk.close();

    ztpm::File file;
    QCOMPARE(file.open(name.toStdWString(), mode), result);
    QCOMPARE(file.isOpen(), result == 0);
    if (file.isOpen()) {
        QCOMPARE(file.write("XY", 2), mode == 0 ? 0u : 2u);
        char buffer[16];
        QCOMPARE(file.seek(0, 0), 0ll);
        QCOMPARE(QByteArray(buffer, int(file.read(buffer, sizeof buffer))), readBack);
        QCOMPARE(file.close(), 0);
    }
    QCOMPARE(disk.exists(), !content.isNull());
    if (disk.open(QIODevice::ReadOnly))
        QCOMPARE(disk.readAll(), content);
}

void tst_File::refusedAndClosed()
{
    ztpm::File file;
    char buffer[8] = {};
    QCOMPARE(file.size(), -1ll);
    QCOMPARE(file.tell(), -1ll);
    QCOMPARE(file.seek(0, 0), -1ll);
    QCOMPARE(file.read(buffer, sizeof buffer), 0u);
    QCOMPARE(file.write(buffer, sizeof buffer), 0u);
    QCOMPARE(file.close(), 0);
    QCOMPARE(file.open(m_env->root().toStdWString(), ztpm::File::ReadExisting), 2); // a folder
    QCOMPARE(file.open(path("no/such/folder"), ztpm::File::WriteTruncate), 2);

    QCOMPARE(file.open(path("first"), ztpm::File::ReadWriteTruncate), 0);
    QCOMPARE(file.write("first", 5), 5u);
    QCOMPARE(file.open(path("second"), ztpm::File::WriteTruncate), 1);
    QVERIFY(!QFile::exists(m_env->path("second")));
    QCOMPARE(file.size(), 5ll); // still the first file
    QCOMPARE(file.close(), 0);
    QCOMPARE(file.size(), -1ll);
    QCOMPARE(file.write(buffer, sizeof buffer), 0u);
}

void tst_File::seek_data()
{
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<int>("origin");
    QTest::addColumn<qint64>("expected"); // from position 3 in a 10-byte file

    QTest::newRow("from beginning") << 7ll << 0 << 7ll;
    QTest::newRow("from current") << 2ll << 1 << 5ll;
    QTest::newRow("back from current") << -3ll << 1 << 0ll;
    QTest::newRow("from end") << -4ll << 2 << 6ll;
    QTest::newRow("past the end") << 5ll << 2 << 15ll;
    QTest::newRow("before the start") << -1ll << 0 << -1ll;
    QTest::newRow("origin 3") << 0ll << 3 << -1ll;
    QTest::newRow("origin -1") << 0ll << -1 << -1ll;
}

void tst_File::seek()
{
    QFETCH(qint64, offset);
    QFETCH(int, origin);
    QFETCH(qint64, expected);
    ztpm::File file;
    QCOMPARE(file.open(path("ten"), ztpm::File::ReadWriteTruncate), 0);
    QCOMPARE(file.write("0123456789", 10), 10u);
    QCOMPARE(file.seek(3, 0), 3ll);
    QCOMPARE(file.seek(offset, origin), expected);
    QCOMPARE(file.size(), 10ll);
    QCOMPARE(file.tell(), expected < 0 ? 3ll : expected); // size() keeps the position
}

void tst_File::sparseAbove4GiB()
{
    const std::int64_t far = 5ll << 30;
    ztpm::File file;
    QCOMPARE(file.open(path("sparse"), ztpm::File::ReadWriteTruncate), 0);
    QCOMPARE(file.seek(far, 0), far);
    QCOMPARE(file.write("Z", 1), 1u);
    QCOMPARE(file.size(), far + 1);
    QCOMPARE(file.seek(-1, 2), far);
    char last = 0;
    QCOMPARE(file.read(&last, 1), 1u);
    QCOMPARE(last, 'Z');
    file.close();
    QCOMPARE(file.open(path("sparse"), ztpm::File::WriteAppend), 0);
    QCOMPARE(file.tell(), far + 1);
}

QTEST_GUILESS_MAIN(tst_File)
#include "tst_file.moc"
