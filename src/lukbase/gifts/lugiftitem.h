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
    /**
     * Builds a record. Note the order: the three paths come as thumbnail ("<id>.png"),
     * animated image ("<id>.gif") and star logo ("<id>_star.gif"), and @p flags comes last.
     *
     * @param type 1 = lucky gift, 2 = battle gift star gift, anything else = ordinary
     * @param cmd special room command (10001, 10005, 10006, 10007, 10009), 0 = none
     * @param flags bit 0 set = the gift has a Flash animation
     */
    LuGiftItem(int id, int type, int cmd, const QString& name, const QString& unit, qint64 price, qint64 giftmoney,
        const QString& thumbnailPath, const QString& imagePath, const QString& starLogoPath, int flags);
    ~LuGiftItem() override;

    /** The catalogue id; also the number in the gift's resource file names. */
    int id() const { return m_id; }
    /** 1 = lucky gift, 2 = battle gift star gift, any other value = ordinary gift. */
    int type() const { return m_type; }
    /** The special room command carried by the gift, 0 = none. */
    int cmd() const { return m_cmd; }
    /** Flag bits; bit 0 = has a Flash animation. */
    int flags() const { return m_flags; }
    /** The price of one gift. */
    qint64 price() const { return m_price; }
    /** The money credited to the receiver for one gift. */
    qint64 giftmoney() const { return m_giftmoney; }
    /** The display name. */
    QString name() const { return m_name; }
    /** The gift's unit word, as given. */
    QString unit() const { return m_unit; }
    /** Path of the animated picture. */
    QString imagePath() const { return m_imagePath; }
    /** Path of the small picture. */
    QString thumbnailPath() const { return m_thumbnailPath; }
    /** Path of the star logo; meaningful for gifts of type 2. */
    QString starLogoPath() const { return m_starLogoPath; }

    /** True for the two money-sharing gifts (commands 10007 and 10009). */
    bool isYanHua() const;
    /** True when bit 0 of flags() is set. */
    bool hasFlash() const;

    /**
     * Width in pixels of the picture at imagePath(), read once and kept; 0 when the file
     * is missing or cannot be decoded (and still 0 after the file appears).
     */
    int width();
    /**
     * The thumbnail, read once from thumbnailPath() and kept; a null image when the file
     * cannot be read (not retried). The gift manager replaces it when a download arrives.
     */
    QImage thumbnail();
    /**
     * The multi-line tooltip: name and price, the receiver's money, and one line for the
     * room command or, without one, for the lucky or battle-star type. Translated in the
     * context "LuGiftManager" when first asked for, then kept.
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
