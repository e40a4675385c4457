#include <lucore/lusharedobject.h>

#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

// Counts its destructions.
struct Record : LuSharedObject
{
    int* destroyed;
    explicit Record(int* count)
        : destroyed(count)
    {
    }
    ~Record() override { ++*destroyed; }
};

} // namespace

class tst_LuSharedObject : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    // Holders on several threads take and give back references; only the last release destroys.
    void lastReleaseDestroys()
    {
        int destroyed = 0;
        auto* record = new Record(&destroyed);
        QCOMPARE(record->refCount(), 0);
        record->ref();
        std::vector<std::unique_ptr<QThread>> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back(QThread::create([record] {
                for (int i = 0; i < 20000; ++i) {
                    record->ref();
                    record->release();
                }
            }));
            threads.back()->start();
        }
        for (const auto& thread : threads)
            QVERIFY(thread->wait(20000));
        QCOMPARE(destroyed, 0);
        QCOMPARE(record->refCount(), 1);
        record->release();
        QCOMPARE(destroyed, 1);
    }
};

QTEST_GUILESS_MAIN(tst_LuSharedObject)
#include "tst_lusharedobject.moc"
