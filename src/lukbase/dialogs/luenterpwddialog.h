#ifndef LUKBASE_LUENTERPWDDIALOG_H
#define LUKBASE_LUENTERPWDDIALOG_H

#include <lucore/luskindialog.h>
#include <lukbase/lukbase_export.h>

class LuEnterPwdDialogPrivate;

/**
 * Asks for the password of a locked room: a skinned dialog titled "Room Password" with a
 * tip line, a masked field of at most 16 characters, and OK and Cancel. OK is refused
 * while the field is empty (the focus goes back to it).
 */
class LUKBASE_EXPORT LuEnterPwdDialog : public LuSkinDialog
{
    Q_OBJECT

public:
    explicit LuEnterPwdDialog(QWidget* parent = nullptr);
    ~LuEnterPwdDialog() override;

    /**
     * Replaces the tip line, for example after a wrong password. A tip too long for the line
     * is cut at its end; the whole tip is its tooltip.
     */
    void setTipText(const QString& text);
    /** The password as typed, spaces included. */
    QString password() const;

public Q_SLOTS:
    /** Accepts the dialog, unless the field is empty: then the field takes the focus. */
    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    Q_DECLARE_PRIVATE(LuEnterPwdDialog)
    QScopedPointer<LuEnterPwdDialogPrivate> d_ptr;
};

#endif
