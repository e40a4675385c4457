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
        const QString name = giftPath(QString::number(id));
        auto* item = thumbnailOnly
            ? new TrackedGiftItem(id, giftPath("missing.png"), iconPath("ugift.gif"))
            : new TrackedGiftItem(id, name + ".png", name + ".gif", type, flags, name + "_star.gif");
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
        QVERIFY(writeFile(iconPath("ugift.png"), m_fallbackPng));
        QVERIFY(writeFile(iconPath("ugift.gif"), gifBytes()));
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
        d->transferTimeout = 500;
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

        const QByteArray png = pngBytes(Qt::green), gif = gifBytes();
        QTest::newRow("battle star with flash")
            << 2 << 1 << Files() << QStringList { "7.png", "7.gif", "7_star.gif", "7.swf" };
        QTest::newRow("ordinary without the flash bit") << 0 << 2 << Files() << QStringList { "7.png", "7.gif" };
        // Left empty by a crash, or not of their kind: asked for again.
        QTest::newRow("files left broken")
            << 2 << 1 << Files { { "7.png", "" }, { "7.gif", png }, { "7_star.gif", gif }, { "7.swf", "<html>" } }
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
        // In this order, each file once.
        QCOMPARE(d->queue.size(), queued.size());
        for (int i = 0; i < queued.size(); ++i)
            QCOMPARE(d->queue.at(i), d->pending.value(queued.at(i)));

        // Missing pictures are replaced by the fallback icons at once; present ones stay.
        QStringList expected;
        for (const QString file : { "7.png", "7.gif", "7_star.gif" })
            expected << (queued.contains(file) ? iconPath("ugift" + file.mid(1)) : giftPath(file));
        QCOMPARE(QStringList({ item->thumbnailPath(), item->imagePath(), item->starLogoPath() }), expected);
        QCOMPARE(item->thumbnail(), QImage::fromData(m_fallbackPng));
        // Each queued file holds one reference on the record.
        QCOMPARE(item->refCount(), 1 + queued.size());
        // Queuing starts nothing.
        QTest::qWait(50);
        QCOMPARE(m_server->requests().size(), 0);
    }

    // Two records of one gift: the second joins the downloads that the first started. The first is asked for
    // again: its Flash file has no path in the record, so only that download takes it once more. A host may
    // ask for downloads from its thumbnailUpdated slot: a file asked for again then is fetched anew, not
    // joined to the download that has just ended.
    void downloadsReachEveryWaitingRecord()
    {
        const Files files { { "42.png", pngBytes(Qt::red) }, { "42.gif", gifBytes() },
            { "42_star.gif", gifBytes() + "trailer" }, { "42.swf", "FWS\x09 not a picture" } };
        for (auto file = files.begin(); file != files.end(); ++file)
            m_server->setResponse("/gifts/" + file.key(), Response::ok(file.value(), 50));
        m_manager->setDownloadPrefix(m_server->url("/gifts")); // the slash is added
        TrackedGiftItem* first = gift(42, 2, 1);
        TrackedGiftItem* second = gift(42, 2, 1);
        TrackedGiftItem* third = thumbnailOnlyGift(42);
        QList<LuGiftItem*> updated;
        connect(m_manager.get(), &LuGiftManager::thumbnailUpdated, this, [&](LuGiftItem* item) {
            updated.append(item);
            if (item == first)
                start(third);
        });
        start(first);
        m_manager->downloadGiftResource(second);
        m_manager->downloadGiftResource(first);
        QCOMPARE(d->pending.value("42.swf")->items, QList<LuGiftItem*>({ first, second, first }));
        QTRY_VERIFY(d->pending.isEmpty());

        // One request for each file, and the thumbnail's again, at the joined URL (others are answered 404).
        QCOMPARE(m_server->requests().size(), 5);
        for (auto file = files.begin(); file != files.end(); ++file)
            QCOMPARE(readFile(giftPath(file.key())), file.value());
        QCOMPARE(updated, QList<LuGiftItem*>({ first, second, third }));
        for (TrackedGiftItem* item : { first, second }) {
            QCOMPARE(QStringList({ item->thumbnailPath(), item->imagePath(), item->starLogoPath() }),
                QStringList({ giftPath("42.png"), giftPath("42.gif"), giftPath("42_star.gif") }));
            QCOMPARE(item->thumbnail(), QImage::fromData(files.value("42.png")));
            QCOMPARE(item->refCount(), 1);
        }
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
        QCOMPARE(d->queue, QList<LuGiftDownloadItem*>({ d->pending.value("6.png"), d->pending.value("7.png") }));
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
        const QString png = "3.png";
        // Two failures, then the file arrives.
        QTest::newRow("empty body") << png << Response::ok(QByteArray()) << 2 << QString();
        QTest::newRow("dropped in the body") << png << Response::cut(pngBytes(Qt::red, 64)) << 2 << QString();
        QTest::newRow("server stalls") << png << Response::ok(m_fallbackPng, 60000) << 2 << QString();
        // Half of twice the limit is sent: within the limit, but announced beyond it.
        QTest::newRow("announced too large") << png << Response::cut(tooLarge + tooLarge) << 2 << "gift file too large";
        QTest::newRow("too large, unannounced") << png << Response::unannounced(tooLarge) << 2 << "gift file too large";
        QTest::newRow("gateway page") << png << Response::ok("<html>login</html>") << 2 << "load gift thumbnail failed";
        // Every other kind of bytes: the fuzz target's.
        QTest::newRow("png as animation") << "3.gif" << Response::ok(pngBytes(Qt::red)) << 2 << "load gift file failed";
        // Eleven attempts, then the file is given up.
        QTest::newRow("server error every time") << png << Response::error(500) << 11 << QString();
    }

    void failedDownloads()
    {
        QFETCH(QString, file);
        QFETCH(Response, failure);
        QFETCH(int, failures);
        QFETCH(QString, warning);

        const QString path = "/gifts/" + file;
        m_server->queueResponses(path, QList<Response>(failures, failure));
        const bool thumbnail = file == "3.png";
        const QByteArray good = thumbnail ? pngBytes(Qt::darkGreen) : gifBytes();
        m_server->setResponse(path, Response::ok(good));
        for (int i = 0; i < failures && !warning.isEmpty(); ++i)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning + ": \"" + m_server->url(path) + '"'));
        // Only the file of the row is missing.
        QVERIFY(thumbnail || writeFile(giftPath("3.png"), m_fallbackPng));
        TrackedGiftItem* item = thumbnail ? thumbnailOnlyGift(3) : gift(3);
        QSignalSpy updated(m_manager.get(), &LuGiftManager::thumbnailUpdated);
        start(item);
        const bool givenUp = failures == 11;
        if (givenUp)
            QTest::ignoreMessage(QtWarningMsg,
                QRegularExpression("^gift image download failed, max retried: \"http.*/gifts/3.png\" 10$"));
        QTRY_VERIFY_WITH_TIMEOUT(d->pending.isEmpty(), 11 * kRetryInterval * 4 + 5000);

        QCOMPARE(d->retryTimerId, 0);
        QCOMPARE(updated.size(), givenUp || !thumbnail ? 0 : 1);
        // Nothing but the good file is kept.
        QCOMPARE(readFile(giftPath(file)), givenUp ? QByteArray() : good);
        QCOMPARE(m_server->requests().count(path), givenUp ? failures : failures + 1);
        QCOMPARE(item->refCount(), 1); // the manager let go
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
        QVERIFY(item->thumbnailPath().isEmpty() && item->imagePath().isEmpty() && item->starLogoPath().isEmpty());

        for (int id = 1; id <= 1000; ++id)
            m_manager->downloadGiftResource(thumbnailOnlyGift(id));
        TrackedGiftItem* late = thumbnailOnlyGift(1001);
        QTest::ignoreMessage(QtWarningMsg, "gift download buffer full!");
        m_manager->downloadGiftResource(late);
        QCOMPARE(d->queue.size(), 1000);
        QCOMPARE(late->thumbnailPath(), iconPath("ugift.png"));
        // Letting the manager go gives every queued record back, and the others were never taken.
        m_manager.reset();
        for (LuGiftItem* held : std::as_const(m_held))
            QCOMPARE(held->refCount(), 1);
    }

    // Files are saved whole or not at all; a failed save is reported and not retried.
    void saveFailures_data()
    {
        QTest::addColumn<bool>("shortWrite");
        QTest::newRow("gift directory missing") << false;
#ifdef Q_OS_UNIX
        QTest::newRow("short write over a good file") << true;
#endif
    }

    void saveFailures()
    {
        QFETCH(bool, shortWrite);

        // A good picture from an earlier session, which a failed save must leave in place.
        const QByteArray good = pngBytes(Qt::green);
        const QByteArray answer = pngBytes(Qt::black) + QByteArray(64 * 1024, 'x');
        QVERIFY(writeFile(giftPath("2.png"), good));
        const QString directory = shortWrite ? m_giftDir->path() : giftPath("not-there");
        m_manager->setGiftDirectory(directory);
        m_server->setResponse("/gifts/2.png", Response::ok(answer));
        TrackedGiftItem* item = thumbnailOnlyGift(2);
        QTest::ignoreMessage(QtWarningMsg, qPrintable("save gift image failed: \"" + directory + "/2.png\""));
        limitFileSize(shortWrite);
        start(item);
        QTRY_VERIFY(d->pending.isEmpty());
        limitFileSize(false);
        QTest::qWait(3 * kRetryInterval);

        QCOMPARE(m_server->requests().size(), 1);
        QCOMPARE(item->thumbnailPath(), iconPath("ugift.png"));
        QCOMPARE(item->refCount(), 1);
        QCOMPARE(readFile(giftPath("2.png")), good);
        // Without the limit, in the gift directory, the same answer replaces the file whole.
        m_manager->setGiftDirectory(m_giftDir->path());
        start(thumbnailOnlyGift(2));
        QTRY_VERIFY(d->pending.isEmpty());
        QCOMPARE(readFile(giftPath("2.png")), answer);
        // No temporary file is left, by the failed save or this one.
        QCOMPARE(QDir(m_giftDir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({ "2.png" }));
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
        TrackedGiftItem* item = thumbnailOnlyGift(21);
        start(item);
        QTRY_COMPARE(m_server->inFlight(), state == "running" ? 1 : 0);
        QTRY_COMPARE(d->retryQueue.size(), state == "waiting to retry" ? 1 : 0);
        QTRY_COMPARE(d->saving.size(), state == "saving" ? 1 : 0);
        QCOMPARE(item->refCount(), 2); // the test's and the manager's
        m_manager.reset();
        QCOMPARE(item->refCount(), 1);
        // A save that outlives the manager still writes its file whole, and tells no one.
        releaseWorkers();
        QTest::qWait(10);
        QCOMPARE(readFile(giftPath("21.png")), state == "saving" ? m_fallbackPng : QByteArray());
    }
};

QTEST_GUILESS_MAIN(tst_LuGiftManager)
#include "tst_lugiftmanager.moc"
