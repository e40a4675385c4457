#include "lugiftitem.h"

#include <QCoreApplication>

namespace {

// The tooltip's texts belong to the gift manager's translation context.
const char kContext[] = "LuGiftManager";

struct TooltipLine
{
    int value;
    const char* text;
};

// The line that a special room command adds to the tooltip.
const TooltipLine kCommandLines[] = {
    { LuGiftItem::MicUpCommand, QT_TRANSLATE_NOOP("LuGiftManager", "Move receiver's MIC up") },
    { LuGiftItem::SiegeCommand,
        QT_TRANSLATE_NOOP("LuGiftManager", "Used for siege, sender and receiver will be king and queen") },
    { LuGiftItem::MicTimeCommand, QT_TRANSLATE_NOOP("LuGiftManager", "Prolong receiver's MIC time") },
    { LuGiftItem::RoomShareCommand, QT_TRANSLATE_NOOP("LuGiftManager", "All room users will share the money") },
    { LuGiftItem::ManagerShareCommand, QT_TRANSLATE_NOOP("LuGiftManager", "All room managers will share the money") },
};

// The line that the gift type adds when the gift carries no room command.
const TooltipLine kTypeLines[] = {
    { LuGiftItem::LuckyGift, QT_TRANSLATE_NOOP("LuGiftManager", "Have rate to get 1000 times bonus") },
    { LuGiftItem::BattleStarGift, QT_TRANSLATE_NOOP("LuGiftManager", "Used for battle gift star") },
};

template <size_t N> const char* lineFor(const TooltipLine (&lines)[N], int value)
{
    for (const TooltipLine& line : lines) {
        if (line.value == value)
            return line.text;
    }
    return nullptr;
}

} // namespace

LuGiftItem::LuGiftItem(int id, int type, int cmd, const QString& name, const QString& unit, qint64 price,
    qint64 giftmoney, const QString& thumbnailPath, const QString& imagePath, const QString& starLogoPath, int flags)
    : m_id(id)
    , m_type(type)
    , m_cmd(cmd)
    , m_price(price)
    , m_giftmoney(giftmoney)
    , m_flags(flags)
    , m_cachedWidth(-1)
    , m_thumbnailLoaded(false)
    , m_name(name)
    , m_unit(unit)
    , m_thumbnailPath(thumbnailPath)
    , m_imagePath(imagePath)
    , m_starLogoPath(starLogoPath)
{
}

LuGiftItem::~LuGiftItem() = default;

bool LuGiftItem::isYanHua() const
{
    return m_cmd == RoomShareCommand || m_cmd == ManagerShareCommand;
}

bool LuGiftItem::hasFlash() const
{
    return m_flags & FlashFlag;
}

int LuGiftItem::width()
{
    // An empty path is no file; Qt would warn about the empty name.
    if (m_cachedWidth == -1)
        m_cachedWidth = m_imagePath.isEmpty() ? 0 : QImage(m_imagePath).width();
    return m_cachedWidth;
}

QImage LuGiftItem::thumbnail()
{
    if (!m_thumbnailLoaded) {
        if (!m_thumbnailPath.isEmpty())
            m_thumbnailImage.load(m_thumbnailPath);
        m_thumbnailLoaded = true;
    }
    return m_thumbnailImage;
}

QString LuGiftItem::tooltip()
{
    if (!m_cachedTooltip.isEmpty())
        return m_cachedTooltip;

    // One multi-argument arg() per template, so that a "%1" inside a name stays as typed.
    QString text = QCoreApplication::translate("LuGiftManager", "%1(Price: %2)").arg(m_name, QString::number(m_price));
    text += QLatin1Char('\n')
        + QCoreApplication::translate("LuGiftManager", "Receiver money: %1").arg(QString::number(m_giftmoney));

    // At most one third line; a room command wins over the type.
    const char* extra = lineFor(kCommandLines, m_cmd);
    if (!extra)
        extra = lineFor(kTypeLines, m_type);
    if (extra)
        text += QLatin1Char('\n') + QCoreApplication::translate(kContext, extra);

    m_cachedTooltip = text;
    return m_cachedTooltip;
}
