// The settings popup in a process whose host ships no ":/config/bgmusic.xml".

#include <lukbase/luavsettingpopup.h>
#include <lukbase/lubgmusicmanager.h>
#include <lukbase/luktvlocaluser.h>

#include "media/luavsettingpopup_p.h"

#include <zuzar/mcenginesetup.h>

#include <QComboBox>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_LuAvSettingPopupNoPlayers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void offersNoneAndOther();

private:
    QTemporaryDir m_home;
};

void tst_LuAvSettingPopupNoPlayers::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    LuKtvLocalUser::instance()->setUserId(778);
    McEngineSetup::reset();
    McEngineSetup::setStartProcesses(false);
}

void tst_LuAvSettingPopupNoPlayers::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void tst_LuAvSettingPopupNoPlayers::offersNoneAndOther()
{
    QFile missing(QStringLiteral(":/config/bgmusic.xml"));
    QVERIFY(!missing.open(QIODevice::ReadOnly));
    QTest::ignoreMessage(
        QtWarningMsg, qPrintable(QStringLiteral("open bgmusic.xml failed: \"%1\"").arg(missing.errorString())));

    LuAvSettingPopup popup;
    auto* music = popup.findChild<QComboBox*>(QStringLiteral("bkgndMusicBox"));
    QCOMPARE(music->count(), 2);
    QCOMPARE(music->itemText(0), QStringLiteral("No background music"));
    QCOMPARE(music->itemText(1), QStringLiteral("Other music player"));
    QCOMPARE(music->currentIndex(), 0);

    // A program picked from disk still works without any configured player.
    LuAvSettingPopupPrivate::fileChooser
        = [](QWidget*, const QString&, const QString&) { return QStringLiteral("/usr/bin/player"); };
    music->setCurrentIndex(1);
    LuAvSettingPopupPrivate::fileChooser = nullptr;
    QCOMPARE(LuBgMusicManager::instance()->currentItem().name(), QStringLiteral("/usr/bin/player"));

    // The configuration is read once: no second warning for a second popup.
    LuAvSettingPopup again;
    QCOMPARE(again.findChild<QComboBox*>(QStringLiteral("bkgndMusicBox"))->currentIndex(), 1);
}

QTEST_MAIN(tst_LuAvSettingPopupNoPlayers)
#include "tst_luavsettingpopup_noplayers.moc"
