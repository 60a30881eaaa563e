// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <string>

class QObject;
class QRect;

namespace Quorvex {

//! The elements of a version; each bit is also the element's key in the version maps.
enum VersionElementFlags {
    VersionMajor = 1,
    VersionMinor = 2, // composed after "."
    VersionMicro = 4, // after ".", and only after a minor element
    VersionBuild = 8, // after "-"
    VersionInternalName = 16, // after " "; only the executable's version has one
};

/*!
    The library's integration with the operating system, as static operations:
    configuration values, locale, platform and version information, paths and
    folders, and file type associations.
*/
class MAVLIBRARY_EXPORT OSUtilities
{
public:
    OSUtilities() = delete;

    // Configuration values ------------------------------------------------------

    static QVariant readConfigValue(const QString &key, const QVariant &defaultValue);
    static void setConfigValue(const QString &key, const QVariant &value);
    static std::string getComponentIdUTF8();
    static std::wstring getComponentIdWide();

    // Locale, platform and version information ------------------------------------
    //
    // Every cache here is filled once, safely from any thread; the locale is set by
    // the host at start-up and may be read from any thread afterwards.

    enum Platform { MacOSX = 1, Windows = 2, PRef = 3, X11 = 4, Gnome = 5, KDE = 6 };

    //! Takes a locale name such as "pt_BR": two-letter language, country (see the source).
    static void setLocale(const QString &locale);
    static QString getLanguageCode();
    static QString getCountryCode();
    //! The language alone when \a languagesWithoutCountry lists it, else language,
    //! separator and country.
    static QString getLanguageAndCountryCode(const QString &separator,
                                             const QStringList &languagesWithoutCountry);
    //! \a url with a trailing "/" and the user's language in the form its site expects.
    static QString appendLanguageCodeToURL(const QString &url);
    //! The decimal number of a code page of the user's locale that the converter
    //! library supports, or empty.
    static QString getSystemCodePage();
    //! X11 on this system, PRef in reference-player mode ("Global/ReferencePlayerMode").
    static Platform getPlatform();
    static QString getPlatformString();
    //! The player's public version ("PlayerVersion" in the player's settings),
    //! composed from the VersionElementFlags in \a flags.
    static QString getVersion(uint flags);
    //! The executable's version (QCoreApplication::applicationVersion(), elements
    //! separated by commas) and internal name (applicationName()).
    static QString getInternalVersion(uint flags);
    //! Starts (or joins) a use of the window-system effects; bit 1 of
    //! *\a capabilities: composition, bit 2: blur behind a window. Match every call
    //! with cancelWindowSystemCapabilitiesRequest().
    static bool requestWindowSystemCapabilities(long *capabilities);
    static void cancelWindowSystemCapabilitiesRequest();
    //! Asks the window system to blur \a area (inclusive corners, window
    //! coordinates) behind the X11 window \a windowHandle, or to stop.
    static bool setWindowBlurEnabled(void *windowHandle, const QRect &area, bool enable);

    // Remote controls ---------------------------------------------------------------
    //
    // This system has no remote control input: nothing is ever delivered.

    //! Would deliver RemoteControlEvents to \a receiver; false: there is no input.
    static bool initRemoteControls(QObject *receiver);
    //! Would pause (false) or resume (true) the input; does nothing.
    static void setRemoteControlsActive(bool active);

    // Paths, folders and the file manager -----------------------------------------
    //
    // The folders are the freedesktop.org user folders. The temporary and download
    // paths may be set and read from any thread; the rest keeps no state.

    //! With \a root true the per-user data folder ($XDG_DATA_HOME), creating
    //! nothing; otherwise the player's folder below it, "Zentrix/<component id>",
    //! created if missing (the path is returned even when that fails).
    static QString getApplicationDataPath(bool root);
    static QString getTempPath();
    //! Stores \a path unchanged, without checks.
    static void setTempPath(const QString &path);
    static QString getTempDownloadDirectoryPath();
    //! Makes "<parent>/.downloads" the download folder, creating it; when that
    //! fails, returns false and the download folder is the system's temporary folder.
    static bool setTempDownloadDirectoryParent(const QString &parent);
    //! "Zentrix Movies" in the videos folder, else the documents folder, else the
    //! home folder; created if missing; empty when it cannot be made.
    static QString getZentrixMoviesPathDefault();
    static QString getDesktopPath();
    //! Creates every missing level of \a path ("/" and "\\" both separate levels);
    //! true when the directory exists afterwards.
    static bool makeDirectory(const QString &path);
    //! \a path when nothing is there, else the file name numbered: "movie[1].avi",
    //! "movie[2].avi", ...; "movie[1]" for a name without an extension.
    static QString ensureUniqueFilePath(QString path);
    //! The bytes free to this user and the volume's size; either pointer may be null.
    static bool getFreeSpace(const QString &path, quint64 *freeBytes, quint64 *totalBytes);
    //! Opens the folder in the desktop's file manager.
    static void openDirectory(const QString &path);
    //! Shows the file selected in its folder; when no file manager answers in a
    //! moment, opens the folder instead. May block the caller for that moment.
    static void revealFileInParentDirectory(const QString &path);
    //! Does nothing on this platform.
    static void bringApplicationToFront();

    // File type associations ----------------------------------------------------
    //
    // Extensions carry their leading dot (".avi"). The player's ProgID for one is
    // "zentrix_" + the extension without the dot + "_file"; its application is the
    // desktop entry "zentrix-player.desktop". Caller's thread; no locks.

    //! Sets associations[extension] to the ProgID that opens it (the user's
    //! choice, else the class root's), or empty; other keys stay. Always true.
    static bool getFileTypeAssociations(const QStringList &extensions,
                                        QMap<QString, QString> &associations);
    /*!
        For each extension, true makes the player its handler (keeping what it
        replaces as a backup), false gives it back. False when a change could not
        be written (the extensions concerned are then left as they were) or a
        key is no plain extension: a dot, then letters, digits, "+", "-" or "_".
    */
    static bool setFileTypeAssociations(const QMap<QString, bool> &wanted);

protected:
    // Configuration values
    static QMap<QString, QVariant> s_overriddenConfigValues;
    static QString s_configFileName;
    static bool s_configFileExists;
    static std::string s_componentId;

    // Locale, platform and version information
    static QString s_localeLanguage; // two lower-case letters; empty before setLocale
    static QString s_localeCountry;
    static QMap<VersionElementFlags, QString> s_versionInfo;
    static QMap<VersionElementFlags, QString> s_internalVersionInfo;

    // Paths; each read and written under one lock (osutilities_paths.cpp)
    static QString s_tempPath;
    static QString s_tempDownloadDirectoryPath;
};

} // namespace Quorvex
