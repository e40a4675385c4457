#include <lukbase/lucaritem.h>
#include <lukbase/lugarageitem.h>
#include <lukbase/lugaragemodel.h>

#include <QAbstractItemModelTester>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class tst_LuGarageModel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    // Rows are found by pointer, the first of duplicates. Names are shown as typed, a price
    // past 32 bits as the host's int reads it, and an owner without a car as a card without
    // the car's data.
    void rows()
    {
        LuCarItem car(3, "Roadster %1", 4294967296 + 5, QString(), QString());
        LuGarageItem ann(42, "Ann %2", QImage(), &car), walker(7, "Bo", QImage(), nullptr);
        LuGarageItem stranger = ann;
        LuGarageModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setCars({ &ann, &walker, &walker });
        QCOMPARE(model.index(&walker, 0), model.index(1, 0));
        QCOMPARE(model.car(model.index(&walker, 0)), &walker);
        QVERIFY(!model.index(&stranger, 0).isValid());

        const QModelIndex first = model.index(0, 0), carless = model.index(1, 0);
        QCOMPARE(first.data(Qt::AccessibleTextRole), QVariant("Ann %2's car: Roadster %1"));
        QCOMPARE(first.data(LuGarageModel::CarPriceRole), QVariant(5));
        QCOMPARE(LuCarItem(4, QString(), 2147483648, QString(), QString()).price(), -2147483647 - 1);
        QCOMPARE(carless.data(Qt::AccessibleTextRole), QVariant("Bo"));
        QCOMPARE(carless.data(LuGarageModel::UserIdRole), QVariant(7));
        QVERIFY(!carless.data(Qt::DisplayRole).isValid() && !carless.data(LuGarageModel::CarImageRole).isValid());
    }

    void picturesAreReadOnce()
    {
        const QString present = m_dir.filePath("present.png");
        const QString missing = m_dir.filePath("missing.png");
        QVERIFY(QFile::copy(":/pics/car.png", present));
        LuCarItem found(1, "A", 1, present, present);
        LuCarItem notFound(2, "B", 1, missing, QString());
        QCOMPARE(found.image().size(), QSize(150, 80));
        QVERIFY(notFound.image().isNull());

        // Files changed or created after the first read are not read again; each picture is
        // read at its own first use; an empty path is no picture.
        QVERIFY(QFile::remove(present) && QFile::copy(":/pics/logo.png", present));
        QVERIFY(QFile::copy(":/pics/logo.png", missing));
        QCOMPARE(found.image().size(), QSize(150, 80));
        QCOMPARE(found.logo().size(), QSize(96, 48));
        QVERIFY(notFound.image().isNull());
        QVERIFY(notFound.logo().isNull());
    }
};

QTEST_GUILESS_MAIN(tst_LuGarageModel)
#include "tst_lugaragemodel.moc"
