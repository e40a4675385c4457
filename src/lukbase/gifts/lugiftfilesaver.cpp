#include "lugiftfilekind_p.h"
#include "lugiftfilesaver_p.h"
#include "lugiftmanager_p.h"

#include <QFile>
#include <QTemporaryFile>
#include <QThreadPool>

#include <filesystem>
#include <system_error>

namespace {

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
    : m_return(new Return { {}, manager })
{
}

LuGiftFileSaver::~LuGiftFileSaver()
{
    const QMutexLocker locker(&m_return->mutex);
    m_return->manager = nullptr;
}

void LuGiftFileSaver::save(LuGiftDownloadItem* download, const QByteArray& bytes, int kind, const QString& path)
{
    const std::shared_ptr<Return> back = m_return;
    QThreadPool::globalInstance()->start([back, download, bytes, kind, path] {
        QImage thumbnail;
        const Result result = checkAndSave(bytes, kind, path, &thumbnail);
        // Held while posting, so that the manager cannot go in between; an outcome posted
        // before it went is discarded with it.
        const QMutexLocker locker(&back->mutex);
        if (LuGiftManager* manager = back->manager) {
            QMetaObject::invokeMethod(
                manager,
                [manager, download, result, thumbnail] {
                    LuGiftManagerPrivate::get(manager)->saveDone(download, result, thumbnail);
                },
                Qt::QueuedConnection);
        }
    });
}

LuGiftFileSaver::Result LuGiftFileSaver::checkAndSave(
    const QByteArray& bytes, int kind, const QString& path, QImage* thumbnail)
{
    if (!LuGiftFileKind::bytesAre(bytes, kind, thumbnail))
        return NotOfKind;
    return saveWhole(path, bytes) ? Saved : NotWritten;
}
