// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl settings catalogue: the player's setting rows, their defaults and values.
#include "command.h"
#include "os/paths_p.h"

#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/settings/playersettings.h>
#include <MavLibrary/settings/settingsfunctions.h>

#include <QCommandLineParser>
#include <QFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using Quorvex::PlayerSettings;
using Quorvex::SettingId;

struct Shown
{
    QString kind; // "text", "font", "bytes", "number"; empty: none
    QString text;

    QString display() const
    {
        if (kind.isEmpty())
            return QStringLiteral("-");
        if (kind == QLatin1String("number"))
            return text;
        const QString quoted = QLatin1Char('"') + text + QLatin1Char('"');
        return kind == QLatin1String("text") ? quoted : kind + QLatin1Char(' ') + quoted;
    }
};

// The folder rows are shown as they would be, without making the movies folder.
Shown defaultOf(SettingId id)
{
    if (id == Quorvex::MediaFolder)
        return {QStringLiteral("text"), Quorvex::Paths::moviesPath(false)};
    if (id == Quorvex::DesktopFolder)
        return {QStringLiteral("text"), Quorvex::OSUtilities::getDesktopPath()};
    const QVariant value = PlayerSettings::defaultValue(id);
    switch (value.typeId()) {
    case QMetaType::QString:
        return {QStringLiteral("text"), value.toString()};
    case QMetaType::QFont:
        return {QStringLiteral("font"), qvariant_cast<QFont>(value).toString()};
    case QMetaType::QByteArray:
        return {QStringLiteral("bytes"), QString::fromLatin1(value.toByteArray().toHex(','))};
    }
    return {};
}

// The catalogue holds no types: whatever is stored is shown as it is.
Shown valueOf(SettingId id)
{
    const std::string section = PlayerSettings::sectionPath(id);
    const std::string key = PlayerSettings::entry(id).key;
    std::wstring text;
    if (ztds::userSettings::getString(section, key, text))
        return {QStringLiteral("text"), QString::fromStdWString(text)};
    std::uint64_t number = 0;
    if (ztds::userSettings::getQword(section, key, number))
        return {QStringLiteral("number"), QString::number(number)};
    zttl::MemoryBuffer<char> bytes;
    if (ztds::userSettings::getBinary(section, key, bytes))
        return {QStringLiteral("bytes"),
                QString::fromLatin1(QByteArray(bytes.data(), qsizetype(bytes.size())).toHex(','))};
    return {};
}

QJsonValue json(const Shown &shown)
{
    if (shown.kind.isEmpty())
        return QJsonValue::Null;
    return QJsonObject {{"type", shown.kind}, {"value", shown.text}};
}

} // namespace

namespace Mavctl {

int runSettingsCatalogue(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the player's settings: row, group, key and default (and the stored value). The "
        "rows live in Settings/<component id>/<group>."));
    const QCommandLineOption values(QStringLiteral("values"),
                                    QStringLiteral("Also the value stored for the component."));
    const QCommandLineOption asJson(QStringLiteral("json"), QStringLiteral("Prints JSON."));
    parser.addOptions({values, asJson});
    if (const int code = parse(parser, arguments); code >= 0)
        return code;
    if (!parser.positionalArguments().isEmpty())
        return usageError(arguments.value(0), QStringLiteral("catalogue takes no arguments"));

    const bool withValues = parser.isSet(values);
    QJsonArray array;
    for (int i = 0; i < Quorvex::SettingIdCount; ++i) {
        const auto id = SettingId(i);
        const Quorvex::SettingEntry &row = PlayerSettings::entry(id);
        const Shown fallback = defaultOf(id);
        const Shown stored = withValues ? valueOf(id) : Shown();
        if (parser.isSet(asJson)) {
            QJsonObject object {{"id", i},
                                {"group", QLatin1String(row.section)},
                                {"key", QLatin1String(row.key)},
                                {"default", json(fallback)}};
            if (withValues)
                object.insert(QStringLiteral("value"), json(stored));
            array.append(object);
            continue;
        }
        QString line = QStringLiteral("%1  %2  %3  %4")
                           .arg(i, 3)
                           .arg(QLatin1String(row.section), -15)
                           .arg(QLatin1String(row.key), -35)
                           .arg(fallback.display());
        if (withValues)
            line += QStringLiteral("  = ") + stored.display();
        printLine(line);
    }
    if (parser.isSet(asJson))
        printLine(QString::fromUtf8(QJsonDocument(array).toJson().trimmed()));
    return Success;
}

} // namespace Mavctl
