// SPDX-License-Identifier: LGPL-2.1-or-later
// The grammar of property documents against every document the project ships and
// the examples of the author's reference, and the problems it names.
#include "plugins/propertyschema_p.h"
#include "testenvironment.h"
#include "untrustedxml_p.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>

using MavTest::readFile;

namespace {

QStringList problems(const QByteArray &text)
{
    std::string error;
    const auto document =
        Quorvex::UntrustedXml::parse(text.constData(), size_t(text.size()), &error);
    if (!document)
        return {QStringLiteral("not parsed: ") + QString::fromStdString(error)};
    QStringList lines;
    for (const auto &problem : Kapio::PropertySchema::validate(document.get()))
        lines << QStringLiteral("%1: %2")
                     .arg(problem.line)
                     .arg(QString::fromStdString(problem.message));
    return lines;
}

QByteArray inMenus(const char *menus)
{
    return QByteArray("<properties>\n<quorvex>\n<menus>\n") + menus
        + "\n</menus>\n</quorvex>\n</properties>\n";
}

} // namespace

class tst_PropertySchema : public QObject
{
    Q_OBJECT

private slots:
    void shippedDocumentsAreValid_data();
    void shippedDocumentsAreValid();
    void mistakes_data();
    void mistakes();
    void referenceListsThePlayersIds();
};

void tst_PropertySchema::shippedDocumentsAreValid_data()
{
    QTest::addColumn<QByteArray>("document");
    const QDir source(QStringLiteral(MAVTEST_SOURCE_DIR));
    for (const QString &folder :
         {QStringLiteral("examples/plugins"), QStringLiteral("examples/player/plugins"),
          QStringLiteral("examples/consumer")}) {
        const QDir dir(source.filePath(folder));
        const QStringList files = dir.entryList({QStringLiteral("*.xml")}, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &file : files)
            QTest::newRow(qPrintable(folder + QLatin1Char('/') + file))
                << readFile(dir.filePath(file));
    }
    // Every whole document the reference shows is one an author may copy.
    const QString reference =
        QString::fromUtf8(readFile(source.filePath(QStringLiteral("docs/plugins.md"))));
    static const QRegularExpression block(QStringLiteral("```xml\n(<\\?xml.*?)```"),
                                          QRegularExpression::DotMatchesEverythingOption);
    int examples = 0;
    for (const QRegularExpressionMatch &match : block.globalMatch(reference))
        QTest::addRow("docs/plugins.md, example %d", ++examples) << match.captured(1).toUtf8();
    QVERIFY(examples >= 1);
}

void tst_PropertySchema::shippedDocumentsAreValid()
{
    QFETCH(QByteArray, document);
    QCOMPARE(problems(document), QStringList());
}

void tst_PropertySchema::mistakes_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("a misspelt element is named with its line")
        << inMenus(
               "<menu id=\"6\">\n<item id=\"7\"><name>a</name>\n<slott>f()</slott></item>\n</menu>")
        << QStringList {QStringLiteral("6: unknown element <slott>")};
    QTest::newRow("a misspelt attribute is named with its line")
        << inMenus("<menu id=\"6\">\n<item id=\"7\" plaform=\"X11\"><name>a</name></item>\n</menu>")
        << QStringList {QStringLiteral("5: unknown attribute plaform of <item>")};
    QTest::newRow("each line with a mistake is reported once")
        << inMenus("<menu id=\"6\" colour=\"red\">\n<itme id=\"7\"/>\n<item "
                   "id=\"8\"><name>b</name><sloth/></item>\n</menu>")
        << QStringList {QStringLiteral("4: unknown attribute colour of <menu>"),
                        QStringLiteral("5: unknown element <itme>"),
                        QStringLiteral("6: unknown element <sloth>")};
    QTest::newRow("a flag before the item's name is lost, so it is refused")
        << inMenus("<menu id=\"6\">\n<item id=\"7\">\n<checkable/>\n<name>a</name></item>\n</menu>")
        << QStringList {QStringLiteral("5: Expecting element name, got checkable")};
}

void tst_PropertySchema::mistakes()
{
    QFETCH(QByteArray, document);
    QFETCH(QStringList, expected);
    const QStringList found = problems(document);
    // libxml2 words the grammar's complaints; the unknown names are ours.
    QCOMPARE(found.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        QVERIFY2(found.at(i).startsWith(expected.at(i)), qPrintable(found.join(u'\n')));
}

namespace {

// "301 Play/Pause, 302 Speed (submenu: 303-306)": every number, ranges spread.
QList<unsigned> numbersIn(const QString &cell)
{
    QList<unsigned> numbers;
    static const QRegularExpression number(QStringLiteral("(\\d+)(?:-(\\d+))?"));
    for (const QRegularExpressionMatch &match : number.globalMatch(cell)) {
        const unsigned first = match.captured(1).toUInt();
        const unsigned last = match.hasCaptured(2) ? match.captured(2).toUInt() : first;
        for (unsigned id = first; id <= last; ++id)
            numbers.append(id);
    }
    return numbers;
}

} // namespace

// The reference's table of the player's ids is what the player's documents declare.
void tst_PropertySchema::referenceListsThePlayersIds()
{
    const QDir source(QStringLiteral(MAVTEST_SOURCE_DIR));
    std::map<QString, QList<unsigned>> declared; // "menu", "entry", "group"
    const QDir documents(source.filePath(QStringLiteral("examples/player/plugins")));
    for (const QString &file : documents.entryList({QStringLiteral("*.xml")}, QDir::Files)) {
        QXmlStreamReader xml(readFile(documents.filePath(file)));
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement
                || !xml.attributes().hasAttribute(QLatin1String("id")))
                continue;
            const QString name = xml.name().toString();
            const unsigned id = xml.attributes().value(QLatin1String("id")).toUInt();
            declared[name == QLatin1String("menu") || name == QLatin1String("group")
                         ? name
                         : QStringLiteral("entry")]
                .append(id);
        }
    }

    const QString reference =
        QString::fromUtf8(readFile(source.filePath(QStringLiteral("docs/plugins.md"))));
    const qsizetype start = reference.indexOf(QLatin1String("### The ids of the example player"));
    QVERIFY(start >= 0);
    std::map<QString, QList<unsigned>> listed;
    for (const QString &line : reference.mid(start).split(QLatin1Char('\n'))) {
        const QStringList cells = line.split(QLatin1Char('|'));
        if (cells.size() != 6 || numbersIn(cells.at(2)).isEmpty())
            continue;
        listed[QStringLiteral("menu")] += numbersIn(cells.at(2));
        listed[QStringLiteral("entry")] += numbersIn(cells.at(3));
        listed[QStringLiteral("group")] += numbersIn(cells.at(4));
    }
    for (auto *ids : {&declared, &listed}) {
        for (auto &[kind, list] : *ids)
            std::sort(list.begin(), list.end());
    }
    QCOMPARE(listed, declared);
}

QTEST_GUILESS_MAIN(tst_PropertySchema)
#include "tst_propertyschema.moc"
