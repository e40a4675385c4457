#ifndef LUKBASE_LUKTVLOCALUSER_H
#define LUKBASE_LUKTVLOCALUSER_H

#include <lukbase/lukbase_export.h>

#include <QAtomicInteger>
#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>

/**
 * The user logged in on this client: id, credentials, addresses, session, name and the two
 * money balances. One per process, through instance().
 *
 * Every accessor but userid()/setUserId() locks the object's mutex for its one field, so
 * any thread may use them; two fields read one after the other may come from different
 * updates. The user id is atomic, read and written without the lock.
 * Make the first instance() call before a second thread can reach the object.
 */
class LUKBASE_EXPORT LuKtvLocalUser : public QObject
{
    Q_OBJECT

public:
    /** @return the process-wide object, built on the first call and destroyed at process exit */
    static LuKtvLocalUser* instance();

    /** A user with id 0, null texts and zero balances. The library builds one only in instance(). */
    LuKtvLocalUser();
    /** Destroys the user. */
    ~LuKtvLocalUser() override;

    /** @return the numeric user id; 0 while none is set. Not locked. */
    int userid() const;
    /**
     * Sets the user id; the per-user directory and settings follow it. Not locked.
     * @param userid the logged-in user's id
     */
    void setUserId(int userid);

    /**
     * Sets the login password.
     * @param password NUL-terminated text, copied; null gives a null array
     */
    void setPassword(const char* password);
    /**
     * Sets the machine's MAC address.
     * @param macAddr NUL-terminated text, copied; null gives a null array
     */
    void setMacAddr(const char* macAddr);
    /**
     * Sets the client's IP address as the service observed it.
     * @param observedIP NUL-terminated text, copied; null gives a null array
     */
    void setObservedIP(const char* observedIP);
    /**
     * Sets the session of the current login.
     * @param session the session text
     */
    void setSession(const QString& session);
    /**
     * Sets the user's display name.
     * @param username the name, as the user typed it
     */
    void setUsername(const QString& username);
    /**
     * Sets the money balance.
     * @param money the balance; negative values are kept as they are
     */
    void setMoney(qint64 money);
    /**
     * Sets the gift-money balance.
     * @param giftMoney the balance; negative values are kept as they are
     */
    void setGiftMoney(qint64 giftMoney);

    /** @return the login password, as bytes */
    QByteArray password();
    /** @return the machine's MAC address, as text bytes */
    QByteArray macAddr();
    /** @return the client's IP address as the service observed it, as text bytes */
    QByteArray observedIP();
    /** @return the session of the current login */
    QString session();
    /** @return the user's display name */
    QString username();
    /** @return the money balance */
    qint64 money();
    /** @return the gift-money balance */
    qint64 giftMoney();

private:
    Q_DISABLE_COPY(LuKtvLocalUser)

    template <typename T> T locked(const T& field);
    template <typename T> void assign(T& field, const T& value);

    // Read without the lock by design; atomic (relaxed) so that it is no data race.
    QAtomicInteger<int> m_userid { 0 };
    QByteArray m_password;
    QByteArray m_macAddr;
    QByteArray m_observedIP;
    QString m_session;
    QString m_username;
    qint64 m_money = 0;
    qint64 m_giftMoney = 0;
    QMutex m_mutex;
};

#endif
