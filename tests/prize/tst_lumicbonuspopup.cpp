#include <lukbase/lumicbonuspopup.h>

#include "offscreennotes.h"
#include "prize/lumicbonuspopup_p.h"

#include <QAbstractEventDispatcher>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

LuMicBonusPopupPrivate* d(LuMicBonusPopup& popup)
{
    return LuMicBonusPopupPrivate::get(&popup);
}

// One tick of the countdown, delivered as the timer would deliver it; returns the button's text.
QString tick(LuMicBonusPopup& popup)
{
    QTimerEvent event(d(popup)->timerId);
    QCoreApplication::sendEvent(&popup, &event);
    return d(popup)->bonusButton->text();
}

// The timers registered for the popup itself.
QList<QAbstractEventDispatcher::TimerInfo> timers(LuMicBonusPopup& popup)
{
    return QAbstractEventDispatcher::instance()->registeredTimers(&popup);
}

} // namespace

class tst_LuMicBonusPopup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { dropOffscreenPlatformNotes(); }
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void countdown()
    {
        LuMicBonusPopup popup;
        popup.show();
        popup.setRemainTime(9);
        popup.setRemainTime(3); // a restart replaces the running countdown
        // One timer only, the countdown's, ticking each second.
        QCOMPARE(timers(popup).size(), 1);
        QCOMPARE(timers(popup).first().timerId, d(popup)->timerId);
        QCOMPARE(timers(popup).first().interval, 1000);
        QStringList texts = { d(popup)->bonusButton->text() };
        for (int i = 0; i < 3; ++i)
            texts.append(tick(popup));
        QCOMPARE(texts, QStringList({ "Get Bonus[3]", "Get Bonus[2]", "Get Bonus[1]", "Get Bonus[0]" }));
        QVERIFY(popup.isVisible());

        // One second after [0] the window closes; the timer goes on closing it until restarted.
        tick(popup);
        QVERIFY(!popup.isVisible());
        popup.show();
        QCOMPARE(tick(popup), QStringLiteral("Get Bonus[0]"));
        QVERIFY(!popup.isVisible());

        // A countdown of zero or less runs no timer.
        popup.setRemainTime(-4);
        QCOMPARE(d(popup)->bonusButton->text(), QStringLiteral("Get Bonus[-4]"));
        QVERIFY(timers(popup).isEmpty());
    }

    void buttons()
    {
        LuMicBonusPopup popup;
        popup.show();
        popup.setRemainTime(5);
        auto* bonus = popup.findChild<QPushButton*>(QStringLiteral("BonusButton"));
        auto* close = popup.findChild<QPushButton*>(QStringLiteral("BonusClose"));
        QVERIFY(bonus && close);
        QSignalSpy getBonus(&popup, &LuMicBonusPopup::getBonus);
        QTest::mouseClick(bonus, Qt::LeftButton);
        QCOMPARE(getBonus.size(), 1);
        QVERIFY(popup.isVisible());

        // The close button hides the window while the countdown goes on.
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!popup.isVisible());
        QCOMPARE(timers(popup).size(), 1);
        QCOMPARE(tick(popup), QStringLiteral("Get Bonus[4]"));
    }
};

QTEST_MAIN(tst_LuMicBonusPopup)
#include "tst_lumicbonuspopup.moc"
