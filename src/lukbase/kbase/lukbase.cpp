#include "lukbase.h"
#include "lukbase_p.h"
#include "lukbaselogging_p.h"
#include "luktvlocaluser.h"

#include <lukbase/lugiftstarmanager.h>

#include <lucore/lusysinfo.h>

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

LuKBasePrivate& LuKBasePrivate::instance()
{
    static LuKBasePrivate state;
    return state;
}

namespace {

const char kDefaultLocale[] = "zh_CN";

void warn(const char* message)
{
    qCWarning(lcKBase, "%s", message);
}

// "name/version", the name alone without a version, null without a name.
QString describe(const QString& name, const QString& version)
{
    if (name.isEmpty())
        return QString();
    if (version.isEmpty())
        return name;
    return name + QLatin1Char('/') + version;
}

// D, created if missing. An empty or relative location would be the working directory,
// shared by every user and often the application's own: it counts as not made.
bool enterDataDirectory(QDir& dir)
{
    const QString location = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    dir = QDir(location);
    if (!QDir::isAbsolutePath(location) || !dir.mkpath(QStringLiteral("."))) {
        warn("can not make data directory");
        return false;
    }
    return true;
}

// Makes and enters one level below dir.
bool enterSubdirectory(QDir& dir, const QString& sub, const char* makeWarning, const char* cdWarning)
{
    if (!dir.mkpath(sub)) {
        warn(makeWarning);
        return false;
    }
    if (!dir.cd(sub)) {
        warn(cdWarning);
        return false;
    }
    return true;
}

// D/sub, created if missing.
QString dataSubdirectory(const char* sub, const char* makeWarning, const char* cdWarning)
{
    QDir dir;
    if (!enterDataDirectory(dir) || !enterSubdirectory(dir, QLatin1String(sub), makeWarning, cdWarning))
        return QString();
    return dir.absolutePath();
}

// The path of name in the resource directory sub (the current directory when sub is missing).
QString resourceFilePath(const char* sub, const QString& name)
{
    return QDir(LuKBase::resourceDirectory(QLatin1String(sub))).absoluteFilePath(name);
}

} // namespace

namespace LuKBase {

void initialize()
{
    LuKBasePrivate& d = LuKBasePrivate::instance();
    if (d.appSettings) {
        qCWarning(lcKBase, "LuKBase::initialize: already initialized");
        return;
    }
    d.appSettings = new QSettings(dataFilePath(QStringLiteral("config.ini")), QSettings::IniFormat);
    d.giftStars = new LuGiftStarManager;
}

void finalize()
{
    LuKBasePrivate& d = LuKBasePrivate::instance();
    delete d.giftStars;
    d.giftStars = nullptr;
    delete d.appSettings;
    d.appSettings = nullptr;
    delete d.userSettings;
    d.userSettings = nullptr;
}

QSettings* appSettings()
{
    LuKBasePrivate& d = LuKBasePrivate::instance();
    if (!d.appSettings) {
        qCWarning(lcKBase, "LuKBase::appSettings: called before initialize() or after finalize()");
        return nullptr;
    }
    d.appSettings->sync();
    return d.appSettings;
}

QSettings* userSettings()
{
    LuKBasePrivate& d = LuKBasePrivate::instance();
    const int id = LuKtvLocalUser::instance()->userid();
    if (d.userSettings && d.userSettingsId == id) {
        d.userSettings->sync();
        return d.userSettings;
    }
    // Without a user directory the settings live in memory only, never in the working
    // directory; userDirectory() has said why.
    const QString directory = userDirectory();
    const QString path
        = directory.isNull() ? QString() : QDir(directory).absoluteFilePath(QStringLiteral("config.ini"));
    delete d.userSettings;
    d.userSettings = new QSettings(path, QSettings::IniFormat);
    d.userSettingsId = id;
    return d.userSettings;
}

QString localeName()
{
    QSettings* settings = LuKBasePrivate::instance().appSettings;
    if (!settings) {
        qCWarning(lcKBase, "LuKBase::localeName: called before initialize() or after finalize()");
        return QString::fromLatin1(kDefaultLocale);
    }
    settings->beginGroup(QStringLiteral("Application"));
    const QString name = settings->value(QStringLiteral("locale"), QString::fromLatin1(kDefaultLocale)).toString();
    settings->endGroup();
    return name.isEmpty() ? QLocale::system().name() : name;
}

QString applicationInfo()
{
    return describe(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
}

QString platformInfo()
{
    return describe(QString::fromUtf8(luGetOSName()), QString::fromUtf8(luGetOSVersion()));
}

QString deviceInfo()
{
    return QString::fromUtf8(luGetDeviceName());
}

QString dataFilePath(const QString& name)
{
    QDir dir;
    if (!enterDataDirectory(dir))
        return QString();
    return dir.absoluteFilePath(name);
}

QString userDirectory()
{
    QDir dir;
    if (!enterDataDirectory(dir)
        || !enterSubdirectory(
            dir, QStringLiteral("users"), "can not make users directory", "can not cd to users directory"))
        return QString();
    // The id is atomic: any thread may read it without the local user's lock.
    const QString id = QString::number(LuKtvLocalUser::instance()->userid(), 10);
    if (!enterSubdirectory(dir, id, "can not make userid directory", "can not cd to userid directory"))
        return QString();
    return dir.absolutePath();
}

QString userFilePath(const QString& name)
{
    return QDir(userDirectory()).absoluteFilePath(name);
}

QString logDirectory()
{
    return dataSubdirectory("logs", "can not make logs directory", "can not cd to logs directory");
}

QString logFilePath(const QString& name)
{
    return QDir(logDirectory()).absoluteFilePath(name);
}

QString downloadDirectory()
{
    return dataSubdirectory("downloads", "can not make downloads directory", "can not cd to downloads directory");
}

QString customHeadDirectory(const QString& name)
{
    QDir dir;
    if (!enterDataDirectory(dir)
        || !enterSubdirectory(
            dir, QStringLiteral("heads"), "can not make heads directory", "can not cd to heads directory"))
        return QString();
    return dir.absoluteFilePath(name);
}

QString giftDirectory()
{
    return dataSubdirectory("gifts", "can not make gifts directory", "can not cd to gifts directory");
}

QString snapshotDirectory()
{
    return dataSubdirectory("snapshot", "can not make snapshot directory", "can not cd to snapshot directory");
}

QString pluginsDirectory()
{
    return dataSubdirectory("plugins", "can not make plugins directory", "can not cd to plugins directory");
}

void setResourceDirectory(const QString& path)
{
    LuKBasePrivate::instance().resourceDirectory = path;
}

QString resourceDirectory(const QString& sub)
{
    const QString& root = LuKBasePrivate::instance().resourceDirectory;
    QDir dir(root.isEmpty() ? QCoreApplication::applicationDirPath() : root);
    if (!sub.isEmpty() && !dir.cd(sub)) {
        warn("can not cd to resource directory");
        return QString();
    }
    return dir.absolutePath();
}

QString translationsDirectory()
{
    return resourceDirectory(QStringLiteral("translations"));
}

QString flowerFilePath(const QString& name)
{
    QDir dir(resourceDirectory(QStringLiteral("emotion")));
    if (!dir.cd(QStringLiteral("mood"))) {
        warn("can not cd to mood directory");
        return QString();
    }
    return dir.absoluteFilePath(name);
}

QString iconFilePath(const QString& name)
{
    return resourceFilePath("icons", name);
}

QString flashFilePath(const QString& name)
{
    return resourceFilePath("flash", name);
}

QString soundFilePath(const QString& name)
{
    return resourceFilePath("sound", name);
}

QString stampFilePath(const QString& name)
{
    return resourceFilePath("stamp", name);
}

QString enterGiftPath(const QString& name)
{
    return resourceFilePath("entergif", name);
}

} // namespace LuKBase
