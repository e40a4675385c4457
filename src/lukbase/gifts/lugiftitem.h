#ifndef LUKBASE_LUGIFTITEM_H
#define LUKBASE_LUGIFTITEM_H

#include <lukbase/lukbase_export.h>

#include <lucore/lusharedobject.h>

#include <QImage>
#include <QString>

/**
 * One gift of the room's catalogue: what it is called and costs, what the receiver earns,
 * which room effect it has and where its pictures lie on disk.
 *
 * The record is reference-counted (LuSharedObject): the count starts at 0, each holder
 * calls ref() when it stores the record and release() when it lets go, and the last
 * release() deletes it. The gift manager, model and view, the gift-star registry and the
 * win-prize popup all hold records this way.
 *
 * Three derived values are computed on first use and then kept for the record's life:
 * width(), thumbnail() and tooltip(). Only the gift manager changes the paths and the
 * thumbnail afterwards, when downloaded files arrive.
 *
 * Use records on the GUI thread; only the reference count is atomic.
 */
class LUKBASE_EXPORT LuGiftItem : public LuSharedObject
{
public:
    /** The kinds of gift, as type() gives them; any value not listed is an ordinary gift. */
    enum Type {
        /** An ordinary gift. */
        OrdinaryGift = 0,
        /** A lucky gift: it may win a 1000-times bonus. */
        LuckyGift = 1,
        /** A battle gift star gift: it also has a star logo. */
        BattleStarGift = 2,
    };

    /** The special room commands a gift carries, as cmd() gives them; any value not listed is none. */
    enum Command {
        /** No special command. */
        NoCommand = 0,
        /** Moves the receiver's microphone up. */
        MicUpCommand = 10001,
        /** Siege gift: sender and receiver become king and queen. */
        SiegeCommand = 10005,
        /** Prolongs the receiver's microphone time. */
        MicTimeCommand = 10006,
        /** The money is shared among all users in the room. */
        RoomShareCommand = 10007,
        /** The money is shared among all room managers. */
        ManagerShareCommand = 10009,
    };

    /** The bits of flags(); no other bit is read. */
    enum Flag {
        /** The gift has a Flash animation (`<id>.swf`). */
        FlashFlag = 0x1,
    };

    /**
     * Builds a record with a count of 0; nothing is read from disk yet. Note the order: the
     * three paths come as thumbnail, animated image and star logo, and @p flags comes last.
     *
     * @param id the catalogue id, also the number in the gift's file names
     * @param type a Type: LuckyGift, BattleStarGift, anything else = ordinary
     * @param cmd a Command, or NoCommand
     * @param name the display name
     * @param unit the gift's unit word, kept as given
     * @param price the price of one gift
     * @param giftmoney the money credited to the receiver for one gift
     * @param thumbnailPath the small picture (`<id>.png` in the gift directory)
     * @param imagePath the animated picture (`<id>.gif`)
     * @param starLogoPath the star logo (`<id>_star.gif`), for battle gift star gifts
     * @param flags Flag bits: FlashFlag set = the gift has a Flash animation
     */
    LuGiftItem(int id, int type, int cmd, const QString& name, const QString& unit, qint64 price, qint64 giftmoney,
        const QString& thumbnailPath, const QString& imagePath, const QString& starLogoPath, int flags);
    /** Destroys the record; only the last release() does this. */
    ~LuGiftItem() override;

    /** @return the catalogue id; also the number in the gift's resource file names */
    int id() const { return m_id; }
    /** @return the Type: LuckyGift, BattleStarGift, any other value for an ordinary gift */
    int type() const { return m_type; }
    /** @return the Command carried by the gift, NoCommand or any value not listed = none */
    int cmd() const { return m_cmd; }
    /** @return the Flag bits */
    int flags() const { return m_flags; }
    /** @return the price of one gift */
    qint64 price() const { return m_price; }
    /** @return the money credited to the receiver for one gift */
    qint64 giftmoney() const { return m_giftmoney; }
    /** @return the display name */
    QString name() const { return m_name; }
    /** @return the gift's unit word, as given */
    QString unit() const { return m_unit; }
    /** @return the path of the animated picture */
    QString imagePath() const { return m_imagePath; }
    /** @return the path of the small picture */
    QString thumbnailPath() const { return m_thumbnailPath; }
    /** @return the path of the star logo; meaningful for battle gift star gifts */
    QString starLogoPath() const { return m_starLogoPath; }

    /** @return true for the two money-sharing gifts (RoomShareCommand and ManagerShareCommand) */
    bool isYanHua() const;
    /** @return true when flags() has FlashFlag */
    bool hasFlash() const;

    /**
     * The width of the animated picture, read once and kept.
     * @return the width in pixels of the picture at imagePath(); 0 when the file is missing
     *         or cannot be decoded (and still 0 after the file appears)
     */
    int width();
    /**
     * The thumbnail, read once from thumbnailPath() and kept. The gift manager replaces it
     * when a download arrives.
     * @return the thumbnail; a null image when the file cannot be read (not retried)
     */
    QImage thumbnail();
    /**
     * The multi-line tooltip, translated in the context "LuGiftManager" when first asked
     * for, then kept.
     * @return plain text: name and price, the receiver's money, and one line for the room
     *         command or, without one, for the lucky or battle-star type
     */
    QString tooltip();

private:
    // The gift manager writes paths and thumbnails past the caches.
    friend class LuGiftItemAccess;

    int m_id;
    int m_type;
    int m_cmd;
    qint64 m_price;
    qint64 m_giftmoney;
    int m_flags;
    int m_cachedWidth;
    bool m_thumbnailLoaded;
    QString m_name;
    QString m_unit;
    QString m_thumbnailPath;
    QString m_imagePath;
    QString m_starLogoPath;
    QString m_cachedTooltip;
    QImage m_thumbnailImage;
};

#endif
