// The sandbox's built-in room plug-in: it lies in the application directory under
// plugins/ktv/101/ and echoes every call to the room. It lists one of its schemes twice, as
// real plug-ins sometimes do; the manager lists it once.

#include "sampleplugin.h"

extern "C" LU_PLUGIN_EXPORT LuPlugin* luCreatePlugin(const char* arguments)
{
    return new SamplePlugin("echo", arguments, { "ktvecho", "ktvsong", "ktvecho" });
}
