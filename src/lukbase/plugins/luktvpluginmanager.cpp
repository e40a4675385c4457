#include "luktvpluginmanager.h"
#include "lukbaselogging_p.h"
#include "luktvpluginmanager_p.h"

#include <lucore/luplugin.h>
#include <lucore/lupluginmanager.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

LuKtvPluginManagerPrivate::LuKtvPluginManagerPrivate(LuKtvPluginManager* q)
    : q_ptr(q)
{
}

LuKtvPluginManagerPrivate::~LuKtvPluginManagerPrivate() = default;

LuKtvPluginManagerPlugin* LuKtvPluginManagerPrivate::findPlugin(int pluginId)
{
    QMutexLocker locker(&mutex);
    LuKtvPluginManagerPlugin* record = plugins.value(pluginId);
    if (record)
        record->ref();
    return record;
}

bool LuKtvPluginManagerPrivate::refusesStart(int pluginId)
{
    QMutexLocker locker(&mutex);
    if (!tearingDown)
        return false;
    locker.unlock();
    qCWarning(lcPlugins) << "plugin start refused, manager is being destroyed:" << pluginId;
    return true;
}

void LuKtvPluginManagerPrivate::warnStartFailed(int pluginId, const QString& path, const char* reason)
{
    qCWarning(lcPlugins) << "load plugin failed:" << pluginId << path << reason;
}

LuKtvPluginManagerPlugin* LuKtvPluginManagerPrivate::registerPlugin(
    int pluginId, const QString& path, const QString& arguments)
{
    // Loading may take long and runs the module's own code: never under the lock.
    LuPlugin* handle = LuPluginManager::instance()->loadPlugin(path, arguments);
    if (!handle) {
        // The loader tells the details on its own debug channel.
        warnStartFailed(pluginId, path, QFileInfo(path).isFile() ? "the loader refused the module" : "no such module");
        return nullptr;
    }

    QMutexLocker locker(&mutex);
    if (tearingDown) {
        // Another thread got past refusesStart() just before the teardown began.
        locker.unlock();
        handle->release();
        qCWarning(lcPlugins) << "plugin start refused, manager is being destroyed:" << pluginId;
        return nullptr;
    }
    LuKtvPluginManagerPlugin* record = plugins.value(pluginId);
    if (record) {
        // Another caller registered the id while this one was loading.
        record->ref();
        locker.unlock();
        handle->release();
        return record;
    }
    record = new LuKtvPluginManagerPlugin(handle);
    plugins.insert(pluginId, record);
    record->ref();
    return record;
}

QList<LuKtvPluginManagerPlugin*> LuKtvPluginManagerPrivate::takeSnapshot()
{
    QMutexLocker locker(&mutex);
    QList<LuKtvPluginManagerPlugin*> records;
    records.reserve(plugins.size());
    for (LuKtvPluginManagerPlugin* record : std::as_const(plugins)) {
        record->ref();
        records.append(record);
    }
    return records;
}

void LuKtvPluginManagerPrivate::broadcastControl(LuPlugin::ControlCode code, intptr_t first, intptr_t second)
{
    const QList<LuKtvPluginManagerPlugin*> records = takeSnapshot();
    for (LuKtvPluginManagerPlugin* record : records) {
        record->plugin->control(code, first, second);
        record->release();
    }
}

void LuKtvPluginManagerPrivate::unregisterAll()
{
    QMap<int, LuKtvPluginManagerPlugin*> registered;
    {
        QMutexLocker locker(&mutex);
        registered.swap(plugins);
        // A plug-in told to stop may start one again; nothing would ever stop or release it.
        tearingDown = true;
    }
    for (LuKtvPluginManagerPlugin* record : std::as_const(registered)) {
        record->stopRecord();
        record->release();
    }
}

bool LuKtvPluginManagerPrivate::startRegistered(LuKtvPluginManagerPlugin* record, int pluginId, const QString& path,
    LuKtvPluginHost* host, const QString& startArguments)
{
    const bool started = record->startRecord(host, startArguments);
    record->release();
    qCDebug(lcPlugins) << "plugin started:" << pluginId << path << started;
    return started;
}

LuKtvPluginManager::LuKtvPluginManager(QObject* parent)
    : QObject(parent)
    , d_ptr(new LuKtvPluginManagerPrivate(this))
{
}

LuKtvPluginManager::~LuKtvPluginManager()
{
    // Done while the manager is whole, so a plug-in may still call back into it.
    Q_D(LuKtvPluginManager);
    d->unregisterAll();
}

bool LuKtvPluginManager::start(int pluginId, LuKtvPluginHost* host, const QString& startArguments)
{
    Q_D(LuKtvPluginManager);
    if (LuKtvPluginManagerPlugin* record = d->findPlugin(pluginId)) {
        const bool started = record->startRecord(host, startArguments);
        record->release();
        return started;
    }
    if (d->refusesStart(pluginId))
        return false;

    QString moduleName;
    QString arguments;
    if (!LuKtvPluginManagerPrivate::splitStartText(pluginId, startArguments, &moduleName, &arguments))
        return false;

    const QString directory = QStringLiteral("plugins/ktv/") + QString::number(pluginId, 10);
    QDir dir(QCoreApplication::applicationDirPath());
    if (!dir.cd(directory)) {
        LuKtvPluginManagerPrivate::warnStartFailed(
            pluginId, dir.absoluteFilePath(directory), "no such plugin directory");
        return false;
    }

    const QString path = dir.absoluteFilePath(moduleName);
    LuKtvPluginManagerPlugin* record = d->registerPlugin(pluginId, path, arguments);
    if (!record)
        return false;
    return d->startRegistered(record, pluginId, path, host, startArguments);
}

void LuKtvPluginManager::stop(int pluginId)
{
    Q_D(LuKtvPluginManager);
    if (LuKtvPluginManagerPlugin* record = d->findPlugin(pluginId)) {
        record->stopRecord();
        record->release();
    }
}

bool LuKtvPluginManager::exists(int pluginId)
{
    Q_D(LuKtvPluginManager);
    LuKtvPluginManagerPlugin* record = d->findPlugin(pluginId);
    if (!record)
        return false;
    record->release();
    return true;
}

void LuKtvPluginManager::show(int pluginId)
{
    Q_D(LuKtvPluginManager);
    if (LuKtvPluginManagerPlugin* record = d->findPlugin(pluginId)) {
        record->plugin->control(LuPlugin::Visibility, LuPlugin::Show, 0);
        record->release();
    }
}

void LuKtvPluginManager::hide(int pluginId)
{
    Q_D(LuKtvPluginManager);
    if (LuKtvPluginManagerPlugin* record = d->findPlugin(pluginId)) {
        record->plugin->control(LuPlugin::Visibility, LuPlugin::Hide, 0);
        record->release();
    }
}

QList<QString> LuKtvPluginManager::pluginAppSchemes(int pluginId)
{
    Q_D(LuKtvPluginManager);
    QList<QString> schemes;
    // The array belongs to the plug-in and is read under the lock, so the record cannot go
    // away meanwhile.
    QMutexLocker locker(&d->mutex);
    LuKtvPluginManagerPlugin* record = d->plugins.value(pluginId);
    if (!record)
        return schemes;
    const char** entries = record->plugin->appSchemes();
    if (!entries)
        return schemes;
    QSet<QString> seen;
    for (; *entries; ++entries) {
        const QString scheme = QString::fromUtf8(*entries);
        if (!seen.contains(scheme)) {
            seen.insert(scheme);
            schemes.append(scheme);
        }
    }
    return schemes;
}

void LuKtvPluginManager::handleAppScheme(const QString& scheme)
{
    Q_D(LuKtvPluginManager);
    const QList<LuKtvPluginManagerPlugin*> records = d->takeSnapshot();
    if (records.isEmpty())
        return;
    const QByteArray link = scheme.toUtf8();
    for (LuKtvPluginManagerPlugin* record : records) {
        record->plugin->handleAppScheme(link.constData());
        record->release();
    }
}

void LuKtvPluginManager::handleProtocol(int type, const char* data, int length)
{
    Q_D(LuKtvPluginManager);
    const QList<LuKtvPluginManagerPlugin*> records = d->takeSnapshot();
    for (LuKtvPluginManagerPlugin* record : records) {
        record->plugin->handleProtocol(type, data, length);
        record->release();
    }
}

void LuKtvPluginManager::joinRoom()
{
    Q_D(LuKtvPluginManager);
    d->broadcastControl(LuPlugin::RoomJoined, 0, 0);
}
