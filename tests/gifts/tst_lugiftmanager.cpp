#include <lukbase/lugiftmanager.h>

#include "gifts/lugiftdownloaditem_p.h"
#include "gifts/lugiftmanager_p.h"
#include "loopbackhttpserver.h"
#include "testfiles.h"
#include "trackedgiftitem.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <memory>
#include <utility>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using Response = LoopbackHttpServer::Response;
using Files = QMap<QString, QByteArray>;

namespace {

const int kRetryInterval = 100;
const int kTransferTimeout = 500;

QStringList fileNames(const QList<LuGiftDownloadItem*>& downloads)
{
    QStringList names;
    for (const LuGiftDownloadItem* download : downloads)
        names.append(download->fileName);
    return names;
}

// With true, files may grow to 4 KiB only, so that a longer write stops short; false lifts that again.
void limitFileSize(bool limited)
{
#ifdef Q_OS_UNIX
    static rlimit saved {};
    if (saved.rlim_max == 0)
        ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit { limited ? 4096 : saved.rlim_cur, saved.rlim_max };
    std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limit);
#endif
}

} // namespace

class tst_LuGiftManager : public QObject
{
    Q_OBJECT

    QTemporaryDir m_icons;
    const QByteArray m_fallbackPng = pngBytes(Qt::gray, 8);
    std::unique_ptr<QTemporaryDir> m_giftDir;
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<LuGiftManager> m_manager;
    LuGiftManagerPrivate* d = nullptr;
    QList<LuGiftItem*> m_held;

    QString giftPath(const QString& name) const { return QDir(m_giftDir->path()).absoluteFilePath(name); }
    QString iconPath(const QString& name) const { return QDir(m_icons.path()).absoluteFilePath(name); }
    // A record held by the test, whose files are all missing; or, thumbnailOnly, whose animation
    // exists already, so that only its thumbnail is fetched.
    TrackedGiftItem* gift(int id, int type = 0, int flags = 0, bool thumbnailOnly = false)
    {
        const QString name = QString::number(id);
        auto* item = thumbnailOnly ? new TrackedGiftItem(id, giftPath("missing.png"), iconPath("ugift.gif"))
                                   : new TrackedGiftItem(id, giftPath(name + ".png"), giftPath(name + ".gif"), type,
                                       flags, giftPath(name + "_star.gif"));
        item->ref();
        m_held.append(item);
        return item;
    }
    TrackedGiftItem* thumbnailOnlyGift(int id) { return gift(id, 0, 0, true); }
    void start(LuGiftItem* item)
    {
        m_manager->downloadGiftResource(item);
        m_manager->startDownloads();
    }

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        TrackedGiftItem::destroyed().clear();
        QVERIFY(writeFile(iconPath("ugift.png"), m_fallbackPng));
        for (const char* name : { "ugift.gif", "ugift_star.gif" })
            QVERIFY(writeFile(iconPath(name), gifBytes()));
        m_giftDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_giftDir->isValid());
        m_server = std::make_unique<LoopbackHttpServer>();
        QVERIFY(m_server->listen());
        m_manager = std::make_unique<LuGiftManager>();
        m_manager->setIconsPath(m_icons.path());
        m_manager->setGiftDirectory(m_giftDir->path());
        m_manager->setDownloadPrefix(m_server->url("/gifts/"));
        d = LuGiftManagerPrivate::get(m_manager.get());
        d->retryInterval = kRetryInterval;
        d->transferTimeout = kTransferTimeout;
    }

    void cleanup()
    {
        limitFileSize(false);
        m_manager.reset();
        for (LuGiftItem* item : std::as_const(m_held))
            item->release();
        m_held.clear();
    }

    void missingFilesQueuedInOrder_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("flags");
        // Files of gift 7 on disk before it is asked for.
        QTest::addColumn<Files>("onDisk");
        QTest::addColumn<QStringList>("queued");

        const Files none;
        QTest::newRow("battle star with flash")
            << 2 << 1 << none << QStringList { "7.png", "7.gif", "7_star.gif", "7.swf" };
        QTest::newRow("ordinary without the flash bit") << 0 << 2 << none << QStringList { "7.png", "7.gif" };
        QTest::newRow("star logo and flash")
            << 2 << 1 << Files { { "7.png", pngBytes(Qt::green) }, { "7.gif", gifBytes() } }
            << QStringList { "7_star.gif", "7.swf" };
        // Left empty by a crash, or not of their kind: asked for again.
        QTest::newRow("files left broken") << 2 << 1
                                           << Files { { "7.png", QByteArray() }, { "7.gif", pngBytes(Qt::green) },
                                                  { "7_star.gif", gifBytes() }, { "7.swf", "<html>" } }
                                           << QStringList { "7.png", "7.gif", "7.swf" };
    }

    void missingFilesQueuedInOrder()
    {
        QFETCH(int, type);
        QFETCH(int, flags);
        QFETCH(Files, onDisk);
        QFETCH(QStringList, queued);

        for (auto file = onDisk.begin(); file != onDisk.end(); ++file)
            QVERIFY(writeFile(giftPath(file.key()), file.value()));
        TrackedGiftItem* item = gift(7, type, flags);
        m_manager->downloadGiftResource(item);
        QCOMPARE(fileNames(d->queue), queued);

        // Missing pictures are replaced by the fallback icons at once; present ones stay.
        const QStringList files { "7.png", "7.gif", "7_star.gif" };
        const QStringList fallbacks { "ugift.png", "ugift.gif", "ugift_star.gif" };
        const QStringList paths { item->thumbnailPath(), item->imagePath(), item->starLogoPath() };
        for (int i = 0; i < 3; ++i)
            QCOMPARE(paths.at(i), queued.contains(files.at(i)) ? iconPath(fallbacks.at(i)) : giftPath(files.at(i)));
        QCOMPARE(item->thumbnail(), QImage::fromData(queued.contains("7.png") ? m_fallbackPng : onDisk.value("7.png")));
        // Each queued file holds one reference on the record.
        QCOMPARE(item->refCount(), 1 + queued.size());
        // Queuing starts nothing.
        QTest::qWait(50);
        QCOMPARE(m_server->requests().size(), 0);
    }

    void downloadsReachEveryWaitingRecord_data()
    {
        QTest::addColumn<QString>("prefixPath");
        QTest::addColumn<QString>("requestedPath");

        QTest::newRow("prefix ends with slash") << "/gifts/" << QString("/gifts/");
        QTest::newRow("prefix without slash") << "/gifts" << QString("/gifts/");
    }

    // Two records of one gift: the second joins the downloads that the first started. The first is asked for
    // again: its Flash file has no path in the record, so only that download takes it once more.
    void downloadsReachEveryWaitingRecord()
    {
        QFETCH(QString, prefixPath);
        QFETCH(QString, requestedPath);

        const Files files { { "42.png", pngBytes(Qt::red) }, { "42.gif", gifBytes() },
            { "42_star.gif", gifBytes() + "trailer" }, { "42.swf", "FWS\x09 not a picture" } };
        for (auto file = files.begin(); file != files.end(); ++file)
            m_server->setResponse(requestedPath + file.key(), Response::ok(file.value(), 50));
        m_manager->setDownloadPrefix(m_server->url(prefixPath));
        TrackedGiftItem* first = gift(42, 2, 1);
        TrackedGiftItem* second = gift(42, 2, 1);
        QSignalSpy updated(m_manager.get(), &LuGiftManager::thumbnailUpdated);
        start(first);
        m_manager->downloadGiftResource(second);
        m_manager->downloadGiftResource(first);
        QCOMPARE(d->pending.value("42.swf")->items, QList<LuGiftItem*>({ first, second, first }));
        QTRY_VERIFY(d->pending.isEmpty());

        // One request for each file, at the joined URL (others are answered 404).
        QCOMPARE(m_server->requests().size(), 4);
        for (auto file = files.begin(); file != files.end(); ++file)
            QCOMPARE(readFile(giftPath(file.key())), file.value());
        // Nothing but the four files is left in the gift directory (no temporary files).
        QCOMPARE(QDir(m_giftDir->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), files.keys());
        QCOMPARE(updated.size(), 2);
        QCOMPARE(updated.at(0).first().value<LuGiftItem*>(), first);
        QCOMPARE(updated.at(1).first().value<LuGiftItem*>(), second);
        for (TrackedGiftItem* item : { first, second }) {
            QCOMPARE(QStringList({ item->thumbnailPath(), item->imagePath(), item->starLogoPath() }),
                QStringList({ giftPath("42.png"), giftPath("42.gif"), giftPath("42_star.gif") }));
            QCOMPARE(item->thumbnail(), QImage::fromData(files.value("42.png")));
            QCOMPARE(item->refCount(), 1);
        }
    }

    // A host may ask for downloads from its thumbnailUpdated slot: a file asked for again then is
    // fetched anew, not joined to the download that has just ended.
    void downloadAskedFromTheSignal()
    {
        m_server->setFallbackResponse(Response::ok(m_fallbackPng));
        TrackedGiftItem* first = thumbnailOnlyGift(5);
        TrackedGiftItem* second = thumbnailOnlyGift(5);
        QList<LuGiftItem*> updated;
        connect(m_manager.get(), &LuGiftManager::thumbnailUpdated, this, [&](LuGiftItem* item) {
            updated.append(item);
            if (item == first)
                start(second);
        });
        start(first);
        QTRY_COMPARE(updated, QList<LuGiftItem*>({ first, second }));
        QCOMPARE(m_server->requests(), QStringList({ "/gifts/5.png", "/gifts/5.png" }));
    }

    // Five requests in flight, the others wait in the queue; failures wait for one retry timer together.
    void fiveInFlight()
    {
        m_server->setFallbackResponse(Response::ok(m_fallbackPng));
        for (int id = 1; id <= 7; ++id) {
            m_server->queueResponses(QStringLiteral("/gifts/%1.png").arg(id), { Response::error(500, 150) });
            m_manager->downloadGiftResource(thumbnailOnlyGift(id));
        }
        d->retryInterval = 1000;
        m_manager->startDownloads();
        QCOMPARE(d->running.size(), 5);
        QCOMPARE(fileNames(d->queue), QStringList({ "6.png", "7.png" }));
        QTRY_VERIFY(!d->retryQueue.isEmpty());
        const int timer = d->retryTimerId;
        QTRY_COMPARE(d->retryQueue.size(), 7);
        QCOMPARE(d->retryTimerId, timer);
        QTRY_VERIFY(d->pending.isEmpty());
        QCOMPARE(m_server->requests().size(), 14);
        QCOMPARE(m_server->maxInFlight(), 5);
    }

    void failedDownloads_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Response>("failure");
        QTest::addColumn<int>("failures");
        // The warning each failure logs, if any.
        QTest::addColumn<QString>("warning");

        const QByteArray tooLarge(LuGiftManagerPrivate::MaxFileSize + 1, 'x');
        const QString thumbnail = "3.png";
        // Two failures, then the file arrives.
        QTest::newRow("empty body") << thumbnail << Response::ok(QByteArray()) << 2 << QString();
        QTest::newRow("dropped before the answer") << thumbnail << Response::dropped() << 2 << QString();
        QTest::newRow("dropped in the body") << thumbnail << Response::cut(pngBytes(Qt::red, 64)) << 2 << QString();
        QTest::newRow("server stalls") << thumbnail << Response::ok(m_fallbackPng, 60000) << 2 << QString();
        // Half of twice the limit is sent: within the limit, but announced beyond it.
        QTest::newRow("announced too large")
            << thumbnail << Response::cut(tooLarge + tooLarge) << 2 << "gift file too large";
        QTest::newRow("too large, unannounced")
            << thumbnail << Response::unannounced(tooLarge) << 2 << "gift file too large";
        QTest::newRow("gateway page as thumbnail")
            << thumbnail << Response::ok("<html>gateway login</html>") << 2 << "load gift thumbnail failed";
        // Every other kind of bytes: the fuzz target's.
        QTest::newRow("png as animation") << "3.gif" << Response::ok(pngBytes(Qt::red)) << 2 << "load gift file failed";
        // Eleven attempts, then the file is given up.
        QTest::newRow("server error every time") << thumbnail << Response::error(500) << 11 << QString();
        QTest::newRow("connection refused") << thumbnail << Response() << 0 << QString();
    }

    void failedDownloads()
    {
        QFETCH(QString, file);
        QFETCH(Response, failure);
        QFETCH(int, failures);
        QFETCH(QString, warning);

        // Refused: nobody listens on the prefix's port any more.
        if (failures == 0)
            m_server->close();
        const QString path = "/gifts/" + file;
        m_server->queueResponses(path, QList<Response>(failures, failure));
        const QByteArray good = file == "3.png" ? pngBytes(Qt::darkGreen) : gifBytes();
        m_server->setResponse(path, Response::ok(good));
        for (int i = 0; i < failures && !warning.isEmpty(); ++i)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning + ": \"" + m_server->url(path) + '"'));
        // Only the file of the row is missing. Not held by the test: released at the end, to see that the
        // manager let go of it.
        const bool thumbnail = file == "3.png";
        auto* item = new TrackedGiftItem(
            3, thumbnail ? giftPath(file) : iconPath("ugift.png"), thumbnail ? iconPath("ugift.gif") : giftPath(file));
        item->ref();
        QSignalSpy updated(m_manager.get(), &LuGiftManager::thumbnailUpdated);
        start(item);
        QCOMPARE(d->pending.keys(), QStringList { file });
        QTRY_COMPARE(d->retryQueue.size(), 1);
        const bool givenUp = failures != 2;
        if (givenUp)
            QTest::ignoreMessage(QtWarningMsg,
                QRegularExpression("^gift image download failed, max retried: \"http.*/gifts/3.png\" 10$"));
        QTRY_VERIFY_WITH_TIMEOUT(d->pending.isEmpty(), 11 * kRetryInterval * 4 + 5000);

        QCOMPARE(d->retryTimerId, 0);
        QCOMPARE(updated.size(), givenUp || !thumbnail ? 0 : 1);
        // Nothing but the good file is kept.
        QCOMPARE(readFile(giftPath(file)), givenUp ? QByteArray() : good);
        if (failures == 11)
            QCOMPARE(m_server->requests().count(path), 11);
        // A connection dropped before any answer may be tried once more by the network stack itself.
        if (failures == 2)
            QVERIFY(m_server->requests().count(path) >= 3);
        item->release();
        QCOMPARE(TrackedGiftItem::destroyed(), QList<int>({ 3 }));
    }

    // Without a prefix nothing is queued, and before the icons path is set the fallbacks are empty; past the
    // bound of the queue nothing more is queued either, but the fallbacks are set.
    void nothingQueued()
    {
        LuGiftManager bare;
        TrackedGiftItem* item = gift(8, 2);
        for (int file = 0; file < 3; ++file)
            QTest::ignoreMessage(QtWarningMsg, "gift download prefix is empty!");
        bare.downloadGiftResource(item);
        QVERIFY(LuGiftManagerPrivate::get(&bare)->pending.isEmpty());
        QVERIFY(item->thumbnailPath().isEmpty() && item->imagePath().isEmpty() && item->starLogoPath().isEmpty());
        QVERIFY(item->thumbnail().isNull());
        QCOMPARE(item->refCount(), 1);

        for (int id = 1; id <= 1000; ++id)
            m_manager->downloadGiftResource(thumbnailOnlyGift(id));
        TrackedGiftItem* late = thumbnailOnlyGift(1001);
        QTest::ignoreMessage(QtWarningMsg, "gift download buffer full!");
        m_manager->downloadGiftResource(late);
        QCOMPARE(d->queue.size(), 1000);
        QCOMPARE(late->thumbnailPath(), iconPath("ugift.png"));
        QCOMPARE(late->refCount(), 1);
        // Letting the manager go gives every queued record back.
        m_manager.reset();
        for (LuGiftItem* held : std::as_const(m_held))
            QCOMPARE(held->refCount(), 1);
    }

    // Files are saved whole or not at all; a failed save is reported and not retried.
    void saveFailures_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("gift directory missing") << "missing";
#ifdef Q_OS_UNIX
        QTest::newRow("short write over a good file") << "short write";
#endif
    }

    void saveFailures()
    {
        QFETCH(QString, setup);

        const bool shortWrite = setup == "short write";
        // A good picture from an earlier session, which a failed save must leave in place.
        const QByteArray good = pngBytes(Qt::green);
        const QByteArray answer = pngBytes(Qt::black) + QByteArray(64 * 1024, 'x');
        if (shortWrite)
            QVERIFY(writeFile(giftPath("2.png"), good));
        const QString directory = setup == "missing" ? giftPath("not-there") : m_giftDir->path();
        m_manager->setGiftDirectory(directory);
        m_server->setResponse("/gifts/2.png", Response::ok(answer));
        TrackedGiftItem* item = thumbnailOnlyGift(2);
        const QString target = QDir(directory).absoluteFilePath("2.png");
        QTest::ignoreMessage(QtWarningMsg, qPrintable("save gift image failed: \"" + target + '"'));
        limitFileSize(shortWrite);
        start(item);
        QTRY_VERIFY(d->pending.isEmpty());
        limitFileSize(false);
        QTest::qWait(3 * kRetryInterval);

        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(item->thumbnailPath(), iconPath("ugift.png"));
        QCOMPARE(item->refCount(), 1);
        QCOMPARE(QDir(m_giftDir->path()).entryList(QDir::Files | QDir::Hidden),
            shortWrite ? QStringList({ "2.png" }) : QStringList());
        if (shortWrite) {
            QCOMPARE(readFile(giftPath("2.png")), good);
            // Without the limit the same answer replaces the file whole.
            start(thumbnailOnlyGift(2));
            QTRY_VERIFY(d->pending.isEmpty());
            QCOMPARE(readFile(giftPath("2.png")), answer);
        }
    }

    void recordsLiveWhileHeld_data()
    {
        QTest::addColumn<QString>("state");
        // (Queued records are let go of in nothingQueued.)
        for (const char* state : { "running", "waiting to retry", "saving" })
            QTest::newRow(state) << QString::fromLatin1(state);
    }

    // Whatever the state of its download, the manager keeps the record alive, and lets go when deleted.
    void recordsLiveWhileHeld()
    {
        QFETCH(QString, state);

        m_server->setFallbackResponse(state == "running" ? Response::ok(m_fallbackPng, 5000)
                : state == "saving"                      ? Response::ok(m_fallbackPng)
                                                         : Response::error(500));
        d->retryInterval = 60000;
        // Saves wait while every worker of the pool is taken.
        QThreadPool* pool = QThreadPool::globalInstance();
        QSemaphore workersHeld;
        int held = state == "saving" ? pool->maxThreadCount() : 0;
        for (int i = 0; i < held; ++i)
            pool->start([&workersHeld] { workersHeld.acquire(); });
        const auto releaseWorkers = [&] {
            workersHeld.release(std::exchange(held, 0));
            pool->waitForDone();
        };
        const auto releaseOnFailure = qScopeGuard(releaseWorkers);
        // The host lets go of its record right after handing it over.
        auto* item = new TrackedGiftItem(21, QString(), iconPath("ugift.gif"));
        item->ref();
        start(item);
        item->release();
        QTRY_COMPARE(m_server->inFlight(), state == "running" ? 1 : 0);
        QTRY_COMPARE(d->retryQueue.size(), state == "waiting to retry" ? 1 : 0);
        QTRY_COMPARE(d->saving.size(), state == "saving" ? 1 : 0);
        QCOMPARE(item->refCount(), 1);
        QVERIFY(TrackedGiftItem::destroyed().isEmpty());
        m_manager.reset();
        QCOMPARE(TrackedGiftItem::destroyed(), QList<int>({ 21 }));
        // A save that outlives the manager still writes its file whole, and tells no one.
        releaseWorkers();
        QTest::qWait(10);
        QCOMPARE(readFile(giftPath("21.png")), state == "saving" ? m_fallbackPng : QByteArray());
    }
};

QTEST_GUILESS_MAIN(tst_LuGiftManager)
#include "tst_lugiftmanager.moc"
