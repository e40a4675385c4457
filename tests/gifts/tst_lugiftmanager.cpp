#include <lukbase/lugiftmanager.h>

#include "gifts/lugiftdownloaditem_p.h"
#include "gifts/lugiftmanager_p.h"
#include "loopbackhttpserver.h"
#include "trackedgiftitem.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <memory>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using Response = LoopbackHttpServer::Response;

namespace {

const int kRetryInterval = 100;

QByteArray pngBytes(const QColor& color, const QSize& size = QSize(16, 16))
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList fileNames(const QList<LuGiftDownloadItem*>& downloads)
{
    QStringList names;
    for (const LuGiftDownloadItem* download : downloads)
        names.append(download->fileName);
    return names;
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

class tst_LuGiftManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void missingFilesQueuedInOrder_data();
    void missingFilesQueuedInOrder();
    void urlJoining_data();
    void urlJoining();
    void downloadsReachTheRecords();
    void recordsShareOneDownload();
    void fiveInFlight();
    void failuresAreRetried_data();
    void failuresAreRetried();
    void elevenAttemptsThenDropped_data();
    void elevenAttemptsThenDropped();
    void oneRetryTimerForAllFailures();
    void queueIsBounded();
    void fallbacksBeforeIconsPath();
    void emptyPrefixQueuesNothing();
    void secondRequestOnlyForFlash();
    void thumbnailThatIsNoImage();
    void saveFailuresAreNotRetried_data();
    void saveFailuresAreNotRetried();
    void shortWriteKeepsTheGoodFile();
    void recordsLiveWhileHeld_data();
    void recordsLiveWhileHeld();

private:
    std::unique_ptr<LuGiftManager> newManager(const QString& prefix = QString());
    TrackedGiftItem* hold(TrackedGiftItem* item);
    // A record whose animation exists already, so that only its thumbnail is fetched.
    TrackedGiftItem* thumbnailOnlyGift(int id);
    QString giftPath(const QString& name) const { return QDir(m_giftDir->path()).absoluteFilePath(name); }
    QString iconPath(const QString& name) const { return QDir(m_icons.path()).absoluteFilePath(name); }

    QTemporaryDir m_icons;
    QByteArray m_fallbackPng;
    std::unique_ptr<QTemporaryDir> m_giftDir;
    std::unique_ptr<LoopbackHttpServer> m_server;
    QList<LuGiftItem*> m_held;
};

void tst_LuGiftManager::initTestCase()
{
    QVERIFY(m_icons.isValid());
    m_fallbackPng = pngBytes(Qt::gray, QSize(8, 8));
    QVERIFY(writeFile(iconPath(QStringLiteral("ugift.png")), m_fallbackPng));
    QVERIFY(writeFile(iconPath(QStringLiteral("ugift.gif")), m_fallbackPng));
    QVERIFY(writeFile(iconPath(QStringLiteral("ugift_star.gif")), m_fallbackPng));
}

void tst_LuGiftManager::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    TrackedGiftItem::destroyed().clear();
    m_giftDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_giftDir->isValid());
    m_server = std::make_unique<LoopbackHttpServer>();
    QVERIFY(m_server->listen());
}

void tst_LuGiftManager::cleanup()
{
    for (LuGiftItem* item : std::as_const(m_held))
        item->release();
    m_held.clear();
    m_server.reset();
    m_giftDir.reset();
}

std::unique_ptr<LuGiftManager> tst_LuGiftManager::newManager(const QString& prefix)
{
    auto manager = std::make_unique<LuGiftManager>();
    manager->setIconsPath(m_icons.path());
    manager->setGiftDirectory(m_giftDir->path());
    manager->setDownloadPrefix(prefix.isNull() ? m_server->url(QStringLiteral("/gifts/")) : prefix);
    LuGiftManagerPrivate::get(manager.get())->retryInterval = kRetryInterval;
    return manager;
}

TrackedGiftItem* tst_LuGiftManager::hold(TrackedGiftItem* item)
{
    item->ref();
    m_held.append(item);
    return item;
}

TrackedGiftItem* tst_LuGiftManager::thumbnailOnlyGift(int id)
{
    return hold(
        new TrackedGiftItem(id, giftPath(QStringLiteral("missing.png")), iconPath(QStringLiteral("ugift.gif"))));
}

void tst_LuGiftManager::missingFilesQueuedInOrder_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("queued");

    QTest::newRow("battle star with flash, nothing on disk")
        << 2 << 1 << QStringList() << QStringList({ "7.png", "7.gif", "7_star.gif", "7.swf" });
    QTest::newRow("ordinary") << 0 << 0 << QStringList() << QStringList({ "7.png", "7.gif" });
    QTest::newRow("lucky, flags without the flash bit") << 1 << 2 << QStringList() << QStringList({ "7.png", "7.gif" });
    QTest::newRow("ordinary with flash") << 0 << 3 << QStringList() << QStringList({ "7.png", "7.gif", "7.swf" });
    QTest::newRow("star logo only") << 2 << 0 << QStringList({ "7.png", "7.gif" }) << QStringList({ "7_star.gif" });
    QTest::newRow("flash only") << 2 << 1 << QStringList({ "7.png", "7.gif", "7_star.gif" })
                                << QStringList({ "7.swf" });
    QTest::newRow("everything there") << 2 << 1 << QStringList({ "7.png", "7.gif", "7_star.gif", "7.swf" })
                                      << QStringList();
}

void tst_LuGiftManager::missingFilesQueuedInOrder()
{
    QFETCH(int, type);
    QFETCH(int, flags);
    QFETCH(QStringList, present);
    QFETCH(QStringList, queued);

    for (const QString& name : std::as_const(present))
        QVERIFY(writeFile(giftPath(name), pngBytes(Qt::green)));
    auto* item = hold(new TrackedGiftItem(7, giftPath(QStringLiteral("7.png")), giftPath(QStringLiteral("7.gif")), type,
        flags, giftPath(QStringLiteral("7_star.gif"))));
    auto manager = newManager();
    manager->downloadGiftResource(item);

    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    QCOMPARE(fileNames(d->queue), queued);
    QStringList sorted = queued;
    sorted.sort();
    QCOMPARE(QStringList(d->pending.keys()), sorted);
    for (const LuGiftDownloadItem* download : d->queue) {
        const int expectedKind = download->fileName.endsWith(QStringLiteral("_star.gif")) ? 4
            : download->fileName.endsWith(QStringLiteral(".png"))                         ? 1
            : download->fileName.endsWith(QStringLiteral(".gif"))                         ? 2
                                                                                          : 3;
        QCOMPARE(download->kind, expectedKind);
        QCOMPARE(download->retries, 0);
        QCOMPARE(download->items, QList<LuGiftItem*>({ item }));
    }
    // Missing pictures are replaced by the fallback icons at once; present ones stay.
    const bool pngMissing = queued.contains(QStringLiteral("7.png"));
    QCOMPARE(
        item->thumbnailPath(), pngMissing ? iconPath(QStringLiteral("ugift.png")) : giftPath(QStringLiteral("7.png")));
    QCOMPARE(item->imagePath(),
        queued.contains(QStringLiteral("7.gif")) ? iconPath(QStringLiteral("ugift.gif"))
                                                 : giftPath(QStringLiteral("7.gif")));
    QCOMPARE(item->starLogoPath(),
        queued.contains(QStringLiteral("7_star.gif")) ? iconPath(QStringLiteral("ugift_star.gif"))
                                                      : giftPath(QStringLiteral("7_star.gif")));
    if (pngMissing)
        QCOMPARE(item->thumbnail(), QImage::fromData(m_fallbackPng));
    QCOMPARE(item->refCount(), 1 + queued.size());

    // Queuing starts nothing.
    QTest::qWait(50);
    QCOMPARE(m_server->requests().size(), 0);
}

void tst_LuGiftManager::urlJoining_data()
{
    QTest::addColumn<QString>("prefixPath");
    QTest::addColumn<QString>("requestedPath");

    QTest::newRow("ends with slash") << "/gifts/"
                                     << "/gifts/123.png";
    QTest::newRow("without slash") << "/gifts"
                                   << "/gifts/123.png";
    QTest::newRow("double slash kept") << "/gifts//"
                                       << "/gifts//123.png";
    QTest::newRow("root") << "/"
                          << "/123.png";
}

void tst_LuGiftManager::urlJoining()
{
    QFETCH(QString, prefixPath);
    QFETCH(QString, requestedPath);

    const QByteArray png = pngBytes(Qt::blue);
    m_server->serve(requestedPath, png);
    auto* item = thumbnailOnlyGift(123);
    auto manager = newManager(m_server->url(prefixPath));
    manager->downloadGiftResource(item);
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    QCOMPARE(d->queue.size(), 1);
    QCOMPARE(d->queue.first()->url, m_server->url(requestedPath));

    manager->startDownloads();
    QTRY_VERIFY(d->pending.isEmpty());
    QCOMPARE(m_server->requestedPaths(), QStringList({ requestedPath }));
    QCOMPARE(readFile(giftPath(QStringLiteral("123.png"))), png);
}

void tst_LuGiftManager::downloadsReachTheRecords()
{
    const QByteArray png = pngBytes(Qt::red, QSize(20, 10));
    const QByteArray gif = pngBytes(Qt::yellow, QSize(40, 30));
    const QByteArray star = pngBytes(Qt::magenta);
    const QByteArray swf = "FWS\x09 not a picture";
    m_server->serve(QStringLiteral("/gifts/42.png"), png);
    m_server->serve(QStringLiteral("/gifts/42.gif"), gif);
    m_server->serve(QStringLiteral("/gifts/42_star.gif"), star);
    m_server->serve(QStringLiteral("/gifts/42.swf"), swf);

    auto* item = hold(new TrackedGiftItem(42, QString(), QString(), 2, 1));
    auto manager = newManager();
    QSignalSpy updated(manager.get(), &LuGiftManager::thumbnailUpdated);
    manager->downloadGiftResource(item);
    manager->startDownloads();
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    QTRY_VERIFY(d->pending.isEmpty());

    QCOMPARE(readFile(giftPath(QStringLiteral("42.png"))), png);
    QCOMPARE(readFile(giftPath(QStringLiteral("42.gif"))), gif);
    QCOMPARE(readFile(giftPath(QStringLiteral("42_star.gif"))), star);
    QCOMPARE(readFile(giftPath(QStringLiteral("42.swf"))), swf);
    QCOMPARE(item->thumbnailPath(), giftPath(QStringLiteral("42.png")));
    QCOMPARE(item->imagePath(), giftPath(QStringLiteral("42.gif")));
    QCOMPARE(item->starLogoPath(), giftPath(QStringLiteral("42_star.gif")));
    QCOMPARE(item->thumbnail(), QImage::fromData(png));
    QCOMPARE(item->width(), 40);
    QCOMPARE(updated.size(), 1);
    QCOMPARE(updated.first().first().value<LuGiftItem*>(), item);
    QCOMPARE(item->refCount(), 1);
    QVERIFY(d->running.isEmpty());
    QVERIFY(d->queue.isEmpty());
    QCOMPARE(d->retryTimerId, 0);
    // Nothing but the four files is left in the gift directory (no temporary files).
    QCOMPARE(QDir(m_giftDir->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
        QStringList({ "42.gif", "42.png", "42.swf", "42_star.gif" }));
}

void tst_LuGiftManager::recordsShareOneDownload()
{
    const QByteArray png = pngBytes(Qt::cyan);
    m_server->setResponse(QStringLiteral("/gifts/5.png"), Response::ok(png, 50));
    m_server->serve(QStringLiteral("/gifts/5.gif"), pngBytes(Qt::darkCyan));
    auto* first = hold(new TrackedGiftItem(5));
    auto* second = hold(new TrackedGiftItem(5));
    auto manager = newManager();
    QSignalSpy updated(manager.get(), &LuGiftManager::thumbnailUpdated);
    manager->downloadGiftResource(first);
    manager->startDownloads();
    // The second record joins downloads that are already running.
    manager->downloadGiftResource(second);
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    QCOMPARE(d->pending.value(QStringLiteral("5.png"))->items, QList<LuGiftItem*>({ first, second }));
    QTRY_VERIFY(d->pending.isEmpty());

    QCOMPARE(m_server->requestCount(QStringLiteral("/gifts/5.png")), 1);
    QCOMPARE(m_server->requestCount(QStringLiteral("/gifts/5.gif")), 1);
    QCOMPARE(updated.size(), 2);
    QCOMPARE(updated.at(0).first().value<LuGiftItem*>(), first);
    QCOMPARE(updated.at(1).first().value<LuGiftItem*>(), second);
    for (TrackedGiftItem* item : { first, second }) {
        QCOMPARE(item->thumbnailPath(), giftPath(QStringLiteral("5.png")));
        QCOMPARE(item->imagePath(), giftPath(QStringLiteral("5.gif")));
        QCOMPARE(item->thumbnail(), QImage::fromData(png));
        QCOMPARE(item->refCount(), 1);
    }
}

void tst_LuGiftManager::fiveInFlight()
{
    for (int id = 1; id <= 7; ++id)
        m_server->setResponse(QStringLiteral("/gifts/%1.png").arg(id), Response::ok(pngBytes(Qt::red), 150));
    auto manager = newManager();
    for (int id = 1; id <= 7; ++id)
        manager->downloadGiftResource(thumbnailOnlyGift(id));
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    QCOMPARE(d->queue.size(), 7);

    manager->startDownloads();
    QCOMPARE(d->running.size(), 5);
    QCOMPARE(d->queue.size(), 2);
    QCOMPARE(fileNames(d->queue), QStringList({ "6.png", "7.png" }));
    QTRY_VERIFY(d->pending.isEmpty());

    QCOMPARE(m_server->requests().size(), 7);
    QCOMPARE(m_server->maxInFlight(), 5);
    // The last two start only once earlier ones have been answered.
    const QList<LoopbackHttpServer::Request> requests = m_server->requests();
    qint64 firstAnswer = std::numeric_limits<qint64>::max();
    for (int i = 0; i < 5; ++i)
        firstAnswer = qMin(firstAnswer, requests.at(i).answeredMs);
    QVERIFY(requests.at(5).receivedMs >= firstAnswer);
    QVERIFY(requests.at(6).receivedMs >= firstAnswer);
}

void tst_LuGiftManager::failuresAreRetried_data()
{
    QTest::addColumn<Response>("failure");

    QTest::newRow("not found") << Response::error(404);
    QTest::newRow("server error") << Response::error(500);
    QTest::newRow("service unavailable") << Response::error(503);
    QTest::newRow("empty body") << Response::ok(QByteArray());
    QTest::newRow("dropped before the answer") << Response::dropped();
    QTest::newRow("dropped in the body") << Response::cut(pngBytes(Qt::red, QSize(64, 64)));
}

void tst_LuGiftManager::failuresAreRetried()
{
    QFETCH(Response, failure);

    const QByteArray png = pngBytes(Qt::darkGreen);
    m_server->queueResponses(QStringLiteral("/gifts/3.png"), { failure, failure });
    m_server->serve(QStringLiteral("/gifts/3.png"), png);
    auto* item = thumbnailOnlyGift(3);
    auto manager = newManager();
    QSignalSpy updated(manager.get(), &LuGiftManager::thumbnailUpdated);
    manager->downloadGiftResource(item);
    manager->startDownloads();
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());

    QTRY_COMPARE(d->retryQueue.size(), 1);
    QCOMPARE(d->retryQueue.first()->retries, 1);
    QVERIFY(d->retryTimerId != 0);
    // Until the download arrives the record shows the fallback.
    QCOMPARE(item->thumbnailPath(), iconPath(QStringLiteral("ugift.png")));
    QTRY_VERIFY(d->pending.isEmpty());

    // A connection dropped before any answer may be tried once more by the network stack itself.
    QVERIFY(m_server->requestCount(QStringLiteral("/gifts/3.png")) >= 3);
    QCOMPARE(item->thumbnailPath(), giftPath(QStringLiteral("3.png")));
    QCOMPARE(item->thumbnail(), QImage::fromData(png));
    QCOMPARE(updated.size(), 1);
    QCOMPARE(readFile(giftPath(QStringLiteral("3.png"))), png);
    QCOMPARE(d->retryTimerId, 0);
}

void tst_LuGiftManager::elevenAttemptsThenDropped_data()
{
    QTest::addColumn<Response>("failure");
    QTest::addColumn<bool>("refused");

    QTest::newRow("server error") << Response::error(500) << false;
    QTest::newRow("empty body") << Response::ok(QByteArray()) << false;
    QTest::newRow("connection refused") << Response() << true;
}

void tst_LuGiftManager::elevenAttemptsThenDropped()
{
    QFETCH(Response, failure);
    QFETCH(bool, refused);

    QString prefix = m_server->url(QStringLiteral("/gifts/"));
    if (refused) {
        // A port that was free a moment ago and has nobody listening now.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        prefix = QStringLiteral("http://127.0.0.1:%1/gifts/").arg(probe.serverPort());
    }
    m_server->setResponse(QStringLiteral("/gifts/9.png"), failure);
    auto* item = new TrackedGiftItem(9, QString(), iconPath(QStringLiteral("ugift.gif")));
    item->ref();
    auto manager = newManager(prefix);
    QSignalSpy updated(manager.get(), &LuGiftManager::thumbnailUpdated);
    manager->downloadGiftResource(item);
    manager->startDownloads();
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());

    QTest::ignoreMessage(QtWarningMsg,
        qPrintable(QStringLiteral("gift image download failed, max retried: %1 10").arg(quoted(prefix + "9.png"))));
    QTRY_VERIFY_WITH_TIMEOUT(d->pending.isEmpty(), 11 * kRetryInterval * 4 + 5000);

    if (!refused) {
        QCOMPARE(m_server->requestCount(QStringLiteral("/gifts/9.png")), 11);
        // Every attempt after the first waited for the retry timer.
        const QList<LoopbackHttpServer::Request> requests = m_server->requests();
        for (int i = 1; i < requests.size(); ++i)
            QVERIFY2(requests.at(i).receivedMs - requests.at(i - 1).answeredMs >= kRetryInterval / 2,
                qPrintable(QStringLiteral("attempt %1 came too early").arg(i + 1)));
    }
    QVERIFY(d->retryQueue.isEmpty());
    QCOMPARE(updated.size(), 0);
    QCOMPARE(item->thumbnailPath(), iconPath(QStringLiteral("ugift.png")));
    QVERIFY(!QFile::exists(giftPath(QStringLiteral("9.png"))));
    QCOMPARE(item->refCount(), 1);
    item->release();
    QCOMPARE(TrackedGiftItem::destroyed(), QList<int>({ 9 }));

    // The dropped file is not asked for again while its fallback icon exists.
    auto* again
        = hold(new TrackedGiftItem(9, iconPath(QStringLiteral("ugift.png")), iconPath(QStringLiteral("ugift.gif"))));
    manager->downloadGiftResource(again);
    QVERIFY(d->pending.isEmpty());
}

void tst_LuGiftManager::oneRetryTimerForAllFailures()
{
    for (int id = 1; id <= 3; ++id) {
        const QString path = QStringLiteral("/gifts/%1.png").arg(id);
        m_server->queueResponses(path, { Response::error(500, id == 1 ? 0 : 100 * id) });
        m_server->serve(path, pngBytes(Qt::red));
    }
    auto manager = newManager();
    LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    d->retryInterval = 600;
    for (int id = 1; id <= 3; ++id)
        manager->downloadGiftResource(thumbnailOnlyGift(id));
    manager->startDownloads();

    QTRY_COMPARE(d->retryQueue.size(), 1);
    const int timer = d->retryTimerId;
    QVERIFY(timer != 0);
    QTRY_COMPARE(d->retryQueue.size(), 3);
    QCOMPARE(d->retryTimerId, timer);
    QTRY_VERIFY(d->pending.isEmpty());
    QCOMPARE(d->retryTimerId, 0);

    // All three second attempts started from the one timer event.
    const QList<LoopbackHttpServer::Request> requests = m_server->requests();
    QCOMPARE(requests.size(), 6);
    QVERIFY(requests.at(5).receivedMs - requests.at(3).receivedMs < 100);
    QVERIFY(requests.at(3).receivedMs - requests.at(0).answeredMs >= 500);
}

void tst_LuGiftManager::queueIsBounded()
{
    auto manager = newManager();
    for (int id = 1; id <= 1000; ++id)
        manager->downloadGiftResource(thumbnailOnlyGift(id));
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    QCOMPARE(d->queue.size(), 1000);

    auto* late = thumbnailOnlyGift(1001);
    QTest::ignoreMessage(QtWarningMsg, "gift download buffer full!");
    manager->downloadGiftResource(late);
    QCOMPARE(d->queue.size(), 1000);
    QVERIFY(!d->pending.contains(QStringLiteral("1001.png")));
    QCOMPARE(late->thumbnailPath(), iconPath(QStringLiteral("ugift.png")));
    QCOMPARE(late->refCount(), 1);

    // Letting the manager go gives every queued record back.
    manager.reset();
    for (LuGiftItem* item : std::as_const(m_held))
        QCOMPARE(item->refCount(), 1);
}

void tst_LuGiftManager::fallbacksBeforeIconsPath()
{
    LuGiftManager manager;
    manager.setDownloadPrefix(m_server->url(QStringLiteral("/gifts/")));
    manager.setGiftDirectory(m_giftDir->path());
    auto* item = hold(new TrackedGiftItem(4, giftPath(QStringLiteral("4.png")), giftPath(QStringLiteral("4.gif")), 2));
    manager.downloadGiftResource(item);
    QCOMPARE(item->thumbnailPath(), QString());
    QVERIFY(item->thumbnail().isNull());
    QCOMPARE(item->imagePath(), QString());
    QCOMPARE(item->starLogoPath(), QString());
    QCOMPARE(fileNames(LuGiftManagerPrivate::get(&manager)->queue), QStringList({ "4.png", "4.gif", "4_star.gif" }));
    // Before a gift directory is set the current directory stands in.
    QCOMPARE(LuGiftManager().giftDirectory(), QDir::currentPath());
}

void tst_LuGiftManager::emptyPrefixQueuesNothing()
{
    auto manager = newManager();
    manager->setDownloadPrefix(QString());
    auto* item = hold(new TrackedGiftItem(8, QString(), QString(), 0, 1));
    QTest::ignoreMessage(QtWarningMsg, "gift download prefix is empty!");
    QTest::ignoreMessage(QtWarningMsg, "gift download prefix is empty!");
    QTest::ignoreMessage(QtWarningMsg, "gift download prefix is empty!");
    manager->downloadGiftResource(item);
    QVERIFY(LuGiftManagerPrivate::get(manager.get())->pending.isEmpty());
    QCOMPARE(item->thumbnailPath(), iconPath(QStringLiteral("ugift.png")));
    QCOMPARE(item->imagePath(), iconPath(QStringLiteral("ugift.gif")));
    QCOMPARE(item->refCount(), 1);
}

void tst_LuGiftManager::secondRequestOnlyForFlash()
{
    auto* item = hold(new TrackedGiftItem(12, QString(), QString(), 0, 1));
    auto manager = newManager();
    manager->downloadGiftResource(item);
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    QCOMPARE(fileNames(d->queue), QStringList({ "12.png", "12.gif", "12.swf" }));
    QCOMPARE(item->refCount(), 4);

    manager->downloadGiftResource(item);
    QCOMPARE(fileNames(d->queue), QStringList({ "12.png", "12.gif", "12.swf" }));
    QCOMPARE(d->pending.value(QStringLiteral("12.png"))->items.size(), 1);
    QCOMPARE(d->pending.value(QStringLiteral("12.swf"))->items, QList<LuGiftItem*>({ item, item }));
    QCOMPARE(item->refCount(), 5);

    // Both entries are given back when the download is done.
    m_server->setFallbackResponse(Response::ok(pngBytes(Qt::white)));
    manager->startDownloads();
    QTRY_VERIFY(d->pending.isEmpty());
    QCOMPARE(item->refCount(), 1);
    QCOMPARE(m_server->requestCount(QStringLiteral("/gifts/12.swf")), 1);
}

void tst_LuGiftManager::thumbnailThatIsNoImage()
{
    const QByteArray text = "<html>gateway login</html>";
    m_server->serve(QStringLiteral("/gifts/6.png"), text);
    auto* item = thumbnailOnlyGift(6);
    auto manager = newManager();
    QSignalSpy updated(manager.get(), &LuGiftManager::thumbnailUpdated);
    manager->downloadGiftResource(item);
    QTest::ignoreMessage(QtWarningMsg,
        qPrintable(QStringLiteral("load gift thumbnail failed: %1")
                       .arg(quoted(m_server->url(QStringLiteral("/gifts/6.png"))))));
    manager->startDownloads();
    QTRY_COMPARE(updated.size(), 1);

    QCOMPARE(readFile(giftPath(QStringLiteral("6.png"))), text);
    QCOMPARE(item->thumbnailPath(), giftPath(QStringLiteral("6.png")));
    QVERIFY(item->thumbnail().isNull());
    QCOMPARE(m_server->requests().size(), 1);
}

void tst_LuGiftManager::saveFailuresAreNotRetried_data()
{
    QTest::addColumn<QString>("setup");

    QTest::newRow("target is a directory") << "directory";
    QTest::newRow("gift directory missing") << "missing";
    QTest::newRow("gift directory read-only") << "read-only";
}

void tst_LuGiftManager::saveFailuresAreNotRetried()
{
    QFETCH(QString, setup);

    QString directory = m_giftDir->path();
    if (setup == QLatin1String("directory")) {
        QVERIFY(QDir(directory).mkdir(QStringLiteral("2.png")));
    } else if (setup == QLatin1String("missing")) {
        directory = giftPath(QStringLiteral("not-there"));
    } else {
#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            QSKIP("Permissions do not bind the superuser.");
#endif
        QVERIFY(QFile::setPermissions(directory, QFile::ReadOwner | QFile::ExeOwner));
    }

    m_server->serve(QStringLiteral("/gifts/2.png"), pngBytes(Qt::black));
    auto* item = thumbnailOnlyGift(2);
    auto manager = newManager();
    manager->setGiftDirectory(directory);
    QSignalSpy updated(manager.get(), &LuGiftManager::thumbnailUpdated);
    manager->downloadGiftResource(item);
    const QString target = QDir(directory).absoluteFilePath(QStringLiteral("2.png"));
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("save gift image failed: %1").arg(quoted(target))));
    manager->startDownloads();
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    QTRY_VERIFY(d->pending.isEmpty());
    QTest::qWait(3 * kRetryInterval);

    QCOMPARE(m_server->requests().size(), 1);
    QCOMPARE(d->retryTimerId, 0);
    QCOMPARE(updated.size(), 0);
    QCOMPARE(item->thumbnailPath(), iconPath(QStringLiteral("ugift.png")));
    QCOMPARE(item->refCount(), 1);
    QFile::setPermissions(m_giftDir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QStringList left = QDir(m_giftDir->path()).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
}

void tst_LuGiftManager::shortWriteKeepsTheGoodFile()
{
#ifndef Q_OS_LINUX
    QSKIP("The file size limit that forces a short write is set through Linux resource limits.");
#else
    // A good picture from an earlier session, and a record that asks for the file again.
    const QByteArray good = pngBytes(Qt::green);
    QVERIFY(writeFile(giftPath(QStringLiteral("5.png")), good));
    const QByteArray large = pngBytes(Qt::red, QSize(64, 64)) + QByteArray(64 * 1024, 'x');
    m_server->serve(QStringLiteral("/gifts/5.png"), large);
    auto* item = thumbnailOnlyGift(5);
    auto manager = newManager();
    manager->downloadGiftResource(item);

    // Files may grow to 4 KiB: the write of the 70 KiB answer stops short.
    rlimit saved {};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    QTest::ignoreMessage(QtWarningMsg,
        qPrintable(QStringLiteral("save gift image failed: %1").arg(quoted(giftPath(QStringLiteral("5.png"))))));
    manager->startDownloads();
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    QTRY_VERIFY(d->pending.isEmpty());
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(readFile(giftPath(QStringLiteral("5.png"))), good);
    QCOMPARE(QDir(m_giftDir->path()).entryList(QDir::Files | QDir::Hidden), QStringList({ "5.png" }));
    QCOMPARE(item->thumbnailPath(), iconPath(QStringLiteral("ugift.png")));

    // Without the limit the same answer replaces the file whole.
    manager->downloadGiftResource(thumbnailOnlyGift(5));
    manager->startDownloads();
    QTRY_VERIFY(d->pending.isEmpty());
    QCOMPARE(readFile(giftPath(QStringLiteral("5.png"))), large);
    QCOMPARE(m_held.last()->thumbnailPath(), giftPath(QStringLiteral("5.png")));
#endif
}

void tst_LuGiftManager::recordsLiveWhileHeld_data()
{
    QTest::addColumn<QString>("state");

    QTest::newRow("queued") << "queued";
    QTest::newRow("running") << "running";
    QTest::newRow("waiting to retry") << "waiting";
    QTest::newRow("done") << "done";
}

void tst_LuGiftManager::recordsLiveWhileHeld()
{
    QFETCH(QString, state);

    m_server->setResponse(QStringLiteral("/gifts/21.png"),
        state == QLatin1String("waiting")
            ? Response::error(500)
            : Response::ok(pngBytes(Qt::blue), state == QLatin1String("running") ? 5000 : 0));
    auto manager = newManager();
    LuGiftManagerPrivate::get(manager.get())->retryInterval = 60000;
    // The host lets go of its record right after handing it over.
    auto* item = new TrackedGiftItem(21, QString(), iconPath(QStringLiteral("ugift.gif")));
    item->ref();
    manager->downloadGiftResource(item);
    item->release();
    QVERIFY(TrackedGiftItem::destroyed().isEmpty());
    QCOMPARE(item->refCount(), 1);

    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(manager.get());
    if (state != QLatin1String("queued"))
        manager->startDownloads();
    if (state == QLatin1String("running"))
        QTRY_COMPARE(m_server->inFlight(), 1);
    if (state == QLatin1String("waiting"))
        QTRY_COMPARE(d->retryQueue.size(), 1);
    if (state == QLatin1String("done")) {
        QSignalSpy updated(manager.get(), &LuGiftManager::thumbnailUpdated);
        QTRY_COMPARE(updated.size(), 1);
        // The record was alive when it was announced, and went with its download.
        QCOMPARE(TrackedGiftItem::destroyed(), QList<int>({ 21 }));
        return;
    }
    QVERIFY(TrackedGiftItem::destroyed().isEmpty());
    manager.reset();
    QCOMPARE(TrackedGiftItem::destroyed(), QList<int>({ 21 }));
}

QTEST_GUILESS_MAIN(tst_LuGiftManager)
#include "tst_lugiftmanager.moc"
