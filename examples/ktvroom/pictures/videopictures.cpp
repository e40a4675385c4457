// The video bar's button icons, as the host ships them under ":/pics/": white glyphs on a
// transparent ground, 18 x 18 and twice that size as "@2x".

#include "pictures.h"

#include <QPainter>

#include <functional>

namespace {

const QColor kGlyph(250, 250, 255);
const QColor kStrike(235, 60, 60);

QPen glyphPen(qreal width = 1.6)
{
    return QPen(kGlyph, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawCamera(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawRoundedRect(QRectF(2, 5, 10, 8), 1.5, 1.5);
    QPainterPath lens;
    lens.moveTo(12.5, 8.2);
    lens.lineTo(16.5, 5.5);
    lens.lineTo(16.5, 12.5);
    lens.lineTo(12.5, 9.8);
    lens.closeSubpath();
    p.drawPath(lens);
}

void drawSpeaker(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    QPainterPath cone;
    cone.moveTo(2, 7);
    cone.lineTo(5, 7);
    cone.lineTo(9, 3.5);
    cone.lineTo(9, 14.5);
    cone.lineTo(5, 11);
    cone.lineTo(2, 11);
    cone.closeSubpath();
    p.drawPath(cone);
}

void drawStrike(QPainter& p)
{
    p.setPen(QPen(kStrike, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 15), QPointF(15, 3));
}

void drawMagnifier(QPainter& p, bool plus)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(glyphPen(1.6));
    p.drawEllipse(QPointF(7.5, 7.5), 4.8, 4.8);
    p.setPen(glyphPen(2.4));
    p.drawLine(QPointF(11, 11), QPointF(15.5, 15.5));
    p.setPen(glyphPen(1.4));
    p.drawLine(QPointF(5.2, 7.5), QPointF(9.8, 7.5));
    if (plus)
        p.drawLine(QPointF(7.5, 5.2), QPointF(7.5, 9.8));
}

void drawPanelArrow(QPainter& p, bool out)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(glyphPen(1.4));
    p.drawRoundedRect(QRectF(2.5, 3.5, 13, 11), 1.5, 1.5);
    p.drawLine(QPointF(11, 3.5), QPointF(11, 14.5));
    // The arrow points toward the side panel to open it and away from it to close it.
    const qreal tip = out ? 9 : 5;
    const qreal tail = out ? 5 : 9;
    p.setPen(glyphPen(1.6));
    p.drawLine(QPointF(tail, 9), QPointF(tip, 9));
    p.drawLine(QPointF(tip, 9), QPointF((tip + tail) / 2, 6.8));
    p.drawLine(QPointF(tip, 9), QPointF((tip + tail) / 2, 11.2));
}

struct Icon
{
    const char* name;
    std::function<void(QPainter&)> draw;
};

const Icon kIcons[] = {
    { "videoon", drawCamera },
    { "videooff",
        [](QPainter& p) {
            p.setOpacity(0.6);
            drawCamera(p);
            p.setOpacity(1);
            drawStrike(p);
        } },
    { "audioon",
        [](QPainter& p) {
            drawSpeaker(p);
            p.setBrush(Qt::NoBrush);
            p.setPen(glyphPen(1.4));
            p.drawArc(QRectF(7, 6, 5, 6), -60 * 16, 120 * 16);
            p.drawArc(QRectF(6, 3.5, 9.5, 11), -60 * 16, 120 * 16);
        } },
    { "audiooff",
        [](QPainter& p) {
            p.setOpacity(0.6);
            drawSpeaker(p);
            p.setOpacity(1);
            p.setPen(QPen(kStrike, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(11, 6.5), QPointF(16, 11.5));
            p.drawLine(QPointF(16, 6.5), QPointF(11, 11.5));
        } },
    { "takepic",
        [](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(kGlyph);
            QPainterPath body;
            body.addRoundedRect(QRectF(1.5, 5, 15, 10), 2, 2);
            body.addRect(QRectF(6, 3, 6, 3));
            QPainterPath lens;
            lens.addEllipse(QPointF(9, 10), 3.2, 3.2);
            p.drawPath(body.subtracted(lens));
            p.drawEllipse(QPointF(9, 10), 1.6, 1.6);
        } },
    { "videosmall", [](QPainter& p) { drawMagnifier(p, false); } },
    { "videolarge", [](QPainter& p) { drawMagnifier(p, true); } },
    { "videoshowpopup", [](QPainter& p) { drawPanelArrow(p, true); } },
    { "videohidepopup", [](QPainter& p) { drawPanelArrow(p, false); } },
};

bool writeIcon(const QDir& directory, const Icon& icon, int scale)
{
    QImage image = Pictures::canvas(18 * scale, 18 * scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    icon.draw(painter);
    painter.end();
    const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    return Pictures::save(directory, QLatin1String(icon.name) + suffix + QLatin1String(".png"), image);
}

} // namespace

bool Pictures::drawVideo(const QDir& root)
{
    const QDir pics(root.filePath(QStringLiteral("pics")));
    for (const Icon& icon : kIcons) {
        if (!writeIcon(pics, icon, 1) || !writeIcon(pics, icon, 2))
            return false;
    }
    return true;
}
