#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

using PathFunction = std::function<QString()>;

// Occupies path with a regular file, so that no directory can be made there.
void blockWithFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a directory");
}

void writeIni(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class tst_LuKBase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void dataDirectories_data();
    void dataDirectories();
    void dataDirectoryBlocked_data();
    void dataDirectoryBlocked();
    void subdirectoryBlocked_data();
    void subdirectoryBlocked();
    void failureIsNotRemembered();
    void filePaths_data();
    void filePaths();
    void userDirectoryFollowsUserId();

    void resourcePaths_data();
    void resourcePaths();
    void resourceRoot();
    void missingResourceDirectory();
    void missingEmotionDirectory();

    void settingsOutsideInitialize();
    void initializeAndFinalize();
    void initializeWithoutDataDirectory();
    void appSettingsSyncsWithFile();
    void localeName_data();
    void localeName();
    void userSettingsFollowUserId();

    void applicationInfo_data();
    void applicationInfo();
    void platformAndDevice();

private:
    QString dataDir() const { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation); }

    QTemporaryDir m_home;
    QTemporaryDir m_resources;
};

void tst_LuKBase::initTestCase()
{
    QVERIFY(m_home.isValid());
    QVERIFY(m_resources.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(dataDir().startsWith(m_home.path()));
}

void tst_LuKBase::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QDir(dataDir()).removeRecursively();
    QFile::remove(dataDir());
    LuKtvLocalUser::instance()->setUserId(0);
    LuKBase::setResourceDirectory(QString());
}

void tst_LuKBase::cleanup()
{
    LuKBase::finalize();
    QFile::remove(dataDir());
    QDir(dataDir()).removeRecursively();
}

void tst_LuKBase::dataDirectories_data()
{
    QTest::addColumn<PathFunction>("function");
    QTest::addColumn<QString>("subdirectory");

    QTest::newRow("logs") << PathFunction(LuKBase::logDirectory) << "logs";
    QTest::newRow("downloads") << PathFunction(LuKBase::downloadDirectory) << "downloads";
    QTest::newRow("heads") << PathFunction([] { return LuKBase::customHeadDirectory(QString()); }) << "heads";
    QTest::newRow("gifts") << PathFunction(LuKBase::giftDirectory) << "gifts";
    QTest::newRow("snapshot") << PathFunction(LuKBase::snapshotDirectory) << "snapshot";
    QTest::newRow("plugins") << PathFunction(LuKBase::pluginsDirectory) << "plugins";
    QTest::newRow("user 0") << PathFunction(LuKBase::userDirectory) << "users/0";
    QTest::newRow("data itself") << PathFunction([] { return LuKBase::dataFilePath(QString()); }) << ".";
}

void tst_LuKBase::dataDirectories()
{
    QFETCH(PathFunction, function);
    QFETCH(QString, subdirectory);

    const QString expected = QDir::cleanPath(dataDir() + QLatin1Char('/') + subdirectory);
    QVERIFY(!QFileInfo::exists(dataDir()));
    QCOMPARE(function(), expected);
    QVERIFY(QFileInfo(expected).isDir());
    // Made on demand, and found again on the next call.
    QCOMPARE(function(), expected);
}

void tst_LuKBase::dataDirectoryBlocked_data()
{
    dataDirectories_data();
}

void tst_LuKBase::dataDirectoryBlocked()
{
    QFETCH(PathFunction, function);

    blockWithFile(dataDir());
    QTest::ignoreMessage(QtWarningMsg, "can not make data directory");
    QVERIFY(function().isNull());
}

void tst_LuKBase::subdirectoryBlocked_data()
{
    QTest::addColumn<PathFunction>("function");
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("warning");

    QTest::newRow("logs") << PathFunction(LuKBase::logDirectory) << "logs"
                          << "can not make logs directory";
    QTest::newRow("downloads") << PathFunction(LuKBase::downloadDirectory) << "downloads"
                               << "can not make downloads directory";
    QTest::newRow("heads") << PathFunction([] { return LuKBase::customHeadDirectory(QStringLiteral("me.png")); })
                           << "heads"
                           << "can not make heads directory";
    QTest::newRow("gifts") << PathFunction(LuKBase::giftDirectory) << "gifts"
                           << "can not make gifts directory";
    QTest::newRow("snapshot") << PathFunction(LuKBase::snapshotDirectory) << "snapshot"
                              << "can not make snapshot directory";
    QTest::newRow("plugins") << PathFunction(LuKBase::pluginsDirectory) << "plugins"
                             << "can not make plugins directory";
    QTest::newRow("users") << PathFunction(LuKBase::userDirectory) << "users"
                           << "can not make users directory";
    QTest::newRow("user id") << PathFunction(LuKBase::userDirectory) << "users/0"
                             << "can not make userid directory";
}

void tst_LuKBase::subdirectoryBlocked()
{
    QFETCH(PathFunction, function);
    QFETCH(QString, blocked);
    QFETCH(QString, warning);

    blockWithFile(dataDir() + QLatin1Char('/') + blocked);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QVERIFY(function().isNull());
}

void tst_LuKBase::failureIsNotRemembered()
{
    blockWithFile(dataDir() + QStringLiteral("/logs"));
    QTest::ignoreMessage(QtWarningMsg, "can not make logs directory");
    QVERIFY(LuKBase::logDirectory().isNull());

    QVERIFY(QFile::remove(dataDir() + QStringLiteral("/logs")));
    QCOMPARE(LuKBase::logDirectory(), dataDir() + QStringLiteral("/logs"));

    // A directory removed behind the library's back is made again.
    QVERIFY(QDir(dataDir() + QStringLiteral("/logs")).removeRecursively());
    QCOMPARE(LuKBase::logDirectory(), dataDir() + QStringLiteral("/logs"));
    QVERIFY(QFileInfo(dataDir() + QStringLiteral("/logs")).isDir());
}

void tst_LuKBase::filePaths_data()
{
    QTest::addColumn<PathFunction>("function");
    QTest::addColumn<QString>("expected");

    const QString absolute = QDir::rootPath() + QStringLiteral("elsewhere/file.txt");
    QTest::newRow("data") << PathFunction([] { return LuKBase::dataFilePath(QStringLiteral("config.ini")); })
                          << "config.ini";
    QTest::newRow("data, nested name") << PathFunction([] { return LuKBase::dataFilePath(QStringLiteral("a/b.txt")); })
                                       << "a/b.txt";
    QTest::newRow("data, absolute name") << PathFunction([=] { return LuKBase::dataFilePath(absolute); }) << absolute;
    QTest::newRow("user") << PathFunction([] { return LuKBase::userFilePath(QStringLiteral("config.ini")); })
                          << "users/0/config.ini";
    QTest::newRow("user, empty name") << PathFunction([] { return LuKBase::userFilePath(QString()); }) << "users/0";
    QTest::newRow("log") << PathFunction([] { return LuKBase::logFilePath(QStringLiteral("room.log")); })
                         << "logs/room.log";
    QTest::newRow("log, absolute name") << PathFunction([=] { return LuKBase::logFilePath(absolute); }) << absolute;
    QTest::newRow("head") << PathFunction([] { return LuKBase::customHeadDirectory(QStringLiteral("me.png")); })
                          << "heads/me.png";
}

void tst_LuKBase::filePaths()
{
    QFETCH(PathFunction, function);
    QFETCH(QString, expected);

    const QString path = function();
    if (QDir::isAbsolutePath(expected))
        QCOMPARE(path, expected);
    else
        QCOMPARE(path, dataDir() + QLatin1Char('/') + expected);
    // Only directories are made, never the file itself.
    QVERIFY(!QFileInfo(path).isFile());
}

void tst_LuKBase::userDirectoryFollowsUserId()
{
    QCOMPARE(LuKBase::userDirectory(), dataDir() + QStringLiteral("/users/0"));
    LuKtvLocalUser::instance()->setUserId(4242);
    QCOMPARE(LuKBase::userDirectory(), dataDir() + QStringLiteral("/users/4242"));
    LuKtvLocalUser::instance()->setUserId(-7);
    QCOMPARE(LuKBase::userDirectory(), dataDir() + QStringLiteral("/users/-7"));
    QVERIFY(QFileInfo(dataDir() + QStringLiteral("/users/4242")).isDir());
}

void tst_LuKBase::resourcePaths_data()
{
    QTest::addColumn<PathFunction>("function");
    QTest::addColumn<QString>("expected");

    QTest::newRow("translations") << PathFunction(LuKBase::translationsDirectory) << "translations";
    QTest::newRow("flower dir") << PathFunction([] { return LuKBase::flowerFilePath(QString()); }) << "emotion/mood";
    QTest::newRow("flower") << PathFunction([] { return LuKBase::flowerFilePath(QStringLiteral("f.txt")); })
                            << "emotion/mood/f.txt";
    QTest::newRow("icon dir") << PathFunction([] { return LuKBase::iconFilePath(QString()); }) << "icons";
    QTest::newRow("icon") << PathFunction([] { return LuKBase::iconFilePath(QStringLiteral("ugift.png")); })
                          << "icons/ugift.png";
    QTest::newRow("flash dir") << PathFunction([] { return LuKBase::flashFilePath(QString()); }) << "flash";
    QTest::newRow("flash") << PathFunction([] { return LuKBase::flashFilePath(QStringLiteral("a.swf")); })
                           << "flash/a.swf";
    QTest::newRow("sound dir") << PathFunction([] { return LuKBase::soundFilePath(QString()); }) << "sound";
    QTest::newRow("sound") << PathFunction([] { return LuKBase::soundFilePath(QStringLiteral("ding.wav")); })
                           << "sound/ding.wav";
    QTest::newRow("stamp") << PathFunction([] { return LuKBase::stampFilePath(QStringLiteral("s.png")); })
                           << "stamp/s.png";
    QTest::newRow("enter gift") << PathFunction([] { return LuKBase::enterGiftPath(QStringLiteral("car.gif")); })
                                << "entergif/car.gif";
    QTest::newRow("resource sub") << PathFunction([] { return LuKBase::resourceDirectory(QStringLiteral("icons")); })
                                  << "icons";
}

void tst_LuKBase::resourcePaths()
{
    QFETCH(PathFunction, function);
    QFETCH(QString, expected);

    const QString root = m_resources.path();
    for (const char* sub : { "translations", "emotion/mood", "icons", "flash", "sound", "stamp", "entergif" })
        QVERIFY(QDir(root).mkpath(QLatin1String(sub)));
    LuKBase::setResourceDirectory(root);

    QCOMPARE(function(), QDir(root).absolutePath() + QLatin1Char('/') + expected);
}

void tst_LuKBase::resourceRoot()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    QCOMPARE(LuKBase::resourceDirectory(), appDir);
    QCOMPARE(LuKBase::resourceDirectory(QString()), appDir);

    // Stored unchecked: a root that does not exist is the root all the same.
    const QString missing = m_resources.path() + QStringLiteral("/not-there");
    LuKBase::setResourceDirectory(missing);
    QCOMPARE(LuKBase::resourceDirectory(), missing);

    LuKBase::setResourceDirectory(m_resources.path());
    QCOMPARE(LuKBase::resourceDirectory(), m_resources.path());
    LuKBase::setResourceDirectory(QString());
    QCOMPARE(LuKBase::resourceDirectory(), appDir);
    // Nothing is made on the resource side.
    QVERIFY(!QFileInfo::exists(missing));
}

void tst_LuKBase::missingResourceDirectory()
{
    QTemporaryDir empty;
    LuKBase::setResourceDirectory(empty.path());

    QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
    QVERIFY(LuKBase::translationsDirectory().isNull());

    // Later paths are built on the current directory, as a QDir on an empty path is.
    QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
    QCOMPARE(LuKBase::soundFilePath(QStringLiteral("ding.wav")), QDir::current().absoluteFilePath("ding.wav"));
    QVERIFY(!QFileInfo::exists(empty.path() + QStringLiteral("/sound")));
}

void tst_LuKBase::missingEmotionDirectory()
{
    QTemporaryDir root;
    LuKBase::setResourceDirectory(root.path());
    const QString previous = QDir::currentPath();
    QTemporaryDir current;
    QVERIFY(QDir::setCurrent(current.path()));

    QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
    QTest::ignoreMessage(QtWarningMsg, "can not cd to mood directory");
    QVERIFY(LuKBase::flowerFilePath(QStringLiteral("f.txt")).isNull());

    // With a "mood" directory in the current directory, that one is used.
    QVERIFY(QDir(current.path()).mkdir(QStringLiteral("mood")));
    QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
    QCOMPARE(LuKBase::flowerFilePath(QStringLiteral("f.txt")), QDir(current.path()).absolutePath() + "/mood/f.txt");

    QVERIFY(QDir::setCurrent(previous));
}

void tst_LuKBase::settingsOutsideInitialize()
{
    QTest::ignoreMessage(QtWarningMsg, "LuKBase::appSettings: called before initialize() or after finalize()");
    QVERIFY(!LuKBase::appSettings());
    QTest::ignoreMessage(QtWarningMsg, "LuKBase::localeName: called before initialize() or after finalize()");
    QCOMPARE(LuKBase::localeName(), QStringLiteral("zh_CN"));

    LuKBase::initialize();
    LuKBase::finalize();
    QTest::ignoreMessage(QtWarningMsg, "LuKBase::appSettings: called before initialize() or after finalize()");
    QVERIFY(!LuKBase::appSettings());
    QTest::ignoreMessage(QtWarningMsg, "LuKBase::localeName: called before initialize() or after finalize()");
    QCOMPARE(LuKBase::localeName(), QStringLiteral("zh_CN"));
    // A second finalize() is harmless.
    LuKBase::finalize();
}

void tst_LuKBase::initializeAndFinalize()
{
    LuKBase::initialize();
    QVERIFY(QFileInfo(dataDir()).isDir());
    QSettings* settings = LuKBase::appSettings();
    QVERIFY(settings);
    QCOMPARE(settings->format(), QSettings::IniFormat);
    QCOMPARE(settings->fileName(), dataDir() + QStringLiteral("/config.ini"));
    QCOMPARE(LuKBase::appSettings(), settings);

    settings->setValue(QStringLiteral("Application/locale"), QStringLiteral("en_GB"));
    LuKBase::finalize();

    // Pending changes reach the file when the settings go.
    QSettings onDisk(dataDir() + QStringLiteral("/config.ini"), QSettings::IniFormat);
    QCOMPARE(onDisk.value(QStringLiteral("Application/locale")).toString(), QStringLiteral("en_GB"));

    LuKBase::initialize();
    QCOMPARE(LuKBase::localeName(), QStringLiteral("en_GB"));

    QTest::ignoreMessage(QtWarningMsg, "LuKBase::initialize: already initialized");
    LuKBase::initialize();
    QCOMPARE(LuKBase::localeName(), QStringLiteral("en_GB"));
}

void tst_LuKBase::initializeWithoutDataDirectory()
{
    blockWithFile(dataDir());
    QTest::ignoreMessage(QtWarningMsg, "can not make data directory");
    LuKBase::initialize();
    // The settings object exists all the same, on an empty file name.
    QSettings* settings = LuKBase::appSettings();
    QVERIFY(settings);
    QVERIFY(settings->fileName().isEmpty());
    QCOMPARE(LuKBase::localeName(), QStringLiteral("zh_CN"));
}

void tst_LuKBase::appSettingsSyncsWithFile()
{
    LuKBase::initialize();
    QSettings* settings = LuKBase::appSettings();
    QVERIFY(!settings->contains(QStringLiteral("Room/last")));

    QSettings other(dataDir() + QStringLiteral("/config.ini"), QSettings::IniFormat);
    other.setValue(QStringLiteral("Room/last"), 77);
    other.sync();

    QCOMPARE(LuKBase::appSettings()->value(QStringLiteral("Room/last")).toInt(), 77);
}

void tst_LuKBase::localeName_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no file") << QByteArray() << "zh_CN";
    QTest::newRow("no key") << QByteArray("[Application]\nother=1\n") << "zh_CN";
    QTest::newRow("key in another group") << QByteArray("[General]\nlocale=fr_FR\n") << "zh_CN";
    QTest::newRow("empty key") << QByteArray("[Application]\nlocale=\n") << QLocale::system().name();
    QTest::newRow("set") << QByteArray("[Application]\nlocale=en_US\n") << "en_US";
    QTest::newRow("kept unchanged") << QByteArray("[Application]\nlocale=not a locale\n") << "not a locale";
}

void tst_LuKBase::localeName()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, expected);

    if (!ini.isNull())
        writeIni(dataDir() + QStringLiteral("/config.ini"), ini);
    LuKBase::initialize();
    QCOMPARE(LuKBase::localeName(), expected);
    // Reading the locale leaves the settings' group as it was.
    QVERIFY(LuKBase::appSettings()->group().isEmpty());
}

void tst_LuKBase::userSettingsFollowUserId()
{
    LuKBase::initialize();
    LuKtvLocalUser::instance()->setUserId(1);
    QSettings* first = LuKBase::userSettings();
    QVERIFY(first);
    QCOMPARE(first->format(), QSettings::IniFormat);
    QCOMPARE(first->fileName(), dataDir() + QStringLiteral("/users/1/config.ini"));
    QCOMPARE(LuKBase::userSettings(), first);
    first->setValue(QStringLiteral("Audio/input_device"), QStringLiteral("Mic 1"));

    LuKtvLocalUser::instance()->setUserId(2);
    QSettings* second = LuKBase::userSettings();
    QCOMPARE(second->fileName(), dataDir() + QStringLiteral("/users/2/config.ini"));
    QVERIFY(!second->contains(QStringLiteral("Audio/input_device")));
    second->setValue(QStringLiteral("Audio/input_device"), QStringLiteral("Mic 2"));

    // Back to the first user: the value written before the switch was kept on disk.
    LuKtvLocalUser::instance()->setUserId(1);
    QCOMPARE(LuKBase::userSettings()->value(QStringLiteral("Audio/input_device")).toString(), QStringLiteral("Mic 1"));

    LuKBase::finalize();
    QSettings secondOnDisk(dataDir() + QStringLiteral("/users/2/config.ini"), QSettings::IniFormat);
    QCOMPARE(secondOnDisk.value(QStringLiteral("Audio/input_device")).toString(), QStringLiteral("Mic 2"));

    // After finalize() a new object is opened on demand.
    LuKtvLocalUser::instance()->setUserId(2);
    QCOMPARE(LuKBase::userSettings()->value(QStringLiteral("Audio/input_device")).toString(), QStringLiteral("Mic 2"));
}

void tst_LuKBase::applicationInfo_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("expected");

    QTest::newRow("name and version") << "ktvroom"
                                      << "2.5.1"
                                      << "ktvroom/2.5.1";
    QTest::newRow("name only") << "ktvroom" << QString() << "ktvroom";
    // With an application object the name is never empty: Qt falls back to the executable's.
    QTest::newRow("name from the executable") << QString() << "2.5.1"
                                              << "tst_lukbase/2.5.1";
}

void tst_LuKBase::applicationInfo()
{
    QFETCH(QString, name);
    QFETCH(QString, version);
    QFETCH(QString, expected);

    const QString oldName = QCoreApplication::applicationName();
    const QString oldVersion = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(version);
    const QString info = LuKBase::applicationInfo();
    QCoreApplication::setApplicationName(oldName);
    QCoreApplication::setApplicationVersion(oldVersion);

    QCOMPARE(info, expected);
    QCOMPARE(info.isNull(), expected.isNull());
}

void tst_LuKBase::platformAndDevice()
{
    const QString os = QSysInfo::productType();
    const QString version = QSysInfo::productVersion();
    QString expected = os;
    if (!os.isEmpty() && !version.isEmpty())
        expected += QLatin1Char('/') + version;
    QCOMPARE(LuKBase::platformInfo(), expected);
    QCOMPARE(LuKBase::deviceInfo(), QSysInfo::machineHostName());
}

QTEST_GUILESS_MAIN(tst_LuKBase)
#include "tst_lukbase.moc"
