#include <lukbase/luktvlocaluser.h>

#include <QTest>
#include <QThread>

#include <atomic>
#include <vector>

class tst_LuKtvLocalUser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void initialValues()
    {
        LuKtvLocalUser user;
        QCOMPARE(user.userid(), 0);
        QCOMPARE(user.money(), 0);
        QCOMPARE(user.giftMoney(), 0);
        QVERIFY(user.password().isNull() && user.macAddr().isNull() && user.observedIP().isNull());
        QVERIFY(user.session().isNull() && user.username().isNull());
        QCOMPARE(LuKtvLocalUser::instance(), LuKtvLocalUser::instance());
    }

    void byteTexts_data()
    {
        QTest::addColumn<bool>("null");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("null pointer") << true << QByteArray();
        QTest::newRow("empty") << false << QByteArray("");
        QTest::newRow("utf-8") << false << QByteArray("p\xc3\xa4ss w\xc3\xb6rd");
    }

    void byteTexts()
    {
        QFETCH(bool, null);
        QFETCH(QByteArray, text);
        LuKtvLocalUser user;
        const char* argument = null ? nullptr : text.constData();
        user.setPassword("previous");
        user.setPassword(argument);
        user.setMacAddr(argument);
        user.setObservedIP(argument);
        for (const QByteArray& value : { user.password(), user.macAddr(), user.observedIP() }) {
            QCOMPARE(value.isNull(), null);
            QCOMPARE(value, text);
        }
    }

    void concurrentAccessDoesNotTear();
};

// Writers alternate each field between two whole values while readers check that they only
// ever see one of them: a torn QByteArray, QString or qint64 would show up as a third.
void tst_LuKtvLocalUser::concurrentAccessDoesNotTear()
{
    LuKtvLocalUser user;
    const QByteArray bytes[] = { QByteArray("a"), QByteArray(4096, 'z') };
    const QString texts[] = { QStringLiteral("x"), QString(2048, QLatin1Char('y')) };
    const qint64 amounts[] = { -1, Q_INT64_C(0x7fffffff00000000) };
    const auto write = [&](int pick) {
        user.setPassword(bytes[pick].constData());
        user.setMacAddr(bytes[1 - pick].constData());
        user.setUsername(texts[pick]);
        user.setSession(texts[1 - pick]);
        user.setMoney(amounts[pick]);
        user.setGiftMoney(amounts[1 - pick]);
        user.setUserId(7 + pick);
    };
    const auto oneOf = [](const auto& value, const auto& pair) { return value == pair[0] || value == pair[1]; };
    write(0);

    std::atomic<bool> stop { false };
    std::atomic<int> torn { 0 };
    std::atomic<int> reads { 0 };
    std::vector<QThread*> threads;
    for (int w = 0; w < 2; ++w)
        threads.push_back(QThread::create([&, w] {
            for (int i = 0; !stop.load(); ++i)
                write((i + w) % 2);
        }));
    for (int r = 0; r < 3; ++r)
        threads.push_back(QThread::create([&] {
            while (!stop.load()) {
                const int ids[] = { 7, 8 };
                if (!(oneOf(user.password(), bytes) && oneOf(user.macAddr(), bytes) && oneOf(user.username(), texts)
                        && oneOf(user.session(), texts) && oneOf(user.money(), amounts)
                        && oneOf(user.giftMoney(), amounts) && oneOf(user.userid(), ids)))
                    ++torn;
                ++reads;
            }
        }));
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
