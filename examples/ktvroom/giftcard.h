#ifndef KTVROOM_GIFTCARD_H
#define KTVROOM_GIFTCARD_H

#include <QImage>
#include <QString>
#include <QWidget>

class LuGiftItem;

// One gift record as a small card: its thumbnail (with the star logo of battle-star gifts),
// name and price, and where each of its files stands: downloaded into the gift directory
// or still the fallback icon. The tooltip is the record's own.
class GiftCard : public QWidget
{
    Q_OBJECT

public:
    // The card does not hold a reference: the page keeps item alive longer than the card.
    GiftCard(LuGiftItem* item, const QString& giftDirectory, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // Reads the record again after the gift manager changed it.
    void refresh();
    // The thumbnail has arrived in the gift directory.
    bool isDownloaded() const { return m_thumbnailDownloaded; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool inGiftDirectory(const QString& path) const;

    LuGiftItem* m_item;
    QString m_giftDirectory;
    QImage m_thumbnail;
    QImage m_starLogo;
    bool m_thumbnailDownloaded = false;
    bool m_imageDownloaded = false;
    bool m_starDownloaded = false;
    bool m_flashDownloaded = false;
};

#endif
