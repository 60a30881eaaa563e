// SPDX-License-Identifier: LGPL-2.1-or-later
#pragma once

#include <MavLibrary/services/pubsubhub.h>

#include <QDir>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QVariant>

namespace MavTest {

//! A built module: a test plug-in ("testmenuplugin", "testnofactory",
//! "testnointerface", "testnoobject", "notaplugin") or a sample ("sampleview").
inline QString builtModule(const QString &name)
{
    const QString dir = name.startsWith(QLatin1String("sample"))
        ? QStringLiteral(MAVTEST_SAMPLES_DIR)
        : QStringLiteral(MAVTEST_MODULES_DIR);
    return dir + QLatin1Char('/') + name + QStringLiteral(".so");
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

//! A property document of a menu plug-in; \a quorvex is its <quorvex> element
//! (or whatever else the case puts after <plugin>).
inline QByteArray menuDocument(const QString &quorvex)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<properties>\n"
                          "<plugin><interfaces><interface>com.zentrix.quorvex.pluginInterface.Menu"
                          "</interface></interfaces></plugin>\n%1\n</properties>\n")
        .arg(quorvex)
        .toUtf8();
}

/*!
    A folder of plug-ins for one test case: built modules copied under the names
    the case gives them, each with the property document the case writes.
*/
class PluginFolder
{
public:
    explicit PluginFolder(const QString &path)
        : m_path(path)
    {
        QDir().mkpath(path);
    }

    QString path() const { return m_path; }
    QString file(const QString &name) const { return m_path + QLatin1Char('/') + name; }

    //! Adds plug-in \a name, a copy of the built \a module, with \a document
    //! (none when null).
    bool add(const QString &name, const QString &module, const QByteArray &document)
    {
        if (!QFile::copy(builtModule(module), file(name + QStringLiteral(".so"))))
            return false;
        if (document.isNull())
            return true;
        QFile out(file(name + QStringLiteral(".xml")));
        return out.open(QIODevice::WriteOnly) && out.write(document) == document.size();
    }

    //! Adds the sample plug-in \a sample as it was built, with its own document.
    bool addSample(const QString &sample)
    {
        return add(
            sample, sample,
            readFile(QStringLiteral(MAVTEST_SAMPLES_DIR "/") + sample + QStringLiteral(".xml")));
    }

private:
    QString m_path;
};

//! Records the hub messages below "Test/" that the test plug-ins send, as
//! "what" or "what:value".
class HubRecorder : public QObject
{
    Q_OBJECT

public:
    HubRecorder()
    {
        Quorvex::PubSubHub::listenForMessage(QStringLiteral("Test/"), this,
                                             SLOT(record(QString, QVariant)));
    }
    QStringList take() { return std::exchange(m_messages, {}); }

public Q_SLOTS:
    void record(const QString &message, const QVariant &value)
    {
        const QString what = message.mid(5);
        m_messages << (value.isValid() ? what + QLatin1Char(':') + value.toString() : what);
    }

private:
    QStringList m_messages;
};

} // namespace MavTest
