#ifndef LUKBASE_LUAVSETTINGPOPUP_H
#define LUKBASE_LUAVSETTINGPOPUP_H

#include <lucore/luobject.h>
#include <lukbase/lukbase_export.h>

#include <QFrame>

class McMediaManagerQt;
class LuAvSettingPopupPrivate;

/**
 * A small frameless panel in which the user picks the camera, the microphone, the
 * speakers and the background-music player.
 *
 * The device lists come from the media engine and are filled once, when the popup is
 * built, with the user's stored choices selected. A change is applied at once to a running
 * capture (stop, change, start) and stored in the user's settings (groups "Audio" and
 * "Video" of LuKBase::userSettings()); the player goes to LuBgMusicManager::instance().
 * "Other music player" lets the user pick a program from disk; cancelling keeps the player
 * chosen before.
 *
 * The popup closes on Escape and whenever it loses activation, except while the
 * program chooser is open. Closing hides it; the host owns and deletes it.
 */
class LUKBASE_EXPORT LuAvSettingPopup : public QFrame, public LuObject
{
    Q_OBJECT

public:
    /**
     * Builds the popup as a frameless top-level window, with the device lists filled and the
     * user's stored choices selected.
     * @param parent the widget the popup belongs to
     */
    explicit LuAvSettingPopup(QWidget* parent = nullptr);
    /** Destroys the popup. */
    ~LuAvSettingPopup() override;

    /**
     * Sets the media manager whose capture follows the user's device changes. Without one,
     * changes are only stored.
     * @param manager the manager, not owned and forgotten when it is destroyed; may be null
     */
    void setMediaManager(McMediaManagerQt* manager);

protected:
    /**
     * Closes the popup when it loses activation (except while the program chooser is open)
     * and retranslates it when the language changes.
     * @param event the event
     * @return whether the event was handled
     */
    bool event(QEvent* event) override;
    /**
     * Closes the popup on Escape.
     * @param event the key event
     */
    void keyPressEvent(QKeyEvent* event) override;

private Q_SLOTS:
    void inputDeviceChanged(int index);
    void outputDeviceChanged(int index);
    void cameraIndexChanged(int index);
    void bgmusicIndexChanged(int index);

private:
    Q_DECLARE_PRIVATE(LuAvSettingPopup)
    const QScopedPointer<LuAvSettingPopupPrivate> d_ptr;
};

#endif
