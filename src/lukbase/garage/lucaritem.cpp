#include "lucaritem.h"

LuCarItem::LuCarItem(int id, const QString& name, qint64 price, const QString& imagePath, const QString& logoPath)
    : m_id(id)
    , m_name(name)
    , m_price(price)
    , m_imagePath(imagePath)
    , m_imageLoaded(false)
    , m_logoPath(logoPath)
    , m_logoLoaded(false)
{
}

LuCarItem::~LuCarItem() = default;

int LuCarItem::price() const
{
    // Through the unsigned type, so that the narrowing keeps the low 32 bits on every compiler.
    return int(quint32(quint64(m_price)));
}

namespace {

// Reads path into image once; an empty path is simply no picture (Qt would warn about it).
QImage& loadOnce(QImage& image, bool& loaded, const QString& path)
{
    if (!loaded) {
        if (!path.isEmpty())
            image.load(path);
        loaded = true;
    }
    return image;
}

} // namespace

QImage LuCarItem::image()
{
    return loadOnce(m_image, m_imageLoaded, m_imagePath);
}

QImage LuCarItem::logo()
{
    return loadOnce(m_logo, m_logoLoaded, m_logoPath);
}
