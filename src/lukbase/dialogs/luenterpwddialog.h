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
    /**
     * Constructs the dialog with an empty field.
     * @param parent the parent widget
     */
    explicit LuEnterPwdDialog(QWidget* parent = nullptr);
    /** Destroys the dialog. */
    ~LuEnterPwdDialog() override;

    /**
     * Replaces the tip line, for example after a wrong password. A tip too long for the line
     * is cut at its end; the whole tip is its tooltip.
     * @param text the tip. It is shown as a QLabel shows text: a text that looks like
     *        markup is read as rich text, so escape any name in it (QString::toHtmlEscaped()).
     */
    void setTipText(const QString& text);
    /** @return the password as typed, spaces included */
    QString password() const;

public Q_SLOTS:
    /** Accepts the dialog, unless the field is empty: then the field takes the focus. */
    void accept() override;

protected:
    /**
     * Retranslates the form on a change of language, keeping a tip the host set.
     * @param event the change event
     */
    void changeEvent(QEvent* event) override;

private:
    Q_DECLARE_PRIVATE(LuEnterPwdDialog)
    const QScopedPointer<LuEnterPwdDialogPrivate> d_ptr;
};

#endif
