#include <lukbase/lugiftmodel.h>
#include <lukbase/lugiftview.h>

#include "gifts/lugiftitem_p.h"
#include "gifts/lugiftviewdelegate_p.h"
#include "paintrecorder.h"
#include "trackedgiftitem.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

const QColor kSelected(252, 234, 166);
const QColor kHover(252, 240, 192);

// Answers the texts of one context with a marked form, so a test sees which were
// translated and in which context.
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

// Without a thumbnail path of its own, a gift points at a file that does not exist.
LuGiftItem* makeGift(int id, const QString& name, qint64 price, const QString& thumbnail = QString())
{
    const QString path = thumbnail.isEmpty() ? QStringLiteral("/nonexistent/%1.png").arg(id) : thumbnail;
    auto* gift = new LuGiftItem(id, 0, 0, name, QString(), price, 0, path, QString(), QString(), 0);
    gift->ref();
    return gift;
}

// Counts the pixels of rect in image that differ from background.
int inkIn(const QImage& image, const QRect& rect, const QColor& background)
{
    int ink = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixelColor(x, y) != background)
                ++ink;
        }
    }
    return ink;
}

} // namespace

class tst_LuGiftView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void construction();
    void giftLookup();
    void formatPrice_data();
    void formatPrice();
    void priceTexts_data();
    void priceTexts();
    void priceTranslationContext();
    void background_data();
    void background();
    void nameIsElided();
    void thumbnailPlacement_data();
    void thumbnailPlacement();
    void renderedCells();
    void hoverOnlyUnderTheMouse();

private:
    // Paints one cell of gift through the view's delegate into a recorder.
    void paintCell(PaintRecorder& recorder, LuGiftItem* gift, const QRect& rect, QStyle::State state);
    void saveForInspection(const QImage& image, const QString& name);

    QTemporaryDir m_dir;
    QList<LuGiftItem*> m_gifts;
};

void tst_LuGiftView::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_LuGiftView::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void tst_LuGiftView::cleanup()
{
    for (LuGiftItem* gift : std::as_const(m_gifts))
        gift->release();
    m_gifts.clear();
}

void tst_LuGiftView::paintCell(PaintRecorder& recorder, LuGiftItem* gift, const QRect& rect, QStyle::State state)
{
    LuGiftView view;
    view.setGifts({ gift });
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = state;
    option.font = view.font();
    QPainter painter(&recorder);
    painter.setFont(view.font());
    view.itemDelegate()->paint(&painter, option, view.model()->index(0, 0));
}

void tst_LuGiftView::saveForInspection(const QImage& image, const QString& name)
{
    // Kept beside the test binary for a person to look at.
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    QVERIFY2(image.save(path), qPrintable(path));
}

void tst_LuGiftView::construction()
{
    LuGiftView view;
    QVERIFY(view.qt_metacast("LuObject"));
    QCOMPARE(view.viewMode(), QListView::IconMode);
    QCOMPARE(view.spacing(), 0);
    QCOMPARE(view.contextMenuPolicy(), Qt::CustomContextMenu);
    QVERIFY(view.hasMouseTracking());
    QVERIFY(view.viewport()->hasMouseTracking());

    auto* model = qobject_cast<LuGiftModel*>(view.model());
    QVERIFY(model);
    QCOMPARE(model->parent(), &view);
    QAbstractItemDelegate* delegate = view.itemDelegate();
    QVERIFY(qobject_cast<LuGiftViewDelegate*>(delegate));
    QCOMPARE(delegate->parent(), &view);
    QVERIFY(delegate->qt_metacast("LuObject"));
}

void tst_LuGiftView::giftLookup()
{
    m_gifts = { makeGift(1, QStringLiteral("Rose"), 10), makeGift(2, QStringLiteral("Cake"), 20) };
    LuGiftView view;
    view.setGifts(m_gifts);
    QCOMPARE(view.model()->rowCount(), 2);
    QCOMPARE(view.currentGift(), nullptr);

    const QModelIndex cake = view.index(m_gifts.at(1));
    QCOMPARE(cake.row(), 1);
    QCOMPARE(view.gift(cake), m_gifts.at(1));
    view.setCurrentIndex(cake);
    QCOMPARE(view.currentGift(), m_gifts.at(1));

    TrackedGiftItem stranger(7);
    QVERIFY(!view.index(&stranger).isValid());
    QCOMPARE(view.gift(view.index(&stranger)), nullptr);
    QCOMPARE(view.gift(QModelIndex()), nullptr);
}

void tst_LuGiftView::formatPrice_data()
{
    QTest::addColumn<qint64>("price");
    QTest::addColumn<QString>("text");

    QTest::newRow("negative") << qint64(-250000000) << "-250000000";
    QTest::newRow("zero") << qint64(0) << "0";
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

void tst_LuGiftView::priceTexts_data()
{
    QTest::addColumn<qint64>("price");
    QTest::addColumn<QString>("text");

    QTest::newRow("9999") << qint64(9999) << "9999";
    QTest::newRow("10000") << qint64(10000) << "1 Wan";
    QTest::newRow("99999999") << qint64(99999999) << "9999 Wan";
    QTest::newRow("100000000") << qint64(100000000) << "1 Yi";
    QTest::newRow("250000000") << qint64(250000000) << "2 Yi";
}

void tst_LuGiftView::priceTexts()
{
    QFETCH(qint64, price);
    QFETCH(QString, text);

    m_gifts = { makeGift(1, QStringLiteral("Rose"), price) };
    const QRect cell(46, 68, 46, 68);
    PaintRecorder recorder(QSize(200, 200));
    paintCell(recorder, m_gifts.at(0), cell, QStyle::State_Enabled);

    // The price row of the cell; a text wider than the cell is centred over its edges.
    const QRect priceRow(QPoint(0, 68 + 52), QPoint(199, 68 + 67));
    QCOMPARE(recorder.textIn(priceRow), text);
    const PaintRecorder::Text drawn = recorder.textContaining(text);
    QCOMPARE(drawn.pen.rgba(), qRgba(0, 0, 0, 255));
    QCOMPARE(recorder.textIn(QRect(QPoint(48, 68 + 36), QPoint(89, 68 + 51))), QStringLiteral("Rose"));
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
    QTest::newRow("selected") << int(QStyle::State_Enabled | QStyle::State_Selected) << kSelected;
    QTest::newRow("focused") << int(QStyle::State_Enabled | QStyle::State_HasFocus) << kSelected;
    QTest::newRow("hovered") << int(QStyle::State_Enabled | QStyle::State_MouseOver) << kHover;
    QTest::newRow("selected under the mouse")
        << int(QStyle::State_Enabled | QStyle::State_Selected | QStyle::State_MouseOver) << kSelected;
}

void tst_LuGiftView::background()
{
    QFETCH(int, state);
    QFETCH(QColor, fill);

    m_gifts = { makeGift(1, QStringLiteral("Rose"), 5) };
    const QRect cell(10, 20, 46, 68);
    PaintRecorder recorder(QSize(100, 100));
    paintCell(recorder, m_gifts.at(0), cell, QStyle::State(state));

    if (!fill.isValid()) {
        QVERIFY(recorder.fills().isEmpty());
        return;
    }
    QCOMPARE(recorder.fills().size(), 1);
    QCOMPARE(recorder.fills().at(0).rect, QRectF(cell));
    QCOMPARE(recorder.fills().at(0).color, fill);
}

void tst_LuGiftView::nameIsElided()
{
    const QString name = QStringLiteral("Everlasting Golden Phoenix");
    m_gifts = { makeGift(1, name, 5), makeGift(2, QStringLiteral("Ok"), 5) };
    PaintRecorder recorder(QSize(100, 100));
    const QRect cell(0, 0, 46, 68);
    const QRect nameArea(QPoint(2, 36), QPoint(43, 51));

    paintCell(recorder, m_gifts.at(0), cell, QStyle::State_Enabled);
    const QString drawn = recorder.textIn(nameArea);
    QVERIFY2(drawn.endsWith(QChar(0x2026)), qPrintable(drawn));
    QVERIFY(name.startsWith(drawn.chopped(1)));
    QVERIFY(drawn.size() < name.size());
    QVERIFY(QFontMetrics(QApplication::font()).horizontalAdvance(drawn) <= nameArea.width());

    recorder.clear();
    paintCell(recorder, m_gifts.at(1), cell, QStyle::State_Enabled);
    QCOMPARE(recorder.textIn(nameArea), QStringLiteral("Ok"));
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

    QString path = m_dir.filePath(QStringLiteral("missing.png"));
    if (pixels.isValid()) {
        QImage picture(pixels, QImage::Format_ARGB32);
        picture.fill(Qt::darkGreen);
        path = m_dir.filePath(QStringLiteral("thumb.png"));
        QVERIFY(picture.save(path));
    }
    m_gifts = { makeGift(1, QStringLiteral("Rose"), 5, path) };
    if (ratio != 1.0) {
        // Stored the way the gift manager stores an arrived thumbnail.
        QImage picture(path);
        picture.setDevicePixelRatio(ratio);
        LuGiftItemAccess::setThumbnail(m_gifts.at(0), path, picture);
    }

    PaintRecorder recorder(QSize(300, 300));
    paintCell(recorder, m_gifts.at(0), QRect(100, 50, 46, 68), QStyle::State_Enabled);
    if (target.isNull()) {
        QVERIFY(recorder.images().isEmpty());
        QCOMPARE(recorder.textIn(QRect(102, 86, 42, 32)), QStringLiteral("Rose5"));
        return;
    }
    QCOMPARE(recorder.images().size(), 1);
    QCOMPARE(recorder.images().at(0).target, target);
    QCOMPARE(recorder.images().at(0).pixelSize, pixels);
}

void tst_LuGiftView::renderedCells()
{
    const QList<qint64> prices { 9999, 10000, 99999999, 100000000, 250000000 };
    for (qint64 price : prices)
        m_gifts.append(makeGift(int(m_gifts.size()) + 1, QStringLiteral("Gift"), price));

    LuGiftView view;
    view.setGifts(m_gifts);
    view.resize(300, 100);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QImage image = view.viewport()->grab().toImage();
    saveForInspection(image, QStringLiteral("giftview-prices.png"));
    for (int row = 0; row < prices.size(); ++row) {
        const QRect cell = view.visualRect(view.model()->index(row, 0));
        QCOMPARE(cell, QRect(row * 46, 0, 46, 68));
        // The current cell has a background of its own; the others show the view's.
        const QColor background = image.pixelColor(cell.topLeft());
        QCOMPARE(inkIn(image, QRect(cell.topLeft(), QSize(46, 2)), background), 0);
        const QRect price = LuGiftViewDelegate::priceRect(cell);
        QVERIFY2(inkIn(image, price, background) > 10, qPrintable(QString::number(prices.at(row))));
    }
}

void tst_LuGiftView::hoverOnlyUnderTheMouse()
{
    for (int id = 1; id <= 3; ++id)
        m_gifts.append(makeGift(id, QStringLiteral("Gift"), id));

    LuGiftView view;
    view.setGifts(m_gifts);
    view.resize(200, 100);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const auto cell = [&](int row) { return view.visualRect(view.model()->index(row, 0)); };
    // The cover's colour at a spot of a cell where nothing else is painted.
    const auto corner
        = [&](const QImage& image, int row) { return image.pixelColor(cell(row).topLeft() + QPoint(1, 1)); };

    QTest::mouseMove(view.viewport(), cell(1).center());
    QImage image = view.viewport()->grab().toImage();
    saveForInspection(image, QStringLiteral("giftview-hover.png"));
    QCOMPARE(corner(image, 1), kHover);
    QVERIFY(corner(image, 0) != kHover);
    QVERIFY(corner(image, 2) != kHover);

    QTest::mouseMove(view.viewport(), cell(2).center());
    image = view.viewport()->grab().toImage();
    QVERIFY(corner(image, 1) != kHover);
    QCOMPARE(corner(image, 2), kHover);
}

QTEST_MAIN(tst_LuGiftView)
#include "tst_lugiftview.moc"
