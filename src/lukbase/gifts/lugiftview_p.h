#ifndef LUKBASE_LUGIFTVIEW_P_H
#define LUKBASE_LUGIFTVIEW_P_H

#include "lugiftview.h"

class LuGiftModel;

class LuGiftViewPrivate
{
    Q_DECLARE_PUBLIC(LuGiftView)

public:
    explicit LuGiftViewPrivate(LuGiftView* q);
    void init();

    LuGiftView* const q_ptr;
    LuGiftModel* model = nullptr;
};

#endif
