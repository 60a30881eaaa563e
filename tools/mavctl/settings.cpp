// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl settings: the registry editor of the settings store.
#include "command.h"
#include "settings/regfile_p.h"

#include <MavLibrary/text/utfconversion.h>

#include <QCommandLineParser>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

namespace reg = ztds::registry;
using reg::Hive;

const QString ProductKey = QStringLiteral("SOFTWARE\\Zentrix");

// "Settings/Player/General" -> "SOFTWARE\Zentrix\Settings\Player\General"
QString fullPath(const QString &path)
{
    QString relative = path;
    relative.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (relative.endsWith(QLatin1Char('\\')))
        relative.chop(1);
    while (relative.startsWith(QLatin1Char('\\')))
        relative.remove(0, 1);
    return relative.isEmpty() ? ProductKey : ProductKey + QLatin1Char('\\') + relative;
}

QString typeName(std::uint32_t type)
{
    switch (type) {
    case reg::RegNone:
        return QStringLiteral("REG_NONE");
    case reg::RegSz:
        return QStringLiteral("REG_SZ");
    case reg::RegExpandSz:
        return QStringLiteral("REG_EXPAND_SZ");
    case reg::RegBinary:
        return QStringLiteral("REG_BINARY");
    case reg::RegDword:
        return QStringLiteral("REG_DWORD");
    case reg::RegMultiSz:
        return QStringLiteral("REG_MULTI_SZ");
    case reg::RegQword:
        return QStringLiteral("REG_QWORD");
    }
    return QStringLiteral("type %1").arg(type);
}

quint64 littleEndian(const std::string &data)
{
    quint64 value = 0;
    for (std::size_t i = data.size(); i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(data[i]);
    return value;
}

QString display(std::uint32_t type, const std::string &data)
{
    if ((type == reg::RegSz || type == reg::RegExpandSz) && data.size() % 2 == 0)
        return QString::fromStdWString(reg::regSzToWide(data));
    if ((type == reg::RegDword && data.size() == 4) || (type == reg::RegQword && data.size() == 8))
        return QString::number(littleEndian(data));
    return QString::fromLatin1(QByteArray(data.data(), qsizetype(data.size())).toHex(' '));
}

struct Common
{
    QCommandLineOption user {QStringLiteral("user"), QStringLiteral("The user hive (default).")};
    QCommandLineOption machine {QStringLiteral("machine"), QStringLiteral("The machine hive.")};
};

int sub(const QStringList &arguments, const QString &description, const QStringList &positional,
        int minimum, int maximum, QCommandLineParser &parser, Hive &hive,
        const QList<QCommandLineOption> &extra = {})
{
    Common common;
    parser.setApplicationDescription(description);
    parser.addOption(common.user);
    parser.addOption(common.machine);
    for (const auto &option : extra)
        parser.addOption(option);
    for (const QString &p : positional)
        parser.addPositionalArgument(p.section(QLatin1Char(' '), 0, 0),
                                     p.section(QLatin1Char(' '), 1));
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    const int count = int(parser.positionalArguments().size());
    if (count < minimum || count > maximum)
        return Mavctl::usageError(arguments.value(0), QStringLiteral("wrong number of arguments"));
    if (parser.isSet(common.user) && parser.isSet(common.machine))
        return Mavctl::usageError(arguments.value(0),
                                  QStringLiteral("--user and --machine exclude each other"));
    hive = parser.isSet(common.machine) ? Hive::LocalMachine : Hive::CurrentUser;
    return -1;
}

int runGet(const QStringList &arguments)
{
    QCommandLineParser parser;
    Hive hive;
    if (const int code =
            sub(arguments, QStringLiteral("Prints one value."),
                {QStringLiteral("PATH key below SOFTWARE\\Zentrix, e.g. Settings/Player"),
                 QStringLiteral("NAME the value's name")},
                2, 2, parser, hive);
        code >= 0)
        return code;
    const QStringList args = parser.positionalArguments();
    auto key = reg::openKey(hive, fullPath(args[0]).toStdWString(), reg::Access::Read);
    if (!key)
        return Mavctl::fail(QStringLiteral("no key %1").arg(args[0]));
    std::uint32_t type = 0;
    std::string data;
    if (!key->queryValue(args[1].toStdWString(), type, data))
        return Mavctl::fail(QStringLiteral("no value %1 in %2").arg(args[1], args[0]));
    Mavctl::printLine(display(type, data));
    return Mavctl::Success;
}

int runSet(const QStringList &arguments)
{
    QCommandLineParser parser;
    Hive hive;
    const QCommandLineOption typeOption(QStringLiteral("type"),
                                        QStringLiteral("string (default), dword, qword or binary."),
                                        QStringLiteral("type"), QStringLiteral("string"));
    if (const int code = sub(arguments, QStringLiteral("Writes one value, creating the key."),
                             {QStringLiteral("PATH key below SOFTWARE\\Zentrix"),
                              QStringLiteral("NAME the value's name"),
                              QStringLiteral("VALUE text, a number (a negative one after --), or hex bytes")},
                             3, 3, parser, hive, {typeOption});
        code >= 0)
        return code;
    const QStringList args = parser.positionalArguments();
    const QString type = parser.value(typeOption);
    std::uint32_t regType;
    std::string data;
    if (type == QLatin1String("string")) {
        regType = reg::RegSz;
        data = reg::wideToRegSz(args[2].toStdWString());
    } else if (type == QLatin1String("dword") || type == QLatin1String("qword")) {
        // Negative numbers are stored in two's complement, as setInt does.
        const bool dword = type == QLatin1String("dword");
        const bool negative = args[2].startsWith(QLatin1Char('-'));
        bool ok = false;
        const qint64 signedValue = negative ? args[2].toLongLong(&ok, 0) : 0;
        const quint64 value = negative ? quint64(signedValue) : args[2].toULongLong(&ok, 0);
        if (ok && dword)
            ok = negative ? signedValue >= INT32_MIN : value <= 0xffffffffULL;
        if (!ok)
            return Mavctl::fail(QStringLiteral("not a %1: %2").arg(type, args[2]));
        regType = dword ? reg::RegDword : reg::RegQword;
        for (int i = 0; i < (dword ? 4 : 8); ++i)
            data += char((value >> (8 * i)) & 0xff);
    } else if (type == QLatin1String("binary")) {
        QString hex = args[2];
        hex.remove(QLatin1Char(',')).remove(QLatin1Char(' '));
        const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
        if (hex.size() % 2 || bytes.toHex() != hex.toLatin1().toLower())
            return Mavctl::fail(QStringLiteral("not hex bytes: %1").arg(args[2]));
        regType = reg::RegBinary;
        data.assign(bytes.constData(), std::size_t(bytes.size()));
    } else {
        return Mavctl::usageError(arguments.value(0), QStringLiteral("unknown type %1").arg(type));
    }
    auto key = reg::createKey(hive, fullPath(args[0]).toStdWString());
    if (!key || !key->setValue(args[1].toStdWString(), regType, data))
        return Mavctl::fail(QStringLiteral("cannot write %1 in %2").arg(args[1], args[0]));
    return Mavctl::Success;
}

int runDelete(const QStringList &arguments)
{
    QCommandLineParser parser;
    Hive hive;
    if (const int code =
            sub(arguments, QStringLiteral("Deletes a value, or a key with everything below it."),
                {QStringLiteral("PATH key below SOFTWARE\\Zentrix"),
                 QStringLiteral("[NAME] the value to delete; without it the key")},
                1, 2, parser, hive);
        code >= 0)
        return code;
    const QStringList args = parser.positionalArguments();
    const QString path = fullPath(args[0]);
    if (path == ProductKey)
        return Mavctl::fail(QStringLiteral("refusing to delete the whole product key"));
    if (args.size() == 1) {
        if (!reg::deleteTree(hive, path.toStdWString()))
            return Mavctl::fail(QStringLiteral("cannot delete %1").arg(args[0]));
        return Mavctl::Success;
    }
    auto key = reg::openKey(hive, path.toStdWString(), reg::Access::Full);
    if (!key || !key->deleteValue(args[1].toStdWString()))
        return Mavctl::fail(QStringLiteral("cannot delete %1 in %2").arg(args[1], args[0]));
    return Mavctl::Success;
}

int runList(const QStringList &arguments)
{
    QCommandLineParser parser;
    Hive hive;
    if (const int code = sub(
            arguments,
            QStringLiteral("Lists a key's sub-keys (ending in /) and its values with their types."),
            {QStringLiteral("PATH key below SOFTWARE\\Zentrix")}, 1, 1, parser, hive);
        code >= 0)
        return code;
    const QString path = parser.positionalArguments()[0];
    auto key = reg::openKey(hive, fullPath(path).toStdWString(), reg::Access::Read);
    if (!key)
        return Mavctl::fail(QStringLiteral("no key %1").arg(path));
    std::vector<std::wstring> keys;
    std::vector<reg::Value> values;
    if (!key->subKeyNames(keys) || !key->values(values))
        return Mavctl::fail(QStringLiteral("cannot read %1").arg(path));
    std::sort(keys.begin(), keys.end());
    std::sort(values.begin(), values.end(),
              [](const auto &a, const auto &b) { return a.name < b.name; });
    for (const auto &name : keys)
        Mavctl::printLine(QString::fromStdWString(name) + QLatin1Char('/'));
    for (const auto &value : values) {
        const QString name =
            value.name.empty() ? QStringLiteral("@") : QString::fromStdWString(value.name);
        Mavctl::printLine(name + QLatin1Char('\t') + typeName(value.type) + QLatin1Char('\t')
                          + display(value.type, value.data));
    }
    return Mavctl::Success;
}

bool collect(reg::Key &key, std::vector<ztds::registry::RegFile::Key> &out)
{
    ztds::registry::RegFile::Key entry;
    entry.path = key.path();
    if (!key.values(entry.values))
        return false;
    std::sort(entry.values.begin(), entry.values.end(),
              [](const auto &a, const auto &b) { return a.name < b.name; });
    out.push_back(std::move(entry));
    std::vector<std::wstring> children;
    if (!key.subKeyNames(children))
        return false;
    std::sort(children.begin(), children.end());
    for (const auto &child : children) {
        auto sub = reg::openKey(key.hive(), key.path() + L"\\" + child, reg::Access::Read);
        if (sub && !collect(*sub, out))
            return false;
    }
    return true;
}

int runExport(const QStringList &arguments)
{
    QCommandLineParser parser;
    Hive hive;
    if (const int code =
            sub(arguments,
                QStringLiteral("Writes a key and everything below it as a .reg file (UTF-16)."),
                {QStringLiteral("PATH key below SOFTWARE\\Zentrix (\"\" for all)"),
                 QStringLiteral("FILE the .reg file to write")},
                2, 2, parser, hive);
        code >= 0)
        return code;
    const QStringList args = parser.positionalArguments();
    auto key = reg::openKey(hive, fullPath(args[0]).toStdWString(), reg::Access::Read);
    if (!key)
        return Mavctl::fail(QStringLiteral("no key %1").arg(args[0]));
    std::vector<ztds::registry::RegFile::Key> keys;
    if (!collect(*key, keys))
        return Mavctl::fail(QStringLiteral("cannot read %1").arg(args[0]));
    QSaveFile file(args[1]);
    if (!file.open(QIODevice::WriteOnly) || file.write(ztds::registry::RegFile::write(hive, keys)) < 0
        || !file.commit())
        return Mavctl::fail(QStringLiteral("cannot write %1: %2").arg(args[1], file.errorString()));
    return Mavctl::Success;
}

int runImport(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Applies a .reg file (UTF-8 or UTF-16) in one transaction; a file with any "
                       "error is refused whole."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the .reg file to read"));
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1)
        return Mavctl::usageError(arguments.value(0), QStringLiteral("wrong number of arguments"));
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly))
        return Mavctl::fail(QStringLiteral("cannot read %1: %2").arg(args[0], file.errorString()));
    const auto parsed = ztds::registry::RegFile::parse(file.readAll());
    if (!parsed.ok)
        return Mavctl::fail(
            QStringLiteral("%1:%2: %3").arg(args[0]).arg(parsed.line).arg(parsed.message));
    std::string error;
    if (!reg::applyBatch(parsed.operations, &error))
        return Mavctl::fail(
            QStringLiteral("%1: nothing imported: %2").arg(args[0], QString::fromStdString(error)));
    return Mavctl::Success;
}

int runSettings(const QStringList &arguments)
{
    const struct
    {
        const char *name;
        Mavctl::Handler run;
    } subcommands[] = {{"get", runGet},   {"set", runSet},       {"delete", runDelete},
                       {"list", runList}, {"export", runExport}, {"import", runImport}};
    const QString command = arguments.value(0);
    const QString name = arguments.value(1);
    for (const auto &s : subcommands) {
        if (name == QLatin1String(s.name))
            return s.run(QStringList {command + QLatin1Char(' ') + name} + arguments.mid(2));
    }
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name.isEmpty()) {
        Mavctl::printLine(
            QStringLiteral("Usage: %1 get|set|delete|list|export|import ...").arg(command));
        Mavctl::printLine(
            QStringLiteral("Reads and writes the settings store below SOFTWARE\\Zentrix."));
        Mavctl::printLine(QStringLiteral("PATH is relative to it, e.g. Settings/Player/General."));
        Mavctl::printLine(QStringLiteral("--user (default) or --machine chooses the hive."));
        return name.isEmpty() ? Mavctl::UsageError : Mavctl::Success;
    }
    return Mavctl::usageError(command, QStringLiteral("unknown settings command '%1'").arg(name));
}

} // namespace

MAVCTL_COMMAND("settings", "reads, writes, exports and imports the settings store", runSettings);
