#include <lukbase/lugiftitem.h>

#include "gifts/lugiftitem_p.h"
#include "trackedgiftitem.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {

// Answers every text of one context with a marked form, so that a test sees which texts
// were translated and from which context.
class MarkingTranslator : public QTranslator
{
public:
    explicit MarkingTranslator(const char* context)
        : m_context(context)
    {
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        if (m_context != context)
            return QString();
        return QStringLiteral("<") + QString::fromUtf8(sourceText) + QStringLiteral(">");
    }

private:
    QByteArray m_context;
};

bool writeImage(const QString& path, int width, int height, const char* format = "PNG")
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    return image.save(path, format);
}

} // namespace

class tst_LuGiftItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void constructorOrder();
    void tooltip_data();
    void tooltip();
    void flagsAndSharing_data();
    void flagsAndSharing();
    void widthIsReadOnce();
    void thumbnailIsReadOnce();
    void managerWritesBypassCaches();
    void tooltipKeepsItsLanguage();
    void chineseTooltip();
    void lastReleaseDeletes();

private:
    QTemporaryDir m_dir;
};

void tst_LuGiftItem::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QVERIFY(m_dir.isValid());
    TrackedGiftItem::destroyed().clear();
}

void tst_LuGiftItem::constructorOrder()
{
    LuGiftItem item(7, 2, 10005, QStringLiteral("Castle"), QStringLiteral("seat"), 5000, 4200,
        QStringLiteral("/g/7.png"), QStringLiteral("/g/7.gif"), QStringLiteral("/g/7_star.gif"), 3);
    QCOMPARE(item.id(), 7);
    QCOMPARE(item.type(), 2);
    QCOMPARE(item.cmd(), 10005);
    QCOMPARE(item.name(), QStringLiteral("Castle"));
    QCOMPARE(item.unit(), QStringLiteral("seat"));
    QCOMPARE(item.price(), qint64(5000));
    QCOMPARE(item.giftmoney(), qint64(4200));
    QCOMPARE(item.thumbnailPath(), QStringLiteral("/g/7.png"));
    QCOMPARE(item.imagePath(), QStringLiteral("/g/7.gif"));
    QCOMPARE(item.starLogoPath(), QStringLiteral("/g/7_star.gif"));
    QCOMPARE(item.flags(), 3);
    QCOMPARE(item.refCount(), 0);
}

void tst_LuGiftItem::tooltip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("cmd");
    QTest::addColumn<qint64>("price");
    QTest::addColumn<qint64>("giftmoney");
    QTest::addColumn<QString>("expected");

    const QString base = QStringLiteral("Rose(Price: 100)\nReceiver money: 80");
    QTest::newRow("ordinary") << "Rose" << 0 << 0 << qint64(100) << qint64(80) << base;
    QTest::newRow("unknown type and command") << "Rose" << 7 << 12345 << qint64(100) << qint64(80) << base;
    QTest::newRow("lucky") << "Rose" << 1 << 0 << qint64(100) << qint64(80)
                           << base + QStringLiteral("\nHave rate to get 1000 times bonus");
    QTest::newRow("battle star") << "Rose" << 2 << 0 << qint64(100) << qint64(80)
                                 << base + QStringLiteral("\nUsed for battle gift star");
    QTest::newRow("mic up") << "Rose" << 0 << 10001 << qint64(100) << qint64(80)
                            << base + QStringLiteral("\nMove receiver's MIC up");
    QTest::newRow("siege") << "Rose" << 0 << 10005 << qint64(100) << qint64(80)
                           << base + QStringLiteral("\nUsed for siege, sender and receiver will be king and queen");
    QTest::newRow("mic time") << "Rose" << 0 << 10006 << qint64(100) << qint64(80)
                              << base + QStringLiteral("\nProlong receiver's MIC time");
    QTest::newRow("room share wins over lucky") << "Rose" << 1 << 10007 << qint64(100) << qint64(80)
                                                << base + QStringLiteral("\nAll room users will share the money");
    QTest::newRow("manager share wins over star") << "Rose" << 2 << 10009 << qint64(100) << qint64(80)
                                                  << base + QStringLiteral("\nAll room managers will share the money");
    QTest::newRow("unknown command keeps type line")
        << "Rose" << 2 << 10002 << qint64(100) << qint64(80) << base + QStringLiteral("\nUsed for battle gift star");
    QTest::newRow("placeholders in name")
        << "%1%2%3" << 0 << 0 << qint64(5) << qint64(4) << QStringLiteral("%1%2%3(Price: 5)\nReceiver money: 4");
    QTest::newRow("large and negative money, no grouping")
        << "Crown" << 0 << 0 << qint64(12345678901234) << qint64(-1000)
        << QStringLiteral("Crown(Price: 12345678901234)\nReceiver money: -1000");
    QTest::newRow("empty name") << "" << 0 << 0 << qint64(0) << qint64(0)
                                << QStringLiteral("(Price: 0)\nReceiver money: 0");
}

void tst_LuGiftItem::tooltip()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(int, cmd);
    QFETCH(qint64, price);
    QFETCH(qint64, giftmoney);
    QFETCH(QString, expected);

    LuGiftItem item(1, type, cmd, name, QString(), price, giftmoney, QString(), QString(), QString(), 0);
    QCOMPARE(item.tooltip(), expected);
    QCOMPARE(item.tooltip(), expected);
}

void tst_LuGiftItem::flagsAndSharing_data()
{
    QTest::addColumn<int>("cmd");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("yanHua");
    QTest::addColumn<bool>("flash");

    QTest::newRow("plain") << 0 << 0 << false << false;
    QTest::newRow("flash bit") << 0 << 1 << false << true;
    QTest::newRow("other bit only") << 0 << 2 << false << false;
    QTest::newRow("flash and other bit") << 0 << 3 << false << true;
    QTest::newRow("all bits") << 0 << -1 << false << true;
    QTest::newRow("room share") << 10007 << 0 << true << false;
    QTest::newRow("manager share") << 10009 << 0 << true << false;
    QTest::newRow("between the two") << 10008 << 0 << false << false;
    QTest::newRow("siege") << 10005 << 0 << false << false;
}

void tst_LuGiftItem::flagsAndSharing()
{
    QFETCH(int, cmd);
    QFETCH(int, flags);
    QFETCH(bool, yanHua);
    QFETCH(bool, flash);

    const LuGiftItem item(1, 0, cmd, QString(), QString(), 0, 0, QString(), QString(), QString(), flags);
    QCOMPARE(item.isYanHua(), yanHua);
    QCOMPARE(item.hasFlash(), flash);
}

void tst_LuGiftItem::widthIsReadOnce()
{
    const QString missing = m_dir.filePath(QStringLiteral("late.gif"));
    LuGiftItem late(1, 0, 0, QString(), QString(), 0, 0, QString(), missing, QString(), 0);
    QCOMPARE(late.width(), 0);
    QVERIFY(writeImage(missing, 40, 10));
    QCOMPARE(late.width(), 0);

    const QString present = m_dir.filePath(QStringLiteral("present.gif"));
    QVERIFY(writeImage(present, 64, 32));
    LuGiftItem item(2, 0, 0, QString(), QString(), 0, 0, QString(), present, QString(), 0);
    QCOMPARE(item.width(), 64);
    QVERIFY(writeImage(present, 90, 32));
    QCOMPARE(item.width(), 64);

    const QString garbage = m_dir.filePath(QStringLiteral("garbage.gif"));
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("GIF89a but not really");
    file.close();
    LuGiftItem broken(3, 0, 0, QString(), QString(), 0, 0, QString(), garbage, QString(), 0);
    QCOMPARE(broken.width(), 0);
}

void tst_LuGiftItem::thumbnailIsReadOnce()
{
    const QString missing = m_dir.filePath(QStringLiteral("late.png"));
    LuGiftItem late(1, 0, 0, QString(), QString(), 0, 0, missing, QString(), QString(), 0);
    QVERIFY(late.thumbnail().isNull());
    QVERIFY(writeImage(missing, 20, 20));
    QVERIFY(late.thumbnail().isNull());

    // The format comes from the bytes, not from the name.
    const QString present = m_dir.filePath(QStringLiteral("present.gif"));
    QVERIFY(writeImage(present, 24, 12));
    LuGiftItem shown(2, 0, 0, QString(), QString(), 0, 0, present, QString(), QString(), 0);
    QCOMPARE(shown.thumbnail().size(), QSize(24, 12));
    QVERIFY(QFile::remove(present));
    QCOMPARE(shown.thumbnail().size(), QSize(24, 12));
}

void tst_LuGiftItem::managerWritesBypassCaches()
{
    const QString first = m_dir.filePath(QStringLiteral("first.png"));
    QVERIFY(writeImage(first, 30, 30));
    LuGiftItem item(5, 2, 0, QString(), QString(), 0, 0, first, first, QString(), 0);
    QCOMPARE(item.thumbnail().size(), QSize(30, 30));
    QCOMPARE(item.width(), 30);

    QImage arrived(48, 16, QImage::Format_ARGB32);
    arrived.fill(Qt::red);
    const QString second = m_dir.filePath(QStringLiteral("5.png"));
    LuGiftItemAccess::setThumbnail(&item, second, arrived);
    LuGiftItemAccess::setImagePath(&item, m_dir.filePath(QStringLiteral("5.gif")));
    LuGiftItemAccess::setStarLogoPath(&item, m_dir.filePath(QStringLiteral("5_star.gif")));

    QCOMPARE(item.thumbnailPath(), second);
    QCOMPARE(item.thumbnail(), arrived);
    QCOMPARE(item.imagePath(), m_dir.filePath(QStringLiteral("5.gif")));
    QCOMPARE(item.starLogoPath(), m_dir.filePath(QStringLiteral("5_star.gif")));
    // The width stays what it was first measured as.
    QCOMPARE(item.width(), 30);

    // A thumbnail that failed to decode arrives as a null image and is not read again.
    LuGiftItem fresh(6, 0, 0, QString(), QString(), 0, 0, QString(), QString(), QString(), 0);
    LuGiftItemAccess::setThumbnail(&fresh, first, QImage());
    QVERIFY(fresh.thumbnail().isNull());
}

void tst_LuGiftItem::tooltipKeepsItsLanguage()
{
    LuGiftItem asked(1, 1, 0, QStringLiteral("Star"), QString(), 3, 2, QString(), QString(), QString(), 0);
    LuGiftItem notAsked(2, 1, 0, QStringLiteral("Star"), QString(), 3, 2, QString(), QString(), QString(), 0);
    const QString english = QStringLiteral("Star(Price: 3)\nReceiver money: 2\nHave rate to get 1000 times bonus");
    QCOMPARE(asked.tooltip(), english);

    MarkingTranslator otherContext("LuGiftView");
    MarkingTranslator translator("LuGiftManager");
    QVERIFY(QCoreApplication::installTranslator(&otherContext));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    const QString translated
        = QStringLiteral("<Star(Price: 3)>\n<Receiver money: 2>\n<Have rate to get 1000 times bonus>");
    // Templates are filled after translation, so the markers wrap the filled lines.
    QCOMPARE(notAsked.tooltip(), translated);
    QCOMPARE(asked.tooltip(), english);
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::removeTranslator(&otherContext);
}

void tst_LuGiftItem::chineseTooltip()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("lukbase_zh_CN"), QStringLiteral(LUKBASE_TRANSLATIONS_DIR)));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    LuGiftItem lucky(1, 1, 0, QStringLiteral("%1%2%3"), QString(), 100, 80, QString(), QString(), QString(), 0);
    LuGiftItem siege(2, 2, 10005, QStringLiteral("Castle"), QString(), 5, 4, QString(), QString(), QString(), 0);
    const QString luckyText = lucky.tooltip();
    const QString siegeText = siege.tooltip();
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(luckyText,
        QStringLiteral("%1%2%3\uFF08\u4EF7\u683C\uFF1A100\uFF09\n\u6536\u793C\u8005\u6240\u5F97\uFF1A80\n"
                       "\u6709\u673A\u4F1A\u83B7\u5F971000\u500D\u5956\u52B1"));
    QCOMPARE(siegeText.section(QLatin1Char('\n'), 2),
        QStringLiteral("\u7528\u4E8E\u653B\u57CE\uFF0C\u9001\u793C\u8005\u548C\u6536\u793C\u8005\u5C06\u6210\u4E3A"
                       "\u56FD\u738B\u548C\u738B\u540E"));
}

void tst_LuGiftItem::lastReleaseDeletes()
{
    auto* item = new TrackedGiftItem(11);
    item->ref();
    item->ref();
    QCOMPARE(item->refCount(), 2);
    item->release();
    QVERIFY(TrackedGiftItem::destroyed().isEmpty());
    QCOMPARE(item->refCount(), 1);
    item->release();
    QCOMPARE(TrackedGiftItem::destroyed(), QList<int>({ 11 }));
}

QTEST_GUILESS_MAIN(tst_LuGiftItem)
#include "tst_lugiftitem.moc"
