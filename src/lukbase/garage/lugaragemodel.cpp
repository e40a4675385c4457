#include "lugaragemodel.h"
#include "lucaritem.h"
#include "lugarageitem.h"
#include "lugaragemodel_p.h"

LuGarageModelPrivate::LuGarageModelPrivate(LuGarageModel* q)
    : q_ptr(q)
{
}

void LuGarageModelPrivate::retranslate()
{
    Q_Q(LuGarageModel);
    if (!cars.isEmpty())
        Q_EMIT q->dataChanged(q->index(0, 0), q->index(int(cars.size()) - 1, 0), { Qt::AccessibleTextRole });
}

LuGarageModel::LuGarageModel(QObject* parent)
    : QAbstractItemModel(parent)
    , d_ptr(new LuGarageModelPrivate(this))
{
}

LuGarageModel::~LuGarageModel() = default;

void LuGarageModel::setCars(const QList<LuGarageItem*>& cars)
{
    Q_D(LuGarageModel);
    beginResetModel();
    d->cars = cars;
    endResetModel();
}

LuGarageItem* LuGarageModel::car(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<LuGarageItem*>(index.internalPointer()) : nullptr;
}

QModelIndex LuGarageModel::index(const LuGarageItem* item, int column) const
{
    Q_D(const LuGarageModel);
    auto* listed = const_cast<LuGarageItem*>(item);
    return createIndex(int(d->cars.indexOf(listed)), column, listed);
}

QModelIndex LuGarageModel::index(int row, int column, const QModelIndex& parent) const
{
    Q_D(const LuGarageModel);
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    return createIndex(row, column, d->cars.at(row));
}

QModelIndex LuGarageModel::parent(const QModelIndex&) const
{
    return QModelIndex();
}

int LuGarageModel::rowCount(const QModelIndex& parent) const
{
    Q_D(const LuGarageModel);
    return parent.isValid() ? 0 : int(d->cars.size());
}

int LuGarageModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant LuGarageModel::data(const QModelIndex& index, int role) const
{
    LuGarageItem* item = car(index);
    if (!item)
        return QVariant();

    switch (role) {
    case UserIdRole:
        return item->userid();
    case UserNameRole:
        return item->userName();
    case UserIconRole:
        return item->userIcon();
    default:
        break;
    }

    // An owner without a car still shows as a card, only without the car's data.
    LuCarItem* car = item->car();
    if (role == Qt::AccessibleTextRole) {
        // The card is painted: a screen reader gets its texts from here.
        return car ? tr("%1's car: %2").arg(item->userName(), car->name()) : item->userName();
    }
    if (!car)
        return QVariant();

    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case CarNameRole:
        return car->name();
    case Qt::DecorationRole:
    case CarImageRole:
        return car->image();
    case CarPriceRole:
        return car->price();
    case CarLogoRole:
        return car->logo();
    default:
        return QVariant();
    }
}

Qt::ItemFlags LuGarageModel::flags(const QModelIndex& index) const
{
    if (index.isValid())
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    // The root only accepts drops: Qt's model rules allow it no other flag.
    return Qt::ItemIsDropEnabled;
}
