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
     * Builds the bar over a video picture for the stream of @p transfer and @p process.
     * @param transfer the stream's media transfer, not owned; may be null when @p process is not
     * @param process the stream's media process, not owned; when given, its refuse mask is
     *        the one edited
     * @param statusWidget shown at the bar's end in place of the popup buttons; may be null
     * @param parent the video widget the bar hovers over
     */
    LuVideoControlBar(McMediaTransferQt* transfer, McMediaProcessQt* process, McTransStatusWidget* statusWidget,
        QWidget* parent = nullptr);
    /** Destroys the bar. */
    ~LuVideoControlBar() override;

    /**
     * Sets the user whose video this is.
     * @param userid the user's id; "Take Photo" is offered only for an id other than 0
     */
    void setUserid(int userid);

    /**
     * Shows the audio button's state; the refuse mask is not touched.
     * @param on true for "Audio On", false for "Audio Off"
     */
    void enableAudio(bool on);
    /**
     * Shows the video button's state; the refuse mask is not touched.
     * @param on true for "Video On", false for "Video Off"
     */
    void enableVideo(bool on);
    /**
     * Shows one of the two popup buttons. Bars with a status widget ignore it.
     * @param shown true while the popup is shown: the bar offers to hide it
     */
    void setShowPopup(bool shown);

    /** Shows the On/Off buttons for the refuse mask in force. */
    void updateRefuseData();

    /** @return whether audio is accepted (shown as "Audio On") */
    bool audioEnabled() const;
    /** @return whether video is accepted (shown as "Video On") */
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
    /**
     * Retranslates the buttons' names and tooltips on a change of language.
     * @param event the change event
     */
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
