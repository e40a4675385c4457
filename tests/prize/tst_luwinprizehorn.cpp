#include <lukbase/luwinprizepopup.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

#include <climits>
#include <ctime>

using Multiples = QList<LuWinPrizeMultiple>;

namespace QTest {
template <> char* toString(const LuWinPrizeMultiple& m)
{
    return qstrdup(QByteArray("(" + QByteArray::number(m.multiple()) + ", " + QByteArray::number(m.times()) + ")"));
}
} // namespace QTest

namespace {

QString horn(const QString& body)
{
    return QStringLiteral("<font color=#DD1303>") + body + QStringLiteral("</font>");
}

// The clock time of t as a person in UTC+8 reads it, worked out without the local zone.
QString clockInUtcPlus8(quint32 t)
{
    const QTime time = QDateTime::fromSecsSinceEpoch(t, Qt::UTC).addSecs(8 * 3600).time();
    return QStringLiteral("(%1)").arg(time.toString(QStringLiteral("hh:mm:ss")));
}

} // namespace

class tst_LuWinPrizeHorn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void makeMultiples_data();
    void makeMultiples();
    void singleHorn_data();
    void singleHorn();
    void groupHorn_data();
    void groupHorn();
    void localClock_data();
    void localClock();
    void chineseHorn();
};

void tst_LuWinPrizeHorn::initTestCase()
{
    // A fixed zone without daylight saving, east of UTC, so that local time differs from UTC.
    qputenv("TZ", "XST-8");
    tzset();
}

void tst_LuWinPrizeHorn::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void tst_LuWinPrizeHorn::makeMultiples_data()
{
    QTest::addColumn<QList<int>>("input");
    QTest::addColumn<Multiples>("expected");

    QTest::newRow("empty") << QList<int>() << Multiples();
    QTest::newRow("counted and sorted") << QList<int> { 500, 5, 500, 10, 5, 5 }
                                        << Multiples { { 5, 3 }, { 10, 1 }, { 500, 2 } };
    QTest::newRow("negative first") << QList<int> { -1, 3 } << Multiples { { -1, 1 }, { 3, 1 } };
    QTest::newRow("zero grouped") << QList<int> { 0, 7, 0 } << Multiples { { 0, 2 }, { 7, 1 } };
    QTest::newRow("extremes in signed order")
        << QList<int> { INT_MAX, INT_MIN, 1, INT_MAX } << Multiples { { INT_MIN, 1 }, { 1, 1 }, { INT_MAX, 2 } };
}

void tst_LuWinPrizeHorn::makeMultiples()
{
    QFETCH(QList<int>, input);
    QFETCH(Multiples, expected);
    QCOMPARE(LuWinPrizePopup::makeMultiples(input), expected);
}

void tst_LuWinPrizeHorn::singleHorn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("gift");
    QTest::addColumn<qint64>("price");
    QTest::addColumn<qint64>("multiple");
    QTest::addColumn<QString>("expected");

    const QString ann = QStringLiteral("Ann");
    const QString rose = QStringLiteral("Rose");
    QTest::newRow("worked example") << ann << rose << qint64(10) << qint64(500)
                                    << horn("Congratulations to Ann present Rose win 500 multiple, totally 5000 money");
    QTest::newRow("beyond 32 bits")
        << ann << rose << qint64(3000000000LL) << qint64(2)
        << horn("Congratulations to Ann present Rose win 2 multiple, totally 6000000000 money");
    QTest::newRow("zero multiple") << ann << rose << qint64(10) << qint64(0)
                                   << horn("Congratulations to Ann present Rose win 0 multiple, totally 0 money");
    QTest::newRow("negative multiple") << ann << rose << qint64(10) << qint64(-3)
                                       << horn(
                                              "Congratulations to Ann present Rose win -3 multiple, totally -30 money");
    QTest::newRow("product wraps to zero")
        << ann << rose << (qint64(1) << 62) << qint64(4)
        << horn("Congratulations to Ann present Rose win 4 multiple, totally 0 money");
    QTest::newRow("product wraps negative")
        << ann << rose << qint64(LLONG_MAX) << qint64(2)
        << horn("Congratulations to Ann present Rose win 2 multiple, totally -2 money");
    QTest::newRow("placeholders in names stay as typed")
        << QStringLiteral("%1%2%3") << QStringLiteral("%4 Rose") << qint64(10) << qint64(500)
        << horn("Congratulations to %1%2%3 present %4 Rose win 500 multiple, totally 5000 money");
    QTest::newRow("markup-like name kept") << QStringLiteral("<b>Bo</b>") << rose << qint64(1) << qint64(600)
                                           << horn("Congratulations to <b>Bo</b> present Rose win 600 multiple, "
                                                   "totally 600 money");
}

void tst_LuWinPrizeHorn::singleHorn()
{
    QFETCH(QString, name);
    QFETCH(QString, gift);
    QFETCH(qint64, price);
    QFETCH(qint64, multiple);
    QFETCH(QString, expected);
    QCOMPARE(LuWinPrizePopup::makeHornMessage(name, gift, price, multiple, 0), expected);
}

void tst_LuWinPrizeHorn::groupHorn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("price");
    QTest::addColumn<Multiples>("multiples");
    QTest::addColumn<QString>("expected");

    const QString ann = QStringLiteral("Ann");
    QTest::newRow("worked example")
        << ann << qint64(10) << Multiples { { 5, 1 }, { 10, 2 } }
        << horn("Congratulations to Ann present Rose win 5 multiple 1 times,10 multiple 2 times, totally 250 money");
    QTest::newRow("empty group") << ann << qint64(10) << Multiples()
                                 << horn("Congratulations to Ann present Rose win  totally 0 money");
    QTest::newRow("64-bit product of two ints")
        << ann << qint64(1) << Multiples { { INT_MAX, INT_MAX } }
        << horn("Congratulations to Ann present Rose win 2147483647 multiple 2147483647 times, "
                "totally 4611686014132420609 money");
    QTest::newRow("sum wraps") << ann << qint64(LLONG_MAX) << Multiples { { 1, 1 }, { 1, 1 } }
                               << horn("Congratulations to Ann present Rose win 1 multiple 1 times,1 multiple 1 "
                                       "times, totally -2 money");
    QTest::newRow("negative and zero") << ann << qint64(7) << Multiples { { -2, 3 }, { 0, 4 } }
                                       << horn("Congratulations to Ann present Rose win -2 multiple 3 times,0 "
                                               "multiple 4 times, totally -42 money");
    QTest::newRow("placeholders in names stay as typed")
        << QStringLiteral("%1%2%3") << qint64(10) << Multiples { { 500, 1 } }
        << horn("Congratulations to %1%2%3 present Rose win 500 multiple 1 times, totally 5000 money");
}

void tst_LuWinPrizeHorn::groupHorn()
{
    QFETCH(QString, name);
    QFETCH(qint64, price);
    QFETCH(Multiples, multiples);
    QFETCH(QString, expected);
    QCOMPARE(LuWinPrizePopup::makeHornMessage(name, QStringLiteral("Rose"), price, multiples, 0), expected);
}

void tst_LuWinPrizeHorn::localClock_data()
{
    QTest::addColumn<qint64>("time");
    QTest::addColumn<QString>("stamp");

    QTest::newRow("none") << qint64(0) << QString();
    QTest::newRow("morning") << qint64(1700000000) << QStringLiteral("(06:13:20)");
    QTest::newRow("evening") << qint64(1700049600) << clockInUtcPlus8(1700049600);
    // Only the low 32 bits count, as unsigned seconds.
    QTest::newRow("high bits ignored") << ((qint64(1) << 32) + 1700000000) << clockInUtcPlus8(1700000000);
    QTest::newRow("negative read unsigned") << qint64(-1) << clockInUtcPlus8(0xffffffffu);
}

void tst_LuWinPrizeHorn::localClock()
{
    QFETCH(qint64, time);
    QFETCH(QString, stamp);

    // The stamp follows the body directly, inside the font element, in both forms.
    const QString single
        = LuWinPrizePopup::makeHornMessage(QStringLiteral("Ann"), QStringLiteral("Rose"), 10, qint64(500), time);
    QCOMPARE(single, horn("Congratulations to Ann present Rose win 500 multiple, totally 5000 money" + stamp));
    const QString group = LuWinPrizePopup::makeHornMessage(
        QStringLiteral("Ann"), QStringLiteral("Rose"), 10, Multiples { { 500, 1 } }, time);
    QCOMPARE(group, horn("Congratulations to Ann present Rose win 500 multiple 1 times, totally 5000 money" + stamp));
}

void tst_LuWinPrizeHorn::chineseHorn()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("lukbase_zh_CN"), QStringLiteral(LUKBASE_TRANSLATIONS_DIR)));
    QCoreApplication::installTranslator(&translator);
    const QString single = LuWinPrizePopup::makeHornMessage(
        QStringLiteral("%1%2%3"), QStringLiteral("Rose"), 10, qint64(500), 1700000000);
    const QString group = LuWinPrizePopup::makeHornMessage(
        QStringLiteral("Ann"), QStringLiteral("Rose"), 10, Multiples { { 5, 1 }, { 10, 2 } }, 0);
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(single, horn(QStringLiteral("恭喜 %1%2%3 送出的 Rose 中了 500 倍大奖，共获得 5000 金币(06:13:20)")));
    QCOMPARE(group, horn(QStringLiteral("恭喜 Ann 送出的 Rose 中了 5倍1次，10倍2次， 共获得 250 金币")));
}

QTEST_GUILESS_MAIN(tst_LuWinPrizeHorn)
#include "tst_luwinprizehorn.moc"
