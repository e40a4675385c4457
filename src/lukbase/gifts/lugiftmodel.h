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
 * Item data:
 * - Qt::DisplayRole, Qt::EditRole, Qt::UserRole: the gift's name (QString)
 * - Qt::DecorationRole, Qt::UserRole + 1: the gift's thumbnail (QImage), read on every call,
 *   so that a thumbnail stored later by the gift manager shows at the next repaint
 * - Qt::ToolTipRole: the gift's tooltip
 * - Qt::UserRole + 2: the gift's price (qlonglong)
 */
class LUKBASE_EXPORT LuGiftModel : public QAbstractItemModel, public LuObject
{
    Q_OBJECT

public:
    explicit LuGiftModel(QObject* parent = nullptr);
    /** Releases every record the model holds. */
    ~LuGiftModel() override;

    /**
     * Replaces the rows by @p gifts, in that order, as a model reset. A record that is in
     * both the old and the new list stays alive throughout.
     */
    void setGifts(const QList<LuGiftItem*>& gifts);

    /** The record behind @p index, or null for an invalid index. */
    LuGiftItem* gift(const QModelIndex& index) const;

    /**
     * The index of the first row that shows @p item; an invalid index when it is not listed.
     * Found without a search, so a host may ask for it at every arriving thumbnail.
     */
    QModelIndex index(const LuGiftItem* item, int column = 0) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    using QObject::parent;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    Q_DECLARE_PRIVATE(LuGiftModel)
    QScopedPointer<LuGiftModelPrivate> d_ptr;
};

#endif
