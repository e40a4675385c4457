#ifndef LUKBASE_LUGIFTVIEWDELEGATE_P_H
#define LUKBASE_LUGIFTVIEWDELEGATE_P_H

#include <lucore/luobject.h>

#include <QAbstractItemDelegate>

// Paints one 46 x 68 cell of the gift view: background state, centred thumbnail, elided
// name and price. Internal to the library; created by LuGiftView only.
class LuGiftViewDelegate : public QAbstractItemDelegate, public LuObject
{
    Q_OBJECT

public:
    explicit LuGiftViewDelegate(QObject* parent = nullptr);
    ~LuGiftViewDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The price as the cell shows it: plain digits below ten thousand, then whole units of
    // ten thousand ("Wan") up to a hundred million, then whole "Yi".
    static QString formatPrice(qint64 price);

    // The areas of a cell at rect, in the cell's coordinates.
    static QRect nameRect(const QRect& cell);
    static QRect priceRect(const QRect& cell);
    static QPoint thumbnailPosition(const QRect& cell);
};

#endif
