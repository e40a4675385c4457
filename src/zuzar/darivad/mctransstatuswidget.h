#ifndef DARIVAD_MCTRANSSTATUSWIDGET_H
#define DARIVAD_MCTRANSSTATUSWIDGET_H

#include <zuzar/zuzar_export.h>

#include <QWidget>

/** A small indicator of a media transfer's state, placed at the end of a video bar. */
class ZUZAR_EXPORT McTransStatusWidget : public QWidget
{
    Q_OBJECT

public:
    /**
     * Constructs an indicator without text.
     * @param parent the parent widget
     */
    explicit McTransStatusWidget(QWidget* parent = nullptr);
    /** Destroys the indicator. */
    ~McTransStatusWidget() override;

    /**
     * Sets the text shown beside the state dot.
     * @param text the text, for example "Line 1", drawn as plain text
     */
    void setStatusText(const QString& text);
    /** @return the text shown */
    QString statusText() const;

    /** @return room for the text and the state dot, 20 pixels high */
    QSize sizeHint() const override;

protected:
    /**
     * Paints the state dot and the text.
     * @param event the paint event
     */
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};

#endif
