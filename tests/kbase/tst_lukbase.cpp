#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include "testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

const char kOutsideSettings[] = "LuKBase::appSettings: called before initialize() or after finalize()";
const char kOutsideLocale[] = "LuKBase::localeName: called before initialize() or after finalize()";

} // namespace

// The environment (directories, settings, application information) and the local user.
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
        QTest::failOnWarning(QRegularExpression(".*"));
        LuKtvLocalUser::instance()->setUserId(0);
        LuKBase::setResourceDirectory(QString());
    }

    void cleanup()
    {
        LuKBase::finalize();
        QFile::remove(dataDir());
        QDir(dataDir()).removeRecursively();
    }

    void dataPaths_data()
    {
        QTest::addColumn<QString>("which"); // as the warning names it
        QTest::addColumn<QString>("expected"); // relative to the data directory; a file when it has a dot
        QTest::addColumn<QString>("blocked"); // where a file keeps the directory from being made

        QTest::newRow("data file") << QString("data") << QString("a.txt") << QString(".");
        QTest::newRow("gifts") << QString("gifts") << QString("gifts") << QString("gifts");
        QTest::newRow("heads") << QString("heads") << QString("heads/me.png") << QString("heads");
        QTest::newRow("no user") << QString("users") << QString("users/0") << QString("users");
        QTest::newRow("user") << QString("userid") << QString("users/4242") << QString("users/4242");
    }

    // Directories are made on demand, and made again when removed behind our back; never the
    // file. A regular file where a directory belongs: one warning, a null path, and no memory
    // of the failure once the file is gone.
    void dataPaths()
    {
        QFETCH(QString, which);
        QFETCH(QString, expected);
        QFETCH(QString, blocked);
        const auto function = [&] {
            if (which == "data")
                return LuKBase::dataFilePath("a.txt");
            if (which == "gifts")
                return LuKBase::giftDirectory();
            if (which == "heads")
                return LuKBase::customHeadDirectory("me.png");
            LuKtvLocalUser::instance()->setUserId(which == "userid" ? 4242 : 0);
            return LuKBase::userDirectory();
        };

        QCOMPARE(function(), inData(expected));
        QVERIFY(QDir(dataDir()).removeRecursively());
        QCOMPARE(QFileInfo(function()).isDir(), !expected.contains('.'));
        QVERIFY(!QFileInfo(function()).isFile());

        QVERIFY(QDir(dataDir()).removeRecursively() && writeFile(inData(blocked), "not a directory"));
        QTest::ignoreMessage(QtWarningMsg, qPrintable("can not make " + which + " directory"));
        QVERIFY(function().isNull());
        QVERIFY(QFile::remove(inData(blocked)));
        QVERIFY(!function().isNull());
    }

    // The application directory is the root until another is set, and again after an empty
    // one. Nothing is made on the resource side; paths built on a missing directory fall back
    // to the current directory, as a QDir on an empty path does.
    void resourceRoot()
    {
        QCOMPARE(LuKBase::resourceDirectory(), QCoreApplication::applicationDirPath());
        QVERIFY(QDir(m_resources.path()).mkpath("emotion/mood"));
        LuKBase::setResourceDirectory(m_resources.path());
        QCOMPARE(LuKBase::flowerFilePath("f.txt"), m_resources.filePath("emotion/mood/f.txt"));

        QTemporaryDir root;
        QTemporaryDir current;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()));
        LuKBase::setResourceDirectory(root.path());

        QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
        QVERIFY(LuKBase::translationsDirectory().isNull());
        QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
        QCOMPARE(LuKBase::soundFilePath("ding.wav"), QDir::current().absoluteFilePath("ding.wav"));

        QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
        QTest::ignoreMessage(QtWarningMsg, "can not cd to mood directory");
        QVERIFY(LuKBase::flowerFilePath("f.txt").isNull());
        QVERIFY(QDir(current.path()).mkdir("mood"));
        QTest::ignoreMessage(QtWarningMsg, "can not cd to resource directory");
        QCOMPARE(LuKBase::flowerFilePath("f.txt"), QDir::current().absoluteFilePath("mood/f.txt"));

        QVERIFY(QDir(root.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
        QVERIFY(QDir::setCurrent(previous));
        LuKBase::setResourceDirectory(QString());
        QCOMPARE(LuKBase::resourceDirectory(), QCoreApplication::applicationDirPath());
    }

    void initializeAndFinalize()
    {
        // Before initialize() and after finalize(), with a warning each time: no settings, the
        // default locale.
        for (int round = 0; round < 2; ++round) {
            QTest::ignoreMessage(QtWarningMsg, kOutsideSettings);
            QVERIFY(!LuKBase::appSettings());
            QTest::ignoreMessage(QtWarningMsg, kOutsideLocale);
            QCOMPARE(LuKBase::localeName(), "zh_CN");
            LuKBase::initialize();
            LuKBase::finalize();
        }
        LuKBase::initialize();
        QSettings* settings = LuKBase::appSettings();

        // appSettings() syncs: a change made through another object on the same file shows.
        QSettings other(inData("config.ini"), QSettings::IniFormat);
        other.setValue("Room/last", 77);
        other.sync();
        QCOMPARE(LuKBase::appSettings()->value("Room/last").toInt(), 77);

        // Pending changes reach the file when finalize() deletes the settings.
        settings->setValue("Application/locale", "en_GB");
        LuKBase::finalize();
        QSettings onDisk(inData("config.ini"), QSettings::IniFormat);
        QCOMPARE(onDisk.value("Application/locale").toString(), "en_GB");

        LuKBase::initialize();
        QTest::ignoreMessage(QtWarningMsg, "LuKBase::initialize: already initialized");
        LuKBase::initialize();
        QCOMPARE(LuKBase::localeName(), "en_GB");
    }

    void localeName_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("expected");

        // Every other file: the settings popup's fuzz target's.
        QTest::newRow("empty key") << QByteArray("[Application]\nlocale=\n") << QLocale::system().name();
        QTest::newRow("no data directory") << QByteArray("blocked") << "zh_CN";
    }

    void localeName()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, expected);

        if (ini == "blocked") {
            QVERIFY(writeFile(dataDir(), "not a directory"));
            QTest::ignoreMessage(QtWarningMsg, "can not make data directory");
        } else if (!ini.isNull()) {
            QVERIFY(writeFile(inData("config.ini"), ini));
        }
        LuKBase::initialize();
        QCOMPARE(LuKBase::localeName(), expected);
        // Reading the locale leaves the settings' group as it was.
        QVERIFY(LuKBase::appSettings()->group().isEmpty());
        QCOMPARE(LuKBase::appSettings()->fileName(), ini == "blocked" ? QString() : inData("config.ini"));
    }

    void userSettingsFollowUserId()
    {
        const QString key = "Audio/input_device";
        LuKBase::initialize();
        LuKtvLocalUser::instance()->setUserId(1);
        QSettings* first = LuKBase::userSettings();
        QCOMPARE(first->format(), QSettings::IniFormat);
        QCOMPARE(first->fileName(), inData("users/1/config.ini"));
        QCOMPARE(LuKBase::userSettings(), first);
        first->setValue(key, "Mic 1");

        LuKtvLocalUser::instance()->setUserId(2);
        QSettings* second = LuKBase::userSettings();
        QCOMPARE(second->fileName(), inData("users/2/config.ini"));
        QVERIFY(!second->contains(key));
        second->setValue(key, "Mic 2");

        // Back to the first user: the value written before the switch was kept on disk.
        LuKtvLocalUser::instance()->setUserId(1);
        QCOMPARE(LuKBase::userSettings()->value(key).toString(), "Mic 1");

        LuKBase::finalize();
        QCOMPARE(QSettings(inData("users/2/config.ini"), QSettings::IniFormat).value(key).toString(), "Mic 2");
        LuKtvLocalUser::instance()->setUserId(2);
        QCOMPARE(LuKBase::userSettings()->value(key).toString(), "Mic 2");
    }

    // Where no data directory can be had, nothing lands in the working directory: neither the
    // user's settings, which then live in memory, nor the files of a relative data location.
    void nothingInWorkingDirectory()
    {
        QTemporaryDir current;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()));

        QVERIFY(writeFile(inData("users/0"), "not a directory"));
        QTest::ignoreMessage(QtWarningMsg, "can not make userid directory");
        QSettings* settings = LuKBase::userSettings();
        settings->setValue("Audio/input_device", "Mic 1");
        settings->sync();
        const QString fileName = settings->fileName();
        const QString kept = LuKBase::userSettings()->value("Audio/input_device").toString();

        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", "relative");
        QTest::ignoreMessage(QtWarningMsg, "can not make data directory");
        const QString gifts = LuKBase::giftDirectory();
        qputenv("HOME", home);

        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(fileName, QString());
        QCOMPARE(kept, "Mic 1");
        QCOMPARE(gifts, QString());
        QCOMPARE(QDir(current.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList());
    }

    // The local user's byte texts keep null apart from empty.
    void byteTexts()
    {
        LuKtvLocalUser user;
        user.setPassword("previous");
        user.setPassword(nullptr);
        user.setMacAddr("");
        user.setObservedIP("p\xc3\xa4ss");
        QVERIFY(user.password().isNull());
        QVERIFY(!user.macAddr().isNull() && user.macAddr().isEmpty());
        QCOMPARE(user.observedIP(), QByteArray("p\xc3\xa4ss"));
    }

    // A writer thread alternates whole values while this thread reads them: each value read is
    // one that was written (a thread sanitizer build also sees any unguarded access).
    void threadsShareTheUser()
    {
        LuKtvLocalUser user;
        const QByteArray bytes[] = { QByteArray("a"), QByteArray(4096, 'z') };
        const qint64 amounts[] = { -1, Q_INT64_C(0x7fffffff00000000) };
        std::atomic<bool> stop { false };
        QThread* writer = QThread::create([&] {
            for (int i = 0; !stop; ++i) {
                user.setPassword(bytes[i % 2].constData());
                user.setMoney(amounts[i % 2]);
                user.setUserId(7 + i % 2);
            }
        });
        writer->start();
        int torn = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 300) {
            const QByteArray password = user.password();
            const qint64 money = user.money();
            const int id = user.userid();
            torn += !(password.isNull() || password == bytes[0] || password == bytes[1])
                || !(money == 0 || money == amounts[0] || money == amounts[1]) || !(id == 0 || id == 7 || id == 8);
        }
        stop = true;
        QVERIFY(writer->wait(10000));
        delete writer;
        QCOMPARE(torn, 0);
    }
};

QTEST_GUILESS_MAIN(tst_LuKBase)
#include "tst_lukbase.moc"
