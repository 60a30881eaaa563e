// SPDX-License-Identifier: LGPL-2.1-or-later
// Its own process: the tables are built once, at their first use, and must not have
// been built before the translator is installed.
#include <MavLibrary/text/mavstringtools.h>

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

using Quorvex::MavStringTools;

class tst_MavStringToolsTranslation : public QObject
{
    Q_OBJECT

private slots:
    void namesFreezeAtFirstUse();
    void trackFormatsFollowTheLanguage();
};

void tst_MavStringToolsTranslation::namesFreezeAtFirstUse()
{
    auto german = std::make_unique<QTranslator>();
    QVERIFY(german->load(QStringLiteral(MAVTEST_TRANSLATION_QM)));
    QVERIFY(QCoreApplication::installTranslator(german.get()));

    const auto check = [] {
        QCOMPARE(MavStringTools::languageCodeToString("en"), QStringLiteral("Englisch"));
        QCOMPARE(MavStringTools::languageCodeToString("eng"), QStringLiteral("Englisch"));
        QCOMPARE(MavStringTools::languageCodeToString("nob"),
                 QStringLiteral("Norwegisch (Bokm\u00E5l)"));
        QCOMPARE(MavStringTools::languageCodeToString("fr"), QStringLiteral("French"));
        QCOMPARE(MavStringTools::countryCodeToString("ci"), QStringLiteral("Elfenbeink\u00FCste"));
        QCOMPARE(MavStringTools::countryCodeToString("de"), QStringLiteral("Deutschland"));
        QCOMPARE(MavStringTools::codePageName("CP865"),
                 QStringLiteral("Nordisch ohne Isl\u00E4ndisch (MS-DOS 865)"));
        // Regions are keyed by their translated names.
        QCOMPARE(MavStringTools::codePagesForRegion("Unicode-Kodierungen").size(), 10);
        QVERIFY(MavStringTools::codePagesForRegion("Unicode").isEmpty());
    };
    check();
    if (QTest::currentTestFailed())
        return;

    // A later change of language does not reach the tables.
    QVERIFY(QCoreApplication::removeTranslator(german.get()));
    german.reset();
    QCOMPARE(QCoreApplication::translate("Languages", "English"), QStringLiteral("English"));
    check();
}

void tst_MavStringToolsTranslation::trackFormatsFollowTheLanguage()
{
    QTranslator german;
    QVERIFY(german.load(QStringLiteral(MAVTEST_TRANSLATION_QM)));
    QVERIFY(QCoreApplication::installTranslator(&german));
    QCOMPARE(MavStringTools::trackToString({}, {}, {}, {}, 4), QStringLiteral("Spur 4"));
    // One source text "%1", two translations: the comment tells them apart.
    QCOMPARE(MavStringTools::trackToString("de", {}, {}, {}, 1),
             QStringLiteral("Land: Deutschland"));
    QCOMPARE(MavStringTools::trackToString({}, "fr", {}, {}, 1), QStringLiteral("Sprache: French"));
    // Unlike the names, the formats are looked up at each call.
    QVERIFY(QCoreApplication::removeTranslator(&german));
    QCOMPARE(MavStringTools::trackToString({}, {}, {}, {}, 4), QStringLiteral("Track 4"));
}

QTEST_GUILESS_MAIN(tst_MavStringToolsTranslation)
#include "tst_mavstringtools_translation.moc"
