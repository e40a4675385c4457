// A built-in room plug-in: a module of its own that sees only the plug-in interface and the
// host's interface, as a module built by a third party would.

#include "pluginhost.h"

//! [plugin-module]
#include <lucore/luplugin.h>

#include <cstring>
#include <string>

namespace {

class HelloPlugin : public LuPlugin
{
public:
    explicit HelloPlugin(const char* arguments)
        : m_arguments(arguments)
    {
    }

    void release() override { delete this; }

    // Called with the plug-in registry locked: answer, and call nothing of the manager.
    const char** appSchemes() override { return m_schemes; }

    int control(int code, intptr_t first, intptr_t second) override
    {
        switch (code) {
        case Start: // first: the host's interface; second: the whole start text
            m_host = reinterpret_cast<LuKtvPluginHost*>(first);
            say("started by \"" + std::string(reinterpret_cast<const char*>(second)) + "\" with \"" + m_arguments
                + "\"");
            break;
        case Stop:
            m_host = nullptr;
            break;
        case Visibility: // first: Show or Hide
            break;
        case RoomJoined:
            say("room joined");
            break;
        }
        return 0;
    }

    int handleProtocol(int, const char*, int) override { return 0; }

    // Every plug-in is offered every link: take only your own.
    int handleAppScheme(const char* link) override
    {
        if (std::strncmp(link, "hello:", 6) == 0)
            say(std::string("link ") + link);
        return 0;
    }

private:
    void say(const std::string& text)
    {
        if (m_host)
            m_host->say(text.c_str());
    }

    std::string m_arguments;
    LuKtvPluginHost* m_host = nullptr;
    const char* m_schemes[2] = { "hello", nullptr };
};

} // namespace

extern "C" LU_PLUGIN_EXPORT LuPlugin* luCreatePlugin(const char* arguments)
{
    return new HelloPlugin(arguments);
}
//! [plugin-module]
