#ifndef LUKBASE_LUGARAGEMODEL_P_H
#define LUKBASE_LUGARAGEMODEL_P_H

#include "lugaragemodel.h"

class LuGarageModelPrivate
{
    Q_DECLARE_PUBLIC(LuGarageModel)

public:
    explicit LuGarageModelPrivate(LuGarageModel* q);

    static LuGarageModelPrivate* get(LuGarageModel* model) { return model->d_func(); }

    // Tells the views that the translated texts of every row have changed.
    void retranslate();

    LuGarageModel* const q_ptr;
    // The rows; owned by the host.
    QList<LuGarageItem*> cars;
};

#endif
