#include <darivad/mcmediaprocessqt.h>
#include <darivad/mcmediatransferqt.h>
#include <zuzar/mcenginesetup.h>

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// A refuse source of the Qt layer: the object, its mask operations and its signal.
struct Source
{
    std::unique_ptr<QObject> object;
    McRefusable* refusable;
};

Source makeSource(const QString& kind)
{
    if (kind == QLatin1String("process")) {
        auto* process = new McMediaProcessQt;
        return { std::unique_ptr<QObject>(process), process };
    }
    auto* transfer = new McMediaTransferQt;
    return { std::unique_ptr<QObject>(transfer), transfer };
}

} // namespace

class tst_McRefuseMask : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void settlesFromTheEventLoop_data();
    void settlesFromTheEventLoop();
    void requestsOfOneTurnSettleTogether_data();
    void requestsOfOneTurnSettleTogether();
    void engineObjectSettlesAtOnce();
};

void tst_McRefuseMask::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    McEngineSetup::reset();
}

void tst_McRefuseMask::settlesFromTheEventLoop_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("journalName");
    QTest::newRow("transfer") << "transfer"
                              << "McMediaTransfer";
    QTest::newRow("process") << "process"
                             << "McMediaProcess";
}

void tst_McRefuseMask::settlesFromTheEventLoop()
{
    QFETCH(QString, kind);
    QFETCH(QString, journalName);

    Source source = makeSource(kind);
    QSignalSpy settled(source.object.get(), SIGNAL(refuseResult(int)));
    QCOMPARE(source.refusable->refusedData(), 0u);

    source.refusable->setRefuseData(McRefusable::RefuseAudio | McRefusable::RefuseVideo);
    // Requested at once, in force only once the engine has settled it.
    QCOMPARE(source.refusable->getRefuseData(), 3u);
    QCOMPARE(source.refusable->refusedData(), 0u);
    QCOMPARE(settled.count(), 0);

    QVERIFY(settled.wait(1000));
    QCOMPARE(settled.count(), 1);
    QCOMPARE(settled.at(0).at(0).toInt(), 3);
    QCOMPARE(source.refusable->refusedData(), 3u);

    source.refusable->setRefuseData(McRefusable::RefuseVideo);
    QVERIFY(settled.wait(1000));
    QCOMPARE(settled.at(1).at(0).toInt(), 2);
    QCOMPARE(source.refusable->refusedData(), 2u);

    QVERIFY(McEngineSetup::journal().contains(QStringLiteral("%1::setRefuseData(2)").arg(journalName)));
}

void tst_McRefuseMask::requestsOfOneTurnSettleTogether_data()
{
    settlesFromTheEventLoop_data();
}

void tst_McRefuseMask::requestsOfOneTurnSettleTogether()
{
    QFETCH(QString, kind);

    Source source = makeSource(kind);
    QSignalSpy settled(source.object.get(), SIGNAL(refuseResult(int)));
    source.refusable->setRefuseData(1);
    source.refusable->setRefuseData(2);
    source.refusable->setRefuseData(3);
    QVERIFY(settled.wait(1000));
    QTest::qWait(20);
    QCOMPARE(settled.count(), 1);
    QCOMPARE(settled.at(0).at(0).toInt(), 3);
}

void tst_McRefuseMask::engineObjectSettlesAtOnce()
{
    McMediaTransfer transfer;
    transfer.setRefuseData(McRefusable::RefuseAudio);
    QCOMPARE(transfer.refusedData(), 1u);

    McMediaProcess process;
    process.setRefuseData(McRefusable::RefuseVideo);
    QCOMPARE(process.refusedData(), 2u);
}

QTEST_GUILESS_MAIN(tst_McRefuseMask)
#include "tst_mcrefusemask.moc"
