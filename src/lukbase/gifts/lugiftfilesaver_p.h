#ifndef LUKBASE_LUGIFTFILESAVER_P_H
#define LUKBASE_LUGIFTFILESAVER_P_H

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

#include <memory>

class LuGiftDownloadItem;
class LuGiftManager;

// Checks downloaded gift files and saves them on a worker thread, so that neither decoding
// nor the disk ever holds up the manager's event loop; the outcome is handed back to the
// manager on its own thread.
class LuGiftFileSaver
{
public:
    enum Result {
        Saved,
        // Not a file of its kind (LuGiftFileKind): nothing was written.
        NotOfKind,
        // The file could not be written; nothing was left under its name.
        NotWritten,
    };

    explicit LuGiftFileSaver(LuGiftManager* manager);
    // Outcomes of saves still running are dropped; their files are still written whole.
    ~LuGiftFileSaver();

    // Checks the download's bytes and saves them at path on a worker thread, then calls
    // LuGiftManagerPrivate::saveDone() with download on the manager's thread. The worker
    // never touches the download itself.
    void save(LuGiftDownloadItem* download, const QByteArray& bytes, int kind, const QString& path);

    // Checks and saves, on the calling thread.
    static Result checkAndSave(const QByteArray& bytes, int kind, const QString& path, QImage* thumbnail);

private:
    struct Outcome
    {
        LuGiftDownloadItem* download;
        Result result;
        QImage thumbnail;
    };
    // Where workers hand their outcomes in, in order, under the mutex (a hand-over that a
    // thread sanitizer follows, unlike one through Qt's event queue alone). The receiver
    // goes when the saver does.
    struct Return
    {
        QMutex mutex;
        LuGiftManager* manager;
        QObject* receiver;
        QList<Outcome> outcomes;
    };
    // Lives on the manager's thread: each event it gets passes one outcome to the manager.
    class Receiver : public QObject
    {
    public:
        explicit Receiver(const std::shared_ptr<Return>& back)
            : m_return(back)
        {
        }

    protected:
        // Only the saver posts custom events here; each one stands for one outcome.
        void customEvent(QEvent* event) override;

    private:
        const std::shared_ptr<Return> m_return;
    };

    std::shared_ptr<Return> m_return;
    Receiver m_receiver;
};

#endif
