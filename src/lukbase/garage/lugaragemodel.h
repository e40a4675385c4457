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
 * Item data, by the roles of Role and these:
 * - Qt::DisplayRole, Qt::EditRole: the car's name (QString), as CarNameRole
 * - Qt::DecorationRole: the car's picture (QImage), as CarImageRole
 * - Qt::AccessibleTextRole: the owner's name and the car's name
 *
 * The car roles of an item without a car answer an invalid QVariant.
 */
class LUKBASE_EXPORT LuGarageModel : public QAbstractItemModel, public LuObject
{
    Q_OBJECT

public:
    /** The item-data roles of the garage, from Qt::UserRole on. */
    enum Role {
        /** The car's name (QString). */
        CarNameRole = Qt::UserRole,
        /** The car's price narrowed to int. */
        CarPriceRole = Qt::UserRole + 1,
        /** The car's logo (QImage). */
        CarLogoRole = Qt::UserRole + 2,
        /** The car's picture (QImage). */
        CarImageRole = Qt::UserRole + 3,
        /** The owner's user id (int). */
        UserIdRole = Qt::UserRole + 4,
        /** The owner's name (QString). */
        UserNameRole = Qt::UserRole + 5,
        /** The owner's picture (QImage). */
        UserIconRole = Qt::UserRole + 6,
    };
    Q_ENUM(Role)

    /**
     * Constructs an empty model.
     * @param parent the parent object
     */
    explicit LuGarageModel(QObject* parent = nullptr);
    /** Destroys the model; the items stay the host's. */
    ~LuGarageModel() override;

    /**
     * Replaces the rows, as a model reset.
     * @param cars the items, in display order; not owned
     */
    void setCars(const QList<LuGarageItem*>& cars);

    /**
     * The item behind an index.
     * @param index an index of this model
     * @return the item, or null for an invalid index
     */
    LuGarageItem* car(const QModelIndex& index) const;

    /**
     * The index of an item.
     * @param item the item
     * @param column the column of the index
     * @return the index of the first row that shows @p item; when the item is not listed
     *         the index has row -1, and so is invalid
     */
    QModelIndex index(const LuGarageItem* item, int column = 0) const;

    /**
     * The index of a cell.
     * @param row the row
     * @param column the column; only 0 exists
     * @param parent the parent; only the invalid root index has rows
     * @return the index; invalid when there is no such cell
     */
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    using QObject::parent;
    /**
     * The list is flat.
     * @param child any index
     * @return an invalid index
     */
    QModelIndex parent(const QModelIndex& child) const override;
    /**
     * The number of rows.
     * @param parent the parent; only the invalid root index has rows
     * @return the number of items listed under the root, 0 elsewhere
     */
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    /**
     * The number of columns.
     * @param parent any index
     * @return 1
     */
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    /**
     * The data of a cell, by the roles listed in the class description.
     * @param index the cell
     * @param role the role
     * @return the data; an invalid QVariant for an invalid index or an unlisted role
     */
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /**
     * The flags of a cell.
     * @param index the cell
     * @return selectable and enabled for a cell; drop-enabled only for the root
     */
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    Q_DECLARE_PRIVATE(LuGarageModel)
    const QScopedPointer<LuGarageModelPrivate> d_ptr;
};

#endif
