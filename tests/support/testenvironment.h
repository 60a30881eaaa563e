// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

namespace MavTest {

/*!
    Points HOME, every XDG_* variable and both settings hives at a fresh temporary
    folder for as long as it lives, and restores the previous values afterwards.
    Create one in each test case's init() and drop it in cleanup(), so that no two
    cases share state and none touches the real user's files.
*/
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment &) = delete;
    TestEnvironment &operator=(const TestEnvironment &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    //! The temporary folder; also HOME.
    QString root() const { return m_dir.path(); }
    //! A path below the temporary folder.
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    QString userHive() const;
    QString machineHive() const;

    //! Sets a variable for the rest of this environment's life; restored with the others.
    void setVariable(const char *name, const QByteArray &value);

private:
    void remember(const char *name);

    QTemporaryDir m_dir;
    QList<QPair<QByteArray, QByteArray>> m_saved; // name, value ("\0" prefix: was unset)
};

/*!
    A folder that lives as long as the process and holds only "mime", a link to
    the system's MIME database. Put it last in XDG_DATA_DIRS so that
    QMimeDatabase knows the types while no desktop entry of the machine is seen.
*/
QString systemMimeDataDir();

//! Writes \a bytes to the file at \a path, replacing it; false on any failure.
bool writeFile(const QString &path, const QByteArray &bytes);
//! The whole file at \a path; empty when it cannot be read.
QByteArray readFile(const QString &path);

} // namespace MavTest
