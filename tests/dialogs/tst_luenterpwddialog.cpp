#include <lukbase/luenterpwddialog.h>

#include "markingtranslator.h"
#include "textcheck.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class tst_LuEnterPwdDialog : public QObject
{
    Q_OBJECT

    static QLineEdit* edit(const QDialog& dialog) { return dialog.findChild<QLineEdit*>("passwordEdit"); }
    static QPushButton* button(const QDialog& dialog, QDialogButtonBox::StandardButton which)
    {
        return dialog.findChild<QDialogButtonBox*>("buttonBox")->button(which);
    }

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(".*")); }

    void textsFit_data() { TextCheck::addFontAndLanguageRows(); }

    // A long tip is cut at its end, whole in its tooltip; the tip names the field.
    void textsFit()
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
    void changeOfLanguage_data()
    {
        QTest::addColumn<QString>("hostTip");
        QTest::newRow("form's tip") << QString();
        QTest::newRow("host's tip") << "Wrong password";
    }

    void changeOfLanguage()
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

    // A single space is a password; the 17th character is not taken; Cancel rejects
    // whatever was typed.
    void finishes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDialogButtonBox::StandardButton>("clicked");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("password");
        QTest::newRow("one space") << " " << QDialogButtonBox::Ok << int(QDialog::Accepted) << " ";
        QTest::newRow("seventeen characters")
            << "0123456789abcdefX" << QDialogButtonBox::Ok << int(QDialog::Accepted) << "0123456789abcdef";
        QTest::newRow("cancel") << "typed" << QDialogButtonBox::Cancel << int(QDialog::Rejected) << "typed";
    }

    void finishes()
    {
        QFETCH(QString, typed);
        QFETCH(QDialogButtonBox::StandardButton, clicked);
        QFETCH(int, result);
        QFETCH(QString, password);
        LuEnterPwdDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(edit(dialog)->echoMode(), QLineEdit::Password);
        QTest::keyClicks(edit(dialog), typed);
        QTest::mouseClick(button(dialog, clicked), Qt::LeftButton);
        QCOMPARE(dialog.result(), result);
        QCOMPARE(dialog.password(), password);
    }

    // OK and Enter are refused while the field is empty, and the focus goes back to it.
    void emptyRefused()
    {
        LuEnterPwdDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy finished(&dialog, &QDialog::finished);
        QCOMPARE(dialog.windowTitle(), "Room Password");
        button(dialog, QDialogButtonBox::Ok)->setFocus();
        QTest::mouseClick(button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(dialog.focusWidget(), edit(dialog));
        QTest::keyClick(edit(dialog), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(finished.size(), 0);
    }
};

QTEST_MAIN(tst_LuEnterPwdDialog)
#include "tst_luenterpwddialog.moc"
