#include <lukbase/luflowergenerator.h>

#include "testfiles.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class tst_LuFlowerGenerator : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static QString markup(const QString& index) { return QStringLiteral("{PLUME-FLOWERS:%1}").arg(index); }

    // The flowers a generator holds, read back through their markup in index order.
    static QStringList flowersOf(LuFlowerGenerator& generator)
    {
        QStringList flowers;
        for (QString m = markup("0"); generator.escapeFlower(m) != m; m = markup(QString::number(flowers.size())))
            flowers.append(generator.escapeFlower(m));
        return flowers;
    }

    QString flowerFile(const QByteArray& content, const QString& name = "flowers.txt")
    {
        return writeFile(m_dir.filePath(name), content) ? m_dir.filePath(name) : QString();
    }

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void fileLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("flowers");

        // Every other file (short lines, UTF-8, NUL bytes, a last line without line feed): the
        // fuzz target's.
        QTest::newRow("windows line ends") << QByteArray("ab\r\n\r\n") << QStringList { "ab\n" };
        // A lone carriage return is part of the flower, in the first line as in any other.
        QTest::newRow("carriage returns inside lines")
            << QByteArray("a\rb\r\nc\rd\n\ra\r") << QStringList { "a\rb\n", "c\rd\n", "\ra\r" };
    }

    void fileLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, flowers);

        LuFlowerGenerator generator;
        generator.load(flowerFile(content), true);
        QCOMPARE(flowersOf(generator), flowers);

        // Random flowers are markups of listed flowers, each one drawn (300 draws miss one of
        // two with a chance of 2^-299); without flowers, a null string.
        QSet<QString> drawn, listed;
        for (int i = 0; i < 300; ++i)
            drawn.insert(generator.randomFlower());
        for (qsizetype i = 0; i < flowers.size(); ++i)
            listed.insert(markup(QString::number(i)));
        QCOMPARE(drawn, flowers.isEmpty() ? QSet<QString> { QString() } : listed);
    }

    void loading()
    {
        // A deferred load reads the file at first use, and only then.
        const QString later = m_dir.filePath("later.txt");
        LuFlowerGenerator generator;
        generator.load(later, false);
        QVERIFY(!flowerFile("rose\n", "later.txt").isEmpty());
        QCOMPARE(flowersOf(generator), QStringList { "rose\n" });
        QVERIFY(!flowerFile("lily\n", "later.txt").isEmpty());
        QCOMPARE(flowersOf(generator), QStringList { "rose\n" });

        // Each load appends, even of a file read before; loaded at once, it is read at once.
        generator.load(later, true);
        QVERIFY(!flowerFile("iris\n", "later.txt").isEmpty());
        QCOMPARE(flowersOf(generator), (QStringList { "rose\n", "lily\n" }));

        // A file that cannot be opened is reported once and not tried again.
        const QString missing = m_dir.filePath("missing.txt");
        generator.load(missing, false);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("open flower file failed: \"%1\"").arg(missing)));
        QVERIFY(!generator.randomFlower().isNull());
        QVERIFY(!flowerFile("tulip\n", "missing.txt").isEmpty());
        QCOMPARE(flowersOf(generator), (QStringList { "rose\n", "lily\n" }));
    }

    void escape_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        // The flowers: "F0\n", "F1\n" and one whose own text holds a markup. A null
        // expectation: the text is left as it is.
        // Every other text: the fuzz target's.
        const QString m0 = markup("0"), m1 = markup("1");
        QTest::newRow("two markups in a row") << "a" + m1 + m0 << "aF1\nF0\n";
        QTest::newRow("flower text is not expanded again") << markup("2") + "!" << m1 + "\n!";
        // Digit runs too long for an int must not wrap round onto a listed flower.
        QTest::newRow("two to the 32 plus one") << markup("4294967297") << QString();
    }

    void escape()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);

        LuFlowerGenerator generator;
        generator.load(flowerFile("F0\nF1\n{PLUME-FLOWERS:1}\n"), true);
        QCOMPARE(generator.escapeFlower(text), expected.isNull() ? text : expected);
    }

    // The instance is the generator made last, until it is deleted.
    void singleton()
    {
        auto* first = new LuFlowerGenerator;
        auto* second = new LuFlowerGenerator;
        delete first;
        QCOMPARE(LuFlowerGenerator::instance(), second);
        delete second;
        QCOMPARE(LuFlowerGenerator::instance(), nullptr);
    }
};

QTEST_GUILESS_MAIN(tst_LuFlowerGenerator)
#include "tst_luflowergenerator.moc"
