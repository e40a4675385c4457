#ifndef LUKBASE_LUKBASE_H
#define LUKBASE_LUKBASE_H

#include <lukbase/lukbase_export.h>

#include <QString>

class QSettings;

/**
 * The room client's environment: start-up and shut-down, the application and per-user
 * settings, the locale, one-line descriptions of application, platform and device, and
 * the places on disk.
 *
 * Writable directories live under the per-user data location D
 * (QStandardPaths::AppLocalDataLocation) and are created on demand; read-only resources
 * live under the resource root R (setResourceDirectory(), by default the application's
 * directory) and are never created. Every path is absolute with "/" separators. A
 * directory that cannot be made or entered is reported on the warning channel (category
 * "lukbase.kbase") and answered with a null QString; so is an empty or relative data
 * location, which would be the working directory. Nothing is cached: every call asks the
 * file system again.
 *
 * Settings and the resource directory are not locked: use them from one thread (the
 * library itself uses them on the GUI thread only).
 */
namespace LuKBase {

/**
 * Opens the application settings (`D/config.ini`) and creates the gift-star registry.
 * Call once at start-up, after the application object has its name and before any
 * settings are used; a second call is reported and changes nothing.
 */
LUKBASE_EXPORT void initialize();
/**
 * Deletes the gift-star registry, the application settings and the user settings, in that
 * order; pending settings are written. Call once at shut-down, while the application
 * object still exists.
 */
LUKBASE_EXPORT void finalize();

/**
 * The application settings, synchronised with the file.
 * @return the settings, owned by the library; null (with a warning) before initialize()
 *         and after finalize()
 */
LUKBASE_EXPORT QSettings* appSettings();
/**
 * The settings of the current local user (`D/users/<id>/config.ini`), opened on the first
 * call for each user id; in memory only, on no file, when that directory cannot be made.
 * @return the settings, owned by the library. A pointer returned earlier is invalid once
 *         the user id changed and this was called again, and after finalize().
 */
LUKBASE_EXPORT QSettings* userSettings();
/**
 * The locale the client shows: the key "locale" of the group "Application" in the
 * application settings.
 * @return the key's value; "zh_CN" when the key is absent, and also before initialize()
 *         (with a warning); the system's locale name when the key is empty
 */
LUKBASE_EXPORT QString localeName();

/**
 * @return the application's name, "/" and version; the name alone without a version; null
 *         without a name
 */
LUKBASE_EXPORT QString applicationInfo();
/** @return the operating system's name, "/" and version, by the rule of applicationInfo() */
LUKBASE_EXPORT QString platformInfo();
/** @return the device (host) name */
LUKBASE_EXPORT QString deviceInfo();

/**
 * A file in the data directory, which is created if missing.
 * @param name a file name relative to D; an absolute name is returned unchanged
 * @return the path of @p name in D (D itself for an empty name); null if D cannot be made
 */
LUKBASE_EXPORT QString dataFilePath(const QString& name);
/** @return `D/users/<id>` for the local user's id (0 while none is set), created if missing */
LUKBASE_EXPORT QString userDirectory();
/**
 * A file in the user directory.
 * @param name a file name relative to the user directory; an absolute name is returned unchanged
 * @return the path of @p name in userDirectory()
 */
LUKBASE_EXPORT QString userFilePath(const QString& name);
/** @return `D/logs`, created if missing */
LUKBASE_EXPORT QString logDirectory();
/**
 * A file in the log directory.
 * @param name a file name relative to the log directory; an absolute name is returned unchanged
 * @return the path of @p name in logDirectory()
 */
LUKBASE_EXPORT QString logFilePath(const QString& name);
/** @return `D/downloads`, created if missing */
LUKBASE_EXPORT QString downloadDirectory();
/**
 * The directory of custom head pictures, or a file in it; the directory is created if missing.
 * @param name a file name relative to `D/heads`; empty for the directory itself
 * @return `D/heads`, or the path of @p name in it
 */
LUKBASE_EXPORT QString customHeadDirectory(const QString& name = QString());
/** @return `D/gifts`, where the gift files are saved, created if missing */
LUKBASE_EXPORT QString giftDirectory();
/** @return `D/snapshot`, created if missing */
LUKBASE_EXPORT QString snapshotDirectory();
/** @return `D/plugins`: downloadable room plug-ins, one directory per plug-in id; created if missing */
LUKBASE_EXPORT QString pluginsDirectory();

/**
 * Sets the resource root R. It takes effect for the next path asked for; it is neither
 * checked nor created.
 * @param path the root's path; empty goes back to the application's directory
 */
LUKBASE_EXPORT void setResourceDirectory(const QString& path);
/**
 * The resource root, or a directory under it.
 * @param sub a directory under R; empty for R itself
 * @return R, or R/@p sub; null (with a warning) when @p sub does not exist
 */
LUKBASE_EXPORT QString resourceDirectory(const QString& sub = QString());
/** @return `R/translations`, where the library's `.qm` files lie */
LUKBASE_EXPORT QString translationsDirectory();
/**
 * The directory of flower files, or a file in it.
 * @param name a file name; empty for the directory itself
 * @return `R/emotion/mood`, or the path of @p name in it; null (with a warning) when the
 *         directory does not exist
 */
LUKBASE_EXPORT QString flowerFilePath(const QString& name = QString());
/**
 * The icons directory, or a file in it.
 * @param name a file name; empty for the directory itself
 * @return `R/icons`, or the path of @p name in it
 */
LUKBASE_EXPORT QString iconFilePath(const QString& name = QString());
/**
 * The Flash directory, or a file in it.
 * @param name a file name; empty for the directory itself
 * @return `R/flash`, or the path of @p name in it
 */
LUKBASE_EXPORT QString flashFilePath(const QString& name = QString());
/**
 * A sound file.
 * @param name a file name; empty for the directory itself
 * @return the path of @p name in `R/sound`
 */
LUKBASE_EXPORT QString soundFilePath(const QString& name);
/**
 * A stamp picture.
 * @param name a file name; empty for the directory itself
 * @return the path of @p name in `R/stamp`
 */
LUKBASE_EXPORT QString stampFilePath(const QString& name);
/**
 * An enter-gift picture.
 * @param name a file name; empty for the directory itself
 * @return the path of @p name in `R/entergif`
 */
LUKBASE_EXPORT QString enterGiftPath(const QString& name);

} // namespace LuKBase

#endif
