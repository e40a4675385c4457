#include "garagepage.h"

#include <lukbase/lucaritem.h>
#include <lukbase/lugarageitem.h>
#include <lukbase/lugarageview.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct Car
{
    const char* name;
    qint64 price;
};

// The six cars of the sandbox; pictures and logos are drawn at build time.
const Car kCars[] = {
    { "Scarlet Comet", 1880000 },
    { "Blue Harbour", 420000 },
    { "Sunny Roadster", 960000 },
    { "Forest Ranger", 650000 },
    { "Silver Sonata", 380000 },
    // Above 2^31: the garage reads prices as int, so this one shows its low 32 bits.
    { "Midnight Estate", 4294967296LL + 520000 },
};

struct Owner
{
    int userid;
    const char* name;
    int car;
    bool icon;
};

const Owner kOwners[] = {
    { 20001, "Mia", 0, true },
    { 20002, "Jun", 1, false },
    { 20003, "\xe5\xb0\x8f\xe9\xbb\x84\xe9\xb8\x9f", 2, true }, // a Chinese nickname
    { 20004, "Ola", 3, true },
    { 20005, "Captain Karaoke of the Late Night Room", 4, true },
    { 20006, "Rui", 5, false },
    { 20007, "Ben", 0, true },
    { 20008, "%1%2%3", 2, false },
    { 20009, "Ivy", 3, true },
    { 20010, "Leo", 1, true },
    { 20011, "Nana", 4, false },
    { 20012, "Sam", 5, true },
};

// An owner's round picture, 16 x 16 on screen and drawn at twice that for sharp screens.
QImage ownerIcon(int seed, const QString& name)
{
    QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(QColor::fromHsv((seed * 47) % 360, 150, 220));
    painter.drawEllipse(QRectF(1, 1, 30, 30));
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, name.left(1).toUpper());
    painter.end();
    icon.setDevicePixelRatio(2);
    return icon;
}

} // namespace

GaragePage::GaragePage(QWidget* parent)
    : SandboxPage(parent)
    , m_view(new LuGarageView(this))
    , m_status(new QLabel(this))
{
    for (int i = 0; i < int(std::size(kCars)); ++i) {
        m_cars.push_back(std::make_unique<LuCarItem>(i + 1, QString::fromUtf8(kCars[i].name), kCars[i].price,
            QStringLiteral(":/garage/car-%1.png").arg(i + 1), QStringLiteral(":/garage/logo-%1.png").arg(i + 1)));
    }
    QList<LuGarageItem*> shown;
    for (const Owner& owner : kOwners) {
        const QString name = QString::fromUtf8(owner.name);
        m_owners.push_back(std::make_unique<LuGarageItem>(
            owner.userid, name, owner.icon ? ownerIcon(owner.userid, name) : QImage(), m_cars.at(owner.car).get()));
        shown.append(m_owners.back().get());
    }
    m_view->setCars(shown);
    connect(m_view, &LuGarageView::gotoUserGarage, this, &GaragePage::openGarage);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("<h2>Garage</h2>The cars of the room's singers. Point at a card and "
                                                "press its button to open that singer's garage."),
        this));
    layout->addWidget(m_view, 1);
    m_status->setText(QStringLiteral("No garage opened yet."));
    layout->addWidget(m_status);
}

GaragePage::~GaragePage()
{
    // The view goes first: it must not outlive the records it shows.
    delete m_view;
}

QString GaragePage::title() const
{
    return QStringLiteral("Garage");
}

void GaragePage::openGarage(int userid)
{
    m_status->setText(QStringLiteral("The host would now open the garage of user %1.").arg(userid));
}

void GaragePage::prepareScreenshot(const std::function<void()>& ready)
{
    // After the page is laid out, a pointer move over the sixth card: the view shows its
    // cover as it would under a real mouse.
    QTimer::singleShot(100, this, [this, ready] {
        QWidget* viewport = m_view->viewport();
        const QRect card = m_view->visualRect(m_view->model()->index(5, 0));
        const QPoint pos = card.center() - QPoint(0, 20);
        QMouseEvent move(
            QEvent::MouseMove, pos, viewport->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        ready();
    });
}
