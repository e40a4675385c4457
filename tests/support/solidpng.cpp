// Writes a PNG of one colour, for the Qt resources that tests give the library:
//   lukbase_solidpng OUTPUT WIDTH HEIGHT #AARRGGBB

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s OUTPUT WIDTH HEIGHT #AARRGGBB\n", argv[0]);
        return 2;
    }
    const QColor color = QColor::fromString(QString::fromLocal8Bit(argv[4]));
    const int width = QString::fromLocal8Bit(argv[2]).toInt();
    const int height = QString::fromLocal8Bit(argv[3]).toInt();
    if (!color.isValid() || width <= 0 || height <= 0) {
        std::fprintf(stderr, "%s: bad size or colour\n", argv[0]);
        return 2;
    }
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
