#include "lugarageitem.h"

LuGarageItem::LuGarageItem(int userid, const QString& userName, const QImage& userIcon, LuCarItem* car)
    : m_userid(userid)
    , m_userName(userName)
    , m_userIcon(userIcon)
    , m_car(car)
{
}

LuGarageItem::LuGarageItem(const LuGarageItem& other) = default;

LuGarageItem& LuGarageItem::operator=(const LuGarageItem& other) = default;

LuGarageItem::~LuGarageItem() = default;
