#include "lugaragemodel.h"
#include "lugarageview.h"
#include "lugarageviewdelegate_p.h"
#include "lukbasetextfit_p.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kCardWidth = 190;
constexpr int kCardHeight = 140;

// The car picture's bottom edge sits this far above the card's bottom.
constexpr int kPictureBottomMargin = 35;
// The owner's picture starts this far right of the owner text, just after the bracket.
constexpr int kIconOffset = 7;
// Spaces that make room for the owner's picture at most; a picture wider than that overlaps.
constexpr int kMaxIconSpaces = 32;
// The owner's name card and the button shown over it under the mouse: centred across the
// card, their bottom edges this far above the card's.
constexpr QSize kNameCardSize(160, 20);
constexpr QSize kButtonSize(114, 24);
constexpr int kBottomMargin = 10;

const int kCentredLine = Qt::AlignCenter | Qt::TextSingleLine;

QRect centredAtBottom(const QRect& card, const QSize& size)
{
    return QRect(
        QPoint(card.left() + (card.width() - size.width()) / 2, card.bottom() + 1 - kBottomMargin - size.height()),
        size);
}

void drawOwner(QPainter* painter, const QRect& nameCard, const QModelIndex& index)
{
    const QString id = index.data(LuGarageModel::UserIdRole).toString();
    const QString name = index.data(LuGarageModel::UserNameRole).toString();
    const QImage icon = index.data(LuGarageModel::UserIconRole).value<QImage>();

    const QFontMetrics metrics = painter->fontMetrics();
    const qreal iconWidth = icon.isNull() ? 0 : icon.deviceIndependentSize().width();
    const QString text = LuGarageViewDelegate::ownerText(metrics, name, id, iconWidth, nameCard.width());
    const int textWidth = metrics.horizontalAdvance(text);
    const int x = nameCard.left() + (nameCard.width() - textWidth) / 2;

    painter->setPen(QColor(255, 255, 255));
    painter->drawText(
        QRect(x, nameCard.top(), textWidth, nameCard.height()), Qt::AlignVCenter | Qt::TextSingleLine, text);

    if (!icon.isNull()) {
        const QSizeF size = icon.deviceIndependentSize();
        painter->drawImage(QPointF(x + kIconOffset, nameCard.top() + int(nameCard.height() - size.height()) / 2), icon);
    }
}

void drawCover(
    QPainter* painter, const QRect& card, const QModelIndex& index, const QImage& cover, const QImage& button)
{
    painter->drawImage(card, cover);

    const QImage logo = index.data(LuGarageModel::CarLogoRole).value<QImage>();
    if (!logo.isNull())
        painter->drawImage(QRect(card.left(), card.top() + 12, 48, 24), logo);

    QFont font = painter->font();
    font.setWeight(QFont::Bold);
    font.setPixelSize(16);
    painter->setFont(font);
    painter->setPen(QColor(0, 0, 0));
    // Texts too long for the card are cut at their end, never clipped mid-glyph.
    const QRect nameRect(QPoint(card.left(), card.top() + 50), QPoint(card.right(), card.top() + 69));
    painter->drawText(nameRect, kCentredLine,
        painter->fontMetrics().elidedText(
            index.data(LuGarageModel::CarNameRole).toString(), Qt::ElideRight, nameRect.width()));

    const QRect buttonRect = LuGarageViewDelegate::buttonRect(card);
    painter->drawImage(buttonRect, button);
    font.setPixelSize(12);
    painter->setFont(font);
    painter->setPen(Qt::white);
    painter->drawText(buttonRect, kCentredLine,
        painter->fontMetrics().elidedText(LuGarageViewDelegate::buttonText(), Qt::ElideRight, buttonRect.width()));
}

} // namespace

LuGarageViewDelegate::LuGarageViewDelegate(QObject* parent)
    : QAbstractItemDelegate(parent)
    , m_nameCard(QStringLiteral(":pics/garage-namecard.png"))
    , m_carCover(QStringLiteral(":pics/garage-carcover.png"))
    , m_gotoButton(QStringLiteral(":pics/garage-goto.png"))
{
}

LuGarageViewDelegate::~LuGarageViewDelegate() = default;

QRect LuGarageViewDelegate::buttonRect(const QRect& card)
{
    return centredAtBottom(card, kButtonSize);
}

QString LuGarageViewDelegate::buttonText()
{
    return LuGarageView::tr("Go to his/her garage.");
}

QRect LuGarageViewDelegate::nameCardRect(const QRect& card)
{
    return centredAtBottom(card, kNameCardSize);
}

QString LuGarageViewDelegate::ownerText(
    const QFontMetrics& metrics, const QString& name, const QString& id, qreal iconWidth, int width)
{
    QString prefix = QStringLiteral("[");
    if (iconWidth > 0) {
        // Three spaces keep room for the owner's picture after the bracket. Fonts with
        // narrow spaces get a few more, so that the name starts after the picture.
        prefix += QStringLiteral("   ");
        const qreal room = kIconOffset + iconWidth + 1;
        while (metrics.horizontalAdvance(prefix) < room && prefix.size() < kMaxIconSpaces)
            prefix += QLatin1Char(' ');
    }
    // One arg() call for both values, so that a "%1" inside a name is shown as typed.
    const QString text = (prefix + QStringLiteral("%1](%2)")).arg(name, id);
    const QString suffix = LuGarageView::tr("'s car.");
    return LuTextFit::elided(metrics, text, width, suffix);
}

void LuGarageViewDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QRect card = option.rect;
    painter->save();

    // Laid out by the picture's device-independent size, so a high-resolution picture keeps
    // its place and only gets sharper.
    const QImage picture = index.data(LuGarageModel::CarImageRole).value<QImage>();
    if (!picture.isNull()) {
        const QSizeF size = picture.deviceIndependentSize();
        const int x = card.left() + int(card.width() - size.width()) / 2;
        const int y = card.top() + card.height() - int(size.height()) - kPictureBottomMargin;
        painter->drawImage(QPointF(x, y), picture);
    }

    const QRect nameCard = nameCardRect(card);
    painter->drawImage(nameCard, m_nameCard);
    drawOwner(painter, nameCard, index);

    if (option.state & QStyle::State_MouseOver)
        drawCover(painter, card, index, m_carCover, m_gotoButton);

    painter->restore();
}

QSize LuGarageViewDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return QSize(kCardWidth, kCardHeight);
}
