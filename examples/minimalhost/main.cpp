// minimalhost: the smallest room client that uses lukbase the way a real host does; the
// host developer's guide quotes it.
//
//   minimalhost                   opens the room window
//   minimalhost --quit            exits once the gift thumbnails have arrived: 0 when every
//                                 step worked as a host expects (for automatic checks)
//   minimalhost --resources DIR   takes the read-only resources from DIR

#include "demofiles.h"
#include "hostwindow.h"

#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QLoggingCategory>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace {

const int kPatienceMs = 20000;

// Quits with 0 once the window has settled, with 1 if a problem showed or time ran out.
void quitWhenSettled(QApplication& app, HostWindow& window, const QStringList& startProblems)
{
    QObject::connect(&window, &HostWindow::settled, &app, [&app, &window, startProblems] {
        const QStringList problems = startProblems + window.problems();
        for (const QString& problem : problems)
            std::fprintf(stderr, "minimalhost: %s\n", qPrintable(problem));
        app.exit(problems.isEmpty() ? 0 : 1);
    });
    QTimer::singleShot(kPatienceMs, &app, [&app, &window] {
        std::fprintf(stderr, "minimalhost: not settled in time: %s\n", qPrintable(window.problems().join(", ")));
        app.exit(1);
    });
}

} // namespace

int main(int argc, char** argv)
{
    //! [start]
    // The application object comes first: the data location is named after the application.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("minimalhost"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    //! [start]

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption quit(QStringLiteral("quit"), QStringLiteral("Exit once the room has settled."));
    const QCommandLineOption resources(
        QStringLiteral("resources"), QStringLiteral("Take the resources from <dir>."), QStringLiteral("dir"));
    parser.addOption(quit);
    parser.addOption(resources);
    parser.process(app);

    //! [resource-root]
    // The resource root defaults to the application's directory.
    if (parser.isSet(resources))
        LuKBase::setResourceDirectory(parser.value(resources));
    //! [resource-root]

    //! [logging]
    // Keep the plug-in lines, drop the other debug lines. QT_LOGGING_RULES, set from
    // outside, still overrides these rules.
    QLoggingCategory::setFilterRules(QStringLiteral("lukbase.*.debug=false\nlukbase.plugins.debug=true"));
    //! [logging]

    //! [initialize]
    LuKBase::initialize();
    // The first call of instance() comes before any other thread can reach the local user.
    LuKtvLocalUser::instance()->setUserId(10001);
    LuKtvLocalUser::instance()->setUsername(QStringLiteral("Mia <3 Karaoke"));
    //! [initialize]

    //! [translations]
    // The library's texts, in the configured locale; installed before any widget is built.
    QTranslator translator;
    const bool translated
        = translator.load(QStringLiteral("lukbase_") + LuKBase::localeName(), LuKBase::translationsDirectory());
    if (translated)
        QApplication::installTranslator(&translator);
    //! [translations]

    QStringList startProblems;
    if (!translated)
        startProblems.append(QStringLiteral("no translation for ") + LuKBase::localeName());
    DemoFiles demo({ 1, 2, 3 });
    if (!demo.isValid())
        startProblems.append(QStringLiteral("the demo files could not be written"));

    int result = 0;
    {
        HostWindow window(demo.iconsPath(), demo.downloadPrefix());
        if (parser.isSet(quit))
            quitWhenSettled(app, window, startProblems);
        window.show();
        result = app.exec();
    }

    //! [finalize]
    // Every window that holds records is gone; the application object still lives.
    LuKBase::finalize();
    //! [finalize]
    return result;
}
