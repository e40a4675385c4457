#include <lukbase/lukbase.h>
#include <lukbase/luktvpluginmanager.h>

#include "plugins/luktvpluginmanager_p.h"
#include "testfiles.h"
#include "testjournal.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

constexpr int threadCount = 4;

QByteArray versionFile(const QByteArray& number)
{
    return "<plugin name=\"quiz\">\n  <name/>\n  <version number=\"" + number + "\">1</version>\n</plugin>\n";
}

// Runs job(0) to job(threadCount - 1) on standard threads of their own (whose joins a thread
// sanitizer sees). A deadlock fails the test after 90 s, long enough for a sanitizer build,
// and then ends the process, as its threads cannot be joined.
void runThreads(const std::function<void(int)>& job)
{
    std::atomic<int> finished(0);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t)
        threads.emplace_back([&, t] {
            job(t);
            ++finished;
        });
    QTRY_COMPARE_WITH_TIMEOUT(finished.load(), threadCount, 90000);
    for (std::thread& thread : threads)
        thread.join();
}

} // namespace

// Real plug-in modules: the journal plug-in of tests/support, copied where the manager looks,
// journals every call it gets. Loaded with "id=<n>" among its loader arguments, a handle
// journals as "id<n>:<call>", otherwise as "<number in creation order>:<call>".
class tst_LuKtvPluginManager : public QObject
{
    Q_OBJECT

    static QString modulePath() { return QStringLiteral(LUKBASE_JOURNALPLUGIN_PATH); }
    static QString moduleName() { return QFileInfo(modulePath()).fileName(); }
    // A host pointer that is only passed along, never called.
    static LuKtvPluginHost* host(quintptr value) { return reinterpret_cast<LuKtvPluginHost*>(value); }
    static QString builtInDirectory(int id)
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/plugins/ktv/") + QString::number(id);
    }
    QString pluginDirectory() const { return m_pluginsDirectory + "/7"; }

    // Copies the module into directory as name, which may lead into a sub-directory or out of it.
    static bool install(const QString& directory, const QString& name = moduleName())
    {
        const QString target = QDir(directory).filePath(name);
        return QDir().mkpath(QFileInfo(target).absolutePath()) && QFile::copy(modulePath(), target);
    }
    // Starts downloadable plug-in 7.
    bool startDownloadable(int requiredVersion, const QString& text, quintptr hostValue = 0, bool silent = false)
    {
        return m_manager->start(7, requiredVersion, "quiz", "http://x/", host(hostValue), text, silent);
    }

    static QStringList callsOf(const QString& handle)
    {
        const QRegularExpression prefix('^' + handle + ':');
        return TestJournal::entries().filter(prefix).replaceInStrings(prefix, QString());
    }
    static QStringList creations() { return TestJournal::entries().filter(":create("); }
    // The creations of handles not released exactly once, as their last call.
    static QStringList wronglyReleased()
    {
        QStringList wrong;
        for (const QString& creation : creations()) {
            const QStringList calls = callsOf(creation.section(':', 0, 0));
            if (calls.count("release()") != 1 || calls.last() != "release()")
                wrong.append(creation);
        }
        return wrong;
    }

    QTemporaryDir m_home;
    QString m_pluginsDirectory;
    QScopedPointer<LuKtvPluginManager> m_manager;

private Q_SLOTS:
    void initTestCase()
    {
        // A fresh data directory.
        qputenv("HOME", QFile::encodeName(m_home.path()));
        QStandardPaths::setTestModeEnabled(true);
        m_pluginsDirectory = LuKBase::pluginsDirectory();
        QVERIFY(m_home.isValid() && m_pluginsDirectory.startsWith(m_home.path()));
    }
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        QVERIFY(QDir(QCoreApplication::applicationDirPath() + "/plugins").removeRecursively());
        QVERIFY(QDir(m_pluginsDirectory).removeRecursively() && QDir().mkpath(m_pluginsDirectory));
        TestJournal::clear();
        m_manager.reset(new LuKtvPluginManager);
    }
    void cleanup()
    {
        TestJournal::setReentryHook({}); // before the plug-ins it would reach go
        m_manager.reset();
    }

    // The start text comes from the room: its module name must not lead out of the plug-in's
    // directory. A start that fails says why.
    void startText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("warning"); // none: started

        const QString name = moduleName();
        const auto refused
            = [](const QString& quoted) { return "plugin module name not allowed: 7 \"" + quoted + '"'; };
        const auto failed = [](const QString& file, const char* reason = "the loader refused the module") {
            return "load plugin failed: 7 \"" + builtInDirectory(7) + '/' + file + "\" " + reason;
        };
        QTest::newRow("dots inside a name") << ".." + name << QString();
        QTest::newRow("leading space") << ' ' + name << refused("");
        QTest::newRow("no such module") << "other.so" << failed("other.so", "no such module");
        QTest::newRow("factory refuses") << name + " refuse" << failed(name);
        QTest::newRow("no factory") << "nofactory.so" << failed("nofactory.so");
        QTest::newRow("not a module") << "garbage.so x" << failed("garbage.so");
        // Every other name with a directory part is the fuzz target's. A drive or a NUL is no
        // way out of the directory here, so only these rows see them refused.
        QTest::newRow("parent directory") << "../" + name << refused("../" + name);
        QTest::newRow("backslash") << "..\\" + name << refused("..\\\\" + name);
        QTest::newRow("drive") << "C:" + name << refused("C:" + name);
        QTest::newRow("nul character") << name + QChar(0) + 'x' << refused(name + "\\u0000x");
        QTest::newRow("dot dot") << ".." << refused("..");
    }
    void startText()
    {
        QFETCH(QString, text);
        QFETCH(QString, warning);

        // Each name leads to a loadable module where the system allows such a file name, so
        // only the name check stops it.
        const QString name = moduleName();
        for (const QString& place : { name, "../" + name, "..\\" + name, "C:" + name, ".." + name })
            install(builtInDirectory(7), place);
        QVERIFY(QFile::copy(LUKBASE_NOFACTORYPLUGIN_PATH, builtInDirectory(7) + "/nofactory.so"));
        QVERIFY(writeFile(builtInDirectory(7) + "/garbage.so", QByteArray(4096, '\x7f')));
        const bool started = warning.isEmpty();
        if (!started)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QCOMPARE(m_manager->start(7, host(0x1234), text), started);
        // Handle 1 is whatever module was loaded.
        const QStringList loaded { "1:create()", "1:start(4660, " + text + ')' };
        QCOMPARE(TestJournal::entries().filter(QRegularExpression("^1:")), started ? loaded : QStringList());
        QCOMPARE(m_manager->exists(7), started);
        QVERIFY(m_manager->pluginAppSchemes(7).isEmpty()); // none listed, or none loaded
    }

    // The loader gets what follows the first space of the start text, the start command the
    // whole text.
    void startStopShowHideSchemes()
    {
        const QString options = " schemes=a,b,a,KTV,ktv,歌,,歌, 歌手=%1  b ";
        QVERIFY(install(builtInDirectory(7)) && m_manager->start(7, host(1), moduleName() + " id=7" + options));
        // Started: nothing to send. Registered: nothing on disk is looked at, no download asked for.
        QVERIFY(startDownloadable(99, "other", 2));
        m_manager->stop(7);
        m_manager->stop(7);
        // A stopped plug-in is still told to show and hide, and lists its schemes, once each.
        m_manager->show(7);
        m_manager->hide(7);
        QCOMPARE(m_manager->pluginAppSchemes(7), QStringList({ "a", "b", "KTV", "ktv", "歌", "" }));
        // Started again without loading: the module is not even needed, nor is the text split.
        QVERIFY(QDir(builtInDirectory(7)).removeRecursively());
        QVERIFY(m_manager->start(7, host(3), " "));
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable("load plugin failed: 8 \"" + builtInDirectory(8) + "\" no such plugin directory"));
        QVERIFY(!m_manager->start(8, host(3), moduleName()));
        m_manager->stop(8); // an unknown id is nobody's business

        QCOMPARE(TestJournal::entries(),
            QStringList({ "id7:create(id=7" + options + ')', "id7:start(1, " + moduleName() + " id=7" + options + ')',
                "id7:stop()", "id7:show()", "id7:hide()", "id7:appSchemes()", "id7:start(3,  )" }));
    }

    // Broadcasts reach every registered plug-in, started or not, in ascending id order. The
    // manager's end stops the started ones in that order and gives back its own reference
    // only: a record held beyond it keeps its handle, then stops it (if started again) and
    // releases it on the last release.
    void registryOrder()
    {
        for (int id : { 3, 1, 2 })
            QVERIFY(install(builtInDirectory(id))
                && m_manager->start(id, nullptr, moduleName() + " id=" + QString::number(id)));
        m_manager->stop(2);
        LuKtvPluginManagerPlugin* held = LuKtvPluginManagerPrivate::get(m_manager.data())->findPlugin(1);
        QVERIFY(held);
        TestJournal::clear();

        m_manager->joinRoom();
        m_manager->handleProtocol(7, "hello", 3);
        m_manager->handleProtocol(-1, nullptr, 0);
        m_manager->handleAppScheme("ktv://room/%1?歌");
        LuKtvPluginManager().joinRoom(); // another manager's registry is its own
        m_manager.reset();
        QVERIFY(held->startRecord(host(5), "late"));
        held->release();

        QCOMPARE(TestJournal::entries(),
            QStringList({ "id1:roomJoined()", "id2:roomJoined()", "id3:roomJoined()", "id1:handleProtocol(7, hel, 3)",
                "id2:handleProtocol(7, hel, 3)", "id3:handleProtocol(7, hel, 3)", "id1:handleProtocol(-1, null, 0)",
                "id2:handleProtocol(-1, null, 0)", "id3:handleProtocol(-1, null, 0)",
                "id1:handleAppScheme(ktv://room/%1?歌)", "id2:handleAppScheme(ktv://room/%1?歌)",
                "id3:handleAppScheme(ktv://room/%1?歌)", "id1:stop()", "id2:release()", "id3:stop()", "id3:release()",
                "id1:start(5, late)", "id1:stop()", "id1:release()" }));
    }

    // A plug-in may call back while the manager stops it on its way out. Whatever it starts
    // then is refused, so that nothing outlives the manager unstopped or unreleased.
    void startDuringTeardownRefused()
    {
        QVERIFY(install(builtInDirectory(1)) && m_manager->start(1, nullptr, moduleName() + " id=1 reenter"));
        QVERIFY(install(pluginDirectory()));
        QVERIFY(startDownloadable(0, moduleName() + " reenter id=7"));
        LuKtvPluginManager* manager = m_manager.data();
        QList<bool> restarted;
        TestJournal::setReentryHook([&](const QString& handle, const QString& call) {
            if (call == "stop()")
                restarted << (handle == "id1"
                        ? manager->start(1, host(2), moduleName())
                        : manager->start(7, 0, "quiz", "http://x/", host(2), moduleName(), false));
        });
        QTest::ignoreMessage(QtWarningMsg, "plugin start refused, manager is being destroyed: 1");
        QTest::ignoreMessage(QtWarningMsg, "plugin start refused, manager is being destroyed: 7");
        m_manager.reset();

        QCOMPARE(restarted, QList<bool>({ false, false }));
        QCOMPARE(creations().size(), 2);
        QCOMPARE(wronglyReleased(), QStringList());
    }

    // The installed version is the "number" of the root's first "version" child, read as
    // toInt() reads a decimal int (as version files in use may rely on); anything else is 0.
    // Up to date, or none required, yet nothing to start: a warning, no download, nothing loaded.
    void downloadableStart_data()
    {
        QTest::addColumn<QByteArray>("versionXml"); // null: no such file
        QTest::addColumn<int>("required");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<QString>("module"); // "file": a file in the plug-in directory's place
        QTest::addColumn<QString>("warning");

        const auto row = [](const char* tag, const QByteArray& xml, int required, bool loads,
                             const QString& module = moduleName(), const QString& warning = QString()) {
            QTest::newRow(tag) << xml << required << loads << module << warning;
        };
        row("no version file", QByteArray(), 1, false);
        row("equal", versionFile("3"), 3, true);
        row("surrounding spaces, sign", versionFile(" -12 "), -11, false);
        row("overflow", versionFile("2147483648"), 1, false);
        row("not a direct child", "<plugin><i><version number=\"7\"/></i></plugin>", 1, false);
        row("huge", "<plugin><version number=\"8\"/>" + QByteArray(1024 * 1024, 'x') + "</plugin>", 1, false);
#ifdef Q_OS_UNIX
        row("fifo without writer", "fifo", 1, false); // opening it would block
#endif
        row("no such module", versionFile("3"), 3, false, "quiz.so",
            "load plugin failed: 7 \"" + pluginDirectory() + "/quiz.so\" no such module");
        row("a file in the directory's place", QByteArray(), 0, false, "file",
            "can not make plugin dir: \"" + m_pluginsDirectory + "\" \"7\"");
    }
    void downloadableStart()
    {
        QFETCH(QByteArray, versionXml);
        QFETCH(int, required);
        QFETCH(bool, loads);
        QFETCH(QString, module);
        QFETCH(QString, warning);

        QVERIFY(module == "file" ? writeFile(pluginDirectory(), "not a directory") : install(pluginDirectory()));
        const QString path = pluginDirectory() + "/version.xml";
#ifdef Q_OS_UNIX
        if (versionXml == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
#endif
            QVERIFY(versionXml.isNull() || writeFile(path, versionXml));
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QSignalSpy download(m_manager.data(), &LuKtvPluginManager::downloadPlugin);
        const QString text = module + " id=7 level=2";
        QCOMPARE(startDownloadable(required, text, 9, true), loads);

        const QList<QVariantList> request { { 7, "quiz", pluginDirectory(), "http://x/", true } };
        QCOMPARE(QList<QVariantList>(download), !loads && warning.isEmpty() ? request : QList<QVariantList>());
        const QStringList loaded { "id7:create(id=7 level=2)", "id7:start(9, " + text + ')' };
        QCOMPARE(TestJournal::entries(), loads ? loaded : QStringList());
    }

    // The host fetches at once and starts again from within the signal, so the manager must
    // hold nothing that this needs.
    void hostAnswersDownload()
    {
        const QString text = moduleName() + " id=7";
        connect(m_manager.data(), &LuKtvPluginManager::downloadPlugin, this,
            [&](int pluginId, const QString& name, const QString& directory, const QString& url, bool silent) {
                // The directory, made for the host, takes the plug-in.
                QVERIFY(QFileInfo(directory).isDir() && QFile::copy(modulePath(), directory + '/' + moduleName()));
                QVERIFY(writeFile(directory + "/version.xml", versionFile("3")));
                QVERIFY(m_manager->start(pluginId, 3, name, url, host(2), text, silent));
            });
        QVERIFY(!startDownloadable(3, text, 1));
        QCOMPARE(TestJournal::entries(), QStringList({ "id7:create(id=7)", "id7:start(2, " + text + ')' }));
    }

    // Without a plug-ins directory nothing may be loaded from elsewhere, such as the current
    // directory, where a QDir on a null path would look.
    void pluginsDirectoryMissing()
    {
        QTemporaryDir current;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()) && install(current.filePath("7")));
        QVERIFY(QDir(m_pluginsDirectory).removeRecursively() && writeFile(m_pluginsDirectory, "not a directory"));
        QTest::ignoreMessage(QtWarningMsg, "can not make plugins directory");
        QTest::ignoreMessage(QtWarningMsg, "load plugin failed: 7 \"\" no plugins directory");

        const bool started = startDownloadable(0, moduleName());
        QVERIFY(QFile::remove(m_pluginsDirectory) && QDir::setCurrent(previous));
        QVERIFY(!started);
    }

    // Threads share one manager: each starts and stops its own ids, as callers must, and
    // sends everything else to any id. The plug-ins answer calls by calling back into the
    // manager from whichever thread called them, also while it stops them on its way out.
    void threadsShareOneManager()
    {
        const int idsPerThread = 2, idCount = threadCount * idsPerThread;
        for (int id = 1; id <= idCount; ++id)
            QVERIFY(install(builtInDirectory(id)));
        LuKtvPluginManager* shared = m_manager.data();
        // The lock that the schemes are read under is taken from inside every plug-in call.
        TestJournal::setReentryHook(
            [shared](const QString& handle, const QString&) { shared->pluginAppSchemes(handle.mid(2).toInt()); });

        // The start (1) and stop (2) commands that each id is sent after its first stopped
        // state, as its thread foresees them: those that change its state.
        std::vector<QString> expected(idCount + 1, "2");
        runThreads([&](int t) {
            QRandomGenerator random(quint32(1000 + t));
            for (int round = 0; round < 1000; ++round) {
                const int own = t * idsPerThread + 1 + round % idsPerThread;
                const int any = 1 + int(random.bounded(idCount));
                const QChar command = random.bounded(3) == 0 ? '2' : '1';
                if (command == '2')
                    shared->stop(own);
                else
                    shared->start(own, host(t + 1), moduleName() + " reenter schemes=a,a id=" + QString::number(own));
                if (!expected[own].endsWith(command))
                    expected[own] += command;
                shared->show(any);
                shared->exists(any);
                shared->joinRoom();
                shared->handleProtocol(round, "message", 7);
                if (round % 16 == 0)
                    shared->handleAppScheme("ktv://room/" + QString::number(round));
                shared->hide(any);
            }
        });
        m_manager.reset();

        QCOMPARE(wronglyReleased(), QStringList()); // also each id loaded once
        for (int id = 1; id <= idCount; ++id) {
            QString codes = "2";
            for (const QString& call : callsOf("id" + QString::number(id)).filter(QRegularExpression("^st")))
                codes += call.startsWith("start(") ? '1' : '2';
            QCOMPARE(codes, expected[id] + (expected[id].endsWith('1') ? "2" : ""));
        }
    }

    // Every thread loads the module before any registers it: all but one lose the race, and
    // the handles they loaded must only be released.
    void concurrentFirstStartsRegisterOnce()
    {
        QVERIFY(install(builtInDirectory(20)));
        std::atomic<int> created(0);
        TestJournal::setReentryHook([&created](const QString&, const QString& call) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            created += call.startsWith("create(");
            while (call.startsWith("create(") && created < threadCount && std::chrono::steady_clock::now() < deadline)
                std::this_thread::yield();
        });

        std::atomic<int> startedCount(0);
        runThreads([&](int t) { startedCount += m_manager->start(20, host(t + 1), moduleName() + " reenter"); });
        QCOMPARE(startedCount.load(), threadCount);
        // Every handle was created, one started, the others got nothing but their release.
        QCOMPARE(TestJournal::entries().filter(":start(").size(), 1);
        QCOMPARE(TestJournal::entries().filter(":release()").size(), threadCount - 1);
        QCOMPARE(TestJournal::entries().size(), 2 * threadCount);

        m_manager.reset();
        QCOMPARE(wronglyReleased(), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_LuKtvPluginManager)
#include "tst_luktvpluginmanager.moc"
