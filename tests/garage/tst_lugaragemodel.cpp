#include <lukbase/lucaritem.h>
#include <lukbase/lugarageitem.h>
#include <lukbase/lugaragemodel.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage solid(int width, int height, const QColor& color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

} // namespace

class tst_LuGarageModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void carPrice_data();
    void carPrice();
    void picturesAreReadOnce_data();
    void picturesAreReadOnce();
    void roles_data();
    void roles();
    void ownerWithoutCar();
    void shapeAndFlags();

private:
    QString m_carPath;
    QString m_logoPath;
    QTemporaryDir m_dir;
};

void tst_LuGarageModel::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_carPath = m_dir.filePath(QStringLiteral("car.png"));
    m_logoPath = m_dir.filePath(QStringLiteral("logo.png"));
    QVERIFY(solid(150, 80, Qt::red).save(m_carPath));
    QVERIFY(solid(48, 24, Qt::blue).save(m_logoPath));
}

void tst_LuGarageModel::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void tst_LuGarageModel::carPrice_data()
{
    QTest::addColumn<qint64>("price");
    QTest::addColumn<int>("narrowed");

    QTest::newRow("small") << qint64(5) << 5;
    QTest::newRow("int max") << qint64(2147483647) << 2147483647;
    QTest::newRow("negative") << qint64(-3) << -3;
    QTest::newRow("two to the 31") << qint64(2147483648) << int(-2147483647 - 1);
    QTest::newRow("two to the 32 plus 5") << qint64(4294967296) + 5 << 5;
}

void tst_LuGarageModel::carPrice()
{
    QFETCH(qint64, price);
    QFETCH(int, narrowed);

    LuCarItem car(3, QStringLiteral("Roadster"), price, QString(), QString());
    QCOMPARE(car.price(), narrowed);

    LuGarageItem item(7, QStringLiteral("Ann"), QImage(), &car);
    LuGarageModel model;
    model.setCars({ &item });
    const QVariant value = model.data(model.index(0, 0), Qt::UserRole + 1);
    QCOMPARE(value.metaType(), QMetaType::fromType<int>());
    QCOMPARE(value.toInt(), narrowed);
}

void tst_LuGarageModel::picturesAreReadOnce_data()
{
    QTest::addColumn<bool>("logo");
    QTest::newRow("picture") << false;
    QTest::newRow("logo") << true;
}

void tst_LuGarageModel::picturesAreReadOnce()
{
    QFETCH(bool, logo);

    const QString present = m_dir.filePath(QStringLiteral("present.png"));
    const QString missing = m_dir.filePath(QStringLiteral("missing.png"));
    QFile::remove(missing);
    QVERIFY(solid(10, 10, Qt::green).save(present));

    LuCarItem found(1, QStringLiteral("A"), 1, logo ? QString() : present, logo ? present : QString());
    LuCarItem notFound(2, QStringLiteral("B"), 1, logo ? QString() : missing, logo ? missing : QString());
    const auto read = [logo](LuCarItem& car) { return logo ? car.logo() : car.image(); };

    QCOMPARE(read(found).pixelColor(0, 0), QColor(Qt::green));
    QVERIFY(read(notFound).isNull());

    // Files changed or created after the first read are not read again.
    QVERIFY(solid(10, 10, Qt::yellow).save(present));
    QVERIFY(solid(10, 10, Qt::yellow).save(missing));
    QCOMPARE(read(found).pixelColor(0, 0), QColor(Qt::green));
    QVERIFY(read(notFound).isNull());

    // The other picture of the car is not touched.
    QVERIFY(logo ? found.image().isNull() : found.logo().isNull());
}

void tst_LuGarageModel::roles_data()
{
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("expected");

    const QVariant name(QStringLiteral("Roadster %1"));
    QTest::newRow("display") << int(Qt::DisplayRole) << name;
    QTest::newRow("edit") << int(Qt::EditRole) << name;
    QTest::newRow("user") << int(Qt::UserRole) << name;
    QTest::newRow("price") << int(Qt::UserRole + 1) << QVariant(300000);
    QTest::newRow("user id") << int(Qt::UserRole + 4) << QVariant(42);
    QTest::newRow("user name") << int(Qt::UserRole + 5) << QVariant(QStringLiteral("Ann %2"));
    QTest::newRow("tooltip") << int(Qt::ToolTipRole) << QVariant();
    QTest::newRow("past the last role") << int(Qt::UserRole + 7) << QVariant();
    // Qt 4's user role was 32; hosts ask for Qt::UserRole + n.
    QTest::newRow("old user role number") << 32 << QVariant();
    QTest::newRow("old user id number") << 36 << QVariant();
}

void tst_LuGarageModel::roles()
{
    QFETCH(int, role);
    QFETCH(QVariant, expected);

    LuCarItem car(3, QStringLiteral("Roadster %1"), 300000, m_carPath, m_logoPath);
    LuGarageItem item(42, QStringLiteral("Ann %2"), solid(16, 16, Qt::cyan), &car);
    LuGarageModel model;
    model.setCars({ &item });

    const QVariant value = model.data(model.index(0, 0), role);
    QCOMPARE(value, expected);
    QCOMPARE(value.metaType(), expected.metaType());
    QVERIFY(!model.data(QModelIndex(), role).isValid());
}

void tst_LuGarageModel::ownerWithoutCar()
{
    LuCarItem car(3, QStringLiteral("Roadster"), 1, m_carPath, m_logoPath);
    LuGarageItem item(42, QStringLiteral("Ann"), solid(16, 16, Qt::cyan), &car);
    LuGarageItem walker(43, QStringLiteral("Bo"), QImage(), nullptr);
    LuGarageModel model;
    model.setCars({ &item, &walker });

    // Pictures are images, read on demand.
    const QModelIndex first = model.index(0, 0);
    for (int role : { int(Qt::DecorationRole), int(Qt::UserRole + 3) })
        QCOMPARE(model.data(first, role).value<QImage>().size(), QSize(150, 80));
    QCOMPARE(model.data(first, Qt::UserRole + 2).value<QImage>().size(), QSize(48, 24));
    QCOMPARE(model.data(first, Qt::UserRole + 6).value<QImage>().size(), QSize(16, 16));

    const QModelIndex carless = model.index(1, 0);
    for (int role : { int(Qt::DisplayRole), int(Qt::DecorationRole), int(Qt::EditRole), int(Qt::UserRole),
             int(Qt::UserRole + 1), int(Qt::UserRole + 2), int(Qt::UserRole + 3) }) {
        QVERIFY2(!model.data(carless, role).isValid(), qPrintable(QString::number(role)));
    }
    QCOMPARE(model.data(carless, Qt::UserRole + 4), QVariant(43));
    QCOMPARE(model.data(carless, Qt::UserRole + 5), QVariant(QStringLiteral("Bo")));
    QVERIFY(model.data(carless, Qt::UserRole + 6).value<QImage>().isNull());
}

void tst_LuGarageModel::shapeAndFlags()
{
    LuGarageItem a(1, QStringLiteral("A"), QImage(), nullptr);
    LuGarageItem b(2, QStringLiteral("B"), QImage(), nullptr);
    LuGarageItem stranger(3, QStringLiteral("C"), QImage(), nullptr);
    LuGarageModel model;
    QVERIFY(model.qt_metacast("LuObject"));
    model.setCars({ &a, &b, &b });

    QCOMPARE(model.rowCount(), 3);
    const QModelIndex second = model.index(1, 0);
    QCOMPARE(model.car(second), &b);
    QCOMPARE(model.rowCount(second), 0);
    QCOMPARE(model.columnCount(second), 1);
    QVERIFY(!model.parent(second).isValid());
    QVERIFY(!model.index(3, 0).isValid());
    QVERIFY(!model.index(0, 1).isValid());
    QVERIFY(!model.index(0, 0, second).isValid());
    QCOMPARE(model.flags(second), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    QCOMPARE(model.flags(QModelIndex()), Qt::ItemIsEnabled | Qt::ItemIsDropEnabled);

    // Looked up by item: the first of duplicates; an item not listed has no valid index.
    QCOMPARE(model.index(&b, 0), second);
    const QModelIndex missing = model.index(&stranger, 0);
    QVERIFY(!missing.isValid());
    QCOMPARE(missing.row(), -1);
    QCOMPARE(model.car(missing), nullptr);
}

QTEST_GUILESS_MAIN(tst_LuGarageModel)
#include "tst_lugaragemodel.moc"
