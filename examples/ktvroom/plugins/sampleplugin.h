#ifndef KTVROOM_SAMPLEPLUGIN_H
#define KTVROOM_SAMPLEPLUGIN_H

// The common part of the sandbox's example plug-ins: it tells the host, in plain words,
// every call it receives. Plain C++, as a module built by a third party would be: it sees
// only the plug-in interface and the sandbox's host interface.

#include "ktvpluginhost.h"

#include <lucore/luplugin.h>

#include <cstring>
#include <string>
#include <vector>

class SamplePlugin : public LuPlugin
{
public:
    SamplePlugin(const char* name, const char* loaderArguments, std::vector<const char*> schemes)
        : m_name(name)
        , m_loaderArguments(loaderArguments ? loaderArguments : "")
        , m_schemes(std::move(schemes))
    {
        m_schemes.push_back(nullptr);
    }

    void release() override { delete this; }

    const char** appSchemes() override { return m_schemes.data(); }

    int control(int code, intptr_t first, intptr_t second) override
    {
        switch (code) {
        case Start:
            m_host = reinterpret_cast<LuKtvPluginHost*>(first);
            report("started with \"" + std::string(reinterpret_cast<const char*>(second)) + "\", loader arguments \""
                + m_loaderArguments + "\"");
            break;
        case Stop:
            report("stopped");
            break;
        case Visibility:
            report(first == Show ? "shown" : "hidden");
            break;
        case RoomJoined:
            report("room joined");
            break;
        default:
            report("control code " + std::to_string(code));
        }
        return 0;
    }

    int handleProtocol(int type, const char* data, int length) override
    {
        report("protocol message " + std::to_string(type) + ": " + std::string(data ? data : "", data ? length : 0));
        return 0;
    }

    // Every plug-in hears every link; it answers only those of its own schemes.
    int handleAppScheme(const char* link) override
    {
        for (const char* const* scheme = m_schemes.data(); *scheme; ++scheme) {
            const std::size_t length = std::strlen(*scheme);
            if (std::strncmp(link, *scheme, length) == 0 && link[length] == ':') {
                report(std::string("scheme link ") + link);
                return 1;
            }
        }
        return 0;
    }

protected:
    ~SamplePlugin() override = default;

    void report(const std::string& text)
    {
        if (m_host)
            m_host->pluginReport(m_name, text.c_str());
    }

private:
    const char* const m_name;
    const std::string m_loaderArguments;
    std::vector<const char*> m_schemes;
    LuKtvPluginHost* m_host = nullptr;
};

#endif
