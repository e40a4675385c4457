#include "lugiftmanager.h"
#include "lugiftdownloaditem_p.h"
#include "lugiftfilekind_p.h"
#include "lugiftitem_p.h"
#include "lugiftmanager_p.h"
#include "lukbaselogging_p.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimerEvent>
#include <QUrl>

LuGiftManagerPrivate::LuGiftManagerPrivate(LuGiftManager* q)
    : q_ptr(q)
    , saver(q)
{
}

LuGiftManagerPrivate::~LuGiftManagerPrivate()
{
    // Replies that the network manager tears down must not come back to a manager that
    // is half destroyed.
    QObject::disconnect(&networkManager, nullptr, q_ptr, nullptr);
    qDeleteAll(queue);
    qDeleteAll(retryQueue);
    qDeleteAll(running);
    qDeleteAll(saving.keys());
    queue.clear();
    retryQueue.clear();
    running.clear();
    saving.clear();
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
        QNetworkRequest request((QUrl(download->url)));
        // A server that stops sending fails the attempt, which frees the slot for the others.
        request.setTransferTimeout(transferTimeout);
        QNetworkReply* reply = networkManager.get(request);
        running.insert(reply, download);
        QObject::connect(reply, &QNetworkReply::metaDataChanged, q_ptr, [this, reply] { readBody(reply); });
        QObject::connect(reply, &QNetworkReply::readyRead, q_ptr, [this, reply] { readBody(reply); });
    }
}

void LuGiftManagerPrivate::readBody(QNetworkReply* reply)
{
    LuGiftDownloadItem* download = running.value(reply);
    // A reply that failed or timed out is closed and has nothing more to give.
    if (!download || download->tooLarge || !reply->isOpen())
        return;
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (announced.toLongLong() <= MaxFileSize) {
        // Never more than one byte past the limit is taken in; and no more than is there, as
        // read() makes room for all it may read.
        const qint64 room = MaxFileSize + 1 - download->body.size();
        download->body += reply->read(qMin(reply->bytesAvailable(), room));
        if (download->body.size() <= MaxFileSize)
            return;
    }
    qCWarning(lcGifts) << "gift file too large:" << download->url;
    download->tooLarge = true;
    download->body.clear();
    // Aborting may finish the reply at once; the download is not touched after it.
    reply->abort();
}

void LuGiftManagerPrivate::handleReply(QNetworkReply* reply)
{
    const QNetworkReply::NetworkError error = reply->error();
    if (running.contains(reply)) {
        // What is still unread, and the check of its size.
        readBody(reply);
        LuGiftDownloadItem* download = running.take(reply);
        // An answer without a body is no picture: it counts as a failure.
        if (error != QNetworkReply::NoError || download->tooLarge || download->body.isEmpty())
            retryOrDrop(download);
        else
            save(download);
        if (!queue.isEmpty())
            QMetaObject::invokeMethod(q_ptr, &LuGiftManager::downloadNext, Qt::QueuedConnection);
    }
    reply->deleteLater();
}

void LuGiftManagerPrivate::save(LuGiftDownloadItem* download)
{
    const QString path = giftDir.absoluteFilePath(download->fileName);
    saving.insert(download, path);
    saver.save(download, download->body, download->kind, path);
    download->body.clear();
}

void LuGiftManagerPrivate::saveDone(
    LuGiftDownloadItem* download, LuGiftFileSaver::Result result, const QImage& thumbnail)
{
    const QString path = saving.take(download);
    if (result == LuGiftFileSaver::NotOfKind) {
        if (download->kind == LuGiftDownloadItem::Thumbnail)
            qCWarning(lcGifts) << "load gift thumbnail failed:" << download->url;
        else
            qCWarning(lcGifts) << "load gift file failed:" << download->url;
        retryOrDrop(download);
        return;
    }
    // Out of pending first: a slot connected to thumbnailUpdated may ask for downloads.
    pending.remove(download->fileName);
    if (result == LuGiftFileSaver::NotWritten) {
        qCWarning(lcGifts) << "save gift image failed:" << path;
        delete download;
        return;
    }

    // The download keeps every record alive until it is deleted below.
    const QList<LuGiftItem*> items = download->items;
    for (LuGiftItem* item : items) {
        switch (download->kind) {
        case LuGiftDownloadItem::Thumbnail:
            LuGiftItemAccess::setThumbnail(item, path, thumbnail);
            Q_EMIT q_ptr->thumbnailUpdated(item);
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
    download->body.clear();
    download->tooLarge = false;
    if (download->retries < MaxRetries && retryQueue.size() < MaxWaiting) {
        ++download->retries;
        retryQueue.append(download);
        // One timer serves every download that fails until it fires.
        if (retryTimerId == 0)
            retryTimerId = q_ptr->startTimer(retryInterval);
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
    q_ptr->killTimer(retryTimerId);
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

    // A file that is empty or not of its kind (cut short by a crash, or an error page kept by an
    // older client) counts as missing.
    using LuGiftFileKind::fileStartsAs;
    if (!fileStartsAs(item->thumbnailPath(), LuGiftDownloadItem::Thumbnail)) {
        LuGiftItemAccess::setThumbnail(item, d->defaultThumbnailPath, d->defaultThumbnail);
        d->requestFile(item, id + QStringLiteral(".png"), LuGiftDownloadItem::Thumbnail);
    }
    if (!fileStartsAs(item->imagePath(), LuGiftDownloadItem::Image)) {
        LuGiftItemAccess::setImagePath(item, d->defaultImagePath);
        d->requestFile(item, id + QStringLiteral(".gif"), LuGiftDownloadItem::Image);
    }
    if (item->type() == LuGiftItem::BattleStarGift
        && !fileStartsAs(item->starLogoPath(), LuGiftDownloadItem::StarLogo)) {
        LuGiftItemAccess::setStarLogoPath(item, d->defaultStarLogoPath);
        d->requestFile(item, id + QStringLiteral("_star.gif"), LuGiftDownloadItem::StarLogo);
    }
    // The Flash file has no path in the record: the gift directory is asked instead.
    const QString flash = id + QStringLiteral(".swf");
    if (item->hasFlash() && !fileStartsAs(d->giftDir.absoluteFilePath(flash), LuGiftDownloadItem::Flash))
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
