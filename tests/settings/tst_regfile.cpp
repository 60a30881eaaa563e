// SPDX-License-Identifier: LGPL-2.1-or-later
#include "settings/regfile_p.h"

#include <QTest>

using namespace ztds::registry;

namespace {

const QByteArray Head = "Windows Registry Editor Version 5.00\r\n\r\n"
                        "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Settings\\New]\r\n"
                        "\"ok\"=dword:00000001\r\n";

QByteArray utf16(const QString &text) // on a little-endian machine
{
    return QByteArray("\xFF\xFE", 2)
        + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

} // namespace

class tst_RegFile : public QObject
{
    Q_OBJECT

private slots:
    void errors_data();
    void errors();
    void operations_data();
    void operations();
};

void tst_RegFile::errors_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");

    QTest::newRow("a file without the header is refused at line 1")
        << QByteArray("REGEDIT4\n") << 1 << "expected \"Windows Registry Editor Version 5.00\"";
    QTest::newRow("an empty file has no header")
        << QByteArray("\n\n") << 1 << "expected \"Windows Registry Editor Version 5.00\"";
    QTest::newRow("a value before any key is refused")
        << QByteArray("Windows Registry Editor Version 5.00\n\"a\"=\"b\"\n") << 2
        << "value before the first key";
    QTest::newRow("a value in a deleted key is refused")
        << Head + "[-HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Settings\\Old]\r\n\"a\"=\"b\"\r\n"
        << 6 << "value in a deleted key";
    QTest::newRow("a line that is neither key nor value is refused") << Head
            + "garbage\r\n" << 5 << "expected a key or a value";
    QTest::newRow("a key without its closing bracket is refused") << Head
            + "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\r\n" << 5 << "unterminated key name";
    QTest::newRow("a hive other than the two is refused") << Head
            + "[HKEY_USERS\\SOFTWARE\\Zentrix]\r\n" << 5 << "unknown hive \"HKEY_USERS\"";
    QTest::newRow("a key outside the product key is refused") << Head
            + "[HKEY_CURRENT_USER\\SOFTWARE\\Other]\r\n" << 5 << "key outside SOFTWARE\\Zentrix";
    QTest::newRow("a key that only starts like the product key is refused") << Head
            + "[HKEY_CURRENT_USER\\SOFTWARE\\ZentrixEvil]\r\n" << 5 << "key outside";
    QTest::newRow("a key part over 255 characters is refused")
        << Head + "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\" + QByteArray(256, 'k') + "]\r\n"
        << 5 << "key part longer than 255 characters";
    QTest::newRow("an empty key part is refused")
        << Head + "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\A\\\\B]\r\n"
        << 5 << "empty key part";
    QTest::newRow("a trailing backslash makes an empty key part")
        << Head + "[HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\A\\]\r\n"
        << 5 << "empty key part";
    QTest::newRow("an unterminated value name is refused") << Head + "\"s=1\r\n"
                                                           << 5 << "unterminated string";
    QTest::newRow("a value name over 16383 characters is refused")
        << Head + "\"" + QByteArray(16384, 'n') + "\"=\"x\"\r\n"
        << 5 << "value name longer than 16383 characters";
    QTest::newRow("a name without '=' is refused") << Head + "\"s\" \"x\"\r\n"
                                                   << 5 << "expected '=' after the value name";
    QTest::newRow("an unterminated string is refused") << Head + "\"s\"=\"open\r\n"
                                                       << 5 << "unterminated string";
    QTest::newRow("an unknown escape is refused") << Head + "\"s\"=\"a\\qb\"\r\n"
                                                  << 5 << "unknown escape sequence \\q";
    QTest::newRow("text after the string is refused") << Head + "\"s\"=\"a\" b\r\n"
                                                      << 5 << "unexpected text after the string";
    QTest::newRow("a dword of nine digits is refused") << Head + "\"d\"=dword:123456789\r\n"
                                                       << 5 << "bad dword \"123456789\"";
    QTest::newRow("a dword that is not hex is refused") << Head + "\"d\"=dword:12x\r\n"
                                                        << 5 << "bad dword \"12x\"";
    QTest::newRow("a value type that is not hex is refused") << Head + "\"t\"=hex(z):00\r\n"
                                                             << 5 << "bad value type \"z\"";
    QTest::newRow("a value type without its closing parenthesis is refused") << Head
            + "\"t\"=hex(2:00\r\n" << 5 << "bad value type \"\"";
    QTest::newRow("hex without ':' is refused") << Head + "\"b\"=hex 00\r\n"
                                                << 5 << "expected ':' after hex";
    QTest::newRow("a bad hex byte is refused") << Head + "\"b\"=hex:01,0g\r\n"
                                               << 5 << "bad hex byte \"0g\"";
    QTest::newRow("a bad hex byte on a continuation line names that line") << Head
            + "\"b\"=hex:01,02,\\\r\n  03,4\r\n" << 6 << "bad hex byte \"4\"";
    QTest::newRow("a continuation on the last line is refused")
        << Head + "\"b\"=hex:01,\\" << 5 << "continuation at the end of the file";
    QTest::newRow("unknown value data is refused") << Head + "\"v\"=qword:1\r\n"
                                                   << 5 << "unknown value data \"qword:1\"";
    QTest::newRow("invalid UTF-8 names its line") << Head + "\"s\"=\"\xC3(\"\r\n"
                                                  << 5 << "not valid UTF-8 text";
    QTest::newRow("an encoded surrogate is not UTF-8") << Head + "\"s\"=\"\xED\xA0\x80\"\r\n"
                                                       << 5 << "not valid UTF-8 text";
    const QString text = QString::fromLatin1(Head);
    QTest::newRow("an odd last byte of UTF-16 names the last line")
        << utf16(text + "\"s\"=\"x\"\r\n") + 'x' << 6 << "not valid UTF-16 text";
    QTest::newRow("a lone high surrogate of UTF-16 names its line")
        << utf16(text + "\"s\"=\"a" + QChar(0xD800) + "b\"\r\n") << 5 << "not valid UTF-16 text";
    QTest::newRow("a lone low surrogate of UTF-16 names its line")
        << utf16(text + "\"s\"=\"a" + QChar(0xDC00) + "\"\r\n") << 5 << "not valid UTF-16 text";
}

void tst_RegFile::errors()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(QString, message);
    const RegFile::ParseResult result = RegFile::parse(text);
    QVERIFY(!result.ok);
    QCOMPARE(result.line, line);
    QVERIFY2(result.message.startsWith(message), qPrintable(result.message));
    // The keys and values before the error must not be applied.
    QVERIFY(result.operations.empty());
}

void tst_RegFile::operations_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected"); // kind hive path name type data(hex)

    QTest::newRow("a continued hex list is one value and the line after it is read")
        << Head + "\"b\"=hex:01,02,\\\r\n  03\r\n\"c\"=dword:0000000a\r\n"
        << QStringList {"create user SOFTWARE\\Zentrix\\Settings\\New",
                        "set user SOFTWARE\\Zentrix\\Settings\\New ok 4 01000000",
                        "set user SOFTWARE\\Zentrix\\Settings\\New b 3 010203",
                        "set user SOFTWARE\\Zentrix\\Settings\\New c 4 0a000000"};
    QTest::newRow("a deleted key, comments and a machine key with a default and a deletion")
        << QByteArray("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n; c\n"
                      "[-HKEY_CURRENT_USER\\SOFTWARE\\Zentrix\\Old]\n\n"
                      "[hkey_local_machine\\software\\zentrix\\M]\n@=\"d\"\n\"gone\"=-\n")
        << QStringList {"delete user SOFTWARE\\Zentrix\\Old", "create machine software\\zentrix\\M",
                        "set machine software\\zentrix\\M  1 64000000", // "d" and its NUL
                        "unset machine software\\zentrix\\M gone"};
}

void tst_RegFile::operations()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    const RegFile::ParseResult result = RegFile::parse(text);
    QVERIFY2(result.ok, qPrintable(QString::number(result.line) + u' ' + result.message));
    QStringList actual;
    for (const Operation &op : result.operations) {
        static const char *const kinds[] = {"create", "delete", "set", "unset"};
        QString row = QLatin1String(kinds[op.kind]) + u' '
            + QLatin1String(op.hive == Hive::CurrentUser ? "user" : "machine") + u' '
            + QString::fromStdWString(op.path);
        if (op.kind == Operation::SetValue || op.kind == Operation::DeleteValue)
            row += u' ' + QString::fromStdWString(op.name);
        if (op.kind == Operation::SetValue)
            row += u' ' + QString::number(op.type) + u' '
                + QString::fromLatin1(QByteArray::fromStdString(op.data).toHex());
        actual.append(row);
    }
    QCOMPARE(actual, expected);
}

QTEST_APPLESS_MAIN(tst_RegFile)
#include "tst_regfile.moc"
