// A host application that knows the library only through its installed package.
#include <darivad/mcmediatransferqt.h>
#include <lucore/luskindialog.h>
#include <lukbase/lukbase.h>
#include <lukbase/luktvlocaluser.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>

#include <cstdio>

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);

    LuKBase::initialize();
    LuKtvLocalUser::instance()->setUserId(5);
    LuKBase::userSettings()->setValue("Video/device", "Cam");
    const bool userDirOk = LuKBase::userDirectory().endsWith("/users/5");

    LuSkinDialog dialog(nullptr, Qt::Dialog);
    dialog.setTitleText("Room", false);
    McMediaTransferQt transfer;
    transfer.setRefuseData(1);

    QTranslator translator;
    const bool translationLoads = argc > 1 && translator.load("lukbase_zh_CN", QString::fromLocal8Bit(argv[1]));
    LuKBase::finalize();

    if (!userDirOk || !dialog.clientWidget() || transfer.getRefuseData() != 1 || !translationLoads) {
        std::printf("consumer failed: user dir %d, translation %d\n", userDirOk, translationLoads);
        return 1;
    }
    std::printf("consumer ok\n");
    return 0;
}
