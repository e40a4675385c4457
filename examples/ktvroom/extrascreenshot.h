#ifndef KTVROOM_EXTRASCREENSHOT_H
#define KTVROOM_EXTRASCREENSHOT_H

#include <QString>

class QWidget;

// Windows of their own (popups, dialogs) do not show in a page's picture. In screenshot
// mode a page writes them as extra pictures "<name>.png" beside the pages' pictures.
// Does nothing outside screenshot mode; false when the picture could not be written.
bool saveExtraScreenshot(QWidget* window, const QString& name);

#endif
