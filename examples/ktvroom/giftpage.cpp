#include "giftpage.h"
#include "giftcatalogue.h"
#include "giftlistpanel.h"
#include "giftserver.h"

#include <lukbase/lugiftmanager.h>
#include <lukbase/lugiftstarmanager.h>
#include <lukbase/lugiftview.h>
#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <utility>

namespace {
const int kScreenshotPatienceMs = 15000;
} // namespace

GiftPage::GiftPage(QWidget* parent)
    : SandboxPage(parent)
    , m_giftDirectory(LuKBase::giftDirectory())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::RichText);
    layout->addWidget(m_status);

    // Each start begins with an empty gift directory, so the pictures really travel.
    QDir giftDir(m_giftDirectory);
    const QStringList leftovers = giftDir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : leftovers)
        giftDir.remove(name);
    GiftCatalogue::writeFallbackIcons(m_icons.path());

    m_manager = new LuGiftManager(this);
    m_manager->setIconsPath(m_icons.path());
    m_manager->setGiftDirectory(m_giftDirectory);
    m_manager->setDownloadPrefix(startServer());
    buildRecords();

    m_panel = new GiftListPanel(this);
    m_panel->setGifts(m_items);
    layout->addWidget(m_panel, 1);
    connect(m_manager, &LuGiftManager::thumbnailUpdated, m_panel, &GiftListPanel::refreshGift);

    // Animations, star logos and Flash files arrive without a signal: count them now and then.
    m_progress.setInterval(100);
    connect(&m_progress, &QTimer::timeout, this, &GiftPage::checkProgress);
    m_clock.start();
    m_progress.start();
    m_manager->startDownloads();
    checkProgress();
}

GiftPage::~GiftPage()
{
    for (LuGiftItem* item : std::as_const(m_items))
        item->release();
}

QString GiftPage::title() const
{
    return QStringLiteral("Gifts");
}

QString GiftPage::startServer()
{
    const QString chosen = qApp->property("giftPrefix").toString();
    if (!chosen.isEmpty())
        return chosen;
    m_server = new GiftServer(GiftCatalogue::serverFiles(GiftCatalogue::gifts()), this);
    if (!m_server->start()) {
        qWarning("ktvroom: the gift server could not listen on 127.0.0.1");
        return QString();
    }
    return m_server->prefix();
}

void GiftPage::buildRecords()
{
    const QDir giftDir(m_giftDirectory);
    const int me = LuKtvLocalUser::instance()->userid();
    LuGiftStarManager* stars = LuGiftStarManager::instance();
    const QList<CatalogueGift> gifts = GiftCatalogue::gifts();
    for (const CatalogueGift& gift : gifts) {
        const QString id = QString::number(gift.id);
        LuGiftItem* item = nullptr;
        if (gift.type == LuGiftItem::BattleStarGift && stars) {
            // The local user sent some of the battle stars; the receivers are other singers.
            const int sent = gift.id % 2 ? 3 : 0;
            item = stars->addGiftStar(gift.id, gift.type, gift.cmd, gift.flags, gift.name, gift.unit, gift.price,
                gift.giftmoney, me, sent, 20000 + gift.id, 1);
        } else {
            item = new LuGiftItem(gift.id, gift.type, gift.cmd, gift.name, gift.unit, gift.price, gift.giftmoney,
                giftDir.absoluteFilePath(id + QStringLiteral(".png")),
                giftDir.absoluteFilePath(id + QStringLiteral(".gif")),
                giftDir.absoluteFilePath(id + QStringLiteral("_star.gif")), gift.flags);
        }
        item->ref();
        m_items.append(item);
        m_manager->downloadGiftResource(item);

        m_expectedFiles << id + QStringLiteral(".png") << id + QStringLiteral(".gif");
        if (gift.type == LuGiftItem::BattleStarGift)
            m_expectedFiles << id + QStringLiteral("_star.gif");
        if (gift.flags & LuGiftItem::FlashFlag)
            m_expectedFiles << id + QStringLiteral(".swf");
    }
}

int GiftPage::filesArrived() const
{
    const QDir giftDir(m_giftDirectory);
    int arrived = 0;
    for (const QString& name : m_expectedFiles)
        arrived += giftDir.exists(name) ? 1 : 0;
    return arrived;
}

// Thumbnails that came from the server rather than the fallback icon.
int GiftPage::thumbnailsArrived() const
{
    int arrived = 0;
    for (LuGiftItem* item : std::as_const(m_items))
        arrived += item->thumbnailPath().startsWith(m_giftDirectory) ? 1 : 0;
    return arrived;
}

void GiftPage::checkProgress()
{
    const int arrived = filesArrived();
    const bool complete = arrived == m_expectedFiles.size();
    const int thumbnails = thumbnailsArrived();
    if (complete && m_completedMs < 0) {
        // The time of the whole download, kept: this text is refreshed later, at a change of language.
        m_completedMs = m_clock.elapsed();
        m_panel->view()->viewport()->update();
    }

    QString stars;
    if (LuGiftStarManager* registry = LuGiftStarManager::instance()) {
        stars = QStringLiteral(" &middot; %1 gift stars, %2 of them sent by you")
                    .arg(QString::number(registry->allGiftStars().size()),
                        QString::number(registry->getUserStars(LuKtvLocalUser::instance()->userid()).size()));
    }
    const QString server = m_server ? QStringLiteral("the sandbox's gift server") : QStringLiteral("--gift-prefix");
    m_status->setText(
        QStringLiteral("<b>Gift catalogue</b>: %1 gifts from <tt>%2</tt> (%3)%4<br>"
                       "%5 of %6 thumbnails and %7 of %8 files downloaded into <tt>%9</tt>%10")
            .arg(QString::number(m_items.size()), m_manager->downloadPrefix().toHtmlEscaped(), server, stars,
                QString::number(thumbnails), QString::number(m_items.size()), QString::number(arrived),
                QString::number(m_expectedFiles.size()), QDir::toNativeSeparators(m_giftDirectory).toHtmlEscaped(),
                complete ? QStringLiteral(" in %1 ms").arg(QString::number(m_completedMs)) : QString()));
    if (complete)
        m_progress.stop();

    if (m_ready && (complete || m_readyClock.elapsed() > kScreenshotPatienceMs)) {
        // One gift current, the pointer resting on another: the cell states a user sees.
        LuGiftView* view = m_panel->view();
        view->setCurrentIndex(view->index(m_items.value(13), 0));
        const QPoint pos = view->visualRect(view->index(m_items.value(2), 0)).center();
        QMouseEvent move(
            QEvent::MouseMove, pos, view->viewport()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &move);
        const std::function<void()> ready = std::exchange(m_ready, nullptr);
        ready();
    }
}

void GiftPage::prepareScreenshot(const std::function<void()>& ready)
{
    m_ready = ready;
    m_readyClock.start();
    if (!m_progress.isActive())
        m_progress.start();
    checkProgress();
}
