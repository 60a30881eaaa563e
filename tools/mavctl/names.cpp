// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl codepages, languages, countries: the name tables, one "code<TAB>name" a line.
#include "command.h"

#include <MavLibrary/text/mavstringtools.h>

#include <QCommandLineParser>

#include <functional>

using Quorvex::MavStringTools;

namespace {

void printEntry(const QString &code, const QString &name)
{
    Mavctl::printLine(code + QLatin1Char('\t') + name);
}

int runCodePages(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the code pages a user may choose, or those of one region.\n"
                       "Regions: ")
        + MavStringTools::codePageRegions().join(QStringLiteral(", ")));
    const QCommandLineOption region(QStringLiteral("region"),
                                    QStringLiteral("Only the code pages of region <name>."),
                                    QStringLiteral("name"));
    parser.addOption(region);
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return Mavctl::usageError(arguments.value(0),
                                  QStringLiteral("codepages takes no arguments"));

    QStringList ids = MavStringTools::codePages();
    if (parser.isSet(region)) {
        const QString name = parser.value(region);
        if (!MavStringTools::codePageRegions().contains(name))
            return Mavctl::fail(QStringLiteral("unknown region '%1'").arg(name));
        ids = MavStringTools::codePagesForRegion(name);
    }
    for (const QString &id : ids)
        printEntry(id, MavStringTools::codePageName(id));
    return Mavctl::Success;
}

// Shared by languages and countries: all entries, or the one for the code given.
int runLookup(const QStringList &arguments, const QString &what,
              const std::function<QList<QPair<QString, QString>>()> &all,
              QString (*lookup)(const QString &))
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the %1 names, or prints the one for a code (any case).").arg(what));
    parser.addPositionalArgument(QStringLiteral("code"), QStringLiteral("The code to look up."),
                                 QStringLiteral("[code]"));
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return Mavctl::usageError(arguments.value(0), QStringLiteral("give at most one code"));
    if (positional.size() == 1) {
        const QString name = lookup(positional.first());
        if (name.isEmpty())
            return Mavctl::fail(
                QStringLiteral("unknown %1 code '%2'").arg(what, positional.first()));
        printEntry(positional.first().toLower(), name);
        return Mavctl::Success;
    }
    for (const auto &entry : all())
        printEntry(entry.first, entry.second);
    return Mavctl::Success;
}

QList<QPair<QString, QString>> entries(const QMap<QString, QString> &map)
{
    QList<QPair<QString, QString>> rows;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        rows.append({it.key(), it.value()});
    return rows;
}

int runLanguages(const QStringList &arguments)
{
    return runLookup(
        arguments, QStringLiteral("language"),
        [] {
            // Two-letter codes first, as the table is filled.
            return entries(MavStringTools::twoLetterLanguageCodeMap())
                + entries(MavStringTools::threeLetterLanguageCodeMap());
        },
        &MavStringTools::languageCodeToString);
}

int runCountries(const QStringList &arguments)
{
    return runLookup(
        arguments, QStringLiteral("country"),
        [] {
            // Country codes are two letters; the table is reached through its lookup.
            QList<QPair<QString, QString>> rows;
            for (char16_t a = u'a'; a <= u'z'; ++a) {
                for (char16_t b = u'a'; b <= u'z'; ++b) {
                    const QString code = QString(QChar(a)) + QChar(b);
                    const QString name = MavStringTools::countryCodeToString(code);
                    if (!name.isNull())
                        rows.append({code, name});
                }
            }
            return rows;
        },
        &MavStringTools::countryCodeToString);
}

} // namespace

MAVCTL_COMMAND("codepages", "code pages and their names, by region with --region", runCodePages);
MAVCTL_COMMAND("languages", "language codes and names, or the name of one code", runLanguages);
MAVCTL_COMMAND("countries", "country codes and names, or the name of one code", runCountries);
