#include "lupluginmanager.h"
#include "lucorelogging_p.h"
#include "luplugin.h"

#include <QFileInfo>
#include <QLibrary>
#include <QMutex>

namespace {
// QLibrary's own reference counting keeps a module loaded as long as one QLibrary holds
// it; the loader never unloads, so handles outlive any bookkeeping here.
QMutex loaderMutex;
} // namespace

LuPluginManager::LuPluginManager() = default;

LuPluginManager::~LuPluginManager() = default;

LuPluginManager* LuPluginManager::instance()
{
    static LuPluginManager manager;
    return &manager;
}

LuPlugin* LuPluginManager::loadPlugin(const QString& path, const QString& arguments)
{
    if (!QFileInfo(path).isFile()) {
        qCDebug(lcCorePlugins) << "plugin module not found:" << path;
        return nullptr;
    }

    QMutexLocker locker(&loaderMutex);
    QLibrary library(path);
    if (!library.load()) {
        qCDebug(lcCorePlugins) << "plugin module does not load:" << path << library.errorString();
        return nullptr;
    }
    auto create = reinterpret_cast<LuCreatePluginFunction>(library.resolve("luCreatePlugin"));
    if (!create) {
        qCDebug(lcCorePlugins) << "plugin module has no luCreatePlugin:" << path << library.errorString();
        return nullptr;
    }
    locker.unlock();

    const QByteArray utf8 = arguments.toUtf8();
    LuPlugin* plugin = create(utf8.constData());
    if (!plugin)
        qCDebug(lcCorePlugins) << "plugin module refused to create a handle:" << path;
    return plugin;
}
