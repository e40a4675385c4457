#include "luenterpwddialog.h"
#include "luenterpwddialog_p.h"
#include "ui_luenterpwddialog.h"

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

    const QString title = LuEnterPwdDialog::tr("Room Password");
    q->setFixedSize(320, 130);
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
    d->ui->tipLabel->setText(text);
}

QString LuEnterPwdDialog::password() const
{
    Q_D(const LuEnterPwdDialog);
    return d->ui->passwordEdit->text();
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
