#ifndef LUKBASE_LUBGMUSICMANAGER_H
#define LUKBASE_LUBGMUSICMANAGER_H

#include <lukbase/lubgmusicitem.h>
#include <lukbase/lukbase_export.h>

#include <QList>
#include <QObject>

class McMediaManager;
class LuBgMusicManagerPrivate;

/**
 * Keeps the user's background-music player: which players are supported and installed,
 * which one is chosen, and, while music is started, the sound hook injected into the
 * player's process so that the media manager can capture its sound.
 *
 * The supported players come from the host's resource ":/config/bgmusic.xml": a document
 * element of any name whose direct "item" children carry the attributes "name", "regkey"
 * and "exename". A player is offered only when the registry value "DisplayIcon" under its
 * key is found. Nothing is stored: the choice lasts as long as the process.
 *
 * Use it from the GUI thread only.
 */
class LUKBASE_EXPORT LuBgMusicManager : public QObject
{
    Q_OBJECT

public:
    /** @return the process-wide manager, built (and its configuration read) on the first call */
    static LuBgMusicManager* instance();

    /**
     * A manager with the installed players of ":/config/bgmusic.xml", nothing chosen, stopped.
     * @param parent the parent object
     */
    explicit LuBgMusicManager(QObject* parent = nullptr);
    /** Releases the hooked player, if any. The player program itself keeps running. */
    ~LuBgMusicManager() override;

    /** @return the installed players, in the order of the configuration file */
    QList<LuBgMusicItem> items() const;
    /**
     * One installed player.
     * @param index a position in items()
     * @return the player at @p index; the empty item when @p index is out of range
     */
    LuBgMusicItem item(int index) const;

    /** @return the chosen player; the empty item while none is chosen */
    LuBgMusicItem currentItem() const;
    /**
     * Chooses a player. While music is started the old player is released and the new one
     * started and hooked at once.
     * @param item the player; the empty item only releases the old one
     */
    void setCurrentItem(const LuBgMusicItem& item);

    /** Starts (or finds) the chosen player and hooks its sound; does nothing when already started. */
    void startMusic();
    /** Releases the hooked player; does nothing when not started. */
    void stopMusic();

    /**
     * Sets the media manager told to capture the hooked player's sound.
     * @param manager the manager, not owned; one that is a QObject (McMediaManagerQt) is
     *        forgotten when it is destroyed; may be null
     */
    void setMediaManager(McMediaManager* manager);
    /** @return the media manager told to capture the hooked player's sound; null when none */
    McMediaManager* mediaManager() const;

private:
    Q_DECLARE_PRIVATE(LuBgMusicManager)
    const QScopedPointer<LuBgMusicManagerPrivate> d_ptr;
};

#endif
