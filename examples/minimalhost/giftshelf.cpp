#include "giftshelf.h"

#include <lukbase/lugiftmanager.h>
#include <lukbase/lugiftview.h>
#include <lukbase/lukbase.h>

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct CatalogueEntry
{
    int id;
    int type;
    int cmd;
    const char* name;
    qint64 price;
    qint64 giftmoney;
};

// What the host's server lists; a real host reads it from the network.
const CatalogueEntry kCatalogue[] = {
    { 1, LuGiftItem::OrdinaryGift, LuGiftItem::NoCommand, "Rose", 100, 80 },
    { 2, LuGiftItem::LuckyGift, LuGiftItem::NoCommand, "Lucky Star", 1000, 800 },
    { 3, LuGiftItem::OrdinaryGift, LuGiftItem::RoomShareCommand, "Fireworks", 50000, 0 },
};

} // namespace

GiftShelf::GiftShelf(const QString& iconsPath, const QString& downloadPrefix, QWidget* parent)
    : QWidget(parent)
    , m_manager(new LuGiftManager(this))
    , m_view(new LuGiftView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    buildCatalogue();
    for (const SharedRecord<LuGiftItem>& gift : std::as_const(m_catalogue)) {
        if (!QFileInfo::exists(gift->thumbnailPath()))
            m_waiting.insert(gift.get());
    }

    //! [gift-downloads]
    m_manager->setIconsPath(iconsPath); // normally LuKBase::iconFilePath()
    m_manager->setGiftDirectory(LuKBase::giftDirectory());
    m_manager->setDownloadPrefix(downloadPrefix); // the host's gift server
    connect(m_manager, &LuGiftManager::thumbnailUpdated, this, &GiftShelf::showThumbnail);
    // A missing file: the record shows the fallback icon at once, and a download is queued.
    for (const SharedRecord<LuGiftItem>& gift : std::as_const(m_catalogue))
        m_manager->downloadGiftResource(gift.get());
    m_manager->startDownloads();
    // The view's model takes a reference of its own on each record.
    m_view->setGifts(gifts());
    //! [gift-downloads]

    if (m_waiting.isEmpty())
        QTimer::singleShot(0, this, &GiftShelf::thumbnailsArrived);
}

void GiftShelf::buildCatalogue()
{
    //! [gift-records]
    // One record per catalogue entry, with the paths its files have once downloaded. The
    // catalogue holds one reference on each record; the library takes its own.
    const QDir giftDir(LuKBase::giftDirectory());
    for (const CatalogueEntry& entry : kCatalogue) {
        const QString id = QString::number(entry.id);
        auto* gift = new LuGiftItem(entry.id, entry.type, entry.cmd, tr(entry.name), QString(), entry.price,
            entry.giftmoney, giftDir.filePath(id + QStringLiteral(".png")),
            giftDir.filePath(id + QStringLiteral(".gif")), giftDir.filePath(id + QStringLiteral("_star.gif")), 0);
        m_catalogue.append(SharedRecord<LuGiftItem>(gift));
    }
    //! [gift-records]
}

//! [gift-arrived]
void GiftShelf::showThumbnail(LuGiftItem* gift)
{
    // The record holds the new picture; its cell paints it at the next repaint.
    m_view->update(m_view->index(gift));
    noteArrival(gift);
}
//! [gift-arrived]

void GiftShelf::noteArrival(const LuGiftItem* gift)
{
    if (m_waiting.remove(gift) && m_waiting.isEmpty())
        Q_EMIT thumbnailsArrived();
}

QList<LuGiftItem*> GiftShelf::gifts() const
{
    QList<LuGiftItem*> records;
    for (const SharedRecord<LuGiftItem>& gift : m_catalogue)
        records.append(gift.get());
    return records;
}

int GiftShelf::waitingThumbnails() const
{
    return int(m_waiting.size());
}
