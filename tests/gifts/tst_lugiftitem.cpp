#include <lukbase/lugiftitem.h>

#include "gifts/lugiftitem_p.h"
#include "markingtranslator.h"
#include "trackedgiftitem.h"

#include <QCoreApplication>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class tst_LuGiftItem : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static bool savePicture(const QString& path, int width, int height)
    {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(Qt::darkCyan);
        return image.save(path, "PNG");
    }

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void tooltipAndSharing_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QString>("extraLine");
        QTest::addColumn<bool>("yanHua");

        // Types and commands as plain numbers, as the host's catalogue passes them.
        QTest::newRow("unknown type and command") << 7 << 10008 << "" << false;
        QTest::newRow("lucky") << 1 << 0 << "Have rate to get 1000 times bonus" << false;
        QTest::newRow("battle star") << 2 << 0 << "Used for battle gift star" << false;
        QTest::newRow("mic up") << 0 << 10001 << "Move receiver's MIC up" << false;
        QTest::newRow("siege") << 0 << 10005 << "Used for siege, sender and receiver will be king and queen" << false;
        QTest::newRow("mic time") << 0 << 10006 << "Prolong receiver's MIC time" << false;
        QTest::newRow("room share wins over lucky") << 1 << 10007 << "All room users will share the money" << true;
        QTest::newRow("manager share wins over star") << 2 << 10009 << "All room managers will share the money" << true;
        QTest::newRow("unknown command keeps the type line") << 2 << 10002 << "Used for battle gift star" << false;
    }

    // Placeholders in the name stay as typed; money is printed without grouping. The texts come from
    // the context "LuGiftManager", once: a tooltip keeps its first language.
    void tooltipAndSharing()
    {
        QFETCH(int, type);
        QFETCH(int, cmd);
        QFETCH(QString, extraLine);
        QFETCH(bool, yanHua);

        LuGiftItem item(1, type, cmd, "%1%2%3", QString(), 12345678901234, -1000, QString(), QString(), QString(), 0);
        // Asked for its tooltip only while a translator is installed.
        LuGiftItem later(2, type, cmd, "%1%2%3", QString(), 12345678901234, -1000, QString(), QString(), QString(), 0);
        QStringList lines { "%1%2%3(Price: 12345678901234)", "Receiver money: -1000", extraLine };
        lines.removeAll(QString());
        QCOMPARE(item.tooltip(), lines.join('\n'));
        QCOMPARE(item.isYanHua(), yanHua);

        MarkingTranslator translator("LuGiftManager");
        QVERIFY(QCoreApplication::installTranslator(&translator));
        const QString translated = later.tooltip();
        const QString kept = item.tooltip();
        QCoreApplication::removeTranslator(&translator);
        // Templates are filled after translation, so the markers wrap the filled lines.
        QCOMPARE(translated, '<' + lines.join(">\n<") + '>');
        QCOMPARE(kept, lines.join('\n'));
    }

    // Width and thumbnail are read at first use, once; the manager's writes replace the thumbnail without a read.
    void caches()
    {
        const QString late = m_dir.filePath("late.png");
        TrackedGiftItem missing(1, late, late);
        QCOMPARE(missing.width(), 0);
        QVERIFY(missing.thumbnail().isNull());
        QVERIFY(savePicture(late, 40, 10));
        QCOMPARE(missing.width(), 0);
        QVERIFY(missing.thumbnail().isNull());

        // The format comes from the bytes, not from the name.
        const QString present = m_dir.filePath("present.gif");
        QVERIFY(savePicture(present, 64, 32));
        TrackedGiftItem item(2, present, present);
        QCOMPARE(item.width(), 64);
        LuGiftItemAccess::setThumbnail(&item, present, QImage(late));
        QCOMPARE(item.thumbnail().size(), QSize(40, 10));
        // A thumbnail that failed to decode arrives as a null image, and the file is not read instead.
        LuGiftItemAccess::setThumbnail(&item, present, QImage());
        QVERIFY(item.thumbnail().isNull());

        // No path at all is no picture, and no warning from the file system either.
        TrackedGiftItem unnamed(3, QString(), QString());
        QCOMPARE(unnamed.width(), 0);
        QVERIFY(unnamed.thumbnail().isNull());
    }
};

QTEST_GUILESS_MAIN(tst_LuGiftItem)
#include "tst_lugiftitem.moc"
