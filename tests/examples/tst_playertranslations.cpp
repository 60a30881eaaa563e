// SPDX-License-Identifier: LGPL-2.1-or-later
// The German and French of the player and of the library: every name the
// player's plug-in documents declare, looked up as the menu reader and the
// shortcut parser look them up; every entry of the .ts files finished with the
// placeholders of its source; the library's translator as a host installs it.
#include <MavLibrary/text/librarytranslations.h>
#include <MavLibrary/text/mavstringtools.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

struct Name
{
    QString context;
    QString text;
    const char *disambiguation; // "Menus" or "Shortcuts"
    bool menuTitle;
};

// Each <name> of <menus> and <shortcuts> with the translation context before it.
QList<Name> documentNames()
{
    QList<Name> names;
    const QDir folder(QStringLiteral(PLAYER_PLUGIN_DOCUMENTS));
    for (const QString &file : folder.entryList({QStringLiteral("*.xml")}, QDir::Files)) {
        QFile document(folder.filePath(file));
        if (!document.open(QIODevice::ReadOnly))
            return {};
        QXmlStreamReader xml(&document);
        QStringList path;
        QString context;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                path.append(xml.name().toString());
            } else if (xml.isEndElement()) {
                path.removeLast();
            } else if (xml.isCharacters() && !xml.isWhitespace() && path.size() > 3) {
                const bool menus = path.at(2) == QLatin1String("menus");
                if (path.last() == QLatin1String("context"))
                    context = xml.text().toString();
                else if (path.last() == QLatin1String("name"))
                    names.append({context, xml.text().toString(), menus ? "Menus" : "Shortcuts",
                                  menus && path.at(path.size() - 2) == QLatin1String("menu")});
            }
        }
    }
    return names;
}

} // namespace

class tst_PlayerTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyNameIsTranslated_data();
    void everyNameIsTranslated();
    void everyEntryIsFinished_data();
    void everyEntryIsFinished();
    void libraryTranslatorForAHost();
};

void tst_PlayerTranslations::everyNameIsTranslated_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("German") << QStringLiteral("de");
    QTest::newRow("French") << QStringLiteral("fr");
}

void tst_PlayerTranslations::everyNameIsTranslated()
{
    QFETCH(QString, language);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(PLAYER_TRANSLATIONS "/zentrix-player_") + language));
    const QList<Name> names = documentNames();
    QVERIFY(names.size() > 20);
    QSet<QChar> mnemonics;
    for (const Name &name : names) {
        const QString translated =
            translator.translate(name.context.toLatin1().constData(),
                                 name.text.toUtf8().constData(), name.disambiguation);
        QVERIFY2(!translated.isEmpty(),
                 qPrintable(QStringLiteral("%1 / %2 / %3")
                                .arg(name.context, name.text, QLatin1String(name.disambiguation))));
        QCOMPARE(translated.count(QLatin1Char('&')), name.text.count(QLatin1Char('&')));
        // The menu bar's titles must each be reachable by their own key.
        if (name.menuTitle) {
            const QChar key =
                translated.at(translated.indexOf(QLatin1Char('&')) + 1).toCaseFolded();
            QVERIFY2(!mnemonics.contains(key), qPrintable(translated));
            mnemonics.insert(key);
        }
    }
}

void tst_PlayerTranslations::everyEntryIsFinished_data()
{
    QTest::addColumn<QString>("file");
    for (const char *language : {"de", "fr"}) {
        QTest::addRow("player %s", language)
            << QStringLiteral(PLAYER_TS "/zentrix-player_%1.ts").arg(QLatin1String(language));
        QTest::addRow("library %s", language)
            << QStringLiteral(LIBRARY_TS "/mavlibrary_%1.ts").arg(QLatin1String(language));
    }
}

// A translation that drops or renumbers a placeholder shows the wrong value, or
// "%2" itself, to the user; lrelease takes both without a word.
void tst_PlayerTranslations::everyEntryIsFinished()
{
    QFETCH(QString, file);
    QFile ts(file);
    QVERIFY2(ts.open(QIODevice::ReadOnly), qPrintable(file));
    const QRegularExpression placeholder(QStringLiteral("%(\\d+|n)"));
    const auto placeholders = [&](const QString &text) {
        QStringList found;
        for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
            found.append(match.captured());
        found.sort();
        found.removeDuplicates();
        return found;
    };
    QXmlStreamReader xml(&ts);
    QString source;
    int entries = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        if (!xml.isStartElement() || xml.name() != QLatin1String("translation"))
            continue;
        ++entries;
        const QString type = xml.attributes().value(QLatin1String("type")).toString();
        QVERIFY2(type.isEmpty(), qPrintable(QStringLiteral("%1 \"%2\"").arg(type, source)));
        QString text;
        QStringList forms; // one a plural form
        while (!xml.atEnd()
               && !(xml.readNext() == QXmlStreamReader::EndElement
                    && xml.name() == QLatin1String("translation"))) {
            if (xml.isCharacters())
                text += xml.text();
            else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                forms.append(xml.readElementText());
        }
        if (forms.isEmpty())
            forms.append(text);
        for (const QString &form : std::as_const(forms)) {
            QVERIFY2(!form.trimmed().isEmpty(), qPrintable(QStringLiteral("\"%1\"").arg(source)));
            QVERIFY2(placeholders(form) == placeholders(source),
                     qPrintable(QStringLiteral("\"%1\" -> \"%2\"").arg(source, form)));
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(entries > 100);
}

// In a process of its own: MavStringTools' names keep the language of their first use.
void tst_PlayerTranslations::libraryTranslatorForAHost()
{
    QVERIFY(!Quorvex::LibraryTranslations::folder().isEmpty());
    QVERIFY(Quorvex::LibraryTranslations::install(QLocale(QStringLiteral("de_DE"))));
    QCOMPARE(Quorvex::MavStringTools::languageCodeToString("de"), QStringLiteral("Deutsch"));
    QCOMPARE(Quorvex::MavStringTools::countryCodeToString("ci"),
             QStringLiteral("Elfenbeink\u00FCste"));
    QCOMPARE(Quorvex::MavStringTools::fileSizeToQString(quint64(1) << 40, false),
             QStringLiteral("1.00 Terabyte"));
    QCOMPARE(Quorvex::MavStringTools::fileSizeToQString(0, false), QStringLiteral("0 Byte"));
    // Qt's own, for the buttons of the library's dialogs, when Debian's are installed.
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                      + QStringLiteral("/qtbase_de.qm")))
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("Abbrechen"));
    // A second call replaces the first: French names do not stack over German ones.
    QVERIFY(Quorvex::LibraryTranslations::install(QLocale(QStringLiteral("fr_FR"))));
    QCOMPARE(QCoreApplication::translate("Languages", "German"), QStringLiteral("Allemand"));
    QCOMPARE(QCoreApplication::translate("fileSize", "KB"), QStringLiteral("Ko"));
    QVERIFY(!Quorvex::LibraryTranslations::install(QLocale(QStringLiteral("en_US"))));
    QCOMPARE(QCoreApplication::translate("Languages", "German"), QStringLiteral("German"));
}

QTEST_GUILESS_MAIN(tst_PlayerTranslations)
#include "tst_playertranslations.moc"
