#include <lukbase/lumicbonuspopup.h>
#include <lukbase/luwinprizepopup.h>

#include "markingtranslator.h"
#include "offscreennotes.h"
#include "prize/lumicbonuspopup_p.h"
#include "prize/luwinprizepopup_p.h"
#include "textcheck.h"
#include "trackedgiftitem.h"

#include <QAbstractEventDispatcher>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

#include <climits>
#include <ctime>

using Multiples = QList<LuWinPrizeMultiple>;

// The flat colours of the test pictures (see prizepictures.qrc).
const QColor kPrizeLeft(40, 80, 160), kPrizeMiddle(60, 120, 220), kPrizeRight(20, 40, 100), kThumbnail(255, 0, 255);
const QColor kTiles[] = { QColor(0, 150, 0), QColor(230, 180, 0), QColor(0, 150, 150) }; // left, middle, right

// The win prize ticker with its horn texts, and the mic bonus popup.
class tst_LuPrizePopups : public QObject
{
    Q_OBJECT

    static LuWinPrizePopupPrivate* d(LuWinPrizePopup& popup) { return LuWinPrizePopupPrivate::get(&popup); }
    static LuMicBonusPopupPrivate* d(LuMicBonusPopup& popup) { return LuMicBonusPopupPrivate::get(&popup); }
    static QVariant group(const Multiples& multiples) { return QVariant::fromValue(multiples); }

    // Calls call with a row's multiple in its form: Multiples for a group, an int for a single win.
    template <typename Call> static auto withMultiple(const QVariant& multiple, Call call)
    {
        return multiple.canConvert<Multiples>() ? call(multiple.value<Multiples>()) : call(multiple.toInt());
    }

    // Ticks of the popup's timer, delivered as the timer would deliver them, without waiting.
    template <typename Popup> static void tick(Popup& popup, int count = 1)
    {
        QTimerEvent event(d(popup)->timerId);
        for (int i = 0; i < count; ++i)
            QCoreApplication::sendEvent(&popup, &event);
    }

    // Ticks until the ticker leaves its line; returns how many ticks that took.
    static int ticksToAdvance(LuWinPrizePopup& popup)
    {
        const int from = d(popup)->current;
        int n = 0;
        for (; d(popup)->current == from && n < 100; ++n)
            tick(popup);
        return n;
    }

    // Ticks a slide to its end, returning the offset after each tick.
    static QList<int> slide(LuWinPrizePopup& popup)
    {
        QList<int> offsets;
        while (d(popup)->offset > 0 && offsets.size() < 100) {
            tick(popup);
            offsets.append(d(popup)->offset);
        }
        return offsets;
    }

    static void addMessages(LuWinPrizePopup& popup, int count)
    {
        for (int i = 0; i < count; ++i)
            popup.addMessage(QImage(), QStringLiteral("message %1").arg(i + 1));
    }

    static bool show(LuWinPrizePopup& popup, int width = 400)
    {
        popup.setGeometry(100, 100, width, 28);
        popup.show();
        return QTest::qWaitForWindowExposed(&popup);
    }

    // Bounding box of the pixels of exactly this colour in image.
    static QRect boundsOf(const QImage& image, const QColor& colour)
    {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                bounds |= image.pixelColor(x, y) == colour ? QRect(x, y, 1, 1) : QRect();
        return bounds;
    }

    // The mic bonus button's whole text: its tooltip when the button shows it cut.
    static QString buttonText(LuMicBonusPopup& popup)
    {
        const QPushButton* button = d(popup)->bonusButton;
        return button->toolTip().isEmpty() ? button->text() : button->toolTip();
    }

private Q_SLOTS:
    void initTestCase()
    {
        dropOffscreenPlatformNotes();
        // A fixed zone without daylight saving, east of UTC, so that local time differs from UTC.
        qputenv("TZ", "XST-8");
        tzset();
    }

    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void cleanup() { LuWinPrizePopupPrivate::systemMove = nullptr; }

    // Templates, escaping, grouping and amounts for any input are the fuzz target's; here one
    // text of each form in each language: names as typed and escaped, as every peer shows the
    // horn as rich text, and the clock stamp in local time.
    void hornMessage_data()
    {
        QTest::addColumn<QString>("single");
        QTest::addColumn<QString>("group");

        // Tagged by language.
        QTest::newRow("en") << "Congratulations to &lt;b&gt;%1%2%3&lt;/b&gt; present R&amp;D win 500 multiple, totally "
                               "5000 money(06:13:20)"
                            << "Congratulations to &lt;img src=&quot;%1.png&quot;&gt; present R&amp;D win 5 multiple 1 "
                               "times,10 multiple 2 times, totally 250 money";
        QTest::newRow("zh_CN")
            << "恭喜 &lt;b&gt;%1%2%3&lt;/b&gt; 送出的 R&amp;D 中了 500 倍大奖，共获得 5000 金币(06:13:20)"
            << "恭喜 &lt;img src=&quot;%1.png&quot;&gt; 送出的 R&amp;D 中了 5倍1次，10倍2次， 共获得 "
               "250 金币";
    }

    void hornMessage()
    {
        QFETCH(QString, single);
        QFETCH(QString, group);

        QTranslator translator;
        if (qstrcmp(QTest::currentDataTag(), "en") != 0)
            QVERIFY(translator.load(QString("lukbase_") + QTest::currentDataTag(), LUKBASE_TRANSLATIONS_DIR)
                && QCoreApplication::installTranslator(&translator));
        QCOMPARE(LuWinPrizePopup::makeHornMessage("<b>%1%2%3</b>", "R&D", 10, qint64(500), 1700000000),
            "<font color=#DD1303>" + single + "</font>");
        const Multiples multiples = LuWinPrizePopup::makeMultiples({ 10, 5, 10 });
        QCOMPARE(LuWinPrizePopup::makeHornMessage("<img src=\"%1.png\">", "R&D", 10, multiples, 0),
            "<font color=#DD1303>" + group + "</font>");
    }

    void addPrize_data()
    {
        QTest::addColumn<QVariant>("multiple"); // int: single form; Multiples: group form
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("announced");

        // The name "%1%2%3" is shown as typed, in the line and in the horn text.
        const auto row = [](const char* tag, const QVariant& multiple, const char* win, bool announced) {
            const QString text = "Congratulations to [%1%2%3] present gift 3 win " + QString::fromUtf8(win);
            QTest::newRow(tag) << multiple << (*win ? text : QString()) << announced;
        };
        row("499", 499, "499 multiple prize total", false);
        row("500", 500, "500 multiple prize total", true);
        // A group is announced by its largest multiple, wherever it stands, in the group form.
        row("group, unsorted", group({ { 5, 1 }, { 900, 1 }, { 7, 2 } }),
            "5 multiple 1 times,900 multiple 1 times,7 multiple 2 times, total", true);
        row("group, sum of 500 is no big win", group({ { 100, 5 } }), "100 multiple 5 times, total", false);
        row("group, empty", group({}), "", false);
        row("no gift, refused", 500, "", false);
        row("no gift, group refused", group({ { 500, 1 } }), "", false);
    }

    void addPrize()
    {
        QFETCH(QVariant, multiple);
        QFETCH(QString, text);
        QFETCH(bool, announced);

        LuWinPrizePopup popup;
        QSignalSpy spy(&popup, &LuWinPrizePopup::showHornMsg);
        const bool giftless = QByteArray(QTest::currentDataTag()).startsWith("no gift");
        if (giftless)
            QTest::ignoreMessage(QtWarningMsg, "win prize without gift refused: \"%1%2%3\"");
        LuGiftItem* gift = giftless ? nullptr : new TrackedGiftItem(3);
        withMultiple(multiple, [&](const auto& m) { popup.addPrize("%1%2%3", 42, 10, m, 0, gift); });
        popup.addMessage(QImage(), "later");
        // A prize without a gift is refused; the popup goes on working.
        QCOMPARE(d(popup)->entries.first()->text, giftless ? QString("later") : text);
        // The first line is current at once: announced then, and only once, in its own form.
        const QString horn = withMultiple(
            multiple, [](const auto& m) { return LuWinPrizePopup::makeHornMessage("%1%2%3", "gift 3", 10, m, 0); });
        QCOMPARE(QList<QVariantList>(spy), announced ? QList<QVariantList>({ { 1, horn } }) : QList<QVariantList>());
    }

    // A later line is announced when it becomes current, and shakes the window half a second
    // later. Each 100 ms tick of a shake makes five moves, 20 ms apart, and a last 20 ms wait;
    // the shake ends after seven ticks where it started.
    void announceAndShake()
    {
        LuWinPrizePopup popup;
        QVERIFY(show(popup));
        const QPoint home = popup.pos();
        QSignalSpy spy(&popup, &LuWinPrizePopup::showHornMsg);
        popup.addMessage(QImage(), "welcome");
        popup.addPrize("Bo", 2, 10, 500, 0, new TrackedGiftItem(2));
        QCOMPARE(spy.size(), 0);
        QElapsedTimer clock;
        clock.start();
        ticksToAdvance(popup);
        QCOMPARE(spy.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(d(popup)->isShaking(), 3000);
        QVERIFY(clock.elapsed() >= 450);
        // That shake runs on its own timers; the next one is stepped here.
        QTRY_VERIFY_WITH_TIMEOUT(!d(popup)->isShaking(), 3000);

        popup.vibrateNotify();
        const int shakeTimer = d(popup)->shakeTimerId;
        popup.vibrateNotify(); // a second request while shaking changes nothing
        QCOMPARE(d(popup)->shakeTimerId, shakeTimer);
        const QList<QPoint> offsets = { { -2, -2 }, { -2, 2 }, { 2, 2 }, { 2, -2 }, { 0, 0 }, { 0, 0 } };
        for (int round = 0; round < 7; ++round) {
            clock.restart();
            for (int step = 0; step < offsets.size(); ++step) {
                QTimerEvent event(step == 0 ? d(popup)->shakeTimerId : d(popup)->shakeStepTimer.timerId());
                QCoreApplication::sendEvent(&popup, &event);
                QCOMPARE(popup.pos(), home + offsets.at(step));
            }
            QVERIFY(clock.elapsed() < 50); // the GUI thread never sleeps between the moves
        }
        QVERIFY(!d(popup)->isShaking());
        QVERIFY(!d(popup)->shakeStepTimer.isActive());
        QVERIFY(!popup.isMoved());
    }

    void advance_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("shaking");
        QTest::addColumn<int>("waits");
        QTest::addColumn<QList<int>>("offsets");

        // The more lines wait, the sooner the next slides in and the faster; a shake slows the
        // ticker down to its slowest pace.
        const QList<int> slowest = { 24, 20, 16, 12, 8, 4, 0 };
        QTest::newRow("2 lines") << 2 << false << 3 << slowest;
        QTest::newRow("6 lines") << 6 << false << 0 << QList<int> { 8, 0 };
        QTest::newRow("6 lines, shaking") << 6 << true << 6 << slowest;
    }

    void advance()
    {
        QFETCH(int, lines);
        QFETCH(bool, shaking);
        QFETCH(int, waits);
        QFETCH(QList<int>, offsets);

        LuWinPrizePopup popup;
        QVERIFY(show(popup));
        if (shaking)
            popup.vibrateNotify();
        addMessages(popup, lines);
        // The first line starts in place, the next one a bar's height below.
        QCOMPARE(ticksToAdvance(popup), waits + 1);
        QCOMPARE(slide(popup), offsets);
    }

    void closesWhenIdle()
    {
        LuWinPrizePopup popup;
        QVERIFY(show(popup));
        addMessages(popup, 1);
        tick(popup, 20);
        // Under the pointer the idle count neither runs nor restarts.
        popup.setAttribute(Qt::WA_UnderMouse, true);
        tick(popup, 200);
        popup.setAttribute(Qt::WA_UnderMouse, false);
        tick(popup, 11);
        QVERIFY(popup.isVisible());
        QCOMPARE(d(popup)->ticks, 31);

        // On line 0 in automatic mode, either button only restarts the idle count.
        for (QPushButton* button : { d(popup)->prevButton, d(popup)->nextButton }) {
            button->click();
            QCOMPARE(d(popup)->browse, -1);
            tick(popup, 31);
            QVERIFY(popup.isVisible());
        }
        tick(popup);
        QVERIFY(!popup.isVisible());
    }

    void browsing()
    {
        LuWinPrizePopup popup;
        addMessages(popup, 5);
        auto* prev = popup.findChild<QPushButton*>("WinPrizePrev");
        auto* next = popup.findChild<QPushButton*>("WinPrizeNext");
        QVERIFY(prev && next);
        ticksToAdvance(popup);
        // Next during a slide finishes it, showing the sliding line in place; there is no line
        // before the first nor after the last.
        QList<int> browsed;
        for (QPushButton* button : { next, prev, prev, prev, next, next, next, next, next }) {
            button->click();
            browsed.append(d(popup)->browse);
        }
        QCOMPARE(browsed, QList<int>({ 1, 0, 0, 0, 1, 2, 3, 4, 4 }));
        QCOMPARE(d(popup)->offset, 0);

        // While browsing the ticker stands still, even with lines waiting; 22 ticks after the
        // last press it takes over again where it was.
        tick(popup, 21);
        QCOMPARE(d(popup)->browse, 4);
        tick(popup);
        QCOMPARE(d(popup)->browse, -1);
        QCOMPARE(d(popup)->current, 1);
        // Settled in automatic mode, next shows the line after the current one.
        next->click();
        QCOMPARE(d(popup)->browse, 2);
    }

    // A room open all evening: the popup keeps its 256 newest lines, dropping the oldest one
    // that is not on screen (how many lines, which and the gifts they give back for any
    // stream of lines: the fuzz target's).
    void dropsOldestLineNotOnScreen()
    {
        LuWinPrizePopup popup;
        addMessages(popup, 256);
        for (int line = 0; line < 3; ++line) {
            ticksToAdvance(popup);
            slide(popup);
        }
        d(popup)->prevButton->click(); // shows "message 3", line 2, while line 3 is current
        addMessages(popup, 3);
        QCOMPARE(d(popup)->entries.size(), 256);
        QCOMPARE(d(popup)->entries.at(d(popup)->browse)->text, "message 3");
        QCOMPARE(d(popup)->entries.at(d(popup)->current)->text, "message 4");
        QCOMPARE(d(popup)->entries.at(2)->text, "message 6");
    }

    void drag_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("moved");

        // "move" moves the window as the window system or the host would; "drag" moves the
        // pointer where no window system moves windows for the user, so the popup moves itself.
        QTest::newRow("dragged") << "press move release" << true;
        QTest::newRow("clicked, then moved") << "press release move" << false;
        QTest::newRow("release lost, pointer left") << "press leave move" << false;
        QTest::newRow("no button down") << "lone-press move" << false;
        QTest::newRow("dragged by the popup") << "press drag release" << true;
    }

    // Only a move while the left button is down after a press on the body counts as the user's,
    // and then for good.
    void drag()
    {
        QFETCH(QString, steps);
        QFETCH(bool, moved);

        LuWinPrizePopup popup;
        QVERIFY(show(popup));
        QWindow* window = popup.windowHandle();
        const QPoint home = popup.pos(), body(30, 14);
        if (!steps.contains("drag"))
            LuWinPrizePopupPrivate::systemMove = [](QWindow*) { return true; };
        // A press that reaches the popup alone: for the application no button is down.
        QMouseEvent lonePress(
            QEvent::MouseButtonPress, body, popup.mapToGlobal(body), Qt::LeftButton, Qt::LeftButton, {});
        QEvent leave(QEvent::Leave);
        for (const QString& step : steps.split(' ')) {
            if (step == "press")
                QTest::mousePress(window, Qt::LeftButton, {}, body);
            else if (step == "release")
                QTest::mouseRelease(window, Qt::LeftButton, {}, body);
            else if (step == "move")
                popup.move(popup.pos() + QPoint(10, 0));
            else if (step == "drag")
                QTest::mouseMove(window, body + QPoint(30, 10));
            else
                QCoreApplication::sendEvent(&popup, step == "leave" ? &leave : static_cast<QEvent*>(&lonePress));
        }
        if (steps.contains("drag"))
            QTRY_COMPARE(popup.pos(), home + QPoint(30, 10));
        popup.move(home);
        QCOMPARE(popup.isMoved(), moved);
        QTest::mouseRelease(window, Qt::LeftButton, {}, body); // no button stays down for the next test
    }

    void prizeLine_data()
    {
        QTest::addColumn<QVariant>("multiple"); // int: single form; Multiples: group form
        QTest::addColumn<qint64>("price");
        QTest::addColumn<int>("digits");

        QTest::newRow("one digit") << QVariant(1) << qint64(7) << 1;
        QTest::newRow("group") << group({ { 5, 1 }, { 10, 2 } }) << qint64(10) << 3;
        QTest::newRow("beyond 32 bits") << QVariant(3) << qint64(3000000000LL) << 10;
        // The line's sum of multiple x times wraps in 32 bits, here to -2: no amount.
        QTest::newRow("group sum wraps") << group({ { INT_MAX, 2 } }) << qint64(10) << 0;
    }

    void prizeLine()
    {
        QFETCH(QVariant, multiple);
        QFETCH(qint64, price);
        QFETCH(int, digits);

        // Shown before the line arrives, so that waiting for the window runs no ticker.
        LuWinPrizePopup popup;
        QVERIFY(show(popup, 1600));
        auto* gift = new TrackedGiftItem(1, ":/pics/thumbnail.png");
        withMultiple(multiple, [&](const auto& m) { popup.addPrize("Ann", 42, price, m, 0, gift); });
        // The background's three parts: fixed borders, stretched middle.
        const QImage image = popup.grab().toImage();
        QCOMPARE(image.pixelColor(3, 1), kPrizeLeft);
        QCOMPARE(image.pixelColor(800, 1), kPrizeMiddle);
        QCOMPARE(image.pixelColor(1597, 1), kPrizeRight);

        // The gift's picture, scaled into its 24 x 24 square after the label "1.".
        const QFontMetrics metrics(QFont(QFont().family(), 14));
        const int pictureLeft = 10 + metrics.size(Qt::TextSingleLine, "1.").width() + 4;
        QCOMPARE(boundsOf(image, kThumbnail), QRect(pictureLeft, 2, 24, 24));

        // One 15 x 24 gold tile per digit after the text: a left end, middles, a right end.
        const int x = pictureLeft + 28 + metrics.size(Qt::TextSingleLine, d(popup)->entries[0]->text).width() + 4;
        QCOMPARE(boundsOf(image, kTiles[0]), digits > 0 ? QRect(x, 2, 15, 24) : QRect());
        QCOMPARE(boundsOf(image, kTiles[1]), digits > 2 ? QRect(x + 15, 2, 15 * (digits - 2), 24) : QRect());
        QCOMPARE(boundsOf(image, kTiles[2]), digits > 1 ? QRect(x + 15 * (digits - 1), 2, 15, 24) : QRect());

        // The same pictures at twice the resolution give the same line.
        for (QPixmap* pixmap : { &d(popup)->background, &d(popup)->digitTiles }) {
            *pixmap = pixmap->scaled(pixmap->size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            pixmap->setDevicePixelRatio(2);
        }
        QCOMPARE(popup.grab().toImage(), image);
    }

    void textsFit_data() { TextCheck::addFontAndLanguageRows(); }

    // A ticker line too long for the bar is cut at the end of its text, so that the whole line
    // ends left of the buttons; the tooltip and the accessible name hold the whole text. The
    // mic bonus popup's texts too long for their places are cut at their ends; the seconds
    // left always show.
    void textsFit()
    {
        TextCheck::FontAndLanguage language;
        LuWinPrizePopup popup;
        QVERIFY(show(popup));
        const QString name = "The Extraordinarily Long Stage Name of a Night Singer";
        popup.addPrize(name, 1, 10, 1234, 0, new TrackedGiftItem(1, ":/pics/thumbnail.png"));
        popup.addMessage(QImage(), name);
        for (int line = 0; line < 2; ++line) {
            PaintRecorder recorder(popup.size());
            popup.render(&recorder);
            QCOMPARE(TextCheck::overflowing(recorder, { QRect(0, 0, d(popup)->prevButton->x(), 28) }), QStringList());
            QVERIFY(recorder.textIn(popup.rect()).contains(QRegularExpression("\\w\\s?\\x{2026}")));
            QCOMPARE(popup.toolTip(), d(popup)->entries.at(line)->text);
            QCOMPARE(TextCheck::accessibleName(&popup), popup.toolTip());
            d(popup)->nextMessage();
        }

        LuMicBonusPopup bonus;
        bonus.setTitle("Great singing! Your song earned the bonus of the week in this room");
        bonus.setItem("Golden microphone of the night", QPixmap());
        bonus.setRemainTime(15);
        bonus.show();
        QCOMPARE(TextCheck::unfitted(&bonus), QStringList());
        QVERIFY(d(bonus)->bonusButton->text().endsWith(QLatin1String("[15]")));
    }

    // After a change of language the lines already shown and the buttons' names are translated anew.
    void changeOfLanguage()
    {
        LuWinPrizePopup popup;
        popup.addPrize("Ann", 42, 10, 2, 0, new TrackedGiftItem(1));
        popup.addPrize("Bo", 42, 10, Multiples { { 2, 3 } }, 0, new TrackedGiftItem(2));
        popup.addMessage(QImage(), "host's text");
        MarkingTranslator translator("LuWinPrizePopup");
        QVERIFY(QCoreApplication::installTranslator(&translator));
        TextCheck::changeLanguage(&popup);
        const QList<LuWinPrizeEntry*>& entries = d(popup)->entries;
        QCOMPARE(entries.at(0)->text, "<Congratulations to [Ann] present gift 1 win 2 multiple prize total>");
        QCOMPARE(entries.at(1)->text, "<Congratulations to [Bo] present gift 2 win <2 multiple 3 times,> total>");
        QCOMPARE(entries.at(2)->text, "host's text");
        QCOMPARE(TextCheck::untranslated(&popup), QStringList());
    }

    void micBonusCountdown()
    {
        LuMicBonusPopup popup;
        popup.setItem("Golden microphone", QPixmap());
        popup.show();
        popup.setRemainTime(9);
        popup.setRemainTime(3); // a restart replaces the running countdown
        // One timer only, ticking each second.
        const auto timers = [&] { return QAbstractEventDispatcher::instance()->registeredTimers(&popup); };
        QCOMPARE(timers().size(), 1);
        QCOMPARE(timers().first().interval, 1000);
        QCOMPARE(buttonText(popup), "Get Bonus[3]");
        tick(popup, 3);
        QCOMPARE(buttonText(popup), "Get Bonus[0]");
        QVERIFY(popup.isVisible());

        // One second after [0] the window closes; the timer goes on closing it until restarted.
        tick(popup);
        QVERIFY(!popup.isVisible());
        popup.show();
        tick(popup);
        QCOMPARE(buttonText(popup), "Get Bonus[0]");
        QVERIFY(!popup.isVisible());

        // The bonus button asks for the bonus; the close button hides the window while the
        // countdown goes on.
        popup.show();
        popup.setRemainTime(5);
        QSignalSpy getBonus(&popup, &LuMicBonusPopup::getBonus);
        QTest::mouseClick(popup.findChild<QPushButton*>("BonusButton"), Qt::LeftButton);
        QCOMPARE(getBonus.size(), 1);
        QVERIFY(popup.isVisible());
        QTest::mouseClick(popup.findChild<QPushButton*>("BonusClose"), Qt::LeftButton);
        QVERIFY(!popup.isVisible());
        tick(popup);
        QCOMPARE(buttonText(popup), "Get Bonus[4]");

        // A countdown of zero or less runs no timer.
        popup.setRemainTime(-4);
        QCOMPARE(buttonText(popup), "Get Bonus[-4]");
        QVERIFY(timers().isEmpty());

        // After a change of language the buttons' texts are translated anew.
        MarkingTranslator translator("LuMicBonusPopup");
        QVERIFY(QCoreApplication::installTranslator(&translator));
        TextCheck::changeLanguage(&popup);
        QCOMPARE(buttonText(popup), "<Get Bonus>[-4]");
        QCOMPARE(TextCheck::untranslated(&popup, { "Golden microphone" }), QStringList());
    }
};

QTEST_MAIN(tst_LuPrizePopups)
#include "tst_luprizepopups.moc"
