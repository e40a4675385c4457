// A module that loads but is no room plug-in: it lacks the luCreatePlugin factory.

#include <lucore/luplugin.h>

extern "C" LU_PLUGIN_EXPORT int luPluginInterfaceVersion()
{
    return 1;
}
