#include "luskindialog.h"
#include "luskindialog_p.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {
constexpr int kCaptionHeight = 26;
constexpr int kBorder = 1;
} // namespace

LuSkinDialogPrivate::LuSkinDialogPrivate(LuSkinDialog* q)
    : q_ptr(q)
{
}

void LuSkinDialogPrivate::init()
{
    Q_Q(LuSkinDialog);
    auto* layout = new QVBoxLayout(q);
    layout->setContentsMargins(kBorder, kCaptionHeight, kBorder, kBorder);
    layout->setSpacing(0);

    clientWidget = new QWidget(q);
    clientWidget->setObjectName(QStringLiteral("LuSkinDialogClient"));
    layout->addWidget(clientWidget);

    closeButton = new QToolButton(q);
    closeButton->setObjectName(QStringLiteral("LuSkinDialogClose"));
    closeButton->setText(QStringLiteral("\u00d7"));
    closeButton->setToolTip(LuSkinDialog::tr("Close"));
    closeButton->setAccessibleName(closeButton->toolTip());
    closeButton->setAutoRaise(true);
    closeButton->setFixedSize(kCaptionHeight - 6, kCaptionHeight - 6);
    QObject::connect(closeButton, &QToolButton::clicked, q, &QDialog::reject);
}

LuSkinDialog::LuSkinDialog(QWidget* parent, Qt::WindowFlags flags)
    // The skin draws its own caption, so the system frame goes.
    : QDialog(parent, flags | Qt::FramelessWindowHint)
    , d_ptr(new LuSkinDialogPrivate(this))
{
    Q_D(LuSkinDialog);
    d->init();
}

LuSkinDialog::~LuSkinDialog() = default;

QWidget* LuSkinDialog::clientWidget() const
{
    Q_D(const LuSkinDialog);
    return d->clientWidget;
}

void LuSkinDialog::setTitleText(const QString& text, bool html)
{
    Q_UNUSED(html)
    Q_D(LuSkinDialog);
    d->title = text;
    update(0, 0, width(), kCaptionHeight);
}

QString LuSkinDialog::titleText() const
{
    Q_D(const LuSkinDialog);
    return d->title;
}

int LuSkinDialog::captionHeight()
{
    return kCaptionHeight;
}

void LuSkinDialog::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    Q_D(LuSkinDialog);
    QPainter painter(this);
    const QRect caption(0, 0, width(), kCaptionHeight);
    QLinearGradient gradient(caption.topLeft(), caption.bottomLeft());
    gradient.setColorAt(0, QColor(92, 45, 145));
    gradient.setColorAt(1, QColor(60, 25, 105));
    painter.fillRect(caption, gradient);
    painter.fillRect(QRect(0, kCaptionHeight, width(), height() - kCaptionHeight), palette().window());
    painter.setPen(QColor(60, 25, 105));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QRect textRect = caption.adjusted(8, 0, -kCaptionHeight, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        painter.fontMetrics().elidedText(d->title, Qt::ElideRight, textRect.width()));
}

void LuSkinDialog::resizeEvent(QResizeEvent* event)
{
    Q_D(LuSkinDialog);
    d->closeButton->move(width() - kCaptionHeight + 2, 3);
    QDialog::resizeEvent(event);
}

void LuSkinDialog::mousePressEvent(QMouseEvent* event)
{
    // The caption is the window's title bar: a left press there drags the window.
    if (event->button() == Qt::LeftButton && event->position().y() < kCaptionHeight && windowHandle()) {
        windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}
