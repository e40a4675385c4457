#ifndef LUKBASE_LUKTVPLUGINMANAGER_P_H
#define LUKBASE_LUKTVPLUGINMANAGER_P_H

#include "luktvpluginmanager.h"
#include "luktvpluginmanagerplugin_p.h"

#include <lucore/luplugin.h>

#include <QList>
#include <QMap>
#include <QMutex>

class LuKtvPluginManagerPrivate
{
    Q_DECLARE_PUBLIC(LuKtvPluginManager)

public:
    explicit LuKtvPluginManagerPrivate(LuKtvPluginManager* q);
    ~LuKtvPluginManagerPrivate();

    static LuKtvPluginManagerPrivate* get(LuKtvPluginManager* manager) { return manager->d_func(); }

    // Says why a start of pluginId failed. Every failed start warns once, with the id and the
    // reason, here or with a warning of its own.
    static void warnStartFailed(int pluginId, const QString& path, const char* reason);
    // The record of pluginId with one reference taken for the caller, or null.
    LuKtvPluginManagerPlugin* findPlugin(int pluginId);
    // True, with a warning, once the manager's destruction has begun: no plug-in is loaded
    // any more.
    bool refusesStart(int pluginId);
    // Loads the module at path and registers it under pluginId, unless another caller
    // registered that id meanwhile. The registered record with one reference taken for the
    // caller, or null, with a warning, if the module did not load or the manager is being
    // destroyed.
    LuKtvPluginManagerPlugin* registerPlugin(int pluginId, const QString& path, const QString& arguments);
    // Every registered record in ascending id order, one reference taken on each.
    QList<LuKtvPluginManagerPlugin*> takeSnapshot();
    void broadcastControl(LuPlugin::ControlCode code, intptr_t first, intptr_t second);
    // Empties the registry for good; started plug-ins are stopped in ascending id order.
    void unregisterAll();
    // Sends the start command to a record that registerPlugin() returned, gives its
    // reference back and traces the result.
    bool startRegistered(LuKtvPluginManagerPlugin* record, int pluginId, const QString& path, LuKtvPluginHost* host,
        const QString& startArguments);

    // Splits a start text into the module file name and the loader's argument text. False,
    // with a warning, for an empty module name and for a name that would reach outside the
    // plug-in's directory.
    static bool splitStartText(int pluginId, const QString& text, QString* moduleName, QString* arguments);
    // The installed version noted in the "version.xml" at path: the "number" of the root's
    // first "version" child. 0 for a missing, unreadable, oversized or malformed file and
    // for a number that is no decimal int.
    static int readPluginVersion(const QString& path);

    LuKtvPluginManager* const q_ptr;
    // Iterated in ascending id order, which is the order of broadcasts and of stopping.
    QMap<int, LuKtvPluginManagerPlugin*> plugins;
    // Set when the destruction empties the registry; no plug-in is registered after it.
    bool tearingDown = false;
    // Guards plugins and tearingDown; plug-ins are never called under it but for appSchemes().
    QMutex mutex;
};

#endif
