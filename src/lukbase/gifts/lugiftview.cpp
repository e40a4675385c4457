#include "lugiftview.h"
#include "lugiftmodel.h"
#include "lugiftmodel_p.h"
#include "lugiftview_p.h"
#include "lugiftviewdelegate_p.h"

#include <QEvent>

LuGiftViewPrivate::LuGiftViewPrivate(LuGiftView* q)
    : q_ptr(q)
{
}

void LuGiftViewPrivate::init()
{
    Q_Q(LuGiftView);
    model = new LuGiftModel(q);
    q->setModel(model);
    q->setItemDelegate(new LuGiftViewDelegate(q));

    // Mouse tracking drives the hover background and the tooltips.
    q->setAttribute(Qt::WA_MouseTracking);
    q->setContextMenuPolicy(Qt::CustomContextMenu);
    q->setViewMode(QListView::IconMode);
    q->setSpacing(0);
    // The grid flows again whenever the width changes, also when the host filled the view
    // while it was hidden at a default size.
    q->setResizeMode(QListView::Adjust);

    QObject::connect(q, &QAbstractItemView::entered, q, qOverload<const QModelIndex&>(&LuGiftView::giftItemEntered));
    QObject::connect(q, &QAbstractItemView::viewportEntered, q, qOverload<>(&LuGiftView::giftItemEntered));
}

LuGiftView::LuGiftView(QWidget* parent)
    : QListView(parent)
    , d_ptr(new LuGiftViewPrivate(this))
{
    Q_D(LuGiftView);
    d->init();
}

LuGiftView::~LuGiftView() = default;

void LuGiftView::setGifts(const QList<LuGiftItem*>& gifts)
{
    Q_D(LuGiftView);
    d->model->setGifts(gifts);
}

LuGiftItem* LuGiftView::gift(const QModelIndex& index) const
{
    Q_D(const LuGiftView);
    return d->model->gift(index);
}

LuGiftItem* LuGiftView::currentGift() const
{
    return gift(currentIndex());
}

QModelIndex LuGiftView::index(const LuGiftItem* item, int column) const
{
    Q_D(const LuGiftView);
    return d->model->index(item, column);
}

void LuGiftView::changeEvent(QEvent* event)
{
    Q_D(LuGiftView);
    // The cells repaint their texts by themselves; the model's texts for screen readers
    // are announced anew.
    if (event->type() == QEvent::LanguageChange)
        LuGiftModelPrivate::get(d->model)->retranslate();
    QListView::changeEvent(event);
}

// Hover feedback is the delegate's background and the model's tooltip; the two slots stay
// as points where a host-specific build can hook in.
void LuGiftView::giftItemEntered(const QModelIndex&) { }

void LuGiftView::giftItemEntered() { }
