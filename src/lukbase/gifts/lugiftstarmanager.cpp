#include "lugiftstarmanager.h"
#include "lugiftstarmanager_p.h"
#include "lukbaselogging_p.h"

#include <lukbase/lukbase.h>

#include <QDir>

#include <utility>

namespace {
LuGiftStarManager* s_instance = nullptr;
}

LuGiftStarManager::LuGiftStarManager(QObject* parent)
    : QObject(parent)
    , d_ptr(new LuGiftStarManagerPrivate(this))
{
    s_instance = this;
}

LuGiftStarManager::~LuGiftStarManager()
{
    if (s_instance == this)
        s_instance = nullptr;
    clearAll();
}

LuGiftStarManager* LuGiftStarManager::instance()
{
    return s_instance;
}

LuGiftStarItem* LuGiftStarManager::addGiftStar(int id, int type, int cmd, int flags, const QString& name,
    const QString& unit, qint64 price, qint64 giftmoney, int sendid0, int sendnum0, int recvid0, int recvnum0)
{
    Q_D(LuGiftStarManager);
    if (LuGiftStarItem* existing = d->stars.value(id)) {
        qCWarning(lcGifts) << "gift star duplicate:" << id;
        return existing;
    }

    const QDir giftDir(LuKBase::giftDirectory());
    const QString number = QString::number(id);
    auto* star = new LuGiftStarItem(id, type, cmd, name, unit, price, giftmoney,
        giftDir.absoluteFilePath(number + QStringLiteral(".png")),
        giftDir.absoluteFilePath(number + QStringLiteral(".gif")),
        giftDir.absoluteFilePath(number + QStringLiteral("_star.gif")), flags, sendid0, sendnum0, recvid0, recvnum0);
    star->ref();
    d->stars.insert(id, star);
    if (sendid0 != 0 && sendnum0 >= 1)
        d->userStars[sendid0].append(star);
    if (recvid0 != 0 && recvnum0 >= 1)
        d->userStars[recvid0].append(star);
    return star;
}

LuGiftStarItem* LuGiftStarManager::getGiftStar(int id) const
{
    Q_D(const LuGiftStarManager);
    return d->stars.value(id);
}

QList<LuGiftStarItem*> LuGiftStarManager::getUserStars(int userid) const
{
    Q_D(const LuGiftStarManager);
    return d->userStars.value(userid);
}

QList<LuGiftStarItem*> LuGiftStarManager::allGiftStars() const
{
    Q_D(const LuGiftStarManager);
    return d->stars.values();
}

QList<int> LuGiftStarManager::allUsers() const
{
    Q_D(const LuGiftStarManager);
    return d->userStars.keys();
}

void LuGiftStarManager::clearAll()
{
    Q_D(LuGiftStarManager);
    // Forget first, release after: a star that goes now is no longer reachable from here.
    const QMap<int, LuGiftStarItem*> stars = std::exchange(d->stars, {});
    d->userStars.clear();
    for (LuGiftStarItem* star : stars)
        star->release();
}
