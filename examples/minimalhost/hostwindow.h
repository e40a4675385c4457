#ifndef MINIMALHOST_HOSTWINDOW_H
#define MINIMALHOST_HOSTWINDOW_H

#include <QStringList>
#include <QWidget>

class GiftShelf;
class LuVideoNoneWidget;
class LuWinPrizePopup;
class QLabel;
class QTextBrowser;
class RoomPlugins;

// The room window: a video placeholder, the room log, the gift panel and the plug-ins.
class HostWindow : public QWidget
{
    Q_OBJECT

public:
    HostWindow(const QString& iconsPath, const QString& giftPrefix, QWidget* parent = nullptr);

    // What did not work as a host expects; empty when everything did.
    QStringList problems() const;

Q_SIGNALS:
    // The gift thumbnails have arrived and the balance written by another thread is shown.
    void settled();

private:
    void greetSinger();
    void startPlugins();
    void updateBalanceInBackground();
    void showBalance();
    void checkSettled();

    LuVideoNoneWidget* m_video;
    QTextBrowser* m_roomLog;
    QLabel* m_balance;
    GiftShelf* m_gifts;
    LuWinPrizePopup* m_prizes;
    RoomPlugins* m_plugins;
    QStringList m_problems;
    bool m_thumbnailsArrived = false;
    bool m_balanceShown = false;
    bool m_linkTaken = false;
};

#endif
