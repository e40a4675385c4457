#include <lucore/luplugin.h>
#include <lucore/lupluginmanager.h>

#include "testjournal.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_LuPluginManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void everySlotReachesTheModule();
    void unusableModules_data();
    void unusableModules();
    void handlesAreIndependent();
};

void tst_LuPluginManager::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    TestJournal::clear();
}

void tst_LuPluginManager::everySlotReachesTheModule()
{
    QCOMPARE(LuPluginManager::instance(), LuPluginManager::instance());
    LuPlugin* plugin
        = LuPluginManager::instance()->loadPlugin(QStringLiteral(JOURNAL_PLUGIN), QStringLiteral("room \u4e2d\u6587"));
    QVERIFY(plugin);

    const QByteArray text("module.so hello");
    plugin->control(LuPlugin::Start, 1234, reinterpret_cast<intptr_t>(text.constData()));
    plugin->control(LuPlugin::Visibility, LuPlugin::Show, 0);
    plugin->handleProtocol(7, "abcd", 4);
    plugin->handleAppScheme("ktv://room/1");
    QVERIFY(!plugin->appSchemes());
    plugin->release();

    const QStringList expected {
        QStringLiteral("1:create(room \u4e2d\u6587)"),
        QStringLiteral("1:start(1234, module.so hello)"),
        QStringLiteral("1:show()"),
        QStringLiteral("1:handleProtocol(7, abcd, 4)"),
        QStringLiteral("1:handleAppScheme(ktv://room/1)"),
        QStringLiteral("1:appSchemes()"),
        QStringLiteral("1:release()"),
    };
    QCOMPARE(TestJournal::entries(), expected);
}

void tst_LuPluginManager::unusableModules_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("arguments");

    QTest::newRow("missing file") << "/nonexistent/plugin.so" << QString();
    QTest::newRow("directory") << QDir::tempPath() << QString();
    QTest::newRow("no factory") << NOFACTORY_PLUGIN << QString();
    QTest::newRow("factory refuses") << JOURNAL_PLUGIN << "refuse";
    QTest::newRow("not a module") << QString() << QString();
}

void tst_LuPluginManager::unusableModules()
{
    QFETCH(QString, path);
    QFETCH(QString, arguments);

    QTemporaryDir dir;
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("garbage.so"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x7f'));
    }
    QVERIFY(!LuPluginManager::instance()->loadPlugin(path, arguments));
}

void tst_LuPluginManager::handlesAreIndependent()
{
    LuPlugin* first = LuPluginManager::instance()->loadPlugin(QStringLiteral(JOURNAL_PLUGIN), QStringLiteral("a"));
    LuPlugin* second = LuPluginManager::instance()->loadPlugin(QStringLiteral(JOURNAL_PLUGIN), QStringLiteral("b"));
    QVERIFY(first && second && first != second);
    first->release();
    // The module stays loaded: the second handle still works after the first one ended.
    second->control(LuPlugin::RoomJoined, 0, 0);
    second->release();
    QCOMPARE(TestJournal::entries(),
        (QStringList { "1:create(a)", "2:create(b)", "1:release()", "2:roomJoined()", "2:release()" }));
}

QTEST_GUILESS_MAIN(tst_LuPluginManager)
#include "tst_lupluginmanager.moc"
