#ifndef LUKBASE_LUWINPRIZEPOPUP_H
#define LUKBASE_LUWINPRIZEPOPUP_H

#include <lukbase/lukbase_export.h>
#include <lukbase/luwinprizemultiple.h>

#include <lucore/luobject.h>

#include <QList>
#include <QScopedPointer>
#include <QWidget>

class LuGiftItem;
class LuWinPrizePopupPrivate;

/**
 * A frameless tool window, 28 pixels high, that runs a one-line ticker of prize wins and
 * plain messages.
 *
 * Each new line slides in from below, the faster the more lines are queued; two small
 * buttons (object names "WinPrizePrev" and "WinPrizeNext", styled by the host) step back
 * and forth through the lines, and the user can drag the window by its body. When a line
 * that becomes current reports a win of multiple 500 or more, the popup emits
 * showHornMsg() with the horn text for the host to broadcast, and shakes half a second
 * later. About six seconds after the last line has settled the popup closes (hides)
 * itself, unless the pointer rests on it.
 *
 * The popup never shows itself: the host sets its width and position, feeds it with
 * addPrize() and addMessage(), shows it and connects showHornMsg(). It keeps the 256
 * newest lines: a new line pushes out the oldest one that is not on screen.
 *
 * The pictures come from the host's resources: ":/pics/luckbg.png" behind prize lines,
 * ":/pics/luckbg_red.png" behind messages and ":/pics/luckgold.png", three 15 x 24 tiles
 * (left end, middle, right end) that frame the digits of an amount.
 */
class LUKBASE_EXPORT LuWinPrizePopup : public QWidget, public LuObject
{
    Q_OBJECT

public:
    /**
     * Constructs the hidden popup with no lines.
     * @param parent the parent widget; the popup stays a window of its own
     */
    explicit LuWinPrizePopup(QWidget* parent = nullptr);
    /** Destroys the popup, giving back the references it holds on gift records. */
    ~LuWinPrizePopup() override;

    /**
     * Adds the line of a single win.
     * @param name the sender's name, drawn as plain text
     * @param id kept with the line for the host and not read here
     * @param price the gift's price
     * @param multiple the prize multiple: the win is @p multiple times @p price
     * @param time when it was won, in seconds since the epoch; 0 = none
     * @param gift the gift record; the popup keeps a reference to it for as long as it
     *        lives. A null gift is refused with a warning.
     */
    void addPrize(const QString& name, int id, qint64 price, int multiple, qint64 time, LuGiftItem* gift);
    /**
     * Adds the line of a group of wins. The line shows the sum of multiple x times over the
     * group; the horn text is sent when the largest multiple of the list, in any order, is
     * 500 or more.
     * @param name the sender's name, drawn as plain text
     * @param id kept with the line for the host and not read here
     * @param price the gift's price
     * @param multiples the wins, normally grouped by makeMultiples()
     * @param time when they were won, in seconds since the epoch; 0 = none
     * @param gift the gift record; the popup keeps a reference to it for as long as it
     *        lives. A null gift is refused with a warning.
     */
    void addPrize(const QString& name, int id, qint64 price, const QList<LuWinPrizeMultiple>& multiples, qint64 time,
        LuGiftItem* gift);
    /**
     * Adds a plain message line.
     * @param image the picture, drawn in a 24 x 24 square
     * @param text the message, drawn as plain text
     */
    void addMessage(const QImage& image, const QString& text);

    /**
     * @return true once the user has dragged the window by its body; never reset. Moves by
     *         the shake or by the host's move() do not count.
     */
    bool isMoved() const;

    /**
     * Groups the per-win multiples.
     * @param multiples one prize multiple per win
     * @return one pair per distinct value with the number of its occurrences, ascending by
     *         multiple (negative and zero values included)
     */
    static QList<LuWinPrizeMultiple> makeMultiples(const QList<int>& multiples);
    /**
     * The horn text of a single win, for the host to broadcast to the room.
     *
     * @p name and @p giftName are plain text: they are HTML-escaped here (both forms), so
     * that every peer sees them as typed and never as markup. Pass them unescaped.
     * @param name the sender's name
     * @param giftName the gift's name
     * @param price the gift's price
     * @param multiple the prize multiple
     * @param time when it was won, in seconds since the epoch; 0 = none
     * @return rich text: one line in a red font element naming the sender, the gift, the
     *         multiple and the total, followed by the local clock time in parentheses when
     *         @p time is not 0
     */
    static QString makeHornMessage(
        const QString& name, const QString& giftName, qint64 price, qint64 multiple, qint64 time);
    /**
     * The horn text of a group of wins, for the host to broadcast to the room. The names
     * are escaped as in the single form.
     * @param name the sender's name
     * @param giftName the gift's name
     * @param price the gift's price
     * @param multiples the wins, as makeMultiples() groups them
     * @param time when they were won, in seconds since the epoch; 0 = none
     * @return rich text, as the single form gives it, listing each multiple with its count
     */
    static QString makeHornMessage(const QString& name, const QString& giftName, qint64 price,
        const QList<LuWinPrizeMultiple>& multiples, qint64 time);

public Q_SLOTS:
    /**
     * Shakes the window for about 700 ms, then puts it back where it was. Does nothing
     * while a shake runs or when the window is hidden or minimised.
     */
    void vibrateNotify();

Q_SIGNALS:
    /**
     * A line of a big win became current: broadcast the horn text to the room.
     * @param icon 1
     * @param msg the horn text, rich text as makeHornMessage() makes it
     */
    void showHornMsg(int icon, const QString& msg);

protected:
    /**
     * Runs the ticker, the shake and the closing after rest.
     * @param event the timer event
     */
    void timerEvent(QTimerEvent* event) override;
    /**
     * Paints the current line and the one sliding in.
     * @param event the paint event
     */
    void paintEvent(QPaintEvent* event) override;
    /**
     * Keeps the rounded corners.
     * @param event the resize event
     */
    void resizeEvent(QResizeEvent* event) override;
    /**
     * Retranslates the buttons and the prize lines on a change of language.
     * @param event the change event
     */
    void changeEvent(QEvent* event) override;
    /**
     * Notes a move by the user's drag (isMoved()); the shake and the host's moves do not count.
     * @param event the move event
     */
    void moveEvent(QMoveEvent* event) override;
    /**
     * A left press on the body, away from the buttons, starts dragging the window.
     * @param event the mouse event
     */
    void mousePressEvent(QMouseEvent* event) override;
    /**
     * Moves the window while it is dragged.
     * @param event the mouse event
     */
    void mouseMoveEvent(QMouseEvent* event) override;
    /**
     * Ends a drag.
     * @param event the mouse event
     */
    void mouseReleaseEvent(QMouseEvent* event) override;
    /**
     * Ends a drag that the window system ran, when the pointer comes back.
     * @param event the enter event
     */
    void enterEvent(QEnterEvent* event) override;
    /**
     * Ends a drag that the window system ran, when the pointer leaves.
     * @param event the leave event
     */
    void leaveEvent(QEvent* event) override;

private Q_SLOTS:
    void prevMessage();
    void nextMessage();

private:
    Q_DECLARE_PRIVATE(LuWinPrizePopup)
    const QScopedPointer<LuWinPrizePopupPrivate> d_ptr;
};

#endif
