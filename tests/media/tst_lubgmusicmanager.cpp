#include <lukbase/lubgmusicmanager.h>

#include <darivad/mcmediamanagerqt.h>
#include <zuzar/mcenginesetup.h>

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QResource>
#include <QTest>

namespace {

const QString kLarkKey = QStringLiteral("Uninstall\\LarkMusic");
const QString kReedKey = QStringLiteral("Uninstall\\Reedsong");
const QString kLarkPath = QStringLiteral("C:/Program Files/Lark/lark.exe");
const QString kReedPath = QStringLiteral("C:/Program Files/Reedsong/reed.exe");

QString rccPath(const QString& variant)
{
    return QStringLiteral(BGMUSIC_RCC_DIR "/bgmusic-%1.rcc").arg(variant);
}

QString hookDirectory()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

// The engine journal with made-up process ids replaced by "pid", so that expectations do
// not depend on how many programs earlier tests started.
QStringList journal()
{
    static const QRegularExpression pid(QStringLiteral("^ProcessHooker::injectDll\\([1-9][0-9]*\\)$"));
    QStringList lines = McEngineSetup::journal();
    for (QString& line : lines)
        line.replace(pid, QStringLiteral("ProcessHooker::injectDll(pid)"));
    return lines;
}

QStringList hookedByRegistry(const QString& exe, const QString& key, const QString& path)
{
    return { QStringLiteral("ProcessHooker::ProcessHooker(%1, %2, soundhook.dll)").arg(exe, hookDirectory()),
        QStringLiteral("ProcessHooker::findProcessPathAndStart(%1, DisplayIcon, %2)").arg(key, exe),
        QStringLiteral("ProcessHooker::startProcess(%1, %2)").arg(exe, path),
        QStringLiteral("ProcessHooker::injectDll(pid)") };
}

const QStringList kCaptureOn = { QStringLiteral("McMediaManager::enableDSoundHooker(true)") };
const QStringList kReleased
    = { QStringLiteral("McMediaManager::enableDSoundHooker(false)"), QStringLiteral("ProcessHooker::unInjectDll()") };

QStringList larkStarted()
{
    return hookedByRegistry(QStringLiteral("lark.exe"), kLarkKey, kLarkPath) + kCaptureOn;
}

QStringList reedStarted()
{
    return hookedByRegistry(QStringLiteral("Reedsong & Co"), kReedKey, kReedPath) + kCaptureOn;
}

} // namespace

class tst_LuBgMusicManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void readsInstalledPlayers();
    void unreadableConfiguration_data();
    void unreadableConfiguration();
    void musicTransitions_data();
    void musicTransitions();
    void pickedPlayerProcessName_data();
    void pickedPlayerProcessName();
    void failedInjectionKeepsHooker();
    void destroyedMediaManagerIsNotCalled();
    void destructionReleasesPlayer();
    void instanceIsShared();

private:
    void useConfig(const QString& variant);
    QString m_registered;
};

void tst_LuBgMusicManager::initTestCase()
{
    McEngineSetup::reset();
    McEngineSetup::setStartProcesses(false);
    McEngineSetup::setRegistryValue(kLarkKey, QStringLiteral("DisplayIcon"), kLarkPath);
    McEngineSetup::setRegistryValue(kReedKey, QStringLiteral("DisplayIcon"), kReedPath);
    QVERIFY(QFile::exists(rccPath(QStringLiteral("good"))));
}

void tst_LuBgMusicManager::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    McEngineSetup::setInjectionSucceeds(true);
    McEngineSetup::clearJournal();
    useConfig(QStringLiteral("good"));
}

void tst_LuBgMusicManager::cleanup()
{
    useConfig(QString());
}

void tst_LuBgMusicManager::useConfig(const QString& variant)
{
    if (!m_registered.isEmpty())
        QVERIFY(QResource::unregisterResource(m_registered));
    m_registered.clear();
    if (variant.isEmpty())
        return;
    QVERIFY(QResource::registerResource(rccPath(variant)));
    m_registered = rccPath(variant);
}

void tst_LuBgMusicManager::readsInstalledPlayers()
{
    LuBgMusicManager manager;

    const QList<LuBgMusicItem> items = manager.items();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0).name(), QStringLiteral("Lark Music"));
    QCOMPARE(items.at(0).regkey(), kLarkKey);
    QCOMPARE(items.at(0).exename(), QStringLiteral("lark.exe"));
    QCOMPARE(items.at(1).name(), QStringLiteral("Reedsong & Co"));
    QCOMPARE(items.at(1).regkey(), kReedKey);
    QVERIFY(items.at(1).exename().isEmpty());

    QCOMPARE(manager.item(1).name(), QStringLiteral("Reedsong & Co"));
    for (int outside : { -1, 2, 1000 }) {
        const LuBgMusicItem item = manager.item(outside);
        QVERIFY2(item.name().isEmpty() && item.regkey().isEmpty() && item.exename().isEmpty(),
            qPrintable(QString::number(outside)));
    }
    QVERIFY(manager.currentItem().name().isEmpty());

    // Only the direct "item" children are looked up, in document order; nothing is started.
    QCOMPARE(journal(),
        QStringList({ QStringLiteral("ProcessHooker::findPathByRegKey(%1, DisplayIcon)").arg(kLarkKey),
            QStringLiteral("ProcessHooker::findPathByRegKey(Uninstall\\Tidepool, DisplayIcon)"),
            QStringLiteral("ProcessHooker::findPathByRegKey(%1, DisplayIcon)").arg(kReedKey) }));
}

void tst_LuBgMusicManager::unreadableConfiguration_data()
{
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QString>("warning");

    QFile missing(QStringLiteral(":/config/bgmusic.xml"));
    useConfig(QString());
    QVERIFY(!missing.open(QIODevice::ReadOnly));
    QTest::newRow("missing") << QString()
                             << QStringLiteral("open bgmusic.xml failed: \"%1\"").arg(missing.errorString());

    QFile malformed(QStringLiteral(BGMUSIC_DATA_DIR "/bgmusic-malformed.xml"));
    QVERIFY(malformed.open(QIODevice::ReadOnly));
    QDomDocument document;
    QString error;
    QVERIFY(!document.setContent(&malformed, &error));
    QTest::newRow("malformed") << QStringLiteral("malformed")
                               << QStringLiteral("parse bgmusic.xml failed: \"%1\"").arg(error);
}

void tst_LuBgMusicManager::unreadableConfiguration()
{
    QFETCH(QString, variant);
    QFETCH(QString, warning);
    useConfig(variant);

    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    LuBgMusicManager manager;

    QVERIFY(manager.items().isEmpty());
    QVERIFY(manager.item(0).name().isEmpty());
    QVERIFY(journal().isEmpty());
}

void tst_LuBgMusicManager::musicTransitions_data()
{
    // Steps: "start", "stop", "lark", "reed" (choose a configured player), "none" (choose
    // the empty item). The journal is read after the steps.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("withMediaManager");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("capturing");

    const QStringList none;
    QTest::newRow("stop without start") << QStringList { "stop" } << true << none << false;
    QTest::newRow("start with nothing chosen") << QStringList { "start" } << true << none << false;
    QTest::newRow("change while stopped") << QStringList { "lark", "reed" } << true << none << false;
    QTest::newRow("start") << QStringList { "lark", "start" } << true << larkStarted() << true;
    QTest::newRow("start twice") << QStringList { "lark", "start", "start" } << true << larkStarted() << true;
    QTest::newRow("stop twice") << QStringList { "lark", "start", "stop", "stop" } << true << larkStarted() + kReleased
                                << false;
    QTest::newRow("choose while started") << QStringList { "start", "lark" } << true << larkStarted() << true;
    QTest::newRow("change while started")
        << QStringList { "lark", "start", "reed" } << true << larkStarted() + kReleased + reedStarted() << true;
    QTest::newRow("empty item keeps started")
        << QStringList { "lark", "start", "none", "reed" } << true << larkStarted() + kReleased + reedStarted() << true;
    QTest::newRow("empty item then stop")
        << QStringList { "lark", "start", "none", "stop" } << true << larkStarted() + kReleased << false;
    QTest::newRow("restart after stop") << QStringList { "lark", "start", "stop", "start" } << true
                                        << larkStarted() + kReleased + larkStarted() << true;
    QTest::newRow("no media manager") << QStringList { "lark", "start", "reed", "stop" } << false
                                      << hookedByRegistry(QStringLiteral("lark.exe"), kLarkKey, kLarkPath)
            + QStringList { QStringLiteral("ProcessHooker::unInjectDll()") }
            + hookedByRegistry(QStringLiteral("Reedsong & Co"), kReedKey, kReedPath)
            + QStringList { QStringLiteral("ProcessHooker::unInjectDll()") }
                                      << false;
}

void tst_LuBgMusicManager::musicTransitions()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, withMediaManager);
    QFETCH(QStringList, expected);
    QFETCH(bool, capturing);

    McMediaManagerQt mediaManager;
    LuBgMusicManager manager;
    if (withMediaManager)
        manager.setMediaManager(&mediaManager);
    McEngineSetup::clearJournal();

    for (const QString& step : steps) {
        if (step == QLatin1String("start"))
            manager.startMusic();
        else if (step == QLatin1String("stop"))
            manager.stopMusic();
        else if (step == QLatin1String("lark"))
            manager.setCurrentItem(manager.item(0));
        else if (step == QLatin1String("reed"))
            manager.setCurrentItem(manager.item(1));
        else if (step == QLatin1String("none"))
            manager.setCurrentItem(LuBgMusicItem());
        else
            QFAIL(qPrintable(step));
    }

    QCOMPARE(journal(), expected);
    QCOMPARE(mediaManager.isDSoundHookerEnabled(), capturing);
}

void tst_LuBgMusicManager::pickedPlayerProcessName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("exename");
    QTest::addColumn<QString>("processName");

    QTest::newRow("slashes") << "/opt/players/tide/tideplayer" << QString() << "tideplayer";
    QTest::newRow("backslashes") << "C:\\Players\\Reed\\reed.exe" << QString() << "reed.exe";
    QTest::newRow("slash after last backslash") << "C:\\Players\\Reed/sub/reed.exe" << QString() << "Reed/sub/reed.exe";
    QTest::newRow("backslash after slash") << "D:/Music/odd\\odd player.exe" << QString() << "odd player.exe";
    QTest::newRow("bare name") << "player" << QString() << "player";
    QTest::newRow("trailing separator") << "C:/Players/" << QString() << "";
    QTest::newRow("exename wins") << "/opt/players/tide/tideplayer"
                                  << "tide.bin"
                                  << "tide.bin";
}

void tst_LuBgMusicManager::pickedPlayerProcessName()
{
    QFETCH(QString, name);
    QFETCH(QString, exename);
    QFETCH(QString, processName);

    LuBgMusicManager manager;
    manager.startMusic();
    McEngineSetup::clearJournal();

    manager.setCurrentItem(LuBgMusicItem(name, QString(), exename));
    manager.stopMusic();

    // A picked player is started from its path, never looked up in the registry.
    QCOMPARE(journal(),
        QStringList(
            { QStringLiteral("ProcessHooker::ProcessHooker(%1, %2, soundhook.dll)").arg(processName, hookDirectory()),
                QStringLiteral("ProcessHooker::startProcess(%1, %2)").arg(processName, name),
                QStringLiteral("ProcessHooker::injectDll(pid)"), QStringLiteral("ProcessHooker::unInjectDll()") }));
}

void tst_LuBgMusicManager::failedInjectionKeepsHooker()
{
    McMediaManagerQt mediaManager;
    LuBgMusicManager manager;
    manager.setMediaManager(&mediaManager);
    manager.setCurrentItem(LuBgMusicItem(QStringLiteral("C:/Players/%1%2 \"quoted\".exe")));
    McEngineSetup::setInjectionSucceeds(false);
    McEngineSetup::clearJournal();

    QTest::ignoreMessage(QtWarningMsg, R"(inject music process failed: "C:/Players/%1%2 \"quoted\".exe")");
    manager.startMusic();
    // The capture is switched on all the same, and the hooker stays to be taken back.
    QCOMPARE(journal().mid(3), kCaptureOn);
    QVERIFY(mediaManager.isDSoundHookerEnabled());

    McEngineSetup::clearJournal();
    manager.stopMusic();
    QCOMPARE(journal(), kReleased);
    QVERIFY(!mediaManager.isDSoundHookerEnabled());
}

void tst_LuBgMusicManager::destroyedMediaManagerIsNotCalled()
{
    LuBgMusicManager manager;
    auto* mediaManager = new McMediaManagerQt;
    manager.setMediaManager(mediaManager);
    QCOMPARE(manager.mediaManager(), mediaManager);
    manager.setCurrentItem(manager.item(0));
    manager.startMusic();

    delete mediaManager;
    QCOMPARE(manager.mediaManager(), nullptr);
    McEngineSetup::clearJournal();
    manager.stopMusic();
    QCOMPARE(journal(), QStringList { QStringLiteral("ProcessHooker::unInjectDll()") });
}

void tst_LuBgMusicManager::destructionReleasesPlayer()
{
    McMediaManagerQt mediaManager;
    {
        LuBgMusicManager manager;
        manager.setMediaManager(&mediaManager);
        manager.setCurrentItem(manager.item(1));
        manager.startMusic();
        McEngineSetup::clearJournal();
    }
    QCOMPARE(journal(), kReleased);
}

void tst_LuBgMusicManager::instanceIsShared()
{
    LuBgMusicManager* first = LuBgMusicManager::instance();
    QVERIFY(first);
    QCOMPARE(LuBgMusicManager::instance(), first);
    QCOMPARE(first->items().size(), 2);
    QCOMPARE(first->parent(), nullptr);
}

QTEST_GUILESS_MAIN(tst_LuBgMusicManager)
#include "tst_lubgmusicmanager.moc"
