#include "luvideononelayout_p.h"

LuVideoNoneLayout::LuVideoNoneLayout() = default;

LuVideoNoneLayout::LuVideoNoneLayout(QWidget* parent)
    : QVBoxLayout(parent)
{
}

bool LuVideoNoneLayout::hasHeightForWidth() const
{
    return keepRatio || QVBoxLayout::hasHeightForWidth();
}

int LuVideoNoneLayout::heightForWidth(int width) const
{
    if (keepRatio)
        return (3 * width) / 4;
    return QVBoxLayout::heightForWidth(width);
}
