#include <darivad/mcmediaprocessqt.h>
#include <darivad/mcmediatransferqt.h>
#include <zuzar/mcenginesetup.h>
#include <zuzar/mcmediamanager.h>
#include <zuzar/processhooker.h>

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// The media engine stand-in, as far as the library relies on it beyond what the library's own
// suites exercise: refuse masks settle from the event loop, devices fall back to the first
// listed one, and programs really start.
class tst_McEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        McEngineSetup::reset();
    }

    void refuseMaskSettles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("transfer") << "McMediaTransfer";
        QTest::newRow("process") << "McMediaProcess";
    }

    void refuseMaskSettles()
    {
        QFETCH(QString, kind);
        std::unique_ptr<QObject> object;
        McRefusable* source = nullptr;
        if (kind == QLatin1String("McMediaProcess")) {
            auto* process = new McMediaProcessQt;
            object.reset(process);
            source = process;
        } else {
            auto* transfer = new McMediaTransferQt;
            object.reset(transfer);
            source = transfer;
        }
        QSignalSpy settled(object.get(), SIGNAL(refuseResult(int)));

        // Requested at once, in force only once the engine has settled it from the event loop.
        source->setRefuseData(McRefusable::RefuseAudio | McRefusable::RefuseVideo);
        QCOMPARE(source->getRefuseData(), 3u);
        QCOMPARE(source->refusedData(), 0u);
        QVERIFY(settled.wait(1000));
        QCOMPARE(settled.takeFirst().at(0).toInt(), 3);
        QCOMPARE(source->refusedData(), 3u);

        // Requests of one turn of the loop settle together, with one signal.
        source->setRefuseData(1);
        source->setRefuseData(2);
        QVERIFY(settled.wait(1000));
        QTest::qWait(20);
        QCOMPARE(settled.count(), 1);
        QCOMPARE(settled.at(0).at(0).toInt(), 2);
        QCOMPARE(source->refusedData(), 2u);
        QVERIFY(McEngineSetup::journal().contains(kind + QStringLiteral("::setRefuseData(2)")));
    }

    // A host that runs all evening keeps only the newest calls.
    void journalKeepsNewest()
    {
        McMediaTransfer transfer;
        for (int mask = 0; mask < 1005; ++mask)
            transfer.setRefuseData(unsigned(mask));
        const QStringList journal = McEngineSetup::journal();
        QCOMPARE(journal.size(), 1000);
        QCOMPARE(journal.first(), QStringLiteral("McMediaTransfer::setRefuseData(5)"));
        QCOMPARE(journal.last(), QStringLiteral("McMediaTransfer::setRefuseData(1004)"));
    }

    void engineObjectSettlesAtOnce()
    {
        McMediaTransfer transfer;
        transfer.setRefuseData(McRefusable::RefuseAudio);
        QCOMPARE(transfer.refusedData(), 1u);
    }

    void devicesInUse()
    {
        McEngineSetup::setWaveInDevices({ "Mic A", "Mic \u00e9" });
        McMediaManager manager;
        QCOMPARE(manager.waveInDevice(), std::wstring(L"Mic A"));
        QVERIFY(manager.waveOutDevice().empty());
        QVERIFY(manager.setAudioDevice(L"Mic \u00e9", nullptr));
        QCOMPARE(manager.waveInDevice(), std::wstring(L"Mic \u00e9"));
        // An empty name goes back to the default device, the first one listed.
        QVERIFY(manager.setAudioDevice(L"", nullptr));
        QCOMPARE(manager.waveInDevice(), std::wstring(L"Mic A"));
        QVERIFY(manager.startVideoCapture(L"Cam 2"));
        QCOMPARE(manager.cameraDevice(), std::wstring(L"Cam 2"));
    }

    void programsReallyStart()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("true"));
        if (program.isEmpty())
            QSKIP("no 'true' program on this system");
        McEngineSetup::setRegistryValue("SOFTWARE\\True", "DisplayIcon", program);
        QVERIFY(ProcessHooker::findProcessPathAndStart(L"SOFTWARE\\True", L"DisplayIcon", L"true") != 0);
        QCOMPARE(ProcessHooker::findProcessPathAndStart(L"SOFTWARE\\Missing", L"DisplayIcon", L"x"), 0ul);
        std::wstring exe(L"x");
        std::wstring missing(L"/nonexistent/program");
        QCOMPARE(ProcessHooker::startProcess(exe, missing), 0ul);
    }
};

QTEST_GUILESS_MAIN(tst_McEngine)
#include "tst_mcengine.moc"
