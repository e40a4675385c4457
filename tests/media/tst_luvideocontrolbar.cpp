#include <lukbase/luvideocontrolbar.h>

#include <darivad/mcmediaprocessqt.h>
#include <darivad/mcmediatransferqt.h>
#include <darivad/mctransstatuswidget.h>
#include <zuzar/mcenginesetup.h>

#include <QLayout>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

const QStringList kToolTips = { "Video On", "Video Off", "Audio On", "Audio Off", "Take Photo", "Zoom Out", "Zoom In" };

QToolButton* button(const LuVideoControlBar& bar, const QString& name)
{
    const QList<QToolButton*> buttons = bar.findChildren<QToolButton*>(QStringLiteral("ChatToolButton"));
    for (QToolButton* candidate : buttons) {
        if (candidate->accessibleName() == name)
            return candidate;
    }
    return nullptr;
}

// The names of the buttons that show once the bar itself shows.
QStringList shownButtons(const LuVideoControlBar& bar)
{
    QStringList names;
    for (const QString& name : kToolTips + QStringList { "Show Popup", "Hide Popup" }) {
        if (QToolButton* candidate = button(bar, name); candidate && candidate->isVisibleTo(&bar))
            names.append(name);
    }
    return names;
}

// Brings a mask into force the way the engine does: request, then settle from the loop.
template <typename Source> bool settleMask(Source* source, unsigned mask)
{
    QSignalSpy settled(source, &Source::refuseResult);
    source->setRefuseData(mask);
    return settled.wait(1000) && source->refusedData() == mask;
}

} // namespace

class tst_LuVideoControlBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void buttons();
    void followsMaskInForce_data();
    void followsMaskInForce();
    void clickChangesOnlyRequest_data();
    void clickChangesOnlyRequest();
    void processOverTransfer();
    void statusWidgetInsteadOfPopupButtons();
    void takePhotoFollowsUserid_data();
    void takePhotoFollowsUserid();
    void enableWithoutTouchingMask();
    void popupButtons();
    void destroyedSourceIsLeftAlone();

private:
    QWidget m_video;
};

void tst_LuVideoControlBar::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    McEngineSetup::clearJournal();
}

void tst_LuVideoControlBar::buttons()
{
    McMediaTransferQt transfer;
    LuVideoControlBar bar(&transfer, nullptr, nullptr, &m_video);

    // Over a video without the pointer, the bar waits hidden.
    QVERIFY(bar.isHidden());
    QVERIFY(bar.inherits("LuHoverWidget"));

    // Left to right: the seven buttons, room to stretch, the two popup buttons.
    QLayout* layout = bar.layout();
    QCOMPARE(layout->count(), 10);
    QVERIFY(layout->itemAt(7)->spacerItem());
    for (int i : { 0, 1, 2, 3, 4, 5, 6, 8, 9 }) {
        auto* tool = qobject_cast<QToolButton*>(layout->itemAt(i)->widget());
        QVERIFY2(tool, qPrintable(QString::number(i)));
        QCOMPARE(tool->objectName(), QStringLiteral("ChatToolButton"));
        QCOMPARE(tool->toolTip(), i < 7 ? kToolTips.at(i) : QString());
        QVERIFY(!tool->accessibleName().isEmpty());
    }

    QCOMPARE(shownButtons(bar), QStringList({ "Video On", "Audio On", "Zoom Out", "Zoom In", "Show Popup" }));
    QVERIFY(bar.audioEnabled());
    QVERIFY(bar.videoEnabled());
}

void tst_LuVideoControlBar::followsMaskInForce_data()
{
    QTest::addColumn<bool>("useProcess");
    QTest::addColumn<unsigned>("mask");
    QTest::addColumn<QStringList>("shown");

    const QStringList rest = { "Zoom Out", "Zoom In", "Show Popup" };
    for (bool useProcess : { false, true }) {
        const char* source = useProcess ? "process" : "transfer";
        QTest::addRow("%s 0", source) << useProcess << 0u << QStringList { "Video On", "Audio On" } + rest;
        QTest::addRow("%s 1", source) << useProcess << 1u << QStringList { "Video On", "Audio Off" } + rest;
        QTest::addRow("%s 2", source) << useProcess << 2u << QStringList { "Video Off", "Audio On" } + rest;
        QTest::addRow("%s 3", source) << useProcess << 3u << QStringList { "Video Off", "Audio Off" } + rest;
    }
}

void tst_LuVideoControlBar::followsMaskInForce()
{
    QFETCH(bool, useProcess);
    QFETCH(unsigned, mask);
    QFETCH(QStringList, shown);

    McMediaTransferQt transfer;
    McMediaProcessQt process;
    if (useProcess)
        QVERIFY(settleMask(&process, mask));
    else
        QVERIFY(settleMask(&transfer, mask));

    // As built.
    LuVideoControlBar bar(useProcess ? nullptr : &transfer, useProcess ? &process : nullptr, nullptr, &m_video);
    QCOMPARE(shownButtons(bar), shown);
    QCOMPARE(bar.audioEnabled(), !(mask & 0x1));
    QCOMPARE(bar.videoEnabled(), !(mask & 0x2));

    // And after the engine settles a change made elsewhere.
    const unsigned flipped = mask ^ 0x3;
    if (useProcess)
        QVERIFY(settleMask(&process, flipped));
    else
        QVERIFY(settleMask(&transfer, flipped));
    QCOMPARE(bar.audioEnabled(), !(flipped & 0x1));
    QCOMPARE(bar.videoEnabled(), !(flipped & 0x2));
    QCOMPARE(shownButtons(bar).contains(QStringLiteral("Video On")), bar.videoEnabled());
    QCOMPARE(shownButtons(bar).contains(QStringLiteral("Video Off")), !bar.videoEnabled());
    QCOMPARE(shownButtons(bar).contains(QStringLiteral("Audio On")), bar.audioEnabled());
    QCOMPARE(shownButtons(bar).contains(QStringLiteral("Audio Off")), !bar.audioEnabled());
}

void tst_LuVideoControlBar::clickChangesOnlyRequest_data()
{
    QTest::addColumn<unsigned>("mask");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<unsigned>("requested");

    QTest::newRow("video on, audio refused") << 1u << "Video On" << 3u;
    QTest::newRow("video on") << 0u << "Video On" << 2u;
    QTest::newRow("video off") << 3u << "Video Off" << 1u;
    QTest::newRow("audio on, video refused") << 2u << "Audio On" << 3u;
    QTest::newRow("audio off") << 3u << "Audio Off" << 2u;
    QTest::newRow("audio off, video accepted") << 1u << "Audio Off" << 0u;
}

void tst_LuVideoControlBar::clickChangesOnlyRequest()
{
    QFETCH(unsigned, mask);
    QFETCH(QString, clicked);
    QFETCH(unsigned, requested);

    McMediaTransferQt transfer;
    QVERIFY(settleMask(&transfer, mask));
    LuVideoControlBar bar(&transfer, nullptr, nullptr, &m_video);
    const QStringList before = shownButtons(bar);
    QVERIFY(before.contains(clicked));
    McEngineSetup::clearJournal();

    QSignalSpy settled(&transfer, &McMediaTransferQt::refuseResult);
    button(bar, clicked)->click();

    QCOMPARE(McEngineSetup::journal(),
        QStringList({ "McMediaTransfer::getRefuseData()",
            QStringLiteral("McMediaTransfer::setRefuseData(%1)").arg(requested) }));
    // Nothing visible changes before the engine has settled the request...
    QCOMPARE(shownButtons(bar), before);
    QCOMPARE(bar.audioEnabled(), !(mask & 0x1));
    QCOMPARE(bar.videoEnabled(), !(mask & 0x2));

    // ...and then the buttons show the new mask.
    QVERIFY(settled.wait(1000));
    QCOMPARE(transfer.refusedData(), requested);
    QCOMPARE(bar.audioEnabled(), !(requested & 0x1));
    QCOMPARE(bar.videoEnabled(), !(requested & 0x2));
    QVERIFY(!shownButtons(bar).contains(clicked));
}

void tst_LuVideoControlBar::processOverTransfer()
{
    McMediaTransferQt transfer;
    McMediaProcessQt process;
    QVERIFY(settleMask(&process, 2));
    LuVideoControlBar bar(&transfer, &process, nullptr, &m_video);
    QVERIFY(!bar.videoEnabled());

    // The transfer's own settlements are not the bar's business.
    McEngineSetup::clearJournal();
    QVERIFY(settleMask(&transfer, 1));
    QVERIFY(!McEngineSetup::journal().contains(QStringLiteral("McMediaProcess::refusedData()")));
    QVERIFY(bar.audioEnabled());

    McEngineSetup::clearJournal();
    QSignalSpy settled(&process, &McMediaProcessQt::refuseResult);
    button(bar, QStringLiteral("Audio On"))->click();
    QVERIFY(settled.wait(1000));
    const QStringList journal = McEngineSetup::journal();
    QCOMPARE(journal.filter(QStringLiteral("McMediaTransfer::")), QStringList());
    QCOMPARE(journal.first(2), QStringList({ "McMediaProcess::getRefuseData()", "McMediaProcess::setRefuseData(3)" }));
    QCOMPARE(process.refusedData(), 3u);
    QCOMPARE(transfer.getRefuseData(), 1u);
    QVERIFY(!bar.audioEnabled());
}

void tst_LuVideoControlBar::statusWidgetInsteadOfPopupButtons()
{
    McMediaTransferQt transfer;
    auto* status = new McTransStatusWidget;
    LuVideoControlBar bar(&transfer, nullptr, status, &m_video);

    QCOMPARE(bar.findChildren<QToolButton*>(QStringLiteral("ChatToolButton")).size(), 7);
    QCOMPARE(bar.layout()->itemAt(bar.layout()->count() - 1)->widget(), status);
    QCOMPARE(status->parentWidget(), &bar);

    const QStringList before = shownButtons(bar);
    bar.setShowPopup(true);
    bar.setShowPopup(false);
    QCOMPARE(shownButtons(bar), before);
    QVERIFY(status->isVisibleTo(&bar));
}

void tst_LuVideoControlBar::takePhotoFollowsUserid_data()
{
    QTest::addColumn<QList<int>>("userids");
    QTest::addColumn<bool>("shown");

    QTest::newRow("never set") << QList<int> {} << false;
    QTest::newRow("user") << QList<int> { 42 } << true;
    QTest::newRow("negative id") << QList<int> { -7 } << true;
    QTest::newRow("zero") << QList<int> { 0 } << false;
    QTest::newRow("user, then none") << QList<int> { 42, 0 } << false;
    QTest::newRow("none, then user") << QList<int> { 0, 9 } << true;
}

void tst_LuVideoControlBar::takePhotoFollowsUserid()
{
    QFETCH(QList<int>, userids);
    QFETCH(bool, shown);

    McMediaTransferQt transfer;
    LuVideoControlBar bar(&transfer, nullptr, nullptr, &m_video);
    for (int userid : userids)
        bar.setUserid(userid);
    QCOMPARE(button(bar, QStringLiteral("Take Photo"))->isVisibleTo(&bar), shown);
}

void tst_LuVideoControlBar::enableWithoutTouchingMask()
{
    McMediaTransferQt transfer;
    QVERIFY(settleMask(&transfer, 0));
    LuVideoControlBar bar(&transfer, nullptr, nullptr, &m_video);
    McEngineSetup::clearJournal();

    bar.enableAudio(false);
    bar.enableVideo(false);
    QVERIFY(!bar.audioEnabled());
    QVERIFY(!bar.videoEnabled());
    QCOMPARE(shownButtons(bar), QStringList({ "Video Off", "Audio Off", "Zoom Out", "Zoom In", "Show Popup" }));
    QVERIFY(McEngineSetup::journal().isEmpty());

    bar.enableVideo(true);
    QCOMPARE(shownButtons(bar), QStringList({ "Video On", "Audio Off", "Zoom Out", "Zoom In", "Show Popup" }));

    // The last call wins: a redraw goes back to the mask in force.
    bar.updateRefuseData();
    QVERIFY(bar.audioEnabled());
    QCOMPARE(shownButtons(bar), QStringList({ "Video On", "Audio On", "Zoom Out", "Zoom In", "Show Popup" }));
}

void tst_LuVideoControlBar::popupButtons()
{
    McMediaTransferQt transfer;
    LuVideoControlBar bar(&transfer, nullptr, nullptr, &m_video);
    bar.setUserid(5);
    QSignalSpy showPopup(&bar, &LuVideoControlBar::showPopup);
    QSignalSpy hidePopup(&bar, &LuVideoControlBar::hidePopup);
    QSignalSpy takePhoto(&bar, &LuVideoControlBar::takePhoto);
    QSignalSpy smallVideo(&bar, &LuVideoControlBar::smallVideo);
    QSignalSpy largeVideo(&bar, &LuVideoControlBar::largeVideo);

    QToolButton* show = button(bar, QStringLiteral("Show Popup"));
    QToolButton* hide = button(bar, QStringLiteral("Hide Popup"));
    bar.setShowPopup(true);
    QVERIFY(!show->isVisibleTo(&bar));
    QVERIFY(hide->isVisibleTo(&bar));
    bar.setShowPopup(false);
    QVERIFY(show->isVisibleTo(&bar));
    QVERIFY(!hide->isVisibleTo(&bar));

    // The popup buttons only report; showing the popup is the host's answer.
    show->click();
    QCOMPARE(showPopup.size(), 1);
    QVERIFY(show->isVisibleTo(&bar));
    hide->click();
    QCOMPARE(hidePopup.size(), 1);
    button(bar, QStringLiteral("Take Photo"))->click();
    button(bar, QStringLiteral("Zoom Out"))->click();
    button(bar, QStringLiteral("Zoom In"))->click();
    QCOMPARE(takePhoto.size(), 1);
    QCOMPARE(smallVideo.size(), 1);
    QCOMPARE(largeVideo.size(), 1);
    QCOMPARE(showPopup.size(), 1);
    QVERIFY(McEngineSetup::journal().filter(QStringLiteral("setRefuseData")).isEmpty());
}

void tst_LuVideoControlBar::destroyedSourceIsLeftAlone()
{
    auto* transfer = new McMediaTransferQt;
    LuVideoControlBar bar(transfer, nullptr, nullptr, &m_video);
    delete transfer;
    McEngineSetup::clearJournal();

    button(bar, QStringLiteral("Video On"))->click();
    bar.updateRefuseData();
    QVERIFY(McEngineSetup::journal().isEmpty());
    QVERIFY(bar.videoEnabled());
}

QTEST_MAIN(tst_LuVideoControlBar)
#include "tst_luvideocontrolbar.moc"
