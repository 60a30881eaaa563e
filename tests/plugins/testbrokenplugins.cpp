// SPDX-License-Identifier: LGPL-2.1-or-later
// Plug-in modules that load but fall short of a menu plug-in, one per definition:
// TEST_NO_FACTORY     a Qt plug-in whose root object is no plug-in factory
// TEST_NO_INTERFACE   a factory that offers no interface at all
// TEST_NO_OBJECT      a Menu interface without an object behind it
// TEST_CRASH          a factory that crashes the process that makes it
#include <MavLibrary/plugins/menuplugin.h>
#include <MavLibrary/services/pubsubhub.h>

#include <cstdlib>

namespace {

void announce(const char *what)
{
    Quorvex::PubSubHub::sendMessage(QStringLiteral("Test/") + QLatin1String(what), {});
}

} // namespace

#if defined(TEST_NO_FACTORY)
class TestPlugin : public QObject
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "com.zentrix.test.NotAFactory")

public:
    TestPlugin() { announce("created"); }
    ~TestPlugin() override { announce("destroyed"); }
};
#else
class TestPlugin : public QObject, public Kapio::PluginFactory, public Kapio::MenuInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KAPIO_PLUGIN_FACTORY_IID)
    Q_INTERFACES(Kapio::PluginFactory)

public:
    TestPlugin()
    {
#if defined(TEST_CRASH)
        std::abort();
#endif
        announce("created");
    }
    ~TestPlugin() override
    {
        announce("destroyed");
    }

    void *findInterface(const std::string &identifier) override
    {
#if defined(TEST_NO_OBJECT)
        if (identifier == Quorvex::MenuInterfaceId)
            return static_cast<Kapio::MenuInterface *>(this);
#endif
        Q_UNUSED(identifier);
        return nullptr;
    }
    QObject *qObject() override
    {
        return nullptr;
    }

public Q_SLOTS:
    void play()
    {
        announce("play");
    }
};
#endif

#include "testbrokenplugins.moc"
