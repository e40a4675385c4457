// Any bytes arriving for a gift file, served through a "file:" download prefix.
//
// Checked: a file is kept whole under its own name or not at all, and nothing else is left
// in the gift directory; a file is kept exactly when it is what its name says (a PNG or GIF
// picture that decodes, a Flash movie's signature); a record points at the kept file or at its
// fallback icon; a kept thumbnail is announced once and is the picture the bytes hold; every
// record reference the manager took is given back.

#include "fuzzsupport.h"

#include <lukbase/lugiftitem.h>
#include <lukbase/lugiftmanager.h>

#include "gifts/lugiftmanager_p.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>

namespace {

constexpr int kGiftId = 7;

struct Kind
{
    const char* fileName;
    int type;
    int flags;
};
// The thumbnail, the animation, the star logo (battle gift star gifts) and the Flash file.
const Kind kKinds[] = { { "7.png", LuGiftItem::OrdinaryGift, 0 }, { "7.gif", LuGiftItem::OrdinaryGift, 0 },
    { "7_star.gif", LuGiftItem::BattleStarGift, 0 }, { "7.swf", LuGiftItem::OrdinaryGift, LuGiftItem::FlashFlag } };

QTemporaryDir* s_root = nullptr;

class CountedGift : public LuGiftItem
{
public:
    CountedGift(int type, int flags, const QString& thumbnail, const QString& image, const QString& starLogo)
        : LuGiftItem(kGiftId, type, 0, QStringLiteral("Rose"), QString(), 10, 8, thumbnail, image, starLogo, flags)
    {
        ++alive;
    }
    ~CountedGift() override { --alive; }
    static inline int alive = 0;
};

QString path(const char* directory, const QString& name = QString())
{
    return QDir(s_root->filePath(QLatin1String(directory))).absoluteFilePath(name);
}

bool writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a file of this name must hold to be kept.
bool isOfKind(const QByteArray& bytes, const QString& fileName)
{
    if (fileName.endsWith(QLatin1String(".swf")))
        return bytes.startsWith("FWS") || bytes.startsWith("CWS") || bytes.startsWith("ZWS");
    if (fileName.endsWith(QLatin1String(".png")))
        return bytes.startsWith("\x89PNG\r\n\x1a\n") && !QImage::fromData(bytes, "PNG").isNull();
    return (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) && !QImage::fromData(bytes, "GIF").isNull();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    s_root = new QTemporaryDir;
    for (const char* directory : { "icons", "served", "gifts" })
        QDir().mkpath(path(directory));
    // Fallback icons of their kinds: Qt writes no GIF, so that one is spelt out (1 x 1 pixel).
    QImage icon(8, 8, QImage::Format_ARGB32);
    icon.fill(Qt::gray);
    const QByteArray gif("GIF89a\x01\0\x01\0\x80\0\0\0\0\0\xff\xff\xff,\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;", 35);
    if (!icon.save(path("icons", QStringLiteral("ugift.png")), "PNG")
        || !writeFile(path("icons", QStringLiteral("ugift.gif")), gif)
        || !writeFile(path("icons", QStringLiteral("ugift_star.gif")), gif))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const Kind& kind = kKinds[input.ConsumeIntegralInRange(0, 3)];
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));
    const QString fileName = QLatin1String(kind.fileName);
    const QString kept = path("gifts", fileName);
    for (const char* directory : { "gifts", "served" }) {
        QDir(path(directory)).removeRecursively();
        QDir().mkpath(path(directory));
    }
    if (!writeFile(path("served", fileName), bytes))
        std::abort();

    // The record lacks only the file under test: the others it has already (the icons).
    const auto fileOf = [&](const char* name) {
        return QLatin1String(kind.fileName) == QLatin1String(name)
            ? kept
            : path("icons", QString(name).replace(0, 1, QStringLiteral("ugift")));
    };
    auto* gift = new CountedGift(kind.type, kind.flags, fileOf("7.png"), fileOf("7.gif"), fileOf("7_star.gif"));
    gift->ref();
    int announced = 0;
    {
        LuGiftManager manager;
        QObject::connect(&manager, &LuGiftManager::thumbnailUpdated, [&](LuGiftItem* item) {
            FUZZ_CHECK(item == gift, "announced another record");
            ++announced;
        });
        manager.setIconsPath(path("icons"));
        manager.setGiftDirectory(path("gifts"));
        manager.setDownloadPrefix(QUrl::fromLocalFile(path("served")).toString());
        manager.downloadGiftResource(gift);
        manager.startDownloads();
        const LuGiftManagerPrivate* d = LuGiftManagerPrivate::get(&manager);
        QDeadlineTimer deadline(5000);
        // Fetched, then checked and saved on a worker thread.
        while ((!d->running.isEmpty() || !d->saving.isEmpty()) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        FUZZ_CHECK(d->running.isEmpty() && d->saving.isEmpty(), "a local file took more than five seconds");

        const QStringList left = QDir(path("gifts")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const bool saved = left == QStringList { fileName };
        FUZZ_CHECK(saved || left.isEmpty(), "left in the gift directory:" << left);
        FUZZ_CHECK(
            saved == isOfKind(bytes, fileName), (saved ? "kept as" : "refused as") << fileName << bytes.left(16));
        if (saved)
            FUZZ_CHECK(readFile(kept) == bytes, "kept" << readFile(kept).size() << "of" << bytes.size() << "bytes");

        const QString fallback
            = path("icons", QString(kind.fileName).replace(QLatin1String("7"), QLatin1String("ugift")));
        const QString pointed = kind.type == LuGiftItem::BattleStarGift ? gift->starLogoPath()
            : fileName.endsWith(QLatin1String(".png"))                  ? gift->thumbnailPath()
                                                                        : gift->imagePath();
        if (kind.flags == 0)
            FUZZ_CHECK(pointed == (saved ? kept : fallback), pointed << saved);
        if (fileName.endsWith(QLatin1String(".png"))) {
            FUZZ_CHECK(announced == (saved ? 1 : 0), announced << saved);
            if (saved)
                FUZZ_CHECK(gift->thumbnail() == QImage::fromData(bytes), "thumbnail differs from the bytes");
        }
    }
    // Posted deletions of replies, before the next input.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    gift->release();
    FUZZ_CHECK(CountedGift::alive == 0, "the manager kept a reference");
    return 0;
}
