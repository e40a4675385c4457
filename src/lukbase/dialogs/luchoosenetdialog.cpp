#include "luchoosenetdialog.h"
#include "luchoosenetdialog_p.h"

#include <darivad/mcmediatransferqt.h>
#include <darivad/mcserverlistwidget.h>

#include <QDialogButtonBox>
#include <QVBoxLayout>

LuChooseNetDialogPrivate::LuChooseNetDialogPrivate(LuChooseNetDialog* q)
    : q_ptr(q)
{
}

void LuChooseNetDialogPrivate::init()
{
    Q_Q(LuChooseNetDialog);
    QWidget* client = q->clientWidget();
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(5, 10, 5, 3);

    serverList = new McServerListWidget(client);
    layout->addWidget(serverList);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, client);
    buttons->setCenterButtons(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, q, &LuChooseNetDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, q, &LuChooseNetDialog::reject);
    layout->addWidget(buttons);

    q->setFixedSize(320, 200);
}

LuChooseNetDialog::LuChooseNetDialog(QWidget* parent)
    : LuSkinDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , d_ptr(new LuChooseNetDialogPrivate(this))
{
    Q_D(LuChooseNetDialog);
    d->init();
}

LuChooseNetDialog::~LuChooseNetDialog() = default;

void LuChooseNetDialog::setTransfer(
    McMediaTransferQt* transfer, const QString& first, const QString& second, const QString& third)
{
    Q_D(LuChooseNetDialog);
    if (d->watched)
        disconnect(d->watched, &QObject::destroyed, this, &LuChooseNetDialog::objectDestroyed);

    d->serverList->setMediaTransfer(transfer);
    const std::string a = first.toStdString();
    const std::string b = second.toStdString();
    const std::string c = third.toStdString();
    d->serverList->refreshServerList(a.c_str(), b.c_str(), c.c_str());

    d->transfer = transfer;
    d->watched = transfer;
    if (d->watched)
        connect(d->watched, &QObject::destroyed, this, &LuChooseNetDialog::objectDestroyed);
}

void LuChooseNetDialog::accept()
{
    Q_D(LuChooseNetDialog);
    d->serverList->connectToSelected();
    LuSkinDialog::accept();
}

void LuChooseNetDialog::objectDestroyed(QObject* obj)
{
    Q_D(LuChooseNetDialog);
    if (!obj || obj != d->watched)
        return;
    d->transfer = nullptr;
    d->watched = nullptr;
    // The list keeps a pointer of its own, which a later OK would follow.
    d->serverList->setMediaTransfer(nullptr);
    reject();
}
