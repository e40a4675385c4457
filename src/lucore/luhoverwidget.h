#ifndef LUCORE_LUHOVERWIDGET_H
#define LUCORE_LUHOVERWIDGET_H

#include <lucore/luobject.h>

#include <QWidget>

class LuHoverWidgetPrivate;

/**
 * A strip laid over its parent widget that shows itself while the pointer is over the
 * parent and hides shortly after the pointer has left both the parent and the strip.
 */
class LUCORE_EXPORT LuHoverWidget : public QWidget, public LuObject
{
    Q_OBJECT

public:
    /**
     * Constructs the strip over @p parent, whose events it watches; it starts visible only
     * when the pointer is over the parent already.
     * @param parent the widget the strip belongs to and hovers over
     */
    explicit LuHoverWidget(QWidget* parent = nullptr);
    /** Destroys the strip. */
    ~LuHoverWidget() override;

    /** @return how long the strip stays after the pointer has gone, in milliseconds */
    static int hideDelay();

protected:
    /**
     * Shows and raises the strip when the pointer enters the parent, and starts the hide
     * delay when it leaves.
     * @param watched the object the event is for; only the parent's events are looked at
     * @param event the event
     * @return false, so the event goes on to @p watched
     */
    bool eventFilter(QObject* watched, QEvent* event) override;
    /**
     * Hides the strip when the hide delay has run out and the pointer is over neither the
     * strip nor its parent.
     * @param event the timer event
     */
    void timerEvent(QTimerEvent* event) override;
    /**
     * Keeps the strip while the pointer is over it.
     * @param event the enter event
     */
    void enterEvent(QEnterEvent* event) override;
    /**
     * Starts the hide delay when the pointer leaves the strip.
     * @param event the leave event
     */
    void leaveEvent(QEvent* event) override;

private:
    Q_DECLARE_PRIVATE(LuHoverWidget)
    const QScopedPointer<LuHoverWidgetPrivate> d_ptr;
};

#endif
