#ifndef LUKBASE_LUGARAGEMODEL_H
#define LUKBASE_LUGARAGEMODEL_H

#include <lukbase/lukbase_export.h>

#include <lucore/luobject.h>

#include <QAbstractItemModel>
#include <QList>
#include <QScopedPointer>

class LuGarageItem;
class LuGarageModelPrivate;

/**
 * A flat, one-column list of garage items for the garage view.
 *
 * The model owns neither the items nor their cars: the host keeps them alive while they
 * are shown. Car pictures and logos are read on first use and kept by the car.
 *
 * Item data:
 * - Qt::DisplayRole, Qt::EditRole, Qt::UserRole: the car's name (QString)
 * - Qt::DecorationRole, Qt::UserRole + 3: the car's picture (QImage)
 * - Qt::UserRole + 1: the car's price narrowed to int
 * - Qt::UserRole + 2: the car's logo (QImage)
 * - Qt::UserRole + 4: the owner's user id (int)
 * - Qt::UserRole + 5: the owner's name (QString)
 * - Qt::UserRole + 6: the owner's picture (QImage)
 * - Qt::AccessibleTextRole: the owner's name and the car's name
 *
 * The car roles of an item without a car answer an invalid QVariant.
 */
class LUKBASE_EXPORT LuGarageModel : public QAbstractItemModel, public LuObject
{
    Q_OBJECT

public:
    explicit LuGarageModel(QObject* parent = nullptr);
    ~LuGarageModel() override;

    /** Replaces the rows by @p cars, in that order, as a model reset. */
    void setCars(const QList<LuGarageItem*>& cars);

    /** The item behind @p index, or null for an invalid index. */
    LuGarageItem* car(const QModelIndex& index) const;

    /**
     * The index of the first row that shows @p item. When the item is not listed the index
     * has row -1, and so is invalid.
     */
    QModelIndex index(const LuGarageItem* item, int column = 0) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    using QObject::parent;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    Q_DECLARE_PRIVATE(LuGarageModel)
    QScopedPointer<LuGarageModelPrivate> d_ptr;
};

#endif
