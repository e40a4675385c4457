// Fetches a catalogue of gifts whose thumbnails are all missing from a loopback HTTP
// server through LuGiftManager, and prints the wall time, the requests per second and the
// largest number of requests in flight: as the manager counts them (its running downloads,
// sampled whenever a request reaches the server) and as the server saw them.
//
//   bench_giftdownloads [--files N] [--latency MS]
//
// Every answer waits MS milliseconds (2 by default) on the server, as a network would, so
// that requests overlap and the limit of requests in flight shows.

#include "gifts/lugiftmanager_p.h"
#include "loopbackhttpserver.h"

#include <lukbase/lugiftitem.h>
#include <lukbase/lugiftmanager.h>

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

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
    parser.addOption(filesOption);
    parser.addOption(latencyOption);
    parser.process(app);
    const int files = qBound(1, parser.value(filesOption).toInt(), 1000);
    const int latency = qMax(0, parser.value(latencyOption).toInt());

    QTemporaryDir giftDir;
    QTemporaryDir icons;
    if (!giftDir.isValid() || !icons.isValid())
        return 2;
    // The animations exist, so that each gift asks for its thumbnail alone.
    const QString existingImage = icons.filePath(QStringLiteral("ugift.gif"));
    QFile image(existingImage);
    if (!image.open(QIODevice::WriteOnly) || image.write(thumbnailBytes(0)) <= 0)
        return 2;
    image.close();

    LoopbackHttpServer server;
    if (!server.listen())
        return 2;
    qint64 bytesServed = 0;
    for (int id = 1; id <= files; ++id) {
        const QByteArray bytes = thumbnailBytes(id);
        bytesServed += bytes.size();
        server.setResponse(QStringLiteral("/gifts/%1.png").arg(id), LoopbackHttpServer::Response::ok(bytes, latency));
    }

    LuGiftManager manager;
    manager.setIconsPath(icons.path());
    manager.setGiftDirectory(giftDir.path());
    manager.setDownloadPrefix(server.url(QStringLiteral("/gifts/")));

    QList<LuGiftItem*> items;
    for (int id = 1; id <= files; ++id) {
        auto* item = new LuGiftItem(
            id, 0, 0, QStringLiteral("gift %1").arg(id), QString(), 10, 8, QString(), existingImage, QString(), 0);
        item->ref();
        items.append(item);
        manager.downloadGiftResource(item);
    }

    int clientInFlight = 0;
    const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(&manager);
    QObject::connect(&server, &LoopbackHttpServer::requestReceived, &app,
        [&] { clientInFlight = qMax(clientInFlight, int(d->running.size())); });

    int arrived = 0;
    QElapsedTimer clock;
    QObject::connect(&manager, &LuGiftManager::thumbnailUpdated, &app, [&] {
        if (++arrived == files)
            app.quit();
    });
    QTimer::singleShot(120000, &app, [&] { app.exit(1); });
    clock.start();
    manager.startDownloads();
    const int result = app.exec();
    const qint64 elapsed = clock.elapsed();

    const int saved = QDir(giftDir.path()).entryList(QDir::Files).size();
    std::printf("gift downloads: %d files (%lld bytes) over loopback HTTP, %d ms server latency\n", files,
        static_cast<long long>(bytesServed), latency);
    std::printf("  wall time          %lld ms\n", static_cast<long long>(elapsed));
    std::printf("  requests           %d\n", int(server.requests().size()));
    std::printf("  requests/second    %.0f\n", elapsed > 0 ? server.requests().size() * 1000.0 / elapsed : 0.0);
    std::printf("  max in flight      %d (manager), %d (server)\n", clientInFlight, server.maxInFlight());
    std::printf("  files saved        %d\n", saved);

    for (LuGiftItem* item : std::as_const(items))
        item->release();
    if (result != 0 || arrived != files || saved != files) {
        std::printf("FAILED: %d of %d thumbnails arrived\n", arrived, files);
        return 1;
    }
    // Without latency the server answers each request before the next one arrives.
    const bool limitHeld = clientInFlight == qMin(files, 5) && (latency == 0 || server.maxInFlight() == qMin(files, 5));
    if (!limitHeld)
        std::printf("FAILED: the limit of 5 requests in flight was not reached or not kept\n");
    return limitHeld ? 0 : 1;
}
