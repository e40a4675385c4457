#include "mainwindow.h"
#include "chatpage.h"
#include "environmentpage.h"
#include "garagepage.h"
#include "giftpage.h"
#include "pluginpage.h"
#include "prizepage.h"
#include "videopage.h"

#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_tabs(new QTabWidget(this))
{
    setWindowTitle(QStringLiteral("ktvroom: lukbase sandbox"));
    setCentralWidget(m_tabs);
    resize(900, 640);

    // Pages, in the order of the tab bar.
    addPage(new EnvironmentPage);
    addPage(new GiftPage);
    addPage(new PrizePage);
    addPage(new GaragePage);
    addPage(new ChatPage);
    addPage(new VideoPage);
    addPage(new PluginPage);
}

void MainWindow::addPage(SandboxPage* page)
{
    m_tabs->addTab(page, page->title());
}

void MainWindow::takeScreenshots(const QString& directory, const std::function<void(int failures)>& done)
{
    QDir().mkpath(directory);
    screenshotPage(0, directory, 0, done);
}

void MainWindow::screenshotPage(
    int index, const QString& directory, int failures, const std::function<void(int failures)>& done)
{
    if (index >= m_tabs->count()) {
        done(failures);
        return;
    }
    m_tabs->setCurrentIndex(index);
    auto* page = static_cast<SandboxPage*>(m_tabs->widget(index));
    page->prepareScreenshot([=] {
        // Let layouts and pending repaints settle before the picture is taken.
        QTimer::singleShot(50, this, [=] {
            const QString name = QStringLiteral("%1-%2.png")
                                     .arg(index + 1, 2, 10, QLatin1Char('0'))
                                     .arg(page->title().toLower().replace(QLatin1Char(' '), QLatin1Char('-')));
            const QString path = QDir(directory).filePath(name);
            const bool saved = grab().save(path);
            qInfo("%s %s", saved ? "wrote" : "could not write", qPrintable(QDir::toNativeSeparators(path)));
            screenshotPage(index + 1, directory, failures + (saved ? 0 : 1), done);
        });
    });
}
