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

} // namespace

// The signatures themselves rather than an image reader's guess: a catalogue of a thousand
// gifts is checked at every start, and this costs a read of a few bytes per file.
bool LuGiftFileKind::startsAs(QIODevice* device, int kind)
{
    switch (kind) {
    case LuGiftDownloadItem::Thumbnail:
        return device->peek(8) == QByteArrayLiteral("\x89PNG\r\n\x1a\n");
    case LuGiftDownloadItem::Image:
    case LuGiftDownloadItem::StarLogo: {
        const QByteArray signature = device->peek(6);
        return signature == "GIF87a" || signature == "GIF89a";
    }
    case LuGiftDownloadItem::Flash: {
        // Uncompressed, zlib and LZMA movies.
        const QByteArray signature = device->peek(3);
        return signature == "FWS" || signature == "CWS" || signature == "ZWS";
    }
    default:
        return false;
    }
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
    reader.setAutoDetectImageFormat(false);
    const QImage decoded = reader.read();
    if (picture)
        *picture = decoded;
    return !decoded.isNull();
}
