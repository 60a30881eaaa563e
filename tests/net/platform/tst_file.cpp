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
    void openTwice();
    void seek_data();
    void seek();
    void closedFile();
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
    QTest::addColumn<qint64>("position"); // right after opening
    QTest::addColumn<QByteArray>("readBack"); // read from the start after writing "XY"
    QTest::addColumn<QByteArray>("content"); // on disk at the end

    QTest::newRow("read, existing") << 0 << true << 0 << 0ll << QByteArray("abc") << QByteArray("abc");
    QTest::newRow("read, missing") << 0 << false << 2 << -1ll << QByteArray() << QByteArray();
    QTest::newRow("write truncate, existing") << 1 << true << 0 << 0ll << QByteArray() << QByteArray("XY");
    QTest::newRow("write truncate, missing") << 1 << false << 0 << 0ll << QByteArray() << QByteArray("XY");
    QTest::newRow("read-write truncate, existing") << 2 << true << 0 << 0ll << QByteArray("XY") << QByteArray("XY");
    QTest::newRow("read-write truncate, missing") << 2 << false << 0 << 0ll << QByteArray("XY") << QByteArray("XY");
    QTest::newRow("write append, existing") << 3 << true << 0 << 3ll << QByteArray() << QByteArray("abcXY");
    QTest::newRow("write append, missing") << 3 << false << 0 << 0ll << QByteArray() << QByteArray("XY");
    QTest::newRow("read-write append, existing") << 4 << true << 0 << 3ll << QByteArray("abcXY") << QByteArray("abcXY");
    QTest::newRow("read-write append, missing") << 4 << false << 0 << 0ll << QByteArray("XY") << QByteArray("XY");
    QTest::newRow("mode 5") << 5 << true << 3 << -1ll << QByteArray() << QByteArray("abc");
    QTest::newRow("mode -1") << -1 << false << 3 << -1ll << QByteArray() << QByteArray();
}

void tst_File::open()
{
    QFETCH(int, mode);
    QFETCH(bool, existing);
    QFETCH(int, result);
    QFETCH(qint64, position);
    QFETCH(QByteArray, readBack);
    QFETCH(QByteArray, content);
    const QString name = m_env->path(QStringLiteral("Grüße.bin"));
    if (existing) {
        QFile seed(name);
        QVERIFY(seed.open(QIODevice::WriteOnly) && seed.write("abc") == 3);
    }

    ztpm::File file;
    QCOMPARE(file.open(name.toStdWString(), mode), result);
    QCOMPARE(file.tell(), position);
    if (result == 0) {
        const bool writable = mode != 0;
        QCOMPARE(file.write("XY", 2), writable ? 2u : 0u);
        char buffer[16] = {};
        QCOMPARE(file.seek(0, 0), 0ll);
        const unsigned got = file.read(buffer, sizeof buffer);
        QCOMPARE(QByteArray(buffer, int(got)), readBack);
        QCOMPARE(file.close(), 0);
    }
    QFile disk(name);
    QCOMPARE(disk.exists(), !content.isNull());
    if (disk.open(QIODevice::ReadOnly))
        QCOMPARE(disk.readAll(), content);
}

void tst_File::openTwice()
{
    QFile seed(m_env->path("first"));
    QVERIFY(seed.open(QIODevice::WriteOnly) && seed.write("first") == 5);
    seed.close();

    ztpm::File file;
    QCOMPARE(file.open(path("first"), ztpm::File::ReadExisting), 0);
    QCOMPARE(file.open(path("second"), ztpm::File::WriteTruncate), 1);
    QVERIFY(!QFile::exists(m_env->path("second")));
    char buffer[8];
    QCOMPARE(file.read(buffer, sizeof buffer), 5u); // still the first file

    ztpm::File other;
    QCOMPARE(other.open(m_env->root().toStdWString(), ztpm::File::ReadExisting), 2); // a folder
    QCOMPARE(other.open(path("no/such/folder"), ztpm::File::WriteTruncate), 2);
    QVERIFY(!other.isOpen());
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

void tst_File::closedFile()
{
    ztpm::File file;
    char buffer[4] = {};
    QCOMPARE(file.size(), -1ll);
    QCOMPARE(file.tell(), -1ll);
    QCOMPARE(file.seek(0, 0), -1ll);
    QCOMPARE(file.read(buffer, sizeof buffer), 0u);
    QCOMPARE(file.write(buffer, sizeof buffer), 0u);
    QCOMPARE(file.close(), 0);

    QCOMPARE(file.open(path("closed"), ztpm::File::WriteTruncate), 0);
    QCOMPARE(file.close(), 0);
    QCOMPARE(file.size(), -1ll);
    QCOMPARE(file.write(buffer, sizeof buffer), 0u);
}

void tst_File::sparseAbove4GiB()
{
    const std::int64_t far = 5ll << 30;
    ztpm::File file;
    QCOMPARE(file.open(path("sparse"), ztpm::File::ReadWriteTruncate), 0);
    QCOMPARE(file.seek(far, 0), far);
    QCOMPARE(file.write("Z", 1), 1u);
    QCOMPARE(file.size(), far + 1);
    QCOMPARE(file.tell(), far + 1);
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
