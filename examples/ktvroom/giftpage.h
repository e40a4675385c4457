#ifndef KTVROOM_GIFTPAGE_H
#define KTVROOM_GIFTPAGE_H

#include "sandboxpage.h"

#include <QElapsedTimer>
#include <QList>
#include <QTemporaryDir>
#include <QTimer>

class GiftListPanel;
class GiftServer;
class LuGiftItem;
class LuGiftManager;
class QLabel;

// The gift catalogue on its way to the screen: the page builds one record per gift (the
// battle-star gifts through the gift-star registry), hands them to a gift manager that
// fetches their pictures from the sandbox's own loopback gift server (or the server named
// with --gift-prefix) into an emptied gift directory, and shows them in the room's gift
// list, whose cells repaint as their thumbnails arrive.
class GiftPage : public SandboxPage
{
    Q_OBJECT

public:
    explicit GiftPage(QWidget* parent = nullptr);
    ~GiftPage() override;

    QString title() const override;
    // Waits until every file of the catalogue has arrived (at most 15 seconds).
    void prepareScreenshot(const std::function<void()>& ready) override;

private:
    QString startServer();
    void buildRecords();
    void checkProgress();
    int filesArrived() const;
    int thumbnailsArrived() const;

    QTemporaryDir m_icons;
    QString m_giftDirectory;
    GiftServer* m_server = nullptr;
    LuGiftManager* m_manager = nullptr;
    QLabel* m_status = nullptr;
    QList<LuGiftItem*> m_items;
    GiftListPanel* m_panel = nullptr;
    QStringList m_expectedFiles;
    QTimer m_progress;
    QElapsedTimer m_clock;
    qint64 m_completedMs = -1;
    std::function<void()> m_ready;
    QElapsedTimer m_readyClock;
};

#endif
