#include "extrascreenshot.h"

#include <QDir>
#include <QWidget>

namespace {
QString g_directory;
qreal g_ratio = 0;
} // namespace

void setScreenshotDirectory(const QString& directory)
{
    g_directory = directory;
}

void setScreenshotRatio(qreal ratio)
{
    g_ratio = ratio;
}

QPixmap renderPicture(QWidget* widget)
{
    const qreal ratio = g_ratio > 0 ? g_ratio : widget->devicePixelRatioF();
    QPixmap picture(widget->size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    widget->render(&picture);
    return picture;
}

bool saveExtraScreenshot(QWidget* window, const QString& name)
{
    if (g_directory.isEmpty())
        return true;
    const QString path = QDir(g_directory).filePath(name + QLatin1String(".png"));
    const bool saved = renderPicture(window).save(path);
    qInfo("%s %s", saved ? "wrote" : "could not write", qPrintable(QDir::toNativeSeparators(path)));
    return saved;
}
