#include <lukbase/lugiftview.h>

#include "gifts/lugiftitem_p.h"
#include "gifts/lugiftviewdelegate_p.h"
#include "markingtranslator.h"
#include "mousemove.h"
#include "offscreennotes.h"
#include "paintrecorder.h"
#include "textcheck.h"

#include <QApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

static const QColor kSelected(252, 234, 166);
static const QColor kHover(252, 240, 192);

class tst_LuGiftView : public QObject
{
    Q_OBJECT

    QList<LuGiftItem*> m_gifts;
    LuGiftView* m_view = nullptr;

    // Shows gifts of the given name and prices, without pictures, in the test's view.
    void setGifts(const QString& name, const QList<qint64>& prices)
    {
        for (qint64 price : prices) {
            m_gifts.append(new LuGiftItem(
                int(m_gifts.size()), 0, 0, name, QString(), price, 0, "/nonexistent.png", QString(), QString(), 0));
            m_gifts.last()->ref();
        }
        m_view->setGifts(m_gifts);
        m_view->resize(300, 100);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
    }
    QRect cell(int row) const { return m_view->visualRect(m_view->model()->index(row, 0)); }
    // Paints the first gift's cell into rect with the view's delegate.
    void paintCell(PaintRecorder& recorder, const QRect& rect, QStyle::State state = QStyle::State_None) const
    {
        QStyleOptionViewItem option;
        option.rect = rect;
        option.state = state;
        QPainter painter(&recorder);
        painter.setFont(m_view->font());
        m_view->itemDelegate()->paint(&painter, option, m_view->model()->index(0, 0));
    }

private Q_SLOTS:
    void initTestCase() { dropOffscreenPlatformNotes(); }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        m_view = new LuGiftView;
    }

    void cleanup()
    {
        delete m_view;
        for (LuGiftItem* gift : std::as_const(m_gifts))
            gift->release();
        m_gifts.clear();
    }

    // A focused cell under the mouse at (46, 68): the focus background, a high-resolution picture at its
    // device-independent size centred 2 pixels below the top, a long name elided, the price centred on its row.
    void paintedCell()
    {
        const QString name = "Everlasting Golden Phoenix";
        setGifts(name, { 99999999 });
        QImage picture(64, 64, QImage::Format_ARGB32);
        picture.fill(Qt::darkGreen);
        picture.setDevicePixelRatio(2);
        LuGiftItemAccess::setThumbnail(m_gifts.at(0), QString(), picture);

        PaintRecorder recorder(QSize(200, 200));
        paintCell(recorder, QRect(46, 68, 46, 68), QStyle::State_HasFocus | QStyle::State_MouseOver);

        QCOMPARE(recorder.fills.size(), 1);
        QCOMPARE(recorder.fills.at(0).color, kSelected);
        QCOMPARE(recorder.images.value(0).target, QRectF(46 + 7, 68 + 2, 32, 32));
        const QString drawn = recorder.textIn(QRect(QPoint(48, 68 + 36), QPoint(89, 68 + 51)));
        QVERIFY2(drawn.endsWith(QChar(0x2026)) && name.startsWith(drawn.chopped(1)), qPrintable(drawn));
        QVERIFY(TextCheck::isWholeOrCut(recorder.textIn(QRect(QPoint(0, 68 + 52), QPoint(199, 68 + 67))), "9999 Wan"));
        for (const PaintRecorder::Text& text : std::as_const(recorder.texts))
            QCOMPARE(text.pen.rgba(), qRgba(0, 0, 0, 255));
    }

    void textsFit_data() { TextCheck::addFontAndLanguageRows(); }

    // Name and price stay inside their rows, cut at their ends where they do not fit.
    void textsFit()
    {
        TextCheck::FontAndLanguage language;
        setGifts("Everlasting Golden Phoenix", { 99999999 });
        PaintRecorder recorder(QSize(100, 100));
        const QRect cell(0, 0, 46, 68), name = LuGiftViewDelegate::nameRect(cell),
                                        price = LuGiftViewDelegate::priceRect(cell);
        paintCell(recorder, cell);
        QCOMPARE(TextCheck::overflowing(recorder, { name, price }), QStringList());
        QVERIFY(TextCheck::isWholeOrCut(recorder.textIn(name), m_gifts.at(0)->name()));
        QVERIFY(TextCheck::isWholeOrCut(recorder.textIn(price), LuGiftViewDelegate::formatPrice(99999999)));
    }

    // Screen readers read each painted cell by name and price, in the present language.
    void accessibleCells()
    {
        setGifts("Gift", { 9999, 10000 });
        QCOMPARE(TextCheck::accessibleChildNames(m_view), QStringList({ "Gift, price 9999", "Gift, price 1 Wan" }));
        MarkingTranslator translator({ "LuGiftModel", "LuGiftViewDelegate" });
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QSignalSpy changed(m_view->model(), &QAbstractItemModel::dataChanged);
        TextCheck::changeLanguage(m_view);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 1);
        QCOMPARE(TextCheck::untranslated(m_view), QStringList());
    }

    // Filled and laid out while hidden at its default size, as in a tab not shown yet, then shown wider:
    // the grid flows into the new width.
    void gridFollowsTheWidth()
    {
        for (int id = 0; id < 40; ++id) {
            m_gifts.append(new LuGiftItem(id, 0, 0, "Gift", QString(), 1, 0, QString(), QString(), QString(), 0));
            m_gifts.last()->ref();
        }
        m_view->setGifts(m_gifts);
        // A host repaints the cell of an arriving thumbnail, which lays the cells out.
        m_view->update(m_view->index(m_gifts.at(0)));
        m_view->resize(800, 600);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
        const int perRow = m_view->viewport()->width() / 46;
        QVERIFY(perRow >= 16);
        QTRY_COMPARE(cell(perRow - 1), QRect((perRow - 1) * 46, 0, 46, 68));
        QCOMPARE(cell(perRow), QRect(0, 68, 46, 68));
    }

    // Cells of 46 x 68 side by side, each with its price painted; the hover colour only under the mouse.
    void renderedView()
    {
        setGifts("Gift", { 9999, 10000, 99999999, 100000000, 250000000 });
        const QStringList prices { "9999", "1 Wan", "9999 Wan", "1 Yi", "2 Yi" };
        m_view->setCurrentIndex(m_view->index(m_gifts.at(1)));
        QCOMPARE(m_view->currentGift(), m_gifts.at(1));
        const QImage image = m_view->viewport()->grab().toImage();
        for (int row = 0; row < m_gifts.size(); ++row) {
            QCOMPARE(LuGiftViewDelegate::formatPrice(m_gifts.at(row)->price()), prices.at(row));
            QCOMPARE(cell(row), QRect(row * 46, 0, 46, 68));
            // The current cell has a background of its own; the others show the view's.
            const QRect price = LuGiftViewDelegate::priceRect(cell(row));
            QImage blank(price.size(), image.format());
            blank.fill(image.pixelColor(cell(row).topLeft()));
            QVERIFY2(image.copy(price) != blank, qPrintable(prices.at(row)));
        }

        // Whether each cell shows the hover colour in a corner, where only the background is painted.
        const auto hoveredWithMouseOver = [&](int row) {
            if (!moveMouse(m_view->viewport(), cell(row).center()))
                return QList<bool>();
            const QImage image = m_view->viewport()->grab().toImage();
            QList<bool> hovered;
            for (int i = 0; i < 3; ++i)
                hovered.append(image.pixelColor(cell(i).topLeft() + QPoint(1, 1)) == kHover);
            return hovered;
        };
        QCOMPARE(hoveredWithMouseOver(0), QList<bool>({ true, false, false }));
        QCOMPARE(hoveredWithMouseOver(2), QList<bool>({ false, false, true }));

        // Hovering a cell shows the gift's tooltip.
        QHelpEvent help(QEvent::ToolTip, cell(2).center(), m_view->viewport()->mapToGlobal(cell(2).center()));
        QCoreApplication::sendEvent(m_view->viewport(), &help);
        QCOMPARE(QToolTip::text(), m_gifts.at(2)->tooltip());
    }
};

QTEST_MAIN(tst_LuGiftView)
#include "tst_lugiftview.moc"
