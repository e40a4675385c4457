#include <lukbase/luchoosenetdialog.h>

#include <darivad/mcmediatransferqt.h>
#include <darivad/mcserverlistwidget.h>
#include <zuzar/mcenginesetup.h>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

McServerListWidget* serverList(const LuChooseNetDialog& dialog)
{
    return dialog.findChild<McServerListWidget*>();
}

QPushButton* standardButton(const LuChooseNetDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    return buttons ? buttons->button(which) : nullptr;
}

} // namespace

class tst_LuChooseNetDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void passesTexts_data();
    void passesTexts();
    void okConnectsSelected_data();
    void okConnectsSelected();
    void cancelLeavesListAlone();
    void destroyedTransferRejectsModalRun();
    void onlyLastTransferIsWatched();
    void nullTransferWatchesNothing();
};

void tst_LuChooseNetDialog::initTestCase()
{
    McEngineSetup::reset();
    McEngineSetup::setServerList({ "Line 1", "Line 2", "Line 3" });
}

void tst_LuChooseNetDialog::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    McEngineSetup::clearJournal();
}

void tst_LuChooseNetDialog::passesTexts_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("third");
    QTest::addColumn<int>("currentRow");

    QTest::newRow("plain") << "room 1201"
                           << "north"
                           << "Line 2" << 1;
    QTest::newRow("wide texts") << QString::fromUtf8("房间 1201") << QString::fromUtf8("华东") << "Line 3" << 2;
    QTest::newRow("placeholders") << "%1%2%3"
                                  << "%2"
                                  << "no such line" << -1;
    QTest::newRow("empty") << QString() << QString() << QString() << -1;
}

void tst_LuChooseNetDialog::passesTexts()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, third);
    QFETCH(int, currentRow);

    McMediaTransferQt transfer;
    LuChooseNetDialog dialog;
    dialog.setTransfer(&transfer, first, second, third);

    QCOMPARE(McEngineSetup::journal(),
        QStringList({ "McServerListWidget::setMediaTransfer(transfer)",
            QStringLiteral("McServerListWidget::refreshServerList(%1, %2, %3)").arg(first, second, third) }));
    QCOMPARE(serverList(dialog)->mediaTransfer(), &transfer);
    QCOMPARE(serverList(dialog)->count(), 3);
    QCOMPARE(serverList(dialog)->currentRow(), currentRow);
}

void tst_LuChooseNetDialog::okConnectsSelected_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("server");

    QTest::newRow("selected") << 2 << "Line 3";
    QTest::newRow("nothing selected") << -1 << QString();
}

void tst_LuChooseNetDialog::okConnectsSelected()
{
    QFETCH(int, row);
    QFETCH(QString, server);

    McMediaTransferQt transfer;
    LuChooseNetDialog dialog;
    dialog.setTransfer(&transfer, QStringLiteral("room"), QStringLiteral("area"), QString());
    serverList(dialog)->setCurrentRow(row);
    dialog.show();
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    McEngineSetup::clearJournal();

    standardButton(dialog, QDialogButtonBox::Ok)->click();

    // The list widget decides what connecting to no selection means; the dialog accepts.
    QCOMPARE(McEngineSetup::journal().first(), QStringLiteral("McServerListWidget::connectToSelected(%1)").arg(server));
    QCOMPARE(QString::fromStdString(transfer.connectedServer()), server);
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void tst_LuChooseNetDialog::cancelLeavesListAlone()
{
    McMediaTransferQt transfer;
    LuChooseNetDialog dialog;
    dialog.setTransfer(&transfer, QStringLiteral("room"), QStringLiteral("area"), QStringLiteral("Line 1"));
    dialog.show();
    McEngineSetup::clearJournal();

    standardButton(dialog, QDialogButtonBox::Cancel)->click();

    QVERIFY(McEngineSetup::journal().isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(transfer.connectedServer().empty());
}

void tst_LuChooseNetDialog::destroyedTransferRejectsModalRun()
{
    auto* transfer = new McMediaTransferQt;
    LuChooseNetDialog dialog;
    dialog.setTransfer(transfer, QStringLiteral("room"), QStringLiteral("area"), QStringLiteral("Line 1"));

    QTimer::singleShot(0, transfer, [transfer] { delete transfer; });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    // Nothing is connected afterwards: OK on a dialog shown again finds no transfer.
    McEngineSetup::clearJournal();
    dialog.show();
    standardButton(dialog, QDialogButtonBox::Ok)->click();
    QCOMPARE(McEngineSetup::journal().filter(QStringLiteral("McMediaTransfer::")), QStringList());
}

void tst_LuChooseNetDialog::onlyLastTransferIsWatched()
{
    auto* earlier = new McMediaTransferQt;
    auto* later = new McMediaTransferQt;
    LuChooseNetDialog dialog;
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    dialog.setTransfer(earlier, QStringLiteral("room"), QStringLiteral("area"), QStringLiteral("Line 1"));
    dialog.setTransfer(later, QStringLiteral("room"), QStringLiteral("area"), QStringLiteral("Line 2"));
    dialog.show();

    delete earlier;
    QCOMPARE(rejected.size(), 0);
    QVERIFY(dialog.isVisible());

    delete later;
    QCOMPARE(rejected.size(), 1);
    QVERIFY(!dialog.isVisible());
}

void tst_LuChooseNetDialog::nullTransferWatchesNothing()
{
    auto* transfer = new McMediaTransferQt;
    LuChooseNetDialog dialog;
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    dialog.setTransfer(transfer, QStringLiteral("room"), QStringLiteral("area"), QString());
    McEngineSetup::clearJournal();

    dialog.setTransfer(nullptr, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    QCOMPARE(McEngineSetup::journal(),
        QStringList(
            { "McServerListWidget::setMediaTransfer(null)", "McServerListWidget::refreshServerList(a, b, c)" }));
    QCOMPARE(serverList(dialog)->mediaTransfer(), nullptr);

    delete transfer;
    QCOMPARE(rejected.size(), 0);
}

QTEST_MAIN(tst_LuChooseNetDialog)
#include "tst_luchoosenetdialog.moc"
