#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using PathFunction = std::function<QString()>;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

const char kOutsideSettings[] = "LuKBase::appSettings: called before initialize() or after finalize()";
const char kOutsideLocale[] = "LuKBase::localeName: called before initialize() or after finalize()";

} // namespace

class tst_LuKBase : public QObject
{
    Q_OBJECT

    QString dataDir() const { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation); }
    QString inData(const QString& path) const { return QDir::cleanPath(dataDir() + QLatin1Char('/') + path); }

    QTemporaryDir m_home;
    QTemporaryDir m_resources;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid() && m_resources.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dataDir().startsWith(m_home.path()));
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        LuKtvLocalUser::instance()->setUserId(0);
        LuKBase::setResourceDirectory(QString());
    }

    void cleanup()
    {
        LuKBase::finalize();
        QFile::remove(dataDir());
        QDir(dataDir()).removeRecursively();
    }

    void dataDirectories_data();
    void dataDirectories();
    void blockedDirectories_data();
    void blockedDirectories();
    void filePaths_data();
    void filePaths();
    void resourcePaths_data();
    void resourcePaths();
    void missingResources();
    void settingsOutsideInitialize();
    void initializeAndFinalize();
    void initializeWithoutDataDirectory();
    void localeName_data();
    void localeName();
    void userSettingsFollowUserId();
    void nothingInWorkingDirectory();
    void applicationInfo_data();
    void applicationInfo();
};

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

// Made on demand, found again on the next call, and made again when removed behind our back.
void tst_LuKBase::dataDirectories()
{
    QFETCH(PathFunction, function);
    QFETCH(QString, subdirectory);

    const QString expected = inData(subdirectory);
    QVERIFY(!QFileInfo::exists(dataDir()));
    QCOMPARE(function(), expected);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(function(), expected);
    QVERIFY(QDir(dataDir()).removeRecursively());
    QCOMPARE(function(), expected);
    QVERIFY(QFileInfo(expected).isDir());
}

void tst_LuKBase::blockedDirectories_data()
{
    QTest::addColumn<PathFunction>("function");
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("warning");

    const auto row = [](const char* name, PathFunction function, const char* blocked, const char* warning) {
        QTest::newRow(name) << function << QString::fromLatin1(blocked) << QString::fromLatin1(warning);
    };
    row(
        "data, by data file", [] { return LuKBase::dataFilePath(QStringLiteral("a")); }, ".",
        "can not make data directory");
    row("data, by logs", LuKBase::logDirectory, ".", "can not make data directory");
    row("data, by user", LuKBase::userDirectory, ".", "can not make data directory");
    row("logs", LuKBase::logDirectory, "logs", "can not make logs directory");
    row("downloads", LuKBase::downloadDirectory, "downloads", "can not make downloads directory");
    row(
        "heads", [] { return LuKBase::customHeadDirectory(QStringLiteral("me.png")); }, "heads",
        "can not make heads directory");
    row("gifts", LuKBase::giftDirectory, "gifts", "can not make gifts directory");
    row("snapshot", LuKBase::snapshotDirectory, "snapshot", "can not make snapshot directory");
    row("plugins", LuKBase::pluginsDirectory, "plugins", "can not make plugins directory");
    row("users", LuKBase::userDirectory, "users", "can not make users directory");
    row("user id", LuKBase::userDirectory, "users/0", "can not make userid directory");
}

// A regular file where a directory belongs: one warning, a null path, and no memory of the
// failure once the file is gone.
void tst_LuKBase::blockedDirectories()
{
    QFETCH(PathFunction, function);
    QFETCH(QString, blocked);
    QFETCH(QString, warning);

    writeFile(inData(blocked), "not a directory");
    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    QVERIFY(function().isNull());

    QVERIFY(QFile::remove(inData(blocked)));
    QVERIFY(!function().isNull());
}

void tst_LuKBase::filePaths_data()
{
    QTest::addColumn<PathFunction>("function");
    QTest::addColumn<QString>("expected");

    const QString absolute = QDir::rootPath() + QStringLiteral("elsewhere/file.txt");
    QTest::newRow("data") << PathFunction([] { return LuKBase::dataFilePath(QStringLiteral("config.ini")); })
                          << "config.ini";
    QTest::newRow("data, absolute name") << PathFunction([=] { return LuKBase::dataFilePath(absolute); }) << absolute;
    QTest::newRow("user") << PathFunction([] { return LuKBase::userFilePath(QStringLiteral("config.ini")); })
                          << "users/0/config.ini";
    QTest::newRow("user, empty name") << PathFunction([] { return LuKBase::userFilePath(QString()); }) << "users/0";
    QTest::newRow("user 4242") << PathFunction([] {
        LuKtvLocalUser::instance()->setUserId(4242);
        return LuKBase::userFilePath(QStringLiteral("a.txt"));
    }) << "users/4242/a.txt";
    QTest::newRow("log") << PathFunction([] { return LuKBase::logFilePath(QStringLiteral("room.log")); })
                         << "logs/room.log";
    QTest::newRow("head") << PathFunction([] { return LuKBase::customHeadDirectory(QStringLiteral("me.png")); })
                          << "heads/me.png";
}

void tst_LuKBase::filePaths()
{
    QFETCH(PathFunction, function);
    QFETCH(QString, expected);

    const QString path = function();
    QCOMPARE(path, QDir::isAbsolutePath(expected) ? expected : inData(expected));
    // Only directories are made, never the file itself.
    QVERIFY(!QFileInfo(path).isFile());
}

void tst_LuKBase::resourcePaths_data()
{
    QTest::addColumn<PathFunction>("function");
    QTest::addColumn<QString>("expected");

    QTest::newRow("root") << PathFunction([] { return LuKBase::resourceDirectory(QString()); }) << "";
    QTest::newRow("translations") << PathFunction(LuKBase::translationsDirectory) << "translations";
    QTest::newRow("flower dir") << PathFunction([] { return LuKBase::flowerFilePath(QString()); }) << "emotion/mood";
    QTest::newRow("flower") << PathFunction([] { return LuKBase::flowerFilePath(QStringLiteral("f.txt")); })
                            << "emotion/mood/f.txt";
    QTest::newRow("icon") << PathFunction([] { return LuKBase::iconFilePath(QStringLiteral("ugift.png")); })
                          << "icons/ugift.png";
    QTest::newRow("flash") << PathFunction([] { return LuKBase::flashFilePath(QStringLiteral("a.swf")); })
                           << "flash/a.swf";
    QTest::newRow("sound dir") << PathFunction([] { return LuKBase::soundFilePath(QString()); }) << "sound";
    QTest::newRow("stamp") << PathFunction([] { return LuKBase::stampFilePath(QStringLiteral("s.png")); })
                           << "stamp/s.png";
    QTest::newRow("enter gift") << PathFunction([] { return LuKBase::enterGiftPath(QStringLiteral("car.gif")); })
                                << "entergif/car.gif";
}

void tst_LuKBase::resourcePaths()
{
    QFETCH(PathFunction, function);
    QFETCH(QString, expected);

    // The application directory is the root until another is set, and again after an empty one.
    QCOMPARE(LuKBase::resourceDirectory(), QCoreApplication::applicationDirPath());
    const QString root = m_resources.path();
    for (const char* sub : { "translations", "emotion/mood", "icons", "flash", "sound", "stamp", "entergif" })
        QVERIFY(QDir(root).mkpath(QLatin1String(sub)));
    LuKBase::setResourceDirectory(root);
    QCOMPARE(function(), QDir::cleanPath(root + QLatin1Char('/') + expected));
    LuKBase::setResourceDirectory(QString());
    QCOMPARE(LuKBase::resourceDirectory(), QCoreApplication::applicationDirPath());
}

// Nothing is made on the resource side; paths built on a missing directory fall back to the
// current directory, as a QDir on an empty path does.
void tst_LuKBase::missingResources()
{
    QTemporaryDir root;
    QTemporaryDir current;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()));
    LuKBase::setResourceDirectory(root.path());

    QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
    QVERIFY(LuKBase::translationsDirectory().isNull());
    QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
    QCOMPARE(LuKBase::soundFilePath(QStringLiteral("ding.wav")), QDir::current().absoluteFilePath("ding.wav"));

    QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
    QTest::ignoreMessage(QtWarningMsg, "can not cd to mood directory");
    QVERIFY(LuKBase::flowerFilePath(QStringLiteral("f.txt")).isNull());
    QVERIFY(QDir(current.path()).mkdir(QStringLiteral("mood")));
    QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
    QCOMPARE(LuKBase::flowerFilePath(QStringLiteral("f.txt")), QDir::current().absoluteFilePath("mood/f.txt"));

    QVERIFY(QDir(root.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    QVERIFY(QDir::setCurrent(previous));
}

void tst_LuKBase::settingsOutsideInitialize()
{
    for (int round = 0; round < 2; ++round) {
        QTest::ignoreMessage(QtWarningMsg, kOutsideSettings);
        QVERIFY(!LuKBase::appSettings());
        QTest::ignoreMessage(QtWarningMsg, kOutsideLocale);
        QCOMPARE(LuKBase::localeName(), QStringLiteral("zh_CN"));
        LuKBase::initialize();
        LuKBase::finalize();
    }
    LuKBase::finalize();
}

void tst_LuKBase::initializeAndFinalize()
{
    LuKBase::initialize();
    QSettings* settings = LuKBase::appSettings();
    QVERIFY(settings);
    QCOMPARE(settings->format(), QSettings::IniFormat);
    QCOMPARE(settings->fileName(), inData(QStringLiteral("config.ini")));

    // appSettings() syncs: a change made through another object on the same file shows.
    QSettings other(inData(QStringLiteral("config.ini")), QSettings::IniFormat);
    other.setValue(QStringLiteral("Room/last"), 77);
    other.sync();
    QCOMPARE(LuKBase::appSettings()->value(QStringLiteral("Room/last")).toInt(), 77);

    // Pending changes reach the file when finalize() deletes the settings.
    settings->setValue(QStringLiteral("Application/locale"), QStringLiteral("en_GB"));
    LuKBase::finalize();
    QSettings onDisk(inData(QStringLiteral("config.ini")), QSettings::IniFormat);
    QCOMPARE(onDisk.value(QStringLiteral("Application/locale")).toString(), QStringLiteral("en_GB"));

    LuKBase::initialize();
    QTest::ignoreMessage(QtWarningMsg, "LuKBase::initialize: already initialized");
    LuKBase::initialize();
    QCOMPARE(LuKBase::localeName(), QStringLiteral("en_GB"));
}

void tst_LuKBase::initializeWithoutDataDirectory()
{
    writeFile(dataDir(), "not a directory");
    QTest::ignoreMessage(QtWarningMsg, "can not make data directory");
    LuKBase::initialize();
    // The settings object exists all the same, on an empty file name.
    QVERIFY(LuKBase::appSettings());
    QVERIFY(LuKBase::appSettings()->fileName().isEmpty());
    QCOMPARE(LuKBase::localeName(), QStringLiteral("zh_CN"));
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
        writeFile(inData(QStringLiteral("config.ini")), ini);
    LuKBase::initialize();
    QCOMPARE(LuKBase::localeName(), expected);
    // Reading the locale leaves the settings' group as it was.
    QVERIFY(LuKBase::appSettings()->group().isEmpty());
}

void tst_LuKBase::userSettingsFollowUserId()
{
    const QString key = QStringLiteral("Audio/input_device");
    LuKBase::initialize();
    LuKtvLocalUser::instance()->setUserId(1);
    QSettings* first = LuKBase::userSettings();
    QCOMPARE(first->format(), QSettings::IniFormat);
    QCOMPARE(first->fileName(), inData(QStringLiteral("users/1/config.ini")));
    QCOMPARE(LuKBase::userSettings(), first);
    first->setValue(key, QStringLiteral("Mic 1"));

    LuKtvLocalUser::instance()->setUserId(2);
    QSettings* second = LuKBase::userSettings();
    QCOMPARE(second->fileName(), inData(QStringLiteral("users/2/config.ini")));
    QVERIFY(!second->contains(key));
    second->setValue(key, QStringLiteral("Mic 2"));

    // Back to the first user: the value written before the switch was kept on disk.
    LuKtvLocalUser::instance()->setUserId(1);
    QCOMPARE(LuKBase::userSettings()->value(key).toString(), QStringLiteral("Mic 1"));

    LuKBase::finalize();
    QCOMPARE(QSettings(inData(QStringLiteral("users/2/config.ini")), QSettings::IniFormat).value(key).toString(),
        QStringLiteral("Mic 2"));
    LuKtvLocalUser::instance()->setUserId(2);
    QCOMPARE(LuKBase::userSettings()->value(key).toString(), QStringLiteral("Mic 2"));
}

// Where no data directory can be had, nothing lands in the working directory: neither the
// user's settings, which then live in memory, nor the files of a relative data location.
void tst_LuKBase::nothingInWorkingDirectory()
{
    QTemporaryDir current;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()));

    writeFile(inData(QStringLiteral("users/0")), "not a directory");
    QTest::ignoreMessage(QtWarningMsg, "can not make userid directory");
    QSettings* settings = LuKBase::userSettings();
    settings->setValue(QStringLiteral("Audio/input_device"), QStringLiteral("Mic 1"));
    settings->sync();
    const QString fileName = settings->fileName();
    const QString kept = LuKBase::userSettings()->value(QStringLiteral("Audio/input_device")).toString();

    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", "relative");
    QTest::ignoreMessage(QtWarningMsg, "can not make data directory");
    const QString gifts = LuKBase::giftDirectory();
    qputenv("HOME", home);

    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(fileName, QString());
    QCOMPARE(kept, QStringLiteral("Mic 1"));
    QCOMPARE(gifts, QString());
    QCOMPARE(QDir(current.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList());
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

    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(version);
    QCOMPARE(LuKBase::applicationInfo(), expected);
    QCoreApplication::setApplicationName(QString());
    QCoreApplication::setApplicationVersion(QString());
}

QTEST_GUILESS_MAIN(tst_LuKBase)
#include "tst_lukbase.moc"
