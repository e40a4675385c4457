#include "lugarageview.h"
#include "lugarageitem.h"
#include "lugaragemodel.h"
#include "lugaragemodel_p.h"
#include "lugarageview_p.h"
#include "lugarageviewdelegate_p.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

LuGarageViewPrivate::LuGarageViewPrivate(LuGarageView* q)
    : q_ptr(q)
{
}

void LuGarageViewPrivate::init()
{
    Q_Q(LuGarageView);
    model = new LuGarageModel(q);
    q->setModel(model);
    q->setItemDelegate(new LuGarageViewDelegate(q));

    // Mouse tracking drives the hover cover and the hand cursor over the buttons.
    q->setAttribute(Qt::WA_MouseTracking);
    q->setContextMenuPolicy(Qt::CustomContextMenu);
    q->setViewMode(QListView::IconMode);
    q->setSpacing(8);

    QObject::connect(
        q, &QAbstractItemView::entered, q, qOverload<const QModelIndex&>(&LuGarageView::garageItemEntered));
    QObject::connect(q, &QAbstractItemView::viewportEntered, q, qOverload<>(&LuGarageView::garageItemEntered));

    q->setObjectName(QStringLiteral("GarageListView"));
}

QRect LuGarageViewPrivate::buttonRectAt(const QModelIndex& index) const
{
    Q_Q(const LuGarageView);
    return LuGarageViewDelegate::buttonRect(q->visualRect(index));
}

LuGarageView::LuGarageView(QWidget* parent)
    : QListView(parent)
    , d_ptr(new LuGarageViewPrivate(this))
{
    Q_D(LuGarageView);
    d->init();
}

LuGarageView::~LuGarageView() = default;

void LuGarageView::setCars(const QList<LuGarageItem*>& cars)
{
    Q_D(LuGarageView);
    d->model->setCars(cars);
}

LuGarageItem* LuGarageView::car(const QModelIndex& index) const
{
    Q_D(const LuGarageView);
    return d->model->car(index);
}

LuGarageItem* LuGarageView::currentCar() const
{
    return car(currentIndex());
}

QModelIndex LuGarageView::index(const LuGarageItem* item, int column) const
{
    Q_D(const LuGarageView);
    return d->model->index(item, column);
}

void LuGarageView::mousePressEvent(QMouseEvent* event)
{
    Q_D(LuGarageView);
    // Only the button reacts to clicks: the base class is left out, so cards are never
    // selected or made current by the mouse.
    if (event->button() != Qt::LeftButton)
        return;
    // A new left press starts a new click: one pending from an earlier press is forgotten.
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    const QRect button = index.isValid() ? d->buttonRectAt(index) : QRect();
    d->pressedRect = button.contains(pos) ? button : QRect();
}

void LuGarageView::mouseMoveEvent(QMouseEvent* event)
{
    Q_D(LuGarageView);
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (index.isValid())
        setCursor(d->buttonRectAt(index).contains(pos) ? Qt::PointingHandCursor : Qt::ArrowCursor);

    // The base class drives the hover cover and entered(). It never saw the press, so it
    // gets the move without buttons: otherwise a drag would select cards and leave it
    // in a drag selection that no release of its own ever ends.
    if (event->buttons() == Qt::NoButton) {
        QListView::mouseMoveEvent(event);
        return;
    }
    QMouseEvent hover(event->type(), event->position(), event->scenePosition(), event->globalPosition(), Qt::NoButton,
        Qt::NoButton, event->modifiers(), event->pointingDevice());
    hover.setTimestamp(event->timestamp());
    QListView::mouseMoveEvent(&hover);
}

void LuGarageView::mouseReleaseEvent(QMouseEvent* event)
{
    Q_D(LuGarageView);
    // A release over empty space keeps the pending click: coming back onto the same button
    // and releasing there still counts.
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || event->button() != Qt::LeftButton)
        return;

    if (d->pressedRect.contains(pos)) {
        if (LuGarageItem* item = car(index))
            Q_EMIT gotoUserGarage(item->userid());
    }
    d->pressedRect = QRect();
    setCursor(Qt::ArrowCursor);
}

void LuGarageView::keyPressEvent(QKeyEvent* event)
{
    // The keyboard's way to the button of the current card.
    switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
    case Qt::Key_Space:
        if (LuGarageItem* item = currentCar()) {
            event->accept();
            Q_EMIT gotoUserGarage(item->userid());
            return;
        }
        break;
    default:
        break;
    }
    QListView::keyPressEvent(event);
}

void LuGarageView::changeEvent(QEvent* event)
{
    Q_D(LuGarageView);
    // The cards repaint their texts by themselves; the model's texts for screen readers
    // are announced anew.
    if (event->type() == QEvent::LanguageChange)
        LuGarageModelPrivate::get(d->model)->retranslate();
    QListView::changeEvent(event);
}

bool LuGarageView::viewportEvent(QEvent* event)
{
    Q_D(LuGarageView);
    if (event->type() == QEvent::ToolTip) {
        // The button's text may be cut on the card: its tooltip says it whole.
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid() && d->buttonRectAt(index).contains(help->pos())) {
            QToolTip::showText(help->globalPos(), LuGarageViewDelegate::buttonText(), viewport());
            return true;
        }
    }
    return QListView::viewportEvent(event);
}

// Hover feedback is the delegate's cover; the two slots stay as points where a
// host-specific build can hook in.
void LuGarageView::garageItemEntered(const QModelIndex&) { }

void LuGarageView::garageItemEntered() { }
