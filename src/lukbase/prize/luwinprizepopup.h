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
 * addPrize() and addMessage(), shows it and connects showHornMsg(). It keeps at most 256
 * lines for its whole life; later ones are dropped.
 *
 * The pictures come from the host's resources: ":/pics/luckbg.png" behind prize lines,
 * ":/pics/luckbg_red.png" behind messages and ":/pics/luckgold.png", three 15 x 24 tiles
 * (left end, middle, right end) that frame the digits of an amount.
 */
class LUKBASE_EXPORT LuWinPrizePopup : public QWidget, public LuObject
{
    Q_OBJECT

public:
    explicit LuWinPrizePopup(QWidget* parent = nullptr);
    ~LuWinPrizePopup() override;

    /**
     * Adds the line of a single win of @p multiple times the gift's @p price, won at
     * @p time (seconds since the epoch, 0 = none). The popup keeps a reference to
     * @p gift for as long as it lives; a null gift is refused with a warning.
     * @p id is kept with the line for the host and not read here.
     */
    void addPrize(const QString& name, int id, qint64 price, int multiple, qint64 time, LuGiftItem* gift);
    /**
     * Adds the line of a group of wins, normally grouped by makeMultiples(). The line shows
     * the sum of multiple x times over the group; the horn text is sent when the last
     * (largest) multiple is 500 or more.
     */
    void addPrize(const QString& name, int id, qint64 price, const QList<LuWinPrizeMultiple>& multiples, qint64 time,
        LuGiftItem* gift);
    /** Adds a plain message line with a picture (drawn in a 24 x 24 square) and a text. */
    void addMessage(const QImage& image, const QString& text);

    /** True once the user has moved the window; never reset. */
    bool isMoved() const;

    /**
     * Groups the per-win multiples: one pair per distinct value with the number of its
     * occurrences, ascending by multiple (negative and zero values included).
     */
    static QList<LuWinPrizeMultiple> makeMultiples(const QList<int>& multiples);
    /**
     * The horn text of a single win: a rich-text line in a red font element naming the
     * sender, the gift, the multiple and the total, followed by the local clock time in
     * parentheses when @p time is not 0.
     */
    static QString makeHornMessage(
        const QString& name, const QString& giftName, qint64 price, qint64 multiple, qint64 time);
    /** The horn text of a group of wins, listing each multiple with its count. */
    static QString makeHornMessage(const QString& name, const QString& giftName, qint64 price,
        const QList<LuWinPrizeMultiple>& multiples, qint64 time);

public Q_SLOTS:
    /**
     * Shakes the window for about 700 ms, then puts it back where it was. Does nothing
     * while a shake runs or when the window is hidden or minimised.
     */
    void vibrateNotify();

Q_SIGNALS:
    /** A line of a big win became current: broadcast @p msg (rich text) with @p icon 1. */
    void showHornMsg(int icon, const QString& msg);

protected:
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private Q_SLOTS:
    void prevMessage();
    void nextMessage();

private:
    Q_DECLARE_PRIVATE(LuWinPrizePopup)
    QScopedPointer<LuWinPrizePopupPrivate> d_ptr;
};

#endif
