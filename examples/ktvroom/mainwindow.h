#ifndef KTVROOM_MAINWINDOW_H
#define KTVROOM_MAINWINDOW_H

#include <QMainWindow>

#include <functional>

class QTabWidget;
class SandboxPage;

// The sandbox's main window: one tab per page.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Renders every page into directory as "NN-<title>.png", then calls done with the
    // number of pictures that could not be written.
    void takeScreenshots(const QString& directory, const std::function<void(int failures)>& done);

private:
    void addPage(SandboxPage* page);
    void screenshotPage(
        int index, const QString& directory, int failures, const std::function<void(int failures)>& done);

    QTabWidget* m_tabs;
};

#endif
