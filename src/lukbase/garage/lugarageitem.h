#ifndef LUKBASE_LUGARAGEITEM_H
#define LUKBASE_LUGARAGEITEM_H

#include <lukbase/lukbase_export.h>

#include <lucore/luobject.h>

#include <QImage>
#include <QString>

class LuCarItem;

/**
 * One card of the garage: a user (id, name, picture) and the user's car.
 *
 * The car is not owned: the host keeps it alive while the item is shown. A value class,
 * copied field by field.
 */
class LUKBASE_EXPORT LuGarageItem : public LuObject
{
public:
    /** @p userIcon may be null; @p car is not owned and may be null. */
    LuGarageItem(int userid, const QString& userName, const QImage& userIcon, LuCarItem* car);
    LuGarageItem(const LuGarageItem& other);
    LuGarageItem& operator=(const LuGarageItem& other);
    ~LuGarageItem() override;

    /** The car owner's user id. */
    int userid() const { return m_userid; }
    /** The owner's display name. */
    QString userName() const { return m_userName; }
    /** The owner's picture; null when the owner has none. */
    QImage userIcon() const { return m_userIcon; }
    /** The owner's car, or null. */
    LuCarItem* car() const { return m_car; }
    /** Gives the owner another car (not owned). */
    void setCar(LuCarItem* car) { m_car = car; }

private:
    int m_userid;
    QString m_userName;
    QImage m_userIcon;
    LuCarItem* m_car;
};

#endif
