#include <lukbase/lugiftmodel.h>

#include "gifts/lugiftitem_p.h"
#include "trackedgiftitem.h"

#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

// A one-pixel picture (a plain PBM file) for the thumbnail roles.
static const QImage kThumbnail = QImage::fromData(QByteArrayLiteral("P1 1 1 1"), "PBM");

class tst_LuGiftModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        TrackedGiftItem::destroyed().clear();
    }

    void indexesAndFlags()
    {
        // Held by the test, so that the model's releases never delete them.
        TrackedGiftItem first(1), second(2), stranger(9);
        for (LuGiftItem* gift : { &first, &second, &stranger })
            gift->ref();
        LuGiftModel model;
        model.setGifts({ &first, &second, &second });
        QCOMPARE(model.rowCount(), 3);
        const QModelIndex index = model.index(1, 0);
        QCOMPARE(model.gift(index), &second);
        QCOMPARE(model.rowCount(index), 0);
        QCOMPARE(model.flags(index), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        QCOMPARE(model.flags(QModelIndex()), Qt::ItemIsEnabled | Qt::ItemIsDropEnabled);
        // Looked up by record: the first of duplicates; a record not listed has no valid index.
        QCOMPARE(model.index(&second, 0), index);
        QVERIFY(!model.index(&stranger, 0).isValid());
        // A new list: the records are found at their new rows, and a record left out no more.
        model.setGifts({ &stranger, &second });
        QCOMPARE(model.index(&second, 0), model.index(1, 0));
        QCOMPARE(model.index(&stranger, 0).internalPointer(), &stranger);
        QVERIFY(!model.index(&first, 0).isValid());
    }

    void roles_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("expected");

        const QVariant name(QStringLiteral("Rose"));
        QTest::newRow("display") << int(Qt::DisplayRole) << name;
        QTest::newRow("edit") << int(Qt::EditRole) << name;
        QTest::newRow("user") << int(Qt::UserRole) << name;
        QTest::newRow("decoration") << int(Qt::DecorationRole) << QVariant(kThumbnail);
        QTest::newRow("thumbnail") << int(Qt::UserRole + 1) << QVariant(kThumbnail);
        QTest::newRow("price") << int(Qt::UserRole + 2) << QVariant(qlonglong(2500000000));
        const QVariant tooltip("Rose(Price: 2500000000)\nReceiver money: 9");
        QTest::newRow("tooltip") << int(Qt::ToolTipRole) << tooltip;
        // What a screen reader says of the painted cell: the price as the cell shows it.
        QTest::newRow("accessible text") << int(Qt::AccessibleTextRole) << QVariant("Rose, price 25 Yi");
        QTest::newRow("accessible description") << int(Qt::AccessibleDescriptionRole) << tooltip;
        // Qt 4's user role was 32; hosts ask for Qt::UserRole + n. Other roles answer nothing either.
        QTest::newRow("old user role number") << 32 << QVariant();
    }

    void roles()
    {
        QFETCH(int, role);
        QFETCH(QVariant, expected);

        LuGiftItem gift(5, 0, 0, "Rose", QString(), 2500000000, 9, QString(), QString(), QString(), 0);
        gift.ref();
        LuGiftModel model;
        model.setGifts({ &gift });
        // A thumbnail that the gift manager stores later shows at the next read.
        QVERIFY(!kThumbnail.isNull());
        LuGiftItemAccess::setThumbnail(&gift, QString(), kThumbnail);
        const QVariant value = model.data(model.index(0, 0), role);
        QCOMPARE(value, expected);
        QCOMPARE(value.metaType(), expected.metaType());
        QVERIFY(!model.data(QModelIndex(), role).isValid());
    }

    // References across setGifts: the model's may be the only ones left, and none may drop to zero on the way.
    void referencesAcrossSetGifts()
    {
        // Records the host has taken one reference on each, as after building its catalogue.
        QList<LuGiftItem*> gifts;
        for (int id = 1; id <= 3; ++id) {
            gifts.append(new TrackedGiftItem(id));
            gifts.last()->ref();
        }
        auto* model = new LuGiftModel;
        QSignalSpy reset(model, &QAbstractItemModel::modelReset);
        model->setGifts({ gifts.at(0), gifts.at(1), gifts.at(1) });
        QCOMPARE(gifts.at(1)->refCount(), 3);
        for (LuGiftItem* gift : gifts)
            gift->release();
        QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 3 });

        // The same list again.
        model->setGifts({ gifts.at(0), gifts.at(1), gifts.at(1) });
        QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 3 });
        QCOMPARE(gifts.at(0)->refCount(), 1);
        QCOMPARE(gifts.at(1)->refCount(), 2);

        // An overlapping list: the record in both survives, the one left out goes with its last reference.
        auto* fourth = new TrackedGiftItem(4);
        model->setGifts({ gifts.at(1), fourth });
        QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 3, 1 }));
        QCOMPARE(gifts.at(1)->refCount(), 1);
        QCOMPARE(fourth->refCount(), 1);
        QCOMPARE(reset.count(), 3);
        delete model;
        QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 3, 1, 2, 4 }));
    }
};

QTEST_GUILESS_MAIN(tst_LuGiftModel)
#include "tst_lugiftmodel.moc"
