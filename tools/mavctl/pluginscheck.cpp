// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl plugins check DIR...: what a plug-in author should hear before shipping.
#include "command.h"
#include "plugins.h"

#include "plugins/propertyschema_p.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/plugins/context.h>
#include <MavLibrary/plugins/plugininfo.h>
#include <MavLibrary/plugins/pluginmanager.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QKeySequence>
#include <QLoggingCategory>
#include <QMetaMethod>
#include <QPluginLoader>
#include <QProcess>
#include <QXmlStreamReader>

#include <map>
#include <vector>

namespace {

// Set in the child that loads one module; never by a user.
constexpr char ProbeVariable[] = "MAVCTL_PLUGIN_PROBE";

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

/*
    The child: loads the module named by the variable and prints its menu object's
    methods, one a line: "slot sayHello()", "signal changed()". A crash here
    ends the child only.
*/
int probe(const QString &module)
{
    QPluginLoader loader(module);
    if (!loader.load()) {
        Mavctl::printLine(QStringLiteral("error ") + loader.errorString());
        return 1;
    }
    auto *factory = qobject_cast<Kapio::PluginFactory *>(loader.instance());
    if (!factory) {
        Mavctl::printLine(QStringLiteral("error its root object does not implement ")
                          + QLatin1String(KAPIO_PLUGIN_FACTORY_IID));
        return 1;
    }
    auto *menu =
        static_cast<Kapio::MenuInterface *>(factory->findInterface(Quorvex::MenuInterfaceId));
    QObject *object = menu ? menu->qObject() : nullptr;
    if (!object) {
        Mavctl::printLine(QStringLiteral("error it has no menu object"));
        return 1;
    }
    const QMetaObject *meta = object->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Slot)
            Mavctl::printLine(QStringLiteral("slot ") + QLatin1String(method.methodSignature()));
        else if (method.methodType() == QMetaMethod::Signal)
            Mavctl::printLine(QStringLiteral("signal ") + QLatin1String(method.methodSignature()));
    }
    return 0;
}

struct Problem
{
    QString file;
    int line = 0;
    QString message;
};

// What a module offers, as the child reported it; empty error when it loaded.
struct Methods
{
    QString error;
    QSet<QByteArray> slotSet;
    QSet<QByteArray> signalSet;
};

Methods loadInChild(const QString &module)
{
    Methods methods;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(ProbeVariable), module);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("plugins")});
    if (!child.waitForFinished(30000)) {
        child.kill();
        child.waitForFinished();
        methods.error = QStringLiteral("the module did not load within 30 seconds");
        return methods;
    }
    if (child.exitStatus() != QProcess::NormalExit) {
        methods.error = QStringLiteral("loading the module crashed a process");
        return methods;
    }
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        if (line.startsWith("slot "))
            methods.slotSet.insert(line.mid(5));
        else if (line.startsWith("signal "))
            methods.signalSet.insert(line.mid(7));
        else if (line.startsWith("error "))
            methods.error = QString::fromUtf8(line.mid(6));
    }
    if (methods.error.isEmpty() && child.exitCode() != 0)
        methods.error = QStringLiteral("the module cannot be loaded");
    return methods;
}

// One declaration of an id, a title or a key, for the clash checks.
struct Declaration
{
    const Kapio::PluginInfo *plugin = nullptr;
    int line = 0;
    QString what; // as said in the message: "item 601", "the key Ctrl+Q in All"
};

struct Checker
{
    std::vector<Problem> problems;
    QSet<const Kapio::PluginInfo *> checked; // the others are only checked against
    // Keyed by kind and id ("item 601", "group 30", "menu 6"), title and key.
    std::map<QString, std::vector<Declaration>> ids;
    std::map<QString, std::vector<Declaration>> titles;
    std::map<QString, std::vector<Declaration>> keys;
    QString platform = Quorvex::OSUtilities::getPlatformString();

    static QString fileOf(const Kapio::PluginInfo *info)
    {
        return QDir::cleanPath(text(info->propertiesPath));
    }

    void add(const Kapio::PluginInfo *info, int line, const QString &message)
    {
        if (checked.contains(info))
            problems.push_back({fileOf(info), line, message});
    }

    bool menuPlatform(const QXmlStreamAttributes &attributes) const
    {
        const QStringView list = attributes.value(QLatin1String("platform"));
        bool any = false;
        for (const QStringView part : list.tokenize(u',', Qt::SkipEmptyParts)) {
            if (part == platform)
                return true;
            any = true;
        }
        return !any;
    }

    /*
        Walks one document as the readers do on this platform: an element of
        another platform is left out with its content, except a submenu, whose
        entries the menu reader gives to the enclosing menu.
    */
    void readDocument(const Kapio::PluginInfo *info, const Methods *methods)
    {
        const QByteArray properties = QByteArray::fromStdString(info->properties);
        QXmlStreamReader xml(properties);
        QStringList path; // element names from <properties> down
        int skipDepth = -1;
        bool inShortcuts = false;
        unsigned int itemId = 0;
        QStringList subContexts;
        QStringList shortcutKeys;
        int itemLine = 0;
        QSet<unsigned int> titledMenus;
        unsigned int menuId = 0;

        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            const int line = int(xml.lineNumber());
            if (token == QXmlStreamReader::StartElement) {
                const QString name = xml.name().toString();
                const QXmlStreamAttributes attributes = xml.attributes();
                path.append(name);
                if (skipDepth >= 0)
                    continue;
                const bool inMenus = path.size() > 3 && path.at(2) == QLatin1String("menus");
                inShortcuts = path.size() > 3 && path.at(2) == QLatin1String("shortcuts");
                if (inMenus && !menuPlatform(attributes)) {
                    if (name != QLatin1String("submenu"))
                        skipDepth = int(path.size());
                    continue;
                }
                if (inShortcuts && attributes.hasAttribute(QLatin1String("platform"))
                    && attributes.value(QLatin1String("platform")) != platform) {
                    skipDepth = int(path.size());
                    continue;
                }
                bool ok = false;
                const unsigned int id = attributes.value(QLatin1String("id")).toUInt(&ok, 10);
                if (inMenus && ok) {
                    if (name == QLatin1String("menu")) {
                        menuId = id;
                    } else if (name == QLatin1String("group")) {
                        ids[QStringLiteral("group %1").arg(id)].push_back(
                            {info, line, QStringLiteral("group %1").arg(id)});
                    } else if (name == QLatin1String("item") || name == QLatin1String("separator")
                               || name == QLatin1String("submenu")) {
                        // One space for all three: the host looks entries up by id alone.
                        ids[QStringLiteral("entry %1").arg(id)].push_back(
                            {info, line, QStringLiteral("%1 %2").arg(name).arg(id)});
                    }
                    if (name == QLatin1String("item"))
                        itemId = id;
                } else if (inShortcuts && name == QLatin1String("item")) {
                    itemLine = line;
                    subContexts.clear();
                    shortcutKeys.clear();
                }
            } else if (token == QXmlStreamReader::EndElement) {
                const QString name = path.takeLast();
                if (skipDepth > int(path.size())) {
                    skipDepth = -1;
                    continue;
                }
                if (skipDepth >= 0)
                    continue;
                if (inShortcuts && name == QLatin1String("item") && path.size() == 3) {
                    const QStringList sets =
                        subContexts.isEmpty() ? QStringList {QStringLiteral("All")} : subContexts;
                    for (const QString &key : std::as_const(shortcutKeys)) {
                        for (const QString &set : sets)
                            keys[key + QLatin1Char('\n') + set].push_back(
                                {info, itemLine,
                                 QStringLiteral("the key %1 in the sub-context %2").arg(key, set)});
                    }
                }
            } else if (token == QXmlStreamReader::Characters && skipDepth < 0 && !xml.isWhitespace()
                       && path.size() > 3) {
                const QString value = xml.text().toString().trimmed();
                const QString element = path.last();
                const QString parent = path.at(path.size() - 2);
                const bool inMenus = path.at(2) == QLatin1String("menus");
                if (inMenus && element == QLatin1String("name")
                    && parent == QLatin1String("menu")) {
                    if (titledMenus.contains(menuId)) {
                        add(info, line,
                            QStringLiteral("menu %1 is given a second title, \"%2\", which is "
                                           "never shown")
                                .arg(menuId)
                                .arg(value));
                    } else {
                        titledMenus.insert(menuId);
                        titles[QStringLiteral("menu %1").arg(menuId)].push_back(
                            {info, line, QStringLiteral("menu %1").arg(menuId)});
                    }
                } else if (inMenus && element == QLatin1String("shortcut")
                           && parent == QLatin1String("item")) {
                    const QString key = QKeySequence::fromString(value, QKeySequence::PortableText)
                                            .toString(QKeySequence::PortableText);
                    if (!key.isEmpty())
                        keys[key + QStringLiteral("\nMenu")].push_back(
                            {info, line,
                             QStringLiteral("the key %1 of item %2").arg(key).arg(itemId)});
                } else if (inMenus && element == QLatin1String("slot") && methods) {
                    // An item's, a group's or a menu's: the element it is in says which.
                    checkMethod(info, line, value, parent, *methods);
                } else if (!inMenus && element == QLatin1String("shortcut")
                           && parent == QLatin1String("item")) {
                    const QString key = QKeySequence::fromString(value, QKeySequence::PortableText)
                                            .toString(QKeySequence::PortableText);
                    if (!key.isEmpty())
                        shortcutKeys.append(key);
                } else if (!inMenus && element == QLatin1String("subcontext")) {
                    subContexts.append(value);
                } else if (!inMenus
                           && (element == QLatin1String("slot")
                               || element == QLatin1String("signal"))
                           && methods) {
                    checkMethod(info, line, value, QStringLiteral("shortcut ") + element, *methods);
                }
            }
        }
    }

    // Which forms reach a method from where it is named; see docs/plugins.md.
    void checkMethod(const Kapio::PluginInfo *info, int line, const QString &written,
                     const QString &where, const Methods &methods)
    {
        const QByteArray signature = QMetaObject::normalizedSignature(written.toLatin1());
        const int open = signature.indexOf('(');
        const QByteArray parameters = open < 0 ? QByteArray() : signature.mid(open);
        QList<QByteArray> accepted;
        QString element;
        if (where == QLatin1String("item")) {
            accepted = {"()", "(bool)"};
            element = QStringLiteral("an item's slot");
        } else if (where == QLatin1String("group") || where == QLatin1String("menu")) {
            accepted = {"()", "(QAction*)"};
            element = QStringLiteral("a %1's slot").arg(where);
        } else if (where.startsWith(QLatin1String("shortcut"))) {
            accepted = {"()"};
            element = where.endsWith(QLatin1String("signal")) ? QStringLiteral("a key's signal")
                                                              : QStringLiteral("a key's slot");
        } else {
            return;
        }
        if (!accepted.contains(parameters)) {
            QStringList forms;
            for (const QByteArray &form : std::as_const(accepted))
                forms << QString::fromLatin1(form);
            add(info, line,
                QStringLiteral("%1 %2 is never called: %3 takes %4")
                    .arg(where.endsWith(QLatin1String("signal")) ? QStringLiteral("signal")
                                                                 : QStringLiteral("slot"),
                         written, element, forms.join(QStringLiteral(" or "))));
            return;
        }
        const bool signal = where.endsWith(QLatin1String("signal"));
        if (!(signal ? methods.signalSet : methods.slotSet).contains(signature))
            add(info, line,
                QStringLiteral("the plug-in's object has no %1 %2")
                    .arg(signal ? QStringLiteral("signal") : QStringLiteral("slot"),
                         QString::fromLatin1(signature)));
    }

    // Each group of declarations that more than one plug-in (or one plug-in twice)
    // makes, reported where a checked plug-in makes it.
    void reportClashes(const std::map<QString, std::vector<Declaration>> &declarations,
                       const QString &verb)
    {
        for (const auto &[key, list] : declarations) {
            if (list.size() < 2)
                continue;
            for (std::size_t i = 1; i < list.size(); ++i) {
                const Declaration &first = list.front();
                const Declaration &again = list.at(i);
                add(again.plugin, again.line,
                    QStringLiteral("%1 %2 plug-in %3 too (%4:%5)")
                        .arg(again.what, verb, text(first.plugin->name), fileOf(first.plugin))
                        .arg(first.line));
                if (!checked.contains(again.plugin) && checked.contains(first.plugin))
                    add(first.plugin, first.line,
                        QStringLiteral("%1 %2 plug-in %3 too (%4:%5)")
                            .arg(first.what, verb, text(again.plugin->name), fileOf(again.plugin))
                            .arg(again.line));
            }
        }
    }
};

} // namespace

namespace Mavctl {

QString installedPlayerPlugins()
{
    const QString binary = QCoreApplication::applicationDirPath();
    if (QDir(binary) == QDir(QStringLiteral(MAVCTL_BUILD_DIR)))
        return QStringLiteral(MAVCTL_PLAYER_PLUGINS_BUILD);
    return QDir::cleanPath(binary + QStringLiteral("/" MAVCTL_PLAYER_PLUGINS_FROM_BINARY));
}

int runPluginsCheck(const QStringList &arguments)
{
    const QString probed = qEnvironmentVariable(ProbeVariable);
    if (!probed.isEmpty())
        return probe(probed);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Checks the plug-ins in the folders as their author should before shipping them: each "
        "property document against the grammar (every unknown element or attribute with its "
        "line); each module, loaded in a child process, for every slot and signal its document "
        "names; and the ids, titles and keys that clash with another plug-in of the folders or "
        "of the installed player (or of the --against folders instead). One line a problem; "
        "exit 1 when there is any."));
    parser.addOption({QStringLiteral("json"), QStringLiteral("Writes JSON instead of text.")});
    parser.addOption({QStringLiteral("against"),
                      QStringLiteral("Checks against the plug-ins in DIR instead of the installed "
                                     "player's; may be repeated, \"-\" for none."),
                      QStringLiteral("DIR")});
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("A plug-in folder."),
                                 QStringLiteral("DIR..."));
    if (const int code = parse(parser, arguments); code >= 0)
        return code;
    const QStringList folders = parser.positionalArguments();
    if (folders.isEmpty())
        return usageError(arguments.value(0), QStringLiteral("no plug-in folder given"));
    QStringList against = parser.values(QStringLiteral("against"));
    if (!parser.isSet(QStringLiteral("against"))) {
        const QString installed = installedPlayerPlugins();
        if (QFileInfo(installed).isDir())
            against.append(installed);
    }
    against.removeAll(QStringLiteral("-"));
    for (const QString &folder : folders + against) {
        if (!QFileInfo(folder).isDir())
            return fail(QStringLiteral("%1 is not a folder").arg(folder));
    }

    QLoggingCategory::setFilterRules(QStringLiteral("zentrix.plugins.warning=false"));
    Kapio::PluginManager mine(folders);
    Kapio::PluginManager others(against);
    // A clean result over nothing would hide a wrong folder.
    if (mine.candidates().empty())
        return fail(
            QStringLiteral("no plug-in (*.so) in %1").arg(folders.join(QStringLiteral(", "))));
    Checker checker;
    for (const Kapio::PluginInfo *info : mine.candidates())
        checker.checked.insert(info);

    QHash<QString, const Kapio::PluginInfo *> names;
    for (Kapio::PluginInfo *info : mine.candidates()) {
        names.insert(text(info->name), info);
        if (!info->error.empty()) {
            checker.problems.push_back({QDir::cleanPath(text(info->modulePath)), 0,
                                        QStringLiteral("not used: ") + text(info->error)});
            continue;
        }
        for (const auto &problem : Kapio::PropertySchema::validate(info->document))
            checker.add(info, problem.line, text(problem.message));
        std::unique_ptr<Methods> methods;
        if (info->implements(Quorvex::MenuInterfaceId)) {
            methods = std::make_unique<Methods>(loadInChild(text(info->modulePath)));
            if (!methods->error.isEmpty()) {
                checker.problems.push_back(
                    {QDir::cleanPath(text(info->modulePath)), 0, methods->error});
                methods.reset();
            }
        }
        checker.readDocument(info, methods.get());
    }
    // The player reads one plug-in of a name, from the first folder that has it.
    for (Kapio::PluginInfo *info : others.plugins()) {
        if (names.contains(text(info->name)))
            checker.problems.push_back(
                {QDir::cleanPath(text(names.value(text(info->name))->modulePath)), 0,
                 QStringLiteral("a plug-in of this name is in %1 too; only one of them is read")
                     .arg(QFileInfo(text(info->modulePath)).path())});
        else if (info->implements(Quorvex::MenuInterfaceId))
            checker.readDocument(info, nullptr);
    }
    checker.reportClashes(checker.ids, QStringLiteral("is declared by"));
    checker.reportClashes(checker.titles, QStringLiteral("is given a title by"));
    checker.reportClashes(checker.keys, QStringLiteral("is bound by"));

    std::stable_sort(checker.problems.begin(), checker.problems.end(),
                     [](const Problem &a, const Problem &b) {
                         return a.file != b.file ? a.file < b.file : a.line < b.line;
                     });
    if (parser.isSet(QStringLiteral("json"))) {
        QJsonArray list;
        for (const Problem &problem : checker.problems)
            list.append(QJsonObject {{QStringLiteral("file"), problem.file},
                                     {QStringLiteral("line"), problem.line},
                                     {QStringLiteral("message"), problem.message}});
        printJson(list);
    } else {
        for (const Problem &problem : checker.problems)
            printLine(problem.line > 0
                          ? QStringLiteral("%1:%2: %3")
                                .arg(problem.file)
                                .arg(problem.line)
                                .arg(problem.message)
                          : QStringLiteral("%1: %2").arg(problem.file, problem.message));
    }
    if (checker.problems.empty())
        return Success;
    return fail(QStringLiteral("%1 problem(s) in the plug-ins of %2")
                    .arg(checker.problems.size())
                    .arg(folders.join(QStringLiteral(", "))));
}

} // namespace Mavctl
