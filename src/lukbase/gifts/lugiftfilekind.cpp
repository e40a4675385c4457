#include "lugiftdownloaditem_p.h"
#include "lugiftfilekind_p.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

namespace {

QByteArray pictureFormat(int kind)
{
    switch (kind) {
    case LuGiftDownloadItem::Thumbnail:
        return QByteArrayLiteral("png");
    case LuGiftDownloadItem::Image:
    case LuGiftDownloadItem::StarLogo:
        return QByteArrayLiteral("gif");
    default:
        return QByteArray();
    }
}

// Uncompressed, zlib and LZMA Flash movies.
bool startsAsFlash(QIODevice* device)
{
    const QByteArray signature = device->peek(3);
    return signature == "FWS" || signature == "CWS" || signature == "ZWS";
}

} // namespace

bool LuGiftFileKind::startsAs(QIODevice* device, int kind)
{
    if (kind == LuGiftDownloadItem::Flash)
        return startsAsFlash(device);
    QImageReader reader(device);
    // The format comes from the bytes, never from a name.
    reader.setDecideFormatFromContent(true);
    return reader.format() == pictureFormat(kind);
}

bool LuGiftFileKind::fileStartsAs(const QString& path, int kind)
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && startsAs(&file, kind);
}

bool LuGiftFileKind::bytesAre(const QByteArray& bytes, int kind, QImage* picture)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!startsAs(&buffer, kind))
        return false;
    if (kind == LuGiftDownloadItem::Flash)
        return true;
    QImageReader reader(&buffer, pictureFormat(kind));
    const QImage decoded = reader.read();
    if (picture)
        *picture = decoded;
    return !decoded.isNull();
}
