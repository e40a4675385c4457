#ifndef LUKBASE_LUGIFTMANAGER_H
#define LUKBASE_LUGIFTMANAGER_H

#include <lukbase/lugiftitem.h>
#include <lukbase/lukbase_export.h>

#include <QObject>
#include <QScopedPointer>

class QNetworkReply;
class LuGiftManagerPrivate;

/**
 * Makes sure that every gift record has pictures to show.
 *
 * The host creates one manager, gives it the icons directory with the fallback icons
 * ("ugift.png", "ugift.gif", "ugift_star.gif"), the gift directory and the HTTP prefix of
 * the gift files, and then passes each record to downloadGiftResource(). For each of the
 * gift's files that is missing on disk ("<id>.png", "<id>.gif", "<id>_star.gif" for
 * battle-star gifts, "<id>.swf" for Flash gifts) the record points at the fallback icon
 * at once and a download is queued; a file that is empty or not of its kind counts as
 * missing. startDownloads() fetches them in the background, at most five at a time;
 * requests for the same file are merged, and failed downloads are tried again every 30
 * seconds, eleven attempts in all. An attempt fails when the server sends nothing for 30
 * seconds, when the answer is larger than 16 MiB, and when it is not a file of its kind (a
 * PNG picture, a GIF picture, a Flash movie). Each good file is saved in the gift directory
 * (whole or not at all) and written into every record that waits for it; a new thumbnail
 * is announced with thumbnailUpdated().
 *
 * The manager runs on its thread's event loop, and nothing there blocks: arriving files are
 * checked and saved by a worker of QThreadPool::globalInstance(), and only the outcome comes
 * back to the loop. Failures are reported on the "lukbase.gifts" logging category, and the
 * records then keep their fallback icons.
 */
class LUKBASE_EXPORT LuGiftManager : public QObject
{
    Q_OBJECT

public:
    /**
     * Constructs a manager with nothing queued.
     * @param parent the parent object
     */
    explicit LuGiftManager(QObject* parent = nullptr);
    /** Drops every queued, waiting and running download, giving back the records they hold. */
    ~LuGiftManager() override;

    /**
     * Sets the directory of the fallback icons and loads the fallback thumbnail. Call it
     * before the first downloadGiftResource(): records get the paths known at that moment.
     * @param path the directory holding "ugift.png", "ugift.gif" and "ugift_star.gif"
     */
    void setIconsPath(const QString& path);
    /**
     * Sets the URL prefix that serves the gift files.
     * @param prefix for example "http://host/gifts/"; a "/" is put between it and the file
     *        name when it does not end in one
     */
    void setDownloadPrefix(const QString& prefix);
    /** @return the URL prefix of the gift files; empty until set */
    QString downloadPrefix() const;
    /**
     * Sets the directory that holds the gift files. It is not created: downloads into a
     * missing directory are reported and dropped.
     * @param dir the directory, normally LuKBase::giftDirectory()
     */
    void setGiftDirectory(const QString& dir);
    /** @return the absolute path of the gift directory; the current directory until set */
    QString giftDirectory() const;

    /**
     * Points the record at the fallback icons for every file of the gift that is missing,
     * empty or not of its kind, and queues a download of it. The manager holds a reference
     * on the record until its downloads are done. Starts nothing; see startDownloads().
     * @param item the gift record
     */
    void downloadGiftResource(LuGiftItem* item);
    /** Starts queued downloads, up to five at a time. */
    void startDownloads();

Q_SIGNALS:
    /**
     * A downloaded thumbnail is now in a record; repaint where the record is shown.
     * @param item the record; its thumbnail() is the new picture
     */
    void thumbnailUpdated(LuGiftItem* item);

protected:
    /**
     * Runs the retry timer: every failed download that waits is queued again.
     * @param event the timer event
     */
    void timerEvent(QTimerEvent* event) override;

private Q_SLOTS:
    void replyFinished(QNetworkReply* reply);
    void downloadNext();

private:
    Q_DECLARE_PRIVATE(LuGiftManager)
    const QScopedPointer<LuGiftManagerPrivate> d_ptr;
};

#endif
