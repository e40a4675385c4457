// The garage's pictures: the host pictures the garage view paints its cards with, and the
// cars and brand logos of the garage page.

#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <functional>

namespace {

using Pictures::star;

bool save(const QDir& dir, const QString& name, const QSize& size, const std::function<void(QPainter&)>& paint)
{
    QImage image = Pictures::canvas(size.width(), size.height());
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter);
    }
    return Pictures::save(dir, name, image);
}

// The three pictures the garage view paints its cards with.
bool drawHostPictures(const QDir& dir)
{
    bool ok = save(dir, QStringLiteral("garage-namecard.png"), QSize(160, 20), [](QPainter& p) {
        QLinearGradient fill(0, 0, 0, 20);
        fill.setColorAt(0, QColor(58, 74, 122, 235));
        fill.setColorAt(1, QColor(24, 32, 62, 235));
        p.setPen(QPen(QColor(150, 170, 230, 200), 1));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(0.5, 0.5, 159, 19), 9.5, 9.5);
    });
    ok &= save(dir, QStringLiteral("garage-carcover.png"), QSize(190, 140), [](QPainter& p) {
        QLinearGradient fill(0, 0, 0, 140);
        fill.setColorAt(0, QColor(255, 250, 232, 215));
        fill.setColorAt(1, QColor(255, 226, 160, 225));
        p.setPen(QPen(QColor(230, 170, 60), 2));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(1, 1, 188, 138), 8, 8);
    });
    ok &= save(dir, QStringLiteral("garage-goto.png"), QSize(114, 24), [](QPainter& p) {
        QLinearGradient fill(0, 0, 0, 24);
        fill.setColorAt(0, QColor(255, 146, 72));
        fill.setColorAt(1, QColor(216, 64, 40));
        p.setPen(QPen(QColor(255, 210, 170), 1));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(0.5, 0.5, 113, 23), 11.5, 11.5);
    });
    return ok;
}

struct CarShape
{
    QColor body;
    qreal roof; // height of the cabin above the body
    qreal cabin; // length of the cabin, share of the body
    qreal lift; // height of the body above the ground
};

// A car seen from the side, 150 x 80.
void drawCar(QPainter& p, const CarShape& car)
{
    const qreal bodyTop = 62 - car.lift - 20;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(QRectF(8, 68, 134, 9));

    QPainterPath cabin;
    const qreal cabinLeft = 75 - 60 * car.cabin;
    const qreal cabinRight = 75 + 50 * car.cabin;
    cabin.moveTo(cabinLeft - 12, bodyTop + 2);
    cabin.lineTo(cabinLeft + 10, bodyTop - car.roof);
    cabin.lineTo(cabinRight - 6, bodyTop - car.roof);
    cabin.lineTo(cabinRight + 14, bodyTop + 2);
    cabin.closeSubpath();
    QLinearGradient paint(0, bodyTop - car.roof, 0, 62);
    paint.setColorAt(0, car.body.lighter(135));
    paint.setColorAt(1, car.body.darker(130));
    p.setBrush(paint);
    p.drawPath(cabin);
    p.drawRoundedRect(QRectF(6, bodyTop, 138, 22 + car.lift * 0.3), 9, 9);

    p.setBrush(QColor(170, 215, 245));
    const qreal mid = (cabinLeft + cabinRight) / 2;
    QPainterPath front;
    front.moveTo(cabinLeft - 5, bodyTop + 1);
    front.lineTo(cabinLeft + 12, bodyTop - car.roof + 4);
    front.lineTo(mid - 2, bodyTop - car.roof + 4);
    front.lineTo(mid - 2, bodyTop + 1);
    front.closeSubpath();
    QPainterPath back;
    back.moveTo(mid + 3, bodyTop + 1);
    back.lineTo(mid + 3, bodyTop - car.roof + 4);
    back.lineTo(cabinRight - 8, bodyTop - car.roof + 4);
    back.lineTo(cabinRight + 7, bodyTop + 1);
    back.closeSubpath();
    p.drawPath(front);
    p.drawPath(back);

    p.setBrush(QColor(255, 236, 140));
    p.drawRoundedRect(QRectF(134, bodyTop + 5, 9, 6), 2, 2);
    p.setBrush(QColor(220, 40, 40));
    p.drawRoundedRect(QRectF(7, bodyTop + 5, 6, 6), 2, 2);

    for (qreal x : { 36.0, 114.0 }) {
        p.setBrush(QColor(30, 30, 34));
        p.drawEllipse(QPointF(x, 62), 13, 13);
        QRadialGradient hub(QPointF(x - 2, 60), 8);
        hub.setColorAt(0, QColor(240, 240, 245));
        hub.setColorAt(1, QColor(120, 124, 132));
        p.setBrush(hub);
        p.drawEllipse(QPointF(x, 62), 7, 7);
    }
}

// A brand badge without lettering, 96 x 48 (drawn at twice the size it is shown).
void drawLogo(QPainter& p, int kind, const QColor& color)
{
    p.setPen(QPen(color.darker(150), 3));
    p.setBrush(color);
    switch (kind) {
    case 0: // shield
    {
        QPainterPath shield;
        shield.moveTo(48, 44);
        shield.cubicTo(22, 34, 26, 12, 28, 4);
        shield.lineTo(68, 4);
        shield.cubicTo(70, 12, 74, 34, 48, 44);
        p.drawPath(shield);
        p.setBrush(QColor(255, 230, 120));
        p.drawPath(star(QPointF(48, 20), 10, 4));
        break;
    }
    case 1: // wings
    {
        for (int side : { -1, 1 }) {
            QPainterPath wing;
            wing.moveTo(48, 24);
            wing.cubicTo(48 + side * 20, 4, 48 + side * 40, 6, 48 + side * 46, 10);
            wing.cubicTo(48 + side * 36, 18, 48 + side * 28, 30, 48, 30);
            p.drawPath(wing);
        }
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(48, 25), 8, 8);
        break;
    }
    case 2: // ring with a star
        p.drawEllipse(QPointF(48, 24), 21, 21);
        p.setBrush(Qt::white);
        p.drawPath(star(QPointF(48, 25), 15, 6));
        break;
    case 3: // diamond
    {
        QPolygonF diamond({ QPointF(48, 3), QPointF(78, 24), QPointF(48, 45), QPointF(18, 24) });
        p.drawPolygon(diamond);
        p.setBrush(color.lighter(160));
        p.drawPolygon(QPolygonF({ QPointF(48, 12), QPointF(64, 24), QPointF(48, 36), QPointF(32, 24) }));
        break;
    }
    case 4: // three rings
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(color, 5));
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(26 + i * 22, 24), 14, 14);
        break;
    default: // lightning
    {
        p.drawRoundedRect(QRectF(14, 4, 68, 40), 12, 12);
        p.setBrush(QColor(255, 220, 60));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF(
            { QPointF(52, 8), QPointF(36, 27), QPointF(47, 27), QPointF(42, 41), QPointF(60, 20), QPointF(49, 20) }));
        break;
    }
    }
}

bool drawCars(const QDir& dir)
{
    const CarShape cars[] = {
        { QColor(214, 38, 44), 14, 0.55, 0 }, // red sports car
        { QColor(36, 98, 200), 19, 0.75, 2 }, // blue saloon
        { QColor(245, 190, 30), 13, 0.50, 0 }, // yellow roadster
        { QColor(46, 150, 80), 25, 0.90, 8 }, // green off-roader
        { QColor(170, 176, 186), 19, 0.80, 2 }, // silver saloon
        { QColor(44, 44, 52), 23, 0.85, 6 }, // black estate
    };
    const QColor logos[] = { QColor(200, 30, 40), QColor(40, 80, 170), QColor(30, 30, 30), QColor(90, 170, 230),
        QColor(150, 150, 160), QColor(20, 110, 60) };
    bool ok = true;
    for (int i = 0; i < 6; ++i) {
        ok &= save(
            dir, QStringLiteral("car-%1.png").arg(i + 1), QSize(150, 80), [&](QPainter& p) { drawCar(p, cars[i]); });
        ok &= save(dir, QStringLiteral("logo-%1.png").arg(i + 1), QSize(96, 48),
            [&](QPainter& p) { drawLogo(p, i, logos[i]); });
    }
    return ok;
}

} // namespace

bool Pictures::drawGarage(const QDir& root)
{
    return drawHostPictures(QDir(root.filePath(QStringLiteral("pics"))))
        && drawCars(QDir(root.filePath(QStringLiteral("garage"))));
}
