// The popup as a window: the shake, the drag by the body and the rounded corners.

#include "luwinprizepopup.h"
#include "luwinprizepopup_p.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QRegion>
#include <QWindow>

#include <cmath>

namespace {

// Where each of the five moves of a shake tick puts the window, from where it stood.
constexpr QPoint kShakeOffsets[] = { { -2, -2 }, { -2, 2 }, { 2, 2 }, { 2, -2 }, { 0, 0 } };
constexpr int kShakeMoves = int(sizeof(kShakeOffsets) / sizeof(kShakeOffsets[0]));
// The shake ends after this many ticks.
constexpr int kShakeTicks = 7;
// Width and height of the ellipse that rounds each corner.
constexpr int kCornerEllipse = 4;

// A rectangle of size with each corner cut along a circle of the given diameter: a pixel
// stays when its centre lies inside the circle.
QRegion roundedRegion(const QSize& size, int diameter)
{
    const qreal radius = diameter / 2.0;
    QRegion region(0, 0, size.width(), size.height());
    for (int row = 0; row < diameter / 2; ++row) {
        const qreal dy = radius - (row + 0.5);
        const int inset = int(std::ceil(radius - std::sqrt(radius * radius - dy * dy) - 0.5));
        if (inset <= 0)
            continue;
        const int bottomRow = size.height() - 1 - row;
        region -= QRegion(0, row, inset, 1);
        region -= QRegion(size.width() - inset, row, inset, 1);
        region -= QRegion(0, bottomRow, inset, 1);
        region -= QRegion(size.width() - inset, bottomRow, inset, 1);
    }
    return region;
}

} // namespace

std::function<bool(QWindow*)> LuWinPrizePopupPrivate::systemMove;

void LuWinPrizePopupPrivate::startShake()
{
    Q_Q(LuWinPrizePopup);
    if (isShaking() || !q->isVisible() || q->isMinimized())
        return;
    savedRect = q->frameGeometry();
    shakeCount = 0;
    shakeTimerId = q->startTimer(shakeInterval);
}

void LuWinPrizePopupPrivate::shakeTick()
{
    Q_Q(LuWinPrizePopup);
    // The previous tick's moves end with its last 20 ms wait, which ends now.
    if (shakeStep >= 0)
        endShakeRound();
    if (!isShaking())
        return;
    shakeOrigin = q->frameGeometry().topLeft();
    shakeStep = 0;
    shakeStepTick();
    // The other moves follow 20 ms apart, so that the GUI thread never sleeps.
    shakeStepTimer.start(shakeStepInterval, q);
}

void LuWinPrizePopupPrivate::shakeStepTick()
{
    if (shakeStep < 0) {
        shakeStepTimer.stop();
        return;
    }
    if (shakeStep < kShakeMoves) {
        shakeMove(shakeOrigin + kShakeOffsets[shakeStep]);
        ++shakeStep;
        return;
    }
    endShakeRound();
}

void LuWinPrizePopupPrivate::endShakeRound()
{
    Q_Q(LuWinPrizePopup);
    shakeStepTimer.stop();
    shakeStep = -1;
    if (++shakeCount < kShakeTicks)
        return;
    q->killTimer(shakeTimerId);
    shakeTimerId = 0;
    shakeMove(savedRect.topLeft());
}

void LuWinPrizePopupPrivate::shakeMove(const QPoint& position)
{
    Q_Q(LuWinPrizePopup);
    q->move(position);
}

void LuWinPrizePopupPrivate::updateMask()
{
    Q_Q(LuWinPrizePopup);
    q->setMask(roundedRegion(q->size(), kCornerEllipse));
}

void LuWinPrizePopup::vibrateNotify()
{
    Q_D(LuWinPrizePopup);
    d->startShake();
}

void LuWinPrizePopup::mousePressEvent(QMouseEvent* event)
{
    Q_D(LuWinPrizePopup);
    // The bar has no caption: a left press on its body, away from the buttons, drags it.
    if (event->button() != Qt::LeftButton || childAt(event->position().toPoint())) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    QWindow* window = windowHandle();
    const auto systemMove = LuWinPrizePopupPrivate::systemMove;
    if (window && (systemMove ? systemMove(window) : window->startSystemMove())) {
        d->userMoving = true;
        return;
    }
    // The window system cannot move it for us: follow the pointer until the release.
    d->dragging = true;
    d->dragOffset = event->globalPosition().toPoint() - pos();
}

void LuWinPrizePopup::mouseMoveEvent(QMouseEvent* event)
{
    Q_D(LuWinPrizePopup);
    if (!d->dragging || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    event->accept();
    const QPoint target = event->globalPosition().toPoint() - d->dragOffset;
    if (target != pos()) {
        d->moved = true;
        move(target);
    }
}

void LuWinPrizePopup::mouseReleaseEvent(QMouseEvent* event)
{
    Q_D(LuWinPrizePopup);
    if (event->button() == Qt::LeftButton) {
        d->dragging = false;
        d->userMoving = false;
    }
    QWidget::mouseReleaseEvent(event);
}

void LuWinPrizePopup::enterEvent(QEnterEvent* event)
{
    Q_D(LuWinPrizePopup);
    // The window system gives the pointer back when its move is over; the release may never
    // come to us. (Where the popup follows the pointer itself, it holds the pointer and gets
    // the release.)
    d->userMoving = false;
    QWidget::enterEvent(event);
}

void LuWinPrizePopup::leaveEvent(QEvent* event)
{
    Q_D(LuWinPrizePopup);
    d->userMoving = false;
    QWidget::leaveEvent(event);
}

void LuWinPrizePopup::moveEvent(QMoveEvent* event)
{
    Q_D(LuWinPrizePopup);
    // Only a move while the user holds the left button after a press on the body is the
    // user's; the shake's and the host's move() are not.
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        d->userMoving = false;
    if (d->userMoving && event->pos() != event->oldPos())
        d->moved = true;
    QWidget::moveEvent(event);
}
