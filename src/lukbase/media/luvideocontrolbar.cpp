#include "luvideocontrolbar.h"

#include <darivad/mcmediaprocessqt.h>
#include <darivad/mcmediatransferqt.h>
#include <darivad/mctransstatuswidget.h>

#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>

namespace {

const char kNameProperty[] = "_lukbase_name";
const char kToolTipProperty[] = "_lukbase_withToolTip";

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

    videoOnButton = addButton(layout, QStringLiteral(":/pics/videoon.png"), QT_TR_NOOP("Video On"));
    connect(videoOnButton, &QToolButton::clicked, this, &LuVideoControlBar::videoOnClicked);
    videoOffButton = addButton(layout, QStringLiteral(":/pics/videooff.png"), QT_TR_NOOP("Video Off"));
    connect(videoOffButton, &QToolButton::clicked, this, &LuVideoControlBar::videoOffClicked);
    audioOnButton = addButton(layout, QStringLiteral(":/pics/audioon.png"), QT_TR_NOOP("Audio On"));
    connect(audioOnButton, &QToolButton::clicked, this, &LuVideoControlBar::audioOnClicked);
    audioOffButton = addButton(layout, QStringLiteral(":/pics/audiooff.png"), QT_TR_NOOP("Audio Off"));
    connect(audioOffButton, &QToolButton::clicked, this, &LuVideoControlBar::audioOffClicked);
    takePhotoButton = addButton(layout, QStringLiteral(":/pics/takepic.png"), QT_TR_NOOP("Take Photo"));
    connect(takePhotoButton, &QToolButton::clicked, this, &LuVideoControlBar::takePhoto);
    QToolButton* small = addButton(layout, QStringLiteral(":/pics/videosmall.png"), QT_TR_NOOP("Zoom Out"));
    connect(small, &QToolButton::clicked, this, &LuVideoControlBar::smallVideo);
    QToolButton* large = addButton(layout, QStringLiteral(":/pics/videolarge.png"), QT_TR_NOOP("Zoom In"));
    connect(large, &QToolButton::clicked, this, &LuVideoControlBar::largeVideo);

    layout->addSpacerItem(new QSpacerItem(10, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    if (statusWidget) {
        layout->addWidget(statusWidget);
    } else {
        // Without tooltips, as the host's bars always were; screen readers still get a name.
        showPopupButton
            = addButton(layout, QStringLiteral(":/pics/videoshowpopup.png"), QT_TR_NOOP("Show Popup"), false);
        connect(showPopupButton, &QToolButton::clicked, this, &LuVideoControlBar::showPopup);
        hidePopupButton
            = addButton(layout, QStringLiteral(":/pics/videohidepopup.png"), QT_TR_NOOP("Hide Popup"), false);
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

QToolButton* LuVideoControlBar::addButton(QBoxLayout* layout, const QString& icon, const char* name, bool withToolTip)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("ChatToolButton"));
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(18, 18));
    button->setFixedSize(20, 20);
    // The untranslated name, so that a change of language can translate it anew.
    button->setProperty(kNameProperty, QByteArray(name));
    button->setProperty(kToolTipProperty, withToolTip);
    nameButton(button);
    layout->addWidget(button);
    return button;
}

void LuVideoControlBar::nameButton(QToolButton* button)
{
    // The buttons show only icons: the name is the tooltip and what screen readers say.
    const QString name = tr(button->property(kNameProperty).toByteArray().constData());
    button->setAccessibleName(name);
    if (button->property(kToolTipProperty).toBool())
        button->setToolTip(name);
}

void LuVideoControlBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        const QList<QToolButton*> buttons = findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
        for (QToolButton* button : buttons) {
            if (button->property(kNameProperty).isValid())
                nameButton(button);
        }
    }
    LuHoverWidget::changeEvent(event);
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
