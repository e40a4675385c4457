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
     * Builds a record with a count of 0; nothing is read from disk yet. Note the order: the
     * three paths come as thumbnail, animated image and star logo, and @p flags comes last.
     *
     * @param id the catalogue id, also the number in the gift's file names
     * @param type 1 = lucky gift, 2 = battle gift star gift, anything else = ordinary
     * @param cmd special room command (10001, 10005, 10006, 10007, 10009), 0 = none
     * @param name the display name
     * @param unit the gift's unit word, kept as given
     * @param price the price of one gift
     * @param giftmoney the money credited to the receiver for one gift
     * @param thumbnailPath the small picture (`<id>.png` in the gift directory)
     * @param imagePath the animated picture (`<id>.gif`)
     * @param starLogoPath the star logo (`<id>_star.gif`), for gifts of type 2
     * @param flags bit 0 set = the gift has a Flash animation (`<id>.swf`)
     */
    LuGiftItem(int id, int type, int cmd, const QString& name, const QString& unit, qint64 price, qint64 giftmoney,
        const QString& thumbnailPath, const QString& imagePath, const QString& starLogoPath, int flags);
    /** Destroys the record; only the last release() does this. */
    ~LuGiftItem() override;

    /** @return the catalogue id; also the number in the gift's resource file names */
    int id() const { return m_id; }
    /** @return 1 for a lucky gift, 2 for a battle gift star gift, any other value for an ordinary gift */
    int type() const { return m_type; }
    /** @return the special room command carried by the gift, 0 = none */
    int cmd() const { return m_cmd; }
    /** @return the flag bits; bit 0 = has a Flash animation */
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
    /** @return the path of the star logo; meaningful for gifts of type 2 */
    QString starLogoPath() const { return m_starLogoPath; }

    /** @return true for the two money-sharing gifts (commands 10007 and 10009) */
    bool isYanHua() const;
    /** @return true when bit 0 of flags() is set */
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
