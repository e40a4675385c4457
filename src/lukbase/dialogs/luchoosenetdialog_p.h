#ifndef LUKBASE_LUCHOOSENETDIALOG_P_H
#define LUKBASE_LUCHOOSENETDIALOG_P_H

#include "luchoosenetdialog.h"

class McServerListWidget;

class LuChooseNetDialogPrivate
{
    Q_DECLARE_PUBLIC(LuChooseNetDialog)

public:
    explicit LuChooseNetDialogPrivate(LuChooseNetDialog* q);
    void init();

    LuChooseNetDialog* const q_ptr;
    McMediaTransferQt* transfer = nullptr;
    McServerListWidget* serverList = nullptr;
    // The transfer as the QObject that announces its destruction; compared by address only,
    // since by then the transfer part is gone.
    QObject* watched = nullptr;
};

#endif
