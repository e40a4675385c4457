#ifndef LUKBASE_LUMICBONUSPOPUP_H
#define LUKBASE_LUMICBONUSPOPUP_H

#include <lukbase/lukbase_export.h>

#include <lucore/lumoviewindow.h>

#include <QScopedPointer>

class LuMicBonusPopupPrivate;

/**
 * A small fixed-size window (320 x 290 over the host's ":/pics/bonusbg.png") that offers
 * the user a microphone bonus: a title, the bonus item's name and picture, a "Get Bonus"
 * button (object name "BonusButton") with a countdown in seconds, and a close button
 * (object name "BonusClose"); the host's style sheet draws both buttons.
 *
 * Pressing the bonus button emits getBonus() for the host to claim the bonus. When the
 * countdown has run out the window closes (hides) itself.
 */
class LUKBASE_EXPORT LuMicBonusPopup : public LuMovieWindow
{
    Q_OBJECT

public:
    /**
     * Constructs the hidden popup without title, item or countdown.
     * @param parent the parent widget; the popup stays a window of its own
     */
    explicit LuMicBonusPopup(QWidget* parent = nullptr);
    /** Destroys the popup. */
    ~LuMicBonusPopup() override;

    /**
     * Sets the title shown at the top, in two lines at most; the whole title is its tooltip
     * when cut.
     * @param title the title. It is shown as a QLabel shows text: a text that looks like
     *        markup is read as rich text, so escape any name in it (QString::toHtmlEscaped()).
     */
    void setTitle(const QString& title);
    /**
     * Sets the bonus item.
     * @param name the item's name, shown as typed (plain text); its tooltip when cut
     * @param pixmap the item's picture; a null pixmap clears the picture
     */
    void setItem(const QString& name, const QPixmap& pixmap);
    /**
     * (Re)starts the countdown: the button shows "Get Bonus[n]", counting down once a
     * second, and the window closes one second after [0].
     * @param seconds the seconds left; zero or a negative value stops the countdown and
     *        leaves the window open
     */
    void setRemainTime(int seconds);

Q_SIGNALS:
    /** The user pressed the bonus button. */
    void getBonus();

protected:
    /**
     * Runs the countdown.
     * @param event the timer event
     */
    void timerEvent(QTimerEvent* event) override;
    /**
     * Retranslates the button and the close tooltip on a change of language, and cuts the
     * texts again when the font or the style changes.
     * @param event the change event
     */
    void changeEvent(QEvent* event) override;

private:
    Q_DECLARE_PRIVATE(LuMicBonusPopup)
    const QScopedPointer<LuMicBonusPopupPrivate> d_ptr;
};

#endif
