#ifndef LUKBASE_LUGIFTMODEL_H
#define LUKBASE_LUGIFTMODEL_H

#include <lukbase/lukbase_export.h>

#include <lucore/luobject.h>

#include <QAbstractItemModel>
#include <QList>
#include <QScopedPointer>

class LuGiftItem;
class LuGiftModelPrivate;

/**
 * A flat, one-column list of gift records for item views.
 *
 * The model holds one reference on each record from setGifts() until the next setGifts()
 * or its own destruction, so the host may release its references meanwhile.
 *
 * Item data, by the roles of Role and these:
 * - Qt::DisplayRole, Qt::EditRole: the gift's name (QString), as NameRole
 * - Qt::DecorationRole: the gift's thumbnail (QImage), as ThumbnailRole
 * - Qt::ToolTipRole: the gift's tooltip
 * - Qt::AccessibleTextRole: the gift's name and price, as the cell shows them
 * - Qt::AccessibleDescriptionRole: the gift's tooltip
 */
class LUKBASE_EXPORT LuGiftModel : public QAbstractItemModel, public LuObject
{
    Q_OBJECT

public:
    /** The item-data roles of the gift list, from Qt::UserRole on. */
    enum Role {
        /** The gift's name (QString). */
        NameRole = Qt::UserRole,
        /**
         * The gift's thumbnail (QImage), read on every call, so that a thumbnail stored later
         * by the gift manager shows at the next repaint.
         */
        ThumbnailRole = Qt::UserRole + 1,
        /** The gift's price (qlonglong). */
        PriceRole = Qt::UserRole + 2,
    };
    Q_ENUM(Role)

    /**
     * Constructs an empty model.
     * @param parent the parent object
     */
    explicit LuGiftModel(QObject* parent = nullptr);
    /** Releases every record the model holds. */
    ~LuGiftModel() override;

    /**
     * Replaces the rows, as a model reset. A record that is in both the old and the new list
     * stays alive throughout.
     * @param gifts the records, in display order; the model takes a reference on each
     */
    void setGifts(const QList<LuGiftItem*>& gifts);

    /**
     * The record behind an index.
     * @param index an index of this model
     * @return the record, or null for an invalid index
     */
    LuGiftItem* gift(const QModelIndex& index) const;

    /**
     * The index of a record, found without a search, so a host may ask for it at every
     * arriving thumbnail.
     * @param item the record
     * @param column the column of the index
     * @return the index of the first row that shows @p item; an invalid index when it is
     *         not listed
     */
    QModelIndex index(const LuGiftItem* item, int column = 0) const;

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
     * @return the number of gifts listed under the root, 0 elsewhere
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
    Q_DECLARE_PRIVATE(LuGiftModel)
    const QScopedPointer<LuGiftModelPrivate> d_ptr;
};

#endif
