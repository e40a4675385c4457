#ifndef KTVROOM_GIFTCATALOGUE_H
#define KTVROOM_GIFTCATALOGUE_H

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

// One gift of the sandbox's catalogue, as the room server would describe it.
struct CatalogueGift
{
    int id;
    int type; // 1 lucky, 2 battle star, else ordinary
    int cmd;
    int flags; // bit 0: Flash animation
    QString name;
    QString unit;
    qint64 price;
    qint64 giftmoney;
    QString symbol;
    QColor color;
};

// The sandbox's gift catalogue and the files a gift server holds for it, drawn here.
namespace GiftCatalogue {

QList<CatalogueGift> gifts();

// Every file the server offers, by file name: "<id>.png", "<id>.gif", "<id>_star.gif" for
// battle-star gifts and "<id>.swf" for Flash gifts, each of the kind its name says.
QHash<QString, QByteArray> serverFiles(const QList<CatalogueGift>& gifts);

// Writes the fallback icons "ugift.png", "ugift.gif" and "ugift_star.gif" into directory.
bool writeFallbackIcons(const QString& directory);

} // namespace GiftCatalogue

#endif
