#include "lugiftmanager.h"
#include "lugiftdownloaditem_p.h"
#include "lugiftitem_p.h"
#include "lugiftmanager_p.h"
#include "lukbaselogging_p.h"

#include <QFile>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimerEvent>
#include <QUrl>

namespace {

// Writes the whole file or nothing: the bytes go to a temporary file that replaces the
// target only once every byte is on disk, so a failed or short write never leaves a
// half-written picture in place of a good one.
bool saveAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

} // namespace

LuGiftManagerPrivate::LuGiftManagerPrivate(LuGiftManager* q)
    : q(q)
{
}

LuGiftManagerPrivate::~LuGiftManagerPrivate()
{
    // Replies that the network manager tears down must not come back to a manager that
    // is half destroyed.
    QObject::disconnect(&networkManager, nullptr, q, nullptr);
    qDeleteAll(queue);
    qDeleteAll(retryQueue);
    qDeleteAll(running);
    queue.clear();
    retryQueue.clear();
    running.clear();
    pending.clear();
}

void LuGiftManagerPrivate::requestFile(LuGiftItem* item, const QString& fileName, int kind)
{
    if (downloadPrefix.isEmpty()) {
        qCWarning(lcGifts) << "gift download prefix is empty!";
        return;
    }
    if (queue.size() >= MaxWaiting) {
        qCWarning(lcGifts) << "gift download buffer full!";
        return;
    }
    if (LuGiftDownloadItem* download = pending.value(fileName)) {
        download->addItem(item);
        return;
    }
    const QString url = downloadPrefix.endsWith(QLatin1Char('/'))
        ? downloadPrefix + fileName
        : QStringLiteral("%1/%2").arg(downloadPrefix, fileName);
    auto* download = new LuGiftDownloadItem(item, fileName, url, kind);
    queue.append(download);
    pending.insert(fileName, download);
}

void LuGiftManagerPrivate::startQueued()
{
    while (!queue.isEmpty() && running.size() < maxRunning) {
        LuGiftDownloadItem* download = queue.takeFirst();
        QNetworkReply* reply = networkManager.get(QNetworkRequest(QUrl(download->url)));
        running.insert(reply, download);
    }
}

void LuGiftManagerPrivate::handleReply(QNetworkReply* reply)
{
    const QNetworkReply::NetworkError error = reply->error();
    LuGiftDownloadItem* download = running.take(reply);
    if (download) {
        const QByteArray bytes = error == QNetworkReply::NoError ? reply->readAll() : QByteArray();
        // An answer without a body is no picture: it counts as a failure.
        if (bytes.isEmpty())
            retryOrDrop(download);
        else
            complete(download, bytes);
        if (!queue.isEmpty())
            QMetaObject::invokeMethod(q, &LuGiftManager::downloadNext, Qt::QueuedConnection);
    }
    reply->deleteLater();
}

void LuGiftManagerPrivate::complete(LuGiftDownloadItem* download, const QByteArray& bytes)
{
    // Out of pending first: a slot connected to thumbnailUpdated may ask for downloads.
    pending.remove(download->fileName);
    const QString path = giftDir.absoluteFilePath(download->fileName);
    if (!saveAtomically(path, bytes)) {
        qCWarning(lcGifts) << "save gift image failed:" << path;
        delete download;
        return;
    }

    QImage thumbnail;
    if (download->kind == LuGiftDownloadItem::Thumbnail) {
        thumbnail = QImage::fromData(bytes);
        if (thumbnail.isNull())
            qCWarning(lcGifts) << "load gift thumbnail failed:" << download->url;
    }
    // The download keeps every record alive until it is deleted below.
    const QList<LuGiftItem*> items = download->items;
    for (LuGiftItem* item : items) {
        switch (download->kind) {
        case LuGiftDownloadItem::Thumbnail:
            LuGiftItemAccess::setThumbnail(item, path, thumbnail);
            Q_EMIT q->thumbnailUpdated(item);
            break;
        case LuGiftDownloadItem::Image:
            LuGiftItemAccess::setImagePath(item, path);
            break;
        case LuGiftDownloadItem::StarLogo:
            LuGiftItemAccess::setStarLogoPath(item, path);
            break;
        default:
            break;
        }
    }
    delete download;
}

void LuGiftManagerPrivate::retryOrDrop(LuGiftDownloadItem* download)
{
    if (download->retries < MaxRetries && retryQueue.size() < MaxWaiting) {
        ++download->retries;
        retryQueue.append(download);
        // One timer serves every download that fails until it fires.
        if (retryTimerId == 0)
            retryTimerId = q->startTimer(retryInterval);
        return;
    }
    qCWarning(lcGifts) << "gift image download failed, max retried:" << download->url << download->retries;
    pending.remove(download->fileName);
    delete download;
}

void LuGiftManagerPrivate::retryWaiting()
{
    queue.append(retryQueue);
    retryQueue.clear();
    q->killTimer(retryTimerId);
    retryTimerId = 0;
    startQueued();
}

LuGiftManager::LuGiftManager(QObject* parent)
    : QObject(parent)
    , d_ptr(new LuGiftManagerPrivate(this))
{
    Q_D(LuGiftManager);
    connect(&d->networkManager, &QNetworkAccessManager::finished, this, &LuGiftManager::replyFinished);
}

LuGiftManager::~LuGiftManager() = default;

void LuGiftManager::setIconsPath(const QString& path)
{
    Q_D(LuGiftManager);
    const QDir dir(path);
    d->defaultThumbnailPath = dir.absoluteFilePath(QStringLiteral("ugift.png"));
    d->defaultImagePath = dir.absoluteFilePath(QStringLiteral("ugift.gif"));
    d->defaultStarLogoPath = dir.absoluteFilePath(QStringLiteral("ugift_star.gif"));
    d->defaultThumbnail = QImage(d->defaultThumbnailPath);
}

void LuGiftManager::setDownloadPrefix(const QString& prefix)
{
    Q_D(LuGiftManager);
    d->downloadPrefix = prefix;
}

QString LuGiftManager::downloadPrefix() const
{
    Q_D(const LuGiftManager);
    return d->downloadPrefix;
}

void LuGiftManager::setGiftDirectory(const QString& dir)
{
    Q_D(LuGiftManager);
    d->giftDir = QDir(dir);
}

QString LuGiftManager::giftDirectory() const
{
    Q_D(const LuGiftManager);
    return d->giftDir.absolutePath();
}

void LuGiftManager::downloadGiftResource(LuGiftItem* item)
{
    Q_D(LuGiftManager);
    if (!item)
        return;
    // File names come from the integer id alone, so nothing from the network reaches a path.
    const QString id = QString::number(item->id());

    if (!QFile::exists(item->thumbnailPath())) {
        LuGiftItemAccess::setThumbnail(item, d->defaultThumbnailPath, d->defaultThumbnail);
        d->requestFile(item, id + QStringLiteral(".png"), LuGiftDownloadItem::Thumbnail);
    }
    if (!QFile::exists(item->imagePath())) {
        LuGiftItemAccess::setImagePath(item, d->defaultImagePath);
        d->requestFile(item, id + QStringLiteral(".gif"), LuGiftDownloadItem::Image);
    }
    if (item->type() == 2 && !QFile::exists(item->starLogoPath())) {
        LuGiftItemAccess::setStarLogoPath(item, d->defaultStarLogoPath);
        d->requestFile(item, id + QStringLiteral("_star.gif"), LuGiftDownloadItem::StarLogo);
    }
    // The Flash file has no path in the record: the gift directory is asked instead.
    const QString flash = id + QStringLiteral(".swf");
    if (item->hasFlash() && !QFile::exists(d->giftDir.absoluteFilePath(flash)))
        d->requestFile(item, flash, LuGiftDownloadItem::Flash);
}

void LuGiftManager::startDownloads()
{
    downloadNext();
}

void LuGiftManager::timerEvent(QTimerEvent* event)
{
    Q_D(LuGiftManager);
    if (event->timerId() != d->retryTimerId) {
        QObject::timerEvent(event);
        return;
    }
    d->retryWaiting();
}

void LuGiftManager::replyFinished(QNetworkReply* reply)
{
    Q_D(LuGiftManager);
    d->handleReply(reply);
}

void LuGiftManager::downloadNext()
{
    Q_D(LuGiftManager);
    d->startQueued();
}
