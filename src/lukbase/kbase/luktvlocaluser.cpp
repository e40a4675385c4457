#include "luktvlocaluser.h"

namespace {

QByteArray fromCString(const char* text)
{
    return text ? QByteArray(text) : QByteArray();
}

} // namespace

LuKtvLocalUser* LuKtvLocalUser::instance()
{
    static LuKtvLocalUser user;
    return &user;
}

LuKtvLocalUser::LuKtvLocalUser() = default;

LuKtvLocalUser::~LuKtvLocalUser() = default;

template <typename T> T LuKtvLocalUser::locked(const T& field)
{
    QMutexLocker locker(&m_mutex);
    return field;
}

template <typename T> void LuKtvLocalUser::assign(T& field, const T& value)
{
    QMutexLocker locker(&m_mutex);
    field = value;
}

int LuKtvLocalUser::userid() const
{
    return m_userid.loadRelaxed();
}

void LuKtvLocalUser::setUserId(int userid)
{
    m_userid.storeRelaxed(userid);
}

void LuKtvLocalUser::setPassword(const char* password)
{
    assign(m_password, fromCString(password));
}

void LuKtvLocalUser::setMacAddr(const char* macAddr)
{
    assign(m_macAddr, fromCString(macAddr));
}

void LuKtvLocalUser::setObservedIP(const char* observedIP)
{
    assign(m_observedIP, fromCString(observedIP));
}

void LuKtvLocalUser::setSession(const QString& session)
{
    assign(m_session, session);
}

void LuKtvLocalUser::setUsername(const QString& username)
{
    assign(m_username, username);
}

void LuKtvLocalUser::setMoney(qint64 money)
{
    assign(m_money, money);
}

void LuKtvLocalUser::setGiftMoney(qint64 giftMoney)
{
    assign(m_giftMoney, giftMoney);
}

QByteArray LuKtvLocalUser::password()
{
    return locked(m_password);
}

QByteArray LuKtvLocalUser::macAddr()
{
    return locked(m_macAddr);
}

QByteArray LuKtvLocalUser::observedIP()
{
    return locked(m_observedIP);
}

QString LuKtvLocalUser::session()
{
    return locked(m_session);
}

QString LuKtvLocalUser::username()
{
    return locked(m_username);
}

qint64 LuKtvLocalUser::money()
{
    return locked(m_money);
}

qint64 LuKtvLocalUser::giftMoney()
{
    return locked(m_giftMoney);
}
