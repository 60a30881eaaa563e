// SPDX-License-Identifier: LGPL-2.1-or-later
#include "testenvironment.h"

#include <QDir>
#include <QFile>

namespace MavTest {

namespace {

const QByteArray UnsetMark("\0unset", 6);

} // namespace

TestEnvironment::TestEnvironment()
    : m_dir(QDir::tempPath() + QStringLiteral("/mavtest-XXXXXX"))
{
    if (!m_dir.isValid())
        qFatal("TestEnvironment: cannot create a temporary folder: %s",
               qPrintable(m_dir.errorString()));

    const struct
    {
        const char *name;
        const char *relative;
    } folders[] = {
        {"HOME", ""},
        {"XDG_CONFIG_HOME", ".config"},
        {"XDG_DATA_HOME", ".local/share"},
        {"XDG_CACHE_HOME", ".cache"},
        {"XDG_STATE_HOME", ".local/state"},
        {"XDG_RUNTIME_DIR", "runtime"},
        {"XDG_CONFIG_DIRS", "etc/xdg"},
        {"XDG_DATA_DIRS", "usr/share"},
    };
    for (const auto &f : folders) {
        const QString dir = m_dir.filePath(QString::fromLatin1(f.relative));
        QDir().mkpath(dir);
        setVariable(f.name, QFile::encodeName(QDir::cleanPath(dir)));
    }
    // Qt insists on a private runtime folder.
    QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setVariable("ZENTRIX_USER_HIVE", QFile::encodeName(userHive()));
    setVariable("ZENTRIX_MACHINE_HIVE", QFile::encodeName(machineHive()));
}

TestEnvironment::~TestEnvironment()
{
    for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
        if (it->second == UnsetMark)
            qunsetenv(it->first.constData());
        else
            qputenv(it->first.constData(), it->second);
    }
}

QString TestEnvironment::userHive() const
{
    return m_dir.filePath(QStringLiteral("hives/user-hive.db"));
}

QString TestEnvironment::machineHive() const
{
    return m_dir.filePath(QStringLiteral("hives/machine-hive.db"));
}

void TestEnvironment::setVariable(const char *name, const QByteArray &value)
{
    remember(name);
    qputenv(name, value);
}

void TestEnvironment::remember(const char *name)
{
    for (const auto &saved : std::as_const(m_saved)) {
        if (saved.first == name)
            return;
    }
    m_saved.append({QByteArray(name),
                    qEnvironmentVariableIsSet(name) ? qgetenv(name) : UnsetMark});
}

QString systemMimeDataDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/mavtest-mime-XXXXXX"));
    static const bool linked = [] {
        // Readable by a child that a test runs as another user.
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7755));
        return QFile::link(QStringLiteral("/usr/share/mime"), dir.filePath(QStringLiteral("mime")));
    }();
    if (!linked)
        qFatal("systemMimeDataDir: cannot link the MIME database into %s", qPrintable(dir.path()));
    return dir.path();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace MavTest
