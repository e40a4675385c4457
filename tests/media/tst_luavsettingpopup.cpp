#include <lukbase/luavsettingpopup.h>
#include <lukbase/lubgmusicmanager.h>
#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include "media/luavsettingpopup_p.h"

#include <darivad/mcmediamanagerqt.h>
#include <zuzar/mcenginesetup.h>

#include <QComboBox>
#include <QResource>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kInputs = { QStringLiteral("Mic 1"), QStringLiteral("Mic 2"), QStringLiteral("Headset") };
const QStringList kOutputs = { QStringLiteral("Speakers A"), QStringLiteral("Speakers B") };
const QStringList kCameras = { QStringLiteral("Cam 1"), QStringLiteral("Cam 2") };

QComboBox* box(const QWidget& popup, const char* name)
{
    return popup.findChild<QComboBox*>(QLatin1String(name));
}

QStringList entries(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

QWidget* nextTabStop(QWidget* widget)
{
    do
        widget = widget->nextInFocusChain();
    while (!(widget->focusPolicy() & Qt::TabFocus));
    return widget;
}

// What the user's config.ini holds on disk, read by a settings object of its own.
QVariant storedOnDisk(const QString& key)
{
    LuKBase::userSettings(); // writes pending changes
    QSettings file(LuKBase::userFilePath(QStringLiteral("config.ini")), QSettings::IniFormat);
    return file.value(key);
}

void store(const QString& key, const QString& value)
{
    LuKBase::userSettings()->setValue(key, value);
    LuKBase::userSettings()->sync();
}

class FileChooserAnswer
{
public:
    explicit FileChooserAnswer(LuAvSettingPopupPrivate::FileChooser chooser)
    {
        LuAvSettingPopupPrivate::fileChooser = std::move(chooser);
    }
    ~FileChooserAnswer() { LuAvSettingPopupPrivate::fileChooser = nullptr; }
};

} // namespace

class tst_LuAvSettingPopup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void form();
    void storedChoicesSelected_data();
    void storedChoicesSelected();
    void deviceChange_data();
    void deviceChange();
    void musicChoice();
    void pickedPlayer();
    void cancelledPlayerChooser();
    void escapeCloses();
    void deactivationCloses_data();
    void deactivationCloses();
    void losingActivationToAnotherWindowCloses();
    void staysOpenWhileChooserIsOpen();

private:
    QTemporaryDir m_home;
};

void tst_LuAvSettingPopup::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    LuKtvLocalUser::instance()->setUserId(777);

    McEngineSetup::reset();
    McEngineSetup::setStartProcesses(false);
    McEngineSetup::setWaveInDevices(kInputs);
    McEngineSetup::setWaveOutDevices(kOutputs);
    McEngineSetup::setCameraDevices(kCameras);
    McEngineSetup::setRegistryValue(
        QStringLiteral("Uninstall\\LarkMusic"), QStringLiteral("DisplayIcon"), QStringLiteral("C:/Lark/lark.exe"));
    McEngineSetup::setRegistryValue(
        QStringLiteral("Uninstall\\Reedsong"), QStringLiteral("DisplayIcon"), QStringLiteral("C:/Reedsong/reed.exe"));
    // The popup offers the players of the process-wide manager, built with this configuration.
    QVERIFY(QResource::registerResource(QStringLiteral(BGMUSIC_RCC_DIR "/bgmusic-good.rcc")));
    QCOMPARE(LuBgMusicManager::instance()->items().size(), 2);
}

void tst_LuAvSettingPopup::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    LuKBase::userSettings()->clear();
    LuKBase::userSettings()->sync();
    LuBgMusicManager::instance()->setCurrentItem(LuBgMusicItem());
    McEngineSetup::clearJournal();
}

void tst_LuAvSettingPopup::cleanup()
{
    LuAvSettingPopupPrivate::fileChooser = nullptr;
}

void tst_LuAvSettingPopup::form()
{
    LuAvSettingPopup popup;

    QCOMPARE(popup.objectName(), QStringLiteral("AvSettingPopup"));
    QVERIFY(popup.isWindow());
    QVERIFY(popup.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(popup.inherits("LuObject"));

    // Keyboard order follows the rows: camera, input, output, music.
    const char* boxes[] = { "cameraBox", "audioInputBox", "audioOutputBox", "bkgndMusicBox" };
    for (int row = 0; row < 4; ++row) {
        QComboBox* combo = box(popup, boxes[row]);
        QVERIFY(combo);
        QVERIFY(combo->property("luStyled").toBool());
        if (row < 3)
            QCOMPARE(nextTabStop(combo), box(popup, boxes[row + 1]));
    }

    QCOMPARE(entries(box(popup, "audioInputBox")), kInputs);
    QCOMPARE(entries(box(popup, "audioOutputBox")), kOutputs);
    QCOMPARE(entries(box(popup, "cameraBox")), kCameras);
    QCOMPARE(entries(box(popup, "bkgndMusicBox")),
        QStringList({ "No background music", "Lark Music", "Reedsong & Co", "Other music player" }));
    QCOMPARE(box(popup, "bkgndMusicBox")->currentIndex(), 0);
}

void tst_LuAvSettingPopup::storedChoicesSelected_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("selected");

    const QStringList twice = { "Mic 1", "Headset", "Mic 2", "Headset" };
    QTest::newRow("input absent") << "audioInputBox"
                                  << "Audio/input_device" << kInputs << QString() << 0;
    QTest::newRow("input stored") << "audioInputBox"
                                  << "Audio/input_device" << kInputs << "Mic 2" << 1;
    QTest::newRow("input listed twice") << "audioInputBox"
                                        << "Audio/input_device" << twice << "Headset" << 3;
    QTest::newRow("input unplugged") << "audioInputBox"
                                     << "Audio/input_device" << kInputs << "Old Mic" << 0;
    QTest::newRow("input case differs") << "audioInputBox"
                                        << "Audio/input_device" << kInputs << "mic 2" << 0;
    QTest::newRow("no inputs") << "audioInputBox"
                               << "Audio/input_device" << QStringList() << "Mic 2" << -1;
    QTest::newRow("output stored") << "audioOutputBox"
                                   << "Audio/output_device" << kOutputs << "Speakers B" << 1;
    QTest::newRow("output unplugged") << "audioOutputBox"
                                      << "Audio/output_device" << kOutputs << "Old" << 0;
    QTest::newRow("camera stored") << "cameraBox"
                                   << "Video/device" << kCameras << "Cam 2" << 1;
    QTest::newRow("camera unplugged") << "cameraBox"
                                      << "Video/device" << kCameras << "Old Cam" << 0;
}

void tst_LuAvSettingPopup::storedChoicesSelected()
{
    QFETCH(QString, boxName);
    QFETCH(QString, key);
    QFETCH(QStringList, devices);
    QFETCH(QString, stored);
    QFETCH(int, selected);

    McEngineSetup::setWaveInDevices(boxName == QLatin1String("audioInputBox") ? devices : kInputs);
    McEngineSetup::setWaveOutDevices(boxName == QLatin1String("audioOutputBox") ? devices : kOutputs);
    McEngineSetup::setCameraDevices(boxName == QLatin1String("cameraBox") ? devices : kCameras);
    if (!stored.isNull())
        store(key, stored);
    const QStringList keysBefore = LuKBase::userSettings()->allKeys();

    McMediaManagerQt manager;
    manager.startAudioCapture();
    manager.startVideoCapture(nullptr);
    McEngineSetup::clearJournal();
    {
        LuAvSettingPopup popup;
        popup.setMediaManager(&manager);
        QCOMPARE(box(popup, qPrintable(boxName))->currentIndex(), selected);
    }

    McEngineSetup::setWaveInDevices(kInputs);
    McEngineSetup::setWaveOutDevices(kOutputs);
    McEngineSetup::setCameraDevices(kCameras);
    // Building the popup asks for the lists only: no capture change, nothing written.
    QCOMPARE(McEngineSetup::journal(),
        QStringList({ "McMediaManager::listWaveInDevices()", "McMediaManager::listWaveOutDevices()",
            "McMediaManager::listCameraDevices()" }));
    QCOMPARE(LuKBase::userSettings()->allKeys(), keysBefore);
    QCOMPARE(storedOnDisk(key).toString(), stored);
}

void tst_LuAvSettingPopup::deviceChange_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("managerState"); // "none", "stopped", "running", "destroyed"
    QTest::addColumn<QString>("storedOther"); // the other audio device stored beforehand
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("journal");

    const QString started = "McMediaManager::isAudioCaptureStarted()";
    const QString videoStarted = "McMediaManager::isVideoCaptureStarted()";
    const QString stop = "McMediaManager::stopAudioCapture()";
    const QString start = "McMediaManager::startAudioCapture()";

    QTest::newRow("input, capture stopped")
        << "audioInputBox" << 1 << "stopped" << QString() << "Audio/input_device" << QStringList { started };
    QTest::newRow("input, capture running") << "audioInputBox" << 1 << "running"
                                            << "Speakers B"
                                            << "Audio/input_device"
                                            << QStringList { started, "McMediaManager::waveInDevice()", stop,
                                                   "McMediaManager::setAudioDevice(Mic 2, Speakers B)", start };
    QTest::newRow("input, capture running, no output stored")
        << "audioInputBox" << 2 << "running" << QString() << "Audio/input_device"
        << QStringList { started, "McMediaManager::waveInDevice()", stop, "McMediaManager::setAudioDevice(Headset, )",
               start };
    QTest::newRow("input already in use")
        << "audioInputBox" << 2 << "running in use" << QString() << "Audio/input_device"
        << QStringList { started, "McMediaManager::waveInDevice()" };
    QTest::newRow("input, no media manager")
        << "audioInputBox" << 1 << "none" << QString() << "Audio/input_device" << QStringList();
    QTest::newRow("input, media manager destroyed")
        << "audioInputBox" << 1 << "destroyed" << QString() << "Audio/input_device" << QStringList();
    QTest::newRow("output, capture stopped")
        << "audioOutputBox" << 1 << "stopped" << QString() << "Audio/output_device" << QStringList { started };
    QTest::newRow("output, capture running") << "audioOutputBox" << 1 << "running"
                                             << "Headset"
                                             << "Audio/output_device"
                                             << QStringList { started, "McMediaManager::waveOutDevice()", stop,
                                                    "McMediaManager::setAudioDevice(Headset, Speakers B)", start };
    QTest::newRow("output, capture running, no input stored")
        << "audioOutputBox" << 1 << "running" << QString() << "Audio/output_device"
        << QStringList { started, "McMediaManager::waveOutDevice()", stop, "McMediaManager::setAudioDevice(, Speakers B)",
               start };
    QTest::newRow("output, no media manager")
        << "audioOutputBox" << 1 << "none" << QString() << "Audio/output_device" << QStringList();
    QTest::newRow("camera, capture stopped")
        << "cameraBox" << 1 << "stopped" << QString() << "Video/device" << QStringList { videoStarted };
    QTest::newRow("camera, capture running")
        << "cameraBox" << 1 << "running" << QString() << "Video/device"
        << QStringList { videoStarted, "McMediaManager::cameraDevice()", "McMediaManager::stopVideoCapture()",
               "McMediaManager::startVideoCapture(Cam 2)" };
    QTest::newRow("camera already in use") << "cameraBox" << 1 << "running in use" << QString() << "Video/device"
                                           << QStringList { videoStarted, "McMediaManager::cameraDevice()" };
    QTest::newRow("camera, media manager destroyed")
        << "cameraBox" << 1 << "destroyed" << QString() << "Video/device" << QStringList();
}

void tst_LuAvSettingPopup::deviceChange()
{
    QFETCH(QString, boxName);
    QFETCH(int, index);
    QFETCH(QString, managerState);
    QFETCH(QString, storedOther);
    QFETCH(QString, key);
    QFETCH(QStringList, journal);

    const bool input = boxName == QLatin1String("audioInputBox");
    const bool camera = boxName == QLatin1String("cameraBox");
    if (!storedOther.isNull())
        store(input ? "Audio/output_device" : "Audio/input_device", storedOther);

    auto* manager = new McMediaManagerQt;
    if (managerState.startsWith(QLatin1String("running"))) {
        manager->startAudioCapture();
        manager->startVideoCapture(nullptr);
    }
    LuAvSettingPopup popup;
    QComboBox* combo = box(popup, qPrintable(boxName));
    const QString chosen = combo->itemText(index);
    if (managerState == QLatin1String("running in use")) {
        // The engine already uses the device the user is about to pick.
        if (camera)
            manager->startVideoCapture(chosen.toStdWString().c_str());
        else
            manager->setAudioDevice(chosen.toStdWString().c_str(), nullptr);
    }
    if (managerState != QLatin1String("none"))
        popup.setMediaManager(manager);
    if (managerState == QLatin1String("destroyed"))
        delete manager;
    McEngineSetup::clearJournal();

    combo->setCurrentIndex(index);

    QCOMPARE(McEngineSetup::journal(), journal);
    QCOMPARE(storedOnDisk(key).toString(), chosen);
    // Only the changed device is written.
    const QStringList expectedKeys = storedOther.isNull()
        ? QStringList { key }
        : QStringList { key, input ? "Audio/output_device" : "Audio/input_device" };
    const QStringList keys = LuKBase::userSettings()->allKeys();
    QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()), QSet<QString>(expectedKeys.cbegin(), expectedKeys.cend()));

    if (managerState.startsWith(QLatin1String("running"))) {
        // Whatever ran, runs again on the chosen device.
        if (camera) {
            QVERIFY(manager->isVideoCaptureStarted());
            QCOMPARE(QString::fromStdWString(manager->cameraDevice()), chosen);
        } else {
            QVERIFY(manager->isAudioCaptureStarted());
            const std::wstring inUse = input ? manager->waveInDevice() : manager->waveOutDevice();
            QCOMPARE(QString::fromStdWString(inUse), chosen);
            // The other audio device is the stored one, or stays the one in use.
            const std::wstring other = input ? manager->waveOutDevice() : manager->waveInDevice();
            QCOMPARE(QString::fromStdWString(other),
                storedOther.isNull() ? (input ? kOutputs.first() : kInputs.first()) : storedOther);
        }
    }
    if (managerState != QLatin1String("destroyed"))
        delete manager;
}

void tst_LuAvSettingPopup::musicChoice()
{
    LuAvSettingPopup popup;
    QComboBox* music = box(popup, "bkgndMusicBox");

    music->setCurrentIndex(2);
    QCOMPARE(LuBgMusicManager::instance()->currentItem().name(), QStringLiteral("Reedsong & Co"));
    QCOMPARE(LuBgMusicManager::instance()->currentItem().regkey(), QStringLiteral("Uninstall\\Reedsong"));
    music->setCurrentIndex(1);
    QCOMPARE(LuBgMusicManager::instance()->currentItem().exename(), QStringLiteral("lark.exe"));

    // A popup built later shows the current player.
    {
        LuAvSettingPopup again;
        QCOMPARE(box(again, "bkgndMusicBox")->currentIndex(), 1);
    }

    music->setCurrentIndex(0);
    QVERIFY(LuBgMusicManager::instance()->currentItem().name().isEmpty());
    QVERIFY(storedOnDisk(QStringLiteral("Audio/input_device")).isNull());
}

void tst_LuAvSettingPopup::pickedPlayer()
{
    QWidget* chooserParent = nullptr;
    QString caption;
    QString filter;
    FileChooserAnswer answer([&](QWidget* parent, const QString& c, const QString& f) {
        chooserParent = parent;
        caption = c;
        filter = f;
        return QStringLiteral("C:/Players/%1%2/tide.exe");
    });

    LuAvSettingPopup popup;
    QComboBox* music = box(popup, "bkgndMusicBox");
    music->setCurrentIndex(music->count() - 1);

    QCOMPARE(chooserParent, &popup);
    QCOMPARE(caption, QStringLiteral("Choose Music Player"));
    QCOMPARE(filter, QStringLiteral("Exe Files(*.exe)"));
    const LuBgMusicItem current = LuBgMusicManager::instance()->currentItem();
    QCOMPARE(current.name(), QStringLiteral("C:/Players/%1%2/tide.exe"));
    QVERIFY(current.regkey().isEmpty());
    QVERIFY(current.exename().isEmpty());
    QCOMPARE(music->currentIndex(), music->count() - 1);

    // A player that is not configured shows as "Other music player" in a new popup.
    LuAvSettingPopup again;
    QComboBox* againMusic = box(again, "bkgndMusicBox");
    QCOMPARE(againMusic->currentIndex(), againMusic->count() - 1);
}

void tst_LuAvSettingPopup::cancelledPlayerChooser()
{
    int asked = 0;
    FileChooserAnswer answer([&](QWidget*, const QString&, const QString&) {
        ++asked;
        return QString();
    });

    LuAvSettingPopup popup;
    QComboBox* music = box(popup, "bkgndMusicBox");
    music->setCurrentIndex(1);
    QCOMPARE(LuBgMusicManager::instance()->currentItem().name(), QStringLiteral("Lark Music"));

    music->setCurrentIndex(music->count() - 1);
    QCOMPARE(asked, 1);
    QCOMPARE(music->currentIndex(), 0);
    QVERIFY(LuBgMusicManager::instance()->currentItem().name().isEmpty());
}

void tst_LuAvSettingPopup::escapeCloses()
{
    LuAvSettingPopup popup;
    popup.show();
    QVERIFY(QTest::qWaitForWindowExposed(&popup));

    QTest::keyClick(&popup, Qt::Key_A);
    QVERIFY(popup.isVisible());
    QTest::keyClick(&popup, Qt::Key_Escape);
    QVERIFY(!popup.isVisible());
    // Closing hides: the lists stay as they were.
    QCOMPARE(box(popup, "audioInputBox")->count(), kInputs.size());
}

void tst_LuAvSettingPopup::deactivationCloses_data()
{
    QTest::addColumn<QEvent::Type>("type");
    QTest::newRow("window") << QEvent::WindowDeactivate;
    QTest::newRow("application") << QEvent::ApplicationDeactivate;
}

void tst_LuAvSettingPopup::deactivationCloses()
{
    QFETCH(QEvent::Type, type);
    LuAvSettingPopup popup;
    popup.show();
    QVERIFY(QTest::qWaitForWindowExposed(&popup));

    QEvent deactivation(type);
    QCoreApplication::sendEvent(&popup, &deactivation);
    QVERIFY(!popup.isVisible());
}

void tst_LuAvSettingPopup::losingActivationToAnotherWindowCloses()
{
    LuAvSettingPopup popup;
    popup.show();
    popup.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&popup));

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(!popup.isVisible());
}

void tst_LuAvSettingPopup::staysOpenWhileChooserIsOpen()
{
    LuAvSettingPopup popup;
    bool visibleAfterDeactivation = false;
    FileChooserAnswer answer([&](QWidget*, const QString&, const QString&) {
        QEvent deactivation(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&popup, &deactivation);
        visibleAfterDeactivation = popup.isVisible();
        return QString();
    });
    popup.show();
    QVERIFY(QTest::qWaitForWindowExposed(&popup));

    QComboBox* music = box(popup, "bkgndMusicBox");
    music->setCurrentIndex(music->count() - 1);
    QVERIFY(visibleAfterDeactivation);
    QVERIFY(popup.isVisible());

    QEvent deactivation(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&popup, &deactivation);
    QVERIFY(!popup.isVisible());
}

QTEST_MAIN(tst_LuAvSettingPopup)
#include "tst_luavsettingpopup.moc"
