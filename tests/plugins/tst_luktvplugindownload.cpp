#include <lukbase/lukbase.h>
#include <lukbase/luktvpluginmanager.h>

#include "pluginfixture.h"
#include "plugins/luktvpluginmanager_p.h"
#include "testjournal.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
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
        + "\">1</version>\n</plugin>\n";
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
    QString pluginDirectory() const { return m_pluginsDirectory + QStringLiteral("/7"); }
    // Installs the journal plug-in as downloadable plug-in 7, with a version file holding number.
    bool installDownloaded(const QByteArray& number);
    bool start(int requiredVersion, const QString& startText, quintptr host = 0);

    QTemporaryDir m_home;
    QString m_pluginsDirectory;
    QScopedPointer<LuKtvPluginManager> m_manager;
};

void tst_LuKtvPluginDownload::initTestCase()
{
    QVERIFY(m_home.isValid());
    useHome(m_home.path());
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

bool tst_LuKtvPluginDownload::installDownloaded(const QByteArray& number)
{
    return install(journalModulePath(), pluginDirectory())
        && writeFile(pluginDirectory() + QStringLiteral("/version.xml"), versionFile(number));
}

bool tst_LuKtvPluginDownload::start(int requiredVersion, const QString& startText, quintptr host)
{
    return m_manager->start(
        7, requiredVersion, QStringLiteral("quiz"), QStringLiteral("http://x/"), fakeHost(host), startText, false);
}

void tst_LuKtvPluginDownload::readPluginVersion_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("version");

    QTest::newRow("plain") << versionFile("12") << 12;
    QTest::newRow("any root, single quotes") << QByteArray("<x><version number='5'/></x>") << 5;
    QTest::newRow("largest int") << versionFile("2147483647") << 2147483647;
    // Read as toInt() reads a decimal int, which version files in use may rely on.
    QTest::newRow("surrounding spaces") << versionFile(" 12 ") << 12;
    QTest::newRow("plus sign") << versionFile("+12") << 12;
    QTest::newRow("negative") << versionFile("-3") << -3;
    QTest::newRow("space inside") << versionFile("1 2") << 0;
    QTest::newRow("two signs") << versionFile("+-3") << 0;
    QTest::newRow("overflow") << versionFile("2147483648") << 0;
    QTest::newRow("many digits") << versionFile("99999999999999999999999999") << 0;
    QTest::newRow("hexadecimal") << versionFile("0x10") << 0;
    QTest::newRow("fraction") << versionFile("1.5") << 0;
    QTest::newRow("full-width digit") << versionFile("\xef\xbc\x93") << 0;
    QTest::newRow("no number") << QByteArray("<plugin><version>7</version></plugin>") << 0;
    QTest::newRow("attribute case") << QByteArray("<plugin><version Number=\"7\"/></plugin>") << 0;
    QTest::newRow("nested deeper") << QByteArray("<plugin><info><version number=\"7\"/></info></plugin>") << 0;
    QTest::newRow("root is the version") << QByteArray("<version number=\"7\"/>") << 0;
    QTest::newRow("first version element counts")
        << QByteArray("<plugin><version/><version number=\"7\"/></plugin>") << 0;
    QTest::newRow("other elements first")
        << QByteArray("<plugin><name/><info number=\"9\"/><version number=\"7\"/></plugin>") << 7;
    static const char16_t utf16[] = u"\ufeff<p><version number=\"4\"/></p>";
    QTest::newRow("utf-16 with byte order mark")
        << QByteArray(reinterpret_cast<const char*>(utf16), sizeof(utf16) - sizeof(char16_t)) << 4;
    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("not xml") << QByteArray("version number=7\n") << 0;
    QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe<\x00version number=\"7\"\x00", 24) << 0;
    QByteArray expansion = "<!DOCTYPE p [<!ENTITY e0 \"aaaaaaaaaaaaaaaa\">";
    for (int level = 1; level < 6; ++level)
        expansion += "<!ENTITY e" + QByteArray::number(level) + " \""
            + QByteArray("&e" + QByteArray::number(level - 1) + ";").repeated(16) + "\">";
    QTest::newRow("entity expansion") << expansion + "]><p><x>&e5;&e5;&e5;</x><version number=\"7\"/></p>" << 0;
    const QByteArray head = "<plugin><version number=\"8\"/><notes>";
    const QByteArray tail = "</notes></plugin>";
    QTest::newRow("long but a version file")
        << head + QByteArray(1024 * 1024 - head.size() - tail.size(), 'x') + tail << 8;
    QTest::newRow("huge") << head + QByteArray(1024 * 1024, 'x') + tail << 0;
    // Not regular files: neither may block or read without end.
    QTest::newRow("directory") << QByteArray("directory") << 0;
#ifdef Q_OS_UNIX
    QTest::newRow("endless device") << QByteArray("device") << 0;
    QTest::newRow("fifo without writer") << QByteArray("fifo") << 0;
#endif
}

void tst_LuKtvPluginDownload::readPluginVersion()
{
    QFETCH(QByteArray, content);
    QFETCH(int, version);

    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("version.xml"));
    if (content == "directory")
        QVERIFY(QDir().mkpath(path));
#ifdef Q_OS_UNIX
    else if (content == "device")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (content == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    else
        QVERIFY(writeFile(path, content));
    QCOMPARE(LuKtvPluginManagerPrivate::readPluginVersion(path), version);
}

void tst_LuKtvPluginDownload::missingPluginAsksForDownload()
{
    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
    const QString name = QStringLiteral("Quiz %1%2%3");
    const QString url = QStringLiteral("http://downloads.example/%1/quiz.zip?v=1&x=%2");
    for (bool silent : { true, false })
        QVERIFY(!m_manager->start(7, 1, name, url, fakeHost(1), journalModuleName(), silent));

    // The directory exists for the host to fill; the request stands until it is filled.
    QVERIFY(QFileInfo(pluginDirectory()).isDir());
    QCOMPARE(download.count(), 2);
    for (bool silent : { true, false }) {
        QCOMPARE(download.takeFirst(), QVariantList({ 7, name, pluginDirectory(), url, silent }));
    }
    QVERIFY(!m_manager->exists(7));
    QVERIFY(TestJournal::entries().isEmpty());
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
}

void tst_LuKtvPluginDownload::versionDecides()
{
    QFETCH(QByteArray, installed);
    QFETCH(int, required);
    QFETCH(bool, loads);

    QVERIFY(installed.isNull() ? install(journalModulePath(), pluginDirectory()) : installDownloaded(installed));
    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
    PluginDebugLines debugLines;
    const QString path = QDir(pluginDirectory()).absoluteFilePath(journalModuleName());
    if (loads)
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("plugin started: 7 \"%1\" true").arg(path)));
    const QString text = journalModuleName() + QStringLiteral(" id=7 level=2");
    QCOMPARE(start(required, text, 9), loads);

    QCOMPARE(download.count(), loads ? 0 : 1);
    const QStringList loaded(
        { QStringLiteral("id7:create(id=7 level=2)"), QStringLiteral("id7:control(1, 9, %1)").arg(text) });
    QCOMPARE(journalById(), loads ? loaded : QStringList());
}

void tst_LuKtvPluginDownload::loadFailureWarns_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QStringList>("journal");

    QTest::newRow("empty directory") << QString() << QStringLiteral("quiz.so") << QStringList();
    QTest::newRow("factory refuses") << journalModulePath() << journalModuleName() + QStringLiteral(" refuse")
                                     << QStringList { QStringLiteral("0:refused(refuse)") };
    QTest::newRow("module without factory")
        << noFactoryModulePath() << QFileInfo(noFactoryModulePath()).fileName() << QStringList();
}

void tst_LuKtvPluginDownload::loadFailureWarns()
{
    QFETCH(QString, module);
    QFETCH(QString, startText);
    QFETCH(QStringList, journal);

    QVERIFY(QDir().mkpath(pluginDirectory()));
    if (!module.isEmpty())
        QVERIFY(install(module, pluginDirectory()));
    const QString path = pluginDirectory() + QLatin1Char('/') + startText.section(QLatin1Char(' '), 0, 0);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("load plugin failed: 7 \"%1\"").arg(path)));
    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);

    QVERIFY(!start(0, startText));
    QCOMPARE(download.count(), 0);
    QCOMPARE(TestJournal::entries(), journal);
    // Whatever lies there stays.
    QCOMPARE(QFileInfo::exists(path), !module.isEmpty());
}

void tst_LuKtvPluginDownload::moduleNameMustStayInItsDirectory()
{
    QVERIFY(installDownloaded("1"));
    QVERIFY(install(journalModulePath(), m_pluginsDirectory));
    const QString name = QStringLiteral("../") + journalModuleName();
    QTest::ignoreMessage(
        QtWarningMsg, qPrintable(QStringLiteral("plugin module name not allowed: 7 \"%1\"").arg(name)));

    QVERIFY(!start(1, name + QStringLiteral(" id=7")));
    QVERIFY(TestJournal::entries().isEmpty());
}

void tst_LuKtvPluginDownload::registeredPluginSkipsVersionCheck()
{
    QVERIFY(installDownloaded("2"));
    const QString text = journalModuleName() + QStringLiteral(" id=7");
    QVERIFY(start(2, text, 1));

    // Nothing on disk is looked at again, whatever version is asked for now.
    QVERIFY(QDir(pluginDirectory()).removeRecursively());
    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
    QVERIFY(start(99, text, 2));
    m_manager->stop(7);
    QVERIFY(start(99, QStringLiteral("again"), 3));

    QCOMPARE(download.count(), 0);
    QVERIFY(!QFileInfo::exists(pluginDirectory()));
    QCOMPARE(journalById(),
        QStringList({ QStringLiteral("id7:create(id=7)"), QStringLiteral("id7:control(1, 1, %1)").arg(text),
            QStringLiteral("id7:control(2, 0, 0)"), QStringLiteral("id7:control(1, 3, again)") }));
}

void tst_LuKtvPluginDownload::hostAnswersDownloadAndStartsAgain()
{
    // The host fetches at once and starts again from within the signal: the manager must
    // hold nothing that this needs.
    const QString text = journalModuleName() + QStringLiteral(" id=7");
    bool startedAgain = false;
    connect(m_manager.data(), &LuKtvPluginManager::downloadPlugin, this,
        [&](int pluginId, const QString& name, const QString& directory, const QString& url, bool silent) {
            QVERIFY(install(journalModulePath(), directory));
            QVERIFY(writeFile(directory + QStringLiteral("/version.xml"), versionFile("3")));
            startedAgain = m_manager->start(pluginId, 3, name, url, fakeHost(2), text, silent);
        });

    QVERIFY(!start(3, text, 1));
    QVERIFY(startedAgain);
    QCOMPARE(journalById(),
        QStringList({ QStringLiteral("id7:create(id=7)"), QStringLiteral("id7:control(1, 2, %1)").arg(text) }));
}

void tst_LuKtvPluginDownload::pluginDirectoryInTheWay()
{
    QVERIFY(writeFile(pluginDirectory(), "not a directory"));
    QTest::ignoreMessage(
        QtWarningMsg, qPrintable(QStringLiteral("can not make plugin dir: \"%1\" \"7\"").arg(m_pluginsDirectory)));
    QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);

    QVERIFY(!start(1, journalModuleName()));
    QCOMPARE(download.count(), 0);
    QVERIFY(QFile::remove(pluginDirectory()));
}

void tst_LuKtvPluginDownload::pluginsDirectoryMissing()
{
    // Without a plug-ins directory nothing may be loaded from elsewhere, such as the current
    // directory, where a QDir on a null path would look.
    QTemporaryDir current;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()) && install(journalModulePath(), current.filePath(QStringLiteral("7"))));
    QVERIFY(QDir(m_pluginsDirectory).removeRecursively() && writeFile(m_pluginsDirectory, "not a directory"));
    QTest::ignoreMessage(QtWarningMsg, "can not make plugins directory");

    const bool started = start(0, journalModuleName());
    QVERIFY(QFile::remove(m_pluginsDirectory) && QDir::setCurrent(previous));
    QVERIFY(!started);
    QVERIFY(TestJournal::entries().isEmpty());
}

QTEST_GUILESS_MAIN(tst_LuKtvPluginDownload)
#include "tst_luktvplugindownload.moc"
