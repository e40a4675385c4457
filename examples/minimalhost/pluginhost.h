#ifndef MINIMALHOST_PLUGINHOST_H
#define MINIMALHOST_PLUGINHOST_H

// The interface the host gives its room plug-ins. The library only names it and passes the
// pointer on with the start command; the host and its plug-ins agree on the rest.
class LuKtvPluginHost
{
public:
    // Shows a line of the plug-in in the room (UTF-8).
    virtual void say(const char* text) = 0;

protected:
    ~LuKtvPluginHost() = default;
};

#endif
