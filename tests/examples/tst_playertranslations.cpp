// SPDX-License-Identifier: LGPL-2.1-or-later
// The player's German and French against every name its plug-ins' documents
// declare, looked up as the menu reader and the shortcut parser look them up.
#include <QDir>
#include <QFile>
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

QTEST_GUILESS_MAIN(tst_PlayerTranslations)
#include "tst_playertranslations.moc"
