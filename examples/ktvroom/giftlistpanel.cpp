#include "giftlistpanel.h"

#include <lukbase/lugiftitem.h>
#include <lukbase/lugiftview.h>

#include <QLabel>
#include <QVBoxLayout>

GiftListPanel::GiftListPanel(QWidget* parent)
    : QWidget(parent)
    , m_view(new LuGiftView(this))
    , m_details(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    m_details->setWordWrap(true);
    m_details->setMinimumHeight(52);
    m_details->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(m_details);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, &GiftListPanel::showCurrent);
    connect(m_view->model(), &QAbstractItemModel::modelReset, this, &GiftListPanel::showCurrent);
    showCurrent();
}

void GiftListPanel::setGifts(const QList<LuGiftItem*>& gifts)
{
    m_view->setGifts(gifts);
}

void GiftListPanel::refreshGift(LuGiftItem* gift)
{
    m_view->update(m_view->index(gift, 0));
}

void GiftListPanel::showCurrent()
{
    LuGiftItem* gift = m_view->currentGift();
    m_details->setText(gift ? gift->tooltip() : QStringLiteral("Pick a gift to see what it does."));
}
