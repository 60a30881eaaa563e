// SPDX-License-Identifier: LGPL-2.1-or-later
// File type associations of OSUtilities.
//
// On Windows the player's ProgID goes into HKEY_CLASSES_ROOT and the Explorer's
// FileExts choices, and from Vista on the default-programs service is told too;
// the shell is then notified with SHChangeNotify. Here the two registry places
// live in the registry store: the class root is a merged view of the user hive's
// Software\Classes over the machine hive's, written to the user hive only, and
// the user choices keep their Windows path in the user hive. The default-programs
// service becomes the MIME applications files (mimeapps.cpp). Nothing here needs
// a shell notification: desktops read mimeapps.list when they open a file.
#include "filetypes_p.h"
#include "mimeapps_p.h"
#include "oslogging_p.h"
#include "osutilities.h"
#include "settings/registry_p.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>

#include <algorithm>

namespace Quorvex {

namespace FileTypes {

namespace {

namespace reg = ztds::registry;

const std::wstring ClassesPath = L"Software\\Classes\\";
const std::wstring ChoicesPath =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
// Value names; the class root's handler is the key's default (unnamed) value.
const std::wstring DefaultValue;
const std::wstring PerceivedType = L"PerceivedType";
const std::wstring Backup = L"Zentrix.backup";
const std::wstring DefaultAppBackup = L"Zentrix.AAR.backup";
const std::wstring ProgId = L"Progid";

struct Stored
{
    bool exists = false;
    QString text; // empty for a value that is not text
};

Stored read(reg::Key &key, const std::wstring &name)
{
    std::uint32_t type = reg::RegNone;
    std::string data;
    if (!key.queryValue(name, type, data))
        return {};
    if (type != reg::RegSz && type != reg::RegExpandSz)
        return {true, QString()};
    return {true, QString::fromStdWString(reg::regSzToWide(data))};
}

bool sameProgId(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0; // ProgIDs are registry key names
}

/*!
    The registry side of one extension: reads see the store as it is; writes are
    collected, to be applied later in one transaction.
*/
class RegistryEntry
{
public:
    enum Place { ClassRoot, UserChoices };

    explicit RegistryEntry(const QString &extension)
        : m_classPath(ClassesPath + extension.toStdWString())
        , m_choicesPath(ChoicesPath + extension.toStdWString())
        , m_userClass(reg::lookupKey(reg::Hive::CurrentUser, m_classPath))
        , m_machineClass(reg::lookupKey(reg::Hive::LocalMachine, m_classPath))
        , m_choices(reg::lookupKey(reg::Hive::CurrentUser, m_choicesPath))
    { }

    //! The class root is the merged view: the user's value, else the machine's.
    Stored value(Place place, const std::wstring &name) const
    {
        if (place == UserChoices)
            return read(*m_choices, name);
        const Stored user = read(*m_userClass, name);
        return user.exists ? user : read(*m_machineClass, name);
    }
    void set(Place place, const std::wstring &name, const QString &text)
    {
        std::uint32_t type = reg::RegNone;
        std::string data;
        const std::string wanted = reg::wideToRegSz(text.toStdWString());
        if (userKey(place).queryValue(name, type, data) && type == reg::RegSz && data == wanted)
            return;
        bool &created = place == ClassRoot ? m_classCreated : m_choicesCreated;
        if (!created) {
            m_operations.push_back(operation(reg::Operation::CreateKey, path(place)));
            created = true;
        }
        reg::Operation op = operation(reg::Operation::SetValue, path(place), name);
        op.type = reg::RegSz;
        op.data = wanted;
        m_operations.push_back(std::move(op));
    }
    //! Only the user hive's value can go; a machine value stays visible below it.
    void remove(Place place, const std::wstring &name)
    {
        if (read(userKey(place), name).exists)
            m_operations.push_back(operation(reg::Operation::DeleteValue, path(place), name));
    }

    std::vector<reg::Operation> &operations() { return m_operations; }

private:
    static reg::Operation operation(reg::Operation::Kind kind, const std::wstring &path,
                                    const std::wstring &name = std::wstring())
    {
        reg::Operation op;
        op.kind = kind;
        op.path = path;
        op.name = name;
        return op; // the user hive: the only one written here
    }
    const std::wstring &path(Place place) const
    {
        return place == ClassRoot ? m_classPath : m_choicesPath;
    }
    reg::Key &userKey(Place place) const { return place == ClassRoot ? *m_userClass : *m_choices; }

    std::wstring m_classPath;
    std::wstring m_choicesPath;
    std::unique_ptr<reg::Key> m_userClass;
    std::unique_ptr<reg::Key> m_machineClass;
    std::unique_ptr<reg::Key> m_choices;
    bool m_classCreated = false;
    bool m_choicesCreated = false;
    std::vector<reg::Operation> m_operations;
};

QString association(const QString &extension)
{
    if (!isValidExtension(extension))
        return QString();
    const RegistryEntry entry(extension);
    const QString choice = entry.value(RegistryEntry::UserChoices, ProgId).text;
    return choice.isEmpty() ? entry.value(RegistryEntry::ClassRoot, DefaultValue).text : choice;
}

/*
    The default-programs step: the player's desktop entry goes first in the
    user's [Default Applications] entry of the type, and the application that
    was the effective default is kept in "Zentrix.AAR.backup". Giving back takes
    the player out of that entry only when it leads it, so another program's
    choice made since is left alone; the backup goes first again when it would
    not be the default otherwise.
*/
void changeDefaultApplication(MimeApps::Associations &apps, RegistryEntry &entry,
                              const QString &mimeType, bool take)
{
    const QString group = QLatin1String(MimeApps::DefaultGroup);
    const QString player = MimeApps::Associations::playerDesktopId();
    MimeApps::KeyFile &list = apps.userList();
    QStringList ids = list.list(group, mimeType);
    if (take) {
        const QString current = apps.effectiveDefault(mimeType);
        if (current != player && apps.clients(mimeType).contains(current))
            entry.set(RegistryEntry::UserChoices, DefaultAppBackup, current);
        ids.removeAll(player);
        ids.prepend(player);
        list.setList(group, mimeType, ids);
        return;
    }
    if (ids.value(0) != player)
        return;
    ids.removeAll(player);
    list.setList(group, mimeType, ids);
    const QString backup = entry.value(RegistryEntry::UserChoices, DefaultAppBackup).text;
    if (!backup.isEmpty() && apps.isInstalled(backup)
        && apps.effectiveDefault(mimeType) != backup) {
        ids.removeAll(backup);
        ids.prepend(backup);
        list.setList(group, mimeType, ids);
    }
}

/*!
    One call's changes. Each extension's changes are collected, then written
    together: the user's mimeapps.list first (one atomic replacement), then the
    store (one transaction). When either fails, the file is put back and every
    extension of the group is left as it was. A group is written early when an
    extension names a key that it already changes (".AVI" after ".avi"), so that
    each extension reads what the one before wrote.
*/
class Changes
{
public:
    QStringList errors;

    void add(const QString &extension, bool take)
    {
        if (!isValidExtension(extension)) {
            errors.append(extension + QStringLiteral(": not a file name extension"));
            return;
        }
        if (m_folded.contains(extension.toCaseFolded()))
            write();
        RegistryEntry entry(extension);
        QString error;
        if (!prepare(entry, extension, take, &error)) {
            errors.append(extension + QStringLiteral(": ") + error);
            return;
        }
        auto &operations = entry.operations();
        m_operations.insert(m_operations.end(), std::make_move_iterator(operations.begin()),
                            std::make_move_iterator(operations.end()));
        m_extensions.append(extension);
        m_folded.insert(extension.toCaseFolded());
    }

    void write()
    {
        QString error;
        if (!writeGroup(&error)) {
            for (const QString &extension : std::as_const(m_extensions))
                errors.append(extension + QStringLiteral(": ") + error);
            if (m_loaded)
                m_apps.userList().parse(m_written);
        } else if (m_loaded) {
            m_written = m_apps.userList().toByteArray();
            m_fileExists = m_fileExists || m_fileChanged;
        }
        m_operations.clear();
        m_extensions.clear();
        m_folded.clear();
    }

private:
    bool prepare(RegistryEntry &entry, const QString &extension, bool take, QString *error);
    bool loadUserFile(QString *error);
    bool writeGroup(QString *error);

    MimeApps::Associations m_apps;
    bool m_triedLoading = false;
    bool m_loaded = false;
    QString m_loadError;
    bool m_fileExists = false;
    QByteArray m_written; // the user's file as it is on disk
    bool m_fileChanged = false;
    std::vector<reg::Operation> m_operations;
    QStringList m_extensions;
    QSet<QString> m_folded;
};

bool Changes::loadUserFile(QString *error)
{
    if (!m_triedLoading) {
        m_triedLoading = true;
        m_fileExists = QFileInfo::exists(m_apps.userFile());
        m_loaded = m_apps.loadUserFile(&m_loadError);
        if (m_loaded)
            m_written = m_apps.userList().toByteArray();
    }
    if (!m_loaded)
        *error = m_loadError;
    return m_loaded;
}

bool Changes::prepare(RegistryEntry &entry, const QString &extension, bool take, QString *error)
{
    const QString player = progId(extension);
    if (!entry.value(RegistryEntry::ClassRoot, PerceivedType).exists)
        entry.set(RegistryEntry::ClassRoot, PerceivedType, QStringLiteral("video"));

    const QString mimeType = mimeTypeForExtension(extension);
    if (!mimeType.isEmpty()) {
        if (!loadUserFile(error))
            return false;
        changeDefaultApplication(m_apps, entry, mimeType, take);
    }
    if (!take) {
        entry.remove(RegistryEntry::UserChoices, DefaultAppBackup);
        entry.remove(RegistryEntry::ClassRoot, DefaultAppBackup); // an older version kept it there
    }

    // The handler's value in each place, with its backup beside it. Without a
    // backup, giving back removes only the player's own value.
    for (const auto &[place, handler] : {std::pair {RegistryEntry::ClassRoot, DefaultValue},
                                         std::pair {RegistryEntry::UserChoices, ProgId}}) {
        const Stored current = entry.value(place, handler);
        if (take) {
            if (!current.text.isEmpty() && !sameProgId(current.text, player))
                entry.set(place, Backup, current.text);
            entry.set(place, handler, player);
        } else if (const Stored backup = entry.value(place, Backup); backup.exists) {
            entry.set(place, handler, backup.text);
            entry.remove(place, Backup);
        } else if (sameProgId(current.text, player)) {
            entry.remove(place, handler);
        }
    }
    return true;
}

bool Changes::writeGroup(QString *error)
{
    const QByteArray file = m_loaded ? m_apps.userList().toByteArray() : m_written;
    m_fileChanged = file != m_written;
    if (m_fileChanged && !m_apps.saveUserFile(file, error))
        return false;
    std::string why;
    if (m_operations.empty() || reg::applyBatch(m_operations, &why))
        return true;
    *error = QString::fromStdString(why);
    if (m_fileChanged) {
        QString restoreError;
        const bool restored = m_fileExists ? m_apps.saveUserFile(m_written, &restoreError)
                                           : m_apps.removeUserFile(&restoreError);
        if (!restored)
            *error += QStringLiteral("; ") + restoreError;
    }
    return false;
}

} // namespace

QString progId(const QString &extension)
{
    return QStringLiteral("zentrix_") + extension.mid(1) + QStringLiteral("_file");
}

bool isValidExtension(const QString &extension)
{
    if (extension.size() < 2 || extension.size() > qsizetype(reg::MaxKeyNameLength)
        || extension.front() != QLatin1Char('.'))
        return false;
    // A plain extension only: "..", "*", "avi;mkv" or "avi mkv" would each be
    // stored as a key that no file name ever matches.
    return std::all_of(extension.begin() + 1, extension.end(), [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-')
            || c == QLatin1Char('_');
    });
}

QString mimeTypeForExtension(const QString &extension)
{
    if (!isValidExtension(extension))
        return QString();
    const QList<QMimeType> types =
        QMimeDatabase().mimeTypesForFileName(QStringLiteral("x") + extension);
    // Some extensions are shared (".ts": Qt Linguist and MPEG transport stream);
    // a video player means the video, or else the sound.
    for (const QLatin1String prefix : {QLatin1String("video/"), QLatin1String("audio/")}) {
        for (const QMimeType &type : types) {
            if (type.name().startsWith(prefix))
                return type.name();
        }
    }
    return types.isEmpty() ? QString() : types.constFirst().name();
}

State state(const QString &extension)
{
    State state;
    if (!isValidExtension(extension))
        return state;
    const RegistryEntry entry(extension);
    state.association = association(extension);
    state.classDefault = entry.value(RegistryEntry::ClassRoot, DefaultValue).text;
    state.classBackup = entry.value(RegistryEntry::ClassRoot, Backup).text;
    state.userChoice = entry.value(RegistryEntry::UserChoices, ProgId).text;
    state.userBackup = entry.value(RegistryEntry::UserChoices, Backup).text;
    state.defaultAppBackup = entry.value(RegistryEntry::UserChoices, DefaultAppBackup).text;
    state.mimeType = mimeTypeForExtension(extension);
    if (!state.mimeType.isEmpty()) {
        MimeApps::Associations apps;
        QString error;
        if (!apps.loadUserFile(&error))
            qCDebug(lcOs) << error;
        state.effectiveDefault = apps.effectiveDefault(state.mimeType);
    }
    return state;
}

bool apply(const QMap<QString, bool> &wanted, QStringList *errors)
{
    Changes changes;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        changes.add(it.key(), it.value());
    changes.write();
    if (errors)
        *errors = changes.errors;
    return changes.errors.isEmpty();
}

} // namespace FileTypes

bool OSUtilities::getFileTypeAssociations(const QStringList &extensions,
                                          QMap<QString, QString> &associations)
{
    for (const QString &extension : extensions)
        associations[extension] = FileTypes::association(extension);
    return true;
}

bool OSUtilities::setFileTypeAssociations(const QMap<QString, bool> &wanted)
{
    QStringList errors;
    if (FileTypes::apply(wanted, &errors))
        return true;
    for (const QString &error : std::as_const(errors))
        qCWarning(lcOs).noquote() << "file type association left unchanged:" << error;
    return false;
}

} // namespace Quorvex
