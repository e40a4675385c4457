#include <lukbase/lugiftstarmanager.h>
#include <lukbase/lukbase.h>

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

using Stars = QList<LuGiftStarItem*>;

class tst_LuGiftStarManager : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    LuGiftStarManager* m_registry = nullptr;

    // A star of gift id, sent by and received by the users given with their counts.
    LuGiftStarItem* add(int id, int sendid, int sendnum, int recvid, int recvnum)
    {
        return m_registry->addGiftStar(id, 2, 0, 0, QString(), QString(), 1, 1, sendid, sendnum, recvid, recvnum);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        QStandardPaths::setTestModeEnabled(true);
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        m_registry = new LuGiftStarManager;
    }

    void cleanup() { delete m_registry; }

    // The newest registry is the instance, until it is deleted. initialize() creates one, finalize() deletes
    // it: the registry's references go with it, the host's own keeps the star.
    void instances()
    {
        // A newer registry replaces the test's, which goes first.
        delete std::exchange(m_registry, new LuGiftStarManager);
        QCOMPARE(LuGiftStarManager::instance(), m_registry);
        delete m_registry;
        m_registry = nullptr;
        QCOMPARE(LuGiftStarManager::instance(), nullptr);
        LuKBase::initialize();
        QVERIFY(LuGiftStarManager::instance());
        LuGiftStarItem* star = LuGiftStarManager::instance()->addGiftStar(3, 2, 0, 0, "Sun", {}, 10, 8, 1, 1, 2, 1);
        star->ref();
        LuKBase::finalize();
        QCOMPARE(LuGiftStarManager::instance(), nullptr);
        QCOMPARE(star->refCount(), 1);
        star->release();
    }

    // Flags come fourth; the pictures are in the gift directory; a second star of the same gift is refused.
    void starIsAGiftRecord()
    {
        LuGiftStarItem* star = m_registry->addGiftStar(77, 2, 10005, 3, "%1%2%3", "seat", 500, 400, 10001, 4, 10002, 2);
        const QDir gifts(LuKBase::giftDirectory());
        QVERIFY(star->hasFlash());
        QCOMPARE(star->tooltip(),
            "%1%2%3(Price: 500)\nReceiver money: 400\nUsed for siege, sender and receiver will be king and queen");
        QCOMPARE(QStringList({ star->thumbnailPath(), star->imagePath(), star->starLogoPath() }),
            QStringList({ gifts.filePath("77.png"), gifts.filePath("77.gif"), gifts.filePath("77_star.gif") }));
        QCOMPARE(QList<int>({ star->sendid0(), star->sendnum0(), star->recvid0(), star->recvnum0() }),
            QList<int>({ 10001, 4, 10002, 2 }));
        QCOMPARE(m_registry->getGiftStar(77), star);

        QTest::ignoreMessage(QtWarningMsg, "gift star duplicate: 77");
        QCOMPARE(m_registry->addGiftStar(77, 1, 10001, 1, "Second", QString(), 9, 9, 2, 1, 3, 1), star);
        QCOMPARE(star->name(), "%1%2%3");
        QCOMPARE(m_registry->allUsers(), QList<int>({ 10001, 10002 }));
        QCOMPARE(star->refCount(), 1);
    }

    // Stars by ascending id; a user's stars in the order added, twice when held both ways; holders need an id
    // other than 0 and a count of at least 1; users ascending. clearAll gives every star back.
    void holdersAndOrder()
    {
        LuGiftStarItem* thirty = add(30, 500, 1, -5, 1);
        LuGiftStarItem* ten = add(10, 500, 1, 0, 4);
        LuGiftStarItem* twenty = add(20, 11, 2, 11, 3);
        LuGiftStarItem* forty = add(40, 12, 0, 13, -3);
        QCOMPARE(m_registry->allGiftStars(), Stars({ ten, twenty, thirty, forty }));
        QCOMPARE(m_registry->getUserStars(500), Stars({ thirty, ten }));
        QCOMPARE(m_registry->getUserStars(11), Stars({ twenty, twenty }));
        QCOMPARE(m_registry->allUsers(), QList<int>({ -5, 11, 500 }));

        ten->ref();
        m_registry->clearAll();
        QCOMPARE(m_registry->allGiftStars(), Stars());
        QCOMPARE(m_registry->allUsers(), QList<int>());
        QCOMPARE(m_registry->getGiftStar(10), nullptr);
        QCOMPARE(ten->refCount(), 1);
        // Cleared ids can be added anew, as new stars.
        LuGiftStarItem* again = add(10, 500, 1, 0, 0);
        QVERIFY(again != ten);
        QCOMPARE(m_registry->getUserStars(500), Stars({ again }));
        ten->release();
    }
};

QTEST_GUILESS_MAIN(tst_LuGiftStarManager)
#include "tst_lugiftstarmanager.moc"
