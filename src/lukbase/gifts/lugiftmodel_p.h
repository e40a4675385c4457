#ifndef LUKBASE_LUGIFTMODEL_P_H
#define LUKBASE_LUGIFTMODEL_P_H

#include "lugiftmodel.h"

class LuGiftModelPrivate
{
    Q_DECLARE_PUBLIC(LuGiftModel)

public:
    explicit LuGiftModelPrivate(LuGiftModel* q);

    static LuGiftModelPrivate* get(LuGiftModel* model) { return model->d_func(); }

    // Tells the views that the translated texts of every row have changed.
    void retranslate();

    LuGiftModel* q_ptr;
    // The rows; the model holds one reference on each.
    QList<LuGiftItem*> gifts;
};

#endif
