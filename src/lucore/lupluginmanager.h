#ifndef LUCORE_LUPLUGINMANAGER_H
#define LUCORE_LUPLUGINMANAGER_H

#include <lucore/lucore_export.h>

#include <QString>

class LuPlugin;

/**
 * Loads room plug-in modules from disk. Modules stay loaded for the life of the process,
 * so a handle stays callable until it is released.
 */
class LUCORE_EXPORT LuPluginManager
{
public:
    /** The process-wide loader. */
    static LuPluginManager* instance();

    /**
     * Loads the module file at @p path and creates a handle through its luCreatePlugin(),
     * passing @p arguments as UTF-8. Returns null, with the reason on the debug channel,
     * when the file is missing, does not load, lacks the factory or the factory fails.
     * Safe to call from any thread.
     */
    LuPlugin* loadPlugin(const QString& path, const QString& arguments);

private:
    LuPluginManager();
    ~LuPluginManager();
    Q_DISABLE_COPY(LuPluginManager)
};

#endif
