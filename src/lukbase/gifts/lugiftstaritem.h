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
     * Builds a star with a count of 0. The first eleven arguments build the gift record
     * exactly as LuGiftItem's constructor does; the last four name the holders of the star.
     * @param id the catalogue id
     * @param type the gift type (2 for battle gift stars)
     * @param cmd the special room command, 0 = none
     * @param name the display name
     * @param unit the gift's unit word
     * @param price the price of one gift
     * @param giftmoney the money credited to the receiver for one gift
     * @param thumbnailPath the small picture
     * @param imagePath the animated picture
     * @param starLogoPath the star logo
     * @param flags bit 0 set = the gift has a Flash animation
     * @param sendid0 the user id of the sending holder, 0 = none
     * @param sendnum0 the sending holder's count
     * @param recvid0 the user id of the receiving holder, 0 = none
     * @param recvnum0 the receiving holder's count
     */
    LuGiftStarItem(int id, int type, int cmd, const QString& name, const QString& unit, qint64 price, qint64 giftmoney,
        const QString& thumbnailPath, const QString& imagePath, const QString& starLogoPath, int flags, int sendid0,
        int sendnum0, int recvid0, int recvnum0);
    /** Destroys the star; only the last release() does this. */
    ~LuGiftStarItem() override;

    /** @return the user id of the sending holder, 0 = none */
    int sendid0() const { return m_sendid0; }
    /** @return the sending holder's count */
    int sendnum0() const { return m_sendnum0; }
    /** @return the user id of the receiving holder, 0 = none */
    int recvid0() const { return m_recvid0; }
    /** @return the receiving holder's count */
    int recvnum0() const { return m_recvnum0; }

private:
    int m_sendid0;
    int m_sendnum0;
    int m_recvid0;
    int m_recvnum0;
};

#endif
