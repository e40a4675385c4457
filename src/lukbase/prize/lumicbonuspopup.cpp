#include "lumicbonuspopup.h"
#include "lumicbonuspopup_p.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>

LuMicBonusPopupPrivate::LuMicBonusPopupPrivate(LuMicBonusPopup* q)
    : q_ptr(q)
{
}

void LuMicBonusPopupPrivate::init()
{
    Q_Q(LuMicBonusPopup);
    q->setBackground(QImage(QStringLiteral(":/pics/bonusbg.png")));
    q->setFixedSize(320, 290);

    // The children sit at fixed places over the background picture.
    auto* closeButton = new QPushButton(q);
    closeButton->setObjectName(QStringLiteral("BonusClose"));
    closeButton->setToolTip(LuMicBonusPopup::tr("Close"));
    // The host draws the button without text: the tooltip names it for screen readers.
    closeButton->setAccessibleName(closeButton->toolTip());
    closeButton->setFixedSize(32, 32);
    closeButton->move(288, 54);
    QObject::connect(closeButton, &QPushButton::clicked, q, &QWidget::close);

    QFont titleFont;
    titleFont.setWeight(QFont::Bold);
    titleFont.setPointSize(13);

    titleLabel = new QLabel(q);
    titleLabel->setFont(titleFont);
    titleLabel->setFixedSize(270, 36);
    titleLabel->move(25, 100);
    titleLabel->setAlignment(Qt::AlignCenter);
    titleLabel->setWordWrap(true);
    QPalette titlePalette = titleLabel->palette();
    titlePalette.setBrush(QPalette::All, QPalette::WindowText, QBrush(QColor(249, 112, 6, 255)));
    titleLabel->setPalette(titlePalette);

    itemPixmapLabel = new QLabel(q);
    itemPixmapLabel->setFixedSize(60, 62);
    itemPixmapLabel->move(130, 150);

    itemNameLabel = new QLabel(q);
    itemNameLabel->setFixedSize(100, 20);
    itemNameLabel->move(110, 215);
    itemNameLabel->setAlignment(Qt::AlignHCenter);
    // Item names come from the server: never read them as markup.
    itemNameLabel->setTextFormat(Qt::PlainText);

    bonusButton = new QPushButton(LuMicBonusPopup::tr("Get Bonus"), q);
    bonusButton->setObjectName(QStringLiteral("BonusButton"));
    bonusButton->setFixedSize(80, 24);
    bonusButton->move(120, 238);
    QObject::connect(bonusButton, &QPushButton::clicked, q, &LuMicBonusPopup::getBonus);
}

void LuMicBonusPopupPrivate::tick()
{
    Q_Q(LuMicBonusPopup);
    // The timer keeps running after the close: each later tick closes again, until the
    // host restarts the countdown.
    if (remainTime <= 0) {
        q->close();
        return;
    }
    --remainTime;
    updateButtonText();
}

void LuMicBonusPopupPrivate::updateButtonText()
{
    bonusButton->setText(LuMicBonusPopup::tr("Get Bonus") + QStringLiteral("[%1]").arg(remainTime));
}

LuMicBonusPopup::LuMicBonusPopup(QWidget* parent)
    : LuMovieWindow(parent)
    , d_ptr(new LuMicBonusPopupPrivate(this))
{
    Q_D(LuMicBonusPopup);
    d->init();
}

LuMicBonusPopup::~LuMicBonusPopup() = default;

void LuMicBonusPopup::setTitle(const QString& title)
{
    Q_D(LuMicBonusPopup);
    d->titleLabel->setText(title);
}

void LuMicBonusPopup::setItem(const QString& name, const QPixmap& pixmap)
{
    Q_D(LuMicBonusPopup);
    d->itemNameLabel->setText(name);
    d->itemPixmapLabel->setPixmap(pixmap);
}

void LuMicBonusPopup::setRemainTime(int seconds)
{
    Q_D(LuMicBonusPopup);
    d->remainTime = seconds;
    if (d->timerId != 0) {
        killTimer(d->timerId);
        d->timerId = 0;
    }
    if (seconds > 0)
        d->timerId = startTimer(LuMicBonusPopupPrivate::countdownInterval);
    d->updateButtonText();
}

void LuMicBonusPopup::timerEvent(QTimerEvent* event)
{
    Q_D(LuMicBonusPopup);
    if (event->timerId() == d->timerId)
        d->tick();
    else
        LuMovieWindow::timerEvent(event);
}
