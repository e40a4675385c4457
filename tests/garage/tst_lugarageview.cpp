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
        QCoreApplication::removeTranslator(&translator);
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
        QTest::addColumn<QList<int>>("userids");
        QTest::addColumn<Qt::CursorShape>("cursor");

        // Places: the first card's button and picture, the second card's button (button2), and
        // the empty space right of the cards. A release over a card ends with the arrow.
        const Qt::CursorShape arrow = Qt::ArrowCursor, hand = Qt::PointingHandCursor;
        const QList<int> none;
        QTest::newRow("click") << "move button2, press button2, release button2" << QList<int> { 102 } << arrow;
        // Dragging across cards selects nothing either.
        QTest::newRow("drag off clears") << "press button, move button2, release picture, release button" << none
                                         << arrow;
        QTest::newRow("press outside, release inside") << "press picture, move button, release button" << none << arrow;
        QTest::newRow("release on another button") << "press button, release button2, release button" << none << arrow;
        QTest::newRow("right button") << "right-press button, right-release button" << none << arrow;
        QTest::newRow("right-release leaves a left press")
            << "press button, right-release picture, release button" << QList<int> { 101 } << arrow;
        QTest::newRow("release over empty space keeps the press")
            << "press button, release empty, release button" << QList<int> { 101 } << arrow;
        // A new left press anywhere but on a button forgets the one before.
        QTest::newRow("stale press, then press on a picture")
            << "press button, release empty, press picture, release button" << none << arrow;
        QTest::newRow("stale press, then press on empty space")
            << "press button, release empty, press empty, release button" << none << arrow;
        // Empty space leaves the cursor as it was.
        QTest::newRow("hover the button, then empty space") << "move button, move empty" << none << hand;
        QTest::newRow("hover the button, then the picture") << "move button, move picture" << none << arrow;
        // Enter, Return or Space on the current card acts as its button.
        QTest::newRow("enter") << "current 1, key Enter" << QList<int> { 102 } << arrow;
        QTest::newRow("return") << "current 0, key Return" << QList<int> { 101 } << arrow;
        QTest::newRow("space") << "current 1, key Space" << QList<int> { 102 } << arrow;
        QTest::newRow("space, no current card") << "key Space" << none << arrow;
        QTest::newRow("another key") << "current 1, key A" << none << arrow;
    }

    void mouse()
    {
        QFETCH(QString, steps);
        QFETCH(QList<int>, userids);
        QFETCH(Qt::CursorShape, cursor);

        showView();
        m_view->setCurrentIndex(QModelIndex());
        QSignalSpy spy(m_view.data(), &LuGarageView::gotoUserGarage);
        // Each step is "<action> <place>"; the right-... actions use the right button.
        static const QHash<QString, std::pair<QTest::MouseAction, Qt::MouseButton>> actions {
            { "press", { QTest::MousePress, Qt::LeftButton } }, { "release", { QTest::MouseRelease, Qt::LeftButton } },
            { "right-press", { QTest::MousePress, Qt::RightButton } },
            { "right-release", { QTest::MouseRelease, Qt::RightButton } },
            { "move", { QTest::MouseMove, Qt::NoButton } }
        };
        static const QHash<QString, Qt::Key> keys { { "Enter", Qt::Key_Enter }, { "Return", Qt::Key_Return },
            { "Space", Qt::Key_Space }, { "A", Qt::Key_A } };
        for (const QString& step : steps.split(", ")) {
            const QString what = step.section(' ', 0, 0), where = step.section(' ', 1);
            if (what == "current")
                m_view->setCurrentIndex(m_view->model()->index(where.toInt(), 0));
            else if (what == "key")
                QTest::keyClick(m_view.data(), keys.value(where));
            else if (what == "move")
                QVERIFY(moveMouse(m_view->viewport(), pointAt(where)));
            else
                QTest::mouseEvent(
                    actions.value(what).first, m_view->viewport(), actions.value(what).second, {}, pointAt(where));
        }
        QList<int> emitted;
        for (const QList<QVariant>& arguments : std::as_const(spy))
            emitted.append(arguments.at(0).toInt());
        QCOMPARE(emitted, userids);
        QCOMPARE(m_view->cursor().shape(), cursor);
        // Clicks and drags neither select cards nor leave the view in a drag selection.
        if (!steps.startsWith("current"))
            QVERIFY(!m_view->currentIndex().isValid() && !m_view->selectionModel()->hasSelection());
        QVERIFY(m_view->idle());
    }

    void ownerIconAndLongName_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QImage>("icon");
        QTest::addColumn<QSizeF>("drawn");

        QTest::newRow("narrow spaces") << QFont(QString(), 7) << solid(16, 16) << QSizeF(16, 16);
        QTest::newRow("wide spaces, odd height") << QFont("DejaVu Sans Mono", 11) << solid(14, 13) << QSizeF(14, 13);
        QTest::newRow("high resolution") << QFont() << solid(32, 32, ":/pics/car@2x.png") << QSizeF(16, 16);
    }

    void ownerIconAndLongName()
    {
        QFETCH(QFont, font);
        QFETCH(QImage, icon);
        QFETCH(QSizeF, drawn);

        LuGarageItem item(5, "The Extraordinarily Long Stage Name Of A Night Singer", icon, &m_car);
        PaintRecorder recorder(QSize(400, 300));
        paint(recorder, &item, QRect(0, 0, 190, 140), QStyle::State_Enabled, font);

        // Picture, name card, icon: 7 pixels right of the text's start, centred on the name card.
        QCOMPARE(recorder.images.size(), 3);
        const PaintRecorder::Text owner = recorder.texts.at(0);
        const QRectF target = recorder.images.at(2).target;
        QCOMPARE(target, QRectF(QPointF(owner.baseline.x() + 7, 110 + int(20 - drawn.height()) / 2), drawn));

        // The name starts after the icon, with no more spaces than that takes beyond the usual
        // three; a long name is elided, the suffix kept whole.
        const QString prefix = owner.text.left(owner.text.indexOf("The"));
        const QFontMetrics metrics(owner.font, &recorder);
        QVERIFY2(owner.text.endsWith(QChar(0x2026) + QStringLiteral("<'s car.>")), qPrintable(owner.text));
        QVERIFY(metrics.horizontalAdvance(owner.text) <= 160);
        QVERIFY2(QRegularExpression("^\\[ {3,}$").match(prefix).hasMatch(), qPrintable(owner.text));
        QVERIFY(metrics.horizontalAdvance(prefix) >= 7 + drawn.width());
        QVERIFY(prefix.size() == 4 || metrics.horizontalAdvance(prefix.chopped(1)) < 7 + drawn.width() + 1);
    }

    void paintCard_data()
    {
        QTest::addColumn<LuCarItem*>("car");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<Drawn>("images");
        QTest::addColumn<QStringList>("texts");

        // Card at (206, 8), one pixel wider than usual so that centring must round as the host
        // does: the car picture centred, 35 pixels above the bottom, and the name card; under
        // the mouse also the cover, the logo and the button. The owner's name holds arg()
        // markers, shown as typed.
        const std::pair<QRectF, QRgb> picture { { 226, 33, 150, 80 }, kCar },
            nameCard { { 221, 118, 160, 20 }, kNameCard }, cover { { 206, 8, 191, 140 }, kCover },
            logo { { 206, 20, 48, 24 }, kLogo }, button { { 244, 114, 114, 24 }, kGoto };
        const QString owner = "[%1%2%3](101)<'s car.>", gotoText = "<Go to his/her garage.>";
        QTest::newRow("idle") << &m_car << false << Drawn { picture, nameCard } << QStringList { owner };
        QTest::newRow("hovered") << &m_car << true << Drawn { picture, nameCard, cover, logo, button }
                                 << QStringList { owner, "Roadster", gotoText };
        QTest::newRow("hovered without a car") << static_cast<LuCarItem*>(nullptr) << true
                                               << Drawn { nameCard, cover, button } << QStringList { owner, gotoText };
        // Laid out by its device-independent size: 100 x 60, centred.
        QTest::newRow("high-resolution picture")
            << &m_hiResCar << false << Drawn { { { 251, 53, 100, 60 }, kCar }, nameCard } << QStringList { owner };
    }

    void paintCard()
    {
        QFETCH(LuCarItem*, car);
        QFETCH(bool, hovered);
        QFETCH(Drawn, images);
        QFETCH(QStringList, texts);

        LuGarageItem item(101, "%1%2%3", QImage(), car);
        PaintRecorder recorder(QSize(600, 400));
        paint(recorder, &item, QRect(206, 8, 191, 140), hovered ? QStyle::State_MouseOver : QStyle::State_Enabled);
        Drawn drawn;
        for (const PaintRecorder::Image& image : std::as_const(recorder.images))
            drawn.append({ image.target, image.centrePixel });
        QCOMPARE(drawn, images);
        QCOMPARE(recorder.texts.size(), texts.size());
        for (int i = 0; i < texts.size(); ++i)
            QVERIFY2(
                TextCheck::isWholeOrCut(recorder.texts.at(i).text, texts.at(i)), qPrintable(recorder.texts.at(i).text));

        // The owner's text is centred on the name card.
        const PaintRecorder::Text owner = recorder.texts.at(0);
        QVERIFY(qAbs(owner.baseline.x() + QFontMetricsF(QFont()).horizontalAdvance(owner.text) / 2 - 301) <= 1);
        QVERIFY(owner.baseline.y() > 118 && owner.baseline.y() <= 138);
    }

    void textsFit_data() { TextCheck::addFontAndLanguageRows(); }

    // Long names and the button's text stay inside their areas, cut at their ends; the
    // button's tooltip says it whole.
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

        showView();
        QHelpEvent help(QEvent::ToolTip, button.center(), m_view->viewport()->mapToGlobal(button.center()));
        QCoreApplication::sendEvent(m_view->viewport(), &help);
        QCOMPARE(QToolTip::text(), whole);
    }

    // Screen readers read each painted card in the present language (what they read: the model's suite).
    void accessibleCards()
    {
        showView();
        MarkingTranslator translator("LuGarageModel");
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QSignalSpy changed(m_view->model(), &QAbstractItemModel::dataChanged);
        TextCheck::changeLanguage(m_view.data());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 1);
        QCOMPARE(TextCheck::untranslated(m_view.data()), QStringList());
    }

    void hoverCoverOnlyUnderTheMouse()
    {
        showView();
        QCOMPARE(card(0).size(), QSize(190, 140));
        for (int row : { 1, 0 }) {
            QVERIFY(moveMouse(m_view->viewport(), card(row).center()));
            const QImage image = m_view->viewport()->grab().toImage();
            // Each card at a spot that only the cover paints.
            for (int other : { 0, 1 })
                QCOMPARE(image.pixel(card(other).topRight() + QPoint(-3, 3)) == kCover, other == row);
        }
    }

    // Rows are found by pointer, the first of duplicates. Names are shown as typed, a price
    // past 32 bits as the host's int reads it, and an owner without a car as a card without
    // the car's data.
    void model()
    {
        LuCarItem car(3, "Roadster %1", 4294967296 + 5, QString(), QString());
        LuGarageItem ann(42, "Ann %2", QImage(), &car), walker(7, "Bo", QImage(), nullptr);
        LuGarageItem stranger = ann;
        LuGarageModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setCars({ &ann, &walker, &walker });
        QCOMPARE(model.index(&walker, 0), model.index(1, 0));
        QCOMPARE(model.car(model.index(&walker, 0)), &walker);
        QVERIFY(!model.index(&stranger, 0).isValid());

        const QModelIndex first = model.index(0, 0), carless = model.index(1, 0);
        QCOMPARE(first.data(Qt::AccessibleTextRole), QVariant("Ann %2's car: Roadster %1"));
        QCOMPARE(first.data(LuGarageModel::CarPriceRole), QVariant(5));
        QCOMPARE(LuCarItem(4, QString(), 2147483648, QString(), QString()).price(), -2147483647 - 1);
        QCOMPARE(carless.data(Qt::AccessibleTextRole), QVariant("Bo"));
        QCOMPARE(carless.data(LuGarageModel::UserIdRole), QVariant(7));
        QVERIFY(!carless.data(Qt::DisplayRole).isValid() && !carless.data(LuGarageModel::CarImageRole).isValid());
    }

    void carPicturesReadOnce()
    {
        const QString present = m_dir.filePath("present.png");
        const QString missing = m_dir.filePath("missing.png");
        QVERIFY(QFile::copy(":/pics/car.png", present));
        LuCarItem found(1, "A", 1, present, present);
        LuCarItem notFound(2, "B", 1, missing, QString());
        QCOMPARE(found.image().size(), QSize(150, 80));
        QVERIFY(notFound.image().isNull());

        // Files changed or created after the first read are not read again; each picture is
        // read at its own first use; an empty path is no picture.
        QVERIFY(QFile::remove(present) && QFile::copy(":/pics/logo.png", present));
        QVERIFY(QFile::copy(":/pics/logo.png", missing));
        QCOMPARE(found.image().size(), QSize(150, 80));
        QCOMPARE(found.logo().size(), QSize(96, 48));
        QVERIFY(notFound.image().isNull());
        QVERIFY(notFound.logo().isNull());
    }
};

QTEST_MAIN(tst_LuGarageView)
#include "tst_lugarageview.moc"
