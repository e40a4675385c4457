#ifndef LUKBASE_LUGIFTSTARMANAGER_P_H
#define LUKBASE_LUGIFTSTARMANAGER_P_H

#include "lugiftstarmanager.h"

#include <QList>
#include <QMap>

class LuGiftStarManagerPrivate
{
public:
    explicit LuGiftStarManagerPrivate(LuGiftStarManager* q)
        : q(q)
    {
    }

    LuGiftStarManager* const q;
    // The stars each user holds, in the order they were added; no references of their own.
    QMap<int, QList<LuGiftStarItem*>> userStars;
    // Every star by gift id; one reference on each.
    QMap<int, LuGiftStarItem*> stars;
};

#endif
