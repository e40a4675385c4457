#include "extrascreenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace {

// The directory given with --screenshot, empty outside screenshot mode.
QString screenshotDirectory()
{
    const QStringList arguments = QCoreApplication::arguments();
    const QString option = QStringLiteral("--screenshot");
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == option && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (arguments.at(i).startsWith(option + QLatin1Char('=')))
            return arguments.at(i).mid(option.size() + 1);
    }
    return QString();
}

} // namespace

bool saveExtraScreenshot(QWidget* window, const QString& name)
{
    const QString directory = screenshotDirectory();
    if (directory.isEmpty())
        return true;
    const QString path = QDir(directory).filePath(name + QLatin1String(".png"));
    const bool saved = window->grab().save(path);
    qInfo("%s %s", saved ? "wrote" : "could not write", qPrintable(QDir::toNativeSeparators(path)));
    return saved;
}
