#ifndef LUKBASE_LUBGMUSICITEM_H
#define LUKBASE_LUBGMUSICITEM_H

#include <lukbase/lukbase_export.h>

#include <QString>

/**
 * One background-music player: its display name, the registry key under which the
 * installed player records its executable, and the executable's file name.
 *
 * A player that the user picked from disk has the executable's full path as its name and
 * an empty registry key. An item with an empty name stands for no background music.
 */
class LUKBASE_EXPORT LuBgMusicItem
{
public:
    /** The empty item: no background music. */
    LuBgMusicItem();
    /**
     * An item of the three texts.
     * @param name the display name, or the executable's full path for a player picked from disk
     * @param regkey the registry key of the installed player; empty for one picked from disk
     * @param exename the file name of the player's executable
     */
    explicit LuBgMusicItem(const QString& name, const QString& regkey = QString(), const QString& exename = QString());

    /** @return the display name, or the executable's full path for a player picked from disk */
    QString name() const;
    /** @return the registry key whose value "DisplayIcon" names the installed executable; may be empty */
    QString regkey() const;
    /** @return the file name of the player's executable (its process image name); may be empty */
    QString exename() const;

private:
    QString m_name;
    QString m_regkey;
    QString m_exename;
};

#endif
