// ktvroom: a small room client that exercises every part of lukbase.
//
//   ktvroom                     opens the window
//   ktvroom --screenshot DIR    renders each page, in English and in Chinese, to
//                               DIR/<locale>/NN-<page>.png and exits (no display needed)
//   ktvroom --gift-prefix URL   fetches the gift pictures from URL instead of the
//                               sandbox's own loopback gift server

#include "mainwindow.h"

#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include <QApplication>
#include <QCommandLineParser>

namespace {

// The screenshot mode must work without a display: pick the offscreen platform unless the
// caller chose one.
bool wantsScreenshots(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--screenshot") == 0 || qstrncmp(argv[i], "--screenshot=", 13) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (wantsScreenshots(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ktvroom"));
    QApplication::setApplicationVersion(QStringLiteral("0.1"));
    QApplication::setOrganizationName(QStringLiteral("lukbase-sandbox"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sandbox room client of lukbase"));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Render every page, in each language, into <dir>/<locale>/ as PNG files and exit."),
        QStringLiteral("dir"));
    QCommandLineOption locale(QStringLiteral("locale"),
        QStringLiteral("Show the texts in <name> (for example en or zh_CN) instead of the configured locale."),
        QStringLiteral("name"));
    QCommandLineOption giftPrefix(QStringLiteral("gift-prefix"),
        QStringLiteral("Fetch the gift pictures from <url> instead of the sandbox's own gift server."),
        QStringLiteral("url"));
    parser.addOption(screenshot);
    parser.addOption(giftPrefix);
    parser.addOption(locale);
    parser.process(app);
    if (parser.isSet(giftPrefix))
        app.setProperty("giftPrefix", parser.value(giftPrefix));

    LuKBase::initialize();
    LuKtvLocalUser::instance()->setUserId(10001);
    LuKtvLocalUser::instance()->setUsername(QStringLiteral("Sandbox Singer"));

    int result = 0;
    {
        MainWindow window;
        window.setLanguage(parser.isSet(locale) ? parser.value(locale) : LuKBase::localeName());
        if (parser.isSet(screenshot)) {
            window.show();
            window.takeScreenshots(parser.value(screenshot), [&](int failures) { app.exit(failures == 0 ? 0 : 1); });
        } else {
            window.show();
        }
        result = app.exec();
    }
    LuKBase::finalize();
    return result;
}
