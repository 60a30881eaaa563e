// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/text/utfconversion.h>

#include <QRandomGenerator>
#include <QTest>

#include <string>

using namespace std::string_literals;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::wstring)

using Ranges = QList<std::pair<char32_t, char32_t>>; // code points to draw from

class tst_UtfConversion : public QObject
{
    Q_OBJECT

private slots:
    void utf8ToWide_data();
    void utf8ToWide();
    void wideToUtf8_data();
    void wideToUtf8();
    void agreesWithQt_data();
    void agreesWithQt();
    void utf16LE_data();
    void utf16LE();
    void utf16LEOneWay_data();
    void utf16LEOneWay();
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
    QTest::newRow("missing continuation") << "\xE6\x41\xA5"s << false << L""s;
    QTest::newRow("five-byte form") << "\xF8\x88\x80\x80\x80"s << false << L""s;
    QTest::newRow("FF") << "\xFF"s << false << L""s;
    QTest::newRow("last before surrogates") << "\xED\x9F\xBF"s << true << L"\uD7FF"s;
    QTest::newRow("last surrogate") << "\xED\xBF\xBF"s << true << L"\uFFFD"s;
    QTest::newRow("surrogate pair as two sequences")
        << "\xED\xA0\xBC\xED\xBE\xAC"s << true << L"\uFFFD\uFFFD"s;
    QTest::newRow("U+FFFF") << "\xEF\xBF\xBF"s << true << L"\uFFFF"s;
    QTest::newRow("overlong two, C1") << "\xC1\xBF"s << false << L""s;
    QTest::newRow("overlong three, largest") << "\xE0\x9F\xBF"s << false << L""s;
    QTest::newRow("overlong four, largest") << "\xF0\x8F\xBF\xBF"s << false << L""s;
    QTest::newRow("overlong NUL") << "a\xC0\x80"s << false << L""s;
    QTest::newRow("truncated three, then ASCII") << "\xE6\x97x"s << false << L""s;
    QTest::newRow("lead byte at end") << "abc\xE6"s << false << L""s;
    // The ASCII run is widened in blocks: sequences right at and across a block edge.
    QTest::newRow("16 ASCII, then two bytes")
        << "0123456789abcdef\xC3\xBC"s << true << L"0123456789abcdef\u00FC"s;
    QTest::newRow("15 ASCII, then two bytes, then 16 ASCII")
        << "0123456789abcde\xC3\xBC"
           "0123456789abcdef"s
        << true << L"0123456789abcde\u00FC0123456789abcdef"s;
    QTest::newRow("20 ASCII, then a stray byte") << "0123456789abcdefghij\x80"s << false << L""s;
    // Runs of three-byte sequences are decoded two at a time: what may not pass there.
    QTest::newRow("three-byte run, surrogate second")
        << "\xE6\x97\xA5\xED\xA0\x80\xE6\x97\xA5\xE6\x97\xA5"s << true
        << L"\u65E5\uFFFD\u65E5\u65E5"s;
    QTest::newRow("three-byte run, surrogate first")
        << "\xED\xBF\xBF\xE6\x97\xA5\xE6\x97\xA5"s << true << L"\uFFFD\u65E5\u65E5"s;
    QTest::newRow("three-byte run, overlong second")
        << "\xE6\x97\xA5\xE0\x9F\xBF\xE6\x97\xA5"s << false << L""s;
    QTest::newRow("three-byte run, smallest second")
        << "\xE6\x97\xA5\xE0\xA0\x80\xE6\x97\xA5"s << true << L"\u65E5\u0800\u65E5"s;
    QTest::newRow("three-byte run, bad continuation")
        << "\xE6\x97\xA5\xE6\x97\x41\xE6\x97\xA5"s << false << L""s;
    QTest::newRow("three-byte run, four-byte lead inside")
        << "\xE6\x97\xA5\xF0\x9F\x8E\xAC\xE6\x97\xA5"s << true << L"\u65E5\U0001F3AC\u65E5"s;
    QTest::newRow("three-byte run, truncated at end")
        << "\xE6\x97\xA5\xE6\x97\xA5\xE6\x97"s << false << L""s;
    QTest::newRow("NUL in an ASCII block") << "01234567\0"
                                              "9abcdefXYZ"s
                                           << true
                                           << L"01234567\0"
                                              "9abcdefXYZ"s;
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
        << std::wstring {wchar_t(0xD83C), wchar_t(0xDFAC)} << true << "\xF0\x9F\x8E\xAC"s;
    QTest::newRow("lone high") << std::wstring {wchar_t(0xD83C), L'x'} << true << "\xED\xA0\xBCx"s;
    QTest::newRow("lone low") << std::wstring {L'x', wchar_t(0xDFAC)} << true << "x\xED\xBE\xAC"s;
    QTest::newRow("high at end") << std::wstring {L'x', wchar_t(0xD83C)} << false << ""s;
    QTest::newRow("above U+10FFFF") << std::wstring {wchar_t(0x110000)} << true << "\xEF\xBF\xBD"s;
    QTest::newRow("negative") << std::wstring {wchar_t(-1)} << true << "\xEF\xBF\xBD"s;
    QTest::newRow("high, then pair")
        << std::wstring {wchar_t(0xD83C), wchar_t(0xD83C), wchar_t(0xDFAC)} << true
        << "\xED\xA0\xBC\xF0\x9F\x8E\xAC"s;
    QTest::newRow("pair, then high at end")
        << std::wstring {wchar_t(0xD83C), wchar_t(0xDFAC), wchar_t(0xDBFF)} << false << ""s;
    QTest::newRow("highest") << L"\U0010FFFF"s << true << "\xF4\x8F\xBF\xBF"s;
    // ASCII is narrowed sixteen characters at a time: what must stop a block.
    const std::wstring sixteen = L"0123456789abcdef";
    QTest::newRow("block, then U+0080")
        << sixteen + L"\u0080" << true << "0123456789abcdef\xC2\x80"s;
    QTest::newRow("U+0080 last in a block") << L"0123456789abcde\u0080" + sixteen << true
                                            << "0123456789abcde\xC2\x80"
                                               "0123456789abcdef"s;
    QTest::newRow("negative in a block")
        << L"01234567" + std::wstring {wchar_t(-128)} + L"9abcdef" << true
        << "01234567\xEF\xBF\xBD"
           "9abcdef"s;
    QTest::newRow("U+0100 in a block") << L"0123\u0100" + sixteen << true
                                       << "0123\xC4\x80"
                                          "0123456789abcdef"s;
    QTest::newRow("pairs, then blocks")
        << std::wstring {wchar_t(0xD83C), wchar_t(0xDFAC)} + sixteen + sixteen << true
        << "\xF0\x9F\x8E\xAC"
           "0123456789abcdef0123456789abcdef"s;
    QTest::newRow("blocks, then high at end")
        << sixteen + sixteen + std::wstring {wchar_t(0xD83C)} << false << ""s;
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

/*
    Random valid text both ways against Qt: the fast paths (ASCII blocks, runs of
    three-byte sequences) start and stop at every offset. Surrogates are left out:
    there the rules differ from Qt's on purpose and the tables above cover them.
*/
void tst_UtfConversion::agreesWithQt_data()
{
    QTest::addColumn<Ranges>("ranges");

    const std::pair<char32_t, char32_t> ascii {0x00, 0x7F};
    QTest::newRow("ascii") << Ranges {ascii};
    QTest::newRow("european") << Ranges {ascii, ascii, {0xA0, 0x17F}};
    QTest::newRow("cjk") << Ranges {{0x4E00, 0x9FFF}, {0x4E00, 0x9FFF}, {0x3000, 0x303F}, ascii};
    QTest::newRow("every length") << Ranges {
        ascii, {0x80, 0x7FF}, {0x800, 0xD7FF}, {0xE000, 0xFFFF}, {0x10000, 0x10FFFF}};
}

void tst_UtfConversion::agreesWithQt()
{
    QFETCH(Ranges, ranges);
    QRandomGenerator random(42);
    for (int n = 0; n < 400; ++n) {
        std::wstring wide;
        for (int length = random.bounded(80); length > 0; --length) {
            const auto [from, to] = ranges[random.bounded(int(ranges.size()))];
            wide += wchar_t(from + random.bounded(to - from + 1));
        }
        const std::string utf8 = QString::fromStdWString(wide).toStdString();
        QCOMPARE(ztds::wideToUtf8(wide), utf8);
        QVERIFY(ztds::utf8ToWide(utf8) == wide);
    }
}

void tst_UtfConversion::utf16LE_data()
{
    QTest::addColumn<std::string>("utf8");
    QTest::addColumn<std::string>("utf16le");

    QTest::newRow("empty") << ""s
                           << ""s;
    QTest::newRow("ascii") << "Ab"s
                           << "A\0b\0"s;
    QTest::newRow("bmp") << "\xC3\xBC\xE6\x97\xA5"s
                         << "\xFC\0\xE5\x65"s;
    QTest::newRow("pair") << "\xF0\x9F\x8E\xAC"s
                          << "\x3C\xD8\xAC\xDF"s;
    QTest::newRow("embedded NUL") << "a\0"s
                                  << "a\0\0\0"s;
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

void tst_UtfConversion::utf16LEOneWay_data()
{
    QTest::addColumn<bool>("fromUtf8");
    QTest::addColumn<std::string>("input");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("lone low to UTF-8") << false << "\x00\xDC"s << true << "\xED\xB0\x80"s;
    QTest::newRow("lone high to UTF-8") << false << "\x3C\xD8x\0"s << true << "\xED\xA0\xBCx"s;
    QTest::newRow("high at end") << false << "x\0\x3C\xD8"s << false << ""s;
    QTest::newRow("surrogate from UTF-8") << true << "\xED\xB0\x80"s << true << "\xFD\xFF"s;
    QTest::newRow("invalid UTF-8") << true << "ok\xC3"s << false << ""s;
}

void tst_UtfConversion::utf16LEOneWay()
{
    QFETCH(bool, fromUtf8);
    QFETCH(std::string, input);
    QFETCH(bool, ok);
    QFETCH(std::string, expected);
    bool converted = !ok;
    const std::string result =
        fromUtf8 ? ztds::utf8ToUtf16LE(input, &converted) : ztds::utf16LEToUtf8(input, &converted);
    QCOMPARE(result, expected);
    QCOMPARE(converted, ok);
}

QTEST_GUILESS_MAIN(tst_UtfConversion)
#include "tst_utfconversion.moc"
