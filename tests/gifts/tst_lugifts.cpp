#include <lukbase/lugiftmodel.h>
#include <lukbase/lugiftstarmanager.h>
#include <lukbase/lugiftview.h>
#include <lukbase/lukbase.h>

#include "gifts/lugiftitem_p.h"
#include "gifts/lugiftviewdelegate_p.h"
#include "markingtranslator.h"
#include "mousemove.h"
#include "offscreennotes.h"
#include "paintrecorder.h"
#include "textcheck.h"
#include "trackedgiftitem.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using Stars = QList<LuGiftStarItem*>;

static const QColor kSelected(252, 234, 166);
static const QColor kHover(252, 240, 192);

// The gift records, the registry of gift stars, and the model and view that show records: who
// holds a record, what a record tells and how it is shown.
class tst_LuGifts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
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

    static bool savePicture(const QString& path, int width, int height)
    {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(Qt::darkCyan);
        return image.save(path, "PNG");
    }

private Q_SLOTS:
    void initTestCase()
    {
        dropOffscreenPlatformNotes();
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        TrackedGiftItem::destroyed().clear();
        m_view = new LuGiftView;
    }

    void cleanup()
    {
        delete m_view;
        for (LuGiftItem* gift : std::as_const(m_gifts))
            gift->release();
        m_gifts.clear();
    }

    void tooltip_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QString>("extraLine");

        // Types and commands as plain numbers, as the host's catalogue passes them.
        QTest::newRow("unknown type and command") << 7 << 10008 << "";
        QTest::newRow("lucky") << 1 << 0 << "Have rate to get 1000 times bonus";
        QTest::newRow("siege") << 0 << 10005 << "Used for siege, sender and receiver will be king and queen";
        QTest::newRow("room share wins over lucky") << 1 << 10007 << "All room users will share the money";
        QTest::newRow("manager share wins over star") << 2 << 10009 << "All room managers will share the money";
        QTest::newRow("unknown command keeps the type line") << 2 << 10002 << "Used for battle gift star";
    }

    // Placeholders in the name stay as typed; money is printed without grouping. The texts come from
    // the context "LuGiftManager", once: a tooltip keeps its first language. The sharing commands
    // make a firework gift.
    void tooltip()
    {
        QFETCH(int, type);
        QFETCH(int, cmd);
        QFETCH(QString, extraLine);

        LuGiftItem item(1, type, cmd, "%1%2%3", QString(), 12345678901234, -1000, QString(), QString(), QString(), 0);
        // Asked for its tooltip only while a translator is installed.
        LuGiftItem later(2, type, cmd, "%1%2%3", QString(), 12345678901234, -1000, QString(), QString(), QString(), 0);
        QStringList lines { "%1%2%3(Price: 12345678901234)", "Receiver money: -1000", extraLine };
        lines.removeAll(QString());
        QCOMPARE(item.tooltip(), lines.join('\n'));
        QCOMPARE(item.isYanHua(), extraLine.contains("share"));

        MarkingTranslator translator("LuGiftManager");
        QVERIFY(QCoreApplication::installTranslator(&translator));
        const QString translated = later.tooltip();
        const QString kept = item.tooltip();
        QCoreApplication::removeTranslator(&translator);
        // Templates are filled after translation, so the markers wrap the filled lines.
        QCOMPARE(translated, '<' + lines.join(">\n<") + '>');
        QCOMPARE(kept, lines.join('\n'));
    }

    // Width and thumbnail are read at first use, once; the manager's writes replace the thumbnail without a read.
    void picturesReadOnce()
    {
        const QString late = QDir(m_home.path()).filePath("late.png");
        TrackedGiftItem missing(1, late, late);
        QCOMPARE(missing.width(), 0);
        QVERIFY(missing.thumbnail().isNull());
        QVERIFY(savePicture(late, 40, 10));
        QCOMPARE(missing.width(), 0);
        QVERIFY(missing.thumbnail().isNull());

        // The format comes from the bytes, not from the name.
        const QString present = QDir(m_home.path()).filePath("present.gif");
        QVERIFY(savePicture(present, 64, 32));
        TrackedGiftItem item(2, present, present);
        QCOMPARE(item.width(), 64);
        LuGiftItemAccess::setThumbnail(&item, present, QImage(late));
        QCOMPARE(item.thumbnail().size(), QSize(40, 10));
        // A thumbnail that failed to decode arrives as a null image, and the file is not read instead.
        LuGiftItemAccess::setThumbnail(&item, present, QImage());
        QVERIFY(item.thumbnail().isNull());

        // No path at all is no picture, and no warning from the file system either.
        TrackedGiftItem unnamed(3, QString(), QString());
        QCOMPARE(unnamed.width(), 0);
        QVERIFY(unnamed.thumbnail().isNull());
    }

    // Across resets the model's references may be the only ones left, and none may drop to zero
    // on the way; records are found by pointer at their first row of the present list. A
    // thumbnail that the gift manager stores later shows at the next read.
    void model()
    {
        // Records the host has taken one reference on each, as after building its catalogue.
        QList<LuGiftItem*> gifts;
        for (int id = 1; id <= 4; ++id) {
            gifts.append(new TrackedGiftItem(id));
            gifts.last()->ref();
        }
        auto* model = new LuGiftModel;
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy reset(model, &QAbstractItemModel::modelReset);
        model->setGifts({ gifts.at(0), gifts.at(1), gifts.at(1) });
        QCOMPARE(model->index(gifts.at(1)), model->index(1, 0));
        QCOMPARE(model->gift(model->index(gifts.at(1))), gifts.at(1));
        QVERIFY(!model->index(gifts.at(3)).isValid());
        gifts.at(1)->release();
        gifts.at(2)->release();
        QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 3 });

        model->setGifts({ gifts.at(0), gifts.at(1), gifts.at(1) });
        QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 3 });
        QCOMPARE(gifts.at(1)->refCount(), 2);
        const QImage thumbnail = QImage::fromData(QByteArrayLiteral("P1 1 1 1"), "PBM");
        QVERIFY(model->index(0, 0).data(Qt::DecorationRole).value<QImage>().isNull());
        LuGiftItemAccess::setThumbnail(gifts.at(0), QString(), thumbnail);
        QCOMPARE(model->index(0, 0).data(Qt::DecorationRole).value<QImage>(), thumbnail);

        // A record left out is no longer found, and holds only the host's reference.
        model->setGifts({ gifts.at(3), gifts.at(1) });
        QCOMPARE(model->index(gifts.at(1)), model->index(1, 0));
        QVERIFY(!model->index(gifts.at(0)).isValid());
        QCOMPARE(reset.count(), 3);
        gifts.at(0)->release();
        gifts.at(3)->release();
        QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 3, 1 }));
        delete model;
        QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 3, 1, 4, 2 }));
    }

    // The newest registry is the instance, until it is deleted; initialize() creates one,
    // finalize() deletes it: the registry's references go with it, the host's own keeps the
    // star. A star's flags come fourth, its command third; its pictures are in the gift
    // directory; a second star of the same gift is refused.
    void starRegistry()
    {
        auto* first = new LuGiftStarManager;
        auto* second = new LuGiftStarManager;
        delete first;
        QCOMPARE(LuGiftStarManager::instance(), second);
        delete second;
        QCOMPARE(LuGiftStarManager::instance(), nullptr);

        LuKBase::initialize();
        LuGiftStarManager* registry = LuGiftStarManager::instance();
        QVERIFY(registry);
        LuGiftStarItem* star = registry->addGiftStar(77, 2, 10005, 3, "%1%2%3", "seat", 500, 400, 10001, 4, 10002, 2);
        const QDir gifts(LuKBase::giftDirectory());
        QVERIFY(star->hasFlash());
        QVERIFY(star->tooltip().endsWith("Used for siege, sender and receiver will be king and queen"));
        QCOMPARE(QStringList({ star->thumbnailPath(), star->imagePath(), star->starLogoPath() }),
            QStringList({ gifts.filePath("77.png"), gifts.filePath("77.gif"), gifts.filePath("77_star.gif") }));
        QCOMPARE(QList<int>({ star->sendid0(), star->sendnum0(), star->recvid0(), star->recvnum0() }),
            QList<int>({ 10001, 4, 10002, 2 }));
        QCOMPARE(registry->getGiftStar(77), star);

        QTest::ignoreMessage(QtWarningMsg, "gift star duplicate: 77");
        QCOMPARE(registry->addGiftStar(77, 1, 10001, 1, "Second", QString(), 9, 9, 2, 1, 3, 1), star);
        QCOMPARE(star->name(), "%1%2%3");
        QCOMPARE(registry->allUsers(), QList<int>({ 10001, 10002 }));
        QCOMPARE(star->refCount(), 1);
        star->ref();
        LuKBase::finalize();
        QCOMPARE(LuGiftStarManager::instance(), nullptr);
        QCOMPARE(star->refCount(), 1);
        star->release();
    }

    // Stars by ascending id; a user's stars in the order added, twice when held both ways; holders need an id
    // other than 0 and a count of at least 1; users ascending. clearAll gives every star back.
    void starHoldersAndOrder()
    {
        LuGiftStarManager registry;
        const auto add = [&](int id, int sendid, int sendnum, int recvid, int recvnum) {
            return registry.addGiftStar(id, 2, 0, 0, QString(), QString(), 1, 1, sendid, sendnum, recvid, recvnum);
        };
        LuGiftStarItem* thirty = add(30, 500, 1, -5, 1);
        LuGiftStarItem* ten = add(10, 500, 1, 0, 4);
        LuGiftStarItem* twenty = add(20, 11, 2, 11, 3);
        LuGiftStarItem* forty = add(40, 12, 0, 13, -3);
        QCOMPARE(registry.allGiftStars(), Stars({ ten, twenty, thirty, forty }));
        QCOMPARE(registry.getUserStars(500), Stars({ thirty, ten }));
        QCOMPARE(registry.getUserStars(11), Stars({ twenty, twenty }));
        QCOMPARE(registry.allUsers(), QList<int>({ -5, 11, 500 }));

        ten->ref();
        registry.clearAll();
        QCOMPARE(registry.allGiftStars(), Stars());
        QCOMPARE(registry.allUsers(), QList<int>());
        QCOMPARE(registry.getGiftStar(10), nullptr);
        QCOMPARE(ten->refCount(), 1);
        // Cleared ids can be added anew, as new stars.
        LuGiftStarItem* again = add(10, 500, 1, 0, 0);
        QVERIFY(again != ten);
        QCOMPARE(registry.getUserStars(500), Stars({ again }));
        ten->release();
    }

    void paintedCell_data() { TextCheck::addFontAndLanguageRows(); }

    // A focused cell under the mouse: the focus background, a high-resolution picture at its
    // device-independent size centred 2 pixels below the top; a long name and the price in
    // black inside their rows, cut at their ends.
    void paintedCell()
    {
        TextCheck::FontAndLanguage language;
        setGifts("Everlasting Golden Phoenix", { 99999999 });
        QImage picture(64, 64, QImage::Format_ARGB32);
        picture.fill(Qt::darkGreen);
        picture.setDevicePixelRatio(2);
        LuGiftItemAccess::setThumbnail(m_gifts.at(0), QString(), picture);
        PaintRecorder recorder(QSize(200, 200));
        const QRect cell(46, 68, 46, 68), name = LuGiftViewDelegate::nameRect(cell),
                                          price = LuGiftViewDelegate::priceRect(cell);
        paintCell(recorder, cell, QStyle::State_HasFocus | QStyle::State_MouseOver);

        QCOMPARE(recorder.fills.size(), 1);
        QCOMPARE(recorder.fills.at(0).color, kSelected);
        QCOMPARE(recorder.images.value(0).target, QRectF(46 + 7, 68 + 2, 32, 32));
        QCOMPARE(TextCheck::overflowing(recorder, { name, price }), QStringList());
        QVERIFY(recorder.textIn(name).endsWith(TextCheck::ellipsis));
        QVERIFY(TextCheck::isWholeOrCut(recorder.textIn(name), m_gifts.at(0)->name()));
        QVERIFY(TextCheck::isWholeOrCut(recorder.textIn(price), LuGiftViewDelegate::formatPrice(99999999)));
        for (const PaintRecorder::Text& text : std::as_const(recorder.texts))
            QCOMPARE(text.pen.rgba(), qRgba(0, 0, 0, 255));
    }

    // Screen readers read each painted cell by name and price, in the present language.
    void accessibleCells()
    {
        setGifts("Gift", { 9999, 10000, 99999999, 100000000, 250000000 });
        QCOMPARE(TextCheck::accessibleChildNames(m_view),
            QStringList({ "Gift, price 9999", "Gift, price 1 Wan", "Gift, price 9999 Wan", "Gift, price 1 Yi",
                "Gift, price 2 Yi" }));
        MarkingTranslator translator({ "LuGiftModel", "LuGiftViewDelegate" });
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QSignalSpy changed(m_view->model(), &QAbstractItemModel::dataChanged);
        TextCheck::changeLanguage(m_view);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).toModelIndex().row(), m_gifts.size() - 1);
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

    // The view paints the hover colour only under the mouse, and shows the tooltip of the gift there.
    void renderedView()
    {
        setGifts("Gift", { 9999, 10000, 250000000 });
        m_view->setCurrentIndex(m_view->index(m_gifts.at(1)));
        QCOMPARE(m_view->currentGift(), m_gifts.at(1));

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

QTEST_MAIN(tst_LuGifts)
#include "tst_lugifts.moc"
