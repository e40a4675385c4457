#ifndef LUCORE_LUPLUGIN_H
#define LUCORE_LUPLUGIN_H

#include <cstdint>

/**
 * The handle of a loaded room plug-in module. A module implements this interface and
 * exports the factory
 *
 * @code
 * extern "C" LU_PLUGIN_EXPORT LuPlugin* luCreatePlugin(const char* arguments);
 * @endcode
 *
 * which LuPluginManager::loadPlugin() calls with the loader's argument text (UTF-8).
 * The interface is header-only, so a module needs no library of ours to link against.
 * The order of the virtual operations is part of the module interface: do not reorder.
 */
class LuPlugin
{
protected:
    /** Slot 0. Handles are ended with release(), never deleted by their user. */
    virtual ~LuPlugin() = default;

public:
    /** Ends the handle. */
    virtual void release() = 0;
    /** The application schemes the plug-in handles: UTF-8 strings ending in a null entry, or null. */
    virtual const char** appSchemes() = 0;
    /** A control command (1 start, 2 stop, 3 visibility, 4 room joined) with two arguments. */
    virtual int control(int code, intptr_t first, intptr_t second) = 0;
    /** A protocol message of the room, passed through unchanged. */
    virtual int handleProtocol(int type, const char* data, int length) = 0;
    /** An application-scheme link (UTF-8). */
    virtual int handleAppScheme(const char* link) = 0;
};

/** The factory a plug-in module exports under the name "luCreatePlugin". */
typedef LuPlugin* (*LuCreatePluginFunction)(const char* arguments);

#if defined(_WIN32)
#define LU_PLUGIN_EXPORT __declspec(dllexport)
#else
#define LU_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

#endif
