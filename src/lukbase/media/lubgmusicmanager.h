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
    /** The process-wide manager, built (and its configuration read) on the first call. */
    static LuBgMusicManager* instance();

    /** A manager with the installed players of ":/config/bgmusic.xml", nothing chosen, stopped. */
    explicit LuBgMusicManager(QObject* parent = nullptr);
    /** Releases the hooked player, if any. The player program itself keeps running. */
    ~LuBgMusicManager() override;

    /** The installed players, in the order of the configuration file. */
    QList<LuBgMusicItem> items() const;
    /** The player at @p index of items(); the empty item when @p index is out of range. */
    LuBgMusicItem item(int index) const;

    /** The chosen player; the empty item while none is chosen. */
    LuBgMusicItem currentItem() const;
    /**
     * Chooses @p item. While music is started the old player is released and the new one
     * started and hooked at once; the empty item only releases the old one.
     */
    void setCurrentItem(const LuBgMusicItem& item);

    /** Starts (or finds) the chosen player and hooks its sound; does nothing when already started. */
    void startMusic();
    /** Releases the hooked player; does nothing when not started. */
    void stopMusic();

    /**
     * The media manager told to capture the hooked player's sound; not owned. A manager
     * that is a QObject (McMediaManagerQt) is forgotten when it is destroyed.
     */
    void setMediaManager(McMediaManager* manager);
    McMediaManager* mediaManager() const;

private:
    Q_DECLARE_PRIVATE(LuBgMusicManager)
    QScopedPointer<LuBgMusicManagerPrivate> d_ptr;
};

#endif
