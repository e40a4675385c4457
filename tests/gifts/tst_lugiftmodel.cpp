#include <lukbase/lugiftmodel.h>

#include "gifts/lugiftitem_p.h"
#include "trackedgiftitem.h"

#include <QAbstractItemModelTester>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

class tst_LuGiftModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        TrackedGiftItem::destroyed().clear();
    }

    // Across resets the model's references may be the only ones left, and none may drop to zero
    // on the way; records are found by pointer at their first row of the present list.
    void setGifts()
    {
        // Records the host has taken one reference on each, as after building its catalogue.
        QList<LuGiftItem*> gifts;
        for (int id = 1; id <= 4; ++id) {
            gifts.append(new TrackedGiftItem(id));
            gifts.last()->ref();
        }
        auto* model = new LuGiftModel;
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy reset(model, &QAbstractItemModel::modelReset);
        model->setGifts({ gifts.at(0), gifts.at(1), gifts.at(1) });
        QCOMPARE(model->index(gifts.at(1)), model->index(1, 0));
        QCOMPARE(model->gift(model->index(gifts.at(1))), gifts.at(1));
        QVERIFY(!model->index(gifts.at(3)).isValid());
        gifts.at(1)->release();
        gifts.at(2)->release();
        QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 3 });

        model->setGifts({ gifts.at(0), gifts.at(1), gifts.at(1) });
        QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 3 });
        QCOMPARE(gifts.at(1)->refCount(), 2);

        // A record left out is no longer found, and holds only the host's reference.
        model->setGifts({ gifts.at(3), gifts.at(1) });
        QCOMPARE(model->index(gifts.at(1)), model->index(1, 0));
        QVERIFY(!model->index(gifts.at(0)).isValid());
        QCOMPARE(reset.count(), 3);
        gifts.at(0)->release();
        gifts.at(3)->release();
        QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 3, 1 }));
        delete model;
        QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 3, 1, 4, 2 }));
    }

    // A thumbnail that the gift manager stores later shows at the next read.
    void thumbnailReadEachTime()
    {
        TrackedGiftItem gift(5);
        gift.ref();
        LuGiftModel model;
        model.setGifts({ &gift });
        QVERIFY(model.data(model.index(0, 0), LuGiftModel::ThumbnailRole).value<QImage>().isNull());
        const QImage thumbnail = QImage::fromData(QByteArrayLiteral("P1 1 1 1"), "PBM");
        LuGiftItemAccess::setThumbnail(&gift, QString(), thumbnail);
        QCOMPARE(model.data(model.index(0, 0), LuGiftModel::ThumbnailRole).value<QImage>(), thumbnail);
        QCOMPARE(model.data(model.index(0, 0), Qt::DecorationRole).value<QImage>(), thumbnail);
    }
};

QTEST_GUILESS_MAIN(tst_LuGiftModel)
#include "tst_lugiftmodel.moc"
