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

    // Holders on several threads take and give back references; only the last release destroys.
    void lastReleaseDestroys()
    {
        int destroyed = 0;
        auto* record = new Record(&destroyed);
        QCOMPARE(record->refCount(), 0);
        record->ref();
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
};

QTEST_GUILESS_MAIN(tst_LuSharedObject)
#include "tst_lusharedobject.moc"
