#include <lukbase/luvideononewidget.h>

#include "media/luvideononelayout_p.h"

#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

namespace {

QLabel* errorLabel(const LuVideoNoneWidget& widget)
{
    auto* background = widget.findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    return background ? background->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool isErrorRed(QRgb pixel)
{
    return qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

} // namespace

class tst_LuVideoNoneWidget : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void layoutRatio_data();
    void layoutRatio();
    void keptRatio_data();
    void keptRatio();
    void parentLayoutSeesRatio();
    void plainWidgetWithoutRatio();
    void errorText();
    void longErrorTextWrapsCentred();
};

void tst_LuVideoNoneWidget::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void tst_LuVideoNoneWidget::layoutRatio_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("640") << 640 << 480;
    QTest::newRow("321 truncates") << 321 << 240;
    QTest::newRow("3") << 3 << 2;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("negative truncates toward zero") << -5 << -3;
}

void tst_LuVideoNoneWidget::layoutRatio()
{
    QFETCH(int, width);
    QFETCH(int, height);

    LuVideoNoneLayout layout;
    QVERIFY(!layout.hasHeightForWidth());
    layout.keepRatio = true;
    QVERIFY(layout.hasHeightForWidth());
    QCOMPARE(layout.heightForWidth(width), height);
}

void tst_LuVideoNoneWidget::keptRatio_data()
{
    layoutRatio_data();
}

void tst_LuVideoNoneWidget::keptRatio()
{
    QFETCH(int, width);
    QFETCH(int, height);

    LuVideoNoneWidget widget;
    widget.setKeepRatio(true);
    QVERIFY(widget.hasHeightForWidth());
    QCOMPARE(widget.heightForWidth(width), height);
    QCOMPARE(widget.sizeHint(), QSize(320, 240));
    QCOMPARE(widget.minimumSizeHint(), QSize(160, 120));
}

void tst_LuVideoNoneWidget::parentLayoutSeesRatio()
{
    QWidget page;
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(0, 0, 0, 0);
    auto* video = new LuVideoNoneWidget;
    video->setKeepRatio(true);
    video->setErrorText(QStringLiteral("No video"));
    column->addWidget(video);
    column->addStretch(1);

    // The page's layout asks the widget's item, which asks the outer layout, the
    // background label's item and finally the inner layout.
    QVERIFY(column->hasHeightForWidth());
    QCOMPARE(column->heightForWidth(640), 480);
    QCOMPARE(column->heightForWidth(321), 240);
    QCOMPARE(page.heightForWidth(400), 300);

    column->setGeometry(QRect(0, 0, 400, 500));
    QCOMPARE(video->size(), QSize(400, 300));
    column->setGeometry(QRect(0, 0, 160, 500));
    QCOMPARE(video->size(), QSize(160, 120));
}

void tst_LuVideoNoneWidget::plainWidgetWithoutRatio()
{
    LuVideoNoneWidget widget;
    widget.setKeepRatio(true);
    widget.setKeepRatio(false);

    // Without an error text nothing asks for a height for a width.
    QVERIFY(!widget.hasHeightForWidth());
    QCOMPARE(widget.heightForWidth(640), -1);
    QVERIFY(widget.sizeHint() != QSize(320, 240));
    QVERIFY(widget.minimumSizeHint() != QSize(160, 120));

    // A wrapped text makes the height depend on the width, as in any box layout.
    LuVideoNoneWidget texted;
    texted.setErrorText(QStringLiteral("The camera is used by another program and cannot show a picture"));
    QVERIFY(texted.hasHeightForWidth());
    QVERIFY(texted.heightForWidth(120) > texted.heightForWidth(1200));
}

void tst_LuVideoNoneWidget::errorText()
{
    LuVideoNoneWidget widget;
    QLabel* label = errorLabel(widget);
    QVERIFY(label);
    QVERIFY(label->text().isEmpty());

    widget.setErrorText(QStringLiteral("<b>%1</b> lost"));
    QCOMPARE(label->text(), QStringLiteral("<b>%1</b> lost"));
}

void tst_LuVideoNoneWidget::longErrorTextWrapsCentred()
{
    LuVideoNoneWidget widget;
    widget.setKeepRatio(true);
    QPixmap background(64, 48);
    background.fill(Qt::black);
    widget.setBackground(background);
    widget.setErrorText(QStringLiteral("The video of this singer cannot be shown because the connection was lost"));
    widget.resize(320, 240);
    const QImage picture = widget.grab().toImage();

    // The background is stretched over the whole widget.
    QCOMPARE(picture.pixel(1, 1), qRgb(0, 0, 0));
    QCOMPARE(picture.pixel(picture.width() - 2, picture.height() - 2), qRgb(0, 0, 0));

    QRect text;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (isErrorRed(picture.pixel(x, y)))
                text |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(!text.isEmpty());
    const int lineHeight = QFontMetrics(errorLabel(widget)->font()).height();
    QVERIFY2(text.height() > 2 * lineHeight, "the text wraps onto several lines");
    QVERIFY(picture.rect().contains(text));
    const int left = text.left();
    const int right = picture.width() - 1 - text.right();
    const int top = text.top();
    const int bottom = picture.height() - 1 - text.bottom();
    QVERIFY2(qAbs(left - right) <= 12, qPrintable(QStringLiteral("left %1, right %2").arg(left).arg(right)));
    QVERIFY2(qAbs(top - bottom) <= lineHeight, qPrintable(QStringLiteral("top %1, bottom %2").arg(top).arg(bottom)));
}

QTEST_MAIN(tst_LuVideoNoneWidget)
#include "tst_luvideononewidget.moc"
