#include <darivad/mcmediaprocessqt.h>
#include <darivad/mcmediatransferqt.h>
#include <zuzar/mcenginesetup.h>
#include <zuzar/mcmediamanager.h>
#include <zuzar/processhooker.h>

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

// The media engine stand-in, as far as the library relies on it beyond what the library's own
// suites exercise: refuse masks settle from the event loop, devices fall back to the first
// listed one, and programs really start.
class tst_McEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        McEngineSetup::reset();
    }

    void refuseMaskSettles_data()
    {
        QTest::addColumn<bool>("process");
        QTest::newRow("transfer") << false;
        QTest::newRow("process") << true;
    }

    // Requests are in force once the engine has settled them from the event loop; those of one
    // turn of the loop settle together, with one signal. The engine object settles at once.
    void refuseMaskSettles()
    {
        QFETCH(bool, process);
        McMediaProcessQt processQt;
        McMediaTransferQt transferQt;
        QObject* object = process ? static_cast<QObject*>(&processQt) : &transferQt;
        McRefusable* source = process ? static_cast<McRefusable*>(&processQt) : &transferQt;
        QSignalSpy settled(object, SIGNAL(refuseResult(int)));
        source->setRefuseData(McRefusable::RefuseAudio);
        source->setRefuseData(McRefusable::RefuseVideo);
        QCOMPARE(source->getRefuseData(), 2u);
        QCOMPARE(source->refusedData(), 0u);
        QVERIFY(settled.wait(1000));
        QTest::qWait(20);
        QCOMPARE(QList<QVariantList>(settled), QList<QVariantList>({ { 2 } }));
        QCOMPARE(source->refusedData(), 2u);

        McMediaTransfer engine;
        engine.setRefuseData(McRefusable::RefuseAudio);
        QCOMPARE(engine.refusedData(), 1u);
    }

    // A host that runs all evening keeps only the newest calls.
    void journalKeepsNewest()
    {
        McMediaTransfer transfer;
        for (int mask = 0; mask < 1005; ++mask)
            transfer.setRefuseData(unsigned(mask));
        const QStringList journal = McEngineSetup::journal();
        QCOMPARE(journal.size(), 1000);
        QCOMPARE(journal.first(), "McMediaTransfer::setRefuseData(5)");
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
    }

    void programsReallyStart()
    {
        const QString program = QStandardPaths::findExecutable("true");
        if (program.isEmpty())
            QSKIP("no 'true' program on this system");
        McEngineSetup::setRegistryValue("SOFTWARE\\True", "DisplayIcon", program);
        QVERIFY(ProcessHooker::findProcessPathAndStart(L"SOFTWARE\\True", L"DisplayIcon", L"true") != 0);
        QCOMPARE(ProcessHooker::findProcessPathAndStart(L"SOFTWARE\\Missing", L"DisplayIcon", L"x"), 0ul);
        std::wstring exe(L"x"), missing(L"/nonexistent/program");
        QCOMPARE(ProcessHooker::startProcess(exe, missing), 0ul);
    }
};

QTEST_GUILESS_MAIN(tst_McEngine)
#include "tst_mcengine.moc"
