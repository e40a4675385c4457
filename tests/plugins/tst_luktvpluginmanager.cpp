#include <lukbase/luktvpluginmanager.h>

#include "pluginfixture.h"
#include "plugins/luktvpluginmanager_p.h"
#include "testjournal.h"

#include <QDir>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QTemporaryDir>
#include <QTest>

using namespace PluginFixture;

class tst_LuKtvPluginManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void startText_data();
    void startText();
    void startWritesDebugLine();
    void moduleNameMustStayInItsDirectory_data();
    void moduleNameMustStayInItsDirectory();
    void startStopShowHide();
    void appSchemes_data();
    void appSchemes();
    void broadcastsReachEveryPluginInIdOrder();
    void destructionStopsStartedPluginsInIdOrder();
    void heldRecordOutlivesManager();
    void pluginCallsBackIntoManager();

private:
    // Installs the journal plug-in as built-in plug-in id and starts it with the start text
    // "<module> id=<id><arguments>".
    bool startJournal(int id, const QString& arguments = QString(), quintptr host = 0);

    QTemporaryDir m_home;
    QScopedPointer<LuKtvPluginManager> m_manager;
};

void tst_LuKtvPluginManager::initTestCase()
{
    QVERIFY(m_home.isValid());
    useHome(m_home.path());
}

void tst_LuKtvPluginManager::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    removeInstalledPlugins();
    TestJournal::clear();
    m_manager.reset(new LuKtvPluginManager);
}

void tst_LuKtvPluginManager::cleanup()
{
    m_manager.reset();
    TestJournal::setReentryHook({});
}

bool tst_LuKtvPluginManager::startJournal(int id, const QString& arguments, quintptr host)
{
    const QString text = journalModuleName() + QStringLiteral(" id=") + QString::number(id) + arguments;
    return install(journalModulePath(), builtInDirectory(id)) && m_manager->start(id, fakeHost(host), text);
}

void tst_LuKtvPluginManager::startText_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QStringList>("journal");

    const QString name = journalModuleName();
    QTest::newRow("module name alone") << true << name
                                       << QStringList { QStringLiteral("1:create()"),
                                              QStringLiteral("1:control(1, 4660, ") + name + ')' };
    QTest::newRow("arguments after the first space")
        << true << name + QStringLiteral(" a  b c ")
        << QStringList { QStringLiteral("1:create(a  b c )"),
               QStringLiteral("1:control(1, 4660, ") + name + " a  b c )" };
    QTest::newRow("utf-8 arguments") << true << name + QStringLiteral(" 歌手=%1%2")
                                     << QStringList { QStringLiteral("1:create(歌手=%1%2)"),
                                            QStringLiteral("1:control(1, 4660, ") + name
                                                + QStringLiteral(" 歌手=%1%2)") };
    QTest::newRow("leading space") << true << QLatin1Char(' ') + name << QStringList();
    QTest::newRow("empty") << true << QString() << QStringList();
    QTest::newRow("no such module") << true << QStringLiteral("other.so") << QStringList();
    QTest::newRow("no plug-in directory") << false << name << QStringList();
    QTest::newRow("factory refuses") << true << name + QStringLiteral(" refuse")
                                     << QStringList { QStringLiteral("0:refused(refuse)") };
}

void tst_LuKtvPluginManager::startText()
{
    QFETCH(bool, installed);
    QFETCH(QString, startText);
    QFETCH(QStringList, journal);

    if (installed)
        QVERIFY(install(journalModulePath(), builtInDirectory(7)));
    const bool started = journal.size() == 2;
    QCOMPARE(m_manager->start(7, fakeHost(0x1234), startText), started);
    QCOMPARE(TestJournal::entries(), journal);
    QCOMPARE(m_manager->exists(7), started);
}

void tst_LuKtvPluginManager::startWritesDebugLine()
{
    PluginDebugLines debugLines;
    const QString path = QDir(builtInDirectory(12)).absoluteFilePath(journalModuleName());
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("plugin started: 12 \"%1\" true").arg(path)));
    QVERIFY(startJournal(12));
}

void tst_LuKtvPluginManager::moduleNameMustStayInItsDirectory_data()
{
    QTest::addColumn<QString>("moduleName");
    QTest::addColumn<QString>("quoted");

    const QString name = journalModuleName();
    QTest::newRow("parent directory") << QStringLiteral("../") + name << QStringLiteral("../") + name;
    QTest::newRow("sub-directory") << QStringLiteral("sub/") + name << QStringLiteral("sub/") + name;
    QTest::newRow("backslash") << QStringLiteral("..\\") + name << QStringLiteral("..\\\\") + name;
    QTest::newRow("absolute path") << journalModulePath() << journalModulePath();
    QTest::newRow("dot dot") << QStringLiteral("..") << QStringLiteral("..");
    QTest::newRow("drive") << QStringLiteral("C:") + name << QStringLiteral("C:") + name;
    QTest::newRow("resource") << QStringLiteral(":/") + name << QStringLiteral(":/") + name;
    QTest::newRow("nul character") << name + QChar(0) + QStringLiteral("x") << name + QStringLiteral("\\u0000x");
    QTest::newRow("dots inside a name") << QStringLiteral("..") + name << QString();
    QTest::newRow("dots after a name") << name + QStringLiteral("..") << QString();
}

void tst_LuKtvPluginManager::moduleNameMustStayInItsDirectory()
{
    QFETCH(QString, moduleName);
    QFETCH(QString, quoted);

    // The names lead to loadable modules where the system allows such file names, so only
    // the name check stops them.
    const QString directory = builtInDirectory(7);
    for (const QString& place : { QStringLiteral("/sub"), QStringLiteral("/..") })
        QVERIFY(install(journalModulePath(), directory + place, journalModuleName()));
    for (const QString& prefix : { QStringLiteral("..\\"), QStringLiteral("C:"), QStringLiteral("..") })
        install(journalModulePath(), directory, prefix + journalModuleName());
    QVERIFY(install(journalModulePath(), directory, journalModuleName() + QStringLiteral("..")));

    const bool allowed = quoted.isEmpty();
    if (!allowed)
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable(QStringLiteral("plugin module name not allowed: 7 \"%1\"").arg(quoted)));
    QCOMPARE(m_manager->start(7, nullptr, moduleName + QStringLiteral(" id=7")), allowed);
    QCOMPARE(m_manager->exists(7), allowed);
    QCOMPARE(TestJournal::entries().isEmpty(), !allowed);
}

void tst_LuKtvPluginManager::startStopShowHide()
{
    QVERIFY(startJournal(7, QString(), 1));
    const QString text = journalModuleName() + QStringLiteral(" id=7");
    // Started: nothing to send.
    QVERIFY(m_manager->start(7, fakeHost(2), QStringLiteral("other")));
    m_manager->stop(7);
    m_manager->stop(7);
    QVERIFY(m_manager->exists(7));
    // A stopped plug-in is still told to show and hide.
    m_manager->show(7);
    m_manager->hide(7);
    // Started again without loading: the module file is not even needed, nor is the text split.
    removeInstalledPlugins();
    QVERIFY(m_manager->start(7, fakeHost(3), QStringLiteral(" ")));
    // Unknown ids are nobody's business.
    m_manager->stop(8);
    m_manager->show(8);
    m_manager->hide(8);
    QVERIFY(!m_manager->exists(8));
    QVERIFY(m_manager->pluginAppSchemes(8).isEmpty());

    QCOMPARE(journalById(),
        QStringList({ QStringLiteral("id7:create(id=7)"), QStringLiteral("id7:control(1, 1, %1)").arg(text),
            QStringLiteral("id7:control(2, 0, 0)"), QStringLiteral("id7:control(3, 1, 0)"),
            QStringLiteral("id7:control(3, 0, 0)"), QStringLiteral("id7:control(1, 3,  )") }));
}

void tst_LuKtvPluginManager::appSchemes_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QStringList>("schemes");

    QTest::newRow("none") << QString() << QStringList();
    QTest::newRow("duplicates listed once") << QStringLiteral(
        " schemes=a,b,a,b,c") << QStringList { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") };
    QTest::newRow("case matters") << QStringLiteral(" schemes=ktv,KTV,ktv")
                                  << QStringList { QStringLiteral("ktv"), QStringLiteral("KTV") };
    QTest::newRow("utf-8, empty entries")
        << QStringLiteral(" schemes=歌,,歌,") << QStringList { QStringLiteral("歌"), QString() };
}

void tst_LuKtvPluginManager::appSchemes()
{
    QFETCH(QString, arguments);
    QFETCH(QStringList, schemes);

    QVERIFY(startJournal(7, arguments));
    QCOMPARE(m_manager->pluginAppSchemes(7), schemes);
    m_manager->stop(7);
    QCOMPARE(m_manager->pluginAppSchemes(7), schemes);
}

void tst_LuKtvPluginManager::broadcastsReachEveryPluginInIdOrder()
{
    for (int id : { 9, 2, 5 })
        QVERIFY(startJournal(id));
    m_manager->stop(2);
    QStringList expected = journalById();

    m_manager->joinRoom();
    m_manager->handleProtocol(7, "hello", 3);
    m_manager->handleProtocol(-1, nullptr, 0);
    m_manager->handleAppScheme(QStringLiteral("ktv://room/%1?歌"));
    // Another manager's registry is its own.
    LuKtvPluginManager empty;
    empty.joinRoom();
    empty.handleProtocol(1, "x", 1);
    empty.handleAppScheme(QStringLiteral("ktv://x"));

    for (const QString& call : { QStringLiteral("control(4, 0, 0)"), QStringLiteral("handleProtocol(7, hel, 3)"),
             QStringLiteral("handleProtocol(-1, null, 0)"), QStringLiteral("handleAppScheme(ktv://room/%1?歌)") }) {
        for (int id : { 2, 5, 9 })
            expected.append(QStringLiteral("id") + QString::number(id) + QLatin1Char(':') + call);
    }
    QCOMPARE(journalById(), expected);
}

void tst_LuKtvPluginManager::destructionStopsStartedPluginsInIdOrder()
{
    for (int id : { 3, 1, 2 })
        QVERIFY(startJournal(id));
    m_manager->stop(2);
    const qsizetype before = TestJournal::entries().size();

    m_manager.reset();
    QCOMPARE(journalById().mid(before),
        QStringList(
            { QStringLiteral("id1:control(2, 0, 0)"), QStringLiteral("id1:release()"), QStringLiteral("id2:release()"),
                QStringLiteral("id3:control(2, 0, 0)"), QStringLiteral("id3:release()") }));
}

void tst_LuKtvPluginManager::heldRecordOutlivesManager()
{
    QVERIFY(startJournal(1));
    LuKtvPluginManagerPlugin* record = LuKtvPluginManagerPrivate::get(m_manager.data())->findPlugin(1);
    QVERIFY(record);
    TestJournal::clear();

    // The manager gives back its own reference only; the handle lives on with its holder,
    // which may even start it again: then the record stops it when it goes.
    m_manager.reset();
    QCOMPARE(TestJournal::entries(), QStringList { QStringLiteral("1:control(2, 0, 0)") });
    QVERIFY(record->startRecord(fakeHost(5), QStringLiteral("late")));
    record->release();
    QCOMPARE(TestJournal::entries(),
        QStringList({ QStringLiteral("1:control(2, 0, 0)"), QStringLiteral("1:control(1, 5, late)"),
            QStringLiteral("1:control(2, 0, 0)"), QStringLiteral("1:release()") }));
}

void tst_LuKtvPluginManager::pluginCallsBackIntoManager()
{
    // The plug-in answers calls by calling back into the manager, as a real one may; a lock
    // held around a call would hang here.
    LuKtvPluginManager* manager = m_manager.data();
    TestJournal::setReentryHook([manager](const QString&, const QString& call) {
        if (call.startsWith(QLatin1String("control(1,")))
            manager->show(4);
        else if (call == QLatin1String("control(3, 1, 0)"))
            TestJournal::record(QStringLiteral("hook:") + manager->pluginAppSchemes(4).join(QLatin1Char(',')));
        else if (call.startsWith(QLatin1String("handleAppScheme(")))
            manager->joinRoom();
        else if (call.startsWith(QLatin1String("handleProtocol(")))
            manager->stop(4);
        else if (call == QLatin1String("control(2, 0, 0)"))
            TestJournal::record(QStringLiteral("hook:exists=") + (manager->exists(4) ? "yes" : "no"));
    });

    QVERIFY(startJournal(4, QStringLiteral(" reenter schemes=x,y"), 1));
    m_manager->handleAppScheme(QStringLiteral("ktv://x"));
    m_manager->handleProtocol(1, "p", 1);
    QVERIFY(m_manager->start(4, fakeHost(2), QString()));
    m_manager.reset();

    const QString text = journalModuleName() + QStringLiteral(" id=4 reenter schemes=x,y");
    QCOMPARE(journalById(),
        QStringList(
            { QStringLiteral("id4:create(id=4 reenter schemes=x,y)"), QStringLiteral("id4:control(1, 1, %1)").arg(text),
                QStringLiteral("id4:control(3, 1, 0)"), QStringLiteral("id4:appSchemes()"), QStringLiteral("hook:x,y"),
                QStringLiteral("id4:handleAppScheme(ktv://x)"), QStringLiteral("id4:control(4, 0, 0)"),
                QStringLiteral("id4:handleProtocol(1, p, 1)"),
                // A stopped plug-in stays registered...
                QStringLiteral("id4:control(2, 0, 0)"), QStringLiteral("hook:exists=yes"),
                QStringLiteral("id4:control(1, 2, )"), QStringLiteral("id4:control(3, 1, 0)"),
                QStringLiteral("id4:appSchemes()"), QStringLiteral("hook:x,y"),
                // ...but while the manager goes, it is already out of the registry.
                QStringLiteral("id4:control(2, 0, 0)"), QStringLiteral("hook:exists=no"),
                QStringLiteral("id4:release()") }));
}

QTEST_GUILESS_MAIN(tst_LuKtvPluginManager)
#include "tst_luktvpluginmanager.moc"
