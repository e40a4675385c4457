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
    explicit LuVideoNoneWidget(QWidget* parent = nullptr);
    ~LuVideoNoneWidget() override;

    /** The picture drawn scaled over the whole widget. */
    void setBackground(const QPixmap& pixmap);
    /**
     * The text shown over the picture; an empty text shows nothing. The text is read as rich
     * text when it looks like markup: escape any name in it (QString::toHtmlEscaped()).
     */
    void setErrorText(const QString& text);
    /**
     * Whether the widget keeps a 4:3 shape. Takes effect at the next layout pass; call
     * updateGeometry() when changing it on a widget already laid out.
     */
    void setKeepRatio(bool keep);

    /** 320 x 240 while the ratio is kept. */
    QSize sizeHint() const override;
    /** 160 x 120 while the ratio is kept. */
    QSize minimumSizeHint() const override;
    /** (3 x @p width) / 4 while the ratio is kept. */
    int heightForWidth(int width) const override;

private:
    LuVideoNoneLayout* ratioLayout = nullptr;
    QLabel* backgroundLabel = nullptr;
    QLabel* errorLabel = nullptr;
};

#endif
