#ifndef LUCORE_LUSKINDIALOG_P_H
#define LUCORE_LUSKINDIALOG_P_H

#include "luskindialog.h"

class QToolButton;

class LuSkinDialogPrivate
{
    Q_DECLARE_PUBLIC(LuSkinDialog)

public:
    explicit LuSkinDialogPrivate(LuSkinDialog* q);
    void init();

    LuSkinDialog* const q_ptr;
    QWidget* clientWidget = nullptr;
    QToolButton* closeButton = nullptr;
    QString title;
};

#endif
