// Drawing of the ticker's lines.

#include "luwinprizepopup.h"
#include "luwinprizepopup_p.h"

#include <lukbase/lugiftitem.h>

#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

namespace {

// Background pictures stretch between borders of these widths.
const QMargins kBackgroundMargins(50, 12, 50, 12);
const QColor kPrizeColor(200, 0, 0, 255);
const QColor kMessageColor(255, 253, 0, 255);
constexpr int kLabelLeft = 10;
constexpr int kGap = 4;
constexpr int kPictureSize = 24;
// From the picture's left edge to the text, whether or not there is a picture.
constexpr int kPictureAdvance = 28;
// The digit tiles: left end, middle, right end, side by side in the picture.
constexpr int kTileWidth = 15;
constexpr int kTileHeight = 24;

static_assert(kTileHeight == kPictureSize, "pictures and digit tiles share one row");

// Top of a box of the picture's and tiles' height, centred in rect; an odd pixel left over
// goes below it.
int centredTop(const QRect& rect)
{
    return rect.top() + (rect.height() - kPictureSize) / 2;
}

// Stretches the picture between borders of fixed width. qDrawBorderPixmap() misplaces the
// parts of a picture whose device pixel ratio is not 1, so the picture goes in as plain
// pixels with its margins counted in them: a @2x picture then lays out like its original.
void drawBackground(QPainter& painter, const QRect& target, QPixmap pixmap)
{
    const qreal ratio = pixmap.devicePixelRatio();
    pixmap.setDevicePixelRatio(1);
    const QMargins sourceMargins(qRound(kBackgroundMargins.left() * ratio), qRound(kBackgroundMargins.top() * ratio),
        qRound(kBackgroundMargins.right() * ratio), qRound(kBackgroundMargins.bottom() * ratio));
    qDrawBorderPixmap(
        &painter, target, kBackgroundMargins, pixmap, pixmap.rect(), sourceMargins, QTileRules(Qt::StretchTile));
}

} // namespace

int LuWinPrizePopupPrivate::lineRight() const
{
    Q_Q(const LuWinPrizePopup);
    int right = q->width();
    for (const QPushButton* button : { prevButton, nextButton }) {
        if (button && button->isVisible())
            right = qMin(right, button->x() - kGap);
    }
    return right;
}

QString LuWinPrizePopupPrivate::fittedText(int index) const
{
    const LuWinPrizeEntry* entry = entries.at(index);
    const QFontMetrics metrics(font);
    const int textLeft = kLabelLeft + metrics.size(Qt::TextSingleLine, QStringLiteral("%1.").arg(index + 1)).width()
        + kGap + kPictureAdvance;
    int tail = 0;
    if (entry->gift) {
        const qint64 amount = amountOf(*entry);
        if (amount > 0 && !digitTiles.isNull())
            tail += kGap + int(QString::number(amount).size()) * kTileWidth + kGap;
        tail += metrics.size(Qt::TextSingleLine, LuWinPrizePopup::tr("coins!")).width();
    }
    return metrics.elidedText(entry->text, Qt::ElideRight, qMax(0, lineRight() - textLeft - tail));
}

qint64 LuWinPrizePopupPrivate::amountOf(const LuWinPrizeEntry& entry)
{
    // The amount wraps modulo 2^64 like the server's money; unsigned keeps that defined.
    return qint64(quint64(qint64(entry.multiple)) * quint64(entry.price));
}

void LuWinPrizePopupPrivate::paint(QPainter& painter)
{
    Q_Q(LuWinPrizePopup);
    const QRect r = q->rect();
    const int shown = browse != -1 ? browse : current;
    if (shown >= 0 && shown < entries.size()) {
        // A line cut to the room left of the buttons is read whole from the tooltip.
        const QString whole = entries.at(shown)->text;
        q->setToolTip(fittedText(shown) == whole ? QString() : whole);
        q->setAccessibleName(whole);
    }
    if (browse != -1) {
        drawEntry(painter, browse, r, r);
    } else if (offset > 0) {
        // The new line rises into place over a still background, the old one leaves upwards.
        drawEntry(painter, current, r.translated(0, offset), r);
        if (current > 0)
            drawEntry(painter, current - 1, r.translated(0, offset - r.height()), QRect());
    } else {
        drawEntry(painter, current, r, r);
    }
}

void LuWinPrizePopupPrivate::drawEntry(
    QPainter& painter, int index, const QRect& rect, const QRect& backgroundRect) const
{
    if (index < 0 || index >= entries.size())
        return;
    const LuWinPrizeEntry* entry = entries.at(index);
    const bool prize = entry->gift != nullptr;

    const QPixmap& backgroundPixmap = prize ? background : redBackground;
    if (backgroundRect.isValid() && !backgroundPixmap.isNull())
        drawBackground(painter, backgroundRect, backgroundPixmap);

    // Lines never run under the buttons.
    painter.save();
    painter.setClipRect(QRect(rect.left(), rect.top(), lineRight() - rect.left(), rect.height()));
    painter.setFont(font);
    painter.setPen(prize ? kPrizeColor : kMessageColor);
    const QFontMetrics metrics(font);
    const QString label = QStringLiteral("%1.").arg(index + 1);
    const QSize labelSize = metrics.size(Qt::TextSingleLine, label);
    const QString text = fittedText(index);
    const QSize textSize = metrics.size(Qt::TextSingleLine, text);
    const QString coins = prize ? LuWinPrizePopup::tr("coins!") : QString();
    const QSize coinsSize = metrics.size(Qt::TextSingleLine, coins);
    const int y = rect.top() + (rect.height() - textSize.height()) / 2;
    constexpr int textFlags = Qt::AlignLeft | Qt::AlignVCenter;

    const int x0 = rect.left() + kLabelLeft;
    painter.drawText(QRect(QPoint(x0, y), labelSize), textFlags, label);

    const int x1 = x0 + labelSize.width() + kGap;
    const QImage picture = prize ? entry->gift->thumbnail() : entry->image;
    if (!picture.isNull()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(x1, centredTop(rect), kPictureSize, kPictureSize), picture);
        painter.restore();
    }

    const int x2 = x1 + kPictureAdvance;
    painter.drawText(QRect(QPoint(x2, y), textSize), textFlags, text);
    if (prize) {
        int x = x2 + textSize.width();
        const qint64 amount = amountOf(*entry);
        if (amount > 0 && !digitTiles.isNull())
            x = drawAmount(painter, amount, x + kGap, centredTop(rect)) + kGap;
        if (!coins.isEmpty())
            painter.drawText(QRect(QPoint(x, y), coinsSize), textFlags, coins);
    }
    painter.restore();
}

int LuWinPrizePopupPrivate::drawAmount(QPainter& painter, qint64 amount, int x, int top) const
{
    const QString digits = QString::number(amount);
    const int count = int(digits.size());
    const qreal ratio = digitTiles.devicePixelRatio();
    for (int k = 0; k < count; ++k) {
        int tile = kTileWidth; // a middle tile
        if (k == 0)
            tile = 0;
        else if (k == count - 1)
            tile = 2 * kTileWidth;
        const QRect target(x, top, kTileWidth, kTileHeight);
        // The source rectangle is in the picture's own pixels.
        const QRectF source(tile * ratio, 0, kTileWidth * ratio, kTileHeight * ratio);
        painter.drawPixmap(QRectF(target), digitTiles, source);
        painter.drawText(target, Qt::AlignCenter, digits.at(k));
        x += kTileWidth;
    }
    return x;
}
