#include <lukbase/luavsettingpopup.h>
#include <lukbase/lubgmusicmanager.h>
#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>
#include <lukbase/luvideocontrolbar.h>
#include <lukbase/luvideononewidget.h>

#include "markingtranslator.h"
#include "media/luavsettingpopup_p.h"
#include "textcheck.h"

#include <darivad/mcmediamanagerqt.h>
#include <darivad/mcmediaprocessqt.h>
#include <darivad/mcmediatransferqt.h>
#include <darivad/mctransstatuswidget.h>
#include <lucore/luhoverwidget.h>
#include <zuzar/mcenginesetup.h>

#include <QComboBox>
#include <QCursor>
#include <QDomDocument>
#include <QEnterEvent>
#include <QFile>
#include <QResource>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace {

// The device boxes, by index: 0 input, 1 output, 2 camera.
const QList<QStringList> kDevices
    = { { "Mic 1", "Mic 2", "Headset" }, { "Speakers A", "Speakers B" }, { "Cam 1", "Cam 2" } };
void (*const kSetDevices[])(const QStringList&)
    = { McEngineSetup::setWaveInDevices, McEngineSetup::setWaveOutDevices, McEngineSetup::setCameraDevices };
const char* const kBoxes[] = { "audioInputBox", "audioOutputBox", "cameraBox" };
const QString kKeys[] = { "Audio/input_device", "Audio/output_device", "Video/device" };

QStringList entries(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

// The two installed players of the good configuration: registry key, process name, path.
// Which players the configuration yields (Tidepool is not installed; only direct "item"
// children count) shows in the music box entries.
const QString kPlayerKeys[] = { "Uninstall\\LarkMusic", "Uninstall\\Reedsong" };
const QString kPaths[] = { "C:/Lark/lark.exe", "C:/Reedsong/reed.exe" };
const QString kExes[] = { "lark.exe", "Reedsong & Co" };
const QString kHooked = "ProcessHooker::injectDll(pid)";
const QString kUnhooked = "ProcessHooker::unInjectDll()";
const QStringList kCaptureOn = { "McMediaManager::enableDSoundHooker(true)" };
const QStringList kReleased = { "McMediaManager::enableDSoundHooker(false)", kUnhooked };

// The engine journal with the made-up process ids replaced by "pid".
QStringList journal()
{
    static const QRegularExpression pid("^ProcessHooker::injectDll\\([1-9][0-9]*\\)$");
    return McEngineSetup::journal().replaceInStrings(pid, kHooked);
}

// A player is started (for a configured one, through the registry) and hooked.
QStringList hooked(const QString& exe, const QString& path, const QString& key = QString())
{
    const QString made = "ProcessHooker::ProcessHooker(%1, %2/, soundhook.dll)";
    const QString found = "ProcessHooker::findProcessPathAndStart(%1, DisplayIcon, %2)";
    return QStringList { made.arg(exe, QCoreApplication::applicationDirPath()) }
    + (key.isEmpty() ? QStringList() : QStringList { found.arg(key, exe) })
        + QStringList { QStringLiteral("ProcessHooker::startProcess(%1, %2)").arg(exe, path), kHooked };
}

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

// The media widgets: the settings popup and the background music players it chooses from,
// the video control bar with its hover strip, and the placeholder shown where no video is;
// the media engine they drive.
class tst_LuMedia : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
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

    static QComboBox* box(const QWidget& popup, const char* name) { return popup.findChild<QComboBox*>(name); }
    static QString player() { return text(LuBgMusicManager::instance()->currentItem()); }
    static QString text(const LuBgMusicItem& item) { return item.name() + '|' + item.regkey() + '|' + item.exename(); }
    static QStringList played(int i) { return hooked(kExes[i], kPaths[i], kPlayerKeys[i]); }
    static QString rcc(const char* variant) { return QStringLiteral(BGMUSIC_RCC_DIR "/bgmusic-%1.rcc").arg(variant); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
        LuKtvLocalUser::instance()->setUserId(777);
        McEngineSetup::reset();
        McEngineSetup::setStartProcesses(false);
        for (int i : { 0, 1 })
            McEngineSetup::setRegistryValue(kPlayerKeys[i], "DisplayIcon", kPaths[i]);
        // The popup offers the players of the process-wide manager, built with this configuration.
        QVERIFY(QResource::registerResource(rcc("good")));
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        LuKBase::userSettings()->clear();
        for (int i : { 0, 1, 2 })
            kSetDevices[i](kDevices[i]);
        LuBgMusicManager::instance()->setCurrentItem(LuBgMusicItem());
        McEngineSetup::setInjectionSucceeds(true);
        QVERIFY(settle(false, 0) && settle(true, 0));
        McEngineSetup::clearJournal();
    }

    void cleanup() { LuAvSettingPopupPrivate::fileChooser = nullptr; }

    void deviceChange_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("managerState"); // "none", "stopped", "running", "running in use", "destroyed"
        QTest::addColumn<QString>("storedOther"); // the other audio device, stored beforehand
        QTest::addColumn<QStringList>("journal"); // calls on McMediaManager

        const QString audio = "isAudioCaptureStarted()", stop = "stopAudioCapture()", start = "startAudioCapture()";
        const QString video = "isVideoCaptureStarted()", in = "waveInDevice()", cam = "cameraDevice()";
        QTest::newRow("input, capture stopped") << 0 << "stopped" << QString() << QStringList { audio };
        QTest::newRow("input, capture running")
            << 0 << "running" << QString("Speakers B")
            << QStringList { audio, in, stop, "setAudioDevice(Mic 2, Speakers B)", start };
        QTest::newRow("input already in use") << 0 << "running in use" << QString() << QStringList { audio, in };
        QTest::newRow("input, no media manager") << 0 << "none" << QString() << QStringList();
        QTest::newRow("output, capture running, no input stored")
            << 1 << "running" << QString()
            << QStringList { audio, "waveOutDevice()", stop, "setAudioDevice(, Speakers B)", start };
        QTest::newRow("camera, capture running")
            << 2 << "running" << QString()
            << QStringList { video, cam, "stopVideoCapture()", "startVideoCapture(Cam 2)" };
        QTest::newRow("camera already in use") << 2 << "running in use" << QString() << QStringList { video, cam };
        QTest::newRow("camera, media manager destroyed") << 2 << "destroyed" << QString() << QStringList();
    }

    // The stored device is selected, and building the popup writes nothing (for any lists and
    // stored names: the fuzz target's). The user picks the second device. Capture restarts on
    // it only when it runs on another device; the choice is written to config.ini in any case,
    // and nothing else.
    void deviceChange()
    {
        QFETCH(int, which);
        QFETCH(QString, managerState);
        QFETCH(QString, storedOther);
        QFETCH(QStringList, journal);
        if (!storedOther.isNull())
            LuKBase::userSettings()->setValue(kKeys[1 - which], storedOther);
        auto manager = std::make_unique<McMediaManagerQt>();
        if (managerState.startsWith(QLatin1String("running"))) {
            manager->startAudioCapture();
            manager->startVideoCapture(nullptr);
        }
        const std::wstring chosen = kDevices[which].at(1).toStdWString();
        if (managerState == QLatin1String("running in use"))
            which == 2 ? manager->startVideoCapture(chosen.c_str()) : manager->setAudioDevice(chosen.c_str(), nullptr);
        LuAvSettingPopup popup;
        if (managerState != QLatin1String("none"))
            popup.setMediaManager(manager.get());
        if (managerState == QLatin1String("destroyed"))
            manager.reset();
        McEngineSetup::clearJournal();
        if (which < 2) // the other audio device
            QCOMPARE(box(popup, kBoxes[1 - which])->currentText(),
                storedOther.isNull() ? kDevices[1 - which][0] : storedOther);
        QCOMPARE(LuKBase::userSettings()->allKeys().size(), storedOther.isNull() ? 0 : 1);

        box(popup, kBoxes[which])->setCurrentIndex(1);
        QCOMPARE(McEngineSetup::journal(), journal.replaceInStrings(QRegularExpression("^"), "McMediaManager::"));
        // On disk, as a settings object of its own reads it.
        LuKBase::userSettings()->sync();
        const QSettings onDisk(LuKBase::userFilePath("config.ini"), QSettings::IniFormat);
        QCOMPARE(onDisk.value(kKeys[which]).toString(), kDevices[which].at(1));
        QCOMPARE(LuKBase::userSettings()->allKeys().size(), storedOther.isNull() ? 1 : 2);
    }

    void musicChoice()
    {
        LuAvSettingPopup popup;
        popup.show();
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
        QComboBox* music = box(popup, "bkgndMusicBox");
        // Of the configured players only the installed ones, and only direct "item" children.
        QCOMPARE(entries(music),
            QStringList({ "No background music", "Lark Music", "Reedsong & Co", "Other music player" }));
        music->setCurrentIndex(2);
        QCOMPARE(player(), "Reedsong & Co|Uninstall\\Reedsong|");
        music->setCurrentIndex(1);
        QCOMPARE(player(), "Lark Music|Uninstall\\LarkMusic|lark.exe");

        // Cancelling the file chooser keeps the player chosen before, playing on. The chooser
        // takes the activation away, but the popup stays open meanwhile.
        QString answer;
        QStringList asked;
        QEvent deactivation(QEvent::WindowDeactivate);
        LuAvSettingPopupPrivate::fileChooser = [&](QWidget* parent, const QString& caption, const QString& filter) {
            QCoreApplication::sendEvent(&popup, &deactivation);
            asked << parent->objectName() << caption << filter << (popup.isVisible() ? "open" : "closed");
            return answer;
        };
        LuBgMusicManager::instance()->startMusic();
        McEngineSetup::clearJournal();
        QSignalSpy changes(music, &QComboBox::currentIndexChanged);
        music->setCurrentIndex(3);
        QCOMPARE(asked, QStringList({ "AvSettingPopup", "Choose Music Player", "Exe Files(*.exe)", "open" }));
        QCOMPARE(music->currentIndex(), 1);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(player(), "Lark Music|Uninstall\\LarkMusic|lark.exe");
        QCOMPARE(McEngineSetup::journal(), QStringList());
        LuBgMusicManager::instance()->stopMusic();

        // A picked program is the player, shown as the other player by a later popup.
        answer = "C:/Players/%1%2/tide.exe";
        music->setCurrentIndex(3);
        QCOMPARE(player(), answer + "||");
        QCOMPARE(box(LuAvSettingPopup(), "bkgndMusicBox")->currentIndex(), 3);
        QCoreApplication::sendEvent(&popup, &deactivation); // with the chooser closed, it closes the popup
        QVERIFY(!popup.isVisible());
        QVERIFY(LuKBase::userSettings()->allKeys().isEmpty());
    }

    void textsFit_data() { TextCheck::addFontAndLanguageRows(); }

    // Long device names show cut in the boxes, whole in their tooltips; each box is named
    // by its label for screen readers.
    void textsFit()
    {
        TextCheck::FontAndLanguage language;
        McEngineSetup::setWaveInDevices({ "Microphone (USB Audio Device with a long name)" });
        McEngineSetup::setCameraDevices({ "Integrated Webcam of the Laptop" });
        LuAvSettingPopup popup;
        popup.show();
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
        QCOMPARE(TextCheck::unfitted(&popup), QStringList());
        QCOMPARE(box(popup, "audioInputBox")->toolTip(), "Microphone (USB Audio Device with a long name)");
    }

    // The form's texts follow a change of language; the players' and devices' names are the host's.
    void settingsChangeOfLanguage()
    {
        LuAvSettingPopup popup;
        MarkingTranslator translator({ "avSettingForm", "LuAvSettingPopup" });
        QVERIFY(QCoreApplication::installTranslator(&translator));
        TextCheck::changeLanguage(&popup);
        QCOMPARE(TextCheck::untranslated(
                     &popup, kDevices[0] + kDevices[1] + kDevices[2] + QStringList { "Lark Music", "Reedsong & Co" }),
            QStringList());
    }

    // Escape closes the popup, as does the application's deactivation (the window's is
    // seen after the file chooser above).
    void closes()
    {
        LuAvSettingPopup popup;
        popup.show();
        QTest::keyClick(&popup, Qt::Key_Escape);
        QVERIFY(!popup.isVisible());
        popup.show();
        QEvent deactivation(QEvent::ApplicationDeactivate);
        QCoreApplication::sendEvent(&popup, &deactivation);
        QVERIFY(!popup.isVisible());
    }

    void brokenConfiguration_data()
    {
        QTest::addColumn<QString>("variant"); // of the compiled resource; "missing": none at all
        QTest::addColumn<QString>("warning");

        QFile malformed(QStringLiteral(BGMUSIC_DATA_DIR "/bgmusic-malformed.xml"));
        QString error;
        QVERIFY(malformed.open(QIODevice::ReadOnly) && !QDomDocument().setContent(&malformed, &error));
        QTest::newRow("malformed") << "malformed"
                                   << "parse bgmusic.xml failed: \"" + error + '"';
        QTest::newRow("missing") << "missing"
                                 << "open bgmusic.xml failed: \"%1\"";
    }

    // A configuration that cannot be read is reported, and no players are offered: the settings
    // popup then offers only "No background music" and a program picked from disk.
    void brokenConfiguration()
    {
        QFETCH(QString, variant);
        QFETCH(QString, warning);
        QVERIFY(QResource::unregisterResource(rcc("good")));
        QVERIFY(variant == "missing" || QResource::registerResource(rcc(qPrintable(variant))));
        // (A file object on a resource keeps it from being unregistered until it is gone.)
        const QString openError = [] {
            QFile file(":/config/bgmusic.xml");
            return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
        }();
        QCOMPARE(openError.isEmpty(), variant != "missing");
        QTest::ignoreMessage(QtWarningMsg, qPrintable(variant == "missing" ? warning.arg(openError) : warning));
        LuBgMusicManager manager;
        QVERIFY(manager.items().isEmpty());
        QVERIFY(variant == "missing" || QResource::unregisterResource(rcc(qPrintable(variant))));
        QVERIFY(QResource::registerResource(rcc("good")));
    }

    void musicTransitions_data()
    {
        // Steps: "start", "stop", "lark"/"reed" (choose item 0/1), "none" (choose item(-1),
        // the empty one), "nomanager" (unset the media manager), "destroy" (delete it).
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("expected");

        const QStringList lark = played(0) + kCaptureOn, reed = played(1) + kCaptureOn;
        // Which transitions start and release a player: the fuzz target's. Here the capture
        // switched on and off around them, and the media manager gone.
        QTest::newRow("change while started") << "lark start reed" << lark + kReleased + reed;
        QTest::newRow("empty item keeps started") << "lark start none reed" << lark + kReleased + reed;
        QTest::newRow("empty item then stop") << "lark start none stop" << lark + kReleased;
        QTest::newRow("no media manager")
            << "nomanager lark start reed stop" << (played(0) << kUnhooked << played(1) << kUnhooked);
        QTest::newRow("destroyed media manager") << "lark start destroy stop" << (QStringList(lark) << kUnhooked);
    }

    void musicTransitions()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, expected);

        auto mediaManager = std::make_unique<McMediaManagerQt>();
        LuBgMusicManager manager;
        manager.setMediaManager(mediaManager.get());
        McEngineSetup::clearJournal();
        for (const QString& step : steps.split(QLatin1Char(' '))) {
            if (step == QLatin1String("start"))
                manager.startMusic();
            else if (step == QLatin1String("stop"))
                manager.stopMusic();
            else if (step == QLatin1String("nomanager"))
                manager.setMediaManager(nullptr);
            else if (step == QLatin1String("destroy"))
                mediaManager.reset();
            else
                manager.setCurrentItem(manager.item(QStringList({ "lark", "reed" }).indexOf(step)));
        }
        QCOMPARE(journal(), expected);
        QCOMPARE(manager.mediaManager(), steps.startsWith(QLatin1String("nomanager")) ? nullptr : mediaManager.get());
    }

    // A player picked from disk is started from its path, never looked up in the registry;
    // its process name follows the last "/" (every other path: the fuzz target's). A failed
    // injection still switches the capture on and keeps the hooker for the release, which
    // destroying the manager makes.
    void pickedPlayer()
    {
        const QString path = "/opt/%1%2 \"quoted\"";
        McMediaManagerQt mediaManager;
        auto manager = std::make_unique<LuBgMusicManager>();
        manager->setMediaManager(&mediaManager);
        manager->startMusic();
        McEngineSetup::setInjectionSucceeds(false);
        McEngineSetup::clearJournal();
        QTest::ignoreMessage(QtWarningMsg, "inject music process failed: \"/opt/%1%2 \\\"quoted\\\"\"");
        manager->setCurrentItem(LuBgMusicItem(path));
        manager.reset();
        QCOMPARE(journal(), hooked("%1%2 \"quoted\"", path) + kCaptureOn + kReleased);
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

    // Take Photo shows for any user id but 0; setShowPopup swaps the popup buttons, unless the
    // status widget takes their place.
    void localButtons()
    {
        LuVideoControlBar bar(&m_transfer, nullptr, nullptr, &m_video);
        bar.setUserid(-7);
        bar.setShowPopup(true);
        QCOMPARE(shownButtons(bar),
            QStringList({ "Video On", "Audio On", "Take Photo", "Zoom Out", "Zoom In", "Hide Popup" }));
        auto* status = new McTransStatusWidget;
        LuVideoControlBar statusBar(&m_transfer, nullptr, status, &m_video);
        QCOMPARE(status->parentWidget(), &statusBar);
        statusBar.setShowPopup(true);
        QCOMPARE(shownButtons(statusBar), QStringList({ "Video On", "Audio On", "Zoom Out", "Zoom In" }));
        QVERIFY(status->isVisibleTo(&statusBar));
    }

    // After a change of language every button is named anew.
    void videoBarChangeOfLanguage()
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

    // The bar's hover strip shows while the pointer is over the video, and hides a moment
    // after it leaves, unless it comes back first.
    void hoverStripFollowsThePointer()
    {
        QWidget video;
        video.setGeometry(400, 400, 320, 240);
        QCursor::setPos(5, 5); // away from the window, so that showing it sends no Enter
        auto* bar = new LuHoverWidget(&video);
        bar->setGeometry(0, 0, 320, 24);
        video.show();
        QVERIFY(QTest::qWaitForWindowExposed(&video));
        QVERIFY(!bar->isVisible());

        QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
        QCoreApplication::sendEvent(&video, &enter);
        QVERIFY(bar->isVisible());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&video, &leave);
        QVERIFY(bar->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), LuHoverWidget::hideDelay() * 5);

        QCoreApplication::sendEvent(&video, &enter);
        QCoreApplication::sendEvent(&video, &leave);
        QCoreApplication::sendEvent(&video, &enter);
        QTest::qWait(LuHoverWidget::hideDelay() * 2);
        QVERIFY(bar->isVisible());
    }

    // A host that runs all evening keeps only the newest engine calls.
    void engineJournalKeepsNewest()
    {
        for (int mask = 0; mask < 1005; ++mask)
            m_transfer.setRefuseData(unsigned(mask));
        QCOMPARE(McEngineSetup::journal().size(), 1000);
        QCOMPARE(McEngineSetup::journal().first(), "McMediaTransfer::setRefuseData(5)");
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
};

QTEST_MAIN(tst_LuMedia)
#include "tst_lumedia.moc"
