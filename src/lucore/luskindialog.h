#ifndef LUCORE_LUSKINDIALOG_H
#define LUCORE_LUSKINDIALOG_H

#include <lucore/luobject.h>

#include <QDialog>

class LuSkinDialogPrivate;

/**
 * A dialog in the client's own skin: a frameless window with a drawn caption bar
 * (title text and a close button, dragged to move the window) above the client
 * widget, which subclasses fill with their content.
 */
class LUCORE_EXPORT LuSkinDialog : public QDialog, public LuObject
{
    Q_OBJECT

public:
    /**
     * Constructs the dialog with an empty caption.
     * @param parent the parent widget
     * @param flags the window flags; the system frame is always removed
     */
    LuSkinDialog(QWidget* parent, Qt::WindowFlags flags);
    /** Destroys the dialog. */
    ~LuSkinDialog() override;

    /** @return the area below the caption that the subclass fills with its widgets */
    QWidget* clientWidget() const;

    /**
     * Sets the drawn caption.
     * @param text the caption, drawn as plain text
     * @param html accepted for compatibility and ignored
     */
    void setTitleText(const QString& text, bool html);
    /** @return the drawn caption */
    QString titleText() const;

    /** @return the height of the drawn caption bar in pixels */
    static int captionHeight();

protected:
    /**
     * Paints the caption bar, the caption and the border.
     * @param event the paint event
     */
    void paintEvent(QPaintEvent* event) override;
    /**
     * A left press on the caption bar starts moving the window.
     * @param event the mouse event
     */
    void mousePressEvent(QMouseEvent* event) override;
    /**
     * Keeps the close button at the caption's right end.
     * @param event the resize event
     */
    void resizeEvent(QResizeEvent* event) override;

private:
    Q_DECLARE_PRIVATE(LuSkinDialog)
    const QScopedPointer<LuSkinDialogPrivate> d_ptr;
};

#endif
