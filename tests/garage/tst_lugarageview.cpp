#include <lukbase/lucaritem.h>
#include <lukbase/lugarageitem.h>
#include <lukbase/lugaragemodel.h>
#include <lukbase/lugarageview.h>

#include "garage/lugarageviewdelegate_p.h"
#include "paintrecorder.h"

#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

// The solid colours of the test's host pictures (see CMakeLists.txt).
const QColor kNameCard(0x20, 0x30, 0x60);
const QColor kCover(0xff, 0xcc, 0x00);
const QColor kGotoFace(0xd0, 0x20, 0x20);

const QString kSuffix = QStringLiteral("'s car.");
const QString kGotoText = QStringLiteral("Go to his/her garage.");

class MarkingTranslator : public QTranslator
{
public:
    explicit MarkingTranslator(const char* context)
        : m_context(context)
    {
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (m_context != context)
            return QString();
        return QStringLiteral("<") + QString::fromUtf8(sourceText) + QStringLiteral(">");
    }

private:
    QByteArray m_context;
};

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

// Reads the view's interaction state, which only subclasses see.
class StateOf : public LuGarageView
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
    void init();
    void cleanup();
    void construction();
    void lookup();
    void buttonRect_data();
    void buttonRect();
    void nameCardRect();
    void mouse_data();
    void mouse();
    void clicksDoNotSelect();
    void cursor();
    void ownerText_data();
    void ownerText();
    void roomForTheIcon_data();
    void roomForTheIcon();
    void longNameKeepsTheSuffix();
    void paintIdleCard();
    void paintHoveredCard();
    void paintOwnerIcon_data();
    void paintOwnerIcon();
    void paintCarlessCard();
    void translationContext();
    void hoverCoverOnlyUnderTheMouse();

private:
    // Shows a view of two cards, 500 pixels wide, so there is empty space right of them.
    void showView(LuGarageView& view);
    QPoint pointAt(const LuGarageView& view, Place place) const;
    void paintCard(PaintRecorder& recorder, LuGarageItem* item, const QRect& rect, QStyle::State state);

    QTemporaryDir m_dir;
    LuCarItem* m_car = nullptr;
    LuCarItem* m_hiResCar = nullptr;
    QList<LuGarageItem*> m_items;
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

void tst_LuGarageView::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    m_items = { new LuGarageItem(101, QStringLiteral("Ann"), QImage(), m_car),
        new LuGarageItem(102, QStringLiteral("Bo"), solid(16, 16, Qt::cyan), m_car) };
}

void tst_LuGarageView::cleanup()
{
    qDeleteAll(m_items);
    m_items.clear();
}

void tst_LuGarageView::showView(LuGarageView& view)
{
    view.setCars(m_items);
    view.resize(500, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
}

QPoint tst_LuGarageView::pointAt(const LuGarageView& view, Place place) const
{
    const QRect first = view.visualRect(view.model()->index(0, 0));
    const QRect second = view.visualRect(view.model()->index(1, 0));
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

void tst_LuGarageView::paintCard(PaintRecorder& recorder, LuGarageItem* item, const QRect& rect, QStyle::State state)
{
    LuGarageView view;
    view.setCars({ item });
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = state;
    QPainter painter(&recorder);
    painter.setFont(view.font());
    view.itemDelegate()->paint(&painter, option, view.model()->index(0, 0));
}

void tst_LuGarageView::construction()
{
    LuGarageView view;
    QVERIFY(view.qt_metacast("LuObject"));
    QCOMPARE(view.objectName(), QStringLiteral("GarageListView"));
    QCOMPARE(view.viewMode(), QListView::IconMode);
    QCOMPARE(view.spacing(), 8);
    QCOMPARE(view.contextMenuPolicy(), Qt::CustomContextMenu);
    QVERIFY(view.viewport()->hasMouseTracking());

    auto* model = qobject_cast<LuGarageModel*>(view.model());
    QVERIFY(model);
    QCOMPARE(model->parent(), &view);
    QVERIFY(qobject_cast<LuGarageViewDelegate*>(view.itemDelegate()));
    QCOMPARE(view.itemDelegate()->parent(), &view);

    view.setCars(m_items);
    for (int row = 0; row < 2; ++row) {
        const QModelIndex index = view.model()->index(row, 0);
        QCOMPARE(view.itemDelegate()->sizeHint(QStyleOptionViewItem(), index), QSize(190, 140));
    }
}

void tst_LuGarageView::lookup()
{
    LuGarageView view;
    view.setCars(m_items);
    QCOMPARE(view.model()->rowCount(), 2);
    const QModelIndex second = view.index(m_items.at(1));
    QCOMPARE(second.row(), 1);
    QCOMPARE(view.car(second), m_items.at(1));
    QCOMPARE(view.currentCar(), nullptr);
    view.setCurrentIndex(second);
    QCOMPARE(view.currentCar(), m_items.at(1));

    LuGarageItem stranger(7, QString(), QImage(), nullptr);
    QVERIFY(!view.index(&stranger).isValid());
    QCOMPARE(view.car(view.index(&stranger)), nullptr);
}

void tst_LuGarageView::buttonRect_data()
{
    QTest::addColumn<QRect>("card");
    QTest::addColumn<QRect>("button");

    QTest::newRow("card at the origin") << QRect(0, 0, 190, 140) << QRect(QPoint(38, 106), QPoint(151, 129));
    QTest::newRow("moved card") << QRect(206, 8, 190, 140) << QRect(QPoint(244, 114), QPoint(357, 137));
    QTest::newRow("odd width") << QRect(0, 0, 191, 140) << QRect(QPoint(38, 106), QPoint(151, 129));
    // (100 - 113) / 2 rounds toward zero.
    QTest::newRow("narrower than the button") << QRect(0, 0, 101, 50) << QRect(QPoint(-6, 16), QPoint(107, 39));
}

void tst_LuGarageView::buttonRect()
{
    QFETCH(QRect, card);
    QFETCH(QRect, button);
    QCOMPARE(LuGarageViewDelegate::buttonRect(card), button);
    QCOMPARE(LuGarageViewDelegate::buttonRect(card).size(), QSize(114, 24));
}

void tst_LuGarageView::nameCardRect()
{
    QCOMPARE(LuGarageViewDelegate::nameCardRect(QRect(0, 0, 190, 140)), QRect(15, 110, 160, 20));
    QCOMPARE(LuGarageViewDelegate::nameCardRect(QRect(206, 8, 190, 140)), QRect(221, 118, 160, 20));
}

void tst_LuGarageView::mouse_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QList<int>>("userids");

    const Qt::MouseButton left = Qt::LeftButton;
    const Qt::MouseButton right = Qt::RightButton;
    QTest::newRow("click the button") << QList<Step> { { Press, left, Button0 }, { Release, left, Button0 } }
                                      << QList<int> { 101 };
    QTest::newRow("click the other card's button")
        << QList<Step> { { Press, left, Button1 }, { Release, left, Button1 } } << QList<int> { 102 };
    QTest::newRow("two clicks") << QList<Step> { { Press, left, Button0 }, { Release, left, Button0 },
        { Press, left, Button0 }, { Release, left, Button0 } }
                                << QList<int> { 101, 101 };
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
        { Release, left, Empty }, { Release, left, Button0 } } << QList<int> { 101 };
    QTest::newRow("kept press outlives a press outside the button") << QList<Step> { { Press, left, Button0 },
        { Release, left, Empty }, { Press, left, Picture0 }, { Release, left, Button0 } }
                                                                    << QList<int> { 101 };
}

void tst_LuGarageView::mouse()
{
    QFETCH(QList<Step>, steps);
    QFETCH(QList<int>, userids);

    LuGarageView view;
    showView(view);
    QSignalSpy spy(&view, &LuGarageView::gotoUserGarage);
    for (const Step& step : steps) {
        const QPoint point = pointAt(view, step.place);
        if (step.action == Press)
            QTest::mousePress(view.viewport(), step.button, {}, point);
        else if (step.action == Release)
            QTest::mouseRelease(view.viewport(), step.button, {}, point);
        else
            QTest::mouseMove(view.viewport(), point);
    }

    QList<int> emitted;
    for (const QList<QVariant>& arguments : std::as_const(spy))
        emitted.append(arguments.at(0).toInt());
    QCOMPARE(emitted, userids);
}

void tst_LuGarageView::clicksDoNotSelect()
{
    LuGarageView view;
    showView(view);
    view.clearFocus();
    view.setCurrentIndex(QModelIndex());
    for (Place place : { Picture0, Button1 }) {
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pointAt(view, place));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, pointAt(view, place));
    }
    // Nor does dragging across cards with the button held.
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pointAt(view, Picture0));
    QTest::mouseMove(view.viewport(), pointAt(view, Button0));
    QTest::mouseMove(view.viewport(), pointAt(view, Button1));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, pointAt(view, Button1));
    QVERIFY(!view.currentIndex().isValid());
    QVERIFY(view.selectionModel()->selectedIndexes().isEmpty());
    QVERIFY(static_cast<StateOf&>(view).idle());
}

void tst_LuGarageView::cursor()
{
    LuGarageView view;
    showView(view);

    QTest::mouseMove(view.viewport(), pointAt(view, Button0));
    QCOMPARE(view.cursor().shape(), Qt::PointingHandCursor);
    // Empty space leaves the cursor as it was.
    QTest::mouseMove(view.viewport(), pointAt(view, Empty));
    QCOMPARE(view.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(view.viewport(), pointAt(view, Picture0));
    QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);

    // A release over a card ends with the arrow, even when it sits on a button.
    QTest::mouseMove(view.viewport(), pointAt(view, Button1));
    QCOMPARE(view.cursor().shape(), Qt::PointingHandCursor);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pointAt(view, Button1));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, pointAt(view, Button1));
    QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);
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

    // The same text painted on the name card of a card.
    LuGarageItem item(101, name, iconWidth ? solid(iconWidth, iconWidth, Qt::cyan) : QImage(), m_car);
    PaintRecorder recorder(QSize(400, 300));
    paintCard(recorder, &item, QRect(0, 0, 190, 140), QStyle::State_Enabled);
    QCOMPARE(recorder.textIn(QRect(0, 110, 190, 20)), text);
}

void tst_LuGarageView::roomForTheIcon_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<int>("iconWidth");

    QFont narrow = QApplication::font();
    narrow.setPixelSize(9);
    QFont wide(QStringLiteral("DejaVu Sans Mono"));
    wide.setPixelSize(14);
    QTest::newRow("16 pixels, narrow spaces") << narrow << 16;
    QTest::newRow("16 pixels, wide spaces") << wide << 16;
    QTest::newRow("24 pixels") << QApplication::font() << 24;
}

void tst_LuGarageView::roomForTheIcon()
{
    QFETCH(QFont, font);
    QFETCH(int, iconWidth);

    // The name starts after the picture, which is drawn 7 pixels right of the text's start.
    const QFontMetrics metrics(font);
    const QString text
        = LuGarageViewDelegate::ownerText(metrics, QStringLiteral("Ann"), QStringLiteral("1"), iconWidth, 1000);
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("^\\[( {3,})Ann\\]\\(1\\)'s car\\.$")).match(text);
    QVERIFY2(match.hasMatch(), qPrintable(text));
    const QString prefix = QLatin1Char('[') + match.captured(1);
    QVERIFY(metrics.horizontalAdvance(prefix) >= 7 + iconWidth);
    // No more spaces than needed beyond the usual three.
    if (match.captured(1).size() > 3)
        QVERIFY(metrics.horizontalAdvance(prefix.chopped(1)) < 7 + iconWidth + 1);
}

void tst_LuGarageView::longNameKeepsTheSuffix()
{
    const QString name = QStringLiteral("The Extraordinarily Long Stage Name Of A Night Singer");
    const QFontMetrics metrics(QApplication::font());
    for (int iconWidth : { 0, 16 }) {
        const QString text = LuGarageViewDelegate::ownerText(metrics, name, QStringLiteral("12345"), iconWidth, 160);
        QVERIFY2(text.endsWith(QChar(0x2026) + kSuffix), qPrintable(text));
        QVERIFY(text.startsWith(iconWidth ? QStringLiteral("[   ") : QStringLiteral("[The")));
        if (iconWidth)
            QVERIFY(text.contains(QStringLiteral(" The")));
        QVERIFY(metrics.horizontalAdvance(text) <= 160);
    }
}

void tst_LuGarageView::paintIdleCard()
{
    PaintRecorder recorder(QSize(600, 400));
    const QRect card(206, 8, 190, 140);
    paintCard(recorder, m_items.at(0), card, QStyle::State_Enabled);

    // The car picture, centred, 35 pixels above the bottom; then the name card.
    QCOMPARE(recorder.images().size(), 2);
    QCOMPARE(recorder.images().at(0).target, QRectF(206 + 20, 8 + 140 - 80 - 35, 150, 80));
    QCOMPARE(recorder.images().at(1).target, QRectF(LuGarageViewDelegate::nameCardRect(card)));
    QCOMPARE(recorder.images().at(1).centrePixel, kNameCard.rgba());

    const PaintRecorder::Text owner = recorder.textContaining(kSuffix);
    QCOMPARE(owner.pen.rgba(), qRgba(255, 255, 255, 255));
    // Centred on the name card.
    const qreal width = QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("[Ann](101)'s car."));
    QVERIFY(qAbs(owner.baseline.x() - (221 + (160 - width) / 2)) <= 1);
    QVERIFY(recorder.textContaining(kGotoText).text.isEmpty());
    QVERIFY(recorder.textContaining(QStringLiteral("Roadster")).text.isEmpty());
}

void tst_LuGarageView::paintHoveredCard()
{
    PaintRecorder recorder(QSize(600, 400));
    const QRect card(206, 8, 190, 140);
    paintCard(recorder, m_items.at(0), card, QStyle::State_Enabled | QStyle::State_MouseOver);

    // Picture, name card, then cover, logo and button.
    QCOMPARE(recorder.images().size(), 5);
    QCOMPARE(recorder.images().at(2).target, QRectF(card));
    QCOMPARE(recorder.images().at(2).centrePixel, kCover.rgba());
    QCOMPARE(recorder.images().at(3).target, QRectF(206, 20, 48, 24));
    QCOMPARE(recorder.images().at(3).pixelSize, QSize(96, 48));
    QCOMPARE(recorder.images().at(4).target, QRectF(LuGarageViewDelegate::buttonRect(card)));
    QCOMPARE(recorder.images().at(4).centrePixel, kGotoFace.rgba());

    const PaintRecorder::Text name = recorder.textContaining(QStringLiteral("Roadster"));
    QCOMPARE(name.pen.rgba(), qRgba(0, 0, 0, 255));
    QCOMPARE(name.font.pixelSize(), 16);
    QCOMPARE(name.font.weight(), QFont::Bold);
    QVERIFY(name.baseline.y() > 8 + 50 && name.baseline.y() <= 8 + 69);

    const PaintRecorder::Text button = recorder.textContaining(kGotoText);
    QCOMPARE(button.text, kGotoText);
    QCOMPARE(button.pen.rgba(), qRgba(255, 255, 255, 255));
    QCOMPARE(button.font.pixelSize(), 12);
    // Centred on the button, even where the text is wider than the button.
    const QRectF buttonRect = LuGarageViewDelegate::buttonRect(card);
    const qreal width = QFontMetricsF(button.font).horizontalAdvance(kGotoText);
    QVERIFY(qAbs(button.baseline.x() + width / 2 - buttonRect.center().x()) <= 1);
    QVERIFY(button.baseline.y() > buttonRect.top() && button.baseline.y() <= buttonRect.bottom());
}

void tst_LuGarageView::paintOwnerIcon_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSizeF>("drawn");

    QTest::newRow("16 x 16") << QSize(16, 16) << 1.0 << QSizeF(16, 16);
    QTest::newRow("odd height") << QSize(14, 13) << 1.0 << QSizeF(14, 13);
    QTest::newRow("high resolution") << QSize(32, 32) << 2.0 << QSizeF(16, 16);
}

void tst_LuGarageView::paintOwnerIcon()
{
    QFETCH(QSize, pixels);
    QFETCH(qreal, ratio);
    QFETCH(QSizeF, drawn);

    QImage icon = solid(pixels.width(), pixels.height(), Qt::cyan);
    icon.setDevicePixelRatio(ratio);
    LuGarageItem item(5, QStringLiteral("Cy"), icon, m_car);
    PaintRecorder recorder(QSize(400, 300));
    paintCard(recorder, &item, QRect(0, 0, 190, 140), QStyle::State_Enabled);

    // Picture, name card, icon: 7 pixels right of the text's start, centred on the name card.
    QCOMPARE(recorder.images().size(), 3);
    const PaintRecorder::Text owner = recorder.textContaining(kSuffix);
    QVERIFY(QRegularExpression(QStringLiteral("^\\[ {3,}Cy\\]")).match(owner.text).hasMatch());
    const QRectF target = recorder.images().at(2).target;
    QCOMPARE(target.size(), drawn);
    QCOMPARE(target.left(), owner.baseline.x() + 7);
    QCOMPARE(target.top(), 110 + int(20 - drawn.height()) / 2);
}

void tst_LuGarageView::paintCarlessCard()
{
    LuGarageItem walker(77, QStringLiteral("Walker"), QImage(), nullptr);
    PaintRecorder recorder(QSize(400, 300));
    paintCard(recorder, &walker, QRect(0, 0, 190, 140), QStyle::State_Enabled | QStyle::State_MouseOver);

    // Name card, cover and button; no car picture and no logo.
    QCOMPARE(recorder.images().size(), 3);
    QCOMPARE(recorder.textContaining(kSuffix).text, QStringLiteral("[Walker](77)'s car."));
    QCOMPARE(recorder.textContaining(kGotoText).text, kGotoText);

    // Its button still leads to the owner's garage.
    LuGarageView view;
    QList<LuGarageItem*> items { &walker };
    view.setCars(items);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy spy(&view, &LuGarageView::gotoUserGarage);
    const QPoint button = LuGarageViewDelegate::buttonRect(view.visualRect(view.model()->index(0, 0))).center();
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, button);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, button);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 77);
}

void tst_LuGarageView::translationContext()
{
    MarkingTranslator translator("LuGarageView");
    QVERIFY(QCoreApplication::installTranslator(&translator));
    PaintRecorder recorder(QSize(400, 300));
    paintCard(recorder, m_items.at(0), QRect(0, 0, 190, 140), QStyle::State_Enabled | QStyle::State_MouseOver);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(recorder.textContaining(QStringLiteral("<'s car.>")).text, QStringLiteral("[Ann](101)<'s car.>"));
    QVERIFY(!recorder.textContaining(QStringLiteral("<Go to his/her garage.>")).text.isEmpty());
}

void tst_LuGarageView::hoverCoverOnlyUnderTheMouse()
{
    m_items.append(new LuGarageItem(103, QStringLiteral("Cy"), QImage(), m_hiResCar));
    LuGarageView view;
    view.setCars(m_items);
    view.resize(640, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const auto card = [&](int row) { return view.visualRect(view.model()->index(row, 0)); };
    // A spot of a card that only the cover paints.
    const auto spot
        = [&](const QImage& image, int row) { return image.pixelColor(card(row).topRight() + QPoint(-3, 3)); };

    QTest::mouseMove(view.viewport(), card(1).center());
    QImage image = view.viewport()->grab().toImage();
    image.save(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("garageview-hover.png")));
    QCOMPARE(spot(image, 1), kCover);
    QVERIFY(spot(image, 0) != kCover);
    QVERIFY(spot(image, 2) != kCover);
    // The name card is painted on every card.
    QCOMPARE(image.pixelColor(LuGarageViewDelegate::nameCardRect(card(0)).topLeft() + QPoint(1, 1)), kNameCard);

    // The high-resolution picture takes half its pixel size: 100 x 60, centred.
    const QRect third = card(2);
    const QPoint pictureTopLeft(third.left() + 45, third.top() + 140 - 60 - 35);
    QCOMPARE(image.pixelColor(pictureTopLeft), QColor(Qt::darkGreen));
    QVERIFY(image.pixelColor(pictureTopLeft - QPoint(1, 1)) != QColor(Qt::darkGreen));
    QCOMPARE(image.pixelColor(pictureTopLeft + QPoint(99, 59)), QColor(Qt::darkGreen));
    QVERIFY(image.pixelColor(pictureTopLeft + QPoint(100, 60)) != QColor(Qt::darkGreen));

    QTest::mouseMove(view.viewport(), card(2).center());
    image = view.viewport()->grab().toImage();
    QVERIFY(spot(image, 1) != kCover);
    QCOMPARE(spot(image, 2), kCover);
}

QTEST_MAIN(tst_LuGarageView)
#include "tst_lugarageview.moc"
