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
    /** @return the process-wide loader */
    static LuPluginManager* instance();

    /**
     * Loads a module file and creates a handle through its luCreatePlugin(). Safe to call
     * from any thread.
     * @param path the module file
     * @param arguments the text passed to the factory, as UTF-8
     * @return the new handle, which the caller ends with LuPlugin::release(); null, with the
     *         reason on the debug channel ("lucore.plugins"), when the file is missing, does
     *         not load, lacks the factory or the factory refuses
     */
    LuPlugin* loadPlugin(const QString& path, const QString& arguments);

private:
    LuPluginManager();
    ~LuPluginManager();
    Q_DISABLE_COPY(LuPluginManager)
};

#endif
