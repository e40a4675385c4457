#ifndef LUCORE_LUSYSINFO_H
#define LUCORE_LUSYSINFO_H

#include <lucore/lucore_export.h>

#include <QByteArray>

/** The operating system's name as UTF-8 text, for example "debian"; may be empty. */
LUCORE_EXPORT QByteArray luGetOSName();
/** The operating system's version as UTF-8 text, for example "12"; may be empty. */
LUCORE_EXPORT QByteArray luGetOSVersion();
/** The machine's host name as UTF-8 text; may be empty. */
LUCORE_EXPORT QByteArray luGetDeviceName();

#endif
