// SPDX-License-Identifier: LGPL-2.1-or-later
// The locale codes, the language code of web links, and the system code page.
#include "childprocess.h"
#include "os/localecodepages_p.h"
#include "testenvironment.h"
#include "text/ucnvlibrary_p.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/text/mavstringtools.h>

#include <QProcessEnvironment>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <memory>

using Quorvex::OSUtilities;

namespace {

const QString web = QStringLiteral("https://www.zentrix.com/player");
const QString support = QStringLiteral("https://support.zentrix.com/faq");
const QString redirect = QStringLiteral("https://go.zentrix.com/buy");
const QString other = QStringLiteral("https://example.org/page");

// The child's answer: the code page under the environment it was given.
QString childCodePage(const QProcessEnvironment &environment)
{
    MavTest::ChildOptions options;
    options.environment = environment;
    const MavTest::ChildResult child =
        MavTest::runSelf({QStringLiteral("--print-code-page")}, options);
    if (!child.succeeded())
        return QStringLiteral("<child failed: %1>").arg(QString::fromLocal8Bit(child.err));
    return QString::fromLatin1(child.out).trimmed();
}

} // namespace

class tst_OSUtilitiesLocale : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<MavTest::TestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    // Must run first: nothing has called setLocale yet.
    void beforeFirstSetLocale_data();
    void beforeFirstSetLocale();
    void setLocale_data();
    void setLocale();
    void traceLines();
    void appendLanguageCodeToURL_data();
    void appendLanguageCodeToURL();
    void configuredRoots();
    void codePageTable_data();
    void codePageTable();
    void everyLanguage();
    void systemCodePage_data();
    void systemCodePage();

private:
    std::unique_ptr<MavTest::TestEnvironment> m_environment;
};

void tst_OSUtilitiesLocale::beforeFirstSetLocale_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("expected");
    QTest::newRow("web") << web << web + QStringLiteral("/-");
    QTest::newRow("support") << support << support + QStringLiteral("/?lang=-");
    QTest::newRow("other") << other << other + QStringLiteral("/-");
}

void tst_OSUtilitiesLocale::beforeFirstSetLocale()
{
    QFETCH(QString, url);
    QFETCH(QString, expected);
    QCOMPARE(OSUtilities::getLanguageCode(), QString());
    QCOMPARE(OSUtilities::getCountryCode(), QString());
    QCOMPARE(OSUtilities::appendLanguageCodeToURL(url), expected);
}

void tst_OSUtilitiesLocale::setLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("country");
    QTest::newRow("pt_BR") << "pt_BR"
                           << "pt"
                           << "br";
    QTest::newRow("en alone gets us") << "en"
                                      << "en"
                                      << "us";
    QTest::newRow("one letter is English") << "x"
                                           << "en"
                                           << "us";
    QTest::newRow("empty is English") << ""
                                      << "en"
                                      << "us";
    QTest::newRow("it keeps no country") << "it"
                                         << "it"
                                         << "";
    QTest::newRow("zh_Hant_TW script is no country") << "zh_Hant_TW"
                                                     << "zh"
                                                     << "cn";
    QTest::newRow("zh_TW") << "zh_TW"
                           << "zh"
                           << "tw";
    QTest::newRow("upper case is lowered") << "DE_AT"
                                           << "de"
                                           << "at";
    QTest::newRow("sr_Latn keeps the script text") << "sr_Latn"
                                                   << "sr"
                                                   << "latn";
    QTest::newRow("en_001 is not two letters") << "en_001"
                                               << "en"
                                               << "us";
}

void tst_OSUtilitiesLocale::setLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QFETCH(QString, country);
    OSUtilities::setLocale(locale);
    QCOMPARE(OSUtilities::getLanguageCode(), language);
    QCOMPARE(OSUtilities::getCountryCode(), country);
}

void tst_OSUtilitiesLocale::traceLines()
{
    QTest::ignoreMessage(QtDebugMsg, "s_localeLanguage = pt");
    QTest::ignoreMessage(QtDebugMsg, "s_localeCountry = br");
    OSUtilities::setLocale(QStringLiteral("pt_BR"));
}

void tst_OSUtilitiesLocale::appendLanguageCodeToURL_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("expected");

    QTest::newRow("pt_BR web") << "pt_BR" << web << web + "/pt-br";
    QTest::newRow("pt_BR support") << "pt_BR" << support << support + "/?lang=pt";
    QTest::newRow("zh_TW web") << "zh_TW" << web << web + "/zh-hant";
    QTest::newRow("zh_TW support") << "zh_TW" << support << support + "/?lang=zhcn";
    QTest::newRow("zh_TW redirect") << "zh_TW" << redirect << redirect + "/zh-tw";
    QTest::newRow("zh_CN web") << "zh_CN" << web << web + "/zh-hans";
    QTest::newRow("zh_Hant_TW web") << "zh_Hant_TW" << web << web + "/zh-hans";
    QTest::newRow("ja_JP is bare") << "ja_JP" << web << web + "/ja";
    QTest::newRow("en_GB is bare") << "en_GB" << support << support + "/?lang=en";
    QTest::newRow("de other") << "de_DE" << other << other + "/de";
    QTest::newRow("it") << "it_IT" << web << web + "/it-it";
    QTest::newRow("it without country") << "it" << other << other + "/it-";
    QTest::newRow("x is English") << "x" << web << web + "/en";
    QTest::newRow("trailing slash kept") << "fr_FR" << web + "/" << web + "/fr";
    QTest::newRow("root without slash is the root") << "ru_RU"
                                                    << "https://www.zentrix.com"
                                                    << "https://www.zentrix.com/ru-ru";
    QTest::newRow("prefix is case-sensitive") << "zh_TW"
                                              << "HTTPS://www.zentrix.com/a"
                                              << "HTTPS://www.zentrix.com/a/zh-tw";
}

void tst_OSUtilitiesLocale::appendLanguageCodeToURL()
{
    QFETCH(QString, locale);
    QFETCH(QString, url);
    QFETCH(QString, expected);
    OSUtilities::setLocale(locale);
    QCOMPARE(OSUtilities::appendLanguageCodeToURL(url), expected);
}

// Overrides are read at every call, so this may run after the defaults were used.
void tst_OSUtilitiesLocale::configuredRoots()
{
    OSUtilities::setLocale(QStringLiteral("zh_TW"));
    OSUtilities::setConfigValue(QStringLiteral("Global/WebSiteURL"),
                                QStringLiteral("https://web.test/"));
    OSUtilities::setConfigValue(QStringLiteral("Global/SupportSiteURL"),
                                QStringLiteral("https://help.test/"));
    QCOMPARE(OSUtilities::appendLanguageCodeToURL(QStringLiteral("https://web.test/x")),
             QStringLiteral("https://web.test/x/zh-hant"));
    QCOMPARE(OSUtilities::appendLanguageCodeToURL(QStringLiteral("https://help.test/x")),
             QStringLiteral("https://help.test/x/?lang=zhcn"));
    QCOMPARE(OSUtilities::appendLanguageCodeToURL(web), web + QStringLiteral("/zh-tw"));
}

// Only what the table cannot show by itself: the fallbacks by country, script and
// language, and the rows without pages.
void tst_OSUtilitiesLocale::codePageTable_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QList<int>>("pages");
    QTest::newRow("C") << "C" << QList<int> {437, 1252, 37, 10000};
    QTest::newRow("en_GB by country") << "en_GB" << QList<int> {850, 1252, 20285, 10000};
    QTest::newRow("en_IN falls to the language") << "en_IN" << QList<int> {437, 1252, 37, 10000};
    QTest::newRow("zh_TW by script") << "zh_TW" << QList<int> {950, 950, 500, 10002};
    QTest::newRow("sr_RS Cyrillic") << "sr_RS" << QList<int> {855, 1251, 21025, 10007};
    QTest::newRow("sr_Latn_RS") << "sr_Latn_RS" << QList<int> {852, 1250, 500, 10082};
    QTest::newRow("uz_UZ Latin") << "uz_UZ" << QList<int> {857, 1254, 500, 10029};
    QTest::newRow("hi_IN Unicode only") << "hi_IN" << QList<int> {0, 0, 500, 0};
    QTest::newRow("se_FI by country") << "se_FI" << QList<int> {850, 1252, 20278, 10000};
    QTest::newRow("ku_TR as Windows' Kurdish") << "ku_TR" << QList<int> {720, 1256, 20420, 10004};
    QTest::newRow("sd_Deva_IN by script") << "sd_Deva_IN" << QList<int> {0, 0, 500, 0};
    QTest::newRow("ab_GE no Windows locale") << "ab_GE" << QList<int> {0, 0, 0, 0};
}

void tst_OSUtilitiesLocale::codePageTable()
{
    QFETCH(QString, locale);
    QFETCH(QList<int>, pages);
    const QLocale l(locale);
    const auto entry = Quorvex::LocaleCodePages::lookup(l.language(), l.script(), l.territory());
    QCOMPARE((QList<int> {entry.oem, entry.ansi, entry.ebcdic, entry.mac}), pages);
}

void tst_OSUtilitiesLocale::everyLanguage()
{
    // The languages of the name table that Windows has no locale for.
    const QStringList withoutWindowsLocale = {
        QStringLiteral("ab"), QStringLiteral("ae"), QStringLiteral("an"), QStringLiteral("av"),
        QStringLiteral("ay"), QStringLiteral("bi"), QStringLiteral("ch"), QStringLiteral("cr"),
        QStringLiteral("cv"), QStringLiteral("fj"), QStringLiteral("ho"), QStringLiteral("hz"),
        QStringLiteral("ik"), QStringLiteral("io"), QStringLiteral("kg"), QStringLiteral("kj"),
        QStringLiteral("kv"), QStringLiteral("li"), QStringLiteral("mh"), QStringLiteral("na"),
        QStringLiteral("ng"), QStringLiteral("nv"), QStringLiteral("ny"), QStringLiteral("oj"),
        QStringLiteral("pi"), QStringLiteral("sm"), QStringLiteral("ty")};
    QHash<int, bool> available; // code page -> the converter library opens it
    QStringList withoutCodePage, withRowButNoLocale;
    QMap<QString, QString> codes = Quorvex::MavStringTools::twoLetterLanguageCodeMap();
    codes.insert(Quorvex::MavStringTools::threeLetterLanguageCodeMap());
    for (auto it = codes.cbegin(); it != codes.cend(); ++it) {
        // Obsolete codes (bh, jw, tw, ...) name no language a locale can have.
        const QLocale::Language language = QLocale::codeToLanguage(it.key());
        if (language == QLocale::AnyLanguage)
            continue;
        // The language's usual script and country, where Qt has data for it.
        const QLocale usual(language);
        const bool known = usual.language() == language;
        const auto entry =
            Quorvex::LocaleCodePages::lookup(language, known ? usual.script() : QLocale::AnyScript,
                                             known ? usual.territory() : QLocale::AnyTerritory);
        // What getSystemCodePage() would answer for it.
        bool answered = false;
        for (const int page : {entry.oem, entry.ansi, entry.ebcdic, entry.mac}) {
            if (page <= 0)
                continue;
            if (!available.contains(page))
                available[page] = ztds::UCNVLibrary::isConverterAvailable(QByteArray::number(page));
            if ((answered = available[page]))
                break;
        }
        const QString name = it.key() + QLatin1Char(' ') + it.value();
        if (withoutWindowsLocale.contains(QLocale::languageToCode(language))) {
            if (entry.ebcdic != 0) // every row has an EBCDIC page
                withRowButNoLocale << name;
        } else if (!answered) {
            withoutCodePage << name;
        }
    }
    QVERIFY2(withoutCodePage.isEmpty(), qPrintable(withoutCodePage.join(u", ")));
    QVERIFY2(withRowButNoLocale.isEmpty(), qPrintable(withRowButNoLocale.join(u", ")));
}

void tst_OSUtilitiesLocale::systemCodePage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<bool>("icuMissing");
    QTest::addColumn<QString>("expected");
    QTest::newRow("en_US.UTF-8") << "en_US.UTF-8" << false << "437";
    QTest::newRow("zh_TW.UTF-8") << "zh_TW.UTF-8" << false << "950";
    QTest::newRow("C") << "C" << false << "437";
    QTest::newRow("POSIX") << "POSIX" << false << "437";
    QTest::newRow("ar_SA.UTF-8 as windows-720") << "ar_SA.UTF-8" << false << "720";
    // Unicode-only locales have no OEM, ANSI or Mac page of their own: EBCDIC answers.
    QTest::newRow("hi_IN.UTF-8 Unicode only") << "hi_IN.UTF-8" << false << "500";
    QTest::newRow("en_US.UTF-8 without ICU") << "en_US.UTF-8" << true << "";
}

void tst_OSUtilitiesLocale::systemCodePage()
{
    QFETCH(QString, lang);
    QFETCH(bool, icuMissing);
    QFETCH(QString, expected);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), lang);
    if (icuMissing)
        environment.insert(QStringLiteral("ZENTRIX_ICU_LIBRARY"),
                           m_environment->path(QStringLiteral("no-libicuuc.so")));
    else
        environment.remove(QStringLiteral("ZENTRIX_ICU_LIBRARY"));
    QCOMPARE(childCodePage(environment), expected);
}

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--print-code-page") == 0) {
        QCoreApplication app(argc, argv);
        // Asked twice: the second answer comes from the cache (or tries again).
        const QString first = OSUtilities::getSystemCodePage();
        if (OSUtilities::getSystemCodePage() != first)
            return 3;
        std::printf("%s\n", qPrintable(first));
        return 0;
    }
    QCoreApplication app(argc, argv);
    tst_OSUtilitiesLocale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_osutilities_locale.moc"
