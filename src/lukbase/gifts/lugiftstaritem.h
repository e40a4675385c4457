#ifndef LUKBASE_LUGIFTSTARITEM_H
#define LUKBASE_LUGIFTSTARITEM_H

#include <lukbase/lugiftitem.h>
#include <lukbase/lukbase_export.h>

/**
 * A gift star: a gift record together with the two users who hold its star, one
 * sending and one receiving user, each with a count. Reference-counted like every gift
 * record; LuGiftStarManager builds and keeps them.
 */
class LUKBASE_EXPORT LuGiftStarItem : public LuGiftItem
{
public:
    /**
     * The first eleven arguments build the gift record exactly as LuGiftItem's constructor
     * does; the last four name the holders of the star (a user id of 0 stands for none).
     */
    LuGiftStarItem(int id, int type, int cmd, const QString& name, const QString& unit, qint64 price, qint64 giftmoney,
        const QString& thumbnailPath, const QString& imagePath, const QString& starLogoPath, int flags, int sendid0,
        int sendnum0, int recvid0, int recvnum0);
    ~LuGiftStarItem() override;

    /** The user id of the sending holder, 0 = none. */
    int sendid0() const { return m_sendid0; }
    /** The sending holder's count. */
    int sendnum0() const { return m_sendnum0; }
    /** The user id of the receiving holder, 0 = none. */
    int recvid0() const { return m_recvid0; }
    /** The receiving holder's count. */
    int recvnum0() const { return m_recvnum0; }

private:
    int m_sendid0;
    int m_sendnum0;
    int m_recvid0;
    int m_recvnum0;
};

#endif
