#include "videopage.h"
#include "extrascreenshot.h"

#include <lukbase/luavsettingpopup.h>
#include <lukbase/lubgmusicmanager.h>
#include <lukbase/luchoosenetdialog.h>
#include <lukbase/luenterpwddialog.h>
#include <lukbase/luktvlocaluser.h>
#include <lukbase/luvideocontrolbar.h>
#include <lukbase/luvideononewidget.h>

#include <darivad/mcmediamanagerqt.h>
#include <darivad/mcmediatransferqt.h>
#include <zuzar/mcenginesetup.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QTimer>
#include <QToolButton>

namespace {

const int kZoomWidths[] = { 240, 400, 560 };
const int kBarHeight = 24;
const QString kRoomPassword = QStringLiteral("ktv");

// A dim stage light: what the spot shows while no video comes.
QPixmap stageBackground()
{
    QPixmap pixmap(320, 240);
    QPainter painter(&pixmap);
    QRadialGradient light(QPointF(160, 90), 220);
    light.setColorAt(0, QColor(74, 48, 118));
    light.setColorAt(0.6, QColor(34, 22, 60));
    light.setColorAt(1, QColor(12, 8, 24));
    painter.fillRect(pixmap.rect(), light);
    painter.setPen(QColor(255, 255, 255, 14));
    for (int y = 0; y < pixmap.height(); y += 3)
        painter.drawLine(0, y, pixmap.width(), y);
    return pixmap;
}

QString deviceText(const std::wstring& name)
{
    return name.empty() ? QStringLiteral("(none)") : QString::fromStdWString(name);
}

} // namespace

VideoPage::VideoPage(QWidget* parent)
    : SandboxPage(parent)
    , m_mediaManager(nullptr)
    , m_transfer(nullptr)
{
    setUpEngine();
    m_mediaManager = new McMediaManagerQt(this);
    m_mediaManager->startAudioCapture();
    m_mediaManager->startVideoCapture(nullptr);
    m_transfer = new McMediaTransferQt(this);
    m_transfer->connectToServer("North Line 1");
    LuBgMusicManager::instance()->setMediaManager(m_mediaManager);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildVideoColumn(), 0, Qt::AlignTop);
    m_roomPanel = new QLabel(QStringLiteral("<b>Room 1201</b><br>Now singing:<br>Sandbox Singer<br><br>Next:<br>"
                                            "Lark<br>Reed"),
        this);
    m_roomPanel->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_roomPanel->setFrameShape(QFrame::StyledPanel);
    m_roomPanel->setMargin(8);
    m_roomPanel->setFixedWidth(120);
    m_roomPanel->hide();
    layout->addWidget(m_roomPanel, 0, Qt::AlignTop);
    layout->addWidget(buildControls(), 1);

    connectBar();
    connect(m_transfer, &McMediaTransferQt::refuseResult, this, [this](int mask) {
        log(QStringLiteral("Refuse mask in force: audio %1, video %2")
                .arg(mask & 0x1 ? QStringLiteral("refused") : QStringLiteral("accepted"),
                    mask & 0x2 ? QStringLiteral("refused") : QStringLiteral("accepted")));
    });
    updateStatus();
}

VideoPage::~VideoPage()
{
    LuBgMusicManager::instance()->stopMusic();
    LuBgMusicManager::instance()->setMediaManager(nullptr);
}

QString VideoPage::title() const
{
    return QStringLiteral("Video");
}

void VideoPage::setUpEngine()
{
    McEngineSetup::setWaveInDevices({ QStringLiteral("Microphone (USB Audio Device)"),
        QStringLiteral("Headset Microphone (Bluetooth)"), QStringLiteral("Line In (HD Audio)") });
    McEngineSetup::setWaveOutDevices(
        { QStringLiteral("Speakers (HD Audio)"), QStringLiteral("Headphones (USB Audio Device)") });
    McEngineSetup::setCameraDevices({ QStringLiteral("Integrated Webcam"), QStringLiteral("USB Video Camera") });
    // Two of the players in ":/config/bgmusic.xml" are installed on this made-up machine.
    McEngineSetup::setRegistryValue(QStringLiteral("SOFTWARE\\LarkSoft\\LarkMusic"), QStringLiteral("DisplayIcon"),
        QStringLiteral("C:\\Program Files\\Lark Music\\larkmusic.exe"));
    McEngineSetup::setRegistryValue(QStringLiteral("SOFTWARE\\Reedsong"), QStringLiteral("DisplayIcon"),
        QStringLiteral("C:\\Program Files\\Reedsong\\reedsong.exe"));
    // The sandbox only pretends to start players.
    McEngineSetup::setStartProcesses(false);
    McEngineSetup::setServerList({ QStringLiteral("North Line 1"), QStringLiteral("North Line 2"),
        QStringLiteral("South Line 1"), QStringLiteral("South Line 2"), QStringLiteral("Campus Network") });
}

QWidget* VideoPage::buildVideoColumn()
{
    m_videoColumn = new QWidget(this);
    m_videoColumn->setFixedWidth(kZoomWidths[m_zoomLevel]);
    auto* column = new QVBoxLayout(m_videoColumn);
    column->setContentsMargins(0, 0, 0, 0);

    m_video = new LuVideoNoneWidget;
    m_video->setKeepRatio(true);
    m_video->setBackground(stageBackground());
    m_video->setErrorText(QStringLiteral("The singer's camera is off"));
    column->addWidget(m_video);
    column->addStretch(1);

    m_bar = new LuVideoControlBar(m_transfer, nullptr, nullptr, m_video);
    m_bar->setUserid(LuKtvLocalUser::instance()->userid());
    m_bar->setAutoFillBackground(true);
    QPalette strip = m_bar->palette();
    strip.setColor(QPalette::Window, QColor(0, 0, 0, 150));
    m_bar->setPalette(strip);
    m_bar->setStyleSheet(QStringLiteral("QToolButton#ChatToolButton { border: none; border-radius: 3px; }"
                                        "QToolButton#ChatToolButton:hover { background: rgba(255, 255, 255, 60); }"));
    // The host lays the bar over the bottom of the picture.
    m_video->installEventFilter(this);
    return m_videoColumn;
}

QWidget* VideoPage::buildControls()
{
    auto* controls = new QWidget(this);
    auto* column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);

    m_settingsButton = new QPushButton(QStringLiteral("Audio/Video Settings..."), controls);
    connect(m_settingsButton, &QPushButton::clicked, this, &VideoPage::showAvSettings);
    column->addWidget(m_settingsButton);

    auto* music = new QCheckBox(QStringLiteral("Play background music"), controls);
    connect(music, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            LuBgMusicManager::instance()->startMusic();
        else
            LuBgMusicManager::instance()->stopMusic();
        updateStatus();
    });
    column->addWidget(music);

    auto* server = new QPushButton(QStringLiteral("Choose Server..."), controls);
    connect(server, &QPushButton::clicked, this, &VideoPage::chooseServer);
    column->addWidget(server);

    auto* enter = new QPushButton(QStringLiteral("Enter Locked Room..."), controls);
    connect(enter, &QPushButton::clicked, this,
        [this] { enterRoomPassword(QStringLiteral("Room 1201 is locked: enter its password")); });
    column->addWidget(enter);

    m_status = new QLabel(controls);
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    column->addWidget(m_status);

    m_log = new QListWidget(controls);
    column->addWidget(m_log, 1);
    return controls;
}

void VideoPage::connectBar()
{
    connect(m_bar, &LuVideoControlBar::takePhoto, this, [this] {
        const QPixmap photo = m_video->grab();
        log(QStringLiteral("Photo taken: %1 x %2")
                .arg(QString::number(photo.width()), QString::number(photo.height())));
    });
    connect(m_bar, &LuVideoControlBar::smallVideo, this, [this] { zoom(-1); });
    connect(m_bar, &LuVideoControlBar::largeVideo, this, [this] { zoom(+1); });
    connect(m_bar, &LuVideoControlBar::showPopup, this, [this] {
        m_roomPanel->show();
        m_bar->setShowPopup(true);
    });
    connect(m_bar, &LuVideoControlBar::hidePopup, this, [this] {
        m_roomPanel->hide();
        m_bar->setShowPopup(false);
    });
}

bool VideoPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_video && event->type() == QEvent::Resize)
        m_bar->setGeometry(0, m_video->height() - kBarHeight, m_video->width(), kBarHeight);
    else if (watched == m_avSettings && event->type() == QEvent::Hide)
        updateStatus();
    return SandboxPage::eventFilter(watched, event);
}

void VideoPage::showAvSettings()
{
    if (!m_avSettings) {
        m_avSettings = new LuAvSettingPopup(this);
        m_avSettings->setMediaManager(m_mediaManager);
        // The popup has no frame of its own; the host's style draws one.
        m_avSettings->setFrameShape(QFrame::Box);
        m_avSettings->setStyleSheet(
            QStringLiteral("QFrame#AvSettingPopup { background: #f7f3fc; border: 1px solid #8f6fc0; }"));
        m_avSettings->installEventFilter(this);
    }
    m_avSettings->move(m_settingsButton->mapToGlobal(QPoint(0, m_settingsButton->height())));
    m_avSettings->show();
    m_avSettings->activateWindow();
}

QWidget* VideoPage::chooseServer()
{
    auto* dialog = new LuChooseNetDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setTitleText(QStringLiteral("Choose Server"), false);
    dialog->setTransfer(m_transfer, QStringLiteral("room 1201"), QStringLiteral("north"),
        QString::fromStdString(m_transfer->connectedServer()));
    connect(dialog, &QDialog::accepted, this, [this] {
        const std::string server = m_transfer->connectedServer();
        log(server.empty() ? QStringLiteral("No server chosen")
                           : QStringLiteral("Connected to %1").arg(QString::fromStdString(server)));
        updateStatus();
    });
    dialog->open();
    return dialog;
}

QWidget* VideoPage::enterRoomPassword(const QString& tip)
{
    auto* dialog = new LuEnterPwdDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setTipText(tip);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        if (dialog->password() == kRoomPassword) {
            log(QStringLiteral("Entered room 1201"));
            return;
        }
        // Asked again after this one has closed.
        QTimer::singleShot(
            0, this, [this] { enterRoomPassword(QStringLiteral("Wrong password (try \"%1\")").arg(kRoomPassword)); });
    });
    dialog->open();
    return dialog;
}

void VideoPage::zoom(int step)
{
    const int levels = int(std::size(kZoomWidths));
    m_zoomLevel = qBound(0, m_zoomLevel + step, levels - 1);
    m_videoColumn->setFixedWidth(kZoomWidths[m_zoomLevel]);
    log(QStringLiteral("Video width %1").arg(kZoomWidths[m_zoomLevel]));
}

void VideoPage::updateStatus()
{
    const QString music = LuBgMusicManager::instance()->currentItem().name();
    const std::string server = m_transfer->connectedServer();
    m_status->setText(
        QStringLiteral("Microphone: %1\nSpeakers: %2\nCamera: %3\nBackground music: %4\nServer: %5")
            .arg(deviceText(m_mediaManager->waveInDevice()), deviceText(m_mediaManager->waveOutDevice()),
                deviceText(m_mediaManager->cameraDevice()), music.isEmpty() ? QStringLiteral("(none)") : music,
                server.empty() ? QStringLiteral("(none)") : QString::fromStdString(server)));
}

void VideoPage::clickBarButton(const QString& toolTip)
{
    const QList<QToolButton*> buttons = m_bar->findChildren<QToolButton*>(QStringLiteral("ChatToolButton"));
    for (QToolButton* button : buttons) {
        if (button->toolTip() == toolTip)
            button->click();
    }
}

void VideoPage::log(const QString& line)
{
    m_log->addItem(line);
    m_log->scrollToBottom();
}

void VideoPage::prepareScreenshot(const std::function<void()>& ready)
{
    // The windows of their own first, each written as an extra picture.
    m_log->clear();
    showAvSettings();
    QTimer::singleShot(100, this, [this, ready] {
        saveExtraScreenshot(m_avSettings, QStringLiteral("video-av-settings"));
        m_avSettings->close();
        QWidget* servers = chooseServer();
        QTimer::singleShot(100, this, [this, ready, servers] {
            saveExtraScreenshot(servers, QStringLiteral("video-choose-server"));
            servers->close();
            QWidget* password = enterRoomPassword(QStringLiteral("Room 1201 is locked: enter its password"));
            QTimer::singleShot(100, this, [this, ready, password] {
                saveExtraScreenshot(password, QStringLiteral("video-room-password"));
                password->close();
                // The pointer comes over the picture: its bar shows. The singer's video is
                // switched off there, and "Video Off" shows once the engine has settled it.
                QEvent enter(QEvent::Enter);
                QCoreApplication::sendEvent(m_video, &enter);
                connect(m_transfer, &McMediaTransferQt::refuseResult, this, ready, Qt::SingleShotConnection);
                clickBarButton(QCoreApplication::translate("LuVideoControlBar", "Video On"));
            });
        });
    });
}
