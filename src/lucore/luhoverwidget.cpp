#include "luhoverwidget.h"

#include <QBasicTimer>
#include <QEvent>
#include <QTimerEvent>

namespace {
constexpr int kHideDelayMs = 400;
}

class LuHoverWidgetPrivate
{
    Q_DECLARE_PUBLIC(LuHoverWidget)

public:
    explicit LuHoverWidgetPrivate(LuHoverWidget* q)
        : q_ptr(q)
    {
    }

    LuHoverWidget* const q_ptr;
    QBasicTimer hideTimer;
};

LuHoverWidget::LuHoverWidget(QWidget* parent)
    : QWidget(parent)
    , d_ptr(new LuHoverWidgetPrivate(this))
{
    if (parent) {
        parent->installEventFilter(this);
        // Hidden until the pointer comes; the host's later show() of the page shows it anyway
        // when the pointer is there.
        setVisible(parent->underMouse());
    }
}

LuHoverWidget::~LuHoverWidget() = default;

int LuHoverWidget::hideDelay()
{
    return kHideDelayMs;
}

bool LuHoverWidget::eventFilter(QObject* watched, QEvent* event)
{
    Q_D(LuHoverWidget);
    if (watched == parent()) {
        if (event->type() == QEvent::Enter) {
            d->hideTimer.stop();
            show();
            raise();
        } else if (event->type() == QEvent::Leave) {
            d->hideTimer.start(kHideDelayMs, this);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LuHoverWidget::timerEvent(QTimerEvent* event)
{
    Q_D(LuHoverWidget);
    if (event->timerId() != d->hideTimer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    d->hideTimer.stop();
    const QWidget* host = parentWidget();
    if (!underMouse() && !(host && host->underMouse()))
        hide();
}

void LuHoverWidget::enterEvent(QEnterEvent* event)
{
    Q_D(LuHoverWidget);
    d->hideTimer.stop();
    QWidget::enterEvent(event);
}

void LuHoverWidget::leaveEvent(QEvent* event)
{
    Q_D(LuHoverWidget);
    d->hideTimer.start(kHideDelayMs, this);
    QWidget::leaveEvent(event);
}
