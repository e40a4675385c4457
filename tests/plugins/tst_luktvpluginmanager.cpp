#include <lukbase/luktvpluginmanager.h>

#include "pluginfixture.h"
#include "plugins/luktvpluginmanager_p.h"
#include "testjournal.h"

#include <QDir>
#include <QFile>
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
    void secondStartSendsNothing();
    void stopThenStartSendsStartAgainWithoutLoading();
    void showAndHideReachStoppedPlugins();
    void unknownIdsAreIgnored();
    void appSchemes_data();
    void appSchemes();
    void broadcastsReachEveryPluginInIdOrder();
    void broadcastsStayWithinTheirManager();
    void destructionStopsStartedPluginsInIdOrder();
    void heldRecordOutlivesManager();
    void pluginCallsBackIntoManager();

private:
    QTemporaryDir m_home;
    QScopedPointer<LuKtvPluginManager> m_manager;
};

void tst_LuKtvPluginManager::initTestCase()
{
    QVERIFY(m_home.isValid());
    useHome(m_home.path());
    enablePluginDebugLines();
}

void tst_LuKtvPluginManager::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    removeInstalledPlugins();
    TestJournal::setReentryHook({});
    TestJournal::clear();
    m_manager.reset(new LuKtvPluginManager);
}

void tst_LuKtvPluginManager::cleanup()
{
    m_manager.reset();
    TestJournal::setReentryHook({});
}

void tst_LuKtvPluginManager::startText_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<bool>("started");
    QTest::addColumn<QStringList>("journal");

    const QString journal = journalModulePath();
    const QString name = journalModuleName();

    QTest::newRow("module name alone") << journal << name << true
                                       << QStringList { QStringLiteral("1:create()"),
                                              QStringLiteral("1:control(1, 4660, %1)").arg(name) };
    QTest::newRow("arguments after the first space")
        << journal << name + QStringLiteral(" a  b c ") << true
        << QStringList { QStringLiteral("1:create(a  b c )"),
               QStringLiteral("1:control(1, 4660, %1 a  b c )").arg(name) };
    QTest::newRow("trailing space") << journal << name + QLatin1Char(' ') << true
                                    << QStringList { QStringLiteral("1:create()"),
                                           QStringLiteral("1:control(1, 4660, %1 )").arg(name) };
    QTest::newRow("utf-8 arguments") << journal << name + QStringLiteral(" 歌手=%1%2") << true
                                     << QStringList { QStringLiteral("1:create(歌手=%1%2)"),
                                            QStringLiteral("1:control(1, 4660, ") + name
                                                + QStringLiteral(" 歌手=%1%2)") };
    QTest::newRow("leading space") << journal << QLatin1Char(' ') + name << false << QStringList();
    QTest::newRow("empty") << journal << QString() << false << QStringList();
    QTest::newRow("other module name") << journal << QStringLiteral("other.so") << false << QStringList();
    QTest::newRow("no plug-in directory") << QString() << name << false << QStringList();
    QTest::newRow("factory refuses") << journal << name + QStringLiteral(" refuse") << false
                                     << QStringList { QStringLiteral("0:refused(refuse)") };
    QTest::newRow("module without factory")
        << noFactoryModulePath() << QFileInfo(noFactoryModulePath()).fileName() << false << QStringList();
    QTest::newRow("not a module") << QStringLiteral("garbage") << QStringLiteral("garbage.so") << false
                                  << QStringList();
}

void tst_LuKtvPluginManager::startText()
{
    QFETCH(QString, module);
    QFETCH(QString, startText);
    QFETCH(bool, started);
    QFETCH(QStringList, journal);

    if (module == QLatin1String("garbage")) {
        QVERIFY(QDir().mkpath(builtInDirectory(7)));
        QFile file(builtInDirectory(7) + QStringLiteral("/garbage.so"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x7f'));
    } else if (!module.isEmpty()) {
        QVERIFY(install(module, builtInDirectory(7)));
    }
    if (started)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));

    QCOMPARE(m_manager->start(7, fakeHost(0x1234), startText), started);
    QCOMPARE(TestJournal::entries(), journal);
    QCOMPARE(m_manager->exists(7), started);
}

void tst_LuKtvPluginManager::startWritesDebugLine()
{
    QVERIFY(installBuiltIn(12));
    const QString path = QDir(builtInDirectory(12)).absoluteFilePath(journalModuleName());
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("plugin started: 12 \"%1\" true").arg(path)));
    QVERIFY(m_manager->start(12, nullptr, journalModuleName()));
}

void tst_LuKtvPluginManager::moduleNameMustStayInItsDirectory_data()
{
    QTest::addColumn<QString>("moduleName");
    QTest::addColumn<QString>("warning");

    const auto refused
        = [](const QString& quoted) { return QStringLiteral("plugin module name not allowed: 7 \"%1\"").arg(quoted); };
    const QString name = journalModuleName();
    QTest::newRow("parent directory") << QStringLiteral("../") + name << refused(QStringLiteral("../") + name);
    QTest::newRow("sub-directory") << QStringLiteral("sub/") + name << refused(QStringLiteral("sub/") + name);
    QTest::newRow("backslash") << QStringLiteral("..\\") + name << refused(QStringLiteral("..\\\\") + name);
    QTest::newRow("absolute path") << journalModulePath() << refused(journalModulePath());
    QTest::newRow("dot dot") << QStringLiteral("..") << refused(QStringLiteral(".."));
    QTest::newRow("drive") << QStringLiteral("C:") + name << refused(QStringLiteral("C:") + name);
    QTest::newRow("resource") << QStringLiteral(":/") + name << refused(QStringLiteral(":/") + name);
    QTest::newRow("dots inside a name") << QStringLiteral("..") + name << QString();
    QTest::newRow("dots after a name") << name + QStringLiteral("..") << QString();
}

void tst_LuKtvPluginManager::moduleNameMustStayInItsDirectory()
{
    QFETCH(QString, moduleName);
    QFETCH(QString, warning);

    // The names lead to loadable modules where the system allows such file names, so only
    // the name check stops them.
    const QString directory = builtInDirectory(7);
    const QString name = journalModuleName();
    QVERIFY(install(journalModulePath(), directory + QStringLiteral("/sub")));
    QVERIFY(install(journalModulePath(), directory + QStringLiteral("/.."), name));
    install(journalModulePath(), directory, QStringLiteral("..\\") + name);
    install(journalModulePath(), directory, QStringLiteral("C:") + name);
    const bool allowed = warning.isEmpty();
    if (allowed)
        QVERIFY(install(journalModulePath(), directory, moduleName));

    if (allowed)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));
    else
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));

    QCOMPARE(m_manager->start(7, nullptr, moduleName + QStringLiteral(" id=7")), allowed);
    QCOMPARE(m_manager->exists(7), allowed);
    QCOMPARE(TestJournal::entries().isEmpty(), !allowed);
}

void tst_LuKtvPluginManager::secondStartSendsNothing()
{
    QVERIFY(installBuiltIn(7));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));
    const QString text = journalModuleName() + QStringLiteral(" id=7");
    QVERIFY(m_manager->start(7, fakeHost(1), text));

    QVERIFY(m_manager->start(7, fakeHost(2), journalModuleName() + QStringLiteral(" id=7 again")));
    // A registered plug-in is not looked for again, so its start text is not even split.
    QVERIFY(m_manager->start(7, fakeHost(3), QStringLiteral(" ")));

    QCOMPARE(journalById(),
        QStringList({ QStringLiteral("id7:create(id=7)"), QStringLiteral("id7:control(1, 1, %1)").arg(text) }));
}

void tst_LuKtvPluginManager::stopThenStartSendsStartAgainWithoutLoading()
{
    QVERIFY(installBuiltIn(7));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));
    const QString first = journalModuleName() + QStringLiteral(" id=7");
    QVERIFY(m_manager->start(7, fakeHost(1), first));

    m_manager->stop(7);
    QVERIFY(m_manager->exists(7));
    m_manager->stop(7);
    QVERIFY(m_manager->exists(7));

    // The module file is gone: starting again must not need it.
    removeInstalledPlugins();
    QVERIFY(m_manager->start(7, fakeHost(2), QStringLiteral("whatever text")));

    QCOMPARE(journalById(),
        QStringList({ QStringLiteral("id7:create(id=7)"), QStringLiteral("id7:control(1, 1, %1)").arg(first),
            QStringLiteral("id7:control(2, 0, 0)"), QStringLiteral("id7:control(1, 2, whatever text)") }));
}

void tst_LuKtvPluginManager::showAndHideReachStoppedPlugins()
{
    QVERIFY(installBuiltIn(7));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));
    QVERIFY(m_manager->start(7, nullptr, journalModuleName() + QStringLiteral(" id=7")));
    m_manager->show(7);
    m_manager->stop(7);
    TestJournal::clear();

    m_manager->show(7);
    m_manager->hide(7);
    m_manager->hide(7);
    QCOMPARE(TestJournal::entries(),
        QStringList({ QStringLiteral("1:control(3, 1, 0)"), QStringLiteral("1:control(3, 0, 0)"),
            QStringLiteral("1:control(3, 0, 0)") }));
}

void tst_LuKtvPluginManager::unknownIdsAreIgnored()
{
    QVERIFY(installBuiltIn(7));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));
    QVERIFY(m_manager->start(7, nullptr, journalModuleName() + QStringLiteral(" schemes=a")));
    TestJournal::clear();

    m_manager->stop(8);
    m_manager->show(8);
    m_manager->hide(8);
    QVERIFY(!m_manager->exists(8));
    QVERIFY(m_manager->pluginAppSchemes(8).isEmpty());
    QVERIFY(TestJournal::entries().isEmpty());
}

void tst_LuKtvPluginManager::appSchemes_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QStringList>("schemes");

    QTest::newRow("none") << QString() << QStringList();
    QTest::newRow("one") << QStringLiteral("schemes=ktvgame") << QStringList { QStringLiteral("ktvgame") };
    QTest::newRow("duplicate listed once") << QStringLiteral(
        "schemes=a,b,a,b,c") << QStringList { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") };
    QTest::newRow("case matters") << QStringLiteral("schemes=ktv,KTV,ktv")
                                  << QStringList { QStringLiteral("ktv"), QStringLiteral("KTV") };
    QTest::newRow("utf-8") << QStringLiteral("schemes=歌,曲,歌")
                           << QStringList { QStringLiteral("歌"), QStringLiteral("曲") };
    QTest::newRow("empty entries") << QStringLiteral("schemes=a,,a,") << QStringList { QStringLiteral("a"), QString() };
}

void tst_LuKtvPluginManager::appSchemes()
{
    QFETCH(QString, arguments);
    QFETCH(QStringList, schemes);

    QVERIFY(installBuiltIn(7));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));
    QVERIFY(m_manager->start(7, nullptr, journalModuleName() + QLatin1Char(' ') + arguments));
    QCOMPARE(m_manager->pluginAppSchemes(7), schemes);
    // Stopped plug-ins keep their schemes.
    m_manager->stop(7);
    QCOMPARE(m_manager->pluginAppSchemes(7), schemes);
}

void tst_LuKtvPluginManager::broadcastsReachEveryPluginInIdOrder()
{
    for (int id : { 9, 2, 5 }) {
        QVERIFY(installBuiltIn(id));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: %1 ").arg(id)));
        QVERIFY(m_manager->start(id, nullptr, journalModuleName() + QStringLiteral(" id=") + QString::number(id)));
    }
    m_manager->stop(2);
    const QStringList beforeBroadcasts = journalById();

    m_manager->joinRoom();
    m_manager->handleProtocol(7, "hello", 3);
    m_manager->handleProtocol(-1, nullptr, 0);
    m_manager->handleAppScheme(QStringLiteral("ktv://room/%1?歌"));

    QStringList expected = beforeBroadcasts;
    for (const QString& call : { QStringLiteral("control(4, 0, 0)"), QStringLiteral("handleProtocol(7, hel, 3)"),
             QStringLiteral("handleProtocol(-1, null, 0)"), QStringLiteral("handleAppScheme(ktv://room/%1?歌)") }) {
        for (int id : { 2, 5, 9 })
            expected.append(QStringLiteral("id") + QString::number(id) + QLatin1Char(':') + call);
    }
    QCOMPARE(journalById(), expected);
}

void tst_LuKtvPluginManager::broadcastsStayWithinTheirManager()
{
    QVERIFY(installBuiltIn(7));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 7 ")));
    QVERIFY(m_manager->start(7, nullptr, journalModuleName()));
    TestJournal::clear();

    LuKtvPluginManager empty;
    empty.joinRoom();
    empty.handleProtocol(1, "x", 1);
    empty.handleAppScheme(QStringLiteral("ktv://x"));
    QVERIFY(!empty.exists(7));
    QVERIFY(TestJournal::entries().isEmpty());
}

void tst_LuKtvPluginManager::destructionStopsStartedPluginsInIdOrder()
{
    for (int id : { 3, 1, 2 }) {
        QVERIFY(installBuiltIn(id));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: %1 ").arg(id)));
        QVERIFY(m_manager->start(id, nullptr, journalModuleName() + QStringLiteral(" id=") + QString::number(id)));
    }
    m_manager->stop(2);
    const QStringList beforeDestruction = journalById();

    m_manager.reset();
    QCOMPARE(journalById().mid(beforeDestruction.size()),
        QStringList(
            { QStringLiteral("id1:control(2, 0, 0)"), QStringLiteral("id1:release()"), QStringLiteral("id2:release()"),
                QStringLiteral("id3:control(2, 0, 0)"), QStringLiteral("id3:release()") }));
}

void tst_LuKtvPluginManager::heldRecordOutlivesManager()
{
    QVERIFY(installBuiltIn(1));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 1 ")));
    QVERIFY(m_manager->start(1, nullptr, journalModuleName()));
    LuKtvPluginManagerPlugin* record = LuKtvPluginManagerPrivate::get(m_manager.data())->findPlugin(1);
    QVERIFY(record);
    TestJournal::clear();

    // The manager lets go of its reference only: the handle lives on with its last holder.
    m_manager.reset();
    QCOMPARE(TestJournal::entries(), QStringList { QStringLiteral("1:control(2, 0, 0)") });

    // Started again by its holder, it is stopped when the record goes.
    QVERIFY(record->startRecord(fakeHost(5), QStringLiteral("late")));
    record->release();
    QCOMPARE(TestJournal::entries(),
        QStringList({ QStringLiteral("1:control(2, 0, 0)"), QStringLiteral("1:control(1, 5, late)"),
            QStringLiteral("1:control(2, 0, 0)"), QStringLiteral("1:release()") }));
}

void tst_LuKtvPluginManager::pluginCallsBackIntoManager()
{
    // The plug-in answers each call by calling back into the manager, as a real one may; a
    // lock held around the call would hang here.
    LuKtvPluginManager* manager = m_manager.data();
    TestJournal::setReentryHook([manager](const QString&, const QString& call) {
        if (call.startsWith(QLatin1String("control(1,"))) {
            manager->show(4);
        } else if (call == QLatin1String("control(3, 1, 0)")) {
            const QStringList schemes = manager->pluginAppSchemes(4);
            TestJournal::record(QStringLiteral("hook:schemes=") + schemes.join(QLatin1Char(',')));
        } else if (call.startsWith(QLatin1String("handleAppScheme("))) {
            manager->joinRoom();
        } else if (call.startsWith(QLatin1String("handleProtocol("))) {
            manager->stop(4);
        } else if (call == QLatin1String("control(2, 0, 0)")) {
            TestJournal::record(QStringLiteral("hook:exists=%1").arg(manager->exists(4) ? "true" : "false"));
        }
    });

    QVERIFY(installBuiltIn(4));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^plugin started: 4 ")));
    const QString text = journalModuleName() + QStringLiteral(" reenter schemes=x,y");
    QVERIFY(m_manager->start(4, fakeHost(1), text));
    m_manager->handleAppScheme(QStringLiteral("ktv://x"));
    m_manager->handleProtocol(1, "p", 1);
    QVERIFY(m_manager->start(4, fakeHost(2), QString()));
    m_manager.reset();

    QCOMPARE(TestJournal::entries(),
        QStringList({
            QStringLiteral("1:create(reenter schemes=x,y)"),
            QStringLiteral("1:control(1, 1, %1)").arg(text),
            QStringLiteral("1:control(3, 1, 0)"),
            QStringLiteral("1:appSchemes()"),
            QStringLiteral("hook:schemes=x,y"),
            QStringLiteral("1:handleAppScheme(ktv://x)"),
            QStringLiteral("1:control(4, 0, 0)"),
            QStringLiteral("1:handleProtocol(1, p, 1)"),
            QStringLiteral("1:control(2, 0, 0)"),
            // A stopped plug-in stays registered...
            QStringLiteral("hook:exists=true"),
            QStringLiteral("1:control(1, 2, )"),
            QStringLiteral("1:control(3, 1, 0)"),
            QStringLiteral("1:appSchemes()"),
            QStringLiteral("hook:schemes=x,y"),
            QStringLiteral("1:control(2, 0, 0)"),
            // ...but while the manager goes, it is already out of the registry.
            QStringLiteral("hook:exists=false"),
            QStringLiteral("1:release()"),
        }));
}

QTEST_GUILESS_MAIN(tst_LuKtvPluginManager)
#include "tst_luktvpluginmanager.moc"
