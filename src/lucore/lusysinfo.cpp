#include "lusysinfo.h"

#include <QString>
#include <QSysInfo>

QByteArray luGetOSName()
{
    return QSysInfo::productType().toUtf8();
}

QByteArray luGetOSVersion()
{
    return QSysInfo::productVersion().toUtf8();
}

QByteArray luGetDeviceName()
{
    return QSysInfo::machineHostName().toUtf8();
}
