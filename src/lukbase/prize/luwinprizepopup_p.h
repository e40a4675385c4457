#ifndef LUKBASE_LUWINPRIZEPOPUP_P_H
#define LUKBASE_LUWINPRIZEPOPUP_P_H

#include "luwinprizeentry_p.h"
#include "luwinprizepopup.h"

#include <QBasicTimer>
#include <QFont>
#include <QPixmap>
#include <QPoint>
#include <QRect>

#include <functional>

class QPainter;
class QPushButton;
class QWindow;

class LuWinPrizePopupPrivate
{
    Q_DECLARE_PUBLIC(LuWinPrizePopup)

public:
    // The most lines a popup keeps; a new one pushes out the oldest that is not on screen.
    static constexpr int maxEntries = 256;
    // A win of this multiple or more is announced to the room.
    static constexpr int hornMultiple = 500;
    static constexpr int tickInterval = 200;
    static constexpr int shakeInterval = 100;
    static constexpr int shakeStepInterval = 20;
    static constexpr int hornToShakeDelay = 500;

    explicit LuWinPrizePopupPrivate(LuWinPrizePopup* q);
    ~LuWinPrizePopupPrivate();

    static LuWinPrizePopupPrivate* get(LuWinPrizePopup* popup) { return popup->d_func(); }

    void init();

    bool startPrizeEntry(
        LuWinPrizeEntry* entry, const QString& name, int id, qint64 price, qint64 time, LuGiftItem* gift) const;
    void addEntry(const LuWinPrizeEntry& entry);
    void dropOldestHiddenEntry();
    void announce(int index);

    // One tick of the 200 ms ticker.
    void tick();
    bool isShaking() const { return shakeTimerId != 0; }
    int slideStep(int remaining) const;
    bool mayAdvance(int remaining) const;

    void prevMessage();
    void nextMessage();

    void startShake();
    // One tick of the 100 ms shake timer: the first of its five moves now, the others
    // spread by the 20 ms step timer.
    void shakeTick();
    void shakeStepTick();
    void endShakeRound();
    void shakeMove(const QPoint& position);

    // Paints the shown line; its whole text goes to the tooltip when it is cut.
    void paint(QPainter& painter);
    // The right end of the room left of the buttons that the lines are drawn in.
    int lineRight() const;
    // The text of entry index as drawn: cut so that the line ends left of the buttons.
    QString fittedText(int index) const;
    static qint64 amountOf(const LuWinPrizeEntry& entry);
    // The line's text in the present language (prize lines only).
    static QString prizeText(const LuWinPrizeEntry& entry);
    void retranslate();
    // Draws entry index into rect; the background (when backgroundRect is valid) stays put
    // while a sliding line moves over it.
    void drawEntry(QPainter& painter, int index, const QRect& rect, const QRect& backgroundRect) const;
    int drawAmount(QPainter& painter, qint64 amount, int x, int top) const;
    void updateMask();

    LuWinPrizePopup* const q_ptr;
    QPixmap background;
    QPixmap redBackground;
    QPixmap digitTiles;
    QFont font;
    QList<LuWinPrizeEntry*> entries;
    int timerId = 0;
    int current = 0;
    int browse = -1;
    int ticks = 0;
    int offset = 0;
    int shakeTimerId = 0;
    int shakeCount = 0;
    QRect savedRect;
    bool moved = false;

    QPushButton* prevButton = nullptr;
    QPushButton* nextButton = nullptr;

    // The moves of one shake tick: the next offset to take (-1 = none pending) from the
    // window position read at the tick.
    QBasicTimer shakeStepTimer;
    int shakeStep = -1;
    QPoint shakeOrigin;

    // A drag of the window by its body: userMoving while the window system moves it for
    // the user (until the release, the pointer's leave or return, or the left button found
    // up), or dragOffset (pointer minus window position) while the popup moves itself where
    // the window system cannot.
    bool userMoving = false;
    bool dragging = false;
    QPoint dragOffset;

    // Replaces QWindow::startSystemMove() when set, so that tests can play a window system
    // that moves windows for the user.
    static std::function<bool(QWindow*)> systemMove;
};

#endif
