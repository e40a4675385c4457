#ifndef LUKBASE_LUGIFTMANAGER_P_H
#define LUKBASE_LUGIFTMANAGER_P_H

#include "lugiftfilesaver_p.h"
#include "lugiftmanager.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QList>
#include <QMap>
#include <QNetworkAccessManager>
#include <QString>

class LuGiftDownloadItem;

class LuGiftManagerPrivate
{
    Q_DECLARE_PUBLIC(LuGiftManager)

public:
    explicit LuGiftManagerPrivate(LuGiftManager* q);
    ~LuGiftManagerPrivate();

    static LuGiftManagerPrivate* get(LuGiftManager* manager) { return manager->d_func(); }

    // Queues the download of fileName for item, or lets item join the pending one.
    void requestFile(LuGiftItem* item, const QString& fileName, int kind);
    void startQueued();
    // Keeps what arrived of the reply; gives up a body that is announced or grows too large.
    void readBody(QNetworkReply* reply);
    void handleReply(QNetworkReply* reply);
    // Has the body checked and saved away from this thread.
    void save(LuGiftDownloadItem* download);
    // A saved file goes to every waiting record and the download is done; a body of another
    // kind is a failed attempt.
    void saveDone(LuGiftDownloadItem* download, LuGiftFileSaver::Result result, const QImage& thumbnail);
    // Queues a failed download for the retry timer, or gives it up.
    void retryOrDrop(LuGiftDownloadItem* download);
    void retryWaiting();

    LuGiftManager* const q_ptr;
    QNetworkAccessManager networkManager;
    QDir giftDir;
    QString downloadPrefix;
    QString defaultThumbnailPath;
    QString defaultImagePath;
    QString defaultStarLogoPath;
    QImage defaultThumbnail;
    QList<LuGiftDownloadItem*> queue;
    QList<LuGiftDownloadItem*> retryQueue;
    QMap<QString, LuGiftDownloadItem*> pending;
    QMap<QNetworkReply*, LuGiftDownloadItem*> running;
    // Downloads whose body is being checked and saved, and the files they are saved as.
    QHash<LuGiftDownloadItem*, QString> saving;
    LuGiftFileSaver saver;
    int maxRunning = 5;
    int retryTimerId = 0;

    // How long failed downloads wait before they are tried again; tests shorten it.
    int retryInterval = 30000;
    // How long a request may go without receiving a byte before it fails; tests shorten it.
    int transferTimeout = 30000;
    // The largest gift file kept; a longer answer fails.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
    // Files tried this many times more after the first attempt are given up.
    static constexpr int MaxRetries = 10;
    // Bound of the download queue and of the retry queue each.
    static constexpr int MaxWaiting = 1000;
};

#endif
