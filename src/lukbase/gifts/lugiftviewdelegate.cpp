#include "lugiftmodel.h"
#include "lugiftviewdelegate_p.h"

#include <QImage>
#include <QPainter>

namespace {

constexpr int kCellWidth = 46;
constexpr int kCellHeight = 68;
// Pictures are laid out for 32 x 32 thumbnails.
constexpr int kThumbnailWidth = 32;

constexpr qint64 kWan = 10000;
constexpr qint64 kYi = 100000000;

const QColor kSelectedBackground(252, 234, 166);
const QColor kHoverBackground(252, 240, 192);
const int kTextFlags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;

} // namespace

LuGiftViewDelegate::LuGiftViewDelegate(QObject* parent)
    : QAbstractItemDelegate(parent)
{
}

LuGiftViewDelegate::~LuGiftViewDelegate() = default;

QString LuGiftViewDelegate::formatPrice(qint64 price)
{
    if (price < kWan)
        return QString::number(price);
    if (price < kYi)
        return tr("%1 Wan").arg(QString::number(price / kWan));
    return tr("%1 Yi").arg(QString::number(price / kYi));
}

QRect LuGiftViewDelegate::nameRect(const QRect& cell)
{
    return QRect(QPoint(cell.left() + 2, cell.top() + 36), QPoint(cell.right() - 2, cell.top() + 51));
}

QRect LuGiftViewDelegate::priceRect(const QRect& cell)
{
    return QRect(QPoint(cell.left() + 2, cell.top() + 52), QPoint(cell.right() - 2, cell.top() + 67));
}

QPoint LuGiftViewDelegate::thumbnailPosition(const QRect& cell)
{
    return QPoint(cell.left() + (cell.width() - kThumbnailWidth) / 2, cell.top() + 2);
}

void LuGiftViewDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QRect cell = option.rect;
    painter->save();

    if (option.state & (QStyle::State_Selected | QStyle::State_HasFocus))
        painter->fillRect(cell, kSelectedBackground);
    else if (option.state & QStyle::State_MouseOver)
        painter->fillRect(cell, kHoverBackground);

    // Drawn at its device-independent size, so a high-resolution thumbnail keeps the layout.
    const QImage thumbnail = index.data(LuGiftModel::ThumbnailRole).value<QImage>();
    if (!thumbnail.isNull())
        painter->drawImage(thumbnailPosition(cell), thumbnail);

    const QRect name = nameRect(cell);
    const QString elided
        = painter->fontMetrics().elidedText(index.data(LuGiftModel::NameRole).toString(), Qt::ElideRight, name.width());
    painter->setPen(QColor(0, 0, 0));
    painter->drawText(name, kTextFlags, elided);

    // A price as wide as "9999 Wan" does not fit the cell in every font; cut, it keeps its start.
    const QRect price = priceRect(cell);
    painter->drawText(price, kTextFlags,
        painter->fontMetrics().elidedText(
            formatPrice(index.data(LuGiftModel::PriceRole).toLongLong()), Qt::ElideRight, price.width()));

    painter->restore();
}

QSize LuGiftViewDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return QSize(kCellWidth, kCellHeight);
}
