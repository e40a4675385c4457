#include <lukbase/lugiftmanager.h>
#include <lukbase/lugiftstarmanager.h>
#include <lukbase/lukbase.h>

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using Stars = QList<LuGiftStarItem*>;

class tst_LuGiftStarManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void initializeCreatesAndFinalizeDeletes();
    void starIsAGiftRecordInTheGiftDirectory();
    void holders_data();
    void holders();
    void ordering();
    void duplicateIdKeepsTheFirstStar();
    void clearAllGivesStarsBack();
    void newerInstanceSurvivesOlder();

private:
    QTemporaryDir m_home;
    LuGiftStarManager* m_registry = nullptr;
};

void tst_LuGiftStarManager::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QStandardPaths::setTestModeEnabled(true);
}

void tst_LuGiftStarManager::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    m_registry = new LuGiftStarManager;
}

void tst_LuGiftStarManager::cleanup()
{
    delete m_registry;
    m_registry = nullptr;
}

void tst_LuGiftStarManager::initializeCreatesAndFinalizeDeletes()
{
    delete m_registry;
    m_registry = nullptr;
    QCOMPARE(LuGiftStarManager::instance(), nullptr);

    LuKBase::initialize();
    LuGiftStarManager* registry = LuGiftStarManager::instance();
    QVERIFY(registry);
    QCOMPARE(registry->parent(), nullptr);
    QVERIFY(LuKBase::appSettings());
    auto* star = registry->addGiftStar(3, 2, 0, 0, QStringLiteral("Sun"), QString(), 10, 8, 1, 1, 2, 1);
    star->ref();

    LuKBase::finalize();
    QCOMPARE(LuGiftStarManager::instance(), nullptr);
    // The registry gave its reference back; the host's own keeps the star.
    QCOMPARE(star->refCount(), 1);
    star->release();
}

void tst_LuGiftStarManager::starIsAGiftRecordInTheGiftDirectory()
{
    LuGiftStarItem* star = m_registry->addGiftStar(
        77, 2, 10005, 3, QStringLiteral("%1%2%3"), QStringLiteral("seat"), 500, 400, 10001, 4, 10002, 2);
    const QDir gifts(LuKBase::giftDirectory());
    QVERIFY(gifts.exists());
    QCOMPARE(star->id(), 77);
    QCOMPARE(star->type(), 2);
    QCOMPARE(star->cmd(), 10005);
    QCOMPARE(star->flags(), 3);
    QVERIFY(star->hasFlash());
    QCOMPARE(star->name(), QStringLiteral("%1%2%3"));
    QCOMPARE(star->unit(), QStringLiteral("seat"));
    QCOMPARE(star->price(), qint64(500));
    QCOMPARE(star->giftmoney(), qint64(400));
    QCOMPARE(star->thumbnailPath(), gifts.absoluteFilePath(QStringLiteral("77.png")));
    QCOMPARE(star->imagePath(), gifts.absoluteFilePath(QStringLiteral("77.gif")));
    QCOMPARE(star->starLogoPath(), gifts.absoluteFilePath(QStringLiteral("77_star.gif")));
    QCOMPARE(star->sendid0(), 10001);
    QCOMPARE(star->sendnum0(), 4);
    QCOMPARE(star->recvid0(), 10002);
    QCOMPARE(star->recvnum0(), 2);
    QCOMPARE(star->refCount(), 1);
    QCOMPARE(star->tooltip(),
        QStringLiteral("%1%2%3(Price: 500)\nReceiver money: 400\n"
                       "Used for siege, sender and receiver will be king and queen"));
    QCOMPARE(m_registry->getGiftStar(77), star);
    QCOMPARE(m_registry->getGiftStar(78), nullptr);
    QCOMPARE(m_registry->getUserStars(5), Stars());

    // A star is a gift record like any other for the gift manager.
    LuGiftManager manager;
    manager.setDownloadPrefix(QStringLiteral("http://127.0.0.1:9/"));
    manager.downloadGiftResource(star);
    QCOMPARE(star->refCount(), 5);
}

void tst_LuGiftStarManager::holders_data()
{
    QTest::addColumn<int>("sendid");
    QTest::addColumn<int>("sendnum");
    QTest::addColumn<int>("recvid");
    QTest::addColumn<int>("recvnum");
    QTest::addColumn<QList<int>>("users");
    QTest::addColumn<QList<int>>("listed");

    QTest::newRow("two holders") << 11 << 1 << 12 << 5 << QList<int>({ 11, 12 }) << QList<int>({ 1, 1 });
    QTest::newRow("same user both ways") << 11 << 2 << 11 << 3 << QList<int>({ 11 }) << QList<int>({ 2 });
    QTest::newRow("no sender") << 0 << 4 << 12 << 1 << QList<int>({ 12 }) << QList<int>({ 1 });
    QTest::newRow("sender count zero") << 11 << 0 << 12 << 1 << QList<int>({ 12 }) << QList<int>({ 1 });
    QTest::newRow("sender count negative") << 11 << -3 << 12 << 1 << QList<int>({ 12 }) << QList<int>({ 1 });
    QTest::newRow("receiver count zero") << 11 << 1 << 12 << 0 << QList<int>({ 11 }) << QList<int>({ 1 });
    QTest::newRow("nobody") << 0 << 0 << 0 << 9 << QList<int>() << QList<int>();
    QTest::newRow("negative user id counts") << -5 << 1 << 0 << 0 << QList<int>({ -5 }) << QList<int>({ 1 });
}

void tst_LuGiftStarManager::holders()
{
    QFETCH(int, sendid);
    QFETCH(int, sendnum);
    QFETCH(int, recvid);
    QFETCH(int, recvnum);
    QFETCH(QList<int>, users);
    QFETCH(QList<int>, listed);

    LuGiftStarItem* star
        = m_registry->addGiftStar(1, 2, 0, 0, QString(), QString(), 1, 1, sendid, sendnum, recvid, recvnum);
    QCOMPARE(m_registry->allUsers(), users);
    for (int i = 0; i < users.size(); ++i)
        QCOMPARE(m_registry->getUserStars(users.at(i)), Stars(listed.at(i), star));
    // Listed or not, the star is registered.
    QCOMPARE(m_registry->getGiftStar(1), star);
    QCOMPARE(m_registry->allGiftStars(), Stars({ star }));
    QCOMPARE(star->refCount(), 1);
}

void tst_LuGiftStarManager::ordering()
{
    LuGiftStarItem* thirty = m_registry->addGiftStar(30, 2, 0, 0, QString(), QString(), 1, 1, 500, 1, 0, 0);
    LuGiftStarItem* ten = m_registry->addGiftStar(10, 2, 0, 0, QString(), QString(), 1, 1, 500, 1, 400, 1);
    LuGiftStarItem* twenty = m_registry->addGiftStar(20, 2, 0, 0, QString(), QString(), 1, 1, 0, 0, 500, 2);

    QCOMPARE(m_registry->allGiftStars(), Stars({ ten, twenty, thirty }));
    QCOMPARE(m_registry->getUserStars(500), Stars({ thirty, ten, twenty }));
    QCOMPARE(m_registry->getUserStars(400), Stars({ ten }));
    QCOMPARE(m_registry->allUsers(), QList<int>({ 400, 500 }));
}

void tst_LuGiftStarManager::duplicateIdKeepsTheFirstStar()
{
    LuGiftStarItem* first = m_registry->addGiftStar(8, 2, 0, 0, QStringLiteral("First"), QString(), 1, 1, 1, 1, 0, 0);
    QTest::ignoreMessage(QtWarningMsg, "gift star duplicate: 8");
    LuGiftStarItem* second
        = m_registry->addGiftStar(8, 1, 10001, 1, QStringLiteral("Second"), QString(), 9, 9, 2, 1, 3, 1);
    QCOMPARE(second, first);
    QCOMPARE(first->name(), QStringLiteral("First"));
    QCOMPARE(first->sendid0(), 1);
    QCOMPARE(m_registry->allUsers(), QList<int>({ 1 }));
    QCOMPARE(m_registry->getUserStars(1), Stars({ first }));
    QCOMPARE(first->refCount(), 1);
}

void tst_LuGiftStarManager::clearAllGivesStarsBack()
{
    LuGiftStarItem* kept = m_registry->addGiftStar(1, 2, 0, 0, QString(), QString(), 1, 1, 7, 1, 8, 1);
    m_registry->addGiftStar(2, 2, 0, 0, QString(), QString(), 1, 1, 7, 1, 0, 0);
    kept->ref();
    m_registry->clearAll();

    QCOMPARE(m_registry->allGiftStars(), Stars());
    QCOMPARE(m_registry->allUsers(), QList<int>());
    QCOMPARE(m_registry->getGiftStar(1), nullptr);
    QCOMPARE(m_registry->getGiftStar(2), nullptr);
    QCOMPARE(m_registry->getUserStars(7), Stars());
    QCOMPARE(kept->refCount(), 1);

    // Cleared ids can be added anew, as new stars.
    LuGiftStarItem* again = m_registry->addGiftStar(1, 2, 0, 0, QString(), QString(), 1, 1, 7, 1, 0, 0);
    QVERIFY(again != kept);
    QCOMPARE(m_registry->getUserStars(7), Stars({ again }));
    kept->release();
}

void tst_LuGiftStarManager::newerInstanceSurvivesOlder()
{
    QCOMPARE(LuGiftStarManager::instance(), m_registry);
    auto* newer = new LuGiftStarManager;
    QCOMPARE(LuGiftStarManager::instance(), newer);
    delete m_registry;
    m_registry = nullptr;
    QCOMPARE(LuGiftStarManager::instance(), newer);
    delete newer;
    QCOMPARE(LuGiftStarManager::instance(), nullptr);
}

QTEST_GUILESS_MAIN(tst_LuGiftStarManager)
#include "tst_lugiftstarmanager.moc"
