#include <zuzar/mcenginesetup.h>
#include <zuzar/mcmediatransfer.h>
#include <zuzar/processhooker.h>

#include <QStandardPaths>
#include <QTest>

// The media engine stand-in, as far as the library relies on it beyond what the library's own
// suites exercise (refuse masks settling from the event loop, devices in use: the video bar's
// and the settings popup's suites): the journal stays bounded, and programs really start.
class tst_McEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        McEngineSetup::reset();
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
