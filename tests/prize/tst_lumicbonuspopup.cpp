#include <lukbase/lumicbonuspopup.h>

#include "offscreennotes.h"
#include "prize/lumicbonuspopup_p.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

namespace {

LuMicBonusPopupPrivate* d(LuMicBonusPopup& popup)
{
    return LuMicBonusPopupPrivate::get(&popup);
}

// One tick of the countdown, delivered as the timer would deliver it.
void tick(LuMicBonusPopup& popup)
{
    QTimerEvent event(d(popup)->timerId);
    QCoreApplication::sendEvent(&popup, &event);
}

QString buttonText(LuMicBonusPopup& popup)
{
    return popup.findChild<QPushButton*>(QStringLiteral("BonusButton"))->text();
}

// Records which timers reach a popup, and the button's text as each of them arrives.
class TimerLog : public QObject
{
public:
    explicit TimerLog(LuMicBonusPopup* popup)
        : m_popup(popup)
    {
        popup->installEventFilter(this);
    }
    QList<int> timerIds;
    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_popup && event->type() == QEvent::Timer) {
            timerIds.append(static_cast<QTimerEvent*>(event)->timerId());
            texts.append(buttonText(*m_popup));
        }
        return false;
    }

private:
    LuMicBonusPopup* m_popup;
};

} // namespace

class tst_LuMicBonusPopup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void construction();
    void countdown();
    void restartKeepsOneTimer();
    void zeroOrNegativeStops_data();
    void zeroOrNegativeStops();
    void bonusButtonOnlySignals();
    void closeButtonHidesTimerRuns();
    void item();
    void chineseTexts();
};

void tst_LuMicBonusPopup::initTestCase()
{
    dropOffscreenPlatformNotes();
}

void tst_LuMicBonusPopup::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void tst_LuMicBonusPopup::construction()
{
    LuMicBonusPopup popup;
    QCOMPARE(popup.minimumSize(), QSize(320, 290));
    QCOMPARE(popup.maximumSize(), QSize(320, 290));
    QVERIFY(!popup.background().isNull());
    QCOMPARE(popup.background().size(), QSize(320, 290));

    auto* close = popup.findChild<QPushButton*>(QStringLiteral("BonusClose"));
    QVERIFY(close);
    QCOMPARE(close->geometry(), QRect(288, 54, 32, 32));
    QVERIFY(close->text().isEmpty());
    QCOMPARE(close->toolTip(), QStringLiteral("Close"));
    QCOMPARE(close->accessibleName(), QStringLiteral("Close"));

    auto* bonus = popup.findChild<QPushButton*>(QStringLiteral("BonusButton"));
    QVERIFY(bonus);
    QCOMPARE(bonus->geometry(), QRect(120, 238, 80, 24));
    // No countdown until the host starts one.
    QCOMPARE(bonus->text(), QStringLiteral("Get Bonus"));
    QCOMPARE(d(popup)->timerId, 0);

    QCOMPARE(d(popup)->titleLabel->geometry(), QRect(25, 100, 270, 36));
    QVERIFY(d(popup)->titleLabel->wordWrap());
    QVERIFY(d(popup)->titleLabel->font().bold());
    QCOMPARE(d(popup)->titleLabel->palette().color(QPalette::Inactive, QPalette::WindowText), QColor(249, 112, 6));
    QCOMPARE(d(popup)->itemPixmapLabel->geometry(), QRect(130, 150, 60, 62));
    QCOMPARE(d(popup)->itemNameLabel->geometry(), QRect(110, 215, 100, 20));
}

void tst_LuMicBonusPopup::countdown()
{
    LuMicBonusPopup popup;
    popup.show();
    popup.setRemainTime(3);
    QVERIFY(d(popup)->timerId != 0);

    QStringList texts = { buttonText(popup) };
    for (int i = 0; i < 3; ++i) {
        tick(popup);
        texts.append(buttonText(popup));
    }
    QCOMPARE(texts,
        QStringList({ QStringLiteral("Get Bonus[3]"), QStringLiteral("Get Bonus[2]"), QStringLiteral("Get Bonus[1]"),
            QStringLiteral("Get Bonus[0]") }));
    QVERIFY(popup.isVisible());

    // One second after [0] the window closes; the timer goes on closing it until restarted.
    tick(popup);
    QVERIFY(!popup.isVisible());
    QVERIFY(d(popup)->timerId != 0);
    popup.show();
    tick(popup);
    QVERIFY(!popup.isVisible());
    QCOMPARE(buttonText(popup), QStringLiteral("Get Bonus[0]"));
}

void tst_LuMicBonusPopup::restartKeepsOneTimer()
{
    LuMicBonusPopup popup;
    TimerLog log(&popup);
    popup.show();
    popup.setRemainTime(9);
    popup.setRemainTime(2);
    QCOMPARE(buttonText(popup), QStringLiteral("Get Bonus[2]"));

    // Real seconds: a forgotten first timer would tick as well, under its own id.
    QTRY_COMPARE_WITH_TIMEOUT(log.timerIds.size(), 2, 5000);
    QCOMPARE(log.timerIds, QList<int>({ d(popup)->timerId, d(popup)->timerId }));
    QCOMPARE(log.texts, QStringList({ QStringLiteral("Get Bonus[2]"), QStringLiteral("Get Bonus[1]") }));
    QCOMPARE(buttonText(popup), QStringLiteral("Get Bonus[0]"));
    QVERIFY(popup.isVisible());
}

void tst_LuMicBonusPopup::zeroOrNegativeStops_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << QStringLiteral("Get Bonus[0]");
    QTest::newRow("negative") << -4 << QStringLiteral("Get Bonus[-4]");
}

void tst_LuMicBonusPopup::zeroOrNegativeStops()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);

    LuMicBonusPopup popup;
    TimerLog log(&popup);
    popup.show();
    popup.setRemainTime(1);
    popup.setRemainTime(seconds);
    QCOMPARE(d(popup)->timerId, 0);
    QCOMPARE(buttonText(popup), text);
    QTest::qWait(1300);
    QVERIFY(log.timerIds.isEmpty());
    QVERIFY(popup.isVisible());
}

void tst_LuMicBonusPopup::bonusButtonOnlySignals()
{
    LuMicBonusPopup popup;
    popup.show();
    popup.setRemainTime(5);
    const int timer = d(popup)->timerId;
    QSignalSpy spy(&popup, &LuMicBonusPopup::getBonus);
    auto* bonus = popup.findChild<QPushButton*>(QStringLiteral("BonusButton"));
    QTest::mouseClick(bonus, Qt::LeftButton);
    QTest::mouseClick(bonus, Qt::LeftButton, {}, QPoint(), 600);
    QCOMPARE(spy.size(), 2);
    QVERIFY(popup.isVisible());
    QCOMPARE(d(popup)->timerId, timer);
    QCOMPARE(buttonText(popup), QStringLiteral("Get Bonus[5]"));
}

void tst_LuMicBonusPopup::closeButtonHidesTimerRuns()
{
    LuMicBonusPopup popup;
    popup.show();
    popup.setRemainTime(5);
    QTest::mouseClick(popup.findChild<QPushButton*>(QStringLiteral("BonusClose")), Qt::LeftButton);
    QVERIFY(!popup.isVisible());
    QVERIFY(d(popup)->timerId != 0);
    tick(popup);
    QCOMPARE(buttonText(popup), QStringLiteral("Get Bonus[4]"));
}

void tst_LuMicBonusPopup::item()
{
    LuMicBonusPopup popup;
    popup.setTitle(QStringLiteral("You sang well!"));
    QCOMPARE(d(popup)->titleLabel->text(), QStringLiteral("You sang well!"));

    QPixmap pixmap(60, 62);
    pixmap.fill(Qt::yellow);
    // Names are shown as typed, never read as markup.
    popup.setItem(QStringLiteral("<b>Golden</b> mic"), pixmap);
    QCOMPARE(d(popup)->itemNameLabel->text(), QStringLiteral("<b>Golden</b> mic"));
    QCOMPARE(d(popup)->itemNameLabel->textFormat(), Qt::PlainText);
    QCOMPARE(d(popup)->itemPixmapLabel->pixmap().size(), QSize(60, 62));

    popup.setItem(QStringLiteral("Nothing"), QPixmap());
    QVERIFY(d(popup)->itemPixmapLabel->pixmap().isNull());
}

void tst_LuMicBonusPopup::chineseTexts()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("lukbase_zh_CN"), QStringLiteral(LUKBASE_TRANSLATIONS_DIR)));
    QCoreApplication::installTranslator(&translator);
    LuMicBonusPopup popup;
    popup.setRemainTime(15);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(buttonText(popup), QStringLiteral("领取奖励[15]"));
    QCOMPARE(popup.findChild<QPushButton*>(QStringLiteral("BonusClose"))->accessibleName(), QStringLiteral("关闭"));
}

QTEST_MAIN(tst_LuMicBonusPopup)
#include "tst_lumicbonuspopup.moc"
