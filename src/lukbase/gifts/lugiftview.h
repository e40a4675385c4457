#ifndef LUKBASE_LUGIFTVIEW_H
#define LUKBASE_LUGIFTVIEW_H

#include <lukbase/lukbase_export.h>

#include <lucore/luobject.h>

#include <QList>
#include <QListView>
#include <QScopedPointer>

class LuGiftItem;
class LuGiftViewPrivate;

/**
 * The gift panel: a grid of 46 x 68 cells, each with a gift's thumbnail, its name and its
 * price ("1 Wan" for ten thousand, "1 Yi" for a hundred million).
 *
 * The view owns its model (LuGiftModel) and its painting delegate. Hovered, current and
 * selected cells get a light background; the gift's tooltip shows on hover. The context
 * menu policy is Qt::CustomContextMenu, so the host receives customContextMenuRequested().
 *
 * A thumbnail that arrives later (LuGiftManager::thumbnailUpdated()) shows at the next
 * repaint of its cell. The grid flows anew whenever the view's width changes.
 */
class LUKBASE_EXPORT LuGiftView : public QListView, public LuObject
{
    Q_OBJECT

public:
    /**
     * Constructs an empty gift panel with its model and delegate.
     * @param parent the parent widget
     */
    explicit LuGiftView(QWidget* parent = nullptr);
    /** Destroys the view; its model gives back its references. */
    ~LuGiftView() override;

    /**
     * Shows gift records.
     * @param gifts the records, in display order; the view's model holds a reference on each
     */
    void setGifts(const QList<LuGiftItem*>& gifts);

    /**
     * The record behind an index.
     * @param index an index of the view's model
     * @return the record, or null for an invalid index
     */
    LuGiftItem* gift(const QModelIndex& index) const;
    /** @return the record of the current cell, or null when there is none */
    LuGiftItem* currentGift() const;
    /**
     * The index of a record.
     * @param item the record
     * @param column the column of the index
     * @return the index of the first cell that shows @p item; invalid when it is not shown
     */
    QModelIndex index(const LuGiftItem* item, int column = 0) const;

protected:
    /**
     * Repaints the cells in the new language on a change of language.
     * @param event the change event
     */
    void changeEvent(QEvent* event) override;

private Q_SLOTS:
    void giftItemEntered(const QModelIndex& index);
    void giftItemEntered();

private:
    Q_DECLARE_PRIVATE(LuGiftView)
    const QScopedPointer<LuGiftViewPrivate> d_ptr;
};

#endif
