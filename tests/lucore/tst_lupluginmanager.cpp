#include <lucore/luplugin.h>
#include <lucore/lupluginmanager.h>

#include "testfiles.h"
#include "testjournal.h"

#include <QTemporaryDir>
#include <QTest>

class tst_LuPluginManager : public QObject
{
    Q_OBJECT

    static LuPlugin* load(const QString& arguments)
    {
        return LuPluginManager::instance()->loadPlugin(QStringLiteral(JOURNAL_PLUGIN), arguments);
    }

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        TestJournal::clear();
    }

    // Each virtual slot reaches the module's own operation; handles are independent, and the
    // module stays loaded while one is left.
    void everySlotReachesTheModule()
    {
        LuPlugin* first = load("room \u4e2d\u6587");
        LuPlugin* second = load("b");
        QVERIFY(first && second && first != second);
        const QByteArray text("module.so hello");
        first->control(LuPlugin::Start, 1234, reinterpret_cast<intptr_t>(text.constData()));
        first->handleProtocol(7, "abcd", 4);
        first->handleAppScheme("ktv://room/1");
        QVERIFY(!first->appSchemes());
        first->release();
        second->control(LuPlugin::RoomJoined, 0, 0);
        second->release();
        QCOMPARE(TestJournal::entries(),
            QStringList({ "1:create(room \u4e2d\u6587)", "2:create(b)", "1:start(1234, module.so hello)",
                "1:handleProtocol(7, abcd, 4)", "1:handleAppScheme(ktv://room/1)", "1:appSchemes()", "1:release()",
                "2:roomJoined()", "2:release()" }));
    }

    void unusableModules_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("arguments");
        QTest::newRow("missing file") << "/nonexistent/plugin.so" << QString();
        QTest::newRow("directory") << QDir::tempPath() << QString();
        QTest::newRow("no factory") << NOFACTORY_PLUGIN << QString();
        QTest::newRow("factory refuses") << JOURNAL_PLUGIN << "refuse";
        QTest::newRow("not a module") << QString() << QString();
    }

    void unusableModules()
    {
        QFETCH(QString, path);
        QFETCH(QString, arguments);
        QTemporaryDir dir;
        if (path.isEmpty()) {
            path = dir.filePath("garbage.so");
            QVERIFY(writeFile(path, QByteArray(4096, '\x7f')));
        }
        QVERIFY(!LuPluginManager::instance()->loadPlugin(path, arguments));
    }
};

QTEST_GUILESS_MAIN(tst_LuPluginManager)
#include "tst_lupluginmanager.moc"
