// SPDX-License-Identifier: LGPL-2.1-or-later
#include "pluginmanager.h"
#include "pluginslogging_p.h"
#include "propertydocument_p.h"

#include <QDir>
#include <QFile>
#include <QPluginLoader>
#include <QPointer>
#include <QStandardPaths>
#include <QUtf8StringView>

#include <dirent.h>

#include <algorithm>
#include <map>

namespace Kapio {

namespace {

constexpr QLatin1StringView ModuleSuffix(".so");
constexpr QLatin1StringView DocumentSuffix(".xml");

QString fromStd(const std::string &text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

class LoadedPlugin;

class PluginManagerPrivate
{
public:
    void scan(const QStringList &folders);
    void listUnnamable(const QString &folder);
    void readDocument(PluginInfo &info);
    void unload(LoadedPlugin *plugin);

    std::vector<std::unique_ptr<PluginInfo>> infos;
    std::map<const PluginInfo *, LoadedPlugin *> loaded;
    std::map<const PluginInfo *, std::string> loadErrors;
};

// One loaded module and the references held on it.
class LoadedPlugin final : public Plugin
{
public:
    LoadedPlugin(PluginManagerPrivate *manager, PluginInfo *info,
                 std::unique_ptr<QPluginLoader> loader, QObject *root)
        : manager(manager)
        , pluginInfo(info)
        , loader(std::move(loader))
        , root(root)
    { }

    void release() override
    {
        if (--references == 0)
            manager->unload(this);
    }
    PluginInfo *info() const override { return pluginInfo; }
    int queryInterface(const std::string &identifier, void **out) override
    {
        auto *factory = qobject_cast<PluginFactory *>(root.data());
        void *found = factory ? factory->findInterface(identifier) : nullptr;
        if (!found)
            return NotFound;
        if (out)
            *out = found;
        return Success;
    }
    void addRef() override { ++references; }

    PluginManagerPrivate *manager;
    PluginInfo *pluginInfo;
    std::unique_ptr<QPluginLoader> loader;
    QPointer<QObject> root;
    int references = 1;
};

void PluginManagerPrivate::scan(const QStringList &folders)
{
    std::map<std::string, QString> seen; // name -> folder
    for (const QString &folder : folders) {
        const QDir dir(folder);
        if (!dir.exists()) {
            qCWarning(lcPlugins) << "plug-in folder" << folder << "does not exist";
            continue;
        }
        const QFileInfoList modules = dir.entryInfoList({QStringLiteral("*") + ModuleSuffix},
                                                        QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo &module : modules) {
            auto info = std::make_unique<PluginInfo>();
            const QString name = module.fileName().chopped(ModuleSuffix.size());
            info->name = name.toStdString();
            info->modulePath = QFile::encodeName(module.absoluteFilePath()).toStdString();
            info->propertiesPath =
                QFile::encodeName(dir.absoluteFilePath(name + DocumentSuffix)).toStdString();
            if (const auto earlier = seen.find(info->name); earlier != seen.end())
                info->error =
                    "a plug-in of this name was found first in " + earlier->second.toStdString();
            else
                readDocument(*info);
            seen.emplace(info->name, folder);
            if (!info->error.empty())
                qCWarning(lcPlugins).noquote() << "skipping plug-in" << module.absoluteFilePath()
                                               << "-" << fromStd(info->error);
            infos.push_back(std::move(info));
        }
        listUnnamable(folder);
    }
}

// Qt names files in UTF-8 and does not list a module whose name is not: it
// could never be loaded, but it is listed with the reason rather than unseen.
void PluginManagerPrivate::listUnnamable(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = opendir(path.constData());
    if (!dir)
        return;
    std::vector<QByteArray> names;
    while (const dirent *entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.endsWith(ModuleSuffix.data()) && !QUtf8StringView(name).isValidUtf8())
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (const QByteArray &name : names) {
        auto info = std::make_unique<PluginInfo>();
        info->name = name.chopped(ModuleSuffix.size()).toStdString();
        info->modulePath = (path + '/' + name).toStdString();
        info->propertiesPath =
            (path + '/' + name.chopped(ModuleSuffix.size()) + ".xml").toStdString();
        info->error = "the file name is not UTF-8";
        qCWarning(lcPlugins).noquote() << "skipping plug-in" << QString::fromUtf8(name) << "in"
                                       << folder << "-" << fromStd(info->error);
        infos.push_back(std::move(info));
    }
}

void PluginManagerPrivate::readDocument(PluginInfo &info)
{
    QFile file(QFile::decodeName(QByteArray::fromStdString(info.propertiesPath)));
    const QFileInfo about(file);
    if (!about.exists()) {
        info.error = "no property document " + file.fileName().toStdString();
        return;
    }
    // Never opened otherwise: a pipe or device would block the scan.
    if (!about.isFile()) {
        info.error = file.fileName().toStdString() + " is not a regular file";
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        info.error = "cannot read " + file.fileName().toStdString() + ": "
            + file.errorString().toStdString();
        return;
    }
    const QByteArray text = file.read(PropertyDocument::MaximumSize + 1);
    PropertyDocument::ParseResult parsed = PropertyDocument::parse(text);
    if (!parsed.document) {
        info.error = "property document: " + parsed.error;
        return;
    }
    info.properties = text.toStdString();
    info.document = parsed.document;
    for (std::string &interface :
         PropertyDocument::lookup(info.document, PropertyInterfaces, false)) {
        const QByteArray trimmed = QByteArray::fromStdString(interface).trimmed();
        if (!trimmed.isEmpty())
            info.interfaces.push_back(trimmed.toStdString());
    }
}

void PluginManagerPrivate::unload(LoadedPlugin *plugin)
{
    // Forgotten first: whatever the destruction of the root object triggers may
    // load the plug-in afresh.
    loaded.erase(plugin->pluginInfo);
    std::unique_ptr<LoadedPlugin> owned(plugin);
    // Deletes the root object, which emits destroyed(QObject*), then the module.
    plugin->loader->unload();
}

PluginManager::PluginManager(const QString &folder)
    : PluginManager(QStringList {folder})
{ }

PluginManager::PluginManager(const QStringList &folders)
    : d(std::make_unique<PluginManagerPrivate>())
{
    d->scan(folders);
}

PluginManager::~PluginManager()
{
    while (!d->loaded.empty())
        d->unload(d->loaded.begin()->second);
}

int PluginManager::loadPlugin(PluginInfo *info, Plugin **out, int flags)
{
    if (!info || !out || !info->error.empty()
        || std::none_of(d->infos.begin(), d->infos.end(),
                        [info](const auto &own) { return own.get() == info; }))
        return NotFound;
    if (const auto found = d->loaded.find(info); found != d->loaded.end()) {
        found->second->addRef();
        *out = found->second;
        return Success;
    }
    if (!(flags & LoadIfNeeded))
        return NotFound;

    const QString path = QFile::decodeName(QByteArray::fromStdString(info->modulePath));
    auto loader = std::make_unique<QPluginLoader>(path);
    // QPluginLoader keeps modules in memory for good unless told otherwise.
    loader->setLoadHints(QLibrary::LoadHints());
    const auto fail = [&](const QString &reason) {
        d->loadErrors[info] = reason.toStdString();
        qCWarning(lcPlugins).noquote() << "cannot load plug-in" << path << "-" << reason;
        return Failure;
    };
    if (!loader->load())
        return fail(loader->errorString());
    QObject *root = loader->instance();
    if (!qobject_cast<PluginFactory *>(root)) {
        loader->unload();
        return fail(root ? QStringLiteral("its root object does not implement ")
                            + QLatin1StringView(KAPIO_PLUGIN_FACTORY_IID)
                         : loader->errorString());
    }
    d->loadErrors.erase(info);
    auto *plugin = new LoadedPlugin(d.get(), info, std::move(loader), root);
    d->loaded.emplace(info, plugin);
    *out = plugin;
    return Success;
}

std::vector<PluginInfo *> PluginManager::plugins() const
{
    std::vector<PluginInfo *> usable;
    for (const auto &info : d->infos) {
        if (info->error.empty())
            usable.push_back(info.get());
    }
    return usable;
}

int PluginManager::referenceCount(const PluginInfo *info) const
{
    const auto found = d->loaded.find(info);
    return found == d->loaded.end() ? 0 : found->second->references;
}

std::string PluginManager::errorString(const PluginInfo *info) const
{
    if (info && !info->error.empty())
        return info->error;
    const auto found = d->loadErrors.find(info);
    return found == d->loadErrors.end() ? std::string() : found->second;
}

QStringList PluginManager::playerFolders(const QString &installed, const QStringList &extra)
{
    QStringList folders {installed};
    // Only an existing one: most users have none, and a missing folder is warned about.
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/zentrix-player/plugins");
    if (QFileInfo(user).isDir())
        folders.append(user);
    folders +=
        qEnvironmentVariable("ZENTRIX_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return folders + extra;
}

std::vector<PluginInfo *> PluginManager::candidates() const
{
    std::vector<PluginInfo *> all;
    for (const auto &info : d->infos)
        all.push_back(info.get());
    return all;
}

} // namespace Kapio
