#include <lukbase/luvideocontrolbar.h>
#include <lukbase/luvideononewidget.h>

#include <darivad/mcmediaprocessqt.h>
#include <darivad/mcmediatransferqt.h>
#include <darivad/mctransstatuswidget.h>
#include <zuzar/mcenginesetup.h>

#include "markingtranslator.h"
#include "textcheck.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* button(const QWidget& bar, const QString& name)
{
    for (QToolButton* candidate : bar.findChildren<QToolButton*>("ChatToolButton"))
        if (candidate->accessibleName() == name)
            return candidate;
    return nullptr;
}

// The buttons that show once the bar itself shows.
QStringList shownButtons(const QWidget& bar)
{
    QStringList names;
    for (QToolButton* candidate : bar.findChildren<QToolButton*>("ChatToolButton"))
        if (candidate->isVisibleTo(&bar))
            names.append(candidate->accessibleName());
    return names;
}

// What a bar without user id shows for a refuse mask (bit 1: audio, bit 2: video).
QStringList shownFor(unsigned mask)
{
    return { mask & 2 ? "Video Off" : "Video On", mask & 1 ? "Audio Off" : "Audio On", "Zoom Out", "Zoom In",
        "Show Popup" };
}

} // namespace

class tst_LuVideoControlBar : public QObject
{
    Q_OBJECT

    QWidget m_video;
    McMediaTransferQt m_transfer;
    McMediaProcessQt m_process;

    // Brings a mask into force the way the engine does: request, then settle from the loop.
    bool settle(bool process, unsigned mask)
    {
        QSignalSpy settled(process ? static_cast<QObject*>(&m_process) : &m_transfer, SIGNAL(refuseResult(int)));
        McRefusable* source = process ? static_cast<McRefusable*>(&m_process) : &m_transfer;
        source->setRefuseData(mask);
        return settled.wait(1000) && source->refusedData() == mask;
    }

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        QVERIFY(settle(false, 0) && settle(true, 0));
        McEngineSetup::clearJournal();
    }

    // Each mask, from either source, with a click on each of the four mask buttons once; the
    // other bit is kept clear twice and set twice.
    void followsMaskInForce_data()
    {
        QTest::addColumn<bool>("useProcess");
        QTest::addColumn<unsigned>("mask");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<unsigned>("requested");

        QTest::newRow("transfer, none refused") << false << 0u << "Video On" << 2u;
        QTest::newRow("process, audio refused") << true << 1u << "Audio Off" << 0u;
        QTest::newRow("transfer, video refused") << false << 2u << "Audio On" << 3u;
        QTest::newRow("process, both refused") << true << 3u << "Video Off" << 1u;
    }

    // The bar follows the mask of the process when there is one, else of the transfer: as
    // built and once a change settles. A click changes only the request; the bar shows it
    // once the engine has settled it.
    void followsMaskInForce()
    {
        QFETCH(bool, useProcess);
        QFETCH(unsigned, mask);
        QFETCH(QString, clicked);
        QFETCH(unsigned, requested);
        QVERIFY(settle(useProcess, mask));
        LuVideoControlBar bar(&m_transfer, useProcess ? &m_process : nullptr, nullptr, &m_video);
        QCOMPARE(shownButtons(bar), shownFor(mask));
        const QString source = useProcess ? "McMediaProcess::" : "McMediaTransfer::";
        McEngineSetup::clearJournal();
        QVERIFY(settle(!useProcess, mask ^ 3)); // not the bar's business: it does not even look
        QVERIFY(!McEngineSetup::journal().contains(source + "refusedData()"));
        QCOMPARE(shownButtons(bar), shownFor(mask));

        McEngineSetup::clearJournal();
        button(bar, clicked)->click();
        QCOMPARE(McEngineSetup::journal(),
            QStringList({ source + "getRefuseData()", source + "setRefuseData(" + QString::number(requested) + ")" }));
        QCOMPARE(shownButtons(bar), shownFor(mask));
        QVERIFY(settle(useProcess, requested));
        QCOMPARE(shownButtons(bar), shownFor(requested));
    }

    // The status widget takes the place of the popup buttons, and setShowPopup does nothing.
    void statusWidgetInsteadOfPopupButtons()
    {
        auto* status = new McTransStatusWidget;
        LuVideoControlBar bar(&m_transfer, nullptr, status, &m_video);
        QCOMPARE(bar.findChildren<QToolButton*>("ChatToolButton").size(), 7);
        QCOMPARE(status->parentWidget(), &bar);
        bar.setShowPopup(true);
        QCOMPARE(shownButtons(bar), QStringList({ "Video On", "Audio On", "Zoom Out", "Zoom In" }));
        QVERIFY(status->isVisibleTo(&bar));
    }

    // Take Photo shows for any user id but 0; setShowPopup swaps the popup buttons.
    void localButtons()
    {
        LuVideoControlBar bar(&m_transfer, nullptr, nullptr, &m_video);
        bar.setUserid(-7);
        bar.setShowPopup(true);
        QCOMPARE(shownButtons(bar),
            QStringList({ "Video On", "Audio On", "Take Photo", "Zoom Out", "Zoom In", "Hide Popup" }));
        bar.setUserid(0);
        bar.setShowPopup(false);
        QCOMPARE(shownButtons(bar), shownFor(0));
    }

    // After a change of language every button is named anew.
    void changeOfLanguage()
    {
        LuVideoControlBar bar(&m_transfer, nullptr, nullptr, &m_video);
        MarkingTranslator translator("LuVideoControlBar");
        QVERIFY(QCoreApplication::installTranslator(&translator));
        TextCheck::changeLanguage(&bar);
        QCOMPARE(TextCheck::untranslated(&bar), QStringList());
    }

    void destroyedSourceIsLeftAlone()
    {
        auto* transfer = new McMediaTransferQt;
        LuVideoControlBar bar(transfer, nullptr, nullptr, &m_video);
        delete transfer;
        McEngineSetup::clearJournal();
        button(bar, "Video On")->click();
        bar.updateRefuseData();
        QVERIFY(McEngineSetup::journal().isEmpty());
        QCOMPARE(shownButtons(bar), shownFor(0));
    }

    // The placeholder shown where no video is.
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

QTEST_MAIN(tst_LuVideoControlBar)
#include "tst_luvideocontrolbar.moc"
