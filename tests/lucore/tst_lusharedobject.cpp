#include <lucore/lusharedobject.h>

#include <QTest>
#include <QThread>

#include <vector>

namespace {

// Counts its destructions.
class Record : public LuSharedObject
{
public:
    explicit Record(int* destroyed)
        : m_destroyed(destroyed)
    {
    }
    ~Record() override { ++*m_destroyed; }

private:
    int* m_destroyed;
};

} // namespace

class tst_LuSharedObject : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }
    void lastReleaseDestroys();
    void concurrentHolders();
};

void tst_LuSharedObject::lastReleaseDestroys()
{
    int destroyed = 0;
    auto* record = new Record(&destroyed);
    QCOMPARE(record->refCount(), 0);
    record->ref();
    record->ref();
    QCOMPARE(record->refCount(), 2);
    record->release();
    QCOMPARE(destroyed, 0);
    QCOMPARE(record->refCount(), 1);
    record->release();
    QCOMPARE(destroyed, 1);
}

void tst_LuSharedObject::concurrentHolders()
{
    int destroyed = 0;
    auto* record = new Record(&destroyed);
    record->ref(); // the test's own reference
    std::vector<QThread*> threads;
    for (int t = 0; t < 4; ++t) {
        threads.push_back(QThread::create([record] {
            for (int i = 0; i < 20000; ++i) {
                record->ref();
                record->release();
            }
        }));
        threads.back()->start();
    }
    for (QThread* thread : threads) {
        QVERIFY(thread->wait(20000));
        delete thread;
    }
    QCOMPARE(destroyed, 0);
    QCOMPARE(record->refCount(), 1);
    record->release();
    QCOMPARE(destroyed, 1);
}

QTEST_GUILESS_MAIN(tst_LuSharedObject)
#include "tst_lusharedobject.moc"
