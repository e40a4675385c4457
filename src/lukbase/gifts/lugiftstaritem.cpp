#include "lugiftstaritem.h"

LuGiftStarItem::LuGiftStarItem(int id, int type, int cmd, const QString& name, const QString& unit, qint64 price,
    qint64 giftmoney, const QString& thumbnailPath, const QString& imagePath, const QString& starLogoPath, int flags,
    int sendid0, int sendnum0, int recvid0, int recvnum0)
    : LuGiftItem(id, type, cmd, name, unit, price, giftmoney, thumbnailPath, imagePath, starLogoPath, flags)
    , m_sendid0(sendid0)
    , m_sendnum0(sendnum0)
    , m_recvid0(recvid0)
    , m_recvnum0(recvnum0)
{
}

LuGiftStarItem::~LuGiftStarItem() = default;
