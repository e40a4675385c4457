#ifndef LUKBASE_TESTS_TRACKEDGIFTITEM_H
#define LUKBASE_TESTS_TRACKEDGIFTITEM_H

#include <lukbase/lugiftitem.h>

#include <QList>

// A gift record that reports its destruction, so that tests can tell when the last holder
// let go of it. Records are built with the given id and paths and otherwise plain values.
class TrackedGiftItem : public LuGiftItem
{
public:
    TrackedGiftItem(int id, const QString& thumbnailPath = QString(), const QString& imagePath = QString(),
        int type = 0, int flags = 0, const QString& starLogoPath = QString())
        : LuGiftItem(id, type, 0, QStringLiteral("gift %1").arg(id), QStringLiteral("piece"), 10, 8, thumbnailPath,
            imagePath, starLogoPath, flags)
    {
    }
    ~TrackedGiftItem() override { destroyed().append(id()); }

    // Ids of the tracked records destroyed so far, in order; tests clear it in init().
    static QList<int>& destroyed()
    {
        static QList<int> ids;
        return ids;
    }
};

#endif
