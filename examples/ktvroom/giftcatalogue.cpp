#include "giftcatalogue.h"
#include "gifwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <iterator>

namespace {

QByteArray encodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A rounded tile in the gift's colour with its symbol in white.
QImage drawTile(int size, const QColor& color, const QString& symbol)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF tile(1, 1, size - 2, size - 2);
    QLinearGradient gradient(tile.topLeft(), tile.bottomRight());
    gradient.setColorAt(0, color.lighter(135));
    gradient.setColorAt(1, color.darker(125));
    painter.setPen(QPen(color.darker(160), 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(tile, size * 0.2, size * 0.2);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(size * 0.58);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 60));
    painter.drawText(tile.translated(1, 2), Qt::AlignCenter, symbol);
    painter.setPen(Qt::white);
    painter.drawText(tile, Qt::AlignCenter, symbol);
    return image;
}

// A five-pointed star; gold for a gift's own logo, grey for the fallback.
QImage drawStar(int size, const QColor& color)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath star;
    const QPointF centre(size / 2.0, size / 2.0 + 1);
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 ? 0.21 : 0.48) * size;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    painter.setPen(QPen(color.darker(170), 1));
    painter.setBrush(color);
    painter.drawPath(star);
    return image;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

namespace GiftCatalogue {

QList<CatalogueGift> gifts()
{
    struct Entry
    {
        const char* name;
        const char* symbol;
        int type;
        int cmd;
        int flags;
        qint64 price;
    };
    // clang-format off
    static const Entry entries[] = {
        { "Rose", "\u273F", 0, 0, 0, 100 },            { "Lollipop", "\u25C9", 1, 0, 0, 100 },
        { "Applause", "\u270C", 0, 0, 0, 200 },        { "Kiss", "\u2665", 1, 0, 0, 500 },
        { "Coffee", "\u2615", 0, 0, 0, 500 },          { "Beer", "\u2668", 0, 10007, 0, 1000 },
        { "Cake", "\u2302", 1, 0, 1, 1000 },           { "Balloon", "\u25CF", 0, 0, 0, 1000 },
        { "Teddy", "\u263A", 0, 0, 0, 2000 },          { "Microphone", "\u266A", 0, 10001, 0, 5000 },
        { "Encore", "\u266B", 0, 10006, 0, 5000 },     { "Star", "\u2605", 2, 0, 0, 5000 },
        { "Moon", "\u263E", 2, 0, 1, 8000 },           { "Sun", "\u2600", 2, 0, 0, 10000 },
        { "Clover", "\u2663", 1, 0, 0, 10000 },        { "Diamond", "\u2666", 0, 0, 1, 20000 },
        { "Ring", "\u25CE", 0, 0, 1, 50000 },          { "Crown", "\u265B", 0, 10005, 1, 100000 },
        { "Rocket", "\u2708", 0, 0, 1, 200000 },       { "Fireworks", "\u2739", 0, 10009, 1, 300000 },
        { "Rainbow", "\u2312", 1, 0, 0, 600 },         { "Guitar", "\u266C", 0, 0, 0, 800 },
        { "Piano", "\u2669", 0, 0, 0, 1200 },          { "Drum", "\u25A3", 1, 0, 0, 1500 },
        { "Trumpet", "\u266D", 0, 0, 0, 1800 },        { "Angel", "\u2727", 2, 0, 0, 30000 },
        { "Dragon", "\u2694", 2, 0, 1, 88888 },        { "Phoenix", "\u2741", 2, 0, 0, 66666 },
        { "Lucky Cat", "\u2618", 1, 0, 0, 888 },       { "Gold Bar", "\u25AC", 0, 0, 0, 100000000 },
        { "Red Packet", "\u2709", 1, 0, 0, 1888 },     { "Lantern", "\u2742", 0, 0, 0, 300 },
        { "Fan", "\u2740", 0, 0, 0, 300 },             { "Tea", "\u2603", 0, 0, 0, 200 },
        { "Snowflake", "\u2744", 0, 0, 0, 100 },       { "Umbrella", "\u2602", 0, 0, 0, 400 },
        { "Anchor", "\u2693", 0, 0, 0, 700 },          { "Lightning", "\u26A1", 1, 0, 1, 900 },
        { "Chess Knight", "\u265E", 0, 0, 0, 1600 },   { "Castle", "\u265C", 0, 10005, 1, 250000000 },
    };
    // clang-format on
    QList<CatalogueGift> gifts;
    int index = 0;
    for (const Entry& entry : entries) {
        CatalogueGift gift;
        gift.id = 101 + index;
        gift.type = entry.type;
        gift.cmd = entry.cmd;
        gift.flags = entry.flags;
        gift.name = QString::fromUtf8(entry.name);
        gift.unit = QStringLiteral("piece");
        gift.price = entry.price;
        gift.giftmoney = entry.price * 8 / 10;
        gift.symbol = QString::fromUtf8(entry.symbol);
        gift.color = QColor::fromHsv(index * 360 / int(std::size(entries)), 170, 215);
        gifts.append(gift);
        ++index;
    }
    return gifts;
}

QHash<QString, QByteArray> serverFiles(const QList<CatalogueGift>& gifts)
{
    QHash<QString, QByteArray> files;
    for (const CatalogueGift& gift : gifts) {
        const QString id = QString::number(gift.id);
        files.insert(id + QStringLiteral(".png"), encodePng(drawTile(32, gift.color, gift.symbol)));
        files.insert(id + QStringLiteral(".gif"), encodeGif(drawTile(96, gift.color, gift.symbol)));
        if (gift.type == 2)
            files.insert(id + QStringLiteral("_star.gif"), encodeGif(drawStar(20, QColor(255, 200, 40))));
        if (gift.flags & 1)
            files.insert(id + QStringLiteral(".swf"), "FWS\x0a" + gift.name.toUtf8());
    }
    return files;
}

bool writeFallbackIcons(const QString& directory)
{
    const QDir dir(directory);
    const QColor grey(170, 170, 175);
    return writeFile(dir.filePath(QStringLiteral("ugift.png")), encodePng(drawTile(32, grey, QStringLiteral("?"))))
        && writeFile(dir.filePath(QStringLiteral("ugift.gif")), encodeGif(drawTile(96, grey, QStringLiteral("?"))))
        && writeFile(dir.filePath(QStringLiteral("ugift_star.gif")), encodeGif(drawStar(20, grey)));
}

} // namespace GiftCatalogue
