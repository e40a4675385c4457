#include <lukbase/lucaritem.h>
#include <lukbase/lugarageitem.h>
#include <lukbase/lugaragemodel.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class tst_LuGarageModel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The owner's picture: a piece of the car's picture, unlike both car pictures.
    static QImage icon() { return QImage(":/pics/car.png").copy(0, 0, 16, 16); }

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void roles_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("withCar");
        QTest::addColumn<QVariant>("carless");

        const QVariant none, name(QStringLiteral("Roadster %1")), picture(QImage(QStringLiteral(":/pics/car.png"))),
            logo(QImage(QStringLiteral(":/pics/logo.png")));
        QTest::newRow("display") << int(Qt::DisplayRole) << name << none;
        QTest::newRow("edit") << int(Qt::EditRole) << name << none;
        QTest::newRow("user") << int(Qt::UserRole) << name << none;
        QTest::newRow("decoration") << int(Qt::DecorationRole) << picture << none;
        QTest::newRow("price") << int(Qt::UserRole + 1) << QVariant(300000) << none;
        QTest::newRow("logo") << int(Qt::UserRole + 2) << logo << none;
        QTest::newRow("picture") << int(Qt::UserRole + 3) << picture << none;
        QTest::newRow("user id") << int(Qt::UserRole + 4) << QVariant(42) << QVariant(42);
        QTest::newRow("user name") << int(Qt::UserRole + 5) << QVariant("Ann %2") << QVariant("Ann %2");
        QTest::newRow("user icon") << int(Qt::UserRole + 6) << QVariant(icon()) << QVariant(icon());
        QTest::newRow("tooltip") << int(Qt::ToolTipRole) << none << none;
        // What a screen reader says of the painted card; names are filled in as typed.
        QTest::newRow("accessible text") << int(Qt::AccessibleTextRole) << QVariant("Ann %2's car: Roadster %1")
                                         << QVariant("Ann %2");
        QTest::newRow("accessible description") << int(Qt::AccessibleDescriptionRole) << none << none;
        QTest::newRow("past the last role") << int(Qt::UserRole + 7) << none << none;
        // Qt 4's user role was 32; hosts ask for Qt::UserRole + n.
        QTest::newRow("old user id number") << 36 << none << none;
    }

    void roles()
    {
        QFETCH(int, role);
        QFETCH(QVariant, withCar);
        QFETCH(QVariant, carless);

        LuCarItem car(3, QStringLiteral("Roadster %1"), 300000, ":/pics/car.png", ":/pics/logo.png");
        // An owner without a car answers no car data, and does not crash the model.
        LuGarageItem item(42, QStringLiteral("Ann %2"), icon(), &car);
        LuGarageItem walker(42, QStringLiteral("Ann %2"), icon(), nullptr);
        LuGarageModel model;
        model.setCars({ &item, &walker });
        for (const auto& [row, expected] : { std::pair(0, withCar), std::pair(1, carless) }) {
            const QVariant value = model.data(model.index(row, 0), role);
            QCOMPARE(value, expected);
            QCOMPARE(value.metaType(), expected.metaType());
        }
        QVERIFY(!model.data(QModelIndex(), role).isValid());
    }

    void priceNarrowedToInt()
    {
        // The low 32 bits of the price, as the host's int reads them.
        const QList<std::pair<qint64, int>> prices { { 2147483647, 2147483647 }, { -3, -3 },
            { 2147483648, -2147483647 - 1 }, { 4294967296 + 5, 5 } };
        for (const auto& [price, narrowed] : prices)
            QCOMPARE(LuCarItem(3, QStringLiteral("Roadster"), price, QString(), QString()).price(), narrowed);
    }

    void picturesAreReadOnce()
    {
        const QString present = m_dir.filePath(QStringLiteral("present.png"));
        const QString missing = m_dir.filePath(QStringLiteral("missing.png"));
        QVERIFY(QFile::copy(":/pics/car.png", present));
        LuCarItem found(1, QStringLiteral("A"), 1, present, present);
        LuCarItem notFound(2, QStringLiteral("B"), 1, missing, QString());
        QCOMPARE(found.image().size(), QSize(150, 80));
        QVERIFY(notFound.image().isNull());

        // Files changed or created after the first read are not read again; each picture is
        // read at its own first use; an empty path is no picture.
        QVERIFY(QFile::remove(present) && QFile::copy(":/pics/logo.png", present));
        QVERIFY(QFile::copy(":/pics/logo.png", missing));
        QCOMPARE(found.image().size(), QSize(150, 80));
        QCOMPARE(found.logo().size(), QSize(48, 24));
        QVERIFY(notFound.image().isNull());
        QVERIFY(notFound.logo().isNull());
    }

    void shapeAndFlags()
    {
        LuGarageItem a(1, QStringLiteral("A"), QImage(), nullptr), b = a, stranger = a;
        LuGarageModel model;
        model.setCars({ &a, &b, &b });
        QCOMPARE(model.rowCount(), 3);
        const QModelIndex second = model.index(1, 0);
        QCOMPARE(model.car(second), &b);
        QCOMPARE(model.rowCount(second), 0);
        QVERIFY(!model.parent(second).isValid());
        QVERIFY(!model.index(3, 0).isValid());
        QVERIFY(!model.index(0, 1).isValid());
        QVERIFY(!model.index(0, 0, second).isValid());
        QCOMPARE(model.flags(second), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        QCOMPARE(model.flags(QModelIndex()), Qt::ItemIsEnabled | Qt::ItemIsDropEnabled);

        // Looked up by item: the first of duplicates; an item not listed has no valid index.
        QCOMPARE(model.index(&b, 0), second);
        QVERIFY(!model.index(&stranger, 0).isValid());
    }
};

QTEST_GUILESS_MAIN(tst_LuGarageModel)
#include "tst_lugaragemodel.moc"
