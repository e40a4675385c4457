#include "demofiles.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QUrl>

namespace {

// A one-pixel GIF: Qt reads GIF but does not write it.
const unsigned char kPixelGif[] = { 'G', 'I', 'F', '8', '9', 'a', 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xff, 0xff,
    0xff, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00,
    0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b };

bool writeGif(const QString& path)
{
    QFile file(path);
    const qint64 size = sizeof(kPixelGif);
    return file.open(QIODevice::WriteOnly) && file.write(reinterpret_cast<const char*>(kPixelGif), size) == size;
}

bool drawPicture(const QString& path, const QColor& color)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(color);
    return image.save(path, "PNG");
}

} // namespace

DemoFiles::DemoFiles(const QList<int>& giftIds)
{
    QDir dir(m_dir.path());
    m_valid = m_dir.isValid() && dir.mkpath(QStringLiteral("icons")) && dir.mkpath(QStringLiteral("server"))
        && drawPicture(dir.filePath(QStringLiteral("icons/ugift.png")), Qt::lightGray);
    for (int id : giftIds) {
        const QColor color = QColor::fromHsv((id * 67) % 360, 160, 230);
        m_valid = m_valid && drawPicture(dir.filePath(QStringLiteral("server/%1.png").arg(id)), color)
            && writeGif(dir.filePath(QStringLiteral("server/%1.gif").arg(id)));
    }
}

bool DemoFiles::isValid() const
{
    return m_valid;
}

QString DemoFiles::iconsPath() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("icons"));
}

QString DemoFiles::downloadPrefix() const
{
    return QUrl::fromLocalFile(QDir(m_dir.path()).filePath(QStringLiteral("server"))).toString() + QLatin1Char('/');
}
