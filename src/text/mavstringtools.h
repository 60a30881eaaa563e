// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/mavlibrary_export.h>

#include <QMap>
#include <QString>
#include <QStringList>

#include <atomic>
#include <string>

class QDataStream;
class QDebug;

namespace Quorvex {

/*!
    Static text helpers shared by the player and its plug-ins: conversions between
    QString and the standard strings of the Qt-free code, and the name tables for
    code pages, languages, countries and file-size units; track labels, media type
    names, file sizes and the extensions the player opens.

    The tables are filled once, at the first call that reads one, with
    QCoreApplication::translate in the contexts "Languages", "Countries", "fileSize",
    "CodePageRegion" and "CodePages". The names therefore stay in the language that
    was installed at that first use. \threadsafe
*/
class MAVLIBRARY_EXPORT MavStringTools
{
public:
    MavStringTools() = delete;

    //! UTF-8 bytes up to the first zero byte.
    static QString fromStdStringUTF8(const std::string &text);
    //! All UTF-8 bytes of \a text, embedded zero characters included.
    static std::string toStdStringUTF8(const QString &text);
    //! One character a byte (Latin-1), full length.
    static QString fromStdStringASCII(const std::string &text);
    //! One byte a character (Latin-1); characters outside it become '?'.
    static std::string toStdStringASCII(const QString &text);
    static QString fromUTF8String(const std::basic_string<unsigned char> &text);
    static std::basic_string<unsigned char> toUTF8String(const QString &text);

    //! Every code-page identifier, in key order.
    static QStringList codePages();
    //! The display name of \a id (exact, case-sensitive), or a null string.
    static QString codePageName(const QString &id);
    //! The display names of the regions, in key order.
    static QStringList codePageRegions();
    //! The identifiers of \a region in list order, or an empty list.
    static QStringList codePagesForRegion(const QString &region);

    //! The name for \a code (any case), or a null string; no fall-back of any kind.
    static QString languageCodeToString(const QString &code);
    //! The name for \a code (any case), or a null string.
    static QString countryCodeToString(const QString &code);
    static QMap<QString, QString> twoLetterLanguageCodeMap();
    static QMap<QString, QString> threeLetterLanguageCodeMap();

    /*!
        The label of an audio or subtitle track: the language and country names of
        the codes (codes not in the tables count as absent), then \a type and
        \a format as given; "Track <counter>" only when neither name is known.
        Translated in the context "Track Name Format" at each call.
    */
    static QString trackToString(const QString &countryCode, const QString &languageCode,
                                 const QString &type, const QString &format, uint counter);
    //! The name of a WAVE format tag; "Unknown" for one not in the table.
    static QString audioFormatToString(uint format);
    //! The name of an audio track type (1 to 17), or a null string.
    static QString audioTypeToString(uint type);
    //! The name of a subtitle track type (1 to 17), or a null string.
    static QString subtitleTypeToString(uint type);
    /*!
        \a bytes with its unit: whole bytes, kilobytes and megabytes, then two
        decimals; truncated, never rounded ("1.99 GB" for 2047 MB). Units are
        abbreviated ("KB") or full ("KiloBytes"), up to "EB" / "ExaBytes".
    */
    static QString fileSizeToQString(quint64 bytes, bool abbreviated);

    /*!
        The extensions the player opens as movies ("avi"), or with \a wildcards as
        patterns ("*.avi"). In reference-player mode only those of the active
        device profile's versions; the lists follow a change of the active
        profile. Reference-player mode reads the profile manager: GUI thread only.
    */
    static QStringList getSupportedMovieExtensions(bool wildcards);
    //! The same, separated by single spaces.
    static QString getSupportedMovieExtensionsString(bool wildcards);
    //! Whether the suffix of \a path (after its last '.') is a movie extension, in any case.
    static bool checkMovieExtension(const QString &path);
    static QStringList getSupportedSubtitleExtensions(bool wildcards);
    static QString getSupportedSubtitleExtensionsString(bool wildcards);
    static bool checkSubtitleExtension(const QString &path);

private:
    // Runs init once per process; safe to reach first from several threads.
    static void ensureInit();
    static bool init();

    static std::atomic<bool> s_initDone; // true once init has finished
    static QMap<QString, QString> s_codePages;
    static QMap<QString, QStringList> s_codePageRegionsMap;
    static QMap<QString, QString> s_languageCodes;
    static QMap<QString, QString> s_countryCodes;
    static QMap<int, QString> s_fileSizePostfixFull;
    static QMap<int, QString> s_fileSizePostfixAbbr;
};

} // namespace Quorvex

//! Writes the text as a QString.
MAVLIBRARY_EXPORT QDataStream &operator<<(QDataStream &stream,
                                          const std::basic_string<unsigned char> &text);
MAVLIBRARY_EXPORT QDebug operator<<(QDebug debug, const std::basic_string<unsigned char> &text);
