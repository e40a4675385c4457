#ifndef LUKBASE_LUKTVPLUGINMANAGER_H
#define LUKBASE_LUKTVPLUGINMANAGER_H

#include <lukbase/lukbase_export.h>

#include <lucore/luobject.h>

#include <QList>
#include <QObject>
#include <QScopedPointer>
#include <QString>

/**
 * @class LuKtvPluginHost
 * The host's interface for room plug-ins. The host application defines it; the library
 * only hands the pointer to each plug-in with its start command and never calls it.
 */
class LuKtvPluginHost;

class LuKtvPluginManagerPrivate;

/**
 * The registry of the room plug-ins loaded for a room.
 *
 * Each plug-in is a module file, identified by an integer plug-in id. A built-in plug-in
 * lies in the application directory under `plugins/ktv/<id>/`; a downloadable one lies under
 * `LuKBase::pluginsDirectory()/<id>/` beside a "version.xml" and is checked against the
 * version the room requires first. The start text names the module file, optionally
 * followed by a space and the argument text that the module's factory receives. As the
 * start text comes from the room, the module name must be a plain file name in the plug-in's
 * directory: an empty name, a name with "/", "\", ":" or NUL, and ".." are refused.
 *
 * A start that fails says why in one warning on the "lukbase.plugins" logging category, with
 * the plug-in id: "load plugin failed:" with the path and the reason when the plug-in's
 * directory or module is missing or the module does not load, "plugin module name not
 * allowed:" with the refused name, and the warnings of a downloadable plug-in's directory.
 *
 * Once loaded, a plug-in stays registered (and its module loaded) until the manager is
 * destroyed: stop() only sends the stop command, and a later start() sends the start
 * command again without loading anything. The destructor stops the started plug-ins in
 * ascending id order and releases every handle that no caller still holds.
 *
 * Any thread may call the manager. Plug-ins are called without the registry locked (except
 * for LuPlugin::appSchemes()), so a plug-in may call back into the manager from control(),
 * handleProtocol() and handleAppScheme(). Starting and stopping one plug-in id is not
 * serialised: do not do it from two threads at once.
 */
class LUKBASE_EXPORT LuKtvPluginManager : public QObject, public LuObject
{
    Q_OBJECT

public:
    /**
     * Constructs an empty registry.
     * @param parent the parent object
     */
    explicit LuKtvPluginManager(QObject* parent = nullptr);
    /**
     * Stops the started plug-ins in ascending id order and lets go of every plug-in. A start()
     * that a plug-in makes meanwhile (from its stop command) is refused with a warning.
     */
    ~LuKtvPluginManager() override;

    /**
     * Starts a built-in plug-in: loads the module named by @p startArguments from the
     * application directory's `plugins/ktv/<id>/` if it is not registered yet, then sends it
     * the start command with @p host and the whole start text. A plug-in that is already
     * registered is only sent the start command again, if it was stopped.
     * @param pluginId the plug-in's id
     * @param host the host's interface, handed to the plug-in and never called here
     * @param startArguments the module's file name, optionally followed by a space and the
     *        argument text for the module's factory
     * @return true if the plug-in is started when the call returns
     */
    bool start(int pluginId, LuKtvPluginHost* host, const QString& startArguments);

    /**
     * Starts a downloadable plug-in from `LuKBase::pluginsDirectory()/<id>/`.
     * If it is not registered yet and the "version.xml" there is missing or holds a version
     * lower than @p requiredVersion, nothing is loaded: the directory is created and
     * downloadPlugin() asks the host to fetch the plug-in into it, and the call returns false.
     * Otherwise the plug-in is loaded and started as by the built-in start(). A registered
     * plug-in is started without any version check or file access.
     * @param pluginId the plug-in's id
     * @param requiredVersion the lowest version the room accepts; an equal one is current
     * @param pluginName passed on with downloadPlugin()
     * @param updateUrl passed on with downloadPlugin()
     * @param host the host's interface, handed to the plug-in and never called here
     * @param startArguments the module's file name, optionally followed by a space and the
     *        argument text for the module's factory
     * @param silent passed on with downloadPlugin(); not read here
     * @return true only if the plug-in is started when the call returns
     */
    bool start(int pluginId, int requiredVersion, const QString& pluginName, const QString& updateUrl,
        LuKtvPluginHost* host, const QString& startArguments, bool silent);

    /**
     * Sends the stop command to a started plug-in. It stays registered and loaded.
     * @param pluginId the plug-in's id; an unknown id is ignored
     */
    void stop(int pluginId);
    /**
     * Whether a plug-in is registered (loaded), started or not.
     * @param pluginId the plug-in's id
     * @return true if it is registered
     */
    bool exists(int pluginId);
    /**
     * Tells a registered plug-in to show itself, whether it is started or not.
     * @param pluginId the plug-in's id; an unknown id is ignored
     */
    void show(int pluginId);
    /**
     * Tells a registered plug-in to hide itself, whether it is started or not.
     * @param pluginId the plug-in's id; an unknown id is ignored
     */
    void hide(int pluginId);

    /**
     * The application schemes a plug-in declares.
     * @param pluginId the plug-in's id
     * @return the schemes in the plug-in's order, each listed once (compared exactly); empty
     *         for an unknown plug-in
     */
    QList<QString> pluginAppSchemes(int pluginId);

    /**
     * Passes an application-scheme link to every registered plug-in, in ascending id order;
     * each one decides for itself whether the link is its own.
     * @param scheme the link, passed on as UTF-8
     */
    void handleAppScheme(const QString& scheme);
    /**
     * Passes a protocol message of the room, unchanged, to every registered plug-in, in
     * ascending id order.
     * @param type the message type
     * @param data the message bytes; they must stay valid during the call
     * @param length the message length
     */
    void handleProtocol(int type, const char* data, int length);
    /** Tells every registered plug-in that the room has been joined. */
    void joinRoom();

Q_SIGNALS:
    /**
     * A downloadable plug-in is missing or older than required. The host should fetch it,
     * with a "version.xml" holding its version, into @p plugindir and call start() again.
     * @param pluginid the plug-in's id
     * @param pluginname the name given to start()
     * @param plugindir the absolute path of the plug-in's directory, which exists
     * @param updateurl the update URL given to start()
     * @param silent the flag given to start()
     */
    void downloadPlugin(
        int pluginid, const QString& pluginname, const QString& plugindir, const QString& updateurl, bool silent);

private:
    Q_DECLARE_PRIVATE(LuKtvPluginManager)
    const QScopedPointer<LuKtvPluginManagerPrivate> d_ptr;
};

#endif
