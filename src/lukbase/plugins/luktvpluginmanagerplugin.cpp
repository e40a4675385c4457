#include "luktvpluginmanagerplugin_p.h"

#include <lucore/luplugin.h>

LuKtvPluginManagerPlugin::LuKtvPluginManagerPlugin(LuPlugin* plugin)
    : plugin(plugin)
    , m_ref(1)
    , m_started(false)
{
}

LuKtvPluginManagerPlugin::~LuKtvPluginManagerPlugin()
{
    // A caller may have started the plug-in again while it held the last reference.
    stopRecord();
    plugin->release();
}

void LuKtvPluginManagerPlugin::ref()
{
    m_ref.ref();
}

void LuKtvPluginManagerPlugin::release()
{
    if (!m_ref.deref())
        delete this;
}

bool LuKtvPluginManagerPlugin::startRecord(LuKtvPluginHost* host, const QString& startArguments)
{
    if (!m_started.exchange(true)) {
        // The bytes live until control() returns, which is all the plug-in may rely on.
        const QByteArray text = startArguments.toUtf8();
        plugin->control(
            LuPlugin::Start, reinterpret_cast<intptr_t>(host), reinterpret_cast<intptr_t>(text.constData()));
    }
    return true;
}

void LuKtvPluginManagerPlugin::stopRecord()
{
    if (m_started.exchange(false))
        plugin->control(LuPlugin::Stop, 0, 0);
}
