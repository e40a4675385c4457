#ifndef LUCORE_LUSYSINFO_H
#define LUCORE_LUSYSINFO_H

#include <lucore/lucore_export.h>

#include <QByteArray>

/**
 * @file
 * Descriptions of the machine the client runs on.
 */

/** @return the operating system's name as UTF-8 text, for example "debian"; may be empty */
LUCORE_EXPORT QByteArray luGetOSName();
/** @return the operating system's version as UTF-8 text, for example "12"; may be empty */
LUCORE_EXPORT QByteArray luGetOSVersion();
/** @return the machine's host name as UTF-8 text; may be empty */
LUCORE_EXPORT QByteArray luGetDeviceName();

#endif
