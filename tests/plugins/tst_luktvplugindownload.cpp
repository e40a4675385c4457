#include <lukbase/lukbase.h>
#include <lukbase/luktvpluginmanager.h>

#include "pluginfixture.h"
#include "plugins/luktvpluginmanager_p.h"
#include "testjournal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace PluginFixture;

namespace {

QByteArray versionFile(const QByteArray& number)
{
    return "<?xml version=\"1.0\"?>\n<plugin name=\"quiz\">\n  <version number=\"" + number
        + "\">ignored</version>\n</plugin>\n";
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class tst_LuKtvPluginDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void readPluginVersion_data();
    void readPluginVersion();
    void readPluginVersionOfOtherThanFiles_data();
    void readPluginVersionOfOtherThanFiles();
    void missingPluginAsksForDownload_data();
    void missingPluginAsksForDownload();
    void versionDecides_data();
    void versionDecides();
    void loadFailureWarns_data();
    void loadFailureWarns();
    void moduleNameMustStayInItsDirectory();
    void registeredPluginSkipsVersionCheck();
    void hostAnswersDownloadAndStartsAgain();
    void pluginDirectoryInTheWay();
    void pluginsDirectoryMissing();

private:
    QString pluginDirectory(int pluginId) const;
    // Puts the journal plug-in and a version file with number into the data directory.
    void installDownloaded(int pluginId, const QByteArray& number);

    QTemporaryDir m_home;
    QString m_pluginsDirectory;
    QScopedPointer<LuKtvPluginManager> m_manager;
};

void tst_LuKtvPluginDownload::initTestCase()
{
    QVERIFY(m_home.isValid());
    useHome(m_home.path());
    enablePluginDebugLines();
    m_pluginsDirectory = LuKBase::pluginsDirectory();
    QVERIFY(m_pluginsDirectory.startsWith(m_home.path()));
}

void tst_LuKtvPluginDownload::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    removeInstalledPlugins();
    QVERIFY(QDir().mkpath(m_pluginsDirectory));
    TestJournal::clear();
    m_manager.reset(new LuKtvPluginManager);
}

void tst_LuKtvPluginDownload::cleanup()
{
    m_manager.reset();
}

QString tst_LuKtvPluginDownload::pluginDirectory(int pluginId) const
{
    return m_pluginsDirectory + QLatin1Char('/') + QString::number(pluginId);
}

void tst_LuKtvPluginDownload::installDownloaded(int pluginId, const QByteArray& number)
{
    QVERIFY(install(journalModulePath(), pluginDirectory(pluginId)));
    QVERIFY(writeFile(pluginDirectory(pluginId) + QStringLiteral("/version.xml"), versionFile(number)));
}

void tst_LuKtvPluginDownload::readPluginVersion_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("version");

    QTest::newRow("plain") << versionFile("12") << 12;
    QTest::newRow("zero") << versionFile("0") << 0;
    QTest::newRow("any root name, single quotes") << QByteArray("<x><version number='5'/></x>") << 5;
    QTest::newRow("largest int") << versionFile("2147483647") << 2147483647;
    QTest::newRow("leading zeros") << versionFile("007") << 7;
    // Read as toInt() reads a decimal int, which version files in use may rely on.
    QTest::newRow("surrounding spaces") << versionFile(" 12 ") << 12;
    QTest::newRow("plus sign") << versionFile("+12") << 12;
    QTest::newRow("negative") << versionFile("-3") << -3;
    QTest::newRow("space inside") << versionFile("1 2") << 0;
    QTest::newRow("space after sign") << versionFile("- 3") << 0;
    QTest::newRow("two signs") << versionFile("+-3") << 0;
    QTest::newRow("overflow") << versionFile("2147483648") << 0;
    QTest::newRow("many digits") << versionFile("99999999999999999999999999") << 0;
    QTest::newRow("hexadecimal") << versionFile("0x10") << 0;
    QTest::newRow("fraction") << versionFile("1.5") << 0;
    QTest::newRow("exponent") << versionFile("1e3") << 0;
    QTest::newRow("trailing letters") << versionFile("3a") << 0;
    QTest::newRow("full-width digits") << versionFile("\xef\xbc\x93") << 0;
    QTest::newRow("empty number") << versionFile("") << 0;
    QTest::newRow("no number") << QByteArray("<plugin><version>7</version></plugin>") << 0;
    QTest::newRow("attribute case") << QByteArray("<plugin><version Number=\"7\"/></plugin>") << 0;
    QTest::newRow("element case") << QByteArray("<plugin><Version number=\"7\"/></plugin>") << 0;
    QTest::newRow("nested deeper") << QByteArray("<plugin><info><version number=\"7\"/></info></plugin>") << 0;
    QTest::newRow("root is the version") << QByteArray("<version number=\"7\"/>") << 0;
    QTest::newRow("first version element counts")
        << QByteArray("<plugin><version/><version number=\"7\"/></plugin>") << 0;
    QTest::newRow("other elements first")
        << QByteArray("<plugin><name>quiz</name><info number=\"9\"/><version number=\"7\"/></plugin>") << 7;
    QTest::newRow("utf-16 with byte order mark") << QByteArray("\xff\xfe")
            + QByteArray::fromRawData(reinterpret_cast<const char*>(u"<plugin><version number=\"4\"/></plugin>"),
                37 * 2) << 4;
    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("not xml") << QByteArray("version number=7\n") << 0;
    QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe<\x00version number=\"7\"\x00", 24) << 0;
    QByteArray noise(64 * 1024, Qt::Uninitialized);
    QRandomGenerator(42).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    QTest::newRow("random bytes") << noise << 0;
    QTest::newRow("entity expansion") << QByteArray(
        "<?xml version=\"1.0\"?><!DOCTYPE p [<!ENTITY a \"aaaaaaaaaaaaaaaa\">"
        "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
        "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
        "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
        "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
        "<p><x>&f;&f;&f;&f;&f;&f;&f;&f;</x><version number=\"7\"/></p>")
                                      << 0;
    const QByteArray head = "<plugin><version number=\"8\"/><notes>";
    const QByteArray tail = "</notes></plugin>";
    QTest::newRow("long but a version file")
        << head + QByteArray(1024 * 1024 - head.size() - tail.size(), 'x') + tail << 8;
    QTest::newRow("huge") << head + QByteArray(1024 * 1024, 'x') + tail << 0;
}

void tst_LuKtvPluginDownload::readPluginVersion()
{
    QFETCH(QByteArray, content);
    QFETCH(int, version);

    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("version.xml"));
    QVERIFY(writeFile(path, content));
    QCOMPARE(LuKtvPluginManagerPrivate::readPluginVersion(path), version);
}

void tst_LuKtvPluginDownload::readPluginVersionOfOtherThanFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("directory") << QStringLiteral("directory");
    QTest::newRow("unreadable") << QStringLiteral("unreadable");
#ifdef Q_OS_UNIX
    QTest::newRow("endless device") << QStringLiteral("device");
    QTest::newRow("fifo without writer") << QStringLiteral("fifo");
#endif
}

void tst_LuKtvPluginDownload::readPluginVersionOfOtherThanFiles()
{
    QFETCH(QString, kind);

    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("version.xml"));
    if (kind == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("unreadable")) {
        QVERIFY(writeFile(path, versionFile("7")));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("this user reads files without read permission");
    } else if (kind == QLatin1String("device")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else if (kind == QLatin1String("fifo")) {
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    }

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(LuKtvPluginManagerPrivate::readPluginVersion(path), 0);
    QVERIFY(timer.elapsed() < 5000);
}

void tst_LuKtvPluginDownload::missingPluginAsksForDownload_data()
{
    QTest::addColumn<bool>("silent");
    QTest::newRow("silent") << true;
    QTest::newRow("not silent") << false;
}

void tst_LuKtvPluginDownload::missingPluginAsksForDownload()
{
    QFETCH(bool, silent);

    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
    const QString name = QStringLiteral("Quiz %1%2%3");
    const QString url = QStringLiteral("http://downloads.example/%1/quiz.zip?v=1&x=%2");
    QVERIFY(!m_manager->start(7, 1, name, url, fakeHost(1), journalModuleName(), silent));

    QCOMPARE(download.count(), 1);
    const QList<QVariant> arguments = download.takeFirst();
    QCOMPARE(arguments.at(0).toInt(), 7);
    QCOMPARE(arguments.at(1).toString(), name);
    QCOMPARE(arguments.at(2).toString(), pluginDirectory(7));
    QCOMPARE(arguments.at(3).toString(), url);
    QCOMPARE(arguments.at(4).toBool(), silent);
    QVERIFY(QFileInfo(pluginDirectory(7)).isDir());
    QVERIFY(!m_manager->exists(7));
    QVERIFY(TestJournal::entries().isEmpty());

    // The directory is there now; the request stands until the plug-in is.
    QVERIFY(!m_manager->start(7, 1, name, url, fakeHost(1), journalModuleName(), silent));
    QCOMPARE(download.count(), 1);
}

void tst_LuKtvPluginDownload::versionDecides_data()
{
    QTest::addColumn<QByteArray>("installed");
    QTest::addColumn<int>("required");
    QTest::addColumn<bool>("loads");

    QTest::newRow("equal is current") << QByteArray("3") << 3 << true;
    QTest::newRow("newer is current") << QByteArray("4") << 3 << true;
    QTest::newRow("older") << QByteArray("2") << 3 << false;
    QTest::newRow("no version file, none required") << QByteArray() << 0 << true;
    QTest::newRow("no version file") << QByteArray() << 1 << false;
    QTest::newRow("not a number") << QByteArray("three") << 1 << false;
    QTest::newRow("not a number, none required") << QByteArray("three") << 0 << true;
}

void tst_LuKtvPluginDownload::versionDecides()
{
    QFETCH(QByteArray, installed);
    QFETCH(int, required);
    QFETCH(bool, loads);

    if (installed.isNull())
        QVERIFY(install(journalModulePath(), pluginDirectory(7)));
    else
        installDownloaded(7, installed);

    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
    const QString path = QDir(pluginDirectory(7)).absoluteFilePath(journalModuleName());
    if (loads)
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("plugin started: 7 \"%1\" true").arg(path)));
    const QString text = journalModuleName() + QStringLiteral(" id=7 level=2");
    QCOMPARE(m_manager->start(7, required, QStringLiteral("quiz"), QString(), fakeHost(9), text, false), loads);

    QCOMPARE(download.count(), loads ? 0 : 1);
    QCOMPARE(m_manager->exists(7), loads);
    const QStringList journal = loads
        ? QStringList { QStringLiteral("id7:create(id=7 level=2)"), QStringLiteral("id7:control(1, 9, %1)").arg(text) }
        : QStringList();
    QCOMPARE(journalById(), journal);
}

void tst_LuKtvPluginDownload::loadFailureWarns_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("journal");

    QTest::newRow("empty directory") << QString() << QStringLiteral("quiz.so") << QString();
    QTest::newRow("factory refuses") << journalModulePath() << journalModuleName() + QStringLiteral(" refuse")
                                     << QStringLiteral("0:refused(refuse)");
    QTest::newRow("module without factory")
        << noFactoryModulePath() << QFileInfo(noFactoryModulePath()).fileName() << QString();
}

void tst_LuKtvPluginDownload::loadFailureWarns()
{
    QFETCH(QString, module);
    QFETCH(QString, startText);
    QFETCH(QString, journal);

    QVERIFY(QDir().mkpath(pluginDirectory(7)));
    if (!module.isEmpty())
        QVERIFY(install(module, pluginDirectory(7)));
    const QString path = pluginDirectory(7) + QLatin1Char('/') + startText.section(QLatin1Char(' '), 0, 0);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("load plugin failed: 7 \"%1\"").arg(path)));

    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
    QVERIFY(!m_manager->start(7, 0, QStringLiteral("quiz"), QString(), nullptr, startText, false));
    QCOMPARE(download.count(), 0);
    QVERIFY(!m_manager->exists(7));
    QCOMPARE(TestJournal::entries(), journal.isEmpty() ? QStringList() : QStringList { journal });
    // The directory and its files stay as they were.
    QCOMPARE(QFileInfo::exists(path), !module.isEmpty());
}

void tst_LuKtvPluginDownload::moduleNameMustStayInItsDirectory()
{
    // A plug-in installed one level up would be reachable through "..".
    installDownloaded(7, "1");
    QVERIFY(install(journalModulePath(), m_pluginsDirectory));
    const QString name = QStringLiteral("../") + journalModuleName();
    QTest::ignoreMessage(
        QtWarningMsg, qPrintable(QStringLiteral("plugin module name not allowed: 7 \"%1\"").arg(name)));

    QVERIFY(!m_manager->start(7, 1, QStringLiteral("quiz"), QString(), nullptr, name + QStringLiteral(" id=7"), false));
    QVERIFY(!m_manager->exists(7));
    QVERIFY(TestJournal::entries().isEmpty());
}

void tst_LuKtvPluginDownload::registeredPluginSkipsVersionCheck()
{
    installDownloaded(7, "2");
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));
    const QString text = journalModuleName() + QStringLiteral(" id=7");
    QVERIFY(m_manager->start(7, 2, QStringLiteral("quiz"), QString(), fakeHost(1), text, false));

    // Nothing on disk is looked at again, whatever version is asked for now.
    QVERIFY(QDir(pluginDirectory(7)).removeRecursively());
    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
    QVERIFY(m_manager->start(7, 99, QStringLiteral("quiz"), QString(), fakeHost(2), text, false));
    m_manager->stop(7);
    QVERIFY(m_manager->start(7, 99, QStringLiteral("quiz"), QString(), fakeHost(3), QStringLiteral("again"), false));

    QCOMPARE(download.count(), 0);
    QVERIFY(!QFileInfo::exists(pluginDirectory(7)));
    QCOMPARE(journalById(),
        QStringList({ QStringLiteral("id7:create(id=7)"), QStringLiteral("id7:control(1, 1, %1)").arg(text),
            QStringLiteral("id7:control(2, 0, 0)"), QStringLiteral("id7:control(1, 3, again)") }));
}

void tst_LuKtvPluginDownload::hostAnswersDownloadAndStartsAgain()
{
    // The host fetches the plug-in as soon as it is asked and starts it again from the
    // signal: the manager must not hold anything that this needs.
    const QString text = journalModuleName() + QStringLiteral(" id=7");
    bool startedAgain = false;
    connect(m_manager.data(), &LuKtvPluginManager::downloadPlugin, this,
        [&](int pluginId, const QString& name, const QString& directory, const QString& url, bool silent) {
            QVERIFY(install(journalModulePath(), directory));
            QVERIFY(writeFile(directory + QStringLiteral("/version.xml"), versionFile("3")));
            startedAgain = m_manager->start(pluginId, 3, name, url, fakeHost(2), text, silent);
        });

    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));
    QVERIFY(!m_manager->start(7, 3, QStringLiteral("quiz"), QString(), fakeHost(1), text, true));
    QVERIFY(startedAgain);
    QVERIFY(m_manager->exists(7));
    QCOMPARE(journalById(),
        QStringList({ QStringLiteral("id7:create(id=7)"), QStringLiteral("id7:control(1, 2, %1)").arg(text) }));
}

void tst_LuKtvPluginDownload::pluginDirectoryInTheWay()
{
    QVERIFY(writeFile(pluginDirectory(7), "not a directory"));
    QTest::ignoreMessage(
        QtWarningMsg, qPrintable(QStringLiteral("can not make plugin dir: \"%1\" \"7\"").arg(m_pluginsDirectory)));

    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
    QVERIFY(!m_manager->start(7, 1, QStringLiteral("quiz"), QString(), nullptr, journalModuleName(), false));
    QCOMPARE(download.count(), 0);
    QVERIFY(QFileInfo(pluginDirectory(7)).isFile());
    QVERIFY(QFile::remove(pluginDirectory(7)));
}

void tst_LuKtvPluginDownload::pluginsDirectoryMissing()
{
    // With no plug-ins directory, nothing may be made or loaded anywhere else, such as the
    // current directory.
    QTemporaryDir current;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()));
    QVERIFY(install(journalModulePath(), current.path() + QStringLiteral("/7")));
    QVERIFY(QDir(m_pluginsDirectory).removeRecursively());
    QVERIFY(writeFile(m_pluginsDirectory, "not a directory"));

    QTest::ignoreMessage(QtWarningMsg, "can not make plugins directory");
    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
    const bool started = m_manager->start(7, 0, QStringLiteral("quiz"), QString(), nullptr, journalModuleName(), false);

    QVERIFY(QFile::remove(m_pluginsDirectory));
    QVERIFY(QDir::setCurrent(previous));
    QVERIFY(!started);
    QCOMPARE(download.count(), 0);
    QVERIFY(!m_manager->exists(7));
    QVERIFY(TestJournal::entries().isEmpty());
}

QTEST_GUILESS_MAIN(tst_LuKtvPluginDownload)
#include "tst_luktvplugindownload.moc"
