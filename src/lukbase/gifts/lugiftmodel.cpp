#include "lugiftmodel.h"
#include "lugiftitem.h"
#include "lugiftmodel_p.h"
#include "lugiftviewdelegate_p.h"

LuGiftModelPrivate::LuGiftModelPrivate(LuGiftModel* q)
    : q_ptr(q)
{
}

void LuGiftModelPrivate::retranslate()
{
    Q_Q(LuGiftModel);
    if (!gifts.isEmpty())
        Q_EMIT q->dataChanged(q->index(0, 0), q->index(int(gifts.size()) - 1, 0), { Qt::AccessibleTextRole });
}

LuGiftModel::LuGiftModel(QObject* parent)
    : QAbstractItemModel(parent)
    , d_ptr(new LuGiftModelPrivate(this))
{
}

LuGiftModel::~LuGiftModel()
{
    Q_D(LuGiftModel);
    for (LuGiftItem* gift : std::as_const(d->gifts))
        gift->release();
}

void LuGiftModel::setGifts(const QList<LuGiftItem*>& gifts)
{
    Q_D(LuGiftModel);
    beginResetModel();
    // New references first: a record in both lists must not reach zero in between.
    for (LuGiftItem* gift : gifts)
        gift->ref();
    const QList<LuGiftItem*> old = d->gifts;
    d->gifts = gifts;
    d->firstRows.clear();
    d->firstRows.reserve(gifts.size());
    for (int row = int(gifts.size()) - 1; row >= 0; --row)
        d->firstRows.insert(gifts.at(row), row);
    for (LuGiftItem* gift : old)
        gift->release();
    endResetModel();
}

LuGiftItem* LuGiftModel::gift(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<LuGiftItem*>(index.internalPointer()) : nullptr;
}

QModelIndex LuGiftModel::index(const LuGiftItem* item, int column) const
{
    Q_D(const LuGiftModel);
    const int row = d->firstRows.value(item, -1);
    if (row < 0)
        return QModelIndex();
    return createIndex(row, column, d->gifts.at(row));
}

QModelIndex LuGiftModel::index(int row, int column, const QModelIndex& parent) const
{
    Q_D(const LuGiftModel);
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    return createIndex(row, column, d->gifts.at(row));
}

QModelIndex LuGiftModel::parent(const QModelIndex&) const
{
    return QModelIndex();
}

int LuGiftModel::rowCount(const QModelIndex& parent) const
{
    Q_D(const LuGiftModel);
    return parent.isValid() ? 0 : int(d->gifts.size());
}

int LuGiftModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant LuGiftModel::data(const QModelIndex& index, int role) const
{
    LuGiftItem* item = gift(index);
    if (!item)
        return QVariant();

    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case NameRole:
        return item->name();
    case Qt::DecorationRole:
    case ThumbnailRole:
        return item->thumbnail();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return item->tooltip();
    case Qt::AccessibleTextRole:
        // The cell is painted: a screen reader gets its texts from here.
        return tr("%1, price %2").arg(item->name(), LuGiftViewDelegate::formatPrice(item->price()));
    case PriceRole:
        return qlonglong(item->price());
    default:
        return QVariant();
    }
}

Qt::ItemFlags LuGiftModel::flags(const QModelIndex& index) const
{
    if (index.isValid())
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    // The root only accepts drops: Qt's model rules allow it no other flag.
    return Qt::ItemIsDropEnabled;
}
