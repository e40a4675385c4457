#include "lubgmusicmanager.h"
#include "lubgmusicmanager_p.h"
#include "lukbaselogging_p.h"

#include <zuzar/mcmediamanager.h>
#include <zuzar/processhooker.h>

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>

namespace {
const char kConfigPath[] = ":/config/bgmusic.xml";
const wchar_t kInstalledValue[] = L"DisplayIcon";
const wchar_t kHookModule[] = L"soundhook.dll";
} // namespace

LuBgMusicManagerPrivate::LuBgMusicManagerPrivate(LuBgMusicManager* q)
    : q_ptr(q)
{
}

LuBgMusicManagerPrivate::~LuBgMusicManagerPrivate() = default;

void LuBgMusicManagerPrivate::loadConfig()
{
    QFile file(QString::fromLatin1(kConfigPath));
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcMedia) << "open bgmusic.xml failed:" << file.errorString();
        return;
    }

    QDomDocument document;
    QString error;
    if (!document.setContent(&file, &error)) {
        qCWarning(lcMedia) << "parse bgmusic.xml failed:" << error;
        return;
    }

    const QDomElement root = document.documentElement();
    if (root.isNull()) {
        qCWarning(lcMedia) << "bgmusic.xml has no root";
        return;
    }

    const QString itemTag = QStringLiteral("item");
    for (QDomElement element = root.firstChildElement(itemTag); !element.isNull();
         element = element.nextSiblingElement(itemTag)) {
        const QString regkey = element.attribute(QStringLiteral("regkey"));
        // Only installed players are offered; the path itself is looked up again at start.
        if (ProcessHooker::findPathByRegKey(regkey.toStdWString(), kInstalledValue).empty())
            continue;
        items.append(LuBgMusicItem(
            element.attribute(QStringLiteral("name")), regkey, element.attribute(QStringLiteral("exename"))));
    }
}

McMediaManager* LuBgMusicManagerPrivate::liveMediaManager() const
{
    if (mediaManagerIsObject && !mediaManagerGuard)
        return nullptr;
    return mediaManager;
}

QString LuBgMusicManagerPrivate::processName(const LuBgMusicItem& item)
{
    if (!item.exename().isEmpty())
        return item.exename();
    const QString name = item.name();
    int separator = name.lastIndexOf(QLatin1Char('\\'));
    if (separator < 0)
        separator = name.lastIndexOf(QLatin1Char('/'));
    return name.mid(separator + 1);
}

void LuBgMusicManagerPrivate::startPlayer()
{
    if (hooker || current.name().isEmpty())
        return;

    std::wstring exeName = processName(current).toStdWString();
    const QString hookDirectory = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    hooker = std::make_unique<ProcessHooker>(exeName, hookDirectory.toStdWString(), kHookModule);

    unsigned long pid = 0;
    if (current.regkey().isEmpty()) {
        std::wstring path = current.name().toStdWString();
        pid = ProcessHooker::startProcess(exeName, path);
    } else {
        pid = ProcessHooker::findProcessPathAndStart(current.regkey().toStdWString(), kInstalledValue, exeName);
    }

    // The hooker stays even when the injection failed, so that a stop or change still
    // takes back whatever part of the hook did get in.
    if (!hooker->injectDll(pid))
        qCWarning(lcMedia) << "inject music process failed:" << current.name();

    if (McMediaManager* manager = liveMediaManager())
        manager->enableDSoundHooker(true);
}

void LuBgMusicManagerPrivate::releaseHooker()
{
    if (McMediaManager* manager = liveMediaManager())
        manager->enableDSoundHooker(false);
    hooker->unInjectDll();
    hooker.reset();
}

LuBgMusicManager* LuBgMusicManager::instance()
{
    static LuBgMusicManager manager;
    return &manager;
}

LuBgMusicManager::LuBgMusicManager(QObject* parent)
    : QObject(parent)
    , d_ptr(new LuBgMusicManagerPrivate(this))
{
    Q_D(LuBgMusicManager);
    d->loadConfig();
}

LuBgMusicManager::~LuBgMusicManager()
{
    Q_D(LuBgMusicManager);
    if (d->hooker)
        d->releaseHooker();
}

QList<LuBgMusicItem> LuBgMusicManager::items() const
{
    Q_D(const LuBgMusicManager);
    return d->items;
}

LuBgMusicItem LuBgMusicManager::item(int index) const
{
    Q_D(const LuBgMusicManager);
    return d->items.value(index);
}

LuBgMusicItem LuBgMusicManager::currentItem() const
{
    Q_D(const LuBgMusicManager);
    return d->current;
}

void LuBgMusicManager::setCurrentItem(const LuBgMusicItem& item)
{
    Q_D(LuBgMusicManager);
    d->current = item;
    if (!d->started)
        return;
    if (d->hooker)
        d->releaseHooker();
    d->startPlayer();
}

void LuBgMusicManager::startMusic()
{
    Q_D(LuBgMusicManager);
    if (d->started)
        return;
    d->started = true;
    d->startPlayer();
}

void LuBgMusicManager::stopMusic()
{
    Q_D(LuBgMusicManager);
    if (!d->started)
        return;
    d->started = false;
    if (d->hooker)
        d->releaseHooker();
}

void LuBgMusicManager::setMediaManager(McMediaManager* manager)
{
    Q_D(LuBgMusicManager);
    d->mediaManager = manager;
    QObject* object = dynamic_cast<QObject*>(manager);
    d->mediaManagerIsObject = object != nullptr;
    d->mediaManagerGuard = object;
}

McMediaManager* LuBgMusicManager::mediaManager() const
{
    Q_D(const LuBgMusicManager);
    return d->liveMediaManager();
}
