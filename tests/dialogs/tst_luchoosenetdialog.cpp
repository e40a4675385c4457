#include <lukbase/luchoosenetdialog.h>

#include <darivad/mcmediatransferqt.h>
#include <darivad/mcserverlistwidget.h>
#include <zuzar/mcenginesetup.h>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class tst_LuChooseNetDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        McEngineSetup::reset();
        McEngineSetup::setServerList({ "Line 1", "Line 2", "Line 3" });
    }

    void init()
    {
        QTest::failOnWarning(QRegularExpression(".*"));
        McEngineSetup::clearJournal();
    }

    // The transfer, which may be null, and the three strings reach the server list as they are.
    void passesTexts()
    {
        McMediaTransferQt transfer;
        LuChooseNetDialog dialog;
        dialog.setTransfer(&transfer, "%1 房间 1201", "%2", "Line 2");
        dialog.setTransfer(nullptr, QString(), "华东", QString());
        QCOMPARE(McEngineSetup::journal(),
            QStringList({ "McServerListWidget::setMediaTransfer(transfer)",
                "McServerListWidget::refreshServerList(%1 房间 1201, %2, Line 2)",
                "McServerListWidget::setMediaTransfer(null)", "McServerListWidget::refreshServerList(, 华东, )" }));
    }

    // Cancel leaves the list alone; OK connects to the selected server through the list and accepts.
    void buttons()
    {
        McMediaTransferQt transfer;
        LuChooseNetDialog dialog;
        dialog.setTransfer(&transfer, "room", "area", "Line 1");
        dialog.show();
        McEngineSetup::clearJournal();
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
        QVERIFY(McEngineSetup::journal().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        dialog.findChild<McServerListWidget*>()->setCurrentRow(2);
        dialog.show();
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(McEngineSetup::journal().first(), "McServerListWidget::connectToSelected(Line 3)");
        QCOMPARE(transfer.connectedServer(), "Line 3");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    // The destruction of the watched transfer rejects the dialog, even in a modal run; an
    // earlier transfer is no longer watched.
    void transferDestroyed()
    {
        auto* earlier = new McMediaTransferQt;
        auto* later = new McMediaTransferQt;
        LuChooseNetDialog dialog;
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        dialog.setTransfer(earlier, "room", "area", "Line 1");
        dialog.setTransfer(later, "room", "area", "Line 2");
        McEngineSetup::clearJournal();
        delete earlier;
        QCOMPARE(rejected.size(), 0);
        QTimer::singleShot(0, later, [later] { delete later; });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        // The list is told to forget it too, so that a later OK cannot reach freed memory.
        QCOMPARE(McEngineSetup::journal(), QStringList { "McServerListWidget::setMediaTransfer(null)" });
    }
};

QTEST_MAIN(tst_LuChooseNetDialog)
#include "tst_luchoosenetdialog.moc"
