#include "pluginpage.h"

#include <lukbase/lukbase.h>
#include <lukbase/luktvpluginmanager.h>

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int echoId = 101;
constexpr int quizId = 102;
constexpr int quizVersion = 2;

QString echoModule()
{
    return QStringLiteral(KTVROOM_ECHO_PLUGIN);
}

QString quizModule()
{
    return QStringLiteral(KTVROOM_QUIZ_PLUGIN);
}

// Where the sandbox keeps the downloadable plug-in, as a URL like a real update server's.
QString quizUpdateUrl()
{
    return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/pluginstore/")).toString();
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QPushButton* addButton(QGridLayout* grid, int row, int column, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    grid->addWidget(button, row, column);
    return button;
}

} // namespace

PluginPage::PluginPage(QWidget* parent)
    : SandboxPage(parent)
    , m_manager(new LuKtvPluginManager(this))
{
    // Queued, as a real host fetches in the background and starts the plug-in later.
    connect(m_manager, &LuKtvPluginManager::downloadPlugin, this, &PluginPage::download, Qt::QueuedConnection);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("<h2>Room plug-ins</h2>"), this));
    auto* intro = new QLabel(QStringLiteral("Built-in plug-ins lie in the application directory; downloadable ones "
                                            "are fetched into the data directory when the room needs a newer version. "
                                            "The page is the plug-ins' host: every call they receive is listed below."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(createBuiltInBox(), 1);
    boxes->addWidget(createDownloadableBox(), 1);
    layout->addLayout(boxes);
    layout->addWidget(createRoomBox());

    layout->addWidget(new QLabel(QStringLiteral("<b>What the plug-ins received</b>"), this));
    m_log = new QListWidget(this);
    m_log->setObjectName(QStringLiteral("pluginLog"));
    layout->addWidget(m_log, 1);
    refresh();
}

PluginPage::~PluginPage()
{
    // The plug-ins report their stop to this page: let them go while it is still whole.
    delete m_manager;
}

QString PluginPage::title() const
{
    return QStringLiteral("Plug-ins");
}

QWidget* PluginPage::createBuiltInBox()
{
    auto* box = new QGroupBox(QStringLiteral("Built-in: echo (id %1)").arg(echoId), this);
    auto* form = new QFormLayout;
    form->addRow(
        QStringLiteral("Module:"), new QLabel(QStringLiteral("plugins/ktv/%1/").arg(echoId) + echoModule(), box));
    m_echoState = new QLabel(box);
    form->addRow(QStringLiteral("State:"), m_echoState);
    m_echoSchemes = new QLabel(box);
    form->addRow(QStringLiteral("Schemes:"), m_echoSchemes);

    auto* buttons = new QGridLayout;
    connect(
        addButton(buttons, 0, 0, QStringLiteral("Start"), box), &QPushButton::clicked, this, &PluginPage::startEcho);
    connect(addButton(buttons, 0, 1, QStringLiteral("Stop"), box), &QPushButton::clicked, this, &PluginPage::stopEcho);
    connect(addButton(buttons, 1, 0, QStringLiteral("Show"), box), &QPushButton::clicked, this, [this] {
        logRoom(QStringLiteral("show(%1)").arg(echoId));
        m_manager->show(echoId);
    });
    connect(addButton(buttons, 1, 1, QStringLiteral("Hide"), box), &QPushButton::clicked, this, [this] {
        logRoom(QStringLiteral("hide(%1)").arg(echoId));
        m_manager->hide(echoId);
    });

    auto* layout = new QVBoxLayout(box);
    layout->addLayout(form);
    layout->addLayout(buttons);
    return box;
}

QWidget* PluginPage::createDownloadableBox()
{
    auto* box = new QGroupBox(QStringLiteral("Downloadable: quiz (id %1, version %2 required)")
                                  .arg(QString::number(quizId), QString::number(quizVersion)),
        this);
    auto* form = new QFormLayout;
    m_quizDirectory = new QLabel(box);
    m_quizDirectory->setWordWrap(true);
    form->addRow(QStringLiteral("Directory:"), m_quizDirectory);
    m_quizState = new QLabel(box);
    form->addRow(QStringLiteral("State:"), m_quizState);
    m_quizSchemes = new QLabel(box);
    form->addRow(QStringLiteral("Schemes:"), m_quizSchemes);

    auto* buttons = new QGridLayout;
    connect(addButton(buttons, 0, 0, QStringLiteral("Start (download if needed)"), box), &QPushButton::clicked, this,
        &PluginPage::startQuiz);

    auto* layout = new QVBoxLayout(box);
    layout->addLayout(form);
    layout->addLayout(buttons);
    return box;
}

QWidget* PluginPage::createRoomBox()
{
    auto* box = new QGroupBox(QStringLiteral("Room events, to every loaded plug-in"), this);
    auto* buttons = new QGridLayout(box);
    connect(addButton(buttons, 0, 0, QStringLiteral("Join room"), box), &QPushButton::clicked, this, [this] {
        logRoom(QStringLiteral("joinRoom()"));
        m_manager->joinRoom();
    });
    connect(addButton(buttons, 0, 1, QStringLiteral("Protocol message"), box), &QPushButton::clicked, this, [this] {
        const QByteArray message = QByteArrayLiteral("song 42 queued by Sandbox Singer");
        logRoom(QStringLiteral("handleProtocol(17, \"%1\")").arg(QString::fromUtf8(message)));
        m_manager->handleProtocol(17, message.constData(), int(message.size()));
    });
    connect(
        addButton(buttons, 0, 2, QStringLiteral("Link ktvecho://song/42"), box), &QPushButton::clicked, this, [this] {
            logRoom(QStringLiteral("handleAppScheme(ktvecho://song/42)"));
            m_manager->handleAppScheme(QStringLiteral("ktvecho://song/42"));
        });
    connect(addButton(buttons, 0, 3, QStringLiteral("Link ktvquiz://question/3"), box), &QPushButton::clicked, this,
        [this] {
            logRoom(QStringLiteral("handleAppScheme(ktvquiz://question/3)"));
            m_manager->handleAppScheme(QStringLiteral("ktvquiz://question/3"));
        });
    return box;
}

void PluginPage::startEcho()
{
    const QString text = echoModule() + QStringLiteral(" room=8001 greeting=hello");
    logRoom(QStringLiteral("start(%1, \"%2\")").arg(QString::number(echoId), text));
    const bool started = m_manager->start(echoId, this, text);
    logRoom(QStringLiteral("start returned ") + yesNo(started));
    m_echoStarted = m_echoStarted || started;
    refresh();
}

void PluginPage::stopEcho()
{
    logRoom(QStringLiteral("stop(%1)").arg(echoId));
    m_manager->stop(echoId);
    m_echoStarted = false;
    refresh();
}

void PluginPage::startQuiz()
{
    const QString text = quizModule() + QStringLiteral(" level=easy");
    logRoom(QStringLiteral("start(%1, version %2, \"%3\")")
                .arg(QString::number(quizId), QString::number(quizVersion), text));
    const bool started
        = m_manager->start(quizId, quizVersion, QStringLiteral("Song quiz"), quizUpdateUrl(), this, text, false);
    logRoom(QStringLiteral("start returned ") + yesNo(started));
    refresh();
    if (started && m_afterQuizStarted)
        std::exchange(m_afterQuizStarted, nullptr)();
}

void PluginPage::download(
    int pluginId, const QString& pluginName, const QString& pluginDir, const QString& updateUrl, bool silent)
{
    logRoom(QStringLiteral("downloadPlugin(%1, \"%2\", silent %3): fetching %4")
                .arg(QString::number(pluginId), pluginName, yesNo(silent), updateUrl));
    logRoom(QStringLiteral("    into ") + QDir::toNativeSeparators(pluginDir));
    if (pluginId != quizId)
        return;

    const QString source = QDir(QUrl(updateUrl).toLocalFile()).filePath(quizModule());
    const QString target = QDir(pluginDir).filePath(quizModule());
    QFile::remove(target);
    QFile version(QDir(pluginDir).filePath(QStringLiteral("version.xml")));
    const bool fetched = QFile::copy(source, target) && version.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && version.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                        "<plugin name=\"Song quiz\">\n  <version number=\"%1\"/>\n</plugin>\n")
                             .arg(quizVersion)
                             .toUtf8())
            > 0;
    version.close();
    if (!fetched) {
        logRoom(QStringLiteral("could not fetch %1 from %2").arg(quizModule(), updateUrl));
        return;
    }
    logRoom(QStringLiteral("fetched %1 and version.xml (version %2)").arg(quizModule(), QString::number(quizVersion)));
    startQuiz();
}

void PluginPage::sendRoomEvents()
{
    m_manager->show(echoId);
    m_manager->joinRoom();
    const QByteArray message = QByteArrayLiteral("song 42 queued by Sandbox Singer");
    m_manager->handleProtocol(17, message.constData(), int(message.size()));
    m_manager->handleAppScheme(QStringLiteral("ktvecho://song/42"));
    m_manager->handleAppScheme(QStringLiteral("ktvquiz://question/3"));
    m_manager->hide(echoId);
}

void PluginPage::prepareScreenshot(const std::function<void()>& ready)
{
    // Show the whole download: forget an earlier run's copy of the quiz, unless it is loaded.
    if (!m_manager->exists(quizId))
        QDir(QDir(LuKBase::pluginsDirectory()).filePath(QString::number(quizId))).removeRecursively();

    startEcho();
    m_afterQuizStarted = [this, ready] {
        logRoom(
            QStringLiteral("show(%1), joinRoom(), handleProtocol(17, ...), two scheme links, hide(%1)").arg(echoId));
        sendRoomEvents();
        ready();
    };
    startQuiz();
}

void PluginPage::pluginReport(const char* plugin, const char* text)
{
    auto* item = new QListWidgetItem(QStringLiteral("%1 ▸ %2").arg(QString::fromUtf8(plugin), QString::fromUtf8(text)));
    item->setForeground(qstrcmp(plugin, "echo") == 0 ? QColor(0x1b, 0x5e, 0x20) : QColor(0x0d, 0x47, 0xa1));
    m_log->addItem(item);
    m_log->scrollToBottom();
}

void PluginPage::logRoom(const QString& text)
{
    auto* item = new QListWidgetItem(QStringLiteral("room ▸ ") + text);
    item->setForeground(QColor(0x61, 0x61, 0x61));
    QFont font = item->font();
    font.setItalic(true);
    item->setFont(font);
    m_log->addItem(item);
    m_log->scrollToBottom();
}

void PluginPage::refresh()
{
    const bool echoLoaded = m_manager->exists(echoId);
    m_echoState->setText(!echoLoaded ? QStringLiteral("not loaded")
                                     : (m_echoStarted ? QStringLiteral("started") : QStringLiteral("stopped")));
    m_echoSchemes->setText(
        echoLoaded ? m_manager->pluginAppSchemes(echoId).join(QStringLiteral(", ")) : QStringLiteral("-"));

    const bool quizLoaded = m_manager->exists(quizId);
    m_quizState->setText(quizLoaded ? QStringLiteral("started") : QStringLiteral("not loaded"));
    m_quizSchemes->setText(
        quizLoaded ? m_manager->pluginAppSchemes(quizId).join(QStringLiteral(", ")) : QStringLiteral("-"));
    m_quizDirectory->setText(
        QDir::toNativeSeparators(QDir(LuKBase::pluginsDirectory()).filePath(QString::number(quizId))));
}
