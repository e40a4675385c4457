// The sandbox's downloadable room plug-in: it is "fetched" from the sandbox's plug-in store
// into the data directory when the room asks for it.

#include "sampleplugin.h"

extern "C" LU_PLUGIN_EXPORT LuPlugin* luCreatePlugin(const char* arguments)
{
    return new SamplePlugin("quiz", arguments, { "ktvquiz" });
}
