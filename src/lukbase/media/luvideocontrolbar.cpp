#include "luvideocontrolbar.h"

#include <darivad/mcmediaprocessqt.h>
#include <darivad/mcmediatransferqt.h>
#include <darivad/mctransstatuswidget.h>

#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>

namespace {

// Exactly one button of an On/Off pair is visible.
void showOneOf(QToolButton* shown, QToolButton* hidden)
{
    hidden->hide();
    shown->show();
}

} // namespace

LuVideoControlBar::LuVideoControlBar(
    McMediaTransferQt* transfer, McMediaProcessQt* process, McTransStatusWidget* statusWidget, QWidget* parent)
    : LuHoverWidget(parent)
    , transfer(transfer)
    , process(process)
{
    if (process)
        sourceObject = process;
    else
        sourceObject = transfer;

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(3, 0, 3, 0);
    layout->setSpacing(2);

    videoOnButton = addButton(layout, QStringLiteral(":/pics/videoon.png"), tr("Video On"));
    connect(videoOnButton, &QToolButton::clicked, this, &LuVideoControlBar::videoOnClicked);
    videoOffButton = addButton(layout, QStringLiteral(":/pics/videooff.png"), tr("Video Off"));
    connect(videoOffButton, &QToolButton::clicked, this, &LuVideoControlBar::videoOffClicked);
    audioOnButton = addButton(layout, QStringLiteral(":/pics/audioon.png"), tr("Audio On"));
    connect(audioOnButton, &QToolButton::clicked, this, &LuVideoControlBar::audioOnClicked);
    audioOffButton = addButton(layout, QStringLiteral(":/pics/audiooff.png"), tr("Audio Off"));
    connect(audioOffButton, &QToolButton::clicked, this, &LuVideoControlBar::audioOffClicked);
    takePhotoButton = addButton(layout, QStringLiteral(":/pics/takepic.png"), tr("Take Photo"));
    connect(takePhotoButton, &QToolButton::clicked, this, &LuVideoControlBar::takePhoto);
    QToolButton* small = addButton(layout, QStringLiteral(":/pics/videosmall.png"), tr("Zoom Out"));
    connect(small, &QToolButton::clicked, this, &LuVideoControlBar::smallVideo);
    QToolButton* large = addButton(layout, QStringLiteral(":/pics/videolarge.png"), tr("Zoom In"));
    connect(large, &QToolButton::clicked, this, &LuVideoControlBar::largeVideo);

    layout->addSpacerItem(new QSpacerItem(10, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    if (statusWidget) {
        layout->addWidget(statusWidget);
    } else {
        showPopupButton = addButton(layout, QStringLiteral(":/pics/videoshowpopup.png"), QString());
        showPopupButton->setAccessibleName(tr("Show Popup"));
        connect(showPopupButton, &QToolButton::clicked, this, &LuVideoControlBar::showPopup);
        hidePopupButton = addButton(layout, QStringLiteral(":/pics/videohidepopup.png"), QString());
        hidePopupButton->setAccessibleName(tr("Hide Popup"));
        connect(hidePopupButton, &QToolButton::clicked, this, &LuVideoControlBar::hidePopup);
        hidePopupButton->hide();
    }

    videoOffButton->hide();
    audioOffButton->hide();
    takePhotoButton->hide();

    if (process)
        connect(process, &McMediaProcessQt::refuseResult, this, &LuVideoControlBar::refuseResult);
    else if (transfer)
        connect(transfer, &McMediaTransferQt::refuseResult, this, &LuVideoControlBar::refuseResult);

    updateRefuseData();
}

LuVideoControlBar::~LuVideoControlBar() = default;

QToolButton* LuVideoControlBar::addButton(QBoxLayout* layout, const QString& icon, const QString& toolTip)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("ChatToolButton"));
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(18, 18));
    button->setFixedSize(20, 20);
    if (!toolTip.isEmpty()) {
        button->setToolTip(toolTip);
        button->setAccessibleName(toolTip);
    }
    layout->addWidget(button);
    return button;
}

McRefusable* LuVideoControlBar::refuseSource() const
{
    if (!sourceObject)
        return nullptr;
    if (process)
        return process;
    return transfer;
}

void LuVideoControlBar::setUserid(int userid)
{
    this->userid = userid;
    takePhotoButton->setVisible(userid != 0);
}

void LuVideoControlBar::enableAudio(bool on)
{
    audioAccepted = on;
    if (on)
        showOneOf(audioOnButton, audioOffButton);
    else
        showOneOf(audioOffButton, audioOnButton);
}

void LuVideoControlBar::enableVideo(bool on)
{
    videoAccepted = on;
    if (on)
        showOneOf(videoOnButton, videoOffButton);
    else
        showOneOf(videoOffButton, videoOnButton);
}

void LuVideoControlBar::setShowPopup(bool shown)
{
    if (!showPopupButton || !hidePopupButton)
        return;
    if (shown)
        showOneOf(hidePopupButton, showPopupButton);
    else
        showOneOf(showPopupButton, hidePopupButton);
}

void LuVideoControlBar::updateRefuseData()
{
    const McRefusable* source = refuseSource();
    if (!source)
        return;
    const unsigned mask = source->refusedData();
    enableAudio(!(mask & McRefusable::RefuseAudio));
    enableVideo(!(mask & McRefusable::RefuseVideo));
}

bool LuVideoControlBar::audioEnabled() const
{
    return audioAccepted;
}

bool LuVideoControlBar::videoEnabled() const
{
    return videoAccepted;
}

void LuVideoControlBar::changeRefuseRequest(unsigned bit, bool refuse)
{
    // Only the request changes here; the buttons follow once the engine has settled it.
    McRefusable* source = refuseSource();
    if (!source)
        return;
    const unsigned mask = source->getRefuseData();
    source->setRefuseData(refuse ? (mask | bit) : (mask & ~bit));
}

void LuVideoControlBar::videoOnClicked()
{
    changeRefuseRequest(McRefusable::RefuseVideo, true);
}

void LuVideoControlBar::videoOffClicked()
{
    changeRefuseRequest(McRefusable::RefuseVideo, false);
}

void LuVideoControlBar::audioOnClicked()
{
    changeRefuseRequest(McRefusable::RefuseAudio, true);
}

void LuVideoControlBar::audioOffClicked()
{
    changeRefuseRequest(McRefusable::RefuseAudio, false);
}

void LuVideoControlBar::refuseResult(int data_types)
{
    Q_UNUSED(data_types)
    updateRefuseData();
}
