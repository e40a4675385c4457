#ifndef LUCORE_LUMOVIEWINDOW_H
#define LUCORE_LUMOVIEWINDOW_H

#include <lucore/luobject.h>

#include <QWidget>

class LuMovieWindowPrivate;

/**
 * A frameless window whose background is a picture, scaled over the whole window.
 * Popups with absolutely placed children derive from it.
 */
class LUCORE_EXPORT LuMovieWindow : public QWidget, public LuObject
{
    Q_OBJECT

public:
    explicit LuMovieWindow(QWidget* parent = nullptr);
    ~LuMovieWindow() override;

    /** Sets the picture painted as the window's background (a null image paints nothing). */
    void setBackground(const QImage& image);
    /** The background picture. */
    QImage background() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Q_DECLARE_PRIVATE(LuMovieWindow)
    QScopedPointer<LuMovieWindowPrivate> d_ptr;
};

#endif
