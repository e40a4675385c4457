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
 * directory that cannot be made or entered is reported on the warning channel and
 * answered with a null QString; so is an empty or relative data location, which would be
 * the working directory. Nothing is cached: every call asks the file system again.
 *
 * Settings and the resource directory are not locked: use them from one thread (the
 * library itself uses them on the GUI thread only).
 */
namespace LuKBase {

/**
 * Opens the application settings (D/config.ini) and creates the gift-star registry.
 * Call once at start-up, before any settings are used.
 */
LUKBASE_EXPORT void initialize();
/** Deletes the gift-star registry, the application settings and the user settings, in that order. */
LUKBASE_EXPORT void finalize();

/**
 * The application settings, synchronised with the file. Null (with a warning) before
 * initialize() and after finalize().
 */
LUKBASE_EXPORT QSettings* appSettings();
/**
 * The settings of the current local user (D/users/<id>/config.ini); in memory only, on no
 * file, when that directory cannot be made. A pointer returned earlier is invalid once the
 * user id changed and this was called again, and after finalize().
 */
LUKBASE_EXPORT QSettings* userSettings();
/**
 * The "locale" key of the group "Application" in the application settings: "zh_CN" when the
 * key is absent, the system's locale name when it is empty. Before initialize() (with a
 * warning) the answer is "zh_CN".
 */
LUKBASE_EXPORT QString localeName();

/** The application's name, "/" and version; the name alone without a version; null without a name. */
LUKBASE_EXPORT QString applicationInfo();
/** The operating system's name, "/" and version, by the same rule. */
LUKBASE_EXPORT QString platformInfo();
/** The device (host) name. */
LUKBASE_EXPORT QString deviceInfo();

/** The path of @p name in D (D itself for an empty name). */
LUKBASE_EXPORT QString dataFilePath(const QString& name);
/** D/users/<id of the local user>. */
LUKBASE_EXPORT QString userDirectory();
/** The path of @p name in the user directory. */
LUKBASE_EXPORT QString userFilePath(const QString& name);
/** D/logs. */
LUKBASE_EXPORT QString logDirectory();
/** The path of @p name in the log directory. */
LUKBASE_EXPORT QString logFilePath(const QString& name);
/** D/downloads. */
LUKBASE_EXPORT QString downloadDirectory();
/** D/heads, or the path of @p name in it. */
LUKBASE_EXPORT QString customHeadDirectory(const QString& name = QString());
/** D/gifts. */
LUKBASE_EXPORT QString giftDirectory();
/** D/snapshot. */
LUKBASE_EXPORT QString snapshotDirectory();
/** D/plugins: downloadable room plug-ins, one directory per plug-in id. */
LUKBASE_EXPORT QString pluginsDirectory();

/** Sets the resource root; empty goes back to the application's directory. Not checked. */
LUKBASE_EXPORT void setResourceDirectory(const QString& path);
/** R, or R/@p sub when @p sub is not empty. */
LUKBASE_EXPORT QString resourceDirectory(const QString& sub = QString());
/** R/translations. */
LUKBASE_EXPORT QString translationsDirectory();
/** R/emotion/mood, or the path of @p name in it. */
LUKBASE_EXPORT QString flowerFilePath(const QString& name = QString());
/** R/icons, or the path of @p name in it. */
LUKBASE_EXPORT QString iconFilePath(const QString& name = QString());
/** R/flash, or the path of @p name in it. */
LUKBASE_EXPORT QString flashFilePath(const QString& name = QString());
/** The path of @p name in R/sound. */
LUKBASE_EXPORT QString soundFilePath(const QString& name);
/** The path of @p name in R/stamp. */
LUKBASE_EXPORT QString stampFilePath(const QString& name);
/** The path of @p name in R/entergif. */
LUKBASE_EXPORT QString enterGiftPath(const QString& name);

} // namespace LuKBase

#endif
