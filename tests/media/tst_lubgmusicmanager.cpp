#include <lukbase/luavsettingpopup.h>
#include <lukbase/lubgmusicmanager.h>
#include <lukbase/luktvlocaluser.h>

#include <darivad/mcmediamanagerqt.h>
#include <zuzar/mcenginesetup.h>

#include <QComboBox>
#include <QDomDocument>
#include <QFile>
#include <QResource>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The two installed players of the good configuration: registry key, process name, path.
// Which players the configuration yields (Tidepool is not installed; only direct "item"
// children count) shows in the music entries of tst_luavsettingpopup.
const QString kKeys[] = { "Uninstall\\LarkMusic", "Uninstall\\Reedsong" };
const QString kExes[] = { "lark.exe", "Reedsong & Co" };
const QString kPaths[] = { "C:/Lark/lark.exe", "C:/Reedsong/reed.exe" };
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

} // namespace

class tst_LuBgMusicManager : public QObject
{
    Q_OBJECT

    static QStringList played(int i) { return hooked(kExes[i], kPaths[i], kKeys[i]); }

    static QString rcc(const char* variant) { return QStringLiteral(BGMUSIC_RCC_DIR "/bgmusic-%1.rcc").arg(variant); }

private Q_SLOTS:
    void initTestCase()
    {
        McEngineSetup::reset();
        McEngineSetup::setStartProcesses(false);
        for (int i : { 0, 1 })
            McEngineSetup::setRegistryValue(kKeys[i], "DisplayIcon", kPaths[i]);
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        McEngineSetup::setInjectionSucceeds(true);
        McEngineSetup::clearJournal();
        QVERIFY(QResource::registerResource(rcc("good")));
    }

    void cleanup()
    {
        for (const char* variant : { "good", "malformed" })
            QResource::unregisterResource(rcc(variant));
    }

    void malformedConfiguration()
    {
        QFile malformed(QStringLiteral(BGMUSIC_DATA_DIR "/bgmusic-malformed.xml"));
        QVERIFY(malformed.open(QIODevice::ReadOnly));
        QString error;
        QVERIFY(!QDomDocument().setContent(&malformed, &error));
        QVERIFY(QResource::unregisterResource(rcc("good")) && QResource::registerResource(rcc("malformed")));

        QTest::ignoreMessage(QtWarningMsg, qPrintable("parse bgmusic.xml failed: \"" + error + "\""));
        LuBgMusicManager manager;
        QVERIFY(manager.items().isEmpty());
    }

    // Without ":/config/bgmusic.xml" the process-wide manager warns and the settings popup
    // offers only "No background music" and a program picked from disk.
    void missingConfigurationInPopup()
    {
        QVERIFY(QResource::unregisterResource(rcc("good")));
        static QTemporaryDir home; // outlives the settings file kept open by the library
        qputenv("HOME", home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
        LuKtvLocalUser::instance()->setUserId(778);
        QFile missing(":/config/bgmusic.xml");
        QVERIFY(!missing.open(QIODevice::ReadOnly));

        QTest::ignoreMessage(QtWarningMsg, qPrintable("open bgmusic.xml failed: \"" + missing.errorString() + "\""));
        LuAvSettingPopup popup;
        auto* music = popup.findChild<QComboBox*>("bkgndMusicBox");
        QCOMPARE(music->count(), 2);
        QCOMPARE(music->itemText(0), "No background music");
        QCOMPARE(music->itemText(1), "Other music player");
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
    // its process name follows the last "\" or, without one, the last "/". A failed
    // injection still switches the capture on and keeps the hooker for the release.
    void pickedPlayer_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("processName");
        QTest::addColumn<QString>("warning");

        // The process names of every other path: the fuzz target's.
        QTest::newRow("slashes, injection fails") << "/opt/%1%2 \"quoted\"" << QString("%1%2 \"quoted\"")
                                                  << "inject music process failed: \"/opt/%1%2 \\\"quoted\\\"\"";
    }

    // Destroying the manager releases the player.
    void pickedPlayer()
    {
        QFETCH(QString, name);
        QFETCH(QString, processName);
        QFETCH(QString, warning);

        McMediaManagerQt mediaManager;
        auto manager = std::make_unique<LuBgMusicManager>();
        manager->setMediaManager(&mediaManager);
        manager->startMusic();
        McEngineSetup::setInjectionSucceeds(warning.isEmpty());
        McEngineSetup::clearJournal();
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        manager->setCurrentItem(LuBgMusicItem(name));
        manager.reset();
        QCOMPARE(journal(), hooked(processName, name) + kCaptureOn + kReleased);
    }
};

QTEST_MAIN(tst_LuBgMusicManager)
#include "tst_lubgmusicmanager.moc"
