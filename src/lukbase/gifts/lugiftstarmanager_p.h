#ifndef LUKBASE_LUGIFTSTARMANAGER_P_H
#define LUKBASE_LUGIFTSTARMANAGER_P_H

#include "lugiftstarmanager.h"

#include <QList>
#include <QMap>

class LuGiftStarManagerPrivate
{
    Q_DECLARE_PUBLIC(LuGiftStarManager)

public:
    explicit LuGiftStarManagerPrivate(LuGiftStarManager* q)
        : q_ptr(q)
    {
    }

    LuGiftStarManager* const q_ptr;
    // The stars each user holds, in the order they were added; no references of their own.
    QMap<int, QList<LuGiftStarItem*>> userStars;
    // Every star by gift id; one reference on each.
    QMap<int, LuGiftStarItem*> stars;
};

#endif
