#include <lukbase/luktvlocaluser.h>

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <atomic>

class tst_LuKtvLocalUser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

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

    // A writer thread alternates whole values while this thread reads them: each value read is
    // one that was written (a thread sanitizer build also sees any unguarded access).
    void threadsShareTheUser()
    {
        LuKtvLocalUser user;
        const QByteArray bytes[] = { QByteArray("a"), QByteArray(4096, 'z') };
        const qint64 amounts[] = { -1, Q_INT64_C(0x7fffffff00000000) };
        std::atomic<bool> stop { false };
        QThread* writer = QThread::create([&] {
            for (int i = 0; !stop; ++i) {
                user.setPassword(bytes[i % 2].constData());
                user.setMoney(amounts[i % 2]);
                user.setUserId(7 + i % 2);
            }
        });
        writer->start();
        int torn = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 300) {
            const QByteArray password = user.password();
            const qint64 money = user.money();
            const int id = user.userid();
            torn += !(password.isNull() || password == bytes[0] || password == bytes[1])
                || !(money == 0 || money == amounts[0] || money == amounts[1]) || !(id == 0 || id == 7 || id == 8);
        }
        stop = true;
        QVERIFY(writer->wait(10000));
        delete writer;
        QCOMPARE(torn, 0);
    }
};

QTEST_GUILESS_MAIN(tst_LuKtvLocalUser)
#include "tst_luktvlocaluser.moc"
