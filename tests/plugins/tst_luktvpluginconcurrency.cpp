#include <lukbase/luktvpluginmanager.h>

#include "pluginfixture.h"
#include "testjournal.h"

#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace PluginFixture;

namespace {

constexpr int threadCount = 4;
constexpr int idsPerThread = 2;
constexpr int rounds = 1000;
// Long enough for a slow sanitizer build, short enough to report a deadlock as a failure.
constexpr std::chrono::seconds deadlockTimeout(90);

int pluginIdOf(const QString& loaderArguments)
{
    static const QRegularExpression id(QStringLiteral("(?:^| )id=(\\d+)"));
    return id.match(loaderArguments).captured(1).toInt();
}

// Runs each job on a standard thread of its own (whose joins a thread sanitizer sees) and
// joins them. A job that does not finish in time means a deadlock: the process stops with a
// message rather than hanging.
void runConcurrently(const std::vector<std::function<void()>>& jobs)
{
    std::mutex mutex;
    std::condition_variable finished;
    std::size_t finishedCount = 0;
    std::vector<std::thread> threads;
    for (const auto& job : jobs) {
        threads.emplace_back([&, job] {
            job();
            std::lock_guard<std::mutex> lock(mutex);
            ++finishedCount;
            finished.notify_all();
        });
    }
    {
        std::unique_lock<std::mutex> lock(mutex);
        if (!finished.wait_for(lock, deadlockTimeout, [&] { return finishedCount == jobs.size(); }))
            qFatal("threads sharing the plug-in manager did not finish: deadlock");
    }
    for (std::thread& thread : threads)
        thread.join();
}

// The handles of the journal's create lines.
QList<int> createdHandles()
{
    static const QRegularExpression createLine(QStringLiteral("^(\\d+):create\\("));
    QList<int> handles;
    const QStringList entries = TestJournal::entries();
    for (const QString& entry : entries) {
        const QRegularExpressionMatch match = createLine.match(entry);
        if (match.hasMatch())
            handles.append(match.captured(1).toInt());
    }
    return handles;
}

// Handles that were not released exactly once, or were called after their release.
QList<int> wronglyReleasedHandles()
{
    QList<int> wrong;
    for (int handle : createdHandles()) {
        const QStringList calls = callsOf(handle);
        if (calls.count(QStringLiteral("release()")) != 1 || calls.last() != QLatin1String("release()"))
            wrong.append(handle);
    }
    return wrong;
}

// The start (1) and stop (2) commands of a handle in order, such as "1212".
QString startsAndStops(int handle)
{
    QString codes;
    const QStringList calls = callsOf(handle);
    for (const QString& call : calls) {
        if (call.startsWith(QLatin1String("control(1,")) || call.startsWith(QLatin1String("control(2,")))
            codes.append(call.at(8));
    }
    return codes;
}

} // namespace

class tst_LuKtvPluginConcurrency : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void threadsShareOneManager();
    void concurrentFirstStartsRegisterOnce();

private:
    QTemporaryDir m_home;
};

void tst_LuKtvPluginConcurrency::initTestCase()
{
    QVERIFY(m_home.isValid());
    useHome(m_home.path());
}

void tst_LuKtvPluginConcurrency::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    removeInstalledPlugins();
    TestJournal::setReentryHook({});
    TestJournal::clear();
}

void tst_LuKtvPluginConcurrency::cleanup()
{
    TestJournal::setReentryHook({});
}

void tst_LuKtvPluginConcurrency::threadsShareOneManager()
{
    const int idCount = threadCount * idsPerThread;
    for (int id = 1; id <= idCount; ++id)
        QVERIFY(install(journalModulePath(), builtInDirectory(id)));

    auto manager = std::make_unique<LuKtvPluginManager>();
    LuKtvPluginManager* shared = manager.get();
    // The plug-ins answer room events by calling back into the manager from whichever
    // thread called them.
    TestJournal::setReentryHook([shared](const QString& arguments, const QString& call) {
        const int id = pluginIdOf(arguments);
        if (call == QLatin1String("control(3, 1, 0)")) {
            shared->exists(id);
            shared->pluginAppSchemes(id);
        } else if (call == QLatin1String("control(4, 0, 0)")) {
            shared->show(id);
        } else if (call.startsWith(QLatin1String("handleProtocol("))) {
            shared->hide(id);
        } else if (call.startsWith(QLatin1String("handleAppScheme("))) {
            shared->joinRoom();
        }
    });

    // Each thread alone starts and stops its own ids, as callers must; everything else goes
    // to every id from every thread. Each counts the start commands it caused.
    std::vector<QHash<int, int>> expectedStarts(threadCount);
    std::vector<std::function<void()>> jobs;
    for (int t = 0; t < threadCount; ++t) {
        jobs.emplace_back([shared, t, idCount, &expectedStarts] {
            QRandomGenerator random(quint32(1000 + t));
            QHash<int, bool> started;
            for (int round = 0; round < rounds; ++round) {
                const int own = t * idsPerThread + 1 + round % idsPerThread;
                const int any = 1 + int(random.bounded(idCount));
                if (random.bounded(3) == 0) {
                    shared->stop(own);
                    started[own] = false;
                } else {
                    const QString text = journalModuleName() + QStringLiteral(" reenter schemes=ktv,song,ktv id=")
                        + QString::number(own);
                    if (shared->start(own, fakeHost(quintptr(t + 1)), text) && !started.value(own))
                        ++expectedStarts[t][own];
                    started[own] = true;
                }
                shared->show(any);
                shared->exists(any);
                shared->pluginAppSchemes(any);
                shared->joinRoom();
                shared->handleProtocol(round, "message", 7);
                if (round % 16 == 0)
                    shared->handleAppScheme(QStringLiteral("ktv://room/") + QString::number(round));
                shared->hide(any);
            }
        });
    }
    runConcurrently(jobs);
    TestJournal::setReentryHook({});
    manager.reset();

    QCOMPARE(wronglyReleasedHandles(), QList<int>());
    // Each id was started by its own thread only, so loaded once. Its start and stop
    // commands alternate, and the manager's end stopped whatever was still started.
    QCOMPARE(createdHandles().size(), idCount);
    for (int id = 1; id <= idCount; ++id) {
        const QString codes = startsAndStops(handleOf(id));
        QVERIFY2(QRegularExpression(QStringLiteral("^(12)+$")).match(codes).hasMatch(), qPrintable(codes));
        QCOMPARE(codes.count(QLatin1Char('1')), expectedStarts[(id - 1) / idsPerThread].value(id));
    }
}

void tst_LuKtvPluginConcurrency::concurrentFirstStartsRegisterOnce()
{
    // Every thread loads the module before any registers it: all but one lose the race.
    QVERIFY(install(journalModulePath(), builtInDirectory(20)));
    std::atomic<int> created(0);
    TestJournal::setReentryHook([&created](const QString&, const QString& call) {
        if (!call.startsWith(QLatin1String("create(")))
            return;
        ++created;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (created < threadCount && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
    });

    auto manager = std::make_unique<LuKtvPluginManager>();
    std::atomic<int> startedCount(0);
    std::vector<std::function<void()>> jobs;
    for (int t = 0; t < threadCount; ++t) {
        jobs.emplace_back([&manager, &startedCount, t] {
            const QString text = journalModuleName() + QStringLiteral(" reenter id=20");
            startedCount += manager->start(20, fakeHost(quintptr(t + 1)), text) ? 1 : 0;
        });
    }
    runConcurrently(jobs);
    TestJournal::setReentryHook({});

    QCOMPARE(startedCount.load(), threadCount);
    const QList<int> handles = createdHandles();
    QCOMPARE(handles.size(), threadCount);
    QStringList lives;
    for (int handle : handles)
        lives.append(callsOf(handle).mid(1).join(QLatin1Char(' ')));
    lives.sort();
    QCOMPARE(lives.takeFirst().left(11), QStringLiteral("control(1, "));
    QCOMPARE(lives, QStringList(threadCount - 1, QStringLiteral("release()")));

    manager.reset();
    QCOMPARE(wronglyReleasedHandles(), QList<int>());
}

QTEST_GUILESS_MAIN(tst_LuKtvPluginConcurrency)
#include "tst_luktvpluginconcurrency.moc"
