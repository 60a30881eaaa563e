// SPDX-License-Identifier: LGPL-2.1-or-later
// The user's language and country, the language code of the web links, and the
// system code page.
#include "osutilities.h"

#include "localecodepages_p.h"
#include "text/ucnvlibrary_p.h"

#include <QDebug>
#include <QLocale>
#include <QMutex>
#include <QMutexLocker>

#include <mutex>
#include <shared_mutex>

namespace Quorvex {

QString OSUtilities::s_localeLanguage;
QString OSUtilities::s_localeCountry;

namespace {

// setLocale runs once at start-up on the GUI thread, but the codes are read from
// any thread (the ping reports run on the ping worker). A pthread lock, which
// ThreadSanitizer sees into.
std::shared_mutex &localeLock()
{
    static std::shared_mutex lock;
    return lock;
}

// Deployment values of the maker's web services; an installation may point them
// elsewhere in its configuration file.
QString rootUrl(const char *key, const char *fallback)
{
    return OSUtilities::readConfigValue(QLatin1String(key), QString::fromLatin1(fallback))
        .toString();
}

} // namespace

void OSUtilities::setLocale(const QString &locale)
{
    QString language = locale.mid(0, 2).toLower();
    if (language.size() != 2)
        language = QStringLiteral("en");

    QString country = locale.mid(3, 4).toLower();
    if (country.size() != 2) {
        // Scripts and odd tails ("zh_Hant_TW" gives "hant") fall back to the main
        // country of the language; other languages keep whatever was there.
        static const struct
        {
            const char *language;
            const char *country;
        } mainCountries[] = {{"en", "us"}, {"fr", "fr"}, {"de", "de"}, {"es", "es"},
                             {"pt", "br"}, {"ja", "jp"}, {"zh", "cn"}};
        for (const auto &entry : mainCountries) {
            if (language == QLatin1String(entry.language)) {
                country = QLatin1String(entry.country);
                break;
            }
        }
    }

    {
        std::unique_lock locker(localeLock());
        s_localeLanguage = language;
        s_localeCountry = country;
    }
    qDebug().noquote().nospace() << "s_localeLanguage = " << language;
    qDebug().noquote().nospace() << "s_localeCountry = " << country;
}

QString OSUtilities::getLanguageCode()
{
    std::shared_lock locker(localeLock());
    return s_localeLanguage;
}

QString OSUtilities::getCountryCode()
{
    std::shared_lock locker(localeLock());
    return s_localeCountry;
}

QString OSUtilities::getLanguageAndCountryCode(const QString &separator,
                                               const QStringList &languagesWithoutCountry)
{
    std::shared_lock locker(localeLock());
    if (languagesWithoutCountry.contains(s_localeLanguage))
        return s_localeLanguage;
    return s_localeLanguage + separator + s_localeCountry;
}

/*
    The code each site expects, tested in this order (case-sensitive prefixes):

    | Root                      | Configuration value   | Code                               |
    |---------------------------|-----------------------|------------------------------------|
    | web site                  | Global/WebSiteURL     | zh-cn -> zh-hans, zh-tw -> zh-hant |
    | support site              | Global/SupportSiteURL | "?lang=" first; pt-br -> pt,       |
    |                           |                       | zh* -> zhcn                        |
    | anything else (redirects) | Global/RedirectURL    | unchanged                          |

    English, French, German, Japanese and Spanish users get the bare language.
*/
QString OSUtilities::appendLanguageCodeToURL(const QString &url)
{
    static const QStringList bareLanguages =
        QStringLiteral("en,fr,de,ja,es").split(QLatin1Char(','));
    QString code = getLanguageAndCountryCode(QStringLiteral("-"), bareLanguages).toLower();

    QString result = url;
    if (!result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');

    if (result.startsWith(rootUrl("Global/WebSiteURL", "https://www.zentrix.com/"))) {
        if (code == QLatin1String("zh-cn"))
            code = QStringLiteral("zh-hans");
        else if (code == QLatin1String("zh-tw"))
            code = QStringLiteral("zh-hant");
    } else if (result.startsWith(
                   rootUrl("Global/SupportSiteURL", "https://support.zentrix.com/"))) {
        result += QLatin1String("?lang=");
        if (code == QLatin1String("pt-br"))
            code = QStringLiteral("pt");
        else if (code.startsWith(QLatin1String("zh")))
            code = QStringLiteral("zhcn");
    } else if (result.startsWith(rootUrl("Global/RedirectURL", "https://go.zentrix.com/"))) {
        // The redirect service takes the code as it is, like any other site.
    }
    return result + code;
}

/*
    Windows asks GetLocaleInfo for the user's OEM, ANSI, EBCDIC and Macintosh code
    pages, in that order; here they come from the table in localecodepages.cpp for
    QLocale::system(). The first one the converter library can open is the answer;
    only an accepted answer is cached, so a later call tries again.
*/
QString OSUtilities::getSystemCodePage()
{
    static QMutex mutex;
    static QString cached;
    QMutexLocker locker(&mutex);
    if (!cached.isEmpty())
        return cached;

    const QLocale system = QLocale::system();
    const LocaleCodePages::Entry pages =
        LocaleCodePages::lookup(system.language(), system.script(), system.territory());
    for (const int page : {pages.oem, pages.ansi, pages.ebcdic, pages.mac}) {
        if (page <= 0)
            continue;
        const QByteArray name = QByteArray::number(page);
        if (ztds::UCNVLibrary::isConverterAvailable(name.constData())) {
            cached = QString::fromLatin1(name);
            break;
        }
    }
    return cached;
}

} // namespace Quorvex
