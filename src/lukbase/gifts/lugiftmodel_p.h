#ifndef LUKBASE_LUGIFTMODEL_P_H
#define LUKBASE_LUGIFTMODEL_P_H

#include "lugiftmodel.h"

#include <QHash>

class LuGiftModelPrivate
{
    Q_DECLARE_PUBLIC(LuGiftModel)

public:
    explicit LuGiftModelPrivate(LuGiftModel* q);

    static LuGiftModelPrivate* get(LuGiftModel* model) { return model->d_func(); }

    // Tells the views that the translated texts of every row have changed.
    void retranslate();

    LuGiftModel* const q_ptr;
    // The rows; the model holds one reference on each.
    QList<LuGiftItem*> gifts;
    // The first row of each record, so that finding a record's row takes no search. The rows
    // change only by a reset, which builds it anew.
    QHash<const LuGiftItem*, int> firstRows;
};

#endif
