// SPDX-License-Identifier: LGPL-2.1-or-later
#include <MavLibrary/MavLibrary.h>

#include <QCoreApplication>
#include <QTextStream>

namespace {

// Hears the plug-in's hub message.
class Listener : public QObject
{
    Q_OBJECT

public:
    QVariant heard;

public Q_SLOTS:
    void hear(const QString &, const QVariant &value) { heard = value; }
};

// Loads the plug-in built beside this program, calls its menu slot and unloads it.
bool runPlugin()
{
    Kapio::PluginManager manager(QStringLiteral(CONSUMER_PLUGIN_DIR));
    std::vector<Kapio::PluginInfo *> found;
    if (manager.findPlugins(Kapio::PluginInterfaceFilter(Quorvex::MenuInterfaceId), found)
        != Kapio::Success)
        return false;
    Kapio::Plugin *plugin = nullptr;
    void *menu = nullptr;
    if (manager.loadPlugin(found.front(), &plugin, Kapio::LoadIfNeeded) != Kapio::Success)
        return false;
    Listener listener;
    Quorvex::PubSubHub::listenForMessage(QStringLiteral("Consumer/"), &listener,
                                         SLOT(hear(QString, QVariant)));
    bool destroyed = false;
    if (plugin->queryInterface(Quorvex::MenuInterfaceId, &menu) == Kapio::Success) {
        QObject *object = static_cast<Kapio::MenuInterface *>(menu)->qObject();
        QObject::connect(object, &QObject::destroyed, [&destroyed] { destroyed = true; });
        QMetaObject::invokeMethod(object, "greet");
    }
    plugin->release();
    QTextStream(stdout) << "plug-in " << QString::fromStdString(found.front()->shortName()) << ": "
                        << listener.heard.toInt() << Qt::endl;
    return listener.heard.toInt() == 42 && destroyed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "MavLibrary " << Quorvex::LibraryInfo::version() << " on Qt "
                        << Quorvex::LibraryInfo::qtVersion() << Qt::endl;
    const std::wstring wide = ztds::utf8ToWide("Gr\xC3\xBC\xC3\x9F"
                                               "e");
    return wide.size() == 5 && runPlugin() ? 0 : 1;
}

#include "main.moc"
