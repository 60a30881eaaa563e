// SPDX-License-Identifier: LGPL-2.1-or-later
// The player settings catalogue. Its header is the settings layer's, but its
// defaults need this layer's folders and component id, so its source lives here.
#include <MavLibrary/os/osutilities.h>
#include <MavLibrary/settings/playersettings.h>
#include <MavLibrary/settings/settingsfunctions.h>

#include <QMutex>
#include <QMutexLocker>

#include <array>

namespace Quorvex {

namespace {

enum class Kind : unsigned char { Text, Font, Binary, MoviesFolder, DesktopFolder };

struct Default
{
    SettingId id;
    Kind kind;
    const char *text; // Text: the value; Font: the family
};

// The defaults of the text, font and byte-array rows, in catalogue order; the
// numeric and boolean rows have none.
constexpr Default s_defaults[] = {
    {SkinInstallPath, Kind::Text, ""},
    {QtPluginsInstallPath, Kind::Text, ""},
    {I18nInstallPath, Kind::Text, ""},
    {StreamEnginePluginsInstallPath, Kind::Text, ""},
    {QuorvexPluginsInstallPath, Kind::Text, ""},
    {DefaultViewPlugin, Kind::Text, "com.zentrix.quorvex.plugin.MavPlayerPlugin"},
    {AspectRatio, Kind::Text, "Original"},
    {DisplayState, Kind::Text, "Normal"},
    {LastOpenFileLocation, Kind::Text, ""},
    {ZAVPurchaseURL, Kind::Text, ""},
    {ZAVHelpFile, Kind::Text, ""},
    {BannerMarket, Kind::Text, ""},
    {Locale, Kind::Text, ""},
    {Skin, Kind::Text, "PlayerWindowV8"},
    {MediaFolder, Kind::MoviesFolder, nullptr},
    {DesktopFolder, Kind::DesktopFolder, nullptr},
    {DefaultOpenFileLocation, Kind::Text, "<media folder>"},
    {VEVServer, Kind::Text, "production"},
    {VEVServerOverride, Kind::Text, ""},
    {VEVEmail, Kind::Text, ""},
    {VEVPassword, Kind::Binary, nullptr},
    {VEVCheckPointID, Kind::Text, ""},
    {StartupView, Kind::Text, "player"},
    {PlayerVersion, Kind::Text, ""},
    {RecentWatchedMovies, Kind::Text, ""},
    {AudioOutputMode, Kind::Text, "5.1"},
    {AudioLanguage, Kind::Text, ""},
    {SubtitleLanguage, Kind::Text, ""},
    {MenuLanguage, Kind::Text, ""},
    {PostProcessingMode, Kind::Text, "automatic"},
    {DeinterlacingMethod, Kind::Text, "bob"},
    {VideoOutputMethod, Kind::Text, "<best>"},
    {SubtitleFont, Kind::Font, "Arial"},
    {SubtitleTextColor, Kind::Text, "#FFFF00"},
    {SubtitleOutlineColor, Kind::Text, "#000000"},
    {SubtitleCodePage, Kind::Text, "system"},
    {ProfileGUID, Kind::Text, ""},
    {OSDFont, Kind::Font, "Arial"},
};

// Row -> its default's index in s_defaults, or -1.
constexpr auto s_defaultOf = [] {
    std::array<int, SettingIdCount> index {};
    index.fill(-1);
    for (int i = 0; i < int(std::size(s_defaults)); ++i)
        index[s_defaults[i].id] = i;
    return index;
}();

constexpr bool inCatalogueOrder()
{
    for (std::size_t i = 1; i < std::size(s_defaults); ++i) {
        if (s_defaults[i - 1].id >= s_defaults[i].id)
            return false;
    }
    return true;
}
static_assert(inCatalogueOrder());

/*
    The two folder defaults are looked up when first asked for, not while the
    library loads: loading runs before the application object exists and before
    a host has set its environment, and merely loading the library (in mavctl,
    in a plug-in scanner) must not create folders in the user's home. Once
    looked up they stay, as a default fixed at start-up would.
*/
QString folderDefault(Kind kind)
{
    static QMutex mutex;
    static QString movies, desktop;
    static bool moviesKnown = false, desktopKnown = false;
    QMutexLocker locker(&mutex);
    if (kind == Kind::MoviesFolder) {
        if (!moviesKnown)
            movies = OSUtilities::getZentrixMoviesPathDefault();
        moviesKnown = true;
        return movies;
    }
    if (!desktopKnown)
        desktop = OSUtilities::getDesktopPath();
    desktopKnown = true;
    return desktop;
}

struct Names
{
    std::string section; // "<component id>/<group>"
    std::string key;
};

// Built once: the component id is fixed at its first lookup. A number outside
// the catalogue gets empty names, which every store operation refuses.
const Names &names(SettingId id)
{
    static const std::array<Names, SettingIdCount> rows = [] {
        std::array<Names, SettingIdCount> built;
        const std::string prefix = OSUtilities::getComponentIdUTF8() + '/';
        for (int i = 0; i < SettingIdCount; ++i)
            built[i] = {prefix + s_settingsCatalogue[i].section, s_settingsCatalogue[i].key};
        return built;
    }();
    static const Names none;
    return id >= 0 && id < SettingIdCount ? rows[id] : none;
}

bool readText(SettingId id, QString &text)
{
    std::wstring value;
    if (!ztds::userSettings::getString(names(id).section, names(id).key, value))
        return false;
    text = QString::fromStdWString(value);
    return true;
}

bool readFont(SettingId id, QFont &font)
{
    QString text;
    return readText(id, text) && font.fromString(text);
}

} // namespace

std::string PlayerSettings::sectionPath(SettingId id)
{
    return names(id).section;
}

QVariant PlayerSettings::defaultValue(SettingId id)
{
    const int index = id >= 0 && id < SettingIdCount ? s_defaultOf[id] : -1;
    if (index < 0)
        return {};
    const Default &d = s_defaults[index];
    switch (d.kind) {
    case Kind::Text:
        return QString::fromLatin1(d.text);
    case Kind::Font:
        // 14 points, normal weight (50 in Qt 4's scale), not italic.
        return QFont(QString::fromLatin1(d.text), 14, QFont::Normal, false);
    case Kind::Binary:
        return QByteArray();
    case Kind::MoviesFolder:
    case Kind::DesktopFolder:
        return folderDefault(d.kind);
    }
    return {};
}

QString PlayerSettings::getString(SettingId id)
{
    QString value;
    return readText(id, value) ? value : defaultValue(id).toString();
}

QString PlayerSettings::getString(SettingId id, const QString &fallback)
{
    QString value;
    return readText(id, value) ? value : fallback;
}

bool PlayerSettings::setString(SettingId id, const QString &value)
{
    return ztds::userSettings::setString(names(id).section, names(id).key, value.toStdWString());
}

int PlayerSettings::getInt(SettingId id, int fallback)
{
    int value = fallback;
    return ztds::userSettings::getInt(names(id).section, names(id).key, value) ? value : fallback;
}

bool PlayerSettings::setInt(SettingId id, int value)
{
    return ztds::userSettings::setInt(names(id).section, names(id).key, value);
}

qint64 PlayerSettings::getInt64(SettingId id, qint64 fallback)
{
    std::int64_t value = fallback;
    return ztds::userSettings::getInt64(names(id).section, names(id).key, value) ? value : fallback;
}

bool PlayerSettings::setInt64(SettingId id, qint64 value)
{
    return ztds::userSettings::setInt64(names(id).section, names(id).key, value);
}

double PlayerSettings::getDouble(SettingId id, double fallback)
{
    double value = fallback;
    return ztds::userSettings::getDouble(names(id).section, names(id).key, value) ? value
                                                                                  : fallback;
}

bool PlayerSettings::setDouble(SettingId id, double value)
{
    return ztds::userSettings::setDouble(names(id).section, names(id).key, value);
}

bool PlayerSettings::getBool(SettingId id, bool fallback)
{
    bool value = fallback;
    return ztds::userSettings::getBool(names(id).section, names(id).key, value) ? value : fallback;
}

bool PlayerSettings::setBool(SettingId id, bool value)
{
    return ztds::userSettings::setBool(names(id).section, names(id).key, value);
}

QByteArray PlayerSettings::getBinary(SettingId id)
{
    return getBinary(id, defaultValue(id).toByteArray());
}

QByteArray PlayerSettings::getBinary(SettingId id, const QByteArray &fallback)
{
    zttl::MemoryBuffer<char> value;
    if (!ztds::userSettings::getBinary(names(id).section, names(id).key, value))
        return fallback;
    return QByteArray(value.data(), qsizetype(value.size()));
}

bool PlayerSettings::setBinary(SettingId id, const QByteArray &value)
{
    return ztds::userSettings::setBinary(names(id).section, names(id).key, value.constData(),
                                         unsigned(value.size()));
}

QFont PlayerSettings::getFont(SettingId id)
{
    QFont font;
    return readFont(id, font) ? font : qvariant_cast<QFont>(defaultValue(id));
}

QFont PlayerSettings::getFont(SettingId id, const QFont &fallback)
{
    QFont font;
    return readFont(id, font) ? font : fallback;
}

bool PlayerSettings::setFont(SettingId id, const QFont &value)
{
    return setString(id, value.toString());
}

bool PlayerSettings::remove(SettingId id)
{
    return ztds::userSettings::deleteValue(names(id).section, names(id).key);
}

} // namespace Quorvex
