// SPDX-License-Identifier: LGPL-2.1-or-later
// mavctl profiles DIR: the device profiles of a folder, the active one and the order.
#include "command.h"
#include "plugins.h"
#include "profiles/profilemanager_p.h"

#include <MavLibrary/plugins/pluginmanager.h>

#include <QCommandLineParser>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>

using Quorvex::ProfileManager;
using Quorvex::ProfileWrapper;

namespace {

QString text(const std::wstring &wide)
{
    return QString::fromStdWString(wide);
}

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

QJsonObject names(const std::map<std::string, std::wstring> &map)
{
    QJsonObject object;
    for (const auto &[language, name] : map)
        object[text(language)] = text(name);
    return object;
}

QJsonObject limits(const Quorvex::VideoLimits &limits)
{
    return {{QStringLiteral("width"), double(limits.width)},
            {QStringLiteral("height"), double(limits.height)},
            {QStringLiteral("scaling"), limits.scaling},
            {QStringLiteral("frameRate"), limits.frameRate}};
}

QList<int> versions(const ProfileWrapper &profile)
{
    QList<int> list;
    for (int version = 0; version < 4; ++version) {
        if (profile.versions & (1u << version))
            list.append(version);
    }
    return list;
}

// The manager answers only for the language asked (and its parents); a locale
// that no profile speaks, such as "C" under LANG=C.UTF-8, still gets a name:
// the English one, else the first there is.
QString nameOf(const std::wstring &found, const std::map<std::string, std::wstring> &names)
{
    if (!found.empty())
        return text(found);
    const auto english = names.find("en");
    if (english != names.end() && !english->second.empty())
        return text(english->second);
    for (const auto &[language, name] : names) {
        if (!name.empty())
            return text(name);
    }
    return QString();
}

QJsonObject describe(const ProfileManager &manager, const ProfileWrapper &profile,
                     const std::string &language)
{
    QJsonArray versionList;
    for (int version : versions(profile))
        versionList.append(version);
    QJsonArray displays;
    for (std::size_t i = 0; i < profile.displays.size(); ++i) {
        const ProfileWrapper::DisplayData &display = profile.displays[i];
        displays.append(
            QJsonObject {{QStringLiteral("width"), double(display.width)},
                         {QStringLiteral("height"), double(display.height)},
                         {QStringLiteral("name"),
                          nameOf(manager.getDisplayName(&display, language), display.names)},
                         {QStringLiteral("names"), names(display.names)},
                         {QStringLiteral("default"), int(i) == profile.defaultDisplay}});
    }
    return {{QStringLiteral("guid"), text(profile.guid)},
            {QStringLiteral("file"), text(profile.directory + L'/' + profile.fileName)},
            {QStringLiteral("name"),
             nameOf(manager.getDisplayName(&profile, language), profile.displayNames)},
            {QStringLiteral("names"), names(profile.displayNames)},
            {QStringLiteral("active"), manager.getActiveProfile() == &profile},
            {QStringLiteral("versions"), versionList},
            {QStringLiteral("videoMin"), limits(profile.videoMin)},
            {QStringLiteral("videoMax"), limits(profile.videoMax)},
            {QStringLiteral("displays"), displays},
            {QStringLiteral("customResolutionAllowed"), profile.customResolutionAllowed}};
}

void print(const ProfileManager &manager, const ProfileWrapper &profile,
           const std::string &language)
{
    const auto name = [](const std::wstring &found, const auto &names) {
        const QString chosen = nameOf(found, names);
        return chosen.isEmpty() ? QStringLiteral("(no name)") : chosen;
    };
    const QString mark =
        manager.getActiveProfile() == &profile ? QStringLiteral("* ") : QStringLiteral("  ");
    Mavctl::printLine(mark + text(profile.guid) + QLatin1String("  ")
                      + name(manager.getDisplayName(&profile, language), profile.displayNames));
    QStringList versionTexts;
    for (int version : versions(profile))
        versionTexts.append(QString::number(version));
    Mavctl::printLine(QStringLiteral("    versions: %1")
                          .arg(versionTexts.isEmpty() ? QStringLiteral("none")
                                                      : versionTexts.join(QLatin1Char(' '))));
    const Quorvex::VideoLimits &min = profile.videoMin, &max = profile.videoMax;
    const auto real = [](double value) { return QString::number(value, 'g', 10); };
    Mavctl::printLine(
        QStringLiteral("    video: %1x%2 to %3x%4, scaling %5 to %6, frame rate %7 to %8")
            .arg(QString::number(min.width), QString::number(min.height),
                 QString::number(max.width), QString::number(max.height), real(min.scaling),
                 real(max.scaling), real(min.frameRate), real(max.frameRate)));
    for (std::size_t i = 0; i < profile.displays.size(); ++i) {
        const ProfileWrapper::DisplayData &display = profile.displays[i];
        Mavctl::printLine(
            QStringLiteral("    display: %1x%2 %3%4")
                .arg(QString::number(display.width), QString::number(display.height),
                     name(manager.getDisplayName(&display, language), display.names),
                     int(i) == profile.defaultDisplay ? QStringLiteral(" (default)") : QString()));
    }
    if (profile.customResolutionAllowed)
        Mavctl::printLine(QStringLiteral("    custom display sizes allowed"));
}

int runProfiles(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the device profiles of a folder (each *.xml file), the active one marked '*'.\n"
        "The active profile and the order are the player's settings (group Profiles)."));
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("The profile folder."));
    const QCommandLineOption language(
        QStringLiteral("language"),
        QStringLiteral("Names in language <code> (e.g. fr_CA; default: the system's)."),
        QStringLiteral("code"));
    const QCommandLineOption ordered(
        QStringLiteral("ordered"),
        QStringLiteral("Only the profiles with a stored position, in the user's order."));
    const QCommandLineOption activate(QStringLiteral("activate"),
                                      QStringLiteral("Makes the profile <guid> the active one."),
                                      QStringLiteral("guid"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Also lists the files skipped, and why."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Prints JSON."));
    parser.addOptions({language, ordered, activate, verbose, json});
    if (const int code = Mavctl::parse(parser, arguments); code >= 0)
        return code;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return Mavctl::usageError(arguments.value(0), QStringLiteral("name one profile folder"));
    const QString folder = positional.first();
    if (!QFileInfo(folder).isDir())
        return Mavctl::fail(QStringLiteral("%1 is not a folder").arg(folder));

    // The profile manager wants the host's plug-in context; this one has no plug-ins.
    static Kapio::PluginManager context(QStringList {});
    ProfileManager *manager = ProfileManager::instance(&context);
    std::vector<Quorvex::SkippedProfile> skipped;
    if (!Quorvex::ProfileManagerPrivate::loadProfiles(manager, folder.toStdWString(), &skipped))
        return Mavctl::fail(QStringLiteral("%1 holds no profile files (*.xml)").arg(folder));
    if (parser.isSet(activate) && !manager->setActiveProfile(parser.value(activate).toStdString()))
        return Mavctl::fail(
            QStringLiteral("no profile in %1 has the GUID %2").arg(folder, parser.value(activate)));

    const std::string code =
        (parser.isSet(language) ? parser.value(language) : QLocale::system().name()).toStdString();
    std::vector<std::string> guids;
    if (parser.isSet(ordered))
        manager->getProfileGUIDsInOrderBySystemSettings(&guids);
    else
        manager->getProfileGUIDs(&guids);

    QJsonArray array;
    for (const std::string &guid : guids) {
        const ProfileWrapper *profile = manager->getProfile(guid);
        if (parser.isSet(json))
            array.append(describe(*manager, *profile, code));
        else
            print(*manager, *profile, code);
    }
    if (parser.isSet(verbose)) {
        for (const Quorvex::SkippedProfile &file : skipped) {
            if (parser.isSet(json))
                array.append(QJsonObject {{QStringLiteral("file"), text(file.path)},
                                          {QStringLiteral("skipped"), text(file.reason)}});
            else
                Mavctl::printLine(
                    QStringLiteral("skipped %1: %2").arg(text(file.path), text(file.reason)));
        }
    }
    if (parser.isSet(json))
        Mavctl::printJson(array);
    return Mavctl::Success;
}

} // namespace

MAVCTL_COMMAND("profiles", "the device profiles of a folder; --activate sets the active one",
               runProfiles);
