#include "lubgmusicitem.h"

LuBgMusicItem::LuBgMusicItem() = default;

LuBgMusicItem::LuBgMusicItem(const QString& name, const QString& regkey, const QString& exename)
    : m_name(name)
    , m_regkey(regkey)
    , m_exename(exename)
{
}

QString LuBgMusicItem::name() const
{
    return m_name;
}

QString LuBgMusicItem::regkey() const
{
    return m_regkey;
}

QString LuBgMusicItem::exename() const
{
    return m_exename;
}
