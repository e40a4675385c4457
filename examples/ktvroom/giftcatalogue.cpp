#include "giftcatalogue.h"
#include "gifwriter.h"

#include <lukbase/lugiftitem.h>

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
    using G = LuGiftItem;
    struct Entry
    {
        const char* name;
        const char* symbol;
        qint64 price;
        int type = G::OrdinaryGift;
        int cmd = G::NoCommand;
        int flags = 0;
    };
    // clang-format off
    static const Entry entries[] = {
        { "Rose", "\u273F", 100 },                       { "Lollipop", "\u25C9", 100, G::LuckyGift },
        { "Applause", "\u270C", 200 },                   { "Kiss", "\u2665", 500, G::LuckyGift },
        { "Coffee", "\u2615", 500 },                     { "Beer", "\u2668", 1000, G::OrdinaryGift, G::RoomShareCommand },
        { "Cake", "\u2302", 1000, G::LuckyGift, G::NoCommand, G::FlashFlag },
        { "Balloon", "\u25CF", 1000 },                   { "Teddy", "\u263A", 2000 },
        { "Microphone", "\u266A", 5000, G::OrdinaryGift, G::MicUpCommand },
        { "Encore", "\u266B", 5000, G::OrdinaryGift, G::MicTimeCommand },
        { "Star", "\u2605", 5000, G::BattleStarGift },
        { "Moon", "\u263E", 8000, G::BattleStarGift, G::NoCommand, G::FlashFlag },
        { "Sun", "\u2600", 10000, G::BattleStarGift },   { "Clover", "\u2663", 10000, G::LuckyGift },
        { "Diamond", "\u2666", 20000, G::OrdinaryGift, G::NoCommand, G::FlashFlag },
        { "Ring", "\u25CE", 50000, G::OrdinaryGift, G::NoCommand, G::FlashFlag },
        { "Crown", "\u265B", 100000, G::OrdinaryGift, G::SiegeCommand, G::FlashFlag },
        { "Rocket", "\u2708", 200000, G::OrdinaryGift, G::NoCommand, G::FlashFlag },
        { "Fireworks", "\u2739", 300000, G::OrdinaryGift, G::ManagerShareCommand, G::FlashFlag },
        { "Rainbow", "\u2312", 600, G::LuckyGift },      { "Guitar", "\u266C", 800 },
        { "Piano", "\u2669", 1200 },                     { "Drum", "\u25A3", 1500, G::LuckyGift },
        { "Trumpet", "\u266D", 1800 },                   { "Angel", "\u2727", 30000, G::BattleStarGift },
        { "Dragon", "\u2694", 88888, G::BattleStarGift, G::NoCommand, G::FlashFlag },
        { "Phoenix", "\u2741", 66666, G::BattleStarGift }, { "Lucky Cat", "\u2618", 888, G::LuckyGift },
        { "Gold Bar", "\u25AC", 100000000 },             { "Red Packet", "\u2709", 1888, G::LuckyGift },
        { "Lantern", "\u2742", 300 },                    { "Fan", "\u2740", 300 },
        { "Tea", "\u2603", 200 },                        { "Snowflake", "\u2744", 100 },
        { "Umbrella", "\u2602", 400 },                   { "Anchor", "\u2693", 700 },
        { "Lightning", "\u26A1", 900, G::LuckyGift, G::NoCommand, G::FlashFlag },
        { "Chess Knight", "\u265E", 1600 },
        { "Castle", "\u265C", 250000000, G::OrdinaryGift, G::SiegeCommand, G::FlashFlag },
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
        if (gift.type == LuGiftItem::BattleStarGift)
            files.insert(id + QStringLiteral("_star.gif"), encodeGif(drawStar(20, QColor(255, 200, 40))));
        if (gift.flags & LuGiftItem::FlashFlag)
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
