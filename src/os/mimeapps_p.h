// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

// The freedesktop.org MIME applications files: what Windows keeps behind its
// default-programs service (IApplicationAssociationRegistration) is here the
// mimeapps.list files of the XDG folders and the desktop entries that declare
// the types they open. Internal, never installed.

#include "mavlibrary_internal_p.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace Quorvex::MimeApps {

//! The group of mimeapps.list that names the default application of a type.
inline constexpr char DefaultGroup[] = "Default Applications";

/*!
    A file in the desktop-entry syntax (mimeapps.list, *.desktop) kept line by
    line, so that one entry can be changed and every other line, group, comment
    and the order written back byte for byte. Keys compare without regard to
    case (MIME types do); the first entry of a key counts.
*/
class MAVLIBRARY_INTERNAL_EXPORT KeyFile
{
public:
    /*!
        False when \a data is not such a file: not UTF-8 text, a NUL byte, an
        entry before the first group, or a line that is neither a group, an
        entry nor a comment. \a error then names the line.
    */
    bool parse(const QByteArray &data, QString *error = nullptr);
    QString value(const QString &group, const QString &key) const;
    //! A semicolon-separated value, its items trimmed, empty items dropped.
    QStringList list(const QString &group, const QString &key) const;
    //! Replaces the value (or, for an empty \a items, removes the entry), and
    //! removes repeats of the entry; a new entry goes after the last entry of
    //! the group, a new group at the end.
    void setList(const QString &group, const QString &key, const QStringList &items);
    QByteArray toByteArray() const;

private:
    struct Line
    {
        QByteArray text;
        int group = -1; // index into m_groups; -1 before the first group
        QString key; // empty unless the line is an entry
        bool header = false;
    };
    qsizetype find(const QString &group, const QString &key, qsizetype from = 0) const;

    QList<Line> m_lines;
    QStringList m_groups; // in order of appearance, repeats included
    bool m_finalNewline = true;
};

/*!
    The MIME applications files and desktop entries of the XDG folders as the
    environment names them when the object is made. The user's mimeapps.list is
    held in memory, changed there and saved explicitly; every other file is read
    once, when first needed. One thread at a time; no locks.
*/
class Associations
{
public:
    //! The player's desktop entry.
    static QString playerDesktopId();

    Associations();
    ~Associations();
    Associations(const Associations &) = delete;
    Associations &operator=(const Associations &) = delete;

    //! $XDG_CONFIG_HOME/mimeapps.list, the one file this library writes.
    QString userFile() const { return m_userFile; }
    /*!
        Reads the user's file into memory (a missing file reads as empty). False
        with a reason when it cannot be read, is not a regular file, or is not
        understood; it is then never written.
    */
    bool loadUserFile(QString *error);
    //! The user's file as held in memory; valid after loadUserFile() succeeded.
    KeyFile &userList() { return m_user; }
    /*!
        Writes \a data as the user's file atomically, creating its folder. False
        with a reason on any failure, the file then being as it was.
    */
    bool saveUserFile(const QByteArray &data, QString *error);
    bool removeUserFile(QString *error);

    //! Desktop entries that are installed (found, not Hidden) and list \a mimeType.
    QStringList clients(const QString &mimeType);
    bool isInstalled(const QString &desktopId);
    //! The desktop entry that opens \a mimeType, with the user's file as held in memory.
    QString effectiveDefault(const QString &mimeType);

private:
    struct ListFile
    {
        QString path;
        bool desktopSpecific = false;
        bool user = false;
        bool read = false;
        std::unique_ptr<KeyFile> content; // null when missing or not understood
    };
    struct DesktopEntry
    {
        bool hidden = false;
        QStringList mimeTypes;
    };
    void scanApplications();
    void scanFolder(const QString &root, const QString &folder, int depth);
    const KeyFile *listFile(ListFile &file);

    QString m_userFile;
    KeyFile m_user;
    bool m_userLoaded = false;
    std::vector<ListFile> m_listFiles;
    QStringList m_dataDirs; // $XDG_DATA_HOME first
    bool m_scanned = false;
    QStringList m_entryOrder; // desktop ids in order of precedence
    QHash<QString, DesktopEntry> m_entries;
};

} // namespace Quorvex::MimeApps
