#ifndef KTVROOM_MAINWINDOW_H
#define KTVROOM_MAINWINDOW_H

#include <QMainWindow>
#include <QStringList>

#include <functional>

class QActionGroup;
class QTabWidget;
class QTranslator;
class SandboxPage;

// The sandbox's main window: one tab per page, and a menu that switches the language of
// the library's texts (and Qt's own) while the window is open.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Shows the texts in locale ("en" for the untranslated source texts, "zh_CN").
    void setLanguage(const QString& locale);

    // Renders every page, in each language, into directory/<locale>/ as "NN-<title>.png"
    // (and "NN-<title>@2x.png" at device pixel ratio 2 for the pages that ask for it),
    // then calls done with the number of pictures that could not be written.
    void takeScreenshots(const QString& directory, const std::function<void(int failures)>& done);

private:
    struct Shot
    {
        QString directory;
        int failures = 0;
        std::function<void(int failures)> done;
    };

    void addPage(SandboxPage* page);
    void buildLanguageMenu();
    void screenshotLanguage(int language, const std::shared_ptr<Shot>& shot);
    void screenshotPage(int index, int language, const std::shared_ptr<Shot>& shot);
    bool savePicture(const QString& path, qreal ratio);

    QTabWidget* m_tabs;
    QActionGroup* m_languages;
    QList<QTranslator*> m_translators;
};

#endif
