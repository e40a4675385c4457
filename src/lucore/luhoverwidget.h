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
    explicit LuHoverWidget(QWidget* parent = nullptr);
    ~LuHoverWidget() override;

    /** How long the strip stays after the pointer has gone, in milliseconds. */
    static int hideDelay();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Q_DECLARE_PRIVATE(LuHoverWidget)
    QScopedPointer<LuHoverWidgetPrivate> d_ptr;
};

#endif
