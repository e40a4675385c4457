#include "giftlistpage.h"

#include <lukbase/lugiftitem.h>
#include <lukbase/lugiftview.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct Gift
{
    int id;
    int type;
    int cmd;
    const char* name;
    const char* picture;
    qint64 price;
};

// Prices that show each format: plain digits, Wan (ten thousand) and Yi (a hundred million).
const Gift kGifts[] = {
    { 1, 0, 0, "Rose", "rose", 1 },
    { 2, 0, 10001, "Heart", "heart", 520 },
    { 3, 0, 0, "Birthday Cake", "cake", 9999 },
    { 4, 1, 0, "Lucky Star", "star", 10000 },
    { 5, 2, 0, "Diamond", "diamond", 1314000 },
    { 6, 0, 10006, "Crown", "crown", 99999999 },
    { 7, 0, 10007, "Rocket", "rocket", 100000000 },
    { 8, 0, 10005, "Castle in the Sky", "castle", 250000000 },
};

} // namespace

GiftListPanel::GiftListPanel(QWidget* parent)
    : QWidget(parent)
    , m_view(new LuGiftView(this))
    , m_details(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    m_details->setWordWrap(true);
    m_details->setMinimumHeight(64);
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
    m_view->update(m_view->index(gift));
}

void GiftListPanel::showCurrent()
{
    LuGiftItem* gift = m_view->currentGift();
    m_details->setText(gift ? gift->tooltip() : QStringLiteral("Pick a gift to see what it does."));
}

GiftListPage::GiftListPage(QWidget* parent)
    : SandboxPage(parent)
    , m_panel(new GiftListPanel(this))
{
    for (const Gift& gift : kGifts) {
        const QString picture = QStringLiteral(":/giftlist/%1.png").arg(QLatin1String(gift.picture));
        auto* item = new LuGiftItem(gift.id, gift.type, gift.cmd, QString::fromUtf8(gift.name), QString(), gift.price,
            gift.price * 8 / 10, picture, QString(), QString(), 0);
        item->ref();
        m_gifts.append(item);
    }
    m_panel->setGifts(m_gifts);
    // Room for four columns and two rows, like the room's gift panel.
    LuGiftView* view = m_panel->view();
    view->setFixedSize(4 * 46 + 2 * view->frameWidth() + 2, 2 * 68 + 2 * view->frameWidth() + 2);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("<h2>Gift list</h2>The room's gift panel: picture, name and price "
                                                "of each gift. Click a gift to see its description."),
        this));
    layout->addWidget(m_panel);
    layout->addStretch(1);
}

GiftListPage::~GiftListPage()
{
    // The view holds references of its own; these are the page's.
    for (LuGiftItem* gift : std::as_const(m_gifts))
        gift->release();
}

QString GiftListPage::title() const
{
    return QStringLiteral("Gift list");
}

void GiftListPage::prepareScreenshot(const std::function<void()>& ready)
{
    QTimer::singleShot(100, this, [this, ready] {
        LuGiftView* view = m_panel->view();
        view->setCurrentIndex(view->index(m_gifts.at(7)));
        QWidget* viewport = view->viewport();
        const QPoint pos = view->visualRect(view->index(m_gifts.at(5))).center();
        QMouseEvent move(
            QEvent::MouseMove, pos, viewport->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        ready();
    });
}
