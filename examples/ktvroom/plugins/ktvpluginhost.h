#ifndef KTVROOM_KTVPLUGINHOST_H
#define KTVROOM_KTVPLUGINHOST_H

// What the sandbox offers its room plug-ins. The library declares LuKtvPluginHost and hands
// the pointer to each plug-in with the start command; what it offers is the host's affair.
// The sandbox's plug-ins use it to tell the room what they received. The host outlives
// every plug-in it starts.
class LuKtvPluginHost
{
public:
    // One line of UTF-8 text from the plug-in called plugin.
    virtual void pluginReport(const char* plugin, const char* text) = 0;

protected:
    ~LuKtvPluginHost() = default;
};

#endif
