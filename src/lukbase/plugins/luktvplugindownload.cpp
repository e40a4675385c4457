#include "lukbaselogging_p.h"
#include "luktvpluginmanager.h"
#include "luktvpluginmanager_p.h"

#include <lukbase/lukbase.h>

#include <QDir>

bool LuKtvPluginManager::start(int pluginId, int requiredVersion, const QString& pluginName, const QString& updateUrl,
    LuKtvPluginHost* host, const QString& startArguments, bool silent)
{
    Q_D(LuKtvPluginManager);
    if (LuKtvPluginManagerPlugin* record = d->findPlugin(pluginId)) {
        const bool started = record->startRecord(host, startArguments);
        record->release();
        return started;
    }
    if (d->refusesStart(pluginId))
        return false;

    // A QDir on a null path would be the current directory, where nothing of ours belongs.
    const QString pluginsPath = LuKBase::pluginsDirectory();
    if (pluginsPath.isNull()) {
        LuKtvPluginManagerPrivate::warnStartFailed(pluginId, pluginsPath, "no plugins directory");
        return false;
    }
    QDir dir(pluginsPath);
    const QString idText = QString::number(pluginId, 10);
    if (!dir.cd(idText)) {
        if (!dir.mkdir(idText)) {
            qCWarning(lcPlugins) << "can not make plugin dir:" << pluginsPath << idText;
            return false;
        }
        if (!dir.cd(idText)) {
            qCWarning(lcPlugins) << "can not cd to plugin dir:" << pluginsPath << idText;
            return false;
        }
    }

    const int installedVersion
        = LuKtvPluginManagerPrivate::readPluginVersion(dir.absoluteFilePath(QStringLiteral("version.xml")));
    if (installedVersion < requiredVersion) {
        Q_EMIT downloadPlugin(pluginId, pluginName, dir.absolutePath(), updateUrl, silent);
        return false;
    }

    QString moduleName;
    QString arguments;
    if (!LuKtvPluginManagerPrivate::splitStartText(pluginId, startArguments, &moduleName, &arguments))
        return false;

    const QString path = dir.absoluteFilePath(moduleName);
    LuKtvPluginManagerPlugin* record = d->registerPlugin(pluginId, path, arguments);
    if (!record)
        return false;
    return d->startRegistered(record, pluginId, path, host, startArguments);
}
