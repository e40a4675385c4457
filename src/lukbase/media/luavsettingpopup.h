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
    /** Builds the popup as a frameless top-level window over @p parent. */
    explicit LuAvSettingPopup(QWidget* parent = nullptr);
    ~LuAvSettingPopup() override;

    /**
     * The media manager whose capture follows the user's device changes; not owned, and
     * forgotten when it is destroyed. Without one, changes are only stored.
     */
    void setMediaManager(McMediaManagerQt* manager);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private Q_SLOTS:
    void inputDeviceChanged(int index);
    void outputDeviceChanged(int index);
    void cameraIndexChanged(int index);
    void bgmusicIndexChanged(int index);

private:
    Q_DECLARE_PRIVATE(LuAvSettingPopup)
    QScopedPointer<LuAvSettingPopupPrivate> d_ptr;
};

#endif
