#ifndef LUKBASE_LUBGMUSICMANAGER_P_H
#define LUKBASE_LUBGMUSICMANAGER_P_H

#include "lubgmusicmanager.h"

#include <QPointer>

#include <memory>

class ProcessHooker;

class LuBgMusicManagerPrivate
{
    Q_DECLARE_PUBLIC(LuBgMusicManager)

public:
    explicit LuBgMusicManagerPrivate(LuBgMusicManager* q);
    ~LuBgMusicManagerPrivate();

    void loadConfig();
    void startPlayer();
    void releaseHooker();
    McMediaManager* liveMediaManager() const;

    // The executable's image name: exename, else the last component of a picked path.
    static QString processName(const LuBgMusicItem& item);

    LuBgMusicManager* const q_ptr;
    QList<LuBgMusicItem> items;
    LuBgMusicItem current;
    McMediaManager* mediaManager = nullptr;
    // Set when the media manager is a QObject, so that its destruction is noticed.
    QPointer<QObject> mediaManagerGuard;
    bool mediaManagerIsObject = false;
    std::unique_ptr<ProcessHooker> hooker;
    bool started = false;
};

#endif
