#include "hostwindow.h"
#include "giftshelf.h"
#include "roomplugins.h"

#include <lukbase/luktvlocaluser.h>
#include <lukbase/luvideononewidget.h>
#include <lukbase/luwinprizepopup.h>

#include <QLabel>
#include <QTextBrowser>
#include <QThread>
#include <QVBoxLayout>

namespace {
const qint64 kBalanceFromServer = 2500;
}

HostWindow::HostWindow(const QString& iconsPath, const QString& giftPrefix, QWidget* parent)
    : QWidget(parent)
    , m_video(new LuVideoNoneWidget(this))
    , m_roomLog(new QTextBrowser(this))
    , m_balance(new QLabel(this))
    , m_gifts(new GiftShelf(iconsPath, giftPrefix, this))
    , m_prizes(new LuWinPrizePopup(this))
    , m_plugins(new RoomPlugins(this))
{
    setWindowTitle(tr("Minimal room"));
    auto* layout = new QVBoxLayout(this);
    m_video->setKeepRatio(true);
    layout->addWidget(m_video);
    layout->addWidget(m_roomLog);
    layout->addWidget(m_balance);
    layout->addWidget(m_gifts, 1);
    resize(480, 720);

    connect(m_gifts, &GiftShelf::thumbnailsArrived, this, [this] {
        m_thumbnailsArrived = true;
        checkSettled();
    });
    greetSinger();
    startPlugins();
    updateBalanceInBackground();
}

void HostWindow::greetSinger()
{
    //! [rich-text]
    // A text the host hands to a QLabel of the library is read as rich text when it looks
    // like markup: escape every name in it.
    const QString singer = LuKtvLocalUser::instance()->username();
    m_video->setErrorText(tr("%1 has turned the camera off.").arg(singer.toHtmlEscaped()));

    // Horn texts are rich text with the names already escaped: pass them on unchanged.
    connect(m_prizes, &LuWinPrizePopup::showHornMsg, m_roomLog,
        [this](int, const QString& hornText) { m_roomLog->append(hornText); });
    //! [rich-text]
}

void HostWindow::startPlugins()
{
    connect(m_plugins, &RoomPlugins::said, m_roomLog, [this](const QString& text) {
        m_roomLog->append(text.toHtmlEscaped());
        m_linkTaken = m_linkTaken || text == QStringLiteral("link hello://wave");
    });
    if (!m_plugins->startHello())
        m_problems.append(QStringLiteral("the hello plug-in did not start"));
    if (m_plugins->helloSchemes() != QList<QString> { QStringLiteral("hello") })
        m_problems.append(QStringLiteral("the hello plug-in does not list its scheme"));
}

void HostWindow::updateBalanceInBackground()
{
    //! [threads]
    // A network thread of the host may write the user's balances: LuKtvLocalUser locks each
    // field. The thread's end is reported to this GUI-thread object, which reads them.
    QThread* worker = QThread::create([] { LuKtvLocalUser::instance()->setMoney(kBalanceFromServer); });
    connect(worker, &QThread::finished, this, &HostWindow::showBalance);
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
    //! [threads]
}

void HostWindow::showBalance()
{
    const qint64 money = LuKtvLocalUser::instance()->money();
    m_balance->setText(tr("Balance: %1").arg(money));
    if (money != kBalanceFromServer)
        m_problems.append(QStringLiteral("the balance written by another thread did not arrive"));
    m_balanceShown = true;
    checkSettled();
}

void HostWindow::checkSettled()
{
    if (m_thumbnailsArrived && m_balanceShown)
        Q_EMIT settled();
}

QStringList HostWindow::problems() const
{
    QStringList problems = m_problems;
    if (!m_linkTaken)
        problems.append(QStringLiteral("the hello plug-in did not take its link"));
    if (m_gifts->waitingThumbnails() > 0)
        problems.append(QStringLiteral("%1 gift thumbnails did not arrive").arg(m_gifts->waitingThumbnails()));
    return problems;
}
