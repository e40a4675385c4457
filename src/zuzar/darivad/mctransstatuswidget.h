#ifndef DARIVAD_MCTRANSSTATUSWIDGET_H
#define DARIVAD_MCTRANSSTATUSWIDGET_H

#include <zuzar/zuzar_export.h>

#include <QWidget>

/** A small indicator of a media transfer's state, placed at the end of a video bar. */
class ZUZAR_EXPORT McTransStatusWidget : public QWidget
{
    Q_OBJECT

public:
    explicit McTransStatusWidget(QWidget* parent = nullptr);
    ~McTransStatusWidget() override;

    /** The text shown, for example "Line 1". */
    void setStatusText(const QString& text);
    QString statusText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};

#endif
