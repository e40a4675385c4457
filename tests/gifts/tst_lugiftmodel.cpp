#include <lukbase/lugiftmodel.h>

#include "gifts/lugiftitem_p.h"
#include "trackedgiftitem.h"

#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Gives back the host's own references, so that the model's are the only ones left.
void releaseAll(const QList<LuGiftItem*>& items)
{
    for (LuGiftItem* item : items)
        item->release();
}

QList<LuGiftItem*> makeGifts(const QList<int>& ids)
{
    QList<LuGiftItem*> items;
    for (int id : ids) {
        items.append(new TrackedGiftItem(id));
        items.last()->ref();
    }
    return items;
}

} // namespace

class tst_LuGiftModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void shape();
    void flags();
    void roles_data();
    void roles();
    void thumbnailFollowsTheRecord();
    void indexOfItem();
    void sameListAgain();
    void overlappingLists();
    void destructionReleases();

private:
    QTemporaryDir m_dir;
};

void tst_LuGiftModel::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QVERIFY(m_dir.isValid());
    TrackedGiftItem::destroyed().clear();
}

void tst_LuGiftModel::shape()
{
    LuGiftModel model;
    QVERIFY(model.qt_metacast("LuObject"));
    const QList<LuGiftItem*> gifts = makeGifts({ 1, 2, 3 });
    model.setGifts(gifts);

    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 1);
    const QModelIndex second = model.index(1, 0);
    QVERIFY(second.isValid());
    QCOMPARE(model.gift(second), gifts.at(1));
    QCOMPARE(model.rowCount(second), 0);
    QCOMPARE(model.columnCount(second), 1);
    QVERIFY(!model.parent(second).isValid());

    QVERIFY(!model.index(3, 0).isValid());
    QVERIFY(!model.index(-1, 0).isValid());
    QVERIFY(!model.index(0, 1).isValid());
    QVERIFY(!model.index(0, 0, second).isValid());
    QCOMPARE(model.gift(QModelIndex()), nullptr);

    releaseAll(gifts);
}

void tst_LuGiftModel::flags()
{
    LuGiftModel model;
    const QList<LuGiftItem*> gifts = makeGifts({ 1 });
    model.setGifts(gifts);
    QCOMPARE(model.flags(model.index(0, 0)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    QCOMPARE(model.flags(QModelIndex()), Qt::ItemIsEnabled | Qt::ItemIsDropEnabled);
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
    QTest::newRow("font") << int(Qt::FontRole) << QVariant();
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
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const QString path = m_dir.filePath(QStringLiteral("1.png"));
    QVERIFY(picture.save(path));

    auto* gift = new TrackedGiftItem(1, path);
    gift->ref();
    LuGiftModel model;
    model.setGifts({ gift });
    const QModelIndex index = model.index(0, 0);

    for (int role : { int(Qt::DecorationRole), int(Qt::UserRole + 1) }) {
        const QVariant value = model.data(index, role);
        QCOMPARE(value.metaType(), QMetaType::fromType<QImage>());
        QCOMPARE(value.value<QImage>().pixelColor(5, 5), QColor(Qt::red));
    }

    // A thumbnail that the gift manager stores later shows at the next read.
    QImage arrived(32, 32, QImage::Format_ARGB32);
    arrived.fill(Qt::blue);
    LuGiftItemAccess::setThumbnail(gift, path, arrived);
    QCOMPARE(model.data(index, Qt::UserRole + 1).value<QImage>().pixelColor(5, 5), QColor(Qt::blue));
    gift->release();
}

void tst_LuGiftModel::indexOfItem()
{
    const QList<LuGiftItem*> gifts = makeGifts({ 1, 2 });
    LuGiftModel model;
    model.setGifts({ gifts.at(0), gifts.at(1), gifts.at(1) });

    const QModelIndex found = model.index(gifts.at(1), 0);
    QVERIFY(found.isValid());
    QCOMPARE(found.row(), 1);
    QCOMPARE(model.gift(found), gifts.at(1));

    TrackedGiftItem stranger(9);
    const QModelIndex missing = model.index(&stranger, 0);
    QVERIFY(!missing.isValid());
    QCOMPARE(missing.row(), -1);
    QCOMPARE(model.gift(missing), nullptr);
    releaseAll(gifts);
}

void tst_LuGiftModel::sameListAgain()
{
    const QList<LuGiftItem*> gifts = makeGifts({ 1, 2, 3 });
    LuGiftModel model;
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setGifts(gifts);
    releaseAll(gifts);

    for (int round = 0; round < 3; ++round) {
        model.setGifts(gifts);
        QVERIFY(TrackedGiftItem::destroyed().isEmpty());
        for (LuGiftItem* gift : gifts)
            QCOMPARE(gift->refCount(), 1);
    }
    QCOMPARE(reset.count(), 4);
    QCOMPARE(model.rowCount(), 3);
}

void tst_LuGiftModel::overlappingLists()
{
    const QList<LuGiftItem*> gifts = makeGifts({ 1, 2, 3 });
    LuGiftItem* first = gifts.at(0);
    LuGiftItem* second = gifts.at(1);
    LuGiftItem* third = gifts.at(2);
    LuGiftModel model;
    model.setGifts({ first, second, second });
    releaseAll(gifts);

    QCOMPARE(second->refCount(), 2);
    QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 3 });

    // The record in both lists survives; the one left out goes with its last reference.
    TrackedGiftItem::destroyed().clear();
    third = new TrackedGiftItem(3);
    model.setGifts({ second, third });
    QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 1 });
    QCOMPARE(second->refCount(), 1);
    QCOMPARE(third->refCount(), 1);
    QCOMPARE(model.gift(model.index(0, 0)), second);

    model.setGifts({});
    QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 1, 2, 3 }));
    QCOMPARE(model.rowCount(), 0);
}

void tst_LuGiftModel::destructionReleases()
{
    const QList<LuGiftItem*> gifts = makeGifts({ 4, 5 });
    gifts.at(0)->ref();
    {
        LuGiftModel model;
        model.setGifts(gifts);
        releaseAll(gifts);
        QVERIFY(TrackedGiftItem::destroyed().isEmpty());
    }
    QCOMPARE(TrackedGiftItem::destroyed(), QList<int> { 5 });
    QCOMPARE(gifts.at(0)->refCount(), 1);
    gifts.at(0)->release();
    QCOMPARE(TrackedGiftItem::destroyed(), (QList<int> { 5, 4 }));
}

QTEST_GUILESS_MAIN(tst_LuGiftModel)
#include "tst_lugiftmodel.moc"
