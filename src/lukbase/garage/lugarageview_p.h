#ifndef LUKBASE_LUGARAGEVIEW_P_H
#define LUKBASE_LUGARAGEVIEW_P_H

#include "lugarageview.h"

#include <QRect>

class LuGarageModel;

class LuGarageViewPrivate
{
    Q_DECLARE_PUBLIC(LuGarageView)

public:
    explicit LuGarageViewPrivate(LuGarageView* q);
    void init();

    // The button rectangle of the card at index, or a null rectangle.
    QRect buttonRectAt(const QModelIndex& index) const;

    LuGarageView* const q_ptr;
    LuGarageModel* model = nullptr;
    // The button under the last left press; null while no click is pending.
    QRect pressedRect;
};

#endif
