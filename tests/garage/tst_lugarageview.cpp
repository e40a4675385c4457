#include <lukbase/lucaritem.h>
#include <lukbase/lugarageitem.h>
#include <lukbase/lugaragemodel.h>
#include <lukbase/lugarageview.h>

#include "garage/lugarageviewdelegate_p.h"
#include "markingtranslator.h"
#include "mousemove.h"
#include "offscreennotes.h"
#include "paintrecorder.h"
#include "textcheck.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using Drawn = QList<std::pair<QRectF, QRgb>>;

// The garage view, its delegate and the model of cards it shows.
class tst_LuGarageView : public QObject
{
    Q_OBJECT

    // The solid colours of the test's pictures (see garagepictures.qrc).
    static constexpr QRgb kCar = 0xff008000, kNameCard = 0xff203060, kCover = 0xffffcc00, kLogo = 0xffff00ff,
                          kGoto = 0xffd02020;

    // The view under test; it also reads the view's interaction state, which only subclasses see.
    struct TestView : LuGarageView
    {
        bool idle() const { return state() == NoState; }
    };

    LuCarItem m_car { 9, "Roadster", 500000, ":/pics/car.png", ":/pics/logo.png" };
    // A picture drawn at twice the resolution, as a high-DPI host ships it.
    LuCarItem m_hiResCar { 10, "Coupe", 1, ":/pics/car@2x.png", QString() };
    LuGarageItem m_ann { 101, "Ann", QImage(), &m_car };
    LuGarageItem m_bo { 102, "Bo", solid(16, 16), &m_car };
    QScopedPointer<TestView> m_view;
    QTemporaryDir m_dir;

    // A picture of the given size; one cut from car@2x.png keeps its device pixel ratio of 2.
    static QImage solid(int w, int h, const char* file = ":/pics/car.png") { return QImage(file).copy(0, 0, w, h); }

    // Shows the two cards in a view 500 pixels wide, so there is empty space right of them.
    void showView()
    {
        m_view->resize(500, 200);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.data()));
        // Qt drops a move to where the mouse already is: each test starts in a corner.
        QVERIFY(moveMouse(m_view->viewport(), QPoint(1, 1)));
    }

    QRect card(int row) const { return m_view->visualRect(m_view->model()->index(row, 0)); }

    QPoint pointAt(const QString& place) const
    {
        if (place == QLatin1String("empty"))
            return QPoint(card(1).right() + 40, card(1).center().y());
        if (place == QLatin1String("picture"))
            return card(0).center() - QPoint(0, 30);
        return LuGarageViewDelegate::buttonRect(card(place == QLatin1String("button") ? 0 : 1)).center();
    }

    // Paints item's card with the view's delegate; when marked, under a translator that marks
    // the texts translated in the view's context.
    void paint(PaintRecorder& recorder, LuGarageItem* item, const QRect& rect, QStyle::State state,
        const QFont& font = QFont(), bool marked = true)
    {
        MarkingTranslator translator("LuGarageView");
        QVERIFY(!marked || QCoreApplication::installTranslator(&translator));
        m_view->setCars({ item });
        QStyleOptionViewItem option;
        option.rect = rect;
        option.state = state;
        QPainter painter(&recorder);
        painter.setFont(font);
        m_view->itemDelegate()->paint(&painter, option, m_view->model()->index(0, 0));
    }

private Q_SLOTS:
    void initTestCase() { dropOffscreenPlatformNotes(); }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        m_view.reset(new TestView);
        m_view->setCars({ &m_ann, &m_bo });
    }

    void mouse_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<QVariantList>>("emitted");
        QTest::addColumn<Qt::CursorShape>("cursor");

        // Places: the first card's button and picture, the second card's button (button2), and
        // the empty space right of the cards. A release over a card ends with the arrow.
        const auto row = [](const char* tag, const char* steps, const QList<QVariantList>& emitted = {},
                             Qt::CursorShape cursor = Qt::ArrowCursor) {
            QTest::newRow(tag) << QString(steps) << emitted << cursor;
        };
        const QList<QVariantList> ann { { 101 } }, bo { { 102 } }; // one signal for Ann's or Bo's card
        row("click", "move button2, press button2, release button2", bo);
        // Dragging across cards selects nothing either.
        row("press outside, release inside", "press picture, move button, release button");
        row("release on another button", "press button, release button2, release button");
        row("right press, left release", "right-press button, release button");
        row("right-release leaves a left press", "press button, right-release picture, release button", ann);
        row("release over empty space keeps the press", "press button, release empty, release button", ann);
        // A new left press anywhere but on a button forgets the one before.
        row("stale press, then press on a picture", "press button, release empty, press picture, release button");
        row("stale press, then press on empty space", "press button, release empty, press empty, release button");
        // Empty space leaves the cursor as it was.
        row("hover the button, then empty space", "move button, move empty", {}, Qt::PointingHandCursor);
        row("hover the button, then the picture", "move button, move picture");
        // Enter, Return or Space on the current card acts as its button.
        row("enter", "current 1, key Enter", bo);
        row("return", "current 0, key Return", ann);
        row("space", "current 1, key Space", bo);
        row("space, no current card", "key Space");
        row("another key", "current 1, key A");
    }

    void mouse()
    {
        QFETCH(QString, steps);
        QFETCH(QList<QVariantList>, emitted);
        QFETCH(Qt::CursorShape, cursor);

        showView();
        m_view->setCurrentIndex(QModelIndex());
        QSignalSpy spy(m_view.data(), &LuGarageView::gotoUserGarage);
        // Each step is "<action> <place>"; the right-... actions use the right button.
        for (const QString& step : steps.split(", ")) {
            const QString what = step.section(' ', 0, 0), where = step.section(' ', 1);
            const Qt::MouseButton button = what.startsWith("right-") ? Qt::RightButton : Qt::LeftButton;
            if (what == "current")
                m_view->setCurrentIndex(m_view->model()->index(where.toInt(), 0));
            else if (what == "key")
                QTest::keyClick(m_view.data(), QKeySequence(where)[0].key());
            else if (what == "move")
                QVERIFY(moveMouse(m_view->viewport(), pointAt(where)));
            else if (what.endsWith("press"))
                QTest::mousePress(m_view->viewport(), button, {}, pointAt(where));
            else
                QTest::mouseRelease(m_view->viewport(), button, {}, pointAt(where));
        }
        QCOMPARE(QList<QVariantList>(spy), emitted);
        QCOMPARE(m_view->cursor().shape(), cursor);
        // Clicks and drags neither select cards nor leave the view in a drag selection.
        if (!steps.startsWith("current"))
            QVERIFY(!m_view->currentIndex().isValid() && !m_view->selectionModel()->hasSelection());
        QVERIFY(m_view->idle());
    }

    void paintCard_data()
    {
        QTest::addColumn<LuCarItem*>("car");
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QImage>("icon");
        QTest::addColumn<Drawn>("images"); // all but the owner's icon
        QTest::addColumn<QStringList>("texts"); // the cover's

        // Card at (206, 8), one pixel wider than usual so that centring must round as the host
        // does: the car picture centred, 35 pixels above the bottom, and the name card; under
        // the mouse also the cover, the logo and the button. The owner's name holds arg()
        // markers, shown as typed.
        const std::pair<QRectF, QRgb> picture { { 226, 33, 150, 80 }, kCar },
            nameCard { { 221, 118, 160, 20 }, kNameCard }, coverPicture { { 206, 8, 191, 140 }, kCover },
            logo { { 206, 20, 48, 24 }, kLogo }, button { { 244, 114, 114, 24 }, kGoto };
        const auto row = [](const char* tag, LuCarItem* car, const Drawn& images, const QStringList& texts = {},
                             const QFont& font = QFont(), const QImage& icon = QImage()) {
            QTest::newRow(tag) << car << font << icon << images << texts;
        };
        const QStringList cover = { "Roadster", "<Go to his/her garage.>" };
        row("idle", &m_car, { picture, nameCard });
        row("hovered", &m_car, { picture, nameCard, coverPicture, logo, button }, cover);
        row("hovered without a car", nullptr, { nameCard, coverPicture, button }, cover.mid(1));
        // Laid out by its device-independent size: 100 x 60, centred.
        row("high-resolution picture", &m_hiResCar, { { { 251, 53, 100, 60 }, kCar }, nameCard });
        // The owner's icon at twice the resolution: drawn 14 x 13, an odd height to centre; in a
        // font with narrow spaces and in one with wide spaces.
        const QImage icon = solid(28, 26, ":/pics/car@2x.png");
        row("icon, narrow spaces", &m_car, { picture, nameCard }, {}, QFont(QString(), 7), icon);
        row("icon, wide spaces", &m_car, { picture, nameCard }, {}, QFont("DejaVu Sans Mono", 11), icon);
    }

    void paintCard()
    {
        QFETCH(LuCarItem*, car);
        QFETCH(QFont, font);
        QFETCH(QImage, icon);
        QFETCH(Drawn, images);
        QFETCH(QStringList, texts);

        LuGarageItem item(101, "%1%2%3", icon, car);
        PaintRecorder recorder(QSize(600, 400));
        // The rows with the cover's texts are painted under the mouse.
        const QStyle::State state = texts.isEmpty() ? QStyle::State_Enabled : QStyle::State_MouseOver;
        paint(recorder, &item, QRect(206, 8, 191, 140), state, font);
        Drawn drawn;
        for (const PaintRecorder::Image& image : std::as_const(recorder.images))
            drawn.append({ image.target, image.centrePixel });
        QCOMPARE(recorder.texts.size(), texts.size() + 1);
        for (int i = 0; i < texts.size(); ++i)
            QVERIFY2(TextCheck::isWholeOrCut(recorder.texts.at(i + 1).text, texts.at(i)),
                qPrintable(recorder.texts.at(i + 1).text));

        // The owner's text is centred on the name card, cut before its suffix when too long. An
        // owner's icon sits 7 pixels right of the text's start, centred on the name card; the
        // name starts after it, with no more spaces than that takes beyond the usual three.
        const PaintRecorder::Text owner = recorder.texts.at(0);
        const QFontMetrics metrics(owner.font, &recorder);
        QVERIFY(qAbs(owner.baseline.x() + metrics.horizontalAdvance(owner.text) / 2.0 - 301) <= 1);
        QVERIFY(owner.baseline.y() > 118 && owner.baseline.y() <= 138);
        const QString prefix = owner.text.left(owner.text.indexOf("%1"));
        QVERIFY2(TextCheck::isWholeOrCut("[" + owner.text.mid(prefix.size()), "[%1%2%3](101)", "<'s car.>"),
            qPrintable(owner.text));
        QVERIFY(QRegularExpression(icon.isNull() ? "^\\[$" : "^\\[ {3,}$").match(prefix).hasMatch());
        if (!icon.isNull()) {
            QCOMPARE(drawn.takeAt(2).first, QRectF(owner.baseline.x() + 7, 121, 14, 13));
            QVERIFY(metrics.horizontalAdvance(prefix) >= 7 + 14);
            QVERIFY(prefix.size() == 4 || metrics.horizontalAdvance(prefix.chopped(1)) < 7 + 14 + 1);
        }
        QCOMPARE(drawn, images);
    }

    void textsFit_data() { TextCheck::addFontAndLanguageRows(); }

    // Long names and the button's text stay inside their areas, cut at their ends (the owner's
    // before the suffix).
    void textsFit()
    {
        TextCheck::FontAndLanguage language;
        LuCarItem car(1, "Extraordinarily Long Limousine Name", 1, ":/pics/car.png", QString());
        LuGarageItem item(5, "The Extraordinarily Long Stage Name", solid(16, 16), &car);
        PaintRecorder recorder(QSize(400, 300));
        const QRect card(0, 0, 190, 140), button = LuGarageViewDelegate::buttonRect(card);
        paint(recorder, &item, card, QStyle::State_MouseOver, QApplication::font(), false);
        // The owner's name card in the view's font; the cover's texts: the car's name at 16
        // pixels, the button's at 12.
        QCOMPARE(TextCheck::overflowing(recorder, { LuGarageViewDelegate::nameCardRect(card) }, -1), QStringList());
        QCOMPARE(TextCheck::overflowing(recorder, { QRect(QPoint(0, 50), QPoint(189, 69)) }, 16), QStringList());
        QCOMPARE(TextCheck::overflowing(recorder, { button }, 12), QStringList());
        const QString whole = LuGarageView::tr("Go to his/her garage.");
        const auto drawnAt = [&](int pixels) {
            QString drawn;
            for (const PaintRecorder::Text& text : std::as_const(recorder.texts))
                drawn += text.font.pixelSize() == pixels ? text.text : QString();
            return drawn;
        };
        QVERIFY2(TextCheck::isWholeOrCut(drawnAt(12), whole), qPrintable(drawnAt(12)));
        QVERIFY2(TextCheck::isWholeOrCut(drawnAt(16), car.name()), qPrintable(drawnAt(16)));
        QVERIFY2(drawnAt(-1).endsWith(TextCheck::ellipsis + LuGarageView::tr("'s car.")), qPrintable(drawnAt(-1)));
    }

    // The cards of the model. Rows are found by pointer, the first of duplicates. Names are
    // shown as typed, a price past 32 bits as the host's int reads it, and an owner without a
    // car as a card without the car's data. Screen readers read each painted card, in the
    // present language; the pointer shows the cover of the card it is over.
    void cards()
    {
        LuCarItem car(3, "Roadster %1", 4294967296 + 2147483648 + 5, QString(), QString());
        LuGarageItem ann(42, "Ann %2", QImage(), &car), walker(7, "Bo", QImage(), nullptr), stranger = ann;
        QAbstractItemModelTester tester(m_view->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        m_view->setCars({ &ann, &walker, &walker });
        QCOMPARE(m_view->index(&walker), m_view->model()->index(1, 0));
        QVERIFY(!m_view->index(&stranger).isValid());

        const QModelIndex first = m_view->model()->index(0, 0), carless = m_view->model()->index(1, 0);
        QCOMPARE(first.data(Qt::AccessibleTextRole), QVariant("Ann %2's car: Roadster %1"));
        QCOMPARE(first.data(LuGarageModel::CarPriceRole), QVariant(-2147483643)); // the low 32 bits, signed
        QCOMPARE(carless.data(Qt::AccessibleTextRole), QVariant("Bo"));

        showView();
        MarkingTranslator translator({ "LuGarageModel", "LuGarageView" });
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QSignalSpy changed(m_view->model(), &QAbstractItemModel::dataChanged);
        TextCheck::changeLanguage(m_view.data());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 2);
        QCOMPARE(TextCheck::untranslated(m_view.data(), { "Bo" }), QStringList());
        // The button's text may be cut on the card: its tooltip says it whole.
        QHelpEvent help(QEvent::ToolTip, pointAt("button"), m_view->viewport()->mapToGlobal(pointAt("button")));
        QCoreApplication::sendEvent(m_view->viewport(), &help);
        QCOMPARE(QToolTip::text(), "<Go to his/her garage.>");

        // The cover shows on the card under the pointer only.
        QCOMPARE(card(0).size(), QSize(190, 140));
        for (int row : { 1, 0 }) {
            QVERIFY(moveMouse(m_view->viewport(), card(row).center()));
            const QImage image = m_view->viewport()->grab().toImage();
            // Each card at a spot that only the cover paints.
            for (int other : { 0, 1 })
                QCOMPARE(image.pixel(card(other).topRight() + QPoint(-3, 3)) == kCover, other == row);
        }
    }

    void carPicturesReadOnce()
    {
        const QString present = m_dir.filePath("present.png"), missing = m_dir.filePath("missing.png");
        QVERIFY(QFile::copy(":/pics/car.png", present));
        LuCarItem found(1, "A", 1, present, present), notFound(2, "B", 1, missing, QString());
        QCOMPARE(found.image().size(), QSize(150, 80));
        QVERIFY(notFound.image().isNull());

        // Files changed or created after the first read are not read again; each picture is
        // read at its own first use; an empty path is no picture.
        QVERIFY(QFile::remove(present) && QFile::copy(":/pics/logo.png", present));
        QVERIFY(QFile::copy(":/pics/logo.png", missing));
        QCOMPARE(found.image().size(), QSize(150, 80));
        QCOMPARE(found.logo().size(), QSize(96, 48));
        QVERIFY(notFound.image().isNull() && notFound.logo().isNull());
    }
};

QTEST_MAIN(tst_LuGarageView)
#include "tst_lugarageview.moc"
