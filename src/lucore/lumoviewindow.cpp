#include "lumoviewindow.h"

#include <QImage>
#include <QPainter>

class LuMovieWindowPrivate
{
    Q_DECLARE_PUBLIC(LuMovieWindow)

public:
    explicit LuMovieWindowPrivate(LuMovieWindow* q)
        : q_ptr(q)
    {
    }

    LuMovieWindow* const q_ptr;
    QImage background;
};

LuMovieWindow::LuMovieWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , d_ptr(new LuMovieWindowPrivate(this))
{
}

LuMovieWindow::~LuMovieWindow() = default;

void LuMovieWindow::setBackground(const QImage& image)
{
    Q_D(LuMovieWindow);
    d->background = image;
    update();
}

QImage LuMovieWindow::background() const
{
    Q_D(const LuMovieWindow);
    return d->background;
}

void LuMovieWindow::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    Q_D(LuMovieWindow);
    if (d->background.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), d->background);
}
