#include "luvideononewidget.h"
#include "luvideononelayout_p.h"

#include <QLabel>

LuVideoNoneWidget::LuVideoNoneWidget(QWidget* parent)
    : QWidget(parent)
{
    // The outer layout never keeps the ratio itself: it asks the background label, whose
    // own layout does, so that every layout above sees the same height for width.
    auto* outerLayout = new LuVideoNoneLayout(this);
    outerLayout->setContentsMargins(0, 0, 0, 0);

    backgroundLabel = new QLabel(this);
    backgroundLabel->setScaledContents(true);
    outerLayout->addWidget(backgroundLabel);

    ratioLayout = new LuVideoNoneLayout(backgroundLabel);
    ratioLayout->setContentsMargins(0, 0, 0, 0);

    errorLabel = new QLabel(backgroundLabel);
    ratioLayout->addWidget(errorLabel);
    QFont font;
    font.setWeight(QFont::Bold);
    font.setPointSize(16);
    errorLabel->setFont(font);
    errorLabel->setAlignment(Qt::AlignCenter);
    errorLabel->setWordWrap(true);
    QPalette palette;
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(QColor(221, 19, 3, 255), Qt::SolidPattern));
    errorLabel->setPalette(palette);
}

LuVideoNoneWidget::~LuVideoNoneWidget() = default;

void LuVideoNoneWidget::setBackground(const QPixmap& pixmap)
{
    backgroundLabel->setPixmap(pixmap);
}

void LuVideoNoneWidget::setErrorText(const QString& text)
{
    errorLabel->setText(text);
}

void LuVideoNoneWidget::setKeepRatio(bool keep)
{
    ratioLayout->keepRatio = keep;
}

QSize LuVideoNoneWidget::sizeHint() const
{
    if (ratioLayout->keepRatio)
        return QSize(320, 240);
    return QWidget::sizeHint();
}

QSize LuVideoNoneWidget::minimumSizeHint() const
{
    if (ratioLayout->keepRatio)
        return QSize(160, 120);
    return QWidget::minimumSizeHint();
}

int LuVideoNoneWidget::heightForWidth(int width) const
{
    return ratioLayout->heightForWidth(width);
}
