#include "lumicbonuspopup.h"
#include "lumicbonuspopup_p.h"

#include "lukbasetextfit_p.h"

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

    bonusButton = new QPushButton(q);
    bonusButton->setObjectName(QStringLiteral("BonusButton"));
    bonusButton->setFixedSize(80, 24);
    bonusButton->move(120, 238);
    QObject::connect(bonusButton, &QPushButton::clicked, q, &LuMicBonusPopup::getBonus);
    retranslate();
}

void LuMicBonusPopupPrivate::retranslate()
{
    Q_Q(LuMicBonusPopup);
    if (auto* closeButton = q->findChild<QPushButton*>(QStringLiteral("BonusClose"), Qt::FindDirectChildrenOnly)) {
        closeButton->setToolTip(LuMicBonusPopup::tr("Close"));
        // The host draws the button without text: the tooltip names it for screen readers.
        closeButton->setAccessibleName(closeButton->toolTip());
    }
    updateButtonText();
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
    // Where the button is too narrow the words are cut, never the seconds left.
    const QString countdown = countdownShown ? QStringLiteral("[%1]").arg(remainTime) : QString();
    LuTextFit::setText(bonusButton, LuMicBonusPopup::tr("Get Bonus"), countdown);
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
    LuTextFit::setText(d->titleLabel, title);
}

void LuMicBonusPopup::setItem(const QString& name, const QPixmap& pixmap)
{
    Q_D(LuMicBonusPopup);
    LuTextFit::setText(d->itemNameLabel, name);
    d->itemPixmapLabel->setPixmap(pixmap);
}

void LuMicBonusPopup::setRemainTime(int seconds)
{
    Q_D(LuMicBonusPopup);
    d->remainTime = seconds;
    d->countdownShown = true;
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

void LuMicBonusPopup::changeEvent(QEvent* event)
{
    Q_D(LuMicBonusPopup);
    if (event->type() == QEvent::LanguageChange)
        d->retranslate();
    LuMovieWindow::changeEvent(event);
}
