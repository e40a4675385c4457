#ifndef LUKBASE_LUMICBONUSPOPUP_P_H
#define LUKBASE_LUMICBONUSPOPUP_P_H

#include "lumicbonuspopup.h"

class QLabel;
class QPushButton;

class LuMicBonusPopupPrivate
{
    Q_DECLARE_PUBLIC(LuMicBonusPopup)

public:
    static constexpr int countdownInterval = 1000;

    explicit LuMicBonusPopupPrivate(LuMicBonusPopup* q);

    static LuMicBonusPopupPrivate* get(LuMicBonusPopup* popup) { return popup->d_func(); }

    void init();
    // One tick of the countdown: one second less, or close once it has run out.
    void tick();
    void updateButtonText();
    void retranslate();

    LuMicBonusPopup* const q_ptr;
    QLabel* titleLabel = nullptr;
    QLabel* itemNameLabel = nullptr;
    QLabel* itemPixmapLabel = nullptr;
    QPushButton* bonusButton = nullptr;
    int remainTime = 0;
    int timerId = 0;
    // The button shows the seconds left once a countdown was set.
    bool countdownShown = false;
};

#endif
