#ifndef LUKBASE_LUVIDEONONEWIDGET_H
#define LUKBASE_LUVIDEONONEWIDGET_H

#include <lucore/luobject.h>
#include <lukbase/lukbase_export.h>

#include <QWidget>

class LuVideoNoneLayout;
class QLabel;

/**
 * Stands where a video picture would be when there is none: a background picture
 * stretched over the whole widget and, centred on it, an optional error text in large red
 * letters that wraps inside the picture.
 *
 * With setKeepRatio() the widget keeps the 4:3 shape of a video picture: it asks its
 * parent layout for a height of 3/4 of its width.
 */
class LUKBASE_EXPORT LuVideoNoneWidget : public QWidget, public LuObject
{
    Q_OBJECT

public:
    /**
     * Constructs the placeholder without picture or text, not keeping the ratio.
     * @param parent the parent widget
     */
    explicit LuVideoNoneWidget(QWidget* parent = nullptr);
    /** Destroys the placeholder. */
    ~LuVideoNoneWidget() override;

    /**
     * Sets the background picture.
     * @param pixmap the picture, drawn scaled over the whole widget
     */
    void setBackground(const QPixmap& pixmap);
    /**
     * Sets the text shown over the picture.
     * @param text the text; an empty text shows nothing. It is shown as a QLabel shows
     *        text: a text that looks like markup is read as rich text, so escape any name
     *        in it (QString::toHtmlEscaped()).
     */
    void setErrorText(const QString& text);
    /**
     * Sets whether the widget keeps a 4:3 shape. Takes effect at the next layout pass; call
     * updateGeometry() when changing it on a widget already laid out.
     * @param keep true to keep the shape
     */
    void setKeepRatio(bool keep);

    /** @return 320 x 240 while the ratio is kept, otherwise QWidget's hint */
    QSize sizeHint() const override;
    /** @return 160 x 120 while the ratio is kept, otherwise QWidget's hint */
    QSize minimumSizeHint() const override;
    /**
     * The height for a width, for the parent layout.
     * @param width the width offered
     * @return (3 x @p width) / 4 while the ratio is kept, otherwise the contents' answer
     */
    int heightForWidth(int width) const override;

private:
    LuVideoNoneLayout* ratioLayout = nullptr;
    QLabel* backgroundLabel = nullptr;
    QLabel* errorLabel = nullptr;
};

#endif
