#ifndef LUKBASE_LUKTVPLUGINMANAGERPLUGIN_P_H
#define LUKBASE_LUKTVPLUGINMANAGERPLUGIN_P_H

#include <lucore/luobject.h>

#include <QAtomicInt>
#include <QString>

#include <atomic>

class LuKtvPluginHost;
class LuPlugin;

// One registered plug-in: the loaded handle, shared between the registry and the
// operations that work on it outside the registry's lock. The record owns the handle
// and releases it when its last reference is given back.
class LuKtvPluginManagerPlugin : public LuObject
{
public:
    // Takes over the handle; the one reference it starts with is the registry's.
    explicit LuKtvPluginManagerPlugin(LuPlugin* plugin);
    ~LuKtvPluginManagerPlugin() override;

    void ref();
    // Gives one reference back; the last one deletes the record.
    void release();

    // Sends the start command, with the whole start text, unless the plug-in is started.
    // Always true afterwards.
    bool startRecord(LuKtvPluginHost* host, const QString& startArguments);
    // Sends the stop command if the plug-in is started.
    void stopRecord();

    LuPlugin* const plugin;

private:
    QAtomicInt m_ref;
    // Tested and set atomically, so a start and a stop that race (which callers must avoid)
    // still send each command at most once per change of state.
    std::atomic<bool> m_started;

    Q_DISABLE_COPY(LuKtvPluginManagerPlugin)
};

#endif
