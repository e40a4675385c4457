#include <lukbase/luchoosenetdialog.h>
#include <lukbase/luenterpwddialog.h>

#include <darivad/mcmediatransferqt.h>
#include <darivad/mcserverlistwidget.h>
#include <zuzar/mcenginesetup.h>

#include "markingtranslator.h"
#include "textcheck.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The server chooser and the room password dialog.
class tst_LuDialogs : public QObject
{
    Q_OBJECT

    static QLineEdit* edit(const QDialog& dialog) { return dialog.findChild<QLineEdit*>("passwordEdit"); }
    static QPushButton* button(const QDialog& dialog, QDialogButtonBox::StandardButton which)
    {
        return dialog.findChild<QDialogButtonBox*>("buttonBox")->button(which);
    }

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

    // The transfer and the three strings reach the server list as they are. Cancel leaves the
    // list alone; OK connects to the selected server through the list and accepts.
    void chooseNetButtons()
    {
        McMediaTransferQt transfer;
        LuChooseNetDialog dialog;
        dialog.setTransfer(&transfer, "%1 房间 1201", "%2", "Line 1");
        QCOMPARE(McEngineSetup::journal(),
            QStringList({ "McServerListWidget::setMediaTransfer(transfer)",
                "McServerListWidget::refreshServerList(%1 房间 1201, %2, Line 1)" }));
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
    void chooseNetTransferDestroyed()
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

    void passwordTextsFit_data() { TextCheck::addFontAndLanguageRows(); }

    // A long tip is cut at its end, whole in its tooltip; the tip names the field.
    void passwordTextsFit()
    {
        TextCheck::FontAndLanguage language;
        LuEnterPwdDialog dialog;
        dialog.show();
        QVERIFY(TextCheck::unfitted(&dialog).isEmpty());
        const QString tip = "Room 1201 of the late-night singers is locked: enter its password";
        dialog.setTipText(tip);
        QCOMPARE(TextCheck::unfitted(&dialog), QStringList());
        QCOMPARE(dialog.findChild<QLabel*>("tipLabel")->toolTip(), tip);
    }

    // The form's texts and the title follow a change of language; a tip the host set stays.
    void passwordChangeOfLanguage_data()
    {
        QTest::addColumn<QString>("hostTip");
        QTest::newRow("form's tip") << QString();
        QTest::newRow("host's tip") << "Wrong password";
    }

    void passwordChangeOfLanguage()
    {
        QFETCH(QString, hostTip);
        LuEnterPwdDialog dialog;
        if (!hostTip.isNull())
            dialog.setTipText(hostTip);
        MarkingTranslator translator({ "enterpwdForm", "LuEnterPwdDialog" });
        QVERIFY(QCoreApplication::installTranslator(&translator));
        TextCheck::changeLanguage(&dialog);
        QCOMPARE(TextCheck::untranslated(&dialog, hostTip.isNull() ? QStringList() : QStringList { hostTip }),
            QStringList());
    }

    // A single space is a password; the 17th character is not taken; Cancel rejects whatever
    // was typed. OK and Enter are refused while the field is empty, and the focus goes back to it.
    void passwordFinishes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDialogButtonBox::StandardButton>("clicked");
        QTest::addColumn<int>("result"); // -1: not finished
        QTest::addColumn<QString>("password");
        QTest::newRow("one space") << " " << QDialogButtonBox::Ok << int(QDialog::Accepted) << " ";
        QTest::newRow("seventeen characters")
            << "0123456789abcdefX" << QDialogButtonBox::Ok << int(QDialog::Accepted) << "0123456789abcdef";
        QTest::newRow("cancel") << "typed" << QDialogButtonBox::Cancel << int(QDialog::Rejected) << "typed";
        QTest::newRow("empty") << QString() << QDialogButtonBox::Ok << -1 << QString();
    }

    void passwordFinishes()
    {
        QFETCH(QString, typed);
        QFETCH(QDialogButtonBox::StandardButton, clicked);
        QFETCH(int, result);
        QFETCH(QString, password);
        LuEnterPwdDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), "Room Password");
        QCOMPARE(edit(dialog)->echoMode(), QLineEdit::Password);
        QSignalSpy finished(&dialog, &QDialog::finished);
        QTest::keyClicks(edit(dialog), typed);
        button(dialog, clicked)->setFocus();
        QTest::mouseClick(button(dialog, clicked), Qt::LeftButton);
        if (result < 0) {
            QCOMPARE(dialog.focusWidget(), edit(dialog));
            QTest::keyClick(edit(dialog), Qt::Key_Return);
        }
        QCOMPARE(dialog.isVisible(), result < 0);
        QCOMPARE(finished.size(), result < 0 ? 0 : 1);
        QCOMPARE(dialog.result(), qMax(result, 0));
        QCOMPARE(dialog.password(), password);
    }
};

QTEST_MAIN(tst_LuDialogs)
#include "tst_ludialogs.moc"
