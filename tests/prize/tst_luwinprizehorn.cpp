#include <lukbase/luwinprizepopup.h>

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

#include <climits>
#include <ctime>

using Multiples = QList<LuWinPrizeMultiple>;

namespace {

QString horn(const QString& body)
{
    return QStringLiteral("<font color=#DD1303>") + body + "</font>";
}

// The group form for a row that holds a list of multiples, the single form otherwise.
QString makeHorn(const QString& name, qint64 price, const QVariant& multiple, qint64 time, const QString& gift = "Rose")
{
    if (multiple.metaType() == QMetaType::fromType<Multiples>())
        return LuWinPrizePopup::makeHornMessage(name, gift, price, multiple.value<Multiples>(), time);
    return LuWinPrizePopup::makeHornMessage(name, gift, price, multiple.toLongLong(), time);
}

} // namespace

class tst_LuWinPrizeHorn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A fixed zone without daylight saving, east of UTC, so that local time differs from UTC.
    void initTestCase()
    {
        qputenv("TZ", "XST-8");
        tzset();
    }

    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void makeMultiples_data()
    {
        QTest::addColumn<QList<int>>("input");
        QTest::addColumn<Multiples>("expected");

        QTest::newRow("empty") << QList<int>() << Multiples();
        QTest::newRow("counted and sorted")
            << QList<int> { 500, 5, 500, 10, 5, 5 } << Multiples { { 5, 3 }, { 10, 1 }, { 500, 2 } };
        QTest::newRow("signed order, zero and extremes") << QList<int> { INT_MAX, 0, INT_MIN, -1, 0,
            INT_MAX } << Multiples { { INT_MIN, 1 }, { -1, 1 }, { 0, 2 }, { INT_MAX, 2 } };
    }

    void makeMultiples()
    {
        QFETCH(QList<int>, input);
        QFETCH(Multiples, expected);
        QCOMPARE(LuWinPrizePopup::makeMultiples(input), expected);
    }

    void hornMessage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("gift");
        QTest::addColumn<qint64>("price");
        QTest::addColumn<QVariant>("multiple"); // qint64: single form; Multiples: group form
        QTest::addColumn<qint64>("time");
        QTest::addColumn<QString>("body");

        // A row of the single form when multiple is a qint64, of the group form for Multiples.
        const auto row = [](const char* tag, qint64 price, const QVariant& multiple, const char* body, qint64 time = 0,
                             const char* name = "Ann", const char* gift = "Rose") {
            QTest::newRow(tag) << QString::fromUtf8(name) << QString::fromUtf8(gift) << price << multiple << time
                               << QString::fromUtf8(body);
        };
        const auto group = [](const Multiples& multiples) { return QVariant::fromValue(multiples); };
        row("single, worked example", 10, qint64(500),
            "Congratulations to Ann present Rose win 500 multiple, totally 5000 money");
        row("single, negative", 10, qint64(-3),
            "Congratulations to Ann present Rose win -3 multiple, totally -30 money");
        row("single, wraps negative", LLONG_MAX, qint64(2),
            "Congratulations to Ann present Rose win 2 multiple, totally -2 money");
        // Placeholders typed into a name stay as typed; the clock stamp follows the body.
        row("single, placeholders, local time", 10, qint64(500),
            "Congratulations to %1%2%3 present Rose win 500 multiple, totally 5000 money(06:13:20)", 1700000000,
            "%1%2%3");
        row("group, worked example", 10, group({ { 5, 1 }, { 10, 2 } }),
            "Congratulations to Ann present Rose win 5 multiple 1 times,10 multiple 2 times, totally 250 money");
        row("group, empty", 10, group({}), "Congratulations to Ann present Rose win  totally 0 money");
        row("group, 64-bit product of two ints", 1, group({ { INT_MAX, INT_MAX } }),
            "Congratulations to Ann present Rose win 2147483647 multiple 2147483647 times, totally 4611686014132420609 "
            "money");
        row("group, sum wraps", LLONG_MAX, group({ { 1, 1 }, { 1, 1 } }),
            "Congratulations to Ann present Rose win 1 multiple 1 times,1 multiple 1 times, totally -2 money");
        // Only the low 32 bits of the time count, as unsigned seconds: -1 is early 2106.
        row("group, placeholders, time read unsigned", 10, group({ { 500, 1 } }),
            "Congratulations to %1%2%3 present Rose win 500 multiple 1 times, totally 5000 money(14:28:15)", -1,
            "%1%2%3");
        // Every peer shows the horn as rich text: names that hold markup are shown as typed.
        const char* markup = "<img src=\"x.png\">";
        const char* giftMarkup = "<font size=40>R&D</font>";
        row("single, markup in names", 10, qint64(500),
            "Congratulations to &lt;img src=&quot;x.png&quot;&gt; present &lt;font size=40&gt;R&amp;D&lt;/font&gt; win "
            "500 multiple, totally 5000 money",
            0, markup, giftMarkup);
        row("group, markup in names", 10, group({ { 500, 1 } }),
            "Congratulations to &lt;img src=&quot;x.png&quot;&gt; present &lt;font size=40&gt;R&amp;D&lt;/font&gt; win "
            "500 multiple 1 times, totally 5000 money",
            0, markup, giftMarkup);
    }

    void hornMessage()
    {
        QFETCH(QString, name);
        QFETCH(QString, gift);
        QFETCH(qint64, price);
        QFETCH(QVariant, multiple);
        QFETCH(qint64, time);
        QFETCH(QString, body);
        QCOMPARE(makeHorn(name, price, multiple, time, gift), horn(body));
    }

    void chineseHorn()
    {
        QTranslator translator;
        QVERIFY(translator.load("lukbase_zh_CN", QStringLiteral(LUKBASE_TRANSLATIONS_DIR)));
        QCoreApplication::installTranslator(&translator);
        const QString single = makeHorn("%1%2%3", 10, qint64(500), 1700000000);
        const QString group = makeHorn("Ann", 10, QVariant::fromValue(Multiples { { 5, 1 }, { 10, 2 } }), 0);
        QCoreApplication::removeTranslator(&translator);

        QCOMPARE(single, horn("恭喜 %1%2%3 送出的 Rose 中了 500 倍大奖，共获得 5000 金币(06:13:20)"));
        QCOMPARE(group, horn("恭喜 Ann 送出的 Rose 中了 5倍1次，10倍2次， 共获得 250 金币"));
    }
};

QTEST_GUILESS_MAIN(tst_LuWinPrizeHorn)
#include "tst_luwinprizehorn.moc"
