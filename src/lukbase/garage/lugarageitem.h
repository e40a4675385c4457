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
    /**
     * Builds a card.
     * @param userid the car owner's user id
     * @param userName the owner's display name, drawn as plain text
     * @param userIcon the owner's picture; may be null
     * @param car the owner's car, not owned; may be null
     */
    LuGarageItem(int userid, const QString& userName, const QImage& userIcon, LuCarItem* car);
    /**
     * Copies a card; both copies point at the same car.
     * @param other the card to copy
     */
    LuGarageItem(const LuGarageItem& other);
    /**
     * Copies a card; both copies point at the same car.
     * @param other the card to copy
     * @return this card
     */
    LuGarageItem& operator=(const LuGarageItem& other);
    /** Destroys the card; the car stays the host's. */
    ~LuGarageItem() override;

    /** @return the car owner's user id */
    int userid() const { return m_userid; }
    /** @return the owner's display name */
    QString userName() const { return m_userName; }
    /** @return the owner's picture; null when the owner has none */
    QImage userIcon() const { return m_userIcon; }
    /** @return the owner's car, or null */
    LuCarItem* car() const { return m_car; }
    /**
     * Gives the owner another car.
     * @param car the car, not owned; may be null
     */
    void setCar(LuCarItem* car) { m_car = car; }

private:
    int m_userid;
    QString m_userName;
    QImage m_userIcon;
    LuCarItem* m_car;
};

#endif
