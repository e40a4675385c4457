#ifndef LUKBASE_LUGIFTMODEL_P_H
#define LUKBASE_LUGIFTMODEL_P_H

#include "lugiftmodel.h"

class LuGiftModelPrivate
{
    Q_DECLARE_PUBLIC(LuGiftModel)

public:
    explicit LuGiftModelPrivate(LuGiftModel* q);

    LuGiftModel* q_ptr;
    // The rows; the model holds one reference on each.
    QList<LuGiftItem*> gifts;
};

#endif
