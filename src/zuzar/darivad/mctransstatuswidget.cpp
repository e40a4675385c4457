#include "mctransstatuswidget.h"

#include <QPainter>

McTransStatusWidget::McTransStatusWidget(QWidget* parent)
    : QWidget(parent)
    , m_text(QStringLiteral("Line 1"))
{
}

McTransStatusWidget::~McTransStatusWidget() = default;

void McTransStatusWidget::setStatusText(const QString& text)
{
    m_text = text;
    updateGeometry();
    update();
}

QString McTransStatusWidget::statusText() const
{
    return m_text;
}

QSize McTransStatusWidget::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(m_text) + 16, 20);
}

void McTransStatusWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(80, 200, 90));
    painter.setPen(Qt::NoPen);
    const int dot = 6;
    painter.drawEllipse(QRect(2, (height() - dot) / 2, dot, dot));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(12, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}
