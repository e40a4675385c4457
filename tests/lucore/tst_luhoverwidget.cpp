#include <lucore/luhoverwidget.h>

#include <QCursor>
#include <QEnterEvent>
#include <QTest>

class tst_LuHoverWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }
    void followsThePointerOverItsParent();
};

void tst_LuHoverWidget::followsThePointerOverItsParent()
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

QTEST_MAIN(tst_LuHoverWidget)
#include "tst_luhoverwidget.moc"
