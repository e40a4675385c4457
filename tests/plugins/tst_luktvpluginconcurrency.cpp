#include <lukbase/luktvpluginmanager.h>

#include "pluginfixture.h"
#include "testjournal.h"

#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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
constexpr std::chrono::seconds joinTimeout(90);

int pluginIdOf(const QString& loaderArguments)
{
    static const QRegularExpression id(QStringLiteral("(?:^| )id=(\\d+)"));
    return id.match(loaderArguments).captured(1).toInt();
}

// Holds every thread that arrives until count have arrived (or a timeout passed). Built on
// the standard library's primitives, which a thread sanitizer sees through.
class Barrier
{
public:
    explicit Barrier(int count)
        : m_waiting(count)
    {
    }
    void arriveAndWait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (--m_waiting <= 0) {
            m_allArrived.notify_all();
            return;
        }
        if (!m_allArrived.wait_for(lock, std::chrono::seconds(10), [this] { return m_waiting <= 0; }))
            m_timedOut = true;
    }
    bool timedOut()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_timedOut;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_allArrived;
    int m_waiting;
    bool m_timedOut = false;
};

// Runs each job on a thread of its own and joins them. A job that does not finish in time
// means a deadlock: the process stops with a message rather than hanging.
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
        if (!finished.wait_for(lock, joinTimeout, [&] { return finishedCount == jobs.size(); }))
            qFatal("threads sharing the plug-in manager did not finish: deadlock");
    }
    for (std::thread& thread : threads)
        thread.join();
}

// The start (1) and stop (2) commands of a handle, in order.
QList<int> startsAndStops(int handle)
{
    QList<int> codes;
    const QStringList calls = callsOf(handle);
    for (const QString& call : calls) {
        if (call.startsWith(QLatin1String("control(1,")))
            codes.append(1);
        else if (call.startsWith(QLatin1String("control(2,")))
            codes.append(2);
    }
    return codes;
}

// Every handle in the journal ended with exactly one release(), after which it heard nothing.
bool everyHandleReleasedOnce(QString* failure)
{
    static const QRegularExpression createLine(QStringLiteral("^(\\d+):create\\("));
    const QStringList entries = TestJournal::entries();
    for (const QString& entry : entries) {
        const QRegularExpressionMatch match = createLine.match(entry);
        if (!match.hasMatch())
            continue;
        const QStringList calls = callsOf(match.captured(1).toInt());
        if (calls.count(QStringLiteral("release()")) != 1 || calls.last() != QLatin1String("release()")) {
            *failure = entry + QStringLiteral(" ended with ") + calls.last();
            return false;
        }
    }
    return true;
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
        QVERIFY(installBuiltIn(id));

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

    QString failure;
    QVERIFY2(everyHandleReleasedOnce(&failure), qPrintable(failure));
    for (int id = 1; id <= idCount; ++id) {
        // Only its own thread started the id, so it was loaded once.
        const QRegularExpression createLine(QStringLiteral("^\\d+:create\\(.* id=%1\\)$").arg(id));
        QCOMPARE(TestJournal::entries().filter(createLine).size(), 1);
        const int handle = handleOf(id);
        // Start and stop alternate, and the manager's end stops whatever was still started.
        const QList<int> codes = startsAndStops(handle);
        QVERIFY(!codes.isEmpty());
        for (int i = 0; i < codes.size(); ++i)
            QCOMPARE(codes.at(i), i % 2 == 0 ? 1 : 2);
        QCOMPARE(codes.last(), 2);
        QCOMPARE(codes.count(1), expectedStarts[(id - 1) / idsPerThread].value(id));
    }
}

void tst_LuKtvPluginConcurrency::concurrentFirstStartsRegisterOnce()
{
    // Every thread loads the module before any registers it: all but one lose the race.
    QVERIFY(installBuiltIn(20));
    auto barrier = std::make_shared<Barrier>(threadCount);
    TestJournal::setReentryHook([barrier](const QString&, const QString& call) {
        if (call.startsWith(QLatin1String("create(")))
            barrier->arriveAndWait();
    });

    LuKtvPluginManager manager;
    QAtomicInt startedCount;
    std::vector<std::function<void()>> jobs;
    for (int t = 0; t < threadCount; ++t) {
        jobs.emplace_back([&manager, &startedCount, t] {
            const QString text = journalModuleName() + QStringLiteral(" reenter id=20");
            if (manager.start(20, fakeHost(quintptr(t + 1)), text))
                startedCount.ref();
        });
    }
    runConcurrently(jobs);
    TestJournal::setReentryHook({});
    QVERIFY(!barrier->timedOut());

    QCOMPARE(startedCount.loadRelaxed(), threadCount);
    QVERIFY(manager.exists(20));
    const QStringList creates = TestJournal::entries().filter(QStringLiteral(":create("));
    QCOMPARE(creates.size(), threadCount);
    int winners = 0;
    for (const QString& create : creates) {
        const QStringList calls = callsOf(create.section(QLatin1Char(':'), 0, 0).toInt());
        if (calls.size() == 2 && calls.at(1) == QLatin1String("release()"))
            continue;
        ++winners;
        QCOMPARE(calls.size(), 2);
        QVERIFY(calls.at(1).startsWith(QLatin1String("control(1, ")));
    }
    QCOMPARE(winners, 1);
}

QTEST_GUILESS_MAIN(tst_LuKtvPluginConcurrency)
#include "tst_luktvpluginconcurrency.moc"
