#include <darivad/mcmediamanagerqt.h>
#include <darivad/mcmediatransferqt.h>
#include <darivad/mcserverlistwidget.h>
#include <zuzar/mcenginesetup.h>
#include <zuzar/processhooker.h>

#include <QStandardPaths>
#include <QTest>

namespace {

QStringList names(const McDeviceList& list)
{
    QStringList result;
    for (const std::wstring& name : list)
        result.append(QString::fromStdWString(name));
    return result;
}

} // namespace

class tst_McEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void devicesAndCapture();
    void captureMovesToAnotherDevice();
    void registryAndProcesses();
    void realProcessStart();
    void injection();
    void serverList();
};

void tst_McEngine::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    McEngineSetup::reset();
}

void tst_McEngine::devicesAndCapture()
{
    McMediaManagerQt manager;
    QVERIFY(McMediaManager::listWaveInDevices().empty());
    QVERIFY(manager.waveInDevice().empty());

    McEngineSetup::setWaveInDevices({ "Mic A", "Mic \u00e9" });
    McEngineSetup::setWaveOutDevices({ "Speakers" });
    McEngineSetup::setCameraDevices({ "Cam 1", "Cam 2" });
    QCOMPARE(names(McMediaManager::listWaveInDevices()), (QStringList { "Mic A", "Mic \u00e9" }));
    QCOMPARE(names(McMediaManager::listCameraDevices()), (QStringList { "Cam 1", "Cam 2" }));
    // Until something else is chosen, the first device of each list is in use.
    QCOMPARE(manager.waveInDevice(), std::wstring(L"Mic A"));
    QCOMPARE(manager.waveOutDevice(), std::wstring(L"Speakers"));
    QCOMPARE(manager.cameraDevice(), std::wstring(L"Cam 1"));
    QVERIFY(!manager.isAudioCaptureStarted());
    QVERIFY(!manager.isVideoCaptureStarted());

    McEngineSetup::clearJournal();
    QVERIFY(manager.setAudioDevice(L"Mic \u00e9", nullptr));
    QCOMPARE(manager.waveInDevice(), std::wstring(L"Mic \u00e9"));
    QCOMPARE(manager.waveOutDevice(), std::wstring(L"Speakers"));
    QCOMPARE(McEngineSetup::journal().first(), QStringLiteral("McMediaManager::setAudioDevice(Mic \u00e9, )"));
    // An empty name goes back to the default device, the first one listed.
    QVERIFY(manager.setAudioDevice(L"", nullptr));
    QCOMPARE(manager.waveInDevice(), std::wstring(L"Mic A"));
}

void tst_McEngine::captureMovesToAnotherDevice()
{
    McEngineSetup::setWaveInDevices({ "Mic A", "Mic B" });
    McEngineSetup::setCameraDevices({ "Cam 1", "Cam 2" });
    McMediaManagerQt manager;
    QVERIFY(manager.startAudioCapture());
    QVERIFY(manager.startVideoCapture(nullptr));
    QVERIFY(manager.isAudioCaptureStarted());
    QCOMPARE(manager.cameraDevice(), std::wstring(L"Cam 1"));

    McEngineSetup::clearJournal();
    manager.stopVideoCapture();
    QVERIFY(!manager.isVideoCaptureStarted());
    manager.startVideoCapture(L"Cam 2");
    QVERIFY(manager.isVideoCaptureStarted());
    QCOMPARE(manager.cameraDevice(), std::wstring(L"Cam 2"));
    manager.enableDSoundHooker(true);
    QVERIFY(manager.isDSoundHookerEnabled());

    QCOMPARE(McEngineSetup::journal(),
        (QStringList { "McMediaManager::stopVideoCapture()", "McMediaManager::isVideoCaptureStarted()",
            "McMediaManager::startVideoCapture(Cam 2)", "McMediaManager::isVideoCaptureStarted()",
            "McMediaManager::cameraDevice()", "McMediaManager::enableDSoundHooker(true)" }));
}

void tst_McEngine::registryAndProcesses()
{
    McEngineSetup::setStartProcesses(false);
    McEngineSetup::setRegistryValue("SOFTWARE\\Player", "DisplayIcon", "/opt/player/bin/player");
    QCOMPARE(
        ProcessHooker::findPathByRegKey(L"SOFTWARE\\Player", L"DisplayIcon"), std::wstring(L"/opt/player/bin/player"));
    QVERIFY(ProcessHooker::findPathByRegKey(L"SOFTWARE\\Player", L"Other").empty());
    QVERIFY(ProcessHooker::findPathByRegKey(L"SOFTWARE\\Missing", L"DisplayIcon").empty());

    McEngineSetup::clearJournal();
    const unsigned long pid = ProcessHooker::findProcessPathAndStart(L"SOFTWARE\\Player", L"DisplayIcon", L"player");
    QVERIFY(pid != 0);
    QCOMPARE(McEngineSetup::journal(),
        (QStringList { "ProcessHooker::findProcessPathAndStart(SOFTWARE\\Player, DisplayIcon, player)",
            "ProcessHooker::startProcess(player, /opt/player/bin/player)" }));
    QCOMPARE(ProcessHooker::findProcessPathAndStart(L"SOFTWARE\\Missing", L"DisplayIcon", L"player"), 0ul);

    std::wstring exe(L"x");
    std::wstring empty;
    QCOMPARE(ProcessHooker::startProcess(exe, empty), 0ul);
}

void tst_McEngine::realProcessStart()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("true"));
    if (program.isEmpty())
        QSKIP("no 'true' program on this system");
    std::wstring exe(L"true");
    std::wstring path = program.toStdWString();
    QVERIFY(ProcessHooker::startProcess(exe, path) != 0);
    std::wstring missing(L"/nonexistent/program");
    QCOMPARE(ProcessHooker::startProcess(exe, missing), 0ul);
}

void tst_McEngine::injection()
{
    ProcessHooker hooker(L"player.exe", L"/app/", L"soundhook.dll");
    QVERIFY(!hooker.injectDll(0));
    QVERIFY(hooker.injectDll(4242));
    QCOMPARE(hooker.injectedProcess(), 4242ul);
    QVERIFY(hooker.unInjectDll());
    QVERIFY(!hooker.unInjectDll());

    McEngineSetup::setInjectionSucceeds(false);
    QVERIFY(!hooker.injectDll(4242));
    QVERIFY(McEngineSetup::journal().contains(
        QStringLiteral("ProcessHooker::ProcessHooker(player.exe, /app/, soundhook.dll)")));
}

void tst_McEngine::serverList()
{
    McEngineSetup::setServerList({ "Line 1", "Line 2", "Line 3" });
    McMediaTransferQt transfer;
    McServerListWidget list;
    list.setMediaTransfer(&transfer);
    list.refreshServerList("room 7", "north", "Line 2");
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.currentRow(), 1);

    list.connectToSelected();
    QCOMPARE(transfer.connectedServer(), std::string("Line 2"));

    // Nothing selected: nothing is connected.
    list.clearSelection();
    transfer.connectToServer(std::string());
    list.connectToSelected();
    QVERIFY(transfer.connectedServer().empty());
    QVERIFY(McEngineSetup::journal().contains(
        QStringLiteral("McServerListWidget::refreshServerList(room 7, north, Line 2)")));

    // Refilling with null texts is allowed.
    list.refreshServerList(nullptr, nullptr, nullptr);
    QCOMPARE(list.count(), 3);
}

QTEST_MAIN(tst_McEngine)
#include "tst_mcengine.moc"
