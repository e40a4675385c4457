#include <lukbase/luwinprizepopup.h>

#include "offscreennotes.h"
#include "prize/luwinprizepopup_p.h"
#include "trackedgiftitem.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <climits>

using Multiples = QList<LuWinPrizeMultiple>;

namespace {

// The test's own reference to a gift record, as a host keeps one.
class HeldGift
{
public:
    explicit HeldGift(int id)
        : m_gift(new TrackedGiftItem(id))
    {
        m_gift->ref();
    }
    ~HeldGift() { m_gift->release(); }
    HeldGift(const HeldGift&) = delete;
    HeldGift& operator=(const HeldGift&) = delete;

    TrackedGiftItem* get() const { return m_gift; }
    operator LuGiftItem*() const { return m_gift; }

private:
    TrackedGiftItem* m_gift;
};

LuWinPrizePopupPrivate* d(LuWinPrizePopup& popup)
{
    return LuWinPrizePopupPrivate::get(&popup);
}

// Ticks of the ticker, delivered as the timer would deliver them, without waiting.
void tick(LuWinPrizePopup& popup, int count = 1)
{
    for (int i = 0; i < count; ++i) {
        QTimerEvent event(d(popup)->timerId);
        QCoreApplication::sendEvent(&popup, &event);
    }
}

void addMessages(LuWinPrizePopup& popup, int count)
{
    for (int i = 0; i < count; ++i)
        popup.addMessage(QImage(), QStringLiteral("message %1").arg(i + 1));
}

// Ticks until the ticker leaves line `from`; returns how many ticks that took.
int ticksToAdvance(LuWinPrizePopup& popup, int from)
{
    for (int n = 1; n <= 100; ++n) {
        tick(popup);
        if (d(popup)->current != from)
            return n;
    }
    return -1;
}

// Ticks a slide to its end, returning the offset after each tick.
QList<int> slideOffsets(LuWinPrizePopup& popup)
{
    QList<int> offsets;
    while (d(popup)->offset > 0 && offsets.size() < 100) {
        tick(popup);
        offsets.append(d(popup)->offset);
    }
    return offsets;
}

void settle(LuWinPrizePopup& popup)
{
    slideOffsets(popup);
}

bool showAt(LuWinPrizePopup& popup, const QPoint& position)
{
    popup.resize(400, 28);
    popup.move(position);
    popup.show();
    return QTest::qWaitForWindowExposed(&popup);
}

} // namespace

class tst_LuWinPrizePopup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void construction();
    void nullGiftRefused();
    void lineTexts_data();
    void lineTexts();
    void announcesNewFirstLine_data();
    void announcesNewFirstLine();
    void announcesWhenLineBecomesCurrent();
    void advanceWaits_data();
    void advanceWaits();
    void slideSteps_data();
    void slideSteps();
    void closesWhenIdle();
    void neverClosesUnderMouse();
    void edgeButtonsOnlyResetTicks();
    void browsing();
    void nextDuringSlide();
    void keepsAtMost256Lines();
    void releasesGiftReferences();
    void shakeMoves();
    void shakeNeedsVisibleWindow();
    void hornShakesHalfASecondLater();
    void dragByBody();
    void roundedCorners();

private:
    void makeShaking(LuWinPrizePopup& popup);
};

void tst_LuWinPrizePopup::initTestCase()
{
    dropOffscreenPlatformNotes();
}

void tst_LuWinPrizePopup::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    TrackedGiftItem::destroyed().clear();
}

void tst_LuWinPrizePopup::makeShaking(LuWinPrizePopup& popup)
{
    popup.vibrateNotify();
    QVERIFY(d(popup)->isShaking());
}

void tst_LuWinPrizePopup::construction()
{
    LuWinPrizePopup popup;
    QCOMPARE(popup.windowFlags() & (Qt::WindowType_Mask | Qt::FramelessWindowHint), Qt::Tool | Qt::FramelessWindowHint);
    QVERIFY(popup.testAttribute(Qt::WA_ShowWithoutActivating));
    QCOMPARE(popup.minimumHeight(), 28);
    QCOMPARE(popup.maximumHeight(), 28);
    QVERIFY(!popup.isVisible());
    QVERIFY(!popup.isMoved());
    QCOMPARE(d(popup)->timerId, 0);

    // Text-less buttons, named for the host's style sheet and for screen readers.
    const struct
    {
        const char* objectName;
        const char* toolTip;
    } buttons[] = { { "WinPrizePrev", "Previous" }, { "WinPrizeNext", "Next" } };
    for (const auto& expected : buttons) {
        auto* button = popup.findChild<QPushButton*>(QLatin1String(expected.objectName));
        QVERIFY2(button, expected.objectName);
        QVERIFY(button->text().isEmpty());
        QCOMPARE(button->toolTip(), QLatin1String(expected.toolTip));
        QCOMPARE(button->accessibleName(), QLatin1String(expected.toolTip));
    }
}

void tst_LuWinPrizePopup::nullGiftRefused()
{
    LuWinPrizePopup popup;
    QTest::ignoreMessage(QtWarningMsg, "win prize without gift refused: \"Ann\"");
    popup.addPrize(QStringLiteral("Ann"), 1, 10, 500, 0, nullptr);
    QTest::ignoreMessage(QtWarningMsg, "win prize without gift refused: \"Bo\"");
    popup.addPrize(QStringLiteral("Bo"), 2, 10, Multiples { { 500, 1 } }, 0, nullptr);
    QVERIFY(d(popup)->entries.isEmpty());
    QCOMPARE(d(popup)->timerId, 0);

    // The popup goes on working.
    HeldGift gift(1);
    popup.addPrize(QStringLiteral("Cy"), 3, 10, 2, 0, gift);
    QCOMPARE(d(popup)->entries.size(), 1);
}

void tst_LuWinPrizePopup::lineTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("group");
    QTest::addColumn<int>("multiple");
    QTest::addColumn<Multiples>("multiples");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lineMultiple");

    QTest::newRow("single") << QStringLiteral("Ann") << false << 20 << Multiples()
                            << QStringLiteral("Congratulations to [Ann] present gift 7 win 20 multiple prize total")
                            << 20;
    QTest::newRow("single, placeholders in the name")
        << QStringLiteral("%1%2%3") << false << 500 << Multiples()
        << QStringLiteral("Congratulations to [%1%2%3] present gift 7 win 500 multiple prize total") << 500;
    QTest::newRow("group") << QStringLiteral("Ann") << true << 0 << Multiples { { 5, 1 }, { 10, 2 } }
                           << QStringLiteral("Congratulations to [Ann] present gift 7 win 5 multiple 1 times,10 "
                                             "multiple 2 times, total")
                           << 25;
    QTest::newRow("group, placeholders in the name")
        << QStringLiteral("%3%2%1") << true << 0 << Multiples { { 2, 1 } }
        << QStringLiteral("Congratulations to [%3%2%1] present gift 7 win 2 multiple 1 times, total") << 2;
    QTest::newRow("empty group") << QStringLiteral("Ann") << true << 0 << Multiples() << QString() << 0;
    QTest::newRow("group sum wraps in 32 bits")
        << QStringLiteral("Ann") << true << 0 << Multiples { { 65536, 65536 }, { 3, 1 } }
        << QStringLiteral("Congratulations to [Ann] present gift 7 win 65536 multiple 65536 times,3 multiple 1 times, "
                          "total")
        << 3;
    QTest::newRow("group sum wraps negative")
        << QStringLiteral("Ann") << true << 0 << Multiples { { INT_MAX, 2 } }
        << QStringLiteral("Congratulations to [Ann] present gift 7 win 2147483647 multiple 2 times, total") << -2;
}

void tst_LuWinPrizePopup::lineTexts()
{
    QFETCH(QString, name);
    QFETCH(bool, group);
    QFETCH(int, multiple);
    QFETCH(Multiples, multiples);
    QFETCH(QString, text);
    QFETCH(int, lineMultiple);

    HeldGift gift(7);
    LuWinPrizePopup popup;
    if (group)
        popup.addPrize(name, 42, 10, multiples, 1700000000, gift);
    else
        popup.addPrize(name, 42, 10, multiple, 1700000000, gift);

    QCOMPARE(d(popup)->entries.size(), 1);
    const LuWinPrizeEntry* entry = d(popup)->entries.first();
    QCOMPARE(entry->text, text);
    QCOMPARE(entry->multiple, lineMultiple);
}

void tst_LuWinPrizePopup::announcesNewFirstLine_data()
{
    QTest::addColumn<bool>("group");
    QTest::addColumn<int>("multiple");
    QTest::addColumn<Multiples>("multiples");
    QTest::addColumn<QString>("horn");

    QTest::newRow("499") << false << 499 << Multiples() << QString();
    QTest::newRow("500") << false << 500 << Multiples()
                         << QStringLiteral("<font color=#DD1303>Congratulations to Ann present gift 3 win 500 "
                                           "multiple, totally 5000 money</font>");
    QTest::newRow("negative") << false << -600 << Multiples() << QString();
    QTest::newRow("group, last 500")
        << true << 0 << Multiples { { 5, 2 }, { 500, 1 } }
        << QStringLiteral("<font color=#DD1303>Congratulations to Ann present gift 3 win 5 multiple 2 times,500 "
                          "multiple 1 times, totally 5100 money</font>");
    // Only the last pair counts, not the sum nor any earlier pair.
    QTest::newRow("group, big sum, last 499") << true << 0 << Multiples { { 499, 9 } } << QString();
    QTest::newRow("group, big first, small last") << true << 0 << Multiples { { 900, 1 }, { 5, 1 } } << QString();
    QTest::newRow("empty group") << true << 0 << Multiples() << QString();
}

void tst_LuWinPrizePopup::announcesNewFirstLine()
{
    QFETCH(bool, group);
    QFETCH(int, multiple);
    QFETCH(Multiples, multiples);
    QFETCH(QString, horn);

    HeldGift gift(3);
    LuWinPrizePopup popup;
    QSignalSpy spy(&popup, &LuWinPrizePopup::showHornMsg);
    if (group)
        popup.addPrize(QStringLiteral("Ann"), 1, 10, multiples, 0, gift);
    else
        popup.addPrize(QStringLiteral("Ann"), 1, 10, multiple, 0, gift);

    QCOMPARE(spy.size(), horn.isEmpty() ? 0 : 1);
    if (!horn.isEmpty())
        QCOMPARE(spy.first(), QVariantList({ 1, horn }));
    QVERIFY(d(popup)->entries.first()->announced);
}

void tst_LuWinPrizePopup::announcesWhenLineBecomesCurrent()
{
    HeldGift small(1);
    HeldGift big(2);
    LuWinPrizePopup popup;
    QSignalSpy spy(&popup, &LuWinPrizePopup::showHornMsg);

    popup.addMessage(QImage(), QStringLiteral("welcome"));
    popup.addPrize(QStringLiteral("Ann"), 1, 10, 20, 0, small);
    popup.addPrize(QStringLiteral("Bo"), 2, 10, 500, 0, big);
    popup.addPrize(QStringLiteral("Cy"), 3, 1, Multiples { { 1000, 1 } }, 0, big);
    QCOMPARE(spy.size(), 0);

    ticksToAdvance(popup, 0); // Ann's small win
    settle(popup);
    QCOMPARE(spy.size(), 0);
    ticksToAdvance(popup, 1); // Bo's line becomes current
    QCOMPARE(spy.size(), 1);
    QVERIFY(spy.at(0).at(1).toString().contains(QLatin1String("Bo present gift 2 win 500 multiple")));
    settle(popup);
    ticksToAdvance(popup, 2); // Cy's line
    QCOMPARE(spy.size(), 2);
    QVERIFY(spy.at(1).at(1).toString().contains(QLatin1String("Cy present gift 2 win 1000 multiple 1 times,")));

    // Going back and forth through the lines announces nothing again.
    for (int i = 0; i < 4; ++i)
        d(popup)->prevMessage();
    for (int i = 0; i < 4; ++i)
        d(popup)->nextMessage();
    tick(popup, 40);
    QCOMPARE(spy.size(), 2);
}

void tst_LuWinPrizePopup::advanceWaits_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("shaking");
    QTest::addColumn<int>("waits");

    // The fewer lines remain from the current one to the end, the longer each one stays.
    QTest::newRow("2 remaining") << 2 << false << 3;
    QTest::newRow("3 remaining") << 3 << false << 2;
    QTest::newRow("4 remaining") << 4 << false << 2;
    QTest::newRow("5 remaining") << 5 << false << 0;
    QTest::newRow("9 remaining") << 9 << false << 0;
    QTest::newRow("2 remaining, shaking") << 2 << true << 6;
    QTest::newRow("9 remaining, shaking") << 9 << true << 6;
}

void tst_LuWinPrizePopup::advanceWaits()
{
    QFETCH(int, lines);
    QFETCH(bool, shaking);
    QFETCH(int, waits);

    LuWinPrizePopup popup;
    if (shaking) {
        QVERIFY(showAt(popup, QPoint(100, 100)));
        makeShaking(popup);
    }
    addMessages(popup, lines);
    QCOMPARE(d(popup)->offset, 0); // the first line starts in place
    QCOMPARE(ticksToAdvance(popup, 0), waits + 1);
    QCOMPARE(d(popup)->current, 1);
    QCOMPARE(d(popup)->offset, 28);
    QCOMPARE(d(popup)->ticks, 0);
}

void tst_LuWinPrizePopup::slideSteps_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("shaking");
    QTest::addColumn<QList<int>>("offsets");

    // Lines remaining once the second line has become current: lines - 1.
    QTest::newRow("1 remaining, step 4") << 2 << false << QList<int> { 24, 20, 16, 12, 8, 4, 0 };
    QTest::newRow("2 remaining, step 8") << 3 << false << QList<int> { 20, 12, 4, 0 };
    QTest::newRow("3 remaining, step 12") << 4 << false << QList<int> { 16, 4, 0 };
    QTest::newRow("4 remaining, step 12") << 5 << false << QList<int> { 16, 4, 0 };
    QTest::newRow("5 remaining, step 20") << 6 << false << QList<int> { 8, 0 };
    QTest::newRow("5 remaining, shaking") << 6 << true << QList<int> { 24, 20, 16, 12, 8, 4, 0 };
}

void tst_LuWinPrizePopup::slideSteps()
{
    QFETCH(int, lines);
    QFETCH(bool, shaking);
    QFETCH(QList<int>, offsets);

    LuWinPrizePopup popup;
    if (shaking) {
        QVERIFY(showAt(popup, QPoint(100, 100)));
        makeShaking(popup);
    }
    addMessages(popup, lines);
    ticksToAdvance(popup, 0);
    QCOMPARE(slideOffsets(popup), offsets);
    QCOMPARE(d(popup)->current, 1);
}

void tst_LuWinPrizePopup::closesWhenIdle()
{
    LuWinPrizePopup popup;
    QVERIFY(showAt(popup, QPoint(100, 100)));
    addMessages(popup, 1);
    tick(popup, 31);
    QVERIFY(popup.isVisible());
    tick(popup);
    QVERIFY(!popup.isVisible());

    // Closing only hides: a later line is queued and scrolls once the host shows it again.
    popup.addMessage(QImage(), QStringLiteral("later"));
    QCOMPARE(d(popup)->entries.size(), 2);
    QVERIFY(!popup.isVisible());
    popup.show(); // no waiting: the event loop would run the real ticker
    QCOMPARE(ticksToAdvance(popup, 0), 1);
    settle(popup);
    tick(popup, 31);
    QVERIFY(popup.isVisible());
    tick(popup);
    QVERIFY(!popup.isVisible());
}

void tst_LuWinPrizePopup::neverClosesUnderMouse()
{
    LuWinPrizePopup popup;
    QVERIFY(showAt(popup, QPoint(100, 100)));
    addMessages(popup, 1);
    tick(popup, 20);

    popup.setAttribute(Qt::WA_UnderMouse, true);
    tick(popup, 200);
    QVERIFY(popup.isVisible());

    // The rest under the pointer neither counts nor restarts the count.
    popup.setAttribute(Qt::WA_UnderMouse, false);
    tick(popup, 11);
    QVERIFY(popup.isVisible());
    tick(popup);
    QVERIFY(!popup.isVisible());
}

void tst_LuWinPrizePopup::edgeButtonsOnlyResetTicks()
{
    LuWinPrizePopup popup;
    QVERIFY(showAt(popup, QPoint(100, 100)));
    addMessages(popup, 1);
    auto* prev = popup.findChild<QPushButton*>(QStringLiteral("WinPrizePrev"));
    auto* next = popup.findChild<QPushButton*>(QStringLiteral("WinPrizeNext"));

    // On the only line, both buttons restart the idle count and change nothing else.
    for (QPushButton* button : { prev, next }) {
        tick(popup, 25);
        button->click();
        QCOMPARE(d(popup)->browse, -1);
        QCOMPARE(d(popup)->current, 0);
        QCOMPARE(d(popup)->ticks, 0);
    }
    tick(popup, 31);
    QVERIFY(popup.isVisible());
    tick(popup);
    QVERIFY(!popup.isVisible());
}

void tst_LuWinPrizePopup::browsing()
{
    LuWinPrizePopup popup;
    addMessages(popup, 5);
    ticksToAdvance(popup, 0);
    settle(popup);
    ticksToAdvance(popup, 1);
    settle(popup);
    QCOMPARE(d(popup)->current, 2);

    auto* prev = popup.findChild<QPushButton*>(QStringLiteral("WinPrizePrev"));
    auto* next = popup.findChild<QPushButton*>(QStringLiteral("WinPrizeNext"));
    const QList<std::pair<QPushButton*, int>> steps = {
        { prev, 1 }, { prev, 0 }, { prev, 0 }, // no line before the first
        { next, 1 }, { next, 2 }, { next, 3 }, { next, 4 }, { next, 4 }, // no line after the last
    };
    for (const auto& [button, browse] : steps) {
        button->click();
        QCOMPARE(d(popup)->browse, browse);
    }

    // While browsing the ticker stands still, even with lines waiting; 22 ticks after the
    // last press it takes over again where it was.
    tick(popup, 21);
    QCOMPARE(d(popup)->browse, 4);
    QCOMPARE(d(popup)->current, 2);
    tick(popup);
    QCOMPARE(d(popup)->browse, -1);
    QCOMPARE(d(popup)->current, 2);
    QCOMPARE(d(popup)->ticks, 0);
    QCOMPARE(ticksToAdvance(popup, 2), 3);
}

void tst_LuWinPrizePopup::nextDuringSlide()
{
    LuWinPrizePopup popup;
    addMessages(popup, 3);
    ticksToAdvance(popup, 0);
    QVERIFY(d(popup)->offset > 0);

    // A running slide is finished by showing its line in place.
    d(popup)->nextMessage();
    QCOMPARE(d(popup)->browse, 1);
    QCOMPARE(d(popup)->offset, 0);

    // Settled, the next line is shown.
    tick(popup, 22);
    QCOMPARE(d(popup)->browse, -1);
    d(popup)->nextMessage();
    QCOMPARE(d(popup)->browse, 2);
}

void tst_LuWinPrizePopup::keepsAtMost256Lines()
{
    HeldGift gift(9);
    LuWinPrizePopup popup;
    addMessages(popup, 255);
    popup.addPrize(QStringLiteral("Ann"), 1, 10, 20, 0, gift);
    QCOMPARE(gift.get()->refCount(), 2);

    popup.addPrize(QStringLiteral("Bo"), 2, 10, 900, 0, gift);
    popup.addPrize(QStringLiteral("Cy"), 3, 10, Multiples { { 900, 1 } }, 0, gift);
    popup.addMessage(QImage(), QStringLiteral("too late"));
    QCOMPARE(d(popup)->entries.size(), 256);
    QCOMPARE(d(popup)->entries.last()->name, QStringLiteral("Ann"));
    // Dropped lines hold no reference.
    QCOMPARE(gift.get()->refCount(), 2);
}

void tst_LuWinPrizePopup::releasesGiftReferences()
{
    HeldGift kept(1);
    auto* owned = new TrackedGiftItem(2); // nobody else holds it
    {
        LuWinPrizePopup popup;
        popup.addPrize(QStringLiteral("Ann"), 1, 10, 20, 0, kept);
        popup.addPrize(QStringLiteral("Ann"), 2, 10, Multiples { { 5, 1 } }, 0, kept);
        popup.addPrize(QStringLiteral("Bo"), 3, 10, 30, 0, owned);
        QCOMPARE(kept.get()->refCount(), 3);
        QCOMPARE(owned->refCount(), 1);
        QVERIFY(TrackedGiftItem::destroyed().isEmpty());
    }
    QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 2 });
    QCOMPARE(kept.get()->refCount(), 1);
}

void tst_LuWinPrizePopup::shakeMoves()
{
    LuWinPrizePopup popup;
    QVERIFY(showAt(popup, QPoint(100, 100)));
    const QPoint home = popup.pos();
    makeShaking(popup);
    const int shakeTimer = d(popup)->shakeTimerId;

    // A second request while shaking changes nothing.
    popup.vibrateNotify();
    QCOMPARE(d(popup)->shakeTimerId, shakeTimer);

    const QList<QPoint> moves
        = { home + QPoint(-2, -2), home + QPoint(-2, 2), home + QPoint(2, 2), home + QPoint(2, -2), home };
    for (int round = 0; round < 7; ++round) {
        QVERIFY(d(popup)->isShaking());
        QElapsedTimer clock;
        clock.start();
        QTimerEvent shakeTick(d(popup)->shakeTimerId);
        QCoreApplication::sendEvent(&popup, &shakeTick);
        // The GUI thread never sleeps between the moves.
        QVERIFY(clock.elapsed() < 50);
        QList<QPoint> seen = { popup.pos() };
        for (int step = 1; step < moves.size(); ++step) {
            QTimerEvent stepTick(d(popup)->shakeStepTimer.timerId());
            QCoreApplication::sendEvent(&popup, &stepTick);
            seen.append(popup.pos());
        }
        QCOMPARE(seen, moves);
        QTimerEvent lastWait(d(popup)->shakeStepTimer.timerId());
        QCoreApplication::sendEvent(&popup, &lastWait);
    }
    QVERIFY(!d(popup)->isShaking());
    QVERIFY(!d(popup)->shakeStepTimer.isActive());
    QCOMPARE(popup.pos(), home);
    QVERIFY(!popup.isMoved());
}

void tst_LuWinPrizePopup::shakeNeedsVisibleWindow()
{
    LuWinPrizePopup popup;
    popup.vibrateNotify();
    QVERIFY(!d(popup)->isShaking());

    QVERIFY(showAt(popup, QPoint(100, 100)));
    popup.showMinimized();
    popup.vibrateNotify();
    QVERIFY(!d(popup)->isShaking());
}

void tst_LuWinPrizePopup::hornShakesHalfASecondLater()
{
    HeldGift gift(5);
    LuWinPrizePopup popup;
    QVERIFY(showAt(popup, QPoint(120, 140)));
    const QPoint home = popup.pos();
    QSignalSpy horn(&popup, &LuWinPrizePopup::showHornMsg);
    QElapsedTimer clock;
    clock.start();
    popup.addPrize(QStringLiteral("Ann"), 1, 10, 800, 0, gift);
    QCOMPARE(horn.size(), 1);
    QVERIFY(!d(popup)->isShaking());

    QTRY_VERIFY_WITH_TIMEOUT(d(popup)->isShaking(), 3000);
    QVERIFY(clock.elapsed() >= 450);
    QTRY_VERIFY_WITH_TIMEOUT(!d(popup)->isShaking(), 5000);
    QCOMPARE(popup.pos(), home);
    QVERIFY(!popup.isMoved());
}

void tst_LuWinPrizePopup::dragByBody()
{
    LuWinPrizePopup popup;
    QVERIFY(showAt(popup, QPoint(200, 200)));
    const QPoint home = popup.pos();

    // Moves by the host do not count as the user's.
    popup.move(home + QPoint(10, 0));
    QVERIFY(!popup.isMoved());
    popup.move(home);

    // A press where a button lies drags nothing; the button takes its clicks.
    auto* next = popup.findChild<QPushButton*>(QStringLiteral("WinPrizeNext"));
    const QPoint onButton = next->geometry().center();
    QTest::mousePress(&popup, Qt::LeftButton, {}, onButton);
    QTest::mouseMove(&popup, onButton + QPoint(-40, 10));
    QTest::mouseRelease(&popup, Qt::LeftButton, {}, onButton + QPoint(-40, 10));
    QCOMPARE(popup.pos(), home);
    QVERIFY(!popup.isMoved());
    QSignalSpy clicked(next, &QPushButton::clicked);
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(popup.pos(), home);

    // A press on the body drags the window.
    QVERIFY(!popup.childAt(QPoint(30, 14)));
    QTest::mousePress(&popup, Qt::LeftButton, {}, QPoint(30, 14));
    QTest::mouseMove(&popup, QPoint(60, 24));
    QTest::mouseRelease(&popup, Qt::LeftButton, {}, QPoint(60, 24));
    QTRY_COMPARE(popup.pos(), home + QPoint(30, 10));
    QVERIFY(popup.isMoved());

    // For good.
    popup.move(home);
    QVERIFY(popup.isMoved());
}

void tst_LuWinPrizePopup::roundedCorners()
{
    LuWinPrizePopup popup;
    QVERIFY(showAt(popup, QPoint(100, 100)));
    popup.resize(300, 28);
    const QRegion mask = popup.mask();
    // Each corner loses the one pixel outside a circle of diameter 4.
    for (const QPoint& corner : { QPoint(0, 0), QPoint(299, 0), QPoint(0, 27), QPoint(299, 27) })
        QVERIFY2(!mask.contains(corner), qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
    for (const QPoint& inside : { QPoint(1, 0), QPoint(0, 1), QPoint(298, 0), QPoint(299, 1), QPoint(1, 27),
             QPoint(0, 26), QPoint(298, 27), QPoint(299, 26), QPoint(150, 14), QPoint(150, 0), QPoint(0, 14) })
        QVERIFY2(mask.contains(inside), qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));

    // The shape follows the size.
    popup.resize(120, 28);
    QVERIFY(!popup.mask().contains(QPoint(119, 0)));
    QVERIFY(popup.mask().contains(QPoint(118, 0)));
    QVERIFY(!popup.mask().contains(QPoint(150, 14)));
}

QTEST_MAIN(tst_LuWinPrizePopup)
#include "tst_luwinprizepopup.moc"
