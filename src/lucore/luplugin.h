#ifndef LUCORE_LUPLUGIN_H
#define LUCORE_LUPLUGIN_H

#include <cstdint>

/**
 * @file
 * The interface between the room client and a room plug-in module.
 */

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
    /** The commands of control(), as the room client sends them. */
    enum ControlCode {
        /**
         * Start the plug-in: the first argument is the host's LuKtvPluginHost pointer, the
         * second the whole start text as NUL-terminated UTF-8, valid only during the call.
         */
        Start = 1,
        /** Stop the plug-in; both arguments are 0. */
        Stop = 2,
        /** Show or hide the plug-in: the first argument is Show or Hide, the second 0. */
        Visibility = 3,
        /** The room has been joined; both arguments are 0. */
        RoomJoined = 4,
    };

    /** The first argument of a Visibility command. */
    enum VisibilityArgument {
        /** Hide the plug-in. */
        Hide = 0,
        /** Show the plug-in. */
        Show = 1,
    };

    /** Ends the handle; the caller does not touch it afterwards. */
    virtual void release() = 0;
    /**
     * The application schemes the plug-in handles, for example "ktvquiz". Called with the
     * plug-in registry locked: do not call back into LuKtvPluginManager from here.
     * @return UTF-8 strings ending in a null entry, or null for none; they must stay valid
     *         for the life of the handle
     */
    virtual const char** appSchemes() = 0;
    /**
     * A control command of the room client.
     * @param code a ControlCode: Start, Stop, Visibility or RoomJoined
     * @param first for Start, the host's LuKtvPluginHost pointer; for Visibility, Show or
     *        Hide; otherwise 0
     * @param second for Start, the whole start text as NUL-terminated UTF-8, valid only during
     *        the call; otherwise 0
     * @return a result of the plug-in's choosing; the room client ignores it
     */
    virtual int control(int code, intptr_t first, intptr_t second) = 0;
    /**
     * A protocol message of the room, passed through unchanged; its meaning is agreed
     * between the host and its plug-ins.
     * @param type the message type
     * @param data the message bytes, valid only during the call
     * @param length the message length
     * @return a result of the plug-in's choosing; the room client ignores it
     */
    virtual int handleProtocol(int type, const char* data, int length) = 0;
    /**
     * An application-scheme link clicked in the room. Every plug-in is offered every link
     * and decides for itself whether it is its own.
     * @param link the link as NUL-terminated UTF-8, valid only during the call
     * @return a result of the plug-in's choosing; the room client ignores it
     */
    virtual int handleAppScheme(const char* link) = 0;
};

/**
 * The type of the factory a plug-in module exports under the name "luCreatePlugin".
 * It receives the loader's argument text as NUL-terminated UTF-8, valid only during the
 * call, and returns a new handle, or null to refuse.
 */
typedef LuPlugin* (*LuCreatePluginFunction)(const char* arguments);

/**
 * @def LU_PLUGIN_EXPORT
 * Exports the factory from a plug-in module: write it before luCreatePlugin().
 */
#if defined(_WIN32)
#define LU_PLUGIN_EXPORT __declspec(dllexport)
#else
#define LU_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

#endif
