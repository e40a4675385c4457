#ifndef LUKBASE_LUVIDEOCONTROLBAR_H
#define LUKBASE_LUVIDEOCONTROLBAR_H

#include <lucore/luhoverwidget.h>
#include <lukbase/lukbase_export.h>

#include <QPointer>

class McMediaProcessQt;
class McMediaTransferQt;
class McRefusable;
class McTransStatusWidget;
class QBoxLayout;
class QToolButton;

/**
 * The strip of small buttons shown over a video picture while the pointer is there:
 * video and audio on and off, take a photo, zoom out and in, and on the right either the
 * media engine's transfer status widget or a pair of buttons that show and hide a popup.
 *
 * Audio and video refusal is not kept here. The bar edits the refuse mask of the stream's
 * media process, or of its media transfer when there is no process (bit 0x1 refuses audio,
 * bit 0x2 video), and redraws the On/Off buttons when that object reports with
 * refuseResult() that the request was settled.
 *
 * The buttons carry the object name "ChatToolButton" for the host's style sheet and the
 * host's icons ":/pics/videoon.png", "videooff.png", "audioon.png", "audiooff.png",
 * "takepic.png", "videosmall.png", "videolarge.png", "videoshowpopup.png" and
 * "videohidepopup.png".
 */
class LUKBASE_EXPORT LuVideoControlBar : public LuHoverWidget
{
    Q_OBJECT

public:
    /**
     * Builds the bar over @p parent for the stream of @p transfer and @p process (at
     * least one of them; neither is owned). With a @p statusWidget the bar shows it at its
     * end and has no popup buttons; without, it shows the popup buttons.
     */
    LuVideoControlBar(McMediaTransferQt* transfer, McMediaProcessQt* process, McTransStatusWidget* statusWidget,
        QWidget* parent = nullptr);
    ~LuVideoControlBar() override;

    /** The user whose video this is; "Take Photo" is offered only for a user id other than 0. */
    void setUserid(int userid);

    /** Shows "Audio On" (@p on) or "Audio Off"; the refuse mask is not touched. */
    void enableAudio(bool on);
    /** Shows "Video On" (@p on) or "Video Off"; the refuse mask is not touched. */
    void enableVideo(bool on);
    /** Shows the button that hides the popup (@p shown) or the one that shows it. Bars with a status widget ignore it.
     */
    void setShowPopup(bool shown);

    /** Shows the On/Off buttons for the refuse mask in force. */
    void updateRefuseData();

    /** Whether audio is accepted (shown as "Audio On"). */
    bool audioEnabled() const;
    /** Whether video is accepted (shown as "Video On"). */
    bool videoEnabled() const;

Q_SIGNALS:
    /** For the host's own use; the bar does not emit it. */
    void videoRecord();
    /** For the host's own use; the bar does not emit it. */
    void audioRecord();
    /** "Take Photo" was clicked. */
    void takePhoto();
    /** "Zoom Out" was clicked. */
    void smallVideo();
    /** "Zoom In" was clicked. */
    void largeVideo();
    /** The show-popup button was clicked. */
    void showPopup();
    /** The hide-popup button was clicked. */
    void hidePopup();

protected:
    void changeEvent(QEvent* event) override;

private Q_SLOTS:
    void videoOnClicked();
    void videoOffClicked();
    void audioOnClicked();
    void audioOffClicked();
    void refuseResult(int data_types);

private:
    QToolButton* addButton(QBoxLayout* layout, const QString& icon, const char* name, bool withToolTip = true);
    void nameButton(QToolButton* button);
    McRefusable* refuseSource() const;
    void changeRefuseRequest(unsigned bit, bool refuse);

    McMediaTransferQt* transfer;
    McMediaProcessQt* process;
    QToolButton* videoOnButton = nullptr;
    QToolButton* audioOnButton = nullptr;
    QToolButton* videoOffButton = nullptr;
    QToolButton* audioOffButton = nullptr;
    QToolButton* showPopupButton = nullptr;
    QToolButton* hidePopupButton = nullptr;
    QToolButton* takePhotoButton = nullptr;
    int userid = 0;
    bool audioAccepted = true;
    bool videoAccepted = true;
    // The refuse source as a QObject, so that a source destroyed before the bar is not used.
    QPointer<QObject> sourceObject;
};

#endif
