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
    LuSkinDialog(QWidget* parent, Qt::WindowFlags flags);
    ~LuSkinDialog() override;

    /** The area below the caption that the subclass fills with its widgets. */
    QWidget* clientWidget() const;

    /** Sets the drawn caption; @p html is accepted for compatibility and ignored. */
    void setTitleText(const QString& text, bool html);
    /** The drawn caption. */
    QString titleText() const;

    /** Height of the drawn caption bar in pixels. */
    static int captionHeight();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Q_DECLARE_PRIVATE(LuSkinDialog)
    QScopedPointer<LuSkinDialogPrivate> d_ptr;
};

#endif
