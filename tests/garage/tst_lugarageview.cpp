#include <lukbase/lucaritem.h>
#include <lukbase/lugarageitem.h>
#include <lukbase/lugaragemodel.h>
#include <lukbase/lugarageview.h>

#include "garage/lugarageviewdelegate_p.h"
#include "markingtranslator.h"
#include "paintrecorder.h"

#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The solid colours of the test's host pictures (see CMakeLists.txt).
const QColor kNameCard(0x20, 0x30, 0x60);
const QColor kCover(0xff, 0xcc, 0x00);
const QColor kGotoFace(0xd0, 0x20, 0x20);

const QString kSuffix = QStringLiteral("'s car.");
const QString kGotoText = QStringLiteral("Go to his/her garage.");

QImage solid(int width, int height, const QColor& color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

enum Place { Button0, Picture0, Button1, Empty };
enum Action { Press, Move, Release };

struct Step
{
    Action action;
    Qt::MouseButton button;
    Place place;
};

// The view under test; it also reads the view's interaction state, which only subclasses see.
class TestView : public LuGarageView
{
public:
    bool idle() const { return state() == NoState; }
};

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class tst_LuGarageView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void construction();
    void rectangles_data();
    void rectangles();
    void mouse_data();
    void mouse();
    void clicksDoNotSelect();
    void cursor();
    void ownerText_data();
    void ownerText();
    void roomForTheIcon();
    void longNameKeepsTheSuffix();
    void paintCard_data();
    void paintCard();
    void hoverTexts();
    void ownerIcon_data();
    void ownerIcon();
    void translationContext();
    void hoverCoverOnlyUnderTheMouse();

private:
    // Shows the view 500 pixels wide, so there is empty space right of the two cards.
    void showView();
    QPoint pointAt(Place place) const;
    void paint(PaintRecorder& recorder, LuGarageItem* item, const QRect& rect, QStyle::State state);

    QTemporaryDir m_dir;
    LuCarItem* m_car = nullptr;
    LuCarItem* m_hiResCar = nullptr;
    QList<LuGarageItem*> m_items;
    TestView* m_view = nullptr;
};

void tst_LuGarageView::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString picture = m_dir.filePath(QStringLiteral("car.png"));
    const QString logo = m_dir.filePath(QStringLiteral("logo.png"));
    QVERIFY(solid(150, 80, Qt::darkGreen).save(picture));
    QVERIFY(solid(96, 48, Qt::magenta).save(logo));
    m_car = new LuCarItem(9, QStringLiteral("Roadster"), 500000, picture, logo);

    // A picture drawn at twice the resolution, as a high-DPI host ships it.
    const QString hiRes = m_dir.filePath(QStringLiteral("car@2x.png"));
    QVERIFY(solid(200, 120, Qt::darkGreen).save(hiRes));
    m_hiResCar = new LuCarItem(10, QStringLiteral("Coupe"), 1, hiRes, QString());
}

void tst_LuGarageView::cleanupTestCase()
{
    delete m_car;
    delete m_hiResCar;
}

void tst_LuGarageView::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    m_items = { new LuGarageItem(101, QStringLiteral("Ann"), QImage(), m_car),
        new LuGarageItem(102, QStringLiteral("Bo"), solid(16, 16, Qt::cyan), m_car) };
    m_view = new TestView;
    m_view->setCars(m_items);
}

void tst_LuGarageView::cleanup()
{
    delete m_view;
    qDeleteAll(m_items);
    m_items.clear();
}

void tst_LuGarageView::showView()
{
    m_view->resize(500, 200);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

QPoint tst_LuGarageView::pointAt(Place place) const
{
    const QRect first = m_view->visualRect(m_view->model()->index(0, 0));
    const QRect second = m_view->visualRect(m_view->model()->index(1, 0));
    switch (place) {
    case Button0:
        return LuGarageViewDelegate::buttonRect(first).center();
    case Picture0:
        return first.center() - QPoint(0, 30);
    case Button1:
        return LuGarageViewDelegate::buttonRect(second).center();
    case Empty:
        return QPoint(second.right() + 40, second.center().y());
    }
    return QPoint();
}

void tst_LuGarageView::paint(PaintRecorder& recorder, LuGarageItem* item, const QRect& rect, QStyle::State state)
{
    m_view->setCars({ item });
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = state;
    QPainter painter(&recorder);
    painter.setFont(m_view->font());
    m_view->itemDelegate()->paint(&painter, option, m_view->model()->index(0, 0));
}

void tst_LuGarageView::construction()
{
    QVERIFY(m_view->qt_metacast("LuObject"));
    QCOMPARE(m_view->objectName(), QStringLiteral("GarageListView"));
    QCOMPARE(m_view->spacing(), 8);
    QCOMPARE(m_view->contextMenuPolicy(), Qt::CustomContextMenu);
    QVERIFY(m_view->viewport()->hasMouseTracking());

    const QModelIndex second = m_view->index(m_items.at(1));
    QCOMPARE(m_view->itemDelegate()->sizeHint(QStyleOptionViewItem(), second), QSize(190, 140));
    m_view->setCurrentIndex(second);
    QCOMPARE(m_view->currentCar(), m_items.at(1));
}

void tst_LuGarageView::rectangles_data()
{
    QTest::addColumn<QRect>("card");
    QTest::addColumn<QRect>("button");
    QTest::addColumn<QRect>("nameCard");

    QTest::newRow("card at the origin") << QRect(0, 0, 190, 140) << QRect(QPoint(38, 106), QPoint(151, 129))
                                        << QRect(15, 110, 160, 20);
    QTest::newRow("moved card") << QRect(206, 8, 190, 140) << QRect(QPoint(244, 114), QPoint(357, 137))
                                << QRect(221, 118, 160, 20);
    QTest::newRow("odd width") << QRect(0, 0, 191, 140) << QRect(QPoint(38, 106), QPoint(151, 129))
                               << QRect(15, 110, 160, 20);
    // (100 - 113) / 2 and (100 - 159) / 2 round toward zero.
    QTest::newRow("narrower than the button")
        << QRect(0, 0, 101, 50) << QRect(QPoint(-6, 16), QPoint(107, 39)) << QRect(-29, 20, 160, 20);
}

void tst_LuGarageView::rectangles()
{
    QFETCH(QRect, card);
    QFETCH(QRect, button);
    QFETCH(QRect, nameCard);
    QCOMPARE(LuGarageViewDelegate::buttonRect(card), button);
    QCOMPARE(LuGarageViewDelegate::nameCardRect(card), nameCard);
}

void tst_LuGarageView::mouse_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QList<int>>("userids");

    const Qt::MouseButton left = Qt::LeftButton;
    const Qt::MouseButton right = Qt::RightButton;
    QTest::newRow("click the button") << QList<Step> { { Press, left, Button0 }, { Release, left, Button0 } }
                                      << QList<int> { 101 };
    QTest::newRow("two clicks on the other card") << QList<Step> { { Press, left, Button1 }, { Release, left, Button1 },
        { Press, left, Button1 }, { Release, left, Button1 } }
                                                  << QList<int> { 102, 102 };
    QTest::newRow("drag off clears") << QList<Step> { { Press, left, Button0 }, { Move, left, Picture0 },
        { Release, left, Picture0 }, { Release, left, Button0 } }
                                     << QList<int>();
    QTest::newRow("press outside, release inside") << QList<Step> { { Press, left, Picture0 }, { Move, left, Button0 },
        { Release, left, Button0 } } << QList<int>();
    QTest::newRow("release on another button") << QList<Step> { { Press, left, Button0 }, { Release, left, Button1 },
        { Release, left, Button0 } } << QList<int>();
    QTest::newRow("right button") << QList<Step> { { Press, right, Button0 }, { Release, right, Button0 } }
                                  << QList<int>();
    QTest::newRow("right release leaves a left press")
        << QList<Step> { { Press, left, Button0 }, { Release, right, Picture0 }, { Release, left, Button0 } }
        << QList<int> { 101 };
    QTest::newRow("release over empty space keeps the press") << QList<Step> { { Press, left, Button0 },
        { Release, left, Empty }, { Press, left, Picture0 }, { Release, left, Button0 } }
                                                              << QList<int> { 101 };
}

void tst_LuGarageView::mouse()
{
    QFETCH(QList<Step>, steps);
    QFETCH(QList<int>, userids);

    showView();
    QSignalSpy spy(m_view, &LuGarageView::gotoUserGarage);
    for (const Step& step : steps) {
        const QPoint point = pointAt(step.place);
        if (step.action == Press)
            QTest::mousePress(m_view->viewport(), step.button, {}, point);
        else if (step.action == Release)
            QTest::mouseRelease(m_view->viewport(), step.button, {}, point);
        else
            QTest::mouseMove(m_view->viewport(), point);
    }

    QList<int> emitted;
    for (const QList<QVariant>& arguments : std::as_const(spy))
        emitted.append(arguments.at(0).toInt());
    QCOMPARE(emitted, userids);
}

void tst_LuGarageView::clicksDoNotSelect()
{
    showView();
    m_view->setCurrentIndex(QModelIndex());
    for (Place place : { Picture0, Button1 }) {
        QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, pointAt(place));
        QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, pointAt(place));
    }
    // Nor does dragging across cards with the button held.
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, pointAt(Picture0));
    QTest::mouseMove(m_view->viewport(), pointAt(Button0));
    QTest::mouseMove(m_view->viewport(), pointAt(Button1));
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, pointAt(Button1));
    QVERIFY(!m_view->currentIndex().isValid());
    QVERIFY(m_view->selectionModel()->selectedIndexes().isEmpty());
    QVERIFY(m_view->idle());
}

void tst_LuGarageView::cursor()
{
    showView();
    const auto moveTo = [&](Place place) {
        QTest::mouseMove(m_view->viewport(), pointAt(place));
        return m_view->cursor().shape();
    };
    QCOMPARE(moveTo(Button0), Qt::PointingHandCursor);
    // Empty space leaves the cursor as it was.
    QCOMPARE(moveTo(Empty), Qt::PointingHandCursor);
    QCOMPARE(moveTo(Picture0), Qt::ArrowCursor);

    // A release over a card ends with the arrow, even on a button.
    QCOMPARE(moveTo(Button1), Qt::PointingHandCursor);
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, pointAt(Button1));
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, pointAt(Button1));
    QCOMPARE(m_view->cursor().shape(), Qt::ArrowCursor);
}

void tst_LuGarageView::ownerText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("iconWidth");
    QTest::addColumn<QString>("text");

    QTest::newRow("without a picture") << "Ann" << 0 << "[Ann](101)'s car.";
    QTest::newRow("with a small picture") << "Ann" << 4 << "[   Ann](101)'s car.";
    QTest::newRow("markers in the name") << "%1%2%3" << 0 << "[%1%2%3](101)'s car.";
    QTest::newRow("second marker only") << "x%2" << 4 << "[   x%2](101)'s car.";
    QTest::newRow("empty name") << "" << 0 << "[](101)'s car.";
}

void tst_LuGarageView::ownerText()
{
    QFETCH(QString, name);
    QFETCH(int, iconWidth);
    QFETCH(QString, text);

    const QFontMetrics metrics(QApplication::font());
    QCOMPARE(LuGarageViewDelegate::ownerText(metrics, name, QStringLiteral("101"), iconWidth, 1000), text);

    // The same text painted on the name card.
    LuGarageItem item(101, name, iconWidth ? solid(iconWidth, iconWidth, Qt::cyan) : QImage(), m_car);
    PaintRecorder recorder(QSize(400, 300));
    paint(recorder, &item, QRect(0, 0, 190, 140), QStyle::State_Enabled);
    QCOMPARE(recorder.textIn(QRect(0, 110, 190, 20)), text);
}

void tst_LuGarageView::roomForTheIcon()
{
    QFont narrow = QApplication::font();
    narrow.setPixelSize(9);
    QFont wide(QStringLiteral("DejaVu Sans Mono"));
    wide.setPixelSize(14);
    // The name starts after a 16-pixel picture drawn 7 pixels right of the text's start,
    // with no more spaces than that takes beyond the usual three.
    for (const QFont& font : { narrow, wide }) {
        const QFontMetrics metrics(font);
        const QString text
            = LuGarageViewDelegate::ownerText(metrics, QStringLiteral("Ann"), QStringLiteral("1"), 16, 1000);
        const QString prefix = text.left(text.indexOf(QLatin1Char('A')));
        QVERIFY2(QRegularExpression(QStringLiteral("^\\[ {3,}$")).match(prefix).hasMatch(), qPrintable(text));
        QVERIFY(metrics.horizontalAdvance(prefix) >= 7 + 16);
        QVERIFY(prefix.size() == 4 || metrics.horizontalAdvance(prefix.chopped(1)) < 7 + 16 + 1);
    }
}

void tst_LuGarageView::longNameKeepsTheSuffix()
{
    const QString name = QStringLiteral("The Extraordinarily Long Stage Name Of A Night Singer");
    const QFontMetrics metrics(QApplication::font());
    for (int iconWidth : { 0, 16 }) {
        const QString text = LuGarageViewDelegate::ownerText(metrics, name, QStringLiteral("12345"), iconWidth, 160);
        QVERIFY2(text.endsWith(QChar(0x2026) + kSuffix), qPrintable(text));
        QVERIFY(text.contains(iconWidth ? QStringLiteral("   The") : QStringLiteral("[The")));
        QVERIFY(metrics.horizontalAdvance(text) <= 160);
    }
}

void tst_LuGarageView::paintCard_data()
{
    QTest::addColumn<bool>("withCar");
    QTest::addColumn<bool>("hovered");
    QTest::addColumn<QList<QRectF>>("images");
    QTest::addColumn<QStringList>("texts");

    // Card at (206, 8): the car picture centred, 35 pixels above the bottom, and the name
    // card; under the mouse also the cover, the logo and the button.
    const QRectF picture(226, 33, 150, 80);
    const QRectF nameCard(221, 118, 160, 20);
    const QRectF cover(206, 8, 190, 140);
    const QRectF logo(206, 20, 48, 24);
    const QRectF button(244, 114, 114, 24);
    QTest::newRow("idle") << true << false << QList<QRectF> { picture, nameCard }
                          << QStringList { "[Ann](101)'s car." };
    QTest::newRow("hovered") << true << true << QList<QRectF> { picture, nameCard, cover, logo, button }
                             << QStringList { "[Ann](101)'s car.", "Roadster", kGotoText };
    QTest::newRow("hovered without a car")
        << false << true << QList<QRectF> { nameCard, cover, button } << QStringList { "[Ann](101)'s car.", kGotoText };
}

void tst_LuGarageView::paintCard()
{
    QFETCH(bool, withCar);
    QFETCH(bool, hovered);
    QFETCH(QList<QRectF>, images);
    QFETCH(QStringList, texts);

    LuGarageItem item(101, QStringLiteral("Ann"), QImage(), withCar ? m_car : nullptr);
    PaintRecorder recorder(QSize(600, 400));
    paint(recorder, &item, QRect(206, 8, 190, 140), hovered ? QStyle::State_MouseOver : QStyle::State_Enabled);

    QList<QRectF> drawn;
    for (const PaintRecorder::Image& image : std::as_const(recorder.images))
        drawn.append(image.target);
    QCOMPARE(drawn, images);
    QStringList written;
    for (const PaintRecorder::Text& text : std::as_const(recorder.texts))
        written.append(text.text);
    QCOMPARE(written, texts);

    // The owner's text is white and centred on the name card.
    const PaintRecorder::Text owner = recorder.texts.at(0);
    QCOMPARE(owner.pen.rgba(), qRgba(255, 255, 255, 255));
    const qreal width = QFontMetricsF(m_view->font()).horizontalAdvance(owner.text);
    QVERIFY(qAbs(owner.baseline.x() + width / 2 - 301) <= 1);
}

void tst_LuGarageView::hoverTexts()
{
    PaintRecorder recorder(QSize(600, 400));
    const QRect card(206, 8, 190, 140);
    paint(recorder, m_items.at(0), card, QStyle::State_MouseOver);
    QCOMPARE(recorder.texts.size(), 3);

    // The car's name in bold black, 16 pixels, between 50 and 69 pixels below the top.
    const PaintRecorder::Text name = recorder.texts.at(1);
    QCOMPARE(name.pen.rgba(), qRgba(0, 0, 0, 255));
    QCOMPARE(name.font.pixelSize(), 16);
    QCOMPARE(name.font.weight(), QFont::Bold);
    QVERIFY(name.baseline.y() > 8 + 50 && name.baseline.y() <= 8 + 69);

    // The button's text in white, 12 pixels, centred on the button even when wider.
    const PaintRecorder::Text button = recorder.texts.at(2);
    QCOMPARE(button.pen.rgba(), qRgba(255, 255, 255, 255));
    QCOMPARE(button.font.pixelSize(), 12);
    const QRectF buttonRect = LuGarageViewDelegate::buttonRect(card);
    const qreal width = QFontMetricsF(button.font).horizontalAdvance(kGotoText);
    QVERIFY(qAbs(button.baseline.x() + width / 2 - buttonRect.center().x()) <= 1);
    QVERIFY(button.baseline.y() > buttonRect.top() && button.baseline.y() <= buttonRect.bottom());

    // The host pictures, each in its place.
    QCOMPARE(recorder.images.at(1).centrePixel, kNameCard.rgba());
    QCOMPARE(recorder.images.at(2).centrePixel, kCover.rgba());
    QCOMPARE(recorder.images.at(3).pixelSize, QSize(96, 48));
    QCOMPARE(recorder.images.at(4).centrePixel, kGotoFace.rgba());
}

void tst_LuGarageView::ownerIcon_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSizeF>("drawn");

    QTest::newRow("16 x 16") << QSize(16, 16) << 1.0 << QSizeF(16, 16);
    QTest::newRow("odd height") << QSize(14, 13) << 1.0 << QSizeF(14, 13);
    QTest::newRow("high resolution") << QSize(32, 32) << 2.0 << QSizeF(16, 16);
}

void tst_LuGarageView::ownerIcon()
{
    QFETCH(QSize, pixels);
    QFETCH(qreal, ratio);
    QFETCH(QSizeF, drawn);

    QImage icon = solid(pixels.width(), pixels.height(), Qt::cyan);
    icon.setDevicePixelRatio(ratio);
    LuGarageItem item(5, QStringLiteral("Cy"), icon, m_car);
    PaintRecorder recorder(QSize(400, 300));
    paint(recorder, &item, QRect(0, 0, 190, 140), QStyle::State_Enabled);

    // Picture, name card, icon: 7 pixels right of the text's start, centred on the name card.
    QCOMPARE(recorder.images.size(), 3);
    const PaintRecorder::Text owner = recorder.textContaining(kSuffix);
    QVERIFY(QRegularExpression(QStringLiteral("^\\[ {3,}Cy\\]")).match(owner.text).hasMatch());
    const QRectF target = recorder.images.at(2).target;
    QCOMPARE(target.size(), drawn);
    QCOMPARE(target.left(), owner.baseline.x() + 7);
    QCOMPARE(target.top(), 110 + int(20 - drawn.height()) / 2);
}

void tst_LuGarageView::translationContext()
{
    MarkingTranslator translator("LuGarageView");
    QVERIFY(QCoreApplication::installTranslator(&translator));
    PaintRecorder recorder(QSize(400, 300));
    paint(recorder, m_items.at(0), QRect(0, 0, 190, 140), QStyle::State_MouseOver);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(recorder.texts.at(0).text, QStringLiteral("[Ann](101)<'s car.>"));
    QCOMPARE(recorder.texts.at(2).text, QStringLiteral("<Go to his/her garage.>"));
}

void tst_LuGarageView::hoverCoverOnlyUnderTheMouse()
{
    m_items.append(new LuGarageItem(103, QStringLiteral("Cy"), QImage(), m_hiResCar));
    m_view->setCars(m_items);
    m_view->resize(640, 200);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));

    const auto card = [&](int row) { return m_view->visualRect(m_view->model()->index(row, 0)); };
    // A spot of a card that only the cover paints.
    const auto spot
        = [&](const QImage& image, int row) { return image.pixelColor(card(row).topRight() + QPoint(-3, 3)); };
    const auto moveTo = [&](int row) {
        QTest::mouseMove(m_view->viewport(), card(row).center());
        return m_view->viewport()->grab().toImage();
    };

    QImage image = moveTo(1);
    image.save(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("garageview-hover.png")));
    QCOMPARE(spot(image, 1), kCover);
    QVERIFY(spot(image, 0) != kCover);
    QVERIFY(spot(image, 2) != kCover);
    QCOMPARE(image.pixelColor(LuGarageViewDelegate::nameCardRect(card(0)).topLeft() + QPoint(1, 1)), kNameCard);

    // The high-resolution picture takes half its pixel size: 100 x 60, centred.
    const QPoint topLeft = card(2).topLeft() + QPoint(45, 140 - 60 - 35);
    const QColor green(Qt::darkGreen);
    QCOMPARE(image.pixelColor(topLeft), green);
    QCOMPARE(image.pixelColor(topLeft + QPoint(99, 59)), green);
    QVERIFY(image.pixelColor(topLeft - QPoint(1, 1)) != green);
    QVERIFY(image.pixelColor(topLeft + QPoint(100, 60)) != green);

    image = moveTo(2);
    QVERIFY(spot(image, 1) != kCover);
    QCOMPARE(spot(image, 2), kCover);
}

QTEST_MAIN(tst_LuGarageView)
#include "tst_lugarageview.moc"
