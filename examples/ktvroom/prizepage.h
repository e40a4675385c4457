#ifndef KTVROOM_PRIZEPAGE_H
#define KTVROOM_PRIZEPAGE_H

#include "sandboxpage.h"

#include <QList>
#include <QPointer>

class LuGiftItem;
class LuMicBonusPopup;
class LuWinPrizePopup;
class QLabel;
class QPushButton;
class QTextBrowser;
class QTimer;

// Prize announcements the way a room shows them: the win-prize ticker fed by a scripted
// stream of wins and notices, big wins broadcast as horn texts into the room log, and the
// mic bonus popup with its countdown. Both popups are windows of their own; the page mirrors
// them so that they can be seen (and photographed) in place.
class PrizePage : public SandboxPage
{
    Q_OBJECT

public:
    explicit PrizePage(QWidget* parent = nullptr);
    ~PrizePage() override;

    QString title() const override;
    void prepareScreenshot(const std::function<void()>& ready) override;
    bool screenshotAtDoubleRatio() const override { return true; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Event;

    void buildGifts();
    void buildTicker();
    void feedNext();
    void feed(const Event& event);
    void bigWinNow();
    void offerBonus();
    void showTicker();
    void refreshMirrors();
    void log(const QString& html);

    QList<LuGiftItem*> m_gifts;
    QList<Event> m_script;
    int m_nextEvent = 0;

    QPointer<LuWinPrizePopup> m_ticker;
    LuMicBonusPopup* m_bonus;
    QTimer* m_stream;
    QTimer* m_mirrorTimer;
    QLabel* m_tickerMirror;
    QLabel* m_bonusMirror;
    QTextBrowser* m_roomLog;
    QPushButton* m_pauseButton;
};

#endif
