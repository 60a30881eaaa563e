// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/text/mavstringtools.h>

#include <QBuffer>
#include <QDataStream>
#include <QDebug>
#include <QSet>
#include <QTest>

#include <string>

using namespace std::string_literals;
using Quorvex::MavStringTools;

class tst_MavStringTools : public QObject
{
    Q_OBJECT

private slots:
    void stdStringConversions();
    void unsignedStringOperators();

    void codePageCatalogue();
    void regions_data();
    void regions();

    void languageTable();
    void countryTable();
    void lookups_data();
    void lookups();
};

void tst_MavStringTools::stdStringConversions()
{
    // The UTF-8 reader stops at the first zero byte; the writer keeps every character.
    QCOMPARE(MavStringTools::fromStdStringUTF8("Gr\xC3\xBC\0tail"s), QStringLiteral("Gr\u00FC"));
    const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral("\u65E5");
    QCOMPARE(MavStringTools::toStdStringUTF8(withNul), "a\0\xE6\x97\xA5"s);

    // The 8-bit forms are Latin-1, full length, one byte a character.
    QCOMPARE(MavStringTools::fromStdStringASCII("K\xF6ln\0x"s),
             QStringLiteral("K\u00F6ln") + QChar(0) + QStringLiteral("x"));
    QCOMPARE(MavStringTools::toStdStringASCII(QStringLiteral("K\u00F6ln")), "K\xF6ln"s);

    const QString text = QStringLiteral("\u00C9t\u00E9 \U0001F3AC");
    const std::basic_string<unsigned char> bytes = MavStringTools::toUTF8String(text);
    QCOMPARE(bytes.size(), std::size_t(10));
    QCOMPARE(MavStringTools::fromUTF8String(bytes), text);
}

void tst_MavStringTools::unsignedStringOperators()
{
    const auto *raw = reinterpret_cast<const unsigned char *>("caf\xC3\xA9");
    const std::basic_string<unsigned char> text(raw);

    QByteArray stored;
    {
        QDataStream out(&stored, QIODevice::WriteOnly);
        out << text;
    }
    QDataStream in(stored);
    QString read;
    in >> read;
    QCOMPARE(read, QStringLiteral("caf\u00E9"));

    QString printed;
    QDebug(&printed) << text;
    QCOMPARE(printed, QStringLiteral("\"caf\u00E9\" "));
}

void tst_MavStringTools::codePageCatalogue()
{
    const QStringList ids = MavStringTools::codePages();
    QCOMPARE(ids.size(), 100);
    QCOMPARE(ids.first(), QStringLiteral("CP1047"));
    QCOMPARE(ids.last(), QStringLiteral("x-mac-turkish"));
    // Key order puts every upper-case CP identifier before the lower-case ones.
    const qsizetype firstLower = ids.indexOf(QStringLiteral("big5"));
    QCOMPARE(firstLower, 17);
    for (qsizetype i = 0; i < ids.size(); ++i)
        QCOMPARE(ids.at(i).startsWith(QLatin1String("CP")), i < firstLower);

    // The regions partition the catalogue.
    QSet<QString> inRegions;
    for (const QString &region : MavStringTools::codePageRegions()) {
        for (const QString &id : MavStringTools::codePagesForRegion(region)) {
            QVERIFY2(ids.contains(id), qPrintable(id));
            inRegions.insert(id);
        }
    }
    QCOMPARE(inRegions.size(), ids.size());
}

void tst_MavStringTools::regions_data()
{
    QTest::addColumn<QString>("region");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    QTest::newRow("West European") << "West European" << 24 << "us-ascii"
                                   << "CP869";
    QTest::newRow("East European") << "East European" << 18 << "iso-8859-2"
                                   << "CP866";
    QTest::newRow("Unicode") << "Unicode" << 10 << "utf-7"
                             << "bocu-1";
    QTest::newRow("unknown") << "Atlantis" << 0 << QString() << QString();
    QTest::newRow("case matters") << "unicode" << 0 << QString() << QString();
}

void tst_MavStringTools::regions()
{
    QFETCH(QString, region);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);

    const QStringList ids = MavStringTools::codePagesForRegion(region);
    QCOMPARE(ids.size(), count);
    if (count) {
        QCOMPARE(ids.first(), first);
        QCOMPARE(ids.last(), last);
    }
    if (region == QLatin1String("East European")) {
        // Doubled on purpose: callers have always listed it twice.
        QCOMPARE(ids.at(12), QStringLiteral("CP866"));
        QCOMPARE(ids.count(QStringLiteral("CP866")), 2);
    }
    QCOMPARE(MavStringTools::codePageRegions(),
             (QStringList {"East Asian", "East European", "Middle Eastern", "Miscellaneous",
                           "SE & SW Asian", "Unicode", "West European"}));
}

void tst_MavStringTools::languageTable()
{
    const auto two = MavStringTools::twoLetterLanguageCodeMap();
    const auto three = MavStringTools::threeLetterLanguageCodeMap();
    QCOMPARE(two.size(), 136);
    QCOMPARE(three.size(), 185);
    for (const QString &code : two.keys())
        QCOMPARE(code, code.toLower());
    for (const char *code : {"in", "iw", "ji", "jw", "mo"})
        QVERIFY2(two.contains(code), code);
    for (const char *code : {"id", "he", "yi"})
        QVERIFY2(!two.contains(code), code);
    // Every name is filled, and the two maps split the table without overlap.
    for (const auto &map : {two, three}) {
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            QVERIFY2(!it.value().trimmed().isEmpty(), qPrintable(it.key()));
    }
    QVERIFY(!three.contains("deu")); // terminology forms are not in the table
}

void tst_MavStringTools::countryTable()
{
    int trailingSpace = 0;
    int count = 0;
    for (char a = 'a'; a <= 'z'; ++a) {
        for (char b = 'a'; b <= 'z'; ++b) {
            const QString name = MavStringTools::countryCodeToString(QString(QChar(a)) + QChar(b));
            if (name.isNull())
                continue;
            ++count;
            QVERIFY(!name.trimmed().isEmpty());
            QVERIFY(!name.startsWith(QLatin1Char(' ')));
            QVERIFY(!name.endsWith(QLatin1String("  ")));
            trailingSpace += name.endsWith(QLatin1Char(' '));
        }
    }
    QCOMPARE(count, 244);
    QCOMPARE(trailingSpace, 11);
}

void tst_MavStringTools::lookups_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");

    QTest::newRow("codepage: utf-8") << QStringLiteral("codepage") << "utf-8"
                                     << "Unicode (UTF-8)";
    QTest::newRow("codepage: upper case is another id")
        << QStringLiteral("codepage") << "UTF-8" << QString();
    QTest::newRow("codepage: CP437") << QStringLiteral("codepage") << "CP437"
                                     << "DOS Extended ASCII (437)";
    QTest::newRow("codepage: misspelled key kept") << QStringLiteral("codepage") << "CP865"
                                                   << "Nordic withough Icelandic (MS-DOS 865)";
    QTest::newRow("codepage: unknown") << QStringLiteral("codepage") << "windows-9999" << QString();
    QTest::newRow("language: EN") << QStringLiteral("language") << "EN"
                                  << "English";
    QTest::newRow("language: eng") << QStringLiteral("language") << "eng"
                                   << "English";
    QTest::newRow("language: he absent") << QStringLiteral("language") << "he" << QString();
    QTest::newRow("language: iw") << QStringLiteral("language") << "iw"
                                  << "Hebrew";
    QTest::newRow("language: no region suffix")
        << QStringLiteral("language") << "en-us" << QString();
    QTest::newRow("language: empty") << QStringLiteral("language") << "" << QString();
    QTest::newRow("language: Bokmal, Latin-1 letter") << QStringLiteral("language") << "nob"
                                                      << "Bokm\u00E5l, Norwegian";
    QTest::newRow("language: Volap?k") << QStringLiteral("language") << "vol"
                                       << "Volap?k";
    QTest::newRow("language: Dhivehi") << QStringLiteral("language") << "div"
                                       << "Maldivian";
    QTest::newRow("language: Moldavian") << QStringLiteral("language") << "mol"
                                         << "Moldavian";
    QTest::newRow("country: UK") << QStringLiteral("country") << "UK"
                                 << "United Kingdom";
    QTest::newRow("country: GB") << QStringLiteral("country") << "gB"
                                 << "Great Britain";
    QTest::newRow("country: ci, trailing space") << QStringLiteral("country") << "ci"
                                                 << "Ivory Coast (Cote D'Ivoire) ";
    QTest::newRow("country: cs") << QStringLiteral("country") << "cs"
                                 << "Former Czechoslovakia";
    QTest::newRow("country: vi") << QStringLiteral("country") << "VI"
                                 << "Virgin Islands (USA)";
    QTest::newRow("country: us") << QStringLiteral("country") << "us"
                                 << "United States";
    QTest::newRow("country: absent: rs") << QStringLiteral("country") << "rs" << QString();
}

void tst_MavStringTools::lookups()
{
    QFETCH(QString, table);
    QFETCH(QString, code);
    QFETCH(QString, name);
    const QString found = table == QLatin1String("codepage") ? MavStringTools::codePageName(code)
        : table == QLatin1String("language") ? MavStringTools::languageCodeToString(code)
                                             : MavStringTools::countryCodeToString(code);
    QCOMPARE(found, name);
    QCOMPARE(found.isNull(), name.isNull()); // a null string, not an empty one
}

QTEST_GUILESS_MAIN(tst_MavStringTools)
#include "tst_mavstringtools.moc"
