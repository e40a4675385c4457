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
    /** Creates an empty registry and makes it the current instance. */
    explicit LuGiftStarManager(QObject* parent = nullptr);
    /** Gives back every star; instance() becomes null if this was the current instance. */
    ~LuGiftStarManager() override;

    /** The current registry, or null before LuKBase::initialize() and after LuKBase::finalize(). */
    static LuGiftStarManager* instance();

    /**
     * Registers the star of gift @p id, with its pictures in LuKBase::giftDirectory()
     * ("<id>.png", "<id>.gif", "<id>_star.gif"), and lists it for the sending and the
     * receiving holder when their id is not 0 and their count is at least 1. Note that
     * @p flags comes fourth here. A gift id that is registered already is reported and
     * answered with the existing star, unchanged.
     */
    LuGiftStarItem* addGiftStar(int id, int type, int cmd, int flags, const QString& name, const QString& unit,
        qint64 price, qint64 giftmoney, int sendid0, int sendnum0, int recvid0, int recvnum0);
    /** The star of gift @p id, or null. */
    LuGiftStarItem* getGiftStar(int id) const;
    /** The stars that user @p userid holds, in the order they were added (a star held twice appears twice). */
    QList<LuGiftStarItem*> getUserStars(int userid) const;
    /** Every star, in ascending order of gift id. */
    QList<LuGiftStarItem*> allGiftStars() const;
    /** Every user who holds a star, ascending. */
    QList<int> allUsers() const;
    /** Gives back every star and forgets all of them. */
    void clearAll();

private:
    Q_DECLARE_PRIVATE(LuGiftStarManager)
    QScopedPointer<LuGiftStarManagerPrivate> const d_ptr;
};

#endif
