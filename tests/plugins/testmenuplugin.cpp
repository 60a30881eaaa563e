// SPDX-License-Identifier: LGPL-2.1-or-later
// A menu plug-in for the tests: it announces its creation, destruction and every
// slot call as a hub message "Test/<what>", so a test sees what ran.
#include <MavLibrary/plugins/menuplugin.h>
#include <MavLibrary/services/pubsubhub.h>

#include <QAction>
#include <QFileInfo>

#include <dlfcn.h>

class TestMenuPlugin : public Kapio::MenuPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)

public:
    TestMenuPlugin()
    {
        announce("created");
        connect(this, &TestMenuPlugin::requested, this, [] { announce("requested"); });
    }
    ~TestMenuPlugin() override { announce("destroyed"); }

Q_SIGNALS:
    void requested();

public Q_SLOTS:
    void play() { announce("play"); }
    void toggle(bool checked) { announce("toggle", checked); }
    void select(QAction *action) { announce("select", action->data()); }
    //! Says which copy of the module heard it: "seen/<module file name>".
    void seen(QAction *action)
    {
        Dl_info info {};
        dladdr(reinterpret_cast<void *>(&announce), &info);
        announce(qPrintable(QStringLiteral("seen/") + QFileInfo(info.dli_fname).baseName()),
                 action->data());
    }

private:
    static void announce(const char *what, const QVariant &value = {})
    {
        Quorvex::PubSubHub::sendMessage(QStringLiteral("Test/") + QLatin1String(what), value);
    }
};

#include "testmenuplugin.moc"
