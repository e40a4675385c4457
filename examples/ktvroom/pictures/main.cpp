// Draws the sandbox's pictures at build time:
//
//   ktvroom_pictures DIR     writes DIR/pics/, DIR/garage/ and DIR/prizepage/

#include "pictures.h"

#include <QGuiApplication>
#include <QPainter>

#include <cmath>
#include <cstdio>

namespace Pictures {

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath star(const QPointF& centre, qreal outer, qreal inner, int points)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal radius = i % 2 ? inner : outer;
        const qreal angle = M_PI * i / points - M_PI / 2;
        const QPointF point = centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

bool save(const QDir& dir, const QString& name, const QImage& image)
{
    if (image.save(dir.filePath(name), "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(dir.filePath(name)));
    return false;
}

} // namespace Pictures

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* folder : { "pics", "garage", "prizepage" }) {
        if (!root.mkpath(QLatin1String(folder))) {
            std::fprintf(stderr, "cannot make %s/%s\n", argv[1], folder);
            return 1;
        }
    }
    return Pictures::drawGarage(root) && Pictures::drawPrize(root) && Pictures::drawVideo(root) ? 0 : 1;
}
