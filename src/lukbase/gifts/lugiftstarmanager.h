#ifndef LUKBASE_LUGIFTSTARMANAGER_H
#define LUKBASE_LUGIFTSTARMANAGER_H

#include <lukbase/lugiftstaritem.h>
#include <lukbase/lukbase_export.h>

#include <QList>
#include <QObject>
#include <QScopedPointer>

class LuGiftStarManagerPrivate;

/**
 * The process-wide registry of gift stars: one star per gift id, and for each user the
 * stars the user holds.
 *
 * LuKBase::initialize() creates the registry and LuKBase::finalize() deletes it; reach it
 * through instance() in between. The registry holds one reference on each star; a star
 * that the host wants to keep past clearAll() needs a reference of its own.
 *
 * GUI thread only.
 */
class LUKBASE_EXPORT LuGiftStarManager : public QObject
{
    Q_OBJECT

public:
    /**
     * Creates an empty registry and makes it the current instance. LuKBase::initialize()
     * does this; hosts do not.
     * @param parent the parent object
     */
    explicit LuGiftStarManager(QObject* parent = nullptr);
    /** Gives back every star; instance() becomes null if this was the current instance. */
    ~LuGiftStarManager() override;

    /** @return the current registry; null before LuKBase::initialize() and after LuKBase::finalize() */
    static LuGiftStarManager* instance();

    /**
     * Registers the star of a gift, with its pictures in LuKBase::giftDirectory()
     * (`<id>.png`, `<id>.gif`, `<id>_star.gif`), and lists it for the sending and the
     * receiving holder when their id is not 0 and their count is at least 1. Note that
     * @p flags comes fourth here. A gift id that is registered already is reported and
     * answered with the existing star, unchanged.
     * @param id the gift's catalogue id
     * @param type the gift type
     * @param cmd the special room command, 0 = none
     * @param flags bit 0 set = the gift has a Flash animation
     * @param name the display name
     * @param unit the gift's unit word
     * @param price the price of one gift
     * @param giftmoney the money credited to the receiver for one gift
     * @param sendid0 the user id of the sending holder, 0 = none
     * @param sendnum0 the sending holder's count
     * @param recvid0 the user id of the receiving holder, 0 = none
     * @param recvnum0 the receiving holder's count
     * @return the star, held by the registry: ref() it to keep it past clearAll()
     */
    LuGiftStarItem* addGiftStar(int id, int type, int cmd, int flags, const QString& name, const QString& unit,
        qint64 price, qint64 giftmoney, int sendid0, int sendnum0, int recvid0, int recvnum0);
    /**
     * Looks a star up.
     * @param id the gift's catalogue id
     * @return the star of the gift, or null
     */
    LuGiftStarItem* getGiftStar(int id) const;
    /**
     * The stars a user holds.
     * @param userid the user's id
     * @return the stars in the order they were added (a star held twice appears twice)
     */
    QList<LuGiftStarItem*> getUserStars(int userid) const;
    /** @return every star, in ascending order of gift id */
    QList<LuGiftStarItem*> allGiftStars() const;
    /** @return every user who holds a star, ascending */
    QList<int> allUsers() const;
    /** Gives back every star and forgets all of them. */
    void clearAll();

private:
    Q_DECLARE_PRIVATE(LuGiftStarManager)
    const QScopedPointer<LuGiftStarManagerPrivate> d_ptr;
};

#endif
