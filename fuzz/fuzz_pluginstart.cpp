// Plug-in start texts and version files from the room, through the manager's public calls,
// with real plug-in modules that may call back into the manager from inside their calls.
//
// Checked: only a plain module file name in the plug-in's own directory is ever loaded (copies
// of the module wait next to it, one directory up and one down); a start that asks for a
// download loads and starts nothing, and one is asked for exactly when the installed version
// is older than required; a start text that names the module starts it unless the module
// refuses; and every handle is stopped if started and released exactly once.

#include "fuzzsupport.h"

#include <lukbase/lukbase.h>
#include <lukbase/luktvpluginmanager.h>

#include "testjournal.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <vector>

namespace {

const QString kModule = QFileInfo(QStringLiteral(LUKBASE_JOURNALPLUGIN_PATH)).fileName();
constexpr int kIds = 3;
// Plug-in calls that act back on the manager, at most this deep.
constexpr int kMaxDepth = 2;

enum Operation { StartBuiltIn, StartDownloadable, Stop, Show, Hide, Exists, Schemes, AppScheme, Protocol, JoinRoom };

struct Action
{
    Operation operation;
    int id;
    int requiredVersion;
    bool silent;
    QString text;
};

QStringList s_decoys;
LuKtvPluginManager* s_manager = nullptr;
std::vector<Action> s_callbacks;
size_t s_nextCallback = 0;
int s_depth = 0;
// Set while the manager is destroyed, when a start from a plug-in's stop command is refused.
bool s_tearingDown = false;
// The download requests emitted, each with the depth of the call that was running.
QList<std::pair<int, QStringList>> s_downloads;
// The installed version all downloadable plug-ins have this round; -1 when it is not known.
int s_installedVersion = 0;

// A fresh copy, so that a module rebuilt since the last run is the one loaded.
bool copyModule(const QString& directory)
{
    const QString target = QDir(directory).filePath(kModule);
    QFile::remove(target);
    return QDir().mkpath(directory) && QFile::copy(LUKBASE_JOURNALPLUGIN_PATH, target);
}

bool isPlainFileName(const QString& name)
{
    static const QRegularExpression forbidden(QStringLiteral("[/\\\\:\\x{0}]"));
    return !name.isEmpty() && name != QLatin1String("..") && !name.contains(forbidden);
}

// True if the module would refuse the loader arguments of this start text.
bool refuses(const QString& text)
{
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    QByteArray arguments = space < 0 ? QByteArray() : text.mid(space + 1).toUtf8();
    if (arguments.contains('\0'))
        arguments.truncate(arguments.indexOf('\0'));
    return arguments.split(' ').contains("refuse");
}

QString moduleName(const QString& text)
{
    return text.section(QLatin1Char(' '), 0, 0);
}

Action takeAction(FuzzedDataProvider& input)
{
    Action action;
    action.operation = Operation(input.ConsumeIntegralInRange(0, int(JoinRoom)));
    action.id = input.ConsumeIntegralInRange(1, kIds);
    action.requiredVersion = input.ConsumeIntegralInRange(-1, 3);
    action.silent = input.ConsumeBool();
    action.text = Fuzz::takeText(input, 80);
    return action;
}

void checkStart(const Action& action, bool wasRegistered, bool started)
{
    if (s_tearingDown) {
        FUZZ_CHECK(!started, "started while the manager is destroyed" << action.text);
        return;
    }
    if (started)
        FUZZ_CHECK(s_manager->exists(action.id), "started but not registered" << action.text);
    if (wasRegistered)
        return;
    const QString module = moduleName(action.text);
    if (!isPlainFileName(module))
        FUZZ_CHECK(!started, "started from" << action.text);
    else if (module == kModule)
        FUZZ_CHECK(started == !refuses(action.text), "start of" << action.text << "gave" << started);
}

void startDownloadable(const Action& action, bool wasRegistered)
{
    const qsizetype requests = s_downloads.size();
    const qsizetype calls = TestJournal::entries().size();
    const bool started = s_manager->start(action.id, action.requiredVersion, QStringLiteral("quiz"),
        QStringLiteral("http://update/"), nullptr, action.text, action.silent);

    bool asked = false;
    for (qsizetype i = requests; i < s_downloads.size(); ++i) {
        if (s_downloads.at(i).first != s_depth)
            continue;
        const QString directory = LuKBase::pluginsDirectory() + QLatin1Char('/') + QString::number(action.id);
        const QStringList expected { QString::number(action.id), QStringLiteral("quiz"), directory,
            QStringLiteral("http://update/"), QString::number(action.silent) };
        FUZZ_CHECK(!asked && s_downloads.at(i).second == expected, s_downloads.at(i).second);
        FUZZ_CHECK(QFileInfo(directory).isDir(), directory);
        asked = true;
    }
    if (asked) {
        // No module code may have run: nothing loaded, nothing started.
        FUZZ_CHECK(!started && TestJournal::entries().size() == calls, "download and start" << action.text);
        FUZZ_CHECK(!wasRegistered, "download asked for a registered plug-in");
    } else if (!wasRegistered && !s_tearingDown && s_installedVersion >= 0) {
        FUZZ_CHECK(s_installedVersion >= action.requiredVersion,
            "no download for" << s_installedVersion << "<" << action.requiredVersion);
    }
    if (!asked)
        checkStart(action, wasRegistered, started);
}

void run(const Action& action)
{
    const bool wasRegistered = s_manager->exists(action.id);
    switch (action.operation) {
    case StartBuiltIn:
        checkStart(action, wasRegistered, s_manager->start(action.id, nullptr, action.text));
        break;
    case StartDownloadable:
        startDownloadable(action, wasRegistered);
        break;
    case Stop:
        s_manager->stop(action.id);
        break;
    case Show:
        s_manager->show(action.id);
        break;
    case Hide:
        s_manager->hide(action.id);
        break;
    case Exists:
        (void)s_manager->exists(action.id);
        break;
    case Schemes: {
        const QList<QString> schemes = s_manager->pluginAppSchemes(action.id);
        FUZZ_CHECK(QSet<QString>(schemes.cbegin(), schemes.cend()).size() == schemes.size(), schemes);
        break;
    }
    case AppScheme:
        s_manager->handleAppScheme(action.text);
        break;
    case Protocol: {
        const QByteArray message = action.text.toUtf8();
        s_manager->handleProtocol(action.requiredVersion, message.constData(), int(message.size()));
        break;
    }
    case JoinRoom:
        s_manager->joinRoom();
        break;
    }
}

void callBack(const QString&, const QString&)
{
    if (!s_manager || s_depth >= kMaxDepth || s_nextCallback >= s_callbacks.size())
        return;
    ++s_depth;
    run(s_callbacks.at(s_nextCallback++));
    --s_depth;
}

// Every handle is released once, as its last call, and a started one is stopped first.
void checkHandles()
{
    QMap<QString, QStringList> calls;
    QMap<QString, int> creations;
    for (const QString& entry : TestJournal::entries()) {
        const QString handle = entry.section(QLatin1Char(':'), 0, 0);
        const QString call = entry.mid(handle.size() + 1);
        calls[handle].append(call);
        if (call.startsWith(QLatin1String("create(")))
            ++creations[handle];
    }
    for (auto it = creations.cbegin(); it != creations.cend(); ++it) {
        const QStringList& made = calls.value(it.key());
        const int releases = int(made.count(QStringLiteral("release()")));
        FUZZ_CHECK(releases == it.value(), it.key() << "in" << TestJournal::entries());
        // Handles named alike by their loader arguments share one list of calls.
        if (it.value() != 1)
            continue;
        FUZZ_CHECK(made.constLast() == QLatin1String("release()"), it.key() << made);
        bool started = false;
        for (const QString& call : made) {
            if (call.startsWith(QLatin1String("start("))) {
                FUZZ_CHECK(!started, "started twice" << it.key() << made);
                started = true;
            } else if (call == QLatin1String("stop()")) {
                FUZZ_CHECK(started, "stopped while not started" << it.key() << made);
                started = false;
            }
        }
        FUZZ_CHECK(!started, "released while started" << it.key() << made);
    }
}

void checkNoDecoyLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return;
    const QByteArray mapped = maps.readAll();
    for (const QString& decoy : std::as_const(s_decoys))
        FUZZ_CHECK(!mapped.contains(decoy.toUtf8()), "loaded" << decoy);
}

void writeVersionFile(FuzzedDataProvider& input)
{
    QByteArray content;
    switch (input.ConsumeIntegralInRange(0, 2)) {
    case 0:
        s_installedVersion = 0;
        break;
    case 1:
        s_installedVersion = input.ConsumeIntegralInRange(0, 3);
        content
            = "<plugin>\n  <version number=\"" + QByteArray::number(s_installedVersion) + "\">1</version>\n</plugin>\n";
        break;
    default:
        s_installedVersion = -1;
        content = QByteArray::fromStdString(input.ConsumeRandomLengthString(512));
        break;
    }
    for (int id = 1; id <= kIds; ++id) {
        const QString path = LuKBase::pluginsDirectory() + QStringLiteral("/%1/version.xml").arg(id);
        QFile::remove(path);
        QFile file(path);
        if (!content.isEmpty() && (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::useTemporaryHome();
    Fuzz::startApplication(argc, argv);

    const QString builtIn = QCoreApplication::applicationDirPath() + QStringLiteral("/plugins/ktv");
    const QString downloads = LuKBase::pluginsDirectory();
    for (int id = 1; id <= kIds; ++id) {
        if (!copyModule(builtIn + QLatin1Char('/') + QString::number(id))
            || !copyModule(downloads + QLatin1Char('/') + QString::number(id)))
            std::abort();
    }
    s_decoys = QStringList { builtIn, builtIn + QStringLiteral("/1/sub"), downloads,
        downloads + QStringLiteral("/1/sub"), QFileInfo(downloads).absolutePath() };
    for (QString& decoy : s_decoys) {
        if (!copyModule(decoy))
            std::abort();
        decoy = QDir(decoy).filePath(kModule);
    }
    TestJournal::setReentryHook(callBack);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    writeVersionFile(input);
    const int count = input.ConsumeIntegralInRange(0, 8);
    std::vector<Action> actions;
    for (int i = 0; i < count; ++i)
        actions.push_back(takeAction(input));
    s_callbacks.clear();
    s_nextCallback = 0;
    while (input.remaining_bytes() > 0 && s_callbacks.size() < 8)
        s_callbacks.push_back(takeAction(input));

    TestJournal::clear();
    s_downloads.clear();
    auto* manager = new LuKtvPluginManager;
    QObject::connect(manager, &LuKtvPluginManager::downloadPlugin,
        [](int id, const QString& name, const QString& directory, const QString& url, bool silent) {
            s_downloads.append({ s_depth, { QString::number(id), name, directory, url, QString::number(silent) } });
        });
    s_manager = manager;
    for (const Action& action : actions)
        run(action);
    s_tearingDown = true;
    delete manager;
    s_tearingDown = false;
    s_manager = nullptr;

    checkHandles();
    checkNoDecoyLoaded();
    return 0;
}
