#include <lukbase/lugiftmodel.h>
#include <lukbase/lugiftview.h>

#include "gifts/lugiftitem_p.h"
#include "gifts/lugiftviewdelegate_p.h"
#include "markingtranslator.h"
#include "paintrecorder.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QColor kSelected(252, 234, 166);
const QColor kHover(252, 240, 192);

// Pixels of rect in image that differ from background.
int inkIn(const QImage& image, const QRect& rect, const QColor& background)
{
    int ink = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            ink += image.pixelColor(x, y) != background;
    }
    return ink;
}

void save(const QImage& image, const QString& name)
{
    // Kept beside the test binary for a person to look at.
    image.save(QDir(QCoreApplication::applicationDirPath()).filePath(name));
}

} // namespace

class tst_LuGiftView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void construction();
    void formatPrice_data();
    void formatPrice();
    void priceTranslationContext();
    void background_data();
    void background();
    void nameAndPrice();
    void thumbnailPlacement_data();
    void thumbnailPlacement();
    void renderedCells();
    void hoverOnlyUnderTheMouse();

private:
    // A gift shown by the test's view; without a picture it points at a missing file.
    LuGiftItem* addGift(
        const QString& name, qint64 price, const QString& thumbnail = QStringLiteral("/nonexistent.png"));
    void paintCell(PaintRecorder& recorder, const QRect& rect, QStyle::State state);
    void showView(int width);

    QTemporaryDir m_dir;
    QList<LuGiftItem*> m_gifts;
    LuGiftView* m_view = nullptr;
};

void tst_LuGiftView::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QVERIFY(m_dir.isValid());
    m_view = new LuGiftView;
}

void tst_LuGiftView::cleanup()
{
    delete m_view;
    for (LuGiftItem* gift : std::as_const(m_gifts))
        gift->release();
    m_gifts.clear();
}

LuGiftItem* tst_LuGiftView::addGift(const QString& name, qint64 price, const QString& thumbnail)
{
    auto* gift
        = new LuGiftItem(int(m_gifts.size()), 0, 0, name, QString(), price, 0, thumbnail, QString(), QString(), 0);
    gift->ref();
    m_gifts.append(gift);
    m_view->setGifts(m_gifts);
    return gift;
}

void tst_LuGiftView::paintCell(PaintRecorder& recorder, const QRect& rect, QStyle::State state)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = state;
    QPainter painter(&recorder);
    painter.setFont(m_view->font());
    m_view->itemDelegate()->paint(&painter, option, m_view->model()->index(0, 0));
}

void tst_LuGiftView::showView(int width)
{
    m_view->resize(width, 100);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
}

void tst_LuGiftView::construction()
{
    QVERIFY(m_view->qt_metacast("LuObject"));
    QCOMPARE(m_view->viewMode(), QListView::IconMode);
    QCOMPARE(m_view->contextMenuPolicy(), Qt::CustomContextMenu);
    QVERIFY(m_view->viewport()->hasMouseTracking());

    addGift(QStringLiteral("Rose"), 10);
    LuGiftItem* cake = addGift(QStringLiteral("Cake"), 20);
    QCOMPARE(m_view->itemDelegate()->sizeHint(QStyleOptionViewItem(), m_view->index(cake)), QSize(46, 68));
    QCOMPARE(m_view->currentGift(), nullptr);
    m_view->setCurrentIndex(m_view->index(cake));
    QCOMPARE(m_view->currentGift(), cake);
}

void tst_LuGiftView::formatPrice_data()
{
    QTest::addColumn<qint64>("price");
    QTest::addColumn<QString>("text");

    QTest::newRow("negative") << qint64(-250000000) << "-250000000";
    QTest::newRow("9999") << qint64(9999) << "9999";
    QTest::newRow("10000") << qint64(10000) << "1 Wan";
    QTest::newRow("12345") << qint64(12345) << "1 Wan";
    QTest::newRow("99999999") << qint64(99999999) << "9999 Wan";
    QTest::newRow("100000000") << qint64(100000000) << "1 Yi";
    QTest::newRow("250000000") << qint64(250000000) << "2 Yi";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "92233720368 Yi";
}

void tst_LuGiftView::formatPrice()
{
    QFETCH(qint64, price);
    QFETCH(QString, text);
    QCOMPARE(LuGiftViewDelegate::formatPrice(price), text);
}

void tst_LuGiftView::priceTranslationContext()
{
    MarkingTranslator translator("LuGiftViewDelegate");
    QVERIFY(QCoreApplication::installTranslator(&translator));
    const QString wan = LuGiftViewDelegate::formatPrice(20000);
    const QString yi = LuGiftViewDelegate::formatPrice(300000000);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(wan, QStringLiteral("<2 Wan>"));
    QCOMPARE(yi, QStringLiteral("<3 Yi>"));
}

void tst_LuGiftView::background_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QColor>("fill");

    QTest::newRow("plain") << int(QStyle::State_Enabled) << QColor();
    QTest::newRow("selected") << int(QStyle::State_Selected) << kSelected;
    QTest::newRow("focused") << int(QStyle::State_HasFocus) << kSelected;
    QTest::newRow("hovered") << int(QStyle::State_MouseOver) << kHover;
    QTest::newRow("selected and hovered") << int(QStyle::State_Selected | QStyle::State_MouseOver) << kSelected;
}

void tst_LuGiftView::background()
{
    QFETCH(int, state);
    QFETCH(QColor, fill);

    addGift(QStringLiteral("Rose"), 5);
    PaintRecorder recorder(QSize(100, 100));
    paintCell(recorder, QRect(10, 20, 46, 68), QStyle::State(state));
    QCOMPARE(recorder.fills.size(), fill.isValid() ? 1 : 0);
    if (fill.isValid()) {
        QCOMPARE(recorder.fills.at(0).rect, QRectF(10, 20, 46, 68));
        QCOMPARE(recorder.fills.at(0).color, fill);
    }
}

void tst_LuGiftView::nameAndPrice()
{
    const QString name = QStringLiteral("Everlasting Golden Phoenix");
    addGift(name, 99999999);
    PaintRecorder recorder(QSize(200, 200));
    paintCell(recorder, QRect(46, 68, 46, 68), QStyle::State_Enabled);

    // A name wider than the cell ends with an ellipsis; the price is centred on its row,
    // over the cell's edges when wider than the cell.
    const QString drawn = recorder.textIn(QRect(QPoint(48, 68 + 36), QPoint(89, 68 + 51)));
    QVERIFY2(drawn.endsWith(QChar(0x2026)) && name.startsWith(drawn.chopped(1)), qPrintable(drawn));
    QVERIFY(QFontMetrics(m_view->font()).horizontalAdvance(drawn) <= 42);
    QCOMPARE(recorder.textIn(QRect(QPoint(0, 68 + 52), QPoint(199, 68 + 67))), QStringLiteral("9999 Wan"));
    for (const PaintRecorder::Text& text : std::as_const(recorder.texts))
        QCOMPARE(text.pen.rgba(), qRgba(0, 0, 0, 255));
}

void tst_LuGiftView::thumbnailPlacement_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QRectF>("target");

    // Cell at (100, 50): a 32 x 32 picture sits centred, 2 pixels below the top.
    QTest::newRow("32 x 32") << QSize(32, 32) << 1.0 << QRectF(107, 52, 32, 32);
    QTest::newRow("high resolution") << QSize(64, 64) << 2.0 << QRectF(107, 52, 32, 32);
    QTest::newRow("other sizes keep the position") << QSize(20, 10) << 1.0 << QRectF(107, 52, 20, 10);
    QTest::newRow("missing") << QSize() << 1.0 << QRectF();
}

void tst_LuGiftView::thumbnailPlacement()
{
    QFETCH(QSize, pixels);
    QFETCH(qreal, ratio);
    QFETCH(QRectF, target);

    LuGiftItem* gift = addGift(QStringLiteral("Rose"), 5);
    if (pixels.isValid()) {
        // Stored the way the gift manager stores an arrived thumbnail.
        QImage picture(pixels, QImage::Format_ARGB32);
        picture.fill(Qt::darkGreen);
        picture.setDevicePixelRatio(ratio);
        LuGiftItemAccess::setThumbnail(gift, QString(), picture);
    }

    PaintRecorder recorder(QSize(300, 300));
    paintCell(recorder, QRect(100, 50, 46, 68), QStyle::State_Enabled);
    QCOMPARE(recorder.images.size(), target.isNull() ? 0 : 1);
    if (!target.isNull()) {
        QCOMPARE(recorder.images.at(0).target, target);
        QCOMPARE(recorder.images.at(0).pixelSize, pixels);
    }
    // Name and price are painted either way.
    QCOMPARE(recorder.textIn(QRect(102, 86, 42, 32)), QStringLiteral("Rose5"));
}

void tst_LuGiftView::renderedCells()
{
    const QList<qint64> prices { 9999, 10000, 99999999, 100000000, 250000000 };
    for (qint64 price : prices)
        addGift(QStringLiteral("Gift"), price);
    showView(300);

    const QImage image = m_view->viewport()->grab().toImage();
    save(image, QStringLiteral("giftview-prices.png"));
    for (int row = 0; row < prices.size(); ++row) {
        const QRect cell = m_view->visualRect(m_view->model()->index(row, 0));
        QCOMPARE(cell, QRect(row * 46, 0, 46, 68));
        // The current cell has a background of its own; the others show the view's.
        const QColor background = image.pixelColor(cell.topLeft());
        QCOMPARE(inkIn(image, QRect(cell.topLeft(), QSize(46, 2)), background), 0);
        QVERIFY2(inkIn(image, LuGiftViewDelegate::priceRect(cell), background) > 10,
            qPrintable(QString::number(prices.at(row))));
    }
}

void tst_LuGiftView::hoverOnlyUnderTheMouse()
{
    for (int i = 0; i < 3; ++i)
        addGift(QStringLiteral("Gift"), i);
    showView(200);

    // The colour of a corner of a cell, where only the background is painted.
    const auto corner = [&](const QImage& image, int row) {
        return image.pixelColor(m_view->visualRect(m_view->model()->index(row, 0)).topLeft() + QPoint(1, 1));
    };
    const auto moveTo = [&](int row) {
        QTest::mouseMove(m_view->viewport(), m_view->visualRect(m_view->model()->index(row, 0)).center());
        return m_view->viewport()->grab().toImage();
    };

    QImage image = moveTo(1);
    save(image, QStringLiteral("giftview-hover.png"));
    QCOMPARE(corner(image, 1), kHover);
    QVERIFY(corner(image, 0) != kHover);
    QVERIFY(corner(image, 2) != kHover);

    image = moveTo(2);
    QVERIFY(corner(image, 1) != kHover);
    QCOMPARE(corner(image, 2), kHover);
}

QTEST_MAIN(tst_LuGiftView)
#include "tst_lugiftview.moc"
