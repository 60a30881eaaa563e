// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QVariant>

#include <iterator>
#include <string>

namespace Quorvex {

//! One row of the player's settings catalogue: the value name and its group. ASCII.
struct SettingEntry
{
    const char *key;
    const char *section;
};

/*
    The player's settings, one row a line: the group (a sub-section of the player's
    section "Settings/<component id>") and the value name, which also names the
    row's SettingId. Stored settings are found by these names and code refers to
    rows by position: never reorder, insert or remove a line, and keep every
    spelling ("RecentFilis", "DeletLibraryFileAndDiskFile") as it is.
*/
#define QUORVEX_SETTINGS_CATALOGUE(ROW)                                                            \
    ROW(Paths, SkinInstallPath) /* 0 */                                                            \
    ROW(Paths, QtPluginsInstallPath) /* 1 */                                                       \
    ROW(Paths, I18nInstallPath) /* 2 */                                                            \
    ROW(Paths, StreamEnginePluginsInstallPath) /* 3 */                                             \
    ROW(Paths, QuorvexPluginsInstallPath) /* 4 */                                                  \
    ROW(GlobalState, DefaultViewPlugin) /* 5 */                                                    \
    ROW(PlayerState, PlayerXPos) /* 6 */                                                           \
    ROW(PlayerState, PlayerYPos) /* 7 */                                                           \
    ROW(PlayerState, PlayerWidth) /* 8 */                                                          \
    ROW(PlayerState, PlayerHeight) /* 9 */                                                         \
    ROW(PlayerState, PRefFixedWidth) /* 10 */                                                      \
    ROW(PlayerState, PRefFixedHeight) /* 11 */                                                     \
    ROW(PlayerState, AspectRatio) /* 12 */                                                         \
    ROW(PlayerState, DisplayState) /* 13 */                                                        \
    ROW(PlayerState, LastOpenFileLocation) /* 14 */                                                \
    ROW(PlayerState, DimmerIntensity) /* 15 */                                                     \
    ROW(PlayerState, Volume) /* 16 */                                                              \
    ROW(PlayerState, AVCPingSent) /* 17 */                                                         \
    ROW(PlayerState, FirstRunPingSent) /* 18 */                                                    \
    ROW(PlayerState, KeyHelpXPos) /* 19 */                                                         \
    ROW(PlayerState, KeyHelpYPos) /* 20 */                                                         \
    ROW(PlayerState, KeyHelpWidth) /* 21 */                                                        \
    ROW(PlayerState, KeyHelpHeight) /* 22 */                                                       \
    ROW(ZAVAudio, ZAVPurchaseURL) /* 23 */                                                         \
    ROW(ZAVAudio, ZAVHelpFile) /* 24 */                                                            \
    ROW(ZAVAudio, ZAVShown) /* 25 */                                                               \
    ROW(ZAVAudio, ZAVWindowX) /* 26 */                                                             \
    ROW(ZAVAudio, ZAVWindowY) /* 27 */                                                             \
    ROW(General, BannerMarket) /* 28 */                                                            \
    ROW(General, Locale) /* 29 */                                                                  \
    ROW(General, MacStyleWindowControls) /* 30 */                                                  \
    ROW(General, Skin) /* 31 */                                                                    \
    ROW(General, UseTranslucentWindow) /* 32 */                                                    \
    ROW(General, UseWindowBlur) /* 33 */                                                           \
    ROW(General, MediaFolder) /* 34 */                                                             \
    ROW(General, DesktopFolder) /* 35 */                                                           \
    ROW(General, ShowBannerAds) /* 36 */                                                           \
    ROW(General, DefaultOpenFileLocation) /* 37 */                                                 \
    ROW(General, VEVServer) /* 38 */                                                               \
    ROW(General, VEVServerOverride) /* 39 */                                                       \
    ROW(General, VEVEmail) /* 40 */                                                                \
    ROW(General, VEVPassword) /* 41 */                                                             \
    ROW(General, VEVCheckPointID) /* 42 */                                                         \
    ROW(General, VEVDebug) /* 43 */                                                                \
    ROW(General, StartupView) /* 44 */                                                             \
    ROW(General, AVIFileAssoc) /* 45 */                                                            \
    ROW(General, ZENTRIXFileAssoc) /* 46 */                                                        \
    ROW(General, XVIDFileAssoc) /* 47 */                                                           \
    ROW(General, MKVFileAssoc) /* 48 */                                                            \
    ROW(General, MOVFileAssoc) /* 49 */                                                            \
    ROW(General, MP4FileAssoc) /* 50 */                                                            \
    ROW(General, WMVFileAssoc) /* 51 */                                                            \
    ROW(General, VOBFileAssoc) /* 52 */                                                            \
    ROW(General, MPGFileAssoc) /* 53 */                                                            \
    ROW(General, ASFFileAssoc) /* 54 */                                                            \
    ROW(General, QTFileAssoc) /* 55 */                                                             \
    ROW(General, InitialFileAssociationsHaveBeenMade) /* 56 */                                     \
    ROW(General, TransferDevicesConfirmDeletions) /* 57 */                                         \
    ROW(General, TransferDevicesPaneShown) /* 58 */                                                \
    ROW(General, PlayerVersion) /* 59 */                                                           \
    ROW(General, RemoteControlsEnabled) /* 60 */                                                   \
    ROW(DownloadManager, AutoClearDownloads) /* 61 */                                              \
    ROW(DownloadManager, ResumeDownloadsOnStartup) /* 62 */                                        \
    ROW(MediaLibrary, AutoCloseImportDialog) /* 63 */                                              \
    ROW(MediaLibrary, AddPlayedVideoToLibrary) /* 64 */                                            \
    ROW(MediaLibrary, AddVideoInDefFolderToLibrary) /* 65 */                                       \
    ROW(MediaLibrary, DeletLibraryFileAndDiskFile) /* 66 */                                        \
    ROW(MediaLibrary, EnableRecentWatchedPlaylist) /* 67 */                                        \
    ROW(MediaLibrary, ShowVideoThumbnail) /* 68 */                                                 \
    ROW(MediaLibrary, DefaultViewColumnsEstablished) /* 69 */                                      \
    ROW(RecentFilis, RecentWatchedMovies) /* 70 */                                                 \
    ROW(Playback, AlwaysOnTop) /* 71 */                                                            \
    ROW(Playback, LoopPlayback) /* 72 */                                                           \
    ROW(Playback, ResizePlayerToVideo) /* 73 */                                                    \
    ROW(Playback, DisableScreenSaver) /* 74 */                                                     \
    ROW(Playback, ShowUltraMenus) /* 75 */                                                         \
    ROW(Playback, RecentFileMaximum) /* 76 */                                                      \
    ROW(Playback, RecentFileMenuMaximum) /* 77 */                                                  \
    ROW(Playback, RememberPreviousMovie) /* 78 */                                                  \
    ROW(Playback, WasPlaying) /* 79 */                                                             \
    ROW(Playback, RememberRecentFilePosition) /* 80 */                                             \
    ROW(Playback, PauseInBackground) /* 81 */                                                      \
    ROW(Playback, BlackoutWhenPaused) /* 82 */                                                     \
    ROW(Playback, FadeOutWhenPlaying) /* 83 */                                                     \
    ROW(Playback, DimDesktop) /* 84 */                                                             \
    ROW(Playback, DimWindowWithDesktop) /* 85 */                                                   \
    ROW(Playback, AudioOutputMode) /* 86 */                                                        \
    ROW(Playback, SmoothTrickPlayThreshold) /* 87 */                                               \
    ROW(Playback, KeyframeTrickPlayInterval) /* 88 */                                              \
    ROW(Languages, AudioLanguage) /* 89 */                                                         \
    ROW(Languages, SubtitleLanguage) /* 90 */                                                      \
    ROW(Languages, MenuLanguage) /* 91 */                                                          \
    ROW(Codec, PostProcessingMode) /* 92 */                                                        \
    ROW(Codec, DeblockingLevel) /* 93 */                                                           \
    ROW(Codec, Brightness) /* 94 */                                                                \
    ROW(Codec, Contrast) /* 95 */                                                                  \
    ROW(Codec, Saturation) /* 96 */                                                                \
    ROW(Codec, FilmEffectEnabled) /* 97 */                                                         \
    ROW(Codec, FilmEffectLevel) /* 98 */                                                           \
    ROW(Video, DeinterlacingMethod) /* 99 */                                                       \
    ROW(Video, VideoOutputMethod) /* 100 */                                                        \
    ROW(Video, HardwareDecodingDisabled) /* 101 */                                                 \
    ROW(Subtitles, SubtitleFont) /* 102 */                                                         \
    ROW(Subtitles, AlwaysUseExternalFont) /* 103 */                                                \
    ROW(Subtitles, UseExternalSubtitles) /* 104 */                                                 \
    ROW(Subtitles, SubtitleTextColor) /* 105 */                                                    \
    ROW(Subtitles, SubtitleOutlineColor) /* 106 */                                                 \
    ROW(Subtitles, SubtitleDelay) /* 107 */                                                        \
    ROW(Subtitles, SubtitleCodePage) /* 108 */                                                     \
    ROW(Subtitles, SubtitleFrameRateNumerator) /* 109 */                                           \
    ROW(Subtitles, SubtitleFrameRateDenominator) /* 110 */                                         \
    ROW(Profiles, ProfileGUID) /* 111 */                                                           \
    ROW(OSD, OSDPosition) /* 112 */                                                                \
    ROW(OSD, OSDFont) /* 113 */

//! A row of the catalogue: its index in s_settingsCatalogue.
enum SettingId : int {
#define QUORVEX_SETTING_ID(section, key) key,
    QUORVEX_SETTINGS_CATALOGUE(QUORVEX_SETTING_ID)
#undef QUORVEX_SETTING_ID
};

inline constexpr int SettingIdCount = 114;

inline constexpr SettingEntry s_settingsCatalogue[] = {
#define QUORVEX_SETTING_ENTRY(section, key) {#key, #section},
    QUORVEX_SETTINGS_CATALOGUE(QUORVEX_SETTING_ENTRY)
#undef QUORVEX_SETTING_ENTRY
};
static_assert(std::size(s_settingsCatalogue) == SettingIdCount);

/*!
    Typed access to the player's settings by catalogue row, so that no caller
    spells a group or a value name. Row \a id is the value `<key>` in the section
    "Settings/<component id>/<section>", read and written as ztds::userSettings
    does: the user's value first and the machine's as fallback; writes go to the
    user. A missing or mistyped value reads as the fallback, or, in the forms
    without one, as the row's default (defaultValue()).

    Fonts are stored as text in QFont::toString() form; the shorter form of
    earlier Qt versions reads as well.

    \threadsafe
*/
class MAVLIBRARY_EXPORT PlayerSettings
{
public:
    PlayerSettings() = delete;

    static constexpr const SettingEntry &entry(SettingId id) { return s_settingsCatalogue[id]; }
    //! "<component id>/<section>": the row's section for ztds::userSettings.
    static std::string sectionPath(SettingId id);
    /*!
        The row's default: a QString for text rows, a QFont for "SubtitleFont" and
        "OSDFont", a QByteArray for "VEVPassword"; invalid for the numeric and
        boolean rows, whose users choose their own. The defaults of "MediaFolder"
        (the default movies folder, created if missing) and "DesktopFolder" are
        looked up at their first request and kept for the life of the process.
    */
    static QVariant defaultValue(SettingId id);

    static QString getString(SettingId id);
    static QString getString(SettingId id, const QString &fallback);
    static bool setString(SettingId id, const QString &value);
    static int getInt(SettingId id, int fallback);
    static bool setInt(SettingId id, int value);
    static qint64 getInt64(SettingId id, qint64 fallback);
    static bool setInt64(SettingId id, qint64 value);
    static double getDouble(SettingId id, double fallback);
    static bool setDouble(SettingId id, double value);
    static bool getBool(SettingId id, bool fallback);
    static bool setBool(SettingId id, bool value);
    static QByteArray getBinary(SettingId id);
    static QByteArray getBinary(SettingId id, const QByteArray &fallback);
    static bool setBinary(SettingId id, const QByteArray &value);
    static QFont getFont(SettingId id);
    static QFont getFont(SettingId id, const QFont &fallback);
    static bool setFont(SettingId id, const QFont &value);
    //! Deletes the user's value; a machine value shows through again.
    static bool remove(SettingId id);
};

} // namespace Quorvex
