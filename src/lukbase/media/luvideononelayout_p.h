#ifndef LUKBASE_LUVIDEONONELAYOUT_P_H
#define LUKBASE_LUVIDEONONELAYOUT_P_H

#include <QVBoxLayout>

// A vertical box layout that, while keepRatio is set, asks for the 4:3 height of a video
// picture for any width. Nested in a widget's layout chain, it gives the whole chain that
// height for width.
class LuVideoNoneLayout : public QVBoxLayout
{
public:
    LuVideoNoneLayout();
    explicit LuVideoNoneLayout(QWidget* parent);

    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

    bool keepRatio = false;
};

#endif
