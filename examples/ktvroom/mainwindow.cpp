#include "mainwindow.h"
#include "chatpage.h"
#include "environmentpage.h"
#include "extrascreenshot.h"
#include "garagepage.h"
#include "giftpage.h"
#include "pluginpage.h"
#include "prizepage.h"
#include "videopage.h"

#include <lukbase/lukbase.h>

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>

#include <memory>

namespace {

// The languages of the menu and of the screenshots: locale and the name it is offered by.
const struct
{
    const char* locale;
    const char* name;
} kLanguages[] = {
    { "en", "English" },
    { "zh_CN", "\xe4\xb8\xad\xe6\x96\x87" },
};

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_tabs(new QTabWidget(this))
    , m_languages(new QActionGroup(this))
{
    setWindowTitle(QStringLiteral("ktvroom: lukbase sandbox"));
    setCentralWidget(m_tabs);
    resize(900, 640);
    buildLanguageMenu();

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

void MainWindow::buildLanguageMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Language"));
    for (const auto& language : kLanguages) {
        const QString locale = QString::fromLatin1(language.locale);
        QAction* action = menu->addAction(QString::fromUtf8(language.name));
        action->setCheckable(true);
        action->setData(locale);
        m_languages->addAction(action);
        connect(action, &QAction::triggered, this, [this, locale] { setLanguage(locale); });
    }
}

void MainWindow::setLanguage(const QString& locale)
{
    // Removing and installing translators sends every widget a change of language: the
    // library's widgets translate themselves anew, nothing is rebuilt.
    for (QTranslator* translator : std::as_const(m_translators)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    m_translators.clear();
    const QList<std::pair<QString, QString>> files {
        { QStringLiteral("lukbase_") + locale, LuKBase::translationsDirectory() },
        { QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath) },
    };
    for (const auto& [name, directory] : files) {
        auto* translator = new QTranslator(this);
        if (translator->load(name, directory) && QCoreApplication::installTranslator(translator))
            m_translators.append(translator);
        else
            delete translator;
    }
    const QList<QAction*> actions = m_languages->actions();
    for (QAction* action : actions)
        action->setChecked(action->data().toString() == locale);
}

void MainWindow::takeScreenshots(const QString& directory, const std::function<void(int failures)>& done)
{
    auto shot = std::make_shared<Shot>();
    shot->directory = directory;
    shot->done = done;
    screenshotLanguage(0, shot);
}

void MainWindow::screenshotLanguage(int language, const std::shared_ptr<Shot>& shot)
{
    if (language >= int(std::size(kLanguages))) {
        setScreenshotDirectory(QString());
        shot->done(shot->failures);
        return;
    }
    const QString locale = QString::fromLatin1(kLanguages[language].locale);
    const QString directory = QDir(shot->directory).filePath(locale);
    QDir().mkpath(directory);
    setScreenshotDirectory(directory);
    setLanguage(locale);
    screenshotPage(0, language, shot);
}

void MainWindow::screenshotPage(int index, int language, const std::shared_ptr<Shot>& shot)
{
    if (index >= m_tabs->count()) {
        screenshotLanguage(language + 1, shot);
        return;
    }
    m_tabs->setCurrentIndex(index);
    auto* page = static_cast<SandboxPage*>(m_tabs->widget(index));
    page->prepareScreenshot([=] {
        // Let layouts and pending repaints settle before the picture is taken.
        QTimer::singleShot(50, this, [=] {
            const QString base
                = QDir(QDir(shot->directory).filePath(QString::fromLatin1(kLanguages[language].locale)))
                      .filePath(QStringLiteral("%1-%2")
                                    .arg(index + 1, 2, 10, QLatin1Char('0'))
                                    .arg(page->title().toLower().replace(QLatin1Char(' '), QLatin1Char('-'))));
            shot->failures += savePicture(base + QLatin1String(".png"), 1) ? 0 : 1;
            if (!page->screenshotAtDoubleRatio()) {
                screenshotPage(index + 1, language, shot);
                return;
            }
            // Pages that mirror windows of their own refresh the mirrors at the new ratio.
            setScreenshotRatio(2);
            QTimer::singleShot(250, this, [=] {
                shot->failures += savePicture(base + QLatin1String("@2x.png"), 2) ? 0 : 1;
                setScreenshotRatio(0);
                screenshotPage(index + 1, language, shot);
            });
        });
    });
}

bool MainWindow::savePicture(const QString& path, qreal ratio)
{
    setScreenshotRatio(ratio);
    const bool saved = renderPicture(this).save(path);
    setScreenshotRatio(0);
    qInfo("%s %s", saved ? "wrote" : "could not write", qPrintable(QDir::toNativeSeparators(path)));
    return saved;
}
