#ifndef LUKBASE_LUGIFTITEM_P_H
#define LUKBASE_LUGIFTITEM_P_H

#include "lugiftitem.h"

// Write access to a gift record for the gift manager. It bypasses the record's caches on
// purpose: a thumbnail set here counts as loaded, so the record never reads the file again.
class LuGiftItemAccess
{
public:
    static void setThumbnail(LuGiftItem* item, const QString& path, const QImage& image)
    {
        item->m_thumbnailPath = path;
        item->m_thumbnailImage = image;
        item->m_thumbnailLoaded = true;
    }
    static void setImagePath(LuGiftItem* item, const QString& path) { item->m_imagePath = path; }
    static void setStarLogoPath(LuGiftItem* item, const QString& path) { item->m_starLogoPath = path; }
};

#endif
