// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl settings: the registry editor of the settings store.
#include "command.h"
#include "output.h"
#include "settings/regfile_p.h"

#include <QCommandLineParser>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <functional>

namespace Mavctl {
int runSettingsCatalogue(const QStringList &arguments); // catalogue.cpp
}

namespace {

namespace reg = ztds::registry;
namespace RegFile = ztds::registry::RegFile;
using reg::Hive;

const QString ProductKey = QStringLiteral("SOFTWARE\\Zentrix");

// "Settings/Player/General" -> "SOFTWARE\Zentrix\Settings\Player\General"
std::wstring fullPath(const QString &path)
{
    QString relative = path;
    relative.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (relative.endsWith(QLatin1Char('\\')))
        relative.chop(1);
    while (relative.startsWith(QLatin1Char('\\')))
        relative.remove(0, 1);
    return (relative.isEmpty() ? ProductKey : ProductKey + QLatin1Char('\\') + relative)
        .toStdWString();
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

QString display(std::uint32_t type, const std::string &data)
{
    if ((type == reg::RegSz || type == reg::RegExpandSz) && data.size() % 2 == 0)
        return QString::fromStdWString(reg::regSzToWide(data));
    if (type == reg::RegDword && data.size() == 4)
        return QString::number(qFromLittleEndian<quint32>(data.data()));
    if (type == reg::RegQword && data.size() == 8)
        return QString::number(qFromLittleEndian<quint64>(data.data()));
    return QString::fromLatin1(QByteArray(data.data(), qsizetype(data.size())).toHex(' '));
}

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

// The store's reason when it gave one, else that the key is not there.
int noKey(const QString &path, const std::string &error)
{
    return Mavctl::fail(error.empty() ? QStringLiteral("no key %1").arg(path) : text(error));
}

//! A sub-command's command line, read.
struct Invocation
{
    QString command; //!< "mavctl settings <name>"
    QStringList args; //!< the positional arguments
    Hive hive;
    const QCommandLineParser &parser;
};

int runGet(const Invocation &in)
{
    std::string error;
    auto key = reg::openKey(in.hive, fullPath(in.args[0]), reg::Access::Read, &error);
    if (!key)
        return noKey(in.args[0], error);
    std::uint32_t type = 0;
    std::string data;
    if (!key->queryValue(in.args[1].toStdWString(), type, data))
        return Mavctl::fail(QStringLiteral("no value %1 in %2").arg(in.args[1], in.args[0]));
    Mavctl::printLine(display(type, data));
    return Mavctl::Success;
}

int runSet(const Invocation &in)
{
    const QString type = in.parser.value(QStringLiteral("type"));
    const QString &value = in.args[2];
    std::uint32_t regType;
    std::string data;
    if (type == QLatin1String("string")) {
        regType = reg::RegSz;
        data = reg::wideToRegSz(value.toStdWString());
    } else if (type == QLatin1String("dword") || type == QLatin1String("qword")) {
        // Negative numbers are stored in two's complement, as setInt does.
        const bool dword = type == QLatin1String("dword");
        const bool negative = value.startsWith(QLatin1Char('-'));
        bool ok = false;
        const qint64 signedValue = negative ? value.toLongLong(&ok, 0) : 0;
        const quint64 number = negative ? quint64(signedValue) : value.toULongLong(&ok, 0);
        if (ok && dword)
            ok = negative ? signedValue >= INT32_MIN : number <= 0xffffffffULL;
        if (!ok)
            return Mavctl::fail(QStringLiteral("not a %1: %2").arg(type, value));
        regType = dword ? reg::RegDword : reg::RegQword;
        data.resize(dword ? 4 : 8);
        if (dword)
            qToLittleEndian(quint32(number), data.data());
        else
            qToLittleEndian(number, data.data());
    } else if (type == QLatin1String("binary")) {
        QString hex = value;
        hex.remove(QLatin1Char(',')).remove(QLatin1Char(' '));
        const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
        if (hex.size() % 2 || bytes.toHex() != hex.toLatin1().toLower())
            return Mavctl::fail(QStringLiteral("not hex bytes: %1").arg(value));
        regType = reg::RegBinary;
        data.assign(bytes.constData(), std::size_t(bytes.size()));
    } else {
        return Mavctl::usageError(in.command, QStringLiteral("unknown type %1").arg(type));
    }
    std::string error;
    auto key = reg::createKey(in.hive, fullPath(in.args[0]), &error);
    if (!key)
        return Mavctl::fail(text(error));
    if (!key->setValue(in.args[1].toStdWString(), regType, data))
        return Mavctl::fail(QStringLiteral("cannot write %1 in %2: %3")
                                .arg(in.args[1], in.args[0], text(key->errorString())));
    return Mavctl::Success;
}

int runDelete(const Invocation &in)
{
    const std::wstring path = fullPath(in.args[0]);
    if (path == ProductKey.toStdWString())
        return Mavctl::fail(QStringLiteral("refusing to delete the whole product key"));
    std::string error;
    if (in.args.size() == 1)
        return reg::deleteTree(in.hive, path, &error) ? Mavctl::Success : noKey(in.args[0], error);
    auto key = reg::openKey(in.hive, path, reg::Access::Full, &error);
    if (!key)
        return noKey(in.args[0], error);
    if (!key->deleteValue(in.args[1].toStdWString()))
        return Mavctl::fail(QStringLiteral("cannot delete %1 in %2: %3")
                                .arg(in.args[1], in.args[0], text(key->errorString())));
    return Mavctl::Success;
}

int runList(const Invocation &in)
{
    const QString &path = in.args[0];
    std::string error;
    auto key = reg::openKey(in.hive, fullPath(path), reg::Access::Read, &error);
    if (!key)
        return noKey(path, error);
    std::vector<std::wstring> keys;
    std::vector<reg::Value> values;
    if (!key->subKeyNames(keys) || !key->values(values))
        return Mavctl::fail(
            QStringLiteral("cannot read %1: %2").arg(path, text(key->errorString())));
    std::sort(keys.begin(), keys.end());
    std::sort(values.begin(), values.end(),
              [](const auto &a, const auto &b) { return a.name < b.name; });
    // One line an entry, whatever the names and values hold.
    auto escaped = [](const QString &s) { return RegFile::escaped(s, RegFile::Escaping::Display); };
    for (const auto &name : keys)
        Mavctl::printLine(escaped(QString::fromStdWString(name)) + QLatin1Char('/'));
    for (const auto &value : values) {
        const QString name =
            value.name.empty() ? QStringLiteral("@") : QString::fromStdWString(value.name);
        Mavctl::printLine(escaped(name) + QLatin1Char('\t') + typeName(value.type)
                          + QLatin1Char('\t') + escaped(display(value.type, value.data)));
    }
    return Mavctl::Success;
}

// The keys of the tree at \a path, each before its sub-keys, in the order regedit
// writes them. Without recursion: trees may be thousands of levels deep.
bool collect(Hive hive, const std::wstring &path, std::vector<RegFile::Key> &out,
             std::string &error)
{
    std::vector<std::wstring> pending {path}; // next on top
    while (!pending.empty()) {
        RegFile::Key entry {std::move(pending.back()), {}};
        pending.pop_back();
        auto key = reg::openKey(hive, entry.path, reg::Access::Read, &error);
        if (!key) {
            if (!error.empty())
                return false;
            continue; // deleted meanwhile
        }
        std::vector<std::wstring> children;
        if (!key->values(entry.values) || !key->subKeyNames(children)) {
            error = "cannot read " + QString::fromStdWString(entry.path).toStdString() + ": "
                + key->errorString();
            return false;
        }
        std::sort(entry.values.begin(), entry.values.end(),
                  [](const auto &a, const auto &b) { return a.name < b.name; });
        std::sort(children.begin(), children.end(), std::greater<>());
        for (const auto &child : children)
            pending.push_back(entry.path + L"\\" + child);
        out.push_back(std::move(entry));
    }
    return true;
}

// Reads \a name ("-": standard input) whole, up to the size a .reg file may have.
bool readInput(const QString &name, QByteArray &bytes, QString &error)
{
    QFile file(name == QLatin1String("-") ? QString() : name);
    if (!(name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                     : file.open(QIODevice::ReadOnly))) {
        error = file.errorString();
        return false;
    }
    const QString tooLarge = QStringLiteral("larger than 256 MiB, the most a .reg file may have");
    if (!file.isSequential() && file.size() > RegFile::MaxFileSize) {
        error = tooLarge;
        return false;
    }
    constexpr qint64 Chunk = 1 << 20;
    while (true) {
        const qsizetype at = bytes.size();
        bytes.resize(at + Chunk);
        const qint64 n = file.read(bytes.data() + at, Chunk);
        if (n < 0) {
            error = file.errorString();
            return false;
        }
        bytes.resize(at + n);
        if (n == 0)
            return true;
        if (bytes.size() > RegFile::MaxFileSize) {
            error = tooLarge;
            return false;
        }
    }
}

int runExport(const Invocation &in)
{
    const QString &file = in.args[1];
    if (file.isEmpty())
        return Mavctl::usageError(in.command, QStringLiteral("empty file name"));
    std::string error;
    std::vector<RegFile::Key> keys;
    if (!collect(in.hive, fullPath(in.args[0]), keys, error))
        return Mavctl::fail(text(error));
    if (keys.empty())
        return noKey(in.args[0], error);
    QString reason;
    if (!Mavctl::writeOutput(file, RegFile::write(in.hive, keys), reason))
        return Mavctl::fail(QStringLiteral("cannot write %1: %2").arg(file, reason));
    return Mavctl::Success;
}

int runImport(const Invocation &in)
{
    const QString &file = in.args[0];
    if (file.isEmpty())
        return Mavctl::usageError(in.command, QStringLiteral("empty file name"));
    QByteArray bytes;
    QString reason;
    if (!readInput(file, bytes, reason))
        return Mavctl::fail(QStringLiteral("cannot read %1: %2").arg(file, reason));
    const auto parsed = RegFile::parse(bytes);
    if (!parsed.ok)
        return Mavctl::fail(
            QStringLiteral("%1:%2: %3").arg(file).arg(parsed.line).arg(parsed.message));
    std::string error;
    if (!reg::applyBatch(parsed.operations, &error))
        return Mavctl::fail(QStringLiteral("%1: nothing imported: %2").arg(file, text(error)));
    return Mavctl::Success;
}

int runBackup(const Invocation &in)
{
    const QString &file = in.args[0];
    if (file.isEmpty() || file == QLatin1String("-"))
        return Mavctl::usageError(in.command, QStringLiteral("a backup needs a file name"));
    std::string error;
    if (!reg::backupHive(in.hive, QFile::encodeName(file).toStdString(), &error))
        return Mavctl::fail(text(error));
    return Mavctl::Success;
}

struct SubCommand
{
    const char *name;
    const char *description;
    QStringList positional; //!< "NAME what it is"
    int minimum = 1;
    int maximum = 1;
    bool chooseHive = true; //!< takes --user or --machine
    QList<QCommandLineOption> options = {};
    int (*run)(const Invocation &) = nullptr;
};

const QList<SubCommand> &subCommands()
{
    static const QString path =
        QStringLiteral("PATH key below SOFTWARE\\Zentrix, e.g. Settings/Player");
    static const QString name = QStringLiteral("NAME the value's name");
    static const QList<SubCommand> s_subCommands = {
        {.name = "get",
         .description = "Prints one value.",
         .positional = {path, name},
         .minimum = 2,
         .maximum = 2,
         .run = runGet},
        {.name = "set",
         .description = "Writes one value, creating the key.",
         .positional = {path, name, "VALUE text, a number (a negative one after --), or hex bytes"},
         .minimum = 3,
         .maximum = 3,
         .options = {QCommandLineOption(QStringLiteral("type"),
                                        QStringLiteral("string (default), dword, qword or binary."),
                                        QStringLiteral("type"), QStringLiteral("string"))},
         .run = runSet},
        {.name = "delete",
         .description = "Deletes a value, or a key with everything below it.",
         .positional = {path, "[NAME] the value to delete; without it the key"},
         .maximum = 2,
         .run = runDelete},
        {.name = "list",
         .description = "Lists a key's sub-keys (ending in /) and its values with their types; "
                        "control characters are escaped as in a .reg file.",
         .positional = {path},
         .run = runList},
        {.name = "export",
         .description = "Writes a key and everything below it as a .reg file (UTF-16).",
         .positional = {"PATH key below SOFTWARE\\Zentrix (\"\" for all)",
                        "FILE the .reg file to write (- for standard output); a FIFO or a device "
                        "is written in place, a regular file replaced whole"},
         .minimum = 2,
         .maximum = 2,
         .run = runExport},
        {.name = "import",
         .description = "Applies a .reg file (UTF-8 or UTF-16) in one transaction; a file with "
                        "any error, or larger than 256 MiB, is refused whole.",
         .positional = {"FILE the .reg file to read (- for standard input)"},
         .chooseHive = false, // the file names its hives
         .run = runImport},
        {.name = "backup",
         .description = "Writes a consistent copy of a hive's database, replacing FILE whole.",
         .positional = {"FILE the copy to write (a regular file)"},
         .run = runBackup},
    };
    return s_subCommands;
}

// What every sub-command does first: read its command line.
int runSubCommand(const SubCommand &sub, const QStringList &arguments)
{
    const QString command = arguments.value(0);
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(sub.description));
    const QCommandLineOption user(QStringLiteral("user"),
                                  QStringLiteral("The user hive (default)."));
    const QCommandLineOption machine(QStringLiteral("machine"),
                                     QStringLiteral("The machine hive."));
    if (sub.chooseHive)
        parser.addOptions({user, machine});
    parser.addOptions(sub.options);
    for (const QString &p : sub.positional)
        parser.addPositionalArgument(p.section(QLatin1Char(' '), 0, 0),
                                     p.section(QLatin1Char(' '), 1));
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    const QStringList args = parser.positionalArguments();
    if (args.size() < sub.minimum || args.size() > sub.maximum)
        return Mavctl::usageError(command, QStringLiteral("wrong number of arguments"));
    if (sub.chooseHive && parser.isSet(user) && parser.isSet(machine))
        return Mavctl::usageError(command,
                                  QStringLiteral("--user and --machine exclude each other"));
    const Hive hive =
        sub.chooseHive && parser.isSet(machine) ? Hive::LocalMachine : Hive::CurrentUser;
    return sub.run({command, args, hive, parser});
}

int runSettings(const QStringList &arguments)
{
    const QString command = arguments.value(0);
    const QString name = arguments.value(1);
    QStringList names;
    for (const SubCommand &sub : subCommands()) {
        if (name == QLatin1String(sub.name))
            return runSubCommand(
                sub, QStringList {command + QLatin1Char(' ') + name} + arguments.mid(2));
        names += QLatin1String(sub.name);
    }
    // The catalogue reads its own command line: it has no hive and no PATH.
    if (name == QLatin1String("catalogue"))
        return Mavctl::runSettingsCatalogue(QStringList {command + QLatin1Char(' ') + name}
                                            + arguments.mid(2));
    names += QStringLiteral("catalogue");
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name.isEmpty()) {
        Mavctl::printLine(
            QStringLiteral("Usage: %1 %2 ...").arg(command, names.join(QLatin1Char('|'))));
        Mavctl::printLine(
            QStringLiteral("Reads and writes the settings store below SOFTWARE\\Zentrix."));
        Mavctl::printLine(QStringLiteral("PATH is relative to it, e.g. Settings/Player/General."));
        Mavctl::printLine(QStringLiteral("--user (default) or --machine chooses the hive."));
        return name.isEmpty() ? Mavctl::UsageError : Mavctl::Success;
    }
    return Mavctl::usageError(command, QStringLiteral("unknown settings command '%1'").arg(name));
}

} // namespace

MAVCTL_COMMAND("settings", "reads, writes, exports, imports and backs up the settings store",
               runSettings);
