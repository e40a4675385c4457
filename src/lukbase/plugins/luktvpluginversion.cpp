#include "luktvpluginmanager_p.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>

namespace {

// A version file holds a few lines. Anything far larger is no version file, and reading it
// would stall the caller (usually the GUI thread) and fill memory.
constexpr qint64 maxVersionFileSize = 1024 * 1024;

} // namespace

int LuKtvPluginManagerPrivate::readPluginVersion(const QString& path)
{
    // Only a regular file: opening a FIFO blocks, and a device may never end.
    if (!QFileInfo(path).isFile())
        return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray content = file.read(maxVersionFileSize + 1);
    if (content.size() > maxVersionFileSize)
        return 0;

    // A document that breaks off after its version element still tells the version.
    QDomDocument document;
    (void)document.setContent(content);
    const QDomElement version = document.documentElement().firstChildElement(QStringLiteral("version"));
    // toInt() takes an optional sign and ignores surrounding white space, as version files
    // already in use may rely on; anything else that is not a decimal int gives 0.
    return version.attribute(QStringLiteral("number"), QStringLiteral("0")).toInt(nullptr, 10);
}
