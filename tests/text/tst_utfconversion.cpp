// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/text/utfconversion.h>

#include <QTest>

#include <string>

using namespace std::string_literals;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::wstring)

class tst_UtfConversion : public QObject
{
    Q_OBJECT

private slots:
    void utf8ToWide_data();
    void utf8ToWide();
    void wideToUtf8_data();
    void wideToUtf8();
    void utf16LE_data();
    void utf16LE();
};

void tst_UtfConversion::utf8ToWide_data()
{
    QTest::addColumn<std::string>("input");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<std::wstring>("expected");

    QTest::newRow("empty") << ""s << true << L""s;
    QTest::newRow("ascii") << "Video"s << true << L"Video"s;
    QTest::newRow("two bytes") << "Gr\xC3\xBC\xC3\x9F"s << true << L"Gr\u00FC\u00DF"s;
    QTest::newRow("three bytes") << "\xE6\x97\xA5\xE6\x9C\xAC"s << true << L"\u65E5\u672C"s;
    QTest::newRow("four bytes") << "\xF0\x9F\x8E\xAC"s << true << L"\U0001F3AC"s;
    QTest::newRow("highest") << "\xF4\x8F\xBF\xBF"s << true << L"\U0010FFFF"s;
    QTest::newRow("embedded NUL") << "a\0b"s << true << L"a\0b"s;
    QTest::newRow("surrogate") << "a\xED\xA0\x80z"s << true << L"a\uFFFDz"s;
    QTest::newRow("above U+10FFFF") << "\xF4\x90\x80\x80"s << true << L"\uFFFD"s;
    QTest::newRow("above U+10FFFF, F7") << "\xF7\xBF\xBF\xBF"s << true << L"\uFFFD"s;
    QTest::newRow("truncated two") << "ab\xC3"s << false << L""s;
    QTest::newRow("truncated four") << "\xF0\x9F\x8E"s << false << L""s;
    QTest::newRow("stray continuation") << "a\x80"s << false << L""s;
    QTest::newRow("overlong slash") << "\xC0\xAF"s << false << L""s;
    QTest::newRow("overlong three") << "\xE0\x80\xAF"s << false << L""s;
    QTest::newRow("overlong four") << "\xF0\x80\x80\xAF"s << false << L""s;
    QTest::newRow("missing continuation") << "\xE6\x41\xA5"s << false << L""s;
    QTest::newRow("five-byte form") << "\xF8\x88\x80\x80\x80"s << false << L""s;
    QTest::newRow("FF") << "\xFF"s << false << L""s;
}

void tst_UtfConversion::utf8ToWide()
{
    QFETCH(std::string, input);
    QFETCH(bool, ok);
    QFETCH(std::wstring, expected);
    bool converted = !ok;
    QVERIFY(ztds::utf8ToWide(input, &converted) == expected);
    QCOMPARE(converted, ok);
}

void tst_UtfConversion::wideToUtf8_data()
{
    QTest::addColumn<std::wstring>("input");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("empty") << L""s << true << ""s;
    QTest::newRow("mixed") << L"Gr\u00FC\u65E5\U0001F3AC"s << true
                           << "Gr\xC3\xBC\xE6\x97\xA5\xF0\x9F\x8E\xAC"s;
    QTest::newRow("embedded NUL") << L"a\0b"s << true << "a\0b"s;
    QTest::newRow("paired surrogates")
        << std::wstring{wchar_t(0xD83C), wchar_t(0xDFAC)} << true << "\xF0\x9F\x8E\xAC"s;
    QTest::newRow("lone high") << std::wstring{wchar_t(0xD83C), L'x'} << true << "\xED\xA0\xBCx"s;
    QTest::newRow("lone low") << std::wstring{L'x', wchar_t(0xDFAC)} << true << "x\xED\xBE\xAC"s;
    QTest::newRow("high at end") << std::wstring{L'x', wchar_t(0xD83C)} << false << ""s;
    QTest::newRow("above U+10FFFF") << std::wstring{wchar_t(0x110000)} << true << "\xEF\xBF\xBD"s;
}

void tst_UtfConversion::wideToUtf8()
{
    QFETCH(std::wstring, input);
    QFETCH(bool, ok);
    QFETCH(std::string, expected);
    bool converted = !ok;
    QCOMPARE(ztds::wideToUtf8(input, &converted), expected);
    QCOMPARE(converted, ok);
}

void tst_UtfConversion::utf16LE_data()
{
    QTest::addColumn<std::string>("utf8");
    QTest::addColumn<std::string>("utf16le");

    QTest::newRow("empty") << ""s << ""s;
    QTest::newRow("ascii") << "Ab"s << "A\0b\0"s;
    QTest::newRow("bmp") << "\xC3\xBC\xE6\x97\xA5"s << "\xFC\0\xE5\x65"s;
    QTest::newRow("pair") << "\xF0\x9F\x8E\xAC"s << "\x3C\xD8\xAC\xDF"s;
    QTest::newRow("embedded NUL") << "a\0"s << "a\0\0\0"s;
}

void tst_UtfConversion::utf16LE()
{
    QFETCH(std::string, utf8);
    QFETCH(std::string, utf16le);
    bool ok = false;
    QCOMPARE(ztds::utf8ToUtf16LE(utf8, &ok), utf16le);
    QVERIFY(ok);
    QCOMPARE(ztds::utf16LEToUtf8(utf16le, &ok), utf8);
    QVERIFY(ok);
    // An odd trailing byte is not half a character.
    QCOMPARE(ztds::utf16LEToUtf8(utf16le + "\x41"s), utf8);
}

QTEST_GUILESS_MAIN(tst_UtfConversion)
#include "tst_utfconversion.moc"
