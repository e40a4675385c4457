#include "luavsettingpopup.h"
#include "luavsettingpopup_p.h"
#include "ui_luavsettingpopup.h"

#include "lukbasetextfit_p.h"

#include <lukbase/lubgmusicmanager.h>
#include <lukbase/lukbase.h>

#include <darivad/mcmediamanagerqt.h>
#include <lucore/lustyle.h>

#include <QFileDialog>
#include <QKeyEvent>
#include <QSettings>

namespace {
constexpr QLatin1String kAudioGroup("Audio");
constexpr QLatin1String kVideoGroup("Video");
constexpr QLatin1String kInputKey("input_device");
constexpr QLatin1String kOutputKey("output_device");
constexpr QLatin1String kCameraKey("device");
} // namespace

LuAvSettingPopupPrivate::FileChooser LuAvSettingPopupPrivate::fileChooser;

LuAvSettingPopupPrivate::LuAvSettingPopupPrivate(LuAvSettingPopup* q)
    : q_ptr(q)
    , ui(new Ui::avSettingForm())
{
}

LuAvSettingPopupPrivate::~LuAvSettingPopupPrivate() = default;

QString LuAvSettingPopupPrivate::storedValue(const QString& group, const QString& key)
{
    QSettings* settings = LuKBase::userSettings();
    settings->beginGroup(group);
    const QString value = settings->value(key).toString();
    settings->endGroup();
    return value;
}

void LuAvSettingPopupPrivate::storeValue(const QString& group, const QString& key, const QString& value)
{
    QSettings* settings = LuKBase::userSettings();
    settings->beginGroup(group);
    settings->setValue(key, value);
    settings->endGroup();
}

void LuAvSettingPopupPrivate::init()
{
    Q_Q(LuAvSettingPopup);
    ui->setupUi(q);

    luStyleComboBox(ui->audioInputBox);
    luStyleComboBox(ui->audioOutputBox);
    luStyleComboBox(ui->cameraBox);
    luStyleComboBox(ui->bkgndMusicBox);
    // Device names can be long: each box shows the chosen one cut to its width.
    for (QComboBox* box : { ui->audioInputBox, ui->audioOutputBox, ui->cameraBox, ui->bkgndMusicBox })
        LuTextFit::elideCurrentText(box);

    // The stored choices are selected before the slots are connected, so that building
    // the popup neither touches the capture nor rewrites the settings.
    fillDevices(ui->audioInputBox, McMediaManager::listWaveInDevices(), storedValue(kAudioGroup, kInputKey));
    fillDevices(ui->audioOutputBox, McMediaManager::listWaveOutDevices(), storedValue(kAudioGroup, kOutputKey));
    QObject::connect(ui->audioInputBox, &QComboBox::currentIndexChanged, q, &LuAvSettingPopup::inputDeviceChanged);
    QObject::connect(ui->audioOutputBox, &QComboBox::currentIndexChanged, q, &LuAvSettingPopup::outputDeviceChanged);

    fillDevices(ui->cameraBox, McMediaManager::listCameraDevices(), storedValue(kVideoGroup, kCameraKey));
    QObject::connect(ui->cameraBox, &QComboBox::currentIndexChanged, q, &LuAvSettingPopup::cameraIndexChanged);

    fillMusic();
    QObject::connect(ui->bkgndMusicBox, &QComboBox::currentIndexChanged, q, &LuAvSettingPopup::bgmusicIndexChanged);

    q->setObjectName(QStringLiteral("AvSettingPopup"));
    q->setFixedSize(260, 130);
}

void LuAvSettingPopupPrivate::fillDevices(QComboBox* box, const McDeviceList& devices, const QString& stored)
{
    int selected = 0;
    for (const std::wstring& device : devices) {
        const QString name = QString::fromStdWString(device);
        if (name == stored)
            selected = box->count();
        box->addItem(name);
    }
    box->setCurrentIndex(selected);
}

void LuAvSettingPopupPrivate::fillMusic()
{
    const LuBgMusicManager* music = LuBgMusicManager::instance();
    const QString currentName = music->currentItem().name();
    QComboBox* box = ui->bkgndMusicBox;

    box->addItem(LuAvSettingPopup::tr("No background music"));
    int selected = -1;
    const QList<LuBgMusicItem> items = music->items();
    for (const LuBgMusicItem& item : items) {
        if (selected < 0 && item.name() == currentName)
            selected = box->count();
        box->addItem(item.name());
    }
    box->addItem(LuAvSettingPopup::tr("Other music player"));

    // A current player that is not configured was picked from disk.
    if (selected < 0)
        selected = currentName.isEmpty() ? 0 : box->count() - 1;
    box->setCurrentIndex(selected);
    musicIndex = selected;
}

void LuAvSettingPopupPrivate::retranslateMusic()
{
    QComboBox* box = ui->bkgndMusicBox;
    if (!box || box->count() < 2)
        return;
    box->setItemText(0, LuAvSettingPopup::tr("No background music"));
    box->setItemText(box->count() - 1, LuAvSettingPopup::tr("Other music player"));
}

QString LuAvSettingPopupPrivate::chooseMusicPlayer()
{
    Q_Q(LuAvSettingPopup);
    const QString caption = LuAvSettingPopup::tr("Choose Music Player");
    const QString filter = LuAvSettingPopup::tr("Exe Files(*.exe)");
    // The modal dialog takes the activation away; the popup must stay open meanwhile.
    fileDialogOpen = true;
    const QString path
        = fileChooser ? fileChooser(q, caption, filter) : QFileDialog::getOpenFileName(q, caption, QString(), filter);
    fileDialogOpen = false;
    return path;
}

McMediaManagerQt* LuAvSettingPopupPrivate::manager() const
{
    return mediaManager.data();
}

LuAvSettingPopup::LuAvSettingPopup(QWidget* parent)
    : QFrame(parent, Qt::Window | Qt::FramelessWindowHint)
    , d_ptr(new LuAvSettingPopupPrivate(this))
{
    Q_D(LuAvSettingPopup);
    d->init();
}

LuAvSettingPopup::~LuAvSettingPopup() = default;

void LuAvSettingPopup::setMediaManager(McMediaManagerQt* manager)
{
    Q_D(LuAvSettingPopup);
    d->mediaManager = manager;
}

void LuAvSettingPopup::inputDeviceChanged(int index)
{
    Q_D(LuAvSettingPopup);
    if (index < 0)
        return;
    const QString output = d->storedValue(kAudioGroup, kOutputKey);
    const QString name = d->ui->audioInputBox->itemText(index);
    McMediaManagerQt* manager = d->manager();
    if (manager && manager->isAudioCaptureStarted() && name != QString::fromStdWString(manager->waveInDevice())) {
        manager->stopAudioCapture();
        manager->setAudioDevice(name.toStdWString().c_str(), output.toStdWString().c_str());
        manager->startAudioCapture();
    }
    d->storeValue(kAudioGroup, kInputKey, name);
}

void LuAvSettingPopup::outputDeviceChanged(int index)
{
    Q_D(LuAvSettingPopup);
    if (index < 0)
        return;
    const QString input = d->storedValue(kAudioGroup, kInputKey);
    const QString name = d->ui->audioOutputBox->itemText(index);
    McMediaManagerQt* manager = d->manager();
    if (manager && manager->isAudioCaptureStarted() && name != QString::fromStdWString(manager->waveOutDevice())) {
        manager->stopAudioCapture();
        manager->setAudioDevice(input.toStdWString().c_str(), name.toStdWString().c_str());
        manager->startAudioCapture();
    }
    d->storeValue(kAudioGroup, kOutputKey, name);
}

void LuAvSettingPopup::cameraIndexChanged(int index)
{
    Q_D(LuAvSettingPopup);
    if (index < 0)
        return;
    const QString name = d->ui->cameraBox->itemText(index);
    McMediaManagerQt* manager = d->manager();
    if (manager && manager->isVideoCaptureStarted() && name != QString::fromStdWString(manager->cameraDevice())) {
        manager->stopVideoCapture();
        manager->startVideoCapture(name.toStdWString().c_str());
    }
    d->storeValue(kVideoGroup, kCameraKey, name);
}

void LuAvSettingPopup::bgmusicIndexChanged(int index)
{
    Q_D(LuAvSettingPopup);
    QComboBox* box = d->ui->bkgndMusicBox;
    if (index < 0)
        return;

    LuBgMusicItem item;
    if (index == box->count() - 1) {
        const QPointer<LuAvSettingPopup> alive(this);
        const QString path = d->chooseMusicPlayer();
        if (!alive)
            return;
        if (path.isEmpty()) {
            // Cancelled: the player chosen before stays, and keeps playing.
            const QSignalBlocker blocker(box);
            box->setCurrentIndex(d->musicIndex);
            return;
        }
        item = LuBgMusicItem(path);
    } else if (index > 0) {
        item = LuBgMusicManager::instance()->item(index - 1);
    }
    d->musicIndex = index;
    LuBgMusicManager::instance()->setCurrentItem(item);
}

bool LuAvSettingPopup::event(QEvent* event)
{
    Q_D(LuAvSettingPopup);
    switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::ApplicationDeactivate:
        if (!d->fileDialogOpen)
            close();
        break;
    case QEvent::LanguageChange:
        if (d->ui->bkgndMusicBox) {
            d->ui->retranslateUi(this);
            d->retranslateMusic();
        }
        break;
    default:
        break;
    }
    return QFrame::event(event);
}

void LuAvSettingPopup::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}
