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
    /**
     * Constructs the window without a background.
     * @param parent the parent widget; the window stays a window of its own
     */
    explicit LuMovieWindow(QWidget* parent = nullptr);
    /** Destroys the window. */
    ~LuMovieWindow() override;

    /**
     * Sets the picture painted as the window's background.
     * @param image the picture, scaled over the whole window; a null image paints nothing
     */
    void setBackground(const QImage& image);
    /** @return the background picture; null until one is set */
    QImage background() const;

protected:
    /**
     * Paints the background picture over the whole window.
     * @param event the paint event
     */
    void paintEvent(QPaintEvent* event) override;

private:
    Q_DECLARE_PRIVATE(LuMovieWindow)
    const QScopedPointer<LuMovieWindowPrivate> d_ptr;
};

#endif
