#include <lukbase/luenterpwddialog.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QLineEdit* passwordEdit(const LuEnterPwdDialog& dialog)
{
    return dialog.findChild<QLineEdit*>(QStringLiteral("passwordEdit"));
}

QPushButton* standardButton(const LuEnterPwdDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    return buttons ? buttons->button(which) : nullptr;
}

} // namespace

class tst_LuEnterPwdDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void form();
    void tipText();
    void okWithPassword_data();
    void okWithPassword();
    void okRefusedWhileEmpty();
    void sixteenCharactersAtMost();
    void cancelRejects();
};

void tst_LuEnterPwdDialog::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void tst_LuEnterPwdDialog::form()
{
    LuEnterPwdDialog dialog;
    QCOMPARE(dialog.titleText(), QStringLiteral("Room Password"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Room Password"));
    QCOMPARE(dialog.clientWidget()->findChild<QLabel*>(QStringLiteral("tipLabel"))->text(),
        QStringLiteral("Please enter room password"));
    QCOMPARE(passwordEdit(dialog)->echoMode(), QLineEdit::Password);
}

void tst_LuEnterPwdDialog::tipText()
{
    LuEnterPwdDialog dialog;
    dialog.setTipText(QStringLiteral("Wrong password, %1 try again"));
    QCOMPARE(dialog.clientWidget()->findChild<QLabel*>(QStringLiteral("tipLabel"))->text(),
        QStringLiteral("Wrong password, %1 try again"));
}

void tst_LuEnterPwdDialog::okWithPassword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("one space") << " ";
    QTest::newRow("word") << "secret";
    QTest::newRow("spaces kept") << " pass word ";
}

void tst_LuEnterPwdDialog::okWithPassword()
{
    QFETCH(QString, typed);
    LuEnterPwdDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy accepted(&dialog, &QDialog::accepted);

    QTest::keyClicks(passwordEdit(dialog), typed);
    QTest::mouseClick(standardButton(dialog, QDialogButtonBox::Ok), Qt::LeftButton);

    QCOMPARE(accepted.size(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.password(), typed);
}

void tst_LuEnterPwdDialog::okRefusedWhileEmpty()
{
    LuEnterPwdDialog dialog;
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QPushButton* ok = standardButton(dialog, QDialogButtonBox::Ok);
    ok->setFocus();
    QCOMPARE(QApplication::focusWidget(), ok);
    QSignalSpy finished(&dialog, &QDialog::finished);

    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.size(), 0);
    QCOMPARE(QApplication::focusWidget(), passwordEdit(dialog));
    QVERIFY(dialog.password().isEmpty());

    // Enter in the empty field is refused the same way.
    QTest::keyClick(passwordEdit(dialog), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.size(), 0);
}

void tst_LuEnterPwdDialog::sixteenCharactersAtMost()
{
    LuEnterPwdDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QTest::keyClicks(passwordEdit(dialog), QStringLiteral("0123456789abcdefX"));
    QCOMPARE(dialog.password(), QStringLiteral("0123456789abcdef"));
    QTest::keyClick(passwordEdit(dialog), Qt::Key_Z);
    QCOMPARE(dialog.password().size(), 16);
}

void tst_LuEnterPwdDialog::cancelRejects()
{
    LuEnterPwdDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(passwordEdit(dialog), QStringLiteral("typed"));

    QTest::mouseClick(standardButton(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(tst_LuEnterPwdDialog)
#include "tst_luenterpwddialog.moc"
