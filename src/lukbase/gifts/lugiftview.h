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
    explicit LuGiftView(QWidget* parent = nullptr);
    ~LuGiftView() override;

    /** Shows @p gifts, in that order; the view's model holds a reference on each. */
    void setGifts(const QList<LuGiftItem*>& gifts);

    /** The record behind @p index, or null for an invalid index. */
    LuGiftItem* gift(const QModelIndex& index) const;
    /** The record of the current cell, or null when there is none. */
    LuGiftItem* currentGift() const;
    /** The index of the first cell that shows @p item; invalid when it is not shown. */
    QModelIndex index(const LuGiftItem* item, int column = 0) const;

private Q_SLOTS:
    void giftItemEntered(const QModelIndex& index);
    void giftItemEntered();

private:
    Q_DECLARE_PRIVATE(LuGiftView)
    QScopedPointer<LuGiftViewPrivate> d_ptr;
};

#endif
