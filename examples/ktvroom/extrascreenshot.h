#ifndef KTVROOM_EXTRASCREENSHOT_H
#define KTVROOM_EXTRASCREENSHOT_H

#include <QPixmap>
#include <QString>

class QWidget;

// Where and how the pictures of --screenshot are taken: the directory of the language being
// photographed (empty outside screenshot mode) and the device pixel ratio of the picture
// being taken (0 outside it: then the screen's).
void setScreenshotDirectory(const QString& directory);
void setScreenshotRatio(qreal ratio);

// widget rendered at the screenshot's device pixel ratio, or at its screen's.
QPixmap renderPicture(QWidget* widget);

// Windows of their own (popups, dialogs) do not show in a page's picture. In screenshot
// mode a page writes them as extra pictures "<name>.png" beside the pages' pictures.
// Does nothing outside screenshot mode; false when the picture could not be written.
bool saveExtraScreenshot(QWidget* window, const QString& name);

#endif
