#include <lukbase/luavsettingpopup.h>
#include <lukbase/lubgmusicmanager.h>
#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include "markingtranslator.h"
#include "media/luavsettingpopup_p.h"
#include "textcheck.h"

#include <darivad/mcmediamanagerqt.h>
#include <zuzar/mcenginesetup.h>

#include <QComboBox>
#include <QLabel>
#include <QResource>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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

// What the user's config.ini holds on disk, read by a settings object of its own.
QString storedOnDisk(const QString& key)
{
    LuKBase::userSettings()->sync();
    return QSettings(LuKBase::userFilePath("config.ini"), QSettings::IniFormat).value(key).toString();
}

} // namespace

class tst_LuAvSettingPopup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

    static QComboBox* box(const QWidget& popup, const char* name) { return popup.findChild<QComboBox*>(name); }
    static QString player() { return text(LuBgMusicManager::instance()->currentItem()); }
    static QString text(const LuBgMusicItem& item) { return item.name() + '|' + item.regkey() + '|' + item.exename(); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
        LuKtvLocalUser::instance()->setUserId(777);
        McEngineSetup::reset();
        McEngineSetup::setStartProcesses(false);
        McEngineSetup::setRegistryValue("Uninstall\\LarkMusic", "DisplayIcon", "C:/Lark/lark.exe");
        McEngineSetup::setRegistryValue("Uninstall\\Reedsong", "DisplayIcon", "C:/Reedsong/reed.exe");
        // The popup offers the players of the process-wide manager, built with this configuration.
        QVERIFY(QResource::registerResource(QStringLiteral(BGMUSIC_RCC_DIR "/bgmusic-good.rcc")));
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        LuKBase::userSettings()->clear();
        for (int i : { 0, 1, 2 })
            kSetDevices[i](kDevices[i]);
        LuBgMusicManager::instance()->setCurrentItem(LuBgMusicItem());
    }

    void cleanup() { LuAvSettingPopupPrivate::fileChooser = nullptr; }

    void storedChoicesSelected_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("selected");

        // Every other list and stored name: the fuzz target's.
        QTest::newRow("input listed twice")
            << 0 << QStringList { "Mic 1", "Headset", "Mic 2", "Headset" } << "Headset" << 3;
        QTest::newRow("camera unplugged") << 2 << kDevices[2] << "Old Cam" << 0;
    }

    // The stored names are selected; building the popup writes nothing.
    void storedChoicesSelected()
    {
        QFETCH(int, which);
        QFETCH(QStringList, devices);
        QFETCH(QString, stored);
        QFETCH(int, selected);
        kSetDevices[which](devices);
        if (!stored.isNull())
            LuKBase::userSettings()->setValue(kKeys[which], stored);
        LuAvSettingPopup popup;
        QCOMPARE(entries(box(popup, kBoxes[which])), devices);
        QCOMPARE(box(popup, kBoxes[which])->currentIndex(), selected);
        QCOMPARE(LuKBase::userSettings()->allKeys().size(), stored.isNull() ? 0 : 1);
        QCOMPARE(storedOnDisk(kKeys[which]), stored);
    }

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

    // The user picks the second device. Capture restarts on it only when it runs on
    // another device; the choice is written to config.ini in any case, and nothing else.
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

        box(popup, kBoxes[which])->setCurrentIndex(1);
        QCOMPARE(McEngineSetup::journal(), journal.replaceInStrings(QRegularExpression("^"), "McMediaManager::"));
        QCOMPARE(storedOnDisk(kKeys[which]), kDevices[which].at(1));
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
    void changeOfLanguage()
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
};

QTEST_MAIN(tst_LuAvSettingPopup)
#include "tst_luavsettingpopup.moc"
