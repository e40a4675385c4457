// The prize page's pictures: the host pictures that the win-prize ticker and the mic bonus
// popup load (":/pics/..."), the gift thumbnails of the page's gift records, and the faces
// of the popups' buttons.

#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <tuple>

namespace {

using Pictures::canvas;
using Pictures::star;

// The ticker's backgrounds: a rounded bar whose 50-pixel ends stay and whose middle stretches.
QImage tickerBackground(const QColor& top, const QColor& bottom, const QColor& edge)
{
    QImage image = canvas(200, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 28);
    fill.setColorAt(0, top.lighter(112));
    fill.setColorAt(0.45, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 199, 27), 4, 4);
    // A gloss line along the top.
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawLine(QPointF(6, 2.5), QPointF(194, 2.5));
    return image;
}

// Three 15 x 24 gold tiles: a left end, a middle and a right end.
QImage goldTiles()
{
    QImage image = canvas(45, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gold(0, 0, 0, 24);
    gold.setColorAt(0, QColor(255, 244, 170));
    gold.setColorAt(0.5, QColor(250, 205, 70));
    gold.setColorAt(1, QColor(205, 145, 20));
    const QPen edge(QColor(150, 95, 10), 1);
    for (int tile = 0; tile < 3; ++tile) {
        const qreal left = tile * 15;
        QPainterPath path;
        // The ends round off outwards; inner edges meet the next tile flush.
        const qreal r = 5;
        const QRectF box(left + 0.5, 0.5, 14, 23);
        if (tile == 0) {
            path.moveTo(box.right() + 0.5, box.top());
            path.lineTo(box.left() + r, box.top());
            path.quadTo(box.topLeft(), QPointF(box.left(), box.top() + r));
            path.lineTo(box.left(), box.bottom() - r);
            path.quadTo(box.bottomLeft(), QPointF(box.left() + r, box.bottom()));
            path.lineTo(box.right() + 0.5, box.bottom());
        } else if (tile == 2) {
            path.moveTo(box.left() - 0.5, box.top());
            path.lineTo(box.right() - r, box.top());
            path.quadTo(box.topRight(), QPointF(box.right(), box.top() + r));
            path.lineTo(box.right(), box.bottom() - r);
            path.quadTo(box.bottomRight(), QPointF(box.right() - r, box.bottom()));
            path.lineTo(box.left() - 0.5, box.bottom());
        } else {
            path.moveTo(box.left() - 0.5, box.top());
            path.lineTo(box.right() + 0.5, box.top());
            path.lineTo(box.right() + 0.5, box.bottom());
            path.lineTo(box.left() - 0.5, box.bottom());
        }
        p.setPen(Qt::NoPen);
        p.setBrush(gold);
        p.drawPath(path);
        p.setPen(edge);
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        // A soft highlight on the upper half.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawRect(QRectF(left + (tile == 0 ? 4 : 0), 2, tile == 1 ? 15 : 11, 6));
    }
    return image;
}

// The mic bonus popup: a dark stage at the top, a red header band with room for the close
// button at its right, and a light card for the title, the item and the bonus button.
QImage bonusBackground()
{
    QImage image = canvas(320, 290);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient stage(0, 0, 0, 290);
    stage.setColorAt(0, QColor(40, 10, 70));
    stage.setColorAt(1, QColor(90, 20, 110));
    p.fillRect(image.rect(), stage);
    // Spotlights.
    for (int x : { 60, 160, 260 }) {
        QRadialGradient light(QPointF(x, 0), 90);
        light.setColorAt(0, QColor(255, 240, 180, 110));
        light.setColorAt(1, QColor(255, 240, 180, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawEllipse(QPointF(x, 0), 90, 90);
    }
    p.setBrush(QColor(255, 220, 120));
    for (const QPointF& sparkle : { QPointF(30, 20), QPointF(110, 34), QPointF(215, 14), QPointF(292, 30) })
        p.drawPath(star(sparkle, 5, 2, 4));

    QLinearGradient band(0, 50, 0, 92);
    band.setColorAt(0, QColor(205, 40, 40));
    band.setColorAt(1, QColor(150, 15, 20));
    p.setBrush(band);
    p.setPen(QPen(QColor(250, 200, 80), 2));
    p.drawRoundedRect(QRectF(8, 50, 304, 42), 8, 8);

    p.setBrush(QColor(255, 249, 235));
    p.setPen(QPen(QColor(250, 200, 80), 2));
    p.drawRoundedRect(QRectF(8, 94, 304, 188), 10, 10);
    // The item's frame.
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(235, 190, 110), 1.5));
    p.drawRoundedRect(QRectF(122, 144, 76, 74), 8, 8);

    // A golden microphone over the header band.
    p.setPen(Qt::NoPen);
    QLinearGradient gold(140, 0, 180, 0);
    gold.setColorAt(0, QColor(255, 230, 120));
    gold.setColorAt(1, QColor(210, 150, 30));
    p.setBrush(gold);
    p.drawEllipse(QRectF(145, 16, 30, 30));
    p.drawRoundedRect(QRectF(154, 42, 12, 34), 4, 4);
    p.setBrush(QColor(120, 80, 20, 120));
    for (int row = 0; row < 3; ++row)
        p.drawRect(QRectF(149, 23 + row * 7, 22, 1.5));
    return image;
}

QImage rose()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 130, 40), 3));
    p.drawLine(QPointF(24, 26), QPointF(24, 46));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 160, 60));
    p.drawEllipse(QRectF(24, 34, 12, 6));
    QRadialGradient petals(QPointF(24, 18), 16);
    petals.setColorAt(0, QColor(255, 90, 110));
    petals.setColorAt(1, QColor(190, 10, 40));
    p.setBrush(petals);
    p.drawEllipse(QRectF(10, 5, 28, 26));
    p.setPen(QPen(QColor(130, 0, 25), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(17, 11, 14, 13), 30 * 16, 280 * 16);
    p.drawArc(QRectF(21, 14, 7, 7), 200 * 16, 250 * 16);
    return image;
}

QImage starGift()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fill(QPointF(24, 22), 22);
    fill.setColorAt(0, QColor(255, 250, 170));
    fill.setColorAt(1, QColor(245, 170, 0));
    p.setPen(QPen(QColor(190, 110, 0), 1.5));
    p.setBrush(fill);
    p.drawPath(star(QPointF(24, 25), 22, 9));
    return image;
}

QImage heart()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(24, 42);
    path.cubicTo(2, 28, 4, 6, 24, 14);
    path.cubicTo(44, 6, 46, 28, 24, 42);
    QLinearGradient fill(0, 6, 0, 42);
    fill.setColorAt(0, QColor(255, 120, 170));
    fill.setColorAt(1, QColor(220, 20, 90));
    p.setPen(QPen(QColor(160, 0, 60), 1.5));
    p.setBrush(fill);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QRectF(12, 15, 8, 6));
    return image;
}

QImage car()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.moveTo(3, 32);
    body.lineTo(5, 24);
    body.lineTo(14, 22);
    body.lineTo(20, 14);
    body.lineTo(33, 14);
    body.lineTo(40, 22);
    body.lineTo(45, 24);
    body.lineTo(45, 32);
    body.closeSubpath();
    QLinearGradient paint(0, 14, 0, 32);
    paint.setColorAt(0, QColor(80, 140, 255));
    paint.setColorAt(1, QColor(20, 60, 180));
    p.setPen(QPen(QColor(10, 30, 110), 1.2));
    p.setBrush(paint);
    p.drawPath(body);
    p.setBrush(QColor(200, 230, 255));
    p.drawPolygon(QPolygonF({ QPointF(21, 16), QPointF(26, 16), QPointF(26, 22), QPointF(16, 22) }));
    p.drawPolygon(QPolygonF({ QPointF(28, 16), QPointF(32, 16), QPointF(37, 22), QPointF(28, 22) }));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(13, 33), 5, 5);
    p.drawEllipse(QPointF(36, 33), 5, 5);
    p.setBrush(QColor(190, 190, 190));
    p.drawEllipse(QPointF(13, 33), 2, 2);
    p.drawEllipse(QPointF(36, 33), 2, 2);
    return image;
}

// The picture of the room's notices: a megaphone.
QImage notice()
{
    QImage image = canvas(48, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 70, 0), 1.5));
    p.setBrush(QColor(255, 200, 40));
    p.drawPolygon(QPolygonF(
        { QPointF(8, 19), QPointF(18, 19), QPointF(38, 8), QPointF(38, 40), QPointF(18, 29), QPointF(8, 29) }));
    p.setBrush(QColor(255, 240, 200));
    p.drawRect(QRectF(12, 29, 6, 10));
    p.setPen(QPen(QColor(255, 240, 160), 2.5));
    p.drawArc(QRectF(36, 14, 10, 20), -60 * 16, 120 * 16);
    return image;
}

// The mic bonus item: a golden microphone on a stand.
QImage micItem()
{
    QImage image = canvas(60, 62);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gold(18, 0, 42, 0);
    gold.setColorAt(0, QColor(255, 235, 130));
    gold.setColorAt(1, QColor(200, 135, 20));
    p.setPen(QPen(QColor(140, 90, 10), 1.5));
    p.setBrush(gold);
    p.drawEllipse(QRectF(17, 4, 26, 26));
    p.drawRoundedRect(QRectF(25, 28, 10, 20), 3, 3);
    p.drawRoundedRect(QRectF(16, 52, 28, 6), 3, 3);
    p.setPen(QPen(QColor(140, 90, 10), 3));
    p.drawLine(QPointF(30, 48), QPointF(30, 52));
    p.setPen(QPen(QColor(150, 100, 20, 150), 1.2));
    for (int row = 0; row < 3; ++row)
        p.drawLine(QPointF(21, 11 + row * 6), QPointF(39, 11 + row * 6));
    return image;
}

// The faces of the ticker's buttons: a small arrow up (previous) or down (next).
QImage arrow(bool up)
{
    QImage image = canvas(14, 12);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(140, 90, 10), 1));
    p.setBrush(QColor(250, 205, 70));
    p.drawRoundedRect(QRectF(0.5, 0.5, 13, 11), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 20, 20));
    if (up)
        p.drawPolygon(QPolygonF({ QPointF(7, 3), QPointF(11, 8.5), QPointF(3, 8.5) }));
    else
        p.drawPolygon(QPolygonF({ QPointF(7, 9), QPointF(11, 3.5), QPointF(3, 3.5) }));
    return image;
}

QImage closeFace()
{
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(250, 200, 80), 2));
    p.setBrush(QColor(120, 10, 15));
    p.drawEllipse(QRectF(6, 6, 20, 20));
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 12), QPointF(20, 20));
    p.drawLine(QPointF(20, 12), QPointF(12, 20));
    return image;
}

} // namespace

bool Pictures::drawPrize(const QDir& root)
{
    const QDir pics(root.filePath(QStringLiteral("pics")));
    const QDir page(root.filePath(QStringLiteral("prizepage")));
    const std::tuple<const QDir&, const char*, QImage> pictures[] = {
        { pics, "luckbg.png", tickerBackground(QColor(255, 240, 190), QColor(250, 210, 120), QColor(200, 140, 30)) },
        { pics, "luckbg_red.png", tickerBackground(QColor(170, 30, 30), QColor(105, 5, 10), QColor(240, 190, 70)) },
        { pics, "luckgold.png", goldTiles() },
        { pics, "bonusbg.png", bonusBackground() },
        { page, "rose.png", rose() },
        { page, "star.png", starGift() },
        { page, "heart.png", heart() },
        { page, "car.png", car() },
        { page, "notice.png", notice() },
        { page, "mic.png", micItem() },
        { page, "up.png", arrow(true) },
        { page, "down.png", arrow(false) },
        { page, "close.png", closeFace() },
    };
    for (const auto& [dir, name, image] : pictures) {
        if (!Pictures::save(dir, QString::fromLatin1(name), image))
            return false;
    }
    return true;
}
