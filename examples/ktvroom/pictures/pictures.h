#ifndef KTVROOM_PICTURES_H
#define KTVROOM_PICTURES_H

// The sandbox's pictures, drawn at build time by ktvroom_pictures into a folder laid out as
// the resource paths that name them. Only shapes are drawn, no text, so no fonts are needed.

#include <QDir>
#include <QImage>
#include <QPainterPath>

namespace Pictures {

// A transparent picture of the given size.
QImage canvas(int width, int height);
// A star of points spikes around centre.
QPainterPath star(const QPointF& centre, qreal outer, qreal inner, int points = 5);
// Saves image as dir/name, saying on stderr when it cannot.
bool save(const QDir& dir, const QString& name, const QImage& image);

// pics/garage-*.png, the host pictures of the garage view; garage/car-N.png and logo-N.png.
bool drawGarage(const QDir& root);
// pics/luck*.png and bonusbg.png, the host pictures of the prize popups; prizepage/*.png.
bool drawPrize(const QDir& root);
// pics/video*.png, audio*.png and takepic.png with their @2x, the video bar's icons.
bool drawVideo(const QDir& root);

} // namespace Pictures

#endif
