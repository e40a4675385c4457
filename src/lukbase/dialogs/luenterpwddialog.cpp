#include "luenterpwddialog.h"
#include "luenterpwddialog_p.h"
#include "ui_luenterpwddialog.h"

#include "lukbasetextfit_p.h"

#include <QEvent>

LuEnterPwdDialogPrivate::LuEnterPwdDialogPrivate(LuEnterPwdDialog* q)
    : q_ptr(q)
    , ui(new Ui::enterpwdForm())
{
}

LuEnterPwdDialogPrivate::~LuEnterPwdDialogPrivate() = default;

void LuEnterPwdDialogPrivate::init()
{
    Q_Q(LuEnterPwdDialog);
    ui->setupUi(q->clientWidget());
    QObject::connect(ui->buttonBox, &QDialogButtonBox::accepted, q, &LuEnterPwdDialog::accept);
    QObject::connect(ui->buttonBox, &QDialogButtonBox::rejected, q, &LuEnterPwdDialog::reject);
    q->setFixedSize(320, 130);
    retranslate();
}

void LuEnterPwdDialogPrivate::retranslate()
{
    Q_Q(LuEnterPwdDialog);
    ui->retranslateUi(q->clientWidget());
    // The form puts its own tip back; a tip the host set stays.
    LuTextFit::setText(ui->tipLabel, tipText.isNull() ? ui->tipLabel->text() : tipText);

    const QString title = LuEnterPwdDialog::tr("Room Password");
    q->setTitleText(title, false);
    q->setWindowTitle(title);
}

LuEnterPwdDialog::LuEnterPwdDialog(QWidget* parent)
    : LuSkinDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , d_ptr(new LuEnterPwdDialogPrivate(this))
{
    Q_D(LuEnterPwdDialog);
    d->init();
}

LuEnterPwdDialog::~LuEnterPwdDialog() = default;

void LuEnterPwdDialog::setTipText(const QString& text)
{
    Q_D(LuEnterPwdDialog);
    d->tipText = text;
    LuTextFit::setText(d->ui->tipLabel, text);
}

QString LuEnterPwdDialog::password() const
{
    Q_D(const LuEnterPwdDialog);
    return d->ui->passwordEdit->text();
}

void LuEnterPwdDialog::changeEvent(QEvent* event)
{
    Q_D(LuEnterPwdDialog);
    if (event->type() == QEvent::LanguageChange)
        d->retranslate();
    LuSkinDialog::changeEvent(event);
}

void LuEnterPwdDialog::accept()
{
    Q_D(LuEnterPwdDialog);
    if (d->ui->passwordEdit->text().isEmpty()) {
        d->ui->passwordEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    LuSkinDialog::accept();
}
