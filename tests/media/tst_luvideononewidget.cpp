#include <lukbase/luvideononewidget.h>

#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

class tst_LuVideoNoneWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void keptRatio()
    {
        QWidget page;
        auto* column = new QVBoxLayout(&page);
        column->setContentsMargins(0, 0, 0, 0);
        auto* video = new LuVideoNoneWidget;
        video->setKeepRatio(true);
        video->setErrorText("No video");
        column->addWidget(video);
        column->addStretch(1);

        QCOMPARE(video->heightForWidth(321), 240);
        QCOMPARE(video->sizeHint(), QSize(320, 240));
        QCOMPARE(video->minimumSizeHint(), QSize(160, 120));
        // The page's layout asks the widget's item, which asks the outer layout, the
        // background label's item and finally the inner layout.
        QCOMPARE(column->heightForWidth(640), 480);
        QCOMPARE(column->heightForWidth(321), 240);
        column->setGeometry(QRect(0, 0, 400, 500));
        QCOMPARE(video->size(), QSize(400, 300));
    }

    // The background covers the widget; the red error text wraps, centred.
    void picture()
    {
        LuVideoNoneWidget widget;
        QPixmap background(64, 48);
        background.fill(Qt::black);
        widget.setBackground(background);
        widget.setErrorText("The video of this singer cannot be shown because the connection was lost");
        widget.resize(320, 240);
        const QImage picture = widget.grab().toImage();
        QCOMPARE(picture.pixel(318, 238), qRgb(0, 0, 0)); // out of range would warn
        QRect text;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                if (QColor(picture.pixel(x, y)).hueF() < 0.05 && qRed(picture.pixel(x, y)) > 150)
                    text |= QRect(x, y, 1, 1);
        const int line = QFontMetrics(widget.findChild<QLabel*>()->findChild<QLabel*>()->font()).height();
        QVERIFY2(text.height() > 2 * line, "wraps onto several lines");
        QVERIFY2(qAbs(text.left() - (319 - text.right())) <= 12, "centred across");
        QVERIFY2(qAbs(text.top() - (239 - text.bottom())) <= line, "centred down");
    }
};

QTEST_MAIN(tst_LuVideoNoneWidget)
#include "tst_luvideononewidget.moc"
