#ifndef KTVROOM_VIDEOPAGE_H
#define KTVROOM_VIDEOPAGE_H

#include "sandboxpage.h"

class LuAvSettingPopup;
class LuVideoControlBar;
class LuVideoNoneWidget;
class McMediaManagerQt;
class McMediaTransferQt;
class QLabel;
class QListWidget;
class QPushButton;

// A singer's video spot: the placeholder with its hover bar, the audio/video settings
// popup with background music, and the room's server and password dialogs.
class VideoPage : public SandboxPage
{
    Q_OBJECT

public:
    explicit VideoPage(QWidget* parent = nullptr);
    ~VideoPage() override;

    QString title() const override;
    void prepareScreenshot(const std::function<void()>& ready) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void setUpEngine();
    QWidget* buildVideoColumn();
    QWidget* buildControls();
    void connectBar();

    void showAvSettings();
    QWidget* chooseServer();
    QWidget* enterRoomPassword(const QString& tip);
    void zoom(int step);
    void updateStatus();
    void clickBarButton(const QString& toolTip);
    void log(const QString& line);

    McMediaManagerQt* m_mediaManager;
    McMediaTransferQt* m_transfer;
    LuVideoNoneWidget* m_video = nullptr;
    LuVideoControlBar* m_bar = nullptr;
    QWidget* m_videoColumn = nullptr;
    QLabel* m_roomPanel = nullptr;
    QPushButton* m_settingsButton = nullptr;
    QLabel* m_status = nullptr;
    QListWidget* m_log = nullptr;
    LuAvSettingPopup* m_avSettings = nullptr;
    int m_zoomLevel = 1;
};

#endif
