#include <lukbase/lumicbonuspopup.h>

#include "markingtranslator.h"
#include "offscreennotes.h"
#include "prize/lumicbonuspopup_p.h"
#include "textcheck.h"

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

// The bonus button's whole text: its tooltip when the button shows it cut.
QString buttonText(LuMicBonusPopup& popup)
{
    const QPushButton* button = d(popup)->bonusButton;
    return button->toolTip().isEmpty() ? button->text() : button->toolTip();
}

// One tick of the countdown, delivered as the timer would deliver it; returns the button's text.
QString tick(LuMicBonusPopup& popup)
{
    QTimerEvent event(d(popup)->timerId);
    QCoreApplication::sendEvent(&popup, &event);
    return buttonText(popup);
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
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

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
        QStringList texts = { buttonText(popup) };
        for (int i = 0; i < 3; ++i)
            texts.append(tick(popup));
        QCOMPARE(texts, QStringList({ "Get Bonus[3]", "Get Bonus[2]", "Get Bonus[1]", "Get Bonus[0]" }));
        QVERIFY(popup.isVisible());

        // One second after [0] the window closes; the timer goes on closing it until restarted.
        tick(popup);
        QVERIFY(!popup.isVisible());
        popup.show();
        QCOMPARE(tick(popup), "Get Bonus[0]");
        QVERIFY(!popup.isVisible());

        // A countdown of zero or less runs no timer.
        popup.setRemainTime(-4);
        QCOMPARE(buttonText(popup), "Get Bonus[-4]");
        QVERIFY(timers(popup).isEmpty());
    }

    void buttons()
    {
        LuMicBonusPopup popup;
        popup.show();
        popup.setRemainTime(5);
        auto* bonus = popup.findChild<QPushButton*>("BonusButton");
        auto* close = popup.findChild<QPushButton*>("BonusClose");
        QVERIFY(bonus && close);
        QSignalSpy getBonus(&popup, &LuMicBonusPopup::getBonus);
        QTest::mouseClick(bonus, Qt::LeftButton);
        QCOMPARE(getBonus.size(), 1);
        QVERIFY(popup.isVisible());

        // The close button hides the window while the countdown goes on.
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!popup.isVisible());
        QCOMPARE(timers(popup).size(), 1);
        QCOMPARE(tick(popup), "Get Bonus[4]");
    }

    void textsFit_data() { TextCheck::addFontAndLanguageRows(); }

    // Texts too long for their places are cut at their ends; the seconds left always show.
    void textsFit()
    {
        TextCheck::FontAndLanguage language;
        LuMicBonusPopup popup;
        const QString title = "Great singing! Your song earned the bonus of the week in this room";
        popup.setTitle(title);
        popup.setItem("Golden microphone of the night", QPixmap());
        popup.setRemainTime(15);
        popup.show();
        QCOMPARE(TextCheck::unfitted(&popup), QStringList());
        QVERIFY(d(popup)->bonusButton->text().endsWith(QLatin1String("[15]")));
        QCOMPARE(d(popup)->titleLabel->toolTip(), title);
    }

    void changeOfLanguage()
    {
        LuMicBonusPopup popup;
        popup.setItem("Golden microphone", QPixmap());
        popup.setRemainTime(3);
        MarkingTranslator translator("LuMicBonusPopup");
        QVERIFY(QCoreApplication::installTranslator(&translator));
        TextCheck::changeLanguage(&popup);
        QCOMPARE(buttonText(popup), "<Get Bonus>[3]");
        QCOMPARE(TextCheck::untranslated(&popup, { "Golden microphone" }), QStringList());
    }
};

QTEST_MAIN(tst_LuMicBonusPopup)
#include "tst_lumicbonuspopup.moc"
