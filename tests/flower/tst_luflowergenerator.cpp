#include <lukbase/luflowergenerator.h>

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString markup(const QString& index)
{
    return QStringLiteral("{PLUME-FLOWERS:") + index + QLatin1Char('}');
}

QString markup(int index)
{
    return markup(QString::number(index));
}

// The flowers a generator holds, read back through their markup in index order.
QStringList flowersOf(LuFlowerGenerator& generator)
{
    QStringList flowers;
    for (int i = 0;; ++i) {
        const QString flower = generator.escapeFlower(markup(i));
        if (flower == markup(i))
            return flowers;
        flowers.append(flower);
    }
}

} // namespace

class tst_LuFlowerGenerator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void withoutFlowers();
    void fileLines_data();
    void fileLines();
    void loadingAppends();
    void loadIsLazyAndOnce();
    void escape_data();
    void escape();
    void randomFlower();
    void singleton();
    void largeTextIsLinear();

private:
    QString writeFile(const QString& name, const QByteArray& content);

    QTemporaryDir m_dir;
};

void tst_LuFlowerGenerator::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QVERIFY(m_dir.isValid());
}

QString tst_LuFlowerGenerator::writeFile(const QString& name, const QByteArray& content)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

void tst_LuFlowerGenerator::withoutFlowers()
{
    LuFlowerGenerator generator;
    const QString text = QStringLiteral("hi ") + markup(0);
    QVERIFY(generator.randomFlower().isNull());
    QCOMPARE(generator.escapeFlower(text), text);

    generator.load(writeFile(QStringLiteral("empty.txt"), QByteArray()), true);
    QVERIFY(generator.randomFlower().isNull());
    QCOMPARE(generator.escapeFlower(text), text);
}

void tst_LuFlowerGenerator::fileLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("flowers");

    const QString replacement(QChar::ReplacementCharacter);
    QTest::newRow("short lines skipped") << QByteArray("abc\nx\n\n") << QStringList { "abc\n" };
    QTest::newRow("two characters and a line feed") << QByteArray("ab\n") << QStringList { "ab\n" };
    QTest::newRow("last line of three kept") << QByteArray("abc\nxyz") << QStringList { "abc\n", "xyz" };
    QTest::newRow("last line of two dropped") << QByteArray("abc\nxy") << QStringList { "abc\n" };
    QTest::newRow("windows line ends") << QByteArray("ab\r\ncd\r\n\r\n") << QStringList { "ab\n", "cd\n" };
    QTest::newRow("characters, not bytes") << QByteArray("\xe8\x8a\xb1\n\xe8\x8a\xb1\xe5\xbc\x80\n")
                                           << QStringList { QString::fromUtf8("\xe8\x8a\xb1\xe5\xbc\x80\n") };
    // A NUL ends the line's text, line feed included.
    QTest::newRow("nul bytes") << QByteArray("abc\0def\nxy\0zzzz\nok!\n", 20) << QStringList { "abc", "ok!\n" };
    QTest::newRow("invalid utf-8") << QByteArray("\xff\xfeok\n\xc3\xc3\n")
                                   << QStringList { replacement + replacement + QStringLiteral("ok\n"),
                                          replacement + replacement + QStringLiteral("\n") };
    QTest::newRow("markup inside a flower")
        << QByteArray("{PLUME-FLOWERS:1}\nend\n") << QStringList { "{PLUME-FLOWERS:1}\n", "end\n" };
}

void tst_LuFlowerGenerator::fileLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, flowers);

    LuFlowerGenerator generator;
    generator.load(writeFile(QStringLiteral("flowers.txt"), content), true);
    QCOMPARE(flowersOf(generator), flowers);
}

void tst_LuFlowerGenerator::loadingAppends()
{
    const QString first = writeFile(QStringLiteral("first.txt"), "one\ntwo\n");
    const QString second = writeFile(QStringLiteral("second.txt"), "three\n");

    LuFlowerGenerator generator;
    generator.load(first, true);
    generator.load(second, true);
    generator.load(first, false);
    QCOMPARE(flowersOf(generator), (QStringList { "one\n", "two\n", "three\n", "one\n", "two\n" }));
}

void tst_LuFlowerGenerator::loadIsLazyAndOnce()
{
    const QString path = m_dir.filePath(QStringLiteral("later.txt"));
    LuFlowerGenerator generator;
    generator.load(path, false);
    // Written after load(): a deferred load reads the file at first use, and only then.
    QVERIFY(!writeFile(QStringLiteral("later.txt"), "rose\n").isEmpty());
    QCOMPARE(generator.escapeFlower(markup(0)), QStringLiteral("rose\n"));
    QVERIFY(!writeFile(QStringLiteral("later.txt"), "lily\ntulip\n").isEmpty());
    QCOMPARE(flowersOf(generator), QStringList { "rose\n" });

    // Loaded at once: the file may go away afterwards.
    generator.load(writeFile(QStringLiteral("now.txt"), "iris\n"), true);
    QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("now.txt"))));
    QCOMPARE(flowersOf(generator), (QStringList { "rose\n", "iris\n" }));

    // A file that cannot be opened is reported once and not tried again.
    const QString missing = m_dir.filePath(QStringLiteral("missing.txt"));
    generator.load(missing, false);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("open flower file failed: \"%1\"").arg(missing)));
    QVERIFY(!generator.randomFlower().isNull());
    QVERIFY(!writeFile(QStringLiteral("missing.txt"), "tulip\n").isEmpty());
    QCOMPARE(flowersOf(generator), (QStringList { "rose\n", "iris\n" }));
}

void tst_LuFlowerGenerator::escape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // The flowers: "F0\n", "F1\n" and one whose own text holds a markup.
    QTest::newRow("plain text") << "no flowers here"
                                << "no flowers here";
    QTest::newRow("two markups in order") << "a" + markup(1) + "b" + markup(0) << "aF1\nbF0\n";
    QTest::newRow("adjacent markups") << markup(0) + markup(1) + markup(0) << "F0\nF1\nF0\n";
    QTest::newRow("no digits is the first flower") << markup(QString()) << "F0\n";
    QTest::newRow("leading zeros") << markup(QStringLiteral("00000000000000000001")) << "F1\n";
    QTest::newRow("index past the end") << markup(3) + markup(1) << markup(3) + "F1\n";
    QTest::newRow("no closing brace") << "{PLUME-FLOWERS:1 and " + markup(0) << "{PLUME-FLOWERS:1 and F0\n";
    QTest::newRow("markup right after digits") << "{PLUME-FLOWERS:1" + markup(0) << "{PLUME-FLOWERS:1F0\n";
    QTest::newRow("prefix inside a markup") << "{PLUME-FLOWERS:" + markup(1) << "{PLUME-FLOWERS:F1\n";
    QTest::newRow("lower case") << "{plume-flowers:0}"
                                << "{plume-flowers:0}";
    QTest::newRow("prefix at the very end") << "end {PLUME-FLOWERS:"
                                            << "end {PLUME-FLOWERS:";
    QTest::newRow("digits at the very end") << "end {PLUME-FLOWERS:12"
                                            << "end {PLUME-FLOWERS:12";
    QTest::newRow("cut prefix") << "end {PLUME-FLOWERS"
                                << "end {PLUME-FLOWERS";
    QTest::newRow("sign") << markup(QStringLiteral("-1")) + markup(QStringLiteral("+1"))
                          << markup(QStringLiteral("-1")) + markup(QStringLiteral("+1"));
    QTest::newRow("non-latin digit") << markup(QStringLiteral("\u0661")) << markup(QStringLiteral("\u0661"));
    QTest::newRow("flower text is not expanded again") << markup(2) + "!" << markup(1) + "\n!";
    // Digit runs too long for an int must not wrap round onto a listed flower.
    QTest::newRow("int max plus one") << markup(QStringLiteral("2147483648")) << markup(QStringLiteral("2147483648"));
    QTest::newRow("two to the 32") << markup(QStringLiteral("4294967296")) << markup(QStringLiteral("4294967296"));
    QTest::newRow("two to the 32 plus one")
        << markup(QStringLiteral("4294967297")) << markup(QStringLiteral("4294967297"));
    QTest::newRow("twenty digits") << markup(QStringLiteral("18446744073709551616")) + markup(0)
                                   << markup(QStringLiteral("18446744073709551616")) + "F0\n";
    QTest::newRow("very long run") << markup(QString(500, QLatin1Char('9'))) << markup(QString(500, QLatin1Char('9')));
    QTest::newRow("wide characters kept") << QStringLiteral("\u82b1\U0001F339") + markup(1) + QStringLiteral("\u5f00")
                                          << QStringLiteral("\u82b1\U0001F339F1\n\u5f00");
}

void tst_LuFlowerGenerator::escape()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    LuFlowerGenerator generator;
    generator.load(writeFile(QStringLiteral("three.txt"), "F0\nF1\n{PLUME-FLOWERS:1}\n"), true);
    QCOMPARE(generator.escapeFlower(text), expected);
}

void tst_LuFlowerGenerator::randomFlower()
{
    LuFlowerGenerator generator;
    generator.load(writeFile(QStringLiteral("three.txt"), "rose\nlily\niris\n"), false);

    const QRegularExpression pattern(QStringLiteral("^\\{PLUME-FLOWERS:([0-9]+)\\}$"));
    QSet<int> seen;
    for (int i = 0; i < 300; ++i) {
        const QString flower = generator.randomFlower();
        const QRegularExpressionMatch match = pattern.match(flower);
        QVERIFY2(match.hasMatch(), qPrintable(flower));
        const int index = match.captured(1).toInt();
        QVERIFY(index >= 0 && index < 3);
        seen.insert(index);
    }
    // 300 draws from three flowers miss one with a chance of about 1e-52.
    QCOMPARE(seen.size(), 3);
}

void tst_LuFlowerGenerator::singleton()
{
    QCOMPARE(LuFlowerGenerator::instance(), nullptr);
    auto* first = new LuFlowerGenerator;
    QCOMPARE(LuFlowerGenerator::instance(), first);
    QVERIFY(first->qt_metacast("LuObject"));
    auto* second = new LuFlowerGenerator;
    QCOMPARE(LuFlowerGenerator::instance(), second);
    delete first;
    QCOMPARE(LuFlowerGenerator::instance(), second);
    delete second;
    QCOMPARE(LuFlowerGenerator::instance(), nullptr);
}

void tst_LuFlowerGenerator::largeTextIsLinear()
{
    LuFlowerGenerator generator;
    generator.load(writeFile(QStringLiteral("two.txt"), "a longer flower of some length\nF1\n"), true);

    // About 1 MiB of chat holding 10,000 markups. Replacing inside the string markup by
    // markup moves the whole tail each time and takes seconds; one pass takes milliseconds.
    QString text;
    QString expected;
    const QString filler(40, QLatin1Char('x'));
    for (int i = 0; i < 10000; ++i) {
        text += filler + markup(i % 2) + filler;
        expected
            += filler + (i % 2 ? QStringLiteral("F1\n") : QStringLiteral("a longer flower of some length\n")) + filler;
    }

    QElapsedTimer timer;
    timer.start();
    const QString result = generator.escapeFlower(text);
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(result, expected);
    QVERIFY2(elapsed < 1000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
}

QTEST_GUILESS_MAIN(tst_LuFlowerGenerator)
#include "tst_luflowergenerator.moc"
