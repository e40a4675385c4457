#include <lukbase/lugiftmodel.h>

#include "gifts/lugiftitem_p.h"
#include "trackedgiftitem.h"

#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

// Records the host has taken one reference on each, as after building its catalogue.
QList<LuGiftItem*> makeGifts(const QList<int>& ids)
{
    QList<LuGiftItem*> items;
    for (int id : ids) {
        items.append(new TrackedGiftItem(id, QStringLiteral("/nonexistent.png")));
        items.last()->ref();
    }
    return items;
}

void releaseAll(const QList<LuGiftItem*>& items)
{
    for (LuGiftItem* item : items)
        item->release();
}

} // namespace

class tst_LuGiftModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void shape();
    void roles_data();
    void roles();
    void thumbnailFollowsTheRecord();
    void sameListAgain();
    void overlappingLists();
    void destructionReleases();
};

void tst_LuGiftModel::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    TrackedGiftItem::destroyed().clear();
}

void tst_LuGiftModel::shape()
{
    const QList<LuGiftItem*> gifts = makeGifts({ 1, 2, 3 });
    TrackedGiftItem stranger(9);
    LuGiftModel model;
    QVERIFY(model.qt_metacast("LuObject"));
    model.setGifts({ gifts.at(0), gifts.at(1), gifts.at(1) });

    QCOMPARE(model.rowCount(), 3);
    const QModelIndex second = model.index(1, 0);
    QCOMPARE(model.gift(second), gifts.at(1));
    QCOMPARE(model.rowCount(second), 0);
    QCOMPARE(model.columnCount(second), 1);
    QVERIFY(!model.parent(second).isValid());
    QVERIFY(!model.index(3, 0).isValid());
    QVERIFY(!model.index(0, 1).isValid());
    QVERIFY(!model.index(0, 0, second).isValid());
    QCOMPARE(model.flags(second), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    QCOMPARE(model.flags(QModelIndex()), Qt::ItemIsEnabled | Qt::ItemIsDropEnabled);

    // Looked up by record: the first of duplicates; a record not listed has no valid index.
    QCOMPARE(model.index(gifts.at(1), 0), second);
    QVERIFY(!model.index(&stranger, 0).isValid());
    QCOMPARE(model.gift(model.index(&stranger, 0)), nullptr);
    releaseAll(gifts);
}

void tst_LuGiftModel::roles_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("expected");

    const QVariant name(QStringLiteral("Rose %1%2%3"));
    QTest::newRow("display") << int(Qt::DisplayRole) << name;
    QTest::newRow("edit") << int(Qt::EditRole) << name;
    QTest::newRow("user") << int(Qt::UserRole) << name;
    QTest::newRow("tooltip") << int(Qt::ToolTipRole)
                             << QVariant(QStringLiteral("Rose %1%2%3(Price: 250000000)\nReceiver money: 9"));
    QTest::newRow("price") << int(Qt::UserRole + 2) << QVariant(qlonglong(250000000));
    QTest::newRow("unlisted user role") << int(Qt::UserRole + 3) << QVariant();
    // Qt 4's user role was 32; hosts ask for Qt::UserRole + n.
    QTest::newRow("old user role number") << 32 << QVariant();
}

void tst_LuGiftModel::roles()
{
    QFETCH(int, role);
    QFETCH(QVariant, expected);

    auto* gift = new LuGiftItem(
        5, 0, 0, QStringLiteral("Rose %1%2%3"), QString(), 250000000, 9, QString(), QString(), QString(), 0);
    gift->ref();
    LuGiftModel model;
    model.setGifts({ gift });
    const QVariant value = model.data(model.index(0, 0), role);
    QCOMPARE(value, expected);
    QCOMPARE(value.metaType(), expected.metaType());
    QVERIFY(!model.data(QModelIndex(), role).isValid());
    gift->release();
}

void tst_LuGiftModel::thumbnailFollowsTheRecord()
{
    const QList<LuGiftItem*> gifts = makeGifts({ 1 });
    LuGiftModel model;
    model.setGifts(gifts);
    const QModelIndex index = model.index(0, 0);
    QVERIFY(model.data(index, Qt::UserRole + 1).value<QImage>().isNull());

    // A thumbnail that the gift manager stores later shows at the next read, in both roles.
    QImage arrived(32, 32, QImage::Format_ARGB32);
    arrived.fill(Qt::blue);
    LuGiftItemAccess::setThumbnail(gifts.at(0), QString(), arrived);
    for (int role : { int(Qt::DecorationRole), int(Qt::UserRole + 1) }) {
        const QVariant value = model.data(index, role);
        QCOMPARE(value.metaType(), QMetaType::fromType<QImage>());
        QCOMPARE(value.value<QImage>().pixelColor(5, 5), QColor(Qt::blue));
    }
    releaseAll(gifts);
}

void tst_LuGiftModel::sameListAgain()
{
    const QList<LuGiftItem*> gifts = makeGifts({ 1, 2, 3 });
    LuGiftModel model;
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setGifts(gifts);
    releaseAll(gifts);

    // The model's references are the only ones left; none may drop to zero on the way.
    for (int round = 0; round < 3; ++round) {
        model.setGifts(gifts);
        QVERIFY(TrackedGiftItem::destroyed().isEmpty());
        for (LuGiftItem* gift : gifts)
            QCOMPARE(gift->refCount(), 1);
    }
    QCOMPARE(reset.count(), 4);
}

void tst_LuGiftModel::overlappingLists()
{
    const QList<LuGiftItem*> gifts = makeGifts({ 1, 2, 3 });
    LuGiftModel model;
    model.setGifts({ gifts.at(0), gifts.at(1), gifts.at(1) });
    QCOMPARE(gifts.at(1)->refCount(), 3);
    releaseAll(gifts);
    QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 3 });

    // The record in both lists survives; the one left out goes with its last reference.
    auto* fourth = new TrackedGiftItem(4);
    model.setGifts({ gifts.at(1), fourth });
    QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 3, 1 }));
    QCOMPARE(gifts.at(1)->refCount(), 1);
    QCOMPARE(fourth->refCount(), 1);

    model.setGifts({});
    QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 3, 1, 2, 4 }));
}

void tst_LuGiftModel::destructionReleases()
{
    const QList<LuGiftItem*> gifts = makeGifts({ 4, 5 });
    gifts.at(0)->ref();
    {
        LuGiftModel model;
        model.setGifts(gifts);
        releaseAll(gifts);
    }
    QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 5 });
    QCOMPARE(gifts.at(0)->refCount(), 1);
    gifts.at(0)->release();
}

QTEST_GUILESS_MAIN(tst_LuGiftModel)
#include "tst_lugiftmodel.moc"
