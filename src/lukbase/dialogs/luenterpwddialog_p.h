#ifndef LUKBASE_LUENTERPWDDIALOG_P_H
#define LUKBASE_LUENTERPWDDIALOG_P_H

#include "luenterpwddialog.h"

#include <memory>

namespace Ui {
class enterpwdForm;
}

class LuEnterPwdDialogPrivate
{
    Q_DECLARE_PUBLIC(LuEnterPwdDialog)

public:
    explicit LuEnterPwdDialogPrivate(LuEnterPwdDialog* q);
    ~LuEnterPwdDialogPrivate();
    void init();
    void retranslate();

    LuEnterPwdDialog* const q_ptr;
    std::unique_ptr<Ui::enterpwdForm> ui;
    // The tip the host set; null while the form's own tip shows.
    QString tipText;
};

#endif
