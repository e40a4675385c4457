#include <lucore/luhoverwidget.h>
#include <zuzar/mcenginesetup.h>
#include <zuzar/mcmediatransfer.h>

#include <QCursor>
#include <QEnterEvent>
#include <QTest>

// The stand-ins of the core library and the media engine, as far as the library relies on
// them beyond what its own suites exercise (the plug-in loader, records and refuse masks
// settling from the event loop are exercised there): the hover strip of the video bar and the
// engine's bounded journal.
class tst_StandIns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        McEngineSetup::reset();
    }

    void hoverWidgetFollowsThePointerOverItsParent()
    {
        QWidget video;
        video.setGeometry(400, 400, 320, 240);
        QCursor::setPos(5, 5); // away from the window, so that showing it sends no Enter
        auto* bar = new LuHoverWidget(&video);
        bar->setGeometry(0, 0, 320, 24);
        video.show();
        QVERIFY(QTest::qWaitForWindowExposed(&video));
        QVERIFY(!bar->isVisible());

        QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
        QCoreApplication::sendEvent(&video, &enter);
        QVERIFY(bar->isVisible());

        // Leaving hides the strip only after a short delay, not at once.
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&video, &leave);
        QVERIFY(bar->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), LuHoverWidget::hideDelay() * 5);

        // Coming back before the delay has passed keeps it up.
        QCoreApplication::sendEvent(&video, &enter);
        QCoreApplication::sendEvent(&video, &leave);
        QCoreApplication::sendEvent(&video, &enter);
        QTest::qWait(LuHoverWidget::hideDelay() * 2);
        QVERIFY(bar->isVisible());
    }

    // A host that runs all evening keeps only the newest engine calls.
    void engineJournalKeepsNewest()
    {
        McMediaTransfer transfer;
        for (int mask = 0; mask < 1005; ++mask)
            transfer.setRefuseData(unsigned(mask));
        const QStringList journal = McEngineSetup::journal();
        QCOMPARE(journal.size(), 1000);
        QCOMPARE(journal.first(), "McMediaTransfer::setRefuseData(5)");
    }
};

QTEST_MAIN(tst_StandIns)
#include "tst_standins.moc"
