// Fetches a catalogue of gifts whose thumbnails are all missing from a loopback HTTP
// server (on a thread of its own) through LuGiftManager, and prints the wall time, the
// files per second, the largest number of requests in flight (as the manager and as the
// server counted them) and how late the event loop ran while downloading: a 1 ms timer
// probes it, and the gaps between its ticks are reported as median, 99th percentile and
// worst, beside the same figures for the idle event loop in the second before. Then it
// times a second start of the same catalogue, whose files are all on disk by then.
//
//   bench_giftdownloads [--files N] [--latency MS] [--dir DIR]
//
// Every answer waits MS milliseconds (2 by default) on the server, as a network would, so
// that requests overlap and the limit of requests in flight shows. The gift directory is a
// new temporary directory inside DIR (the system's temporary directory by default), so that
// disks and memory file systems can be compared.

#include "gifts/lugiftmanager_p.h"
#include "loopbackhttpserver.h"
#include "testfiles.h"

#include <lukbase/lugiftitem.h>
#include <lukbase/lugiftmanager.h>

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

QByteArray thumbnailBytes(int id)
{
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(QColor::fromHsv(id * 37 % 360, 160, 220));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Processor time of the calling thread; 0 where the system does not tell.
qint64 threadCpuNanoseconds()
{
#ifdef Q_OS_UNIX
    timespec now {};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) == 0)
        return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
#endif
    return 0;
}

// Measures the gaps between the ticks of a 1 ms timer while it runs.
class LatencyProbe
{
public:
    LatencyProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            const qint64 cpu = threadCpuNanoseconds();
            m_gaps.push_back(now - m_last);
            if (now - m_last > LongGap) {
                ++m_longGaps;
                m_longGapsTime += now - m_last;
                m_longGapsCpu += cpu - m_lastCpu;
            }
            m_last = now;
            m_lastCpu = cpu;
            if (onTick)
                onTick();
        });
    }
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_lastCpu = threadCpuNanoseconds();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    // The gap at the given fraction of the sorted gaps, in milliseconds.
    double quantile(double fraction)
    {
        if (m_gaps.empty())
            return 0;
        std::sort(m_gaps.begin(), m_gaps.end());
        const size_t at = std::min(m_gaps.size() - 1, size_t(fraction * double(m_gaps.size())));
        return m_gaps.at(at) / 1e6;
    }
    size_t ticks() const { return m_gaps.size(); }
    // Gaps over 2 ms, and the share of their time that this thread ran: the rest it waited,
    // for the disk or for a processor.
    int longGaps() const { return m_longGaps; }
    double longGapsCpuShare() const { return m_longGapsTime > 0 ? double(m_longGapsCpu) / m_longGapsTime : 0; }

    std::function<void()> onTick;

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    std::vector<qint64> m_gaps;
    static constexpr qint64 LongGap = 2000000;
    qint64 m_lastCpu = 0;
    int m_longGaps = 0;
    qint64 m_longGapsTime = 0;
    qint64 m_longGapsCpu = 0;
};

LuGiftItem* newGift(int id, const QString& thumbnailPath, const QString& imagePath)
{
    auto* item = new LuGiftItem(
        id, 0, 0, QStringLiteral("gift %1").arg(id), QString(), 10, 8, thumbnailPath, imagePath, QString(), 0);
    item->ref();
    return item;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption filesOption(QStringLiteral("files"), QStringLiteral("Number of files (at most 1000)."),
        QStringLiteral("n"), QStringLiteral("1000"));
    QCommandLineOption latencyOption(QStringLiteral("latency"), QStringLiteral("Server delay per answer."),
        QStringLiteral("ms"), QStringLiteral("2"));
    QCommandLineOption dirOption(QStringLiteral("dir"), QStringLiteral("Where the gift directory is made."),
        QStringLiteral("dir"), QDir::tempPath());
    parser.addOption(filesOption);
    parser.addOption(latencyOption);
    parser.addOption(dirOption);
    parser.process(app);
    const int files = qBound(1, parser.value(filesOption).toInt(), 1000);
    const int latency = qMax(0, parser.value(latencyOption).toInt());

    QTemporaryDir giftDir(QDir(parser.value(dirOption)).filePath(QStringLiteral("bench-gifts-XXXXXX")));
    QTemporaryDir icons;
    if (!giftDir.isValid() || !icons.isValid()) {
        std::printf("FAILED: cannot make the gift directory in %s\n", qPrintable(parser.value(dirOption)));
        return 2;
    }
    // The animations exist, so that each gift asks for its thumbnail alone.
    const QString existingImage = icons.filePath(QStringLiteral("ugift.gif"));
    QFile image(existingImage);
    if (!image.open(QIODevice::WriteOnly) || image.write(gifBytes()) <= 0)
        return 2;
    image.close();

    // The server runs on a thread of its own, so that the probe sees the manager's work alone.
    QThread serverThread;
    QObject serverContext;
    serverContext.moveToThread(&serverThread);
    serverThread.start();
    const auto onServerThread = [&](const std::function<void()>& work) {
        QMetaObject::invokeMethod(&serverContext, work, Qt::BlockingQueuedConnection);
    };
    std::unique_ptr<LoopbackHttpServer> server;
    qint64 bytesServed = 0;
    bool listening = false;
    onServerThread([&] {
        server = std::make_unique<LoopbackHttpServer>();
        for (int id = 1; id <= files; ++id) {
            const QByteArray bytes = thumbnailBytes(id);
            bytesServed += bytes.size();
            server->setResponse(
                QStringLiteral("/gifts/%1.png").arg(id), LoopbackHttpServer::Response::ok(bytes, latency));
        }
        listening = server->listen();
    });
    if (!listening)
        return 2;

    LuGiftManager manager;
    manager.setIconsPath(icons.path());
    manager.setGiftDirectory(giftDir.path());
    manager.setDownloadPrefix(server->url(QStringLiteral("/gifts/")));

    QList<LuGiftItem*> items;
    for (int id = 1; id <= files; ++id) {
        items.append(newGift(id, QString(), existingImage));
        manager.downloadGiftResource(items.last());
    }

    // Sampled whenever the manager may have started requests.
    int clientInFlight = 0;
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(&manager);
    const auto sampleInFlight = [&] { clientInFlight = qMax(clientInFlight, int(d->running.size())); };

    int arrived = 0;
    QElapsedTimer clock;
    LatencyProbe probe;
    probe.onTick = sampleInFlight;
    QObject::connect(&manager, &LuGiftManager::thumbnailUpdated, &app, [&] {
        sampleInFlight();
        if (++arrived == files)
            app.quit();
    });
    // The same probe on the idle event loop first: what the machine itself adds.
    LatencyProbe idle;
    idle.start();
    QTimer::singleShot(1000, &app, &QCoreApplication::quit);
    app.exec();
    idle.stop();

    QTimer::singleShot(120000, &app, [&] { app.exit(1); });
    clock.start();
    probe.start();
    manager.startDownloads();
    sampleInFlight();
    const int result = app.exec();
    const qint64 elapsed = clock.elapsed();
    probe.stop();

    // A second start of the same catalogue finds every file on disk.
    LuGiftManager again;
    again.setIconsPath(icons.path());
    again.setGiftDirectory(giftDir.path());
    again.setDownloadPrefix(manager.downloadPrefix());
    QList<LuGiftItem*> present;
    for (int id = 1; id <= files; ++id)
        present.append(newGift(id, giftDir.filePath(QStringLiteral("%1.png").arg(id)), existingImage));
    QElapsedTimer checkClock;
    checkClock.start();
    for (LuGiftItem* item : std::as_const(present))
        again.downloadGiftResource(item);
    const qint64 checkMicroseconds = checkClock.nsecsElapsed() / 1000;
    const int requeued = int(LuGiftManagerPrivate::get(&again)->queue.size());

    int requests = 0;
    int serverInFlight = 0;
    onServerThread([&] {
        requests = int(server->requests().size());
        serverInFlight = server->maxInFlight();
        server.reset();
    });
    serverThread.quit();
    serverThread.wait();

    const int saved = QDir(giftDir.path()).entryList(QDir::Files).size();
    std::printf("gift downloads: %d files (%lld bytes) over loopback HTTP, %d ms server latency, into %s\n", files,
        static_cast<long long>(bytesServed), latency, qPrintable(giftDir.path()));
    std::printf("  wall time          %lld ms\n", static_cast<long long>(elapsed));
    std::printf("  requests           %d\n", requests);
    std::printf("  files/second       %.0f\n", elapsed > 0 ? arrived * 1000.0 / elapsed : 0.0);
    std::printf("  max in flight      %d (manager), %d (server)\n", clientInFlight, serverInFlight);
    std::printf("  files saved        %d\n", saved);
    std::printf("  event loop gaps    median %.2f ms, p99 %.2f ms, worst %.2f ms (%zu ticks)\n", probe.quantile(0.5),
        probe.quantile(0.99), probe.quantile(1.0), probe.ticks());
    std::printf("  gaps over 2 ms     %d, the event loop's thread running %.0f%% of their time\n", probe.longGaps(),
        probe.longGapsCpuShare() * 100);
    std::printf("  idle loop gaps     median %.2f ms, p99 %.2f ms, worst %.2f ms (%zu ticks in 1 s)\n",
        idle.quantile(0.5), idle.quantile(0.99), idle.quantile(1.0), idle.ticks());
    std::printf("  second start       %lld us for %d gifts, %d files queued again\n",
        static_cast<long long>(checkMicroseconds), files, requeued);

    for (LuGiftItem* item : std::as_const(items) + present)
        item->release();
    if (result != 0 || arrived != files || saved != files) {
        std::printf("FAILED: %d of %d thumbnails arrived\n", arrived, files);
        return 1;
    }
    // Without latency the server answers each request before the next one arrives.
    const bool limitHeld = clientInFlight == qMin(files, 5) && (latency == 0 || serverInFlight == qMin(files, 5));
    if (!limitHeld)
        std::printf("FAILED: the limit of 5 requests in flight was not reached or not kept\n");
    return limitHeld ? 0 : 1;
}
