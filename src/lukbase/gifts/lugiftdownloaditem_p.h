#ifndef LUKBASE_LUGIFTDOWNLOADITEM_P_H
#define LUKBASE_LUGIFTDOWNLOADITEM_P_H

#include <lucore/luobject.h>

#include <QByteArray>
#include <QList>
#include <QString>

class LuGiftItem;

// One gift file to fetch, and the records that wait for it. Each record in items holds one
// reference, given back when the download item is deleted.
class LuGiftDownloadItem : public LuObject
{
public:
    enum Kind {
        Thumbnail = 1, // "<id>.png"
        Image = 2, // "<id>.gif"
        Flash = 3, // "<id>.swf"
        StarLogo = 4, // "<id>_star.gif"
    };

    LuGiftDownloadItem(LuGiftItem* item, const QString& fileName, const QString& url, int kind);
    ~LuGiftDownloadItem() override;

    // Lets one more record wait for the file.
    void addItem(LuGiftItem* item);

    QList<LuGiftItem*> items;
    QString fileName;
    QString url;
    int kind;
    // Failed attempts that were queued again.
    int retries;
    // What arrived of the attempt in flight, and whether it grew past the size a gift file may have.
    QByteArray body;
    bool tooLarge = false;

private:
    Q_DISABLE_COPY(LuGiftDownloadItem)
};

#endif
