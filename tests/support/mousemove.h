#ifndef LUKBASE_TESTS_MOUSEMOVE_H
#define LUKBASE_TESTS_MOUSEMOVE_H

#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>

// Moves the mouse to pos in widget as QTest::mouseMove() does, and returns once the move has
// arrived (false if it never does). With no button held QtTest moves the real pointer: a
// real window system reports that move back some time later, the offscreen platform at
// once. Whatever looks at hover or the cursor after a move must wait for it.
inline bool moveMouse(QWidget* widget, const QPoint& pos)
{
    class Watcher : public QObject
    {
    public:
        explicit Watcher(const QPoint& global)
            : m_global(global)
        {
        }
        bool seen = false;

    protected:
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::MouseMove
                && static_cast<QMouseEvent*>(event)->globalPosition().toPoint() == m_global)
                seen = true;
            return false;
        }

    private:
        const QPoint m_global;
    };

    const QPoint global = widget->mapToGlobal(pos);
    // A move to where the pointer already is makes no event at all.
    const bool there = QCursor::pos() == global;
    Watcher watcher(global);
    widget->installEventFilter(&watcher);
    widget->window()->windowHandle()->installEventFilter(&watcher);
    QTest::mouseMove(widget, pos);
    return there || QTest::qWaitFor([&] { return watcher.seen; }, 5000);
}

#endif
