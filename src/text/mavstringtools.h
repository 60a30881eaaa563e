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
    code pages, languages, countries and file-size units.

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
