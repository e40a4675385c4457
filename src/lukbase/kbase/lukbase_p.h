#ifndef LUKBASE_LUKBASE_P_H
#define LUKBASE_LUKBASE_P_H

#include <QString>

class LuGiftStarManager;
class QSettings;

// The environment's process-wide state. Not locked: the library touches it from the
// GUI thread only.
struct LuKBasePrivate
{
    QSettings* appSettings = nullptr;
    QSettings* userSettings = nullptr;
    int userSettingsId = 0;
    LuGiftStarManager* giftStars = nullptr;
    QString resourceDirectory;

    static LuKBasePrivate& instance();
};

#endif
