#include <lukbase/luktvlocaluser.h>

#include <QTest>
#include <QThread>

#include <atomic>
#include <vector>

class tst_LuKtvLocalUser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void initialValues();
    void instanceIsOne();
    void byteTexts_data();
    void byteTexts();
    void valuesKeptUnchanged();
    void concurrentAccessDoesNotTear();
};

void tst_LuKtvLocalUser::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void tst_LuKtvLocalUser::initialValues()
{
    LuKtvLocalUser user;
    QCOMPARE(user.userid(), 0);
    QCOMPARE(user.money(), 0);
    QCOMPARE(user.giftMoney(), 0);
    QVERIFY(user.password().isNull());
    QVERIFY(user.macAddr().isNull());
    QVERIFY(user.observedIP().isNull());
    QVERIFY(user.session().isNull());
    QVERIFY(user.username().isNull());
}

void tst_LuKtvLocalUser::instanceIsOne()
{
    LuKtvLocalUser* user = LuKtvLocalUser::instance();
    QVERIFY(user);
    QCOMPARE(LuKtvLocalUser::instance(), user);
    user->setUserId(31);
    QCOMPARE(LuKtvLocalUser::instance()->userid(), 31);
}

void tst_LuKtvLocalUser::byteTexts_data()
{
    QTest::addColumn<bool>("null");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("null pointer") << true << QByteArray();
    QTest::newRow("empty") << false << QByteArray("");
    QTest::newRow("text") << false << QByteArray("00:1a:2b:3c:4d:5e");
    QTest::newRow("utf-8") << false << QByteArray("p\xc3\xa4ss w\xc3\xb6rd");
}

void tst_LuKtvLocalUser::byteTexts()
{
    QFETCH(bool, null);
    QFETCH(QByteArray, text);

    LuKtvLocalUser user;
    user.setPassword("previous");
    user.setMacAddr("previous");
    user.setObservedIP("previous");
    const char* argument = null ? nullptr : text.constData();
    user.setPassword(argument);
    user.setMacAddr(argument);
    user.setObservedIP(argument);

    for (const QByteArray& value : { user.password(), user.macAddr(), user.observedIP() }) {
        QCOMPARE(value.isNull(), null);
        QCOMPARE(value.isEmpty(), text.isEmpty());
        QCOMPARE(value, text);
    }
}

void tst_LuKtvLocalUser::valuesKeptUnchanged()
{
    LuKtvLocalUser user;
    user.setUserId(-3);
    user.setMoney(-250);
    user.setGiftMoney(Q_INT64_C(9000000000));
    user.setSession(QStringLiteral("s-1"));
    user.setUsername(QStringLiteral("%1%2%3"));
    QCOMPARE(user.userid(), -3);
    QCOMPARE(user.money(), -250);
    QCOMPARE(user.giftMoney(), Q_INT64_C(9000000000));
    QCOMPARE(user.session(), QStringLiteral("s-1"));
    QCOMPARE(user.username(), QStringLiteral("%1%2%3"));
    user.setSession(QString());
    QVERIFY(user.session().isNull());
}

// Writers alternate each field between two whole values while readers check that they
// only ever see one of them: a torn QByteArray, QString or qint64 would show up as a third.
void tst_LuKtvLocalUser::concurrentAccessDoesNotTear()
{
    LuKtvLocalUser user;
    const QByteArray shortBytes("a");
    const QByteArray longBytes(4096, 'z');
    const QString shortText = QStringLiteral("x");
    const QString longText(2048, QLatin1Char('y'));
    const qint64 low = 1;
    const qint64 high = Q_INT64_C(0x7fffffff00000000);

    user.setPassword(shortBytes.constData());
    user.setMacAddr(longBytes.constData());
    user.setUsername(shortText);
    user.setSession(longText);
    user.setMoney(low);
    user.setGiftMoney(high);
    user.setUserId(8);

    std::atomic<bool> stop { false };
    std::atomic<int> torn { 0 };
    std::atomic<int> reads { 0 };

    std::vector<QThread*> threads;
    for (int w = 0; w < 2; ++w) {
        threads.push_back(QThread::create([&, w] {
            for (int i = 0; !stop.load(); ++i) {
                const bool pick = (i + w) % 2;
                user.setPassword(pick ? longBytes.constData() : shortBytes.constData());
                user.setMacAddr(pick ? shortBytes.constData() : longBytes.constData());
                user.setUsername(pick ? longText : shortText);
                user.setSession(pick ? shortText : longText);
                user.setMoney(pick ? high : low);
                user.setGiftMoney(pick ? low : high);
                user.setUserId(pick ? 7 : 8);
            }
        }));
    }
    for (int r = 0; r < 3; ++r) {
        threads.push_back(QThread::create([&] {
            while (!stop.load()) {
                const QByteArray password = user.password();
                const QByteArray mac = user.macAddr();
                const QString name = user.username();
                const QString session = user.session();
                const qint64 money = user.money();
                const qint64 giftMoney = user.giftMoney();
                const int id = user.userid();
                const auto oneOf
                    = [](const auto& value, const auto& a, const auto& b) { return value == a || value == b; };
                if (!(oneOf(password, shortBytes, longBytes) && oneOf(mac, shortBytes, longBytes)
                        && oneOf(name, shortText, longText) && oneOf(session, shortText, longText)
                        && oneOf(money, low, high) && oneOf(giftMoney, low, high) && oneOf(id, 7, 8)))
                    ++torn;
                ++reads;
            }
        }));
    }
    for (QThread* thread : threads)
        thread->start();
    QTest::qWait(400);
    stop = true;
    for (QThread* thread : threads) {
        QVERIFY(thread->wait(10000));
        delete thread;
    }
    QVERIFY(reads.load() > 100);
    QCOMPARE(torn.load(), 0);
}

QTEST_GUILESS_MAIN(tst_LuKtvLocalUser)
#include "tst_luktvlocaluser.moc"
