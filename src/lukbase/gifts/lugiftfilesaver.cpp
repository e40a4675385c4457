#include "lugiftfilekind_p.h"
#include "lugiftfilesaver_p.h"
#include "lugiftmanager_p.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryFile>
#include <QThreadPool>

#include <filesystem>
#include <functional>
#include <system_error>

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#include <sanitizer/tsan_interface.h>
#define LUKBASE_TELL_THREAD_SANITIZER
#endif
#endif

namespace {

// The thread pool hands a job to its worker under Qt's own locks, which a thread sanitizer
// does not see (Qt is not instrumented): without these, the job's data read on the worker
// would look like a race with its writing here.
[[maybe_unused]] char jobHandOver;

void releaseJob()
{
#ifdef LUKBASE_TELL_THREAD_SANITIZER
    __tsan_release(&jobHandOver);
#endif
}

void acquireJob()
{
#ifdef LUKBASE_TELL_THREAD_SANITIZER
    __tsan_acquire(&jobHandOver);
#endif
}

// Writes the whole file or nothing: the bytes go to a temporary file beside the target,
// which one rename then puts in its place, so a failed or short write never leaves a
// half-written picture under the final name. Nothing is flushed to disk: a file that a
// crash leaves empty or cut short reads as missing at the next start and is fetched again.
bool saveWhole(const QString& path, const QByteArray& bytes)
{
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    // The permissions a plain new file gets, rather than the temporary file's owner-only ones.
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup
        | QFile::ReadOther);
    file.close();
    // Unlike QFile::rename(), this replaces an existing target in one step.
    std::error_code error;
    std::filesystem::rename(
        std::filesystem::path(file.fileName().toStdU16String()), std::filesystem::path(path.toStdU16String()), error);
    file.setAutoRemove(bool(error));
    return !error;
}

} // namespace

LuGiftFileSaver::LuGiftFileSaver(LuGiftManager* manager)
    : m_return(new Return { {}, manager, nullptr, {} })
    , m_receiver(m_return)
{
    m_return->receiver = &m_receiver;
}

LuGiftFileSaver::~LuGiftFileSaver()
{
    // The receiver's destruction then drops the events still posted to it.
    const QMutexLocker locker(&m_return->mutex);
    m_return->manager = nullptr;
    m_return->receiver = nullptr;
    m_return->outcomes.clear();
}

void LuGiftFileSaver::Receiver::customEvent(QEvent*)
{
    // The event itself is not read: all it carries is that an outcome waits.
    LuGiftManager* manager = nullptr;
    Outcome outcome {};
    {
        const QMutexLocker locker(&m_return->mutex);
        if (m_return->outcomes.isEmpty())
            return;
        manager = m_return->manager;
        outcome = m_return->outcomes.takeFirst();
    }
    // May destroy the manager and this receiver with it: nothing of this object is used after.
    LuGiftManagerPrivate::get(manager)->saveDone(outcome.download, outcome.result, outcome.thumbnail);
}

void LuGiftFileSaver::save(LuGiftDownloadItem* download, const QByteArray& bytes, int kind, const QString& path)
{
    const std::shared_ptr<Return> back = m_return;
    std::function<void()> job = [back, download, bytes, kind, path] {
        acquireJob();
        QImage thumbnail;
        const Result result = checkAndSave(bytes, kind, path, &thumbnail);
        // Held while posting, so that the manager cannot go in between; an outcome posted
        // before it went is discarded with it.
        const QMutexLocker locker(&back->mutex);
        if (back->receiver) {
            back->outcomes.append(Outcome { download, result, thumbnail });
            QCoreApplication::postEvent(back->receiver, new QEvent(QEvent::User));
        }
    };
    releaseJob();
    QThreadPool::globalInstance()->start(std::move(job));
}

LuGiftFileSaver::Result LuGiftFileSaver::checkAndSave(
    const QByteArray& bytes, int kind, const QString& path, QImage* thumbnail)
{
    if (!LuGiftFileKind::bytesAre(bytes, kind, thumbnail))
        return NotOfKind;
    return saveWhole(path, bytes) ? Saved : NotWritten;
}
