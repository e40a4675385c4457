#include "lugiftdownloaditem_p.h"
#include "lugiftitem.h"

LuGiftDownloadItem::LuGiftDownloadItem(LuGiftItem* item, const QString& fileName, const QString& url, int kind)
    : fileName(fileName)
    , url(url)
    , kind(kind)
    , retries(0)
{
    addItem(item);
}

LuGiftDownloadItem::~LuGiftDownloadItem()
{
    for (LuGiftItem* item : std::as_const(items))
        item->release();
}

void LuGiftDownloadItem::addItem(LuGiftItem* item)
{
    item->ref();
    items.append(item);
}
