#ifndef LUKBASE_LUAVSETTINGPOPUP_P_H
#define LUKBASE_LUAVSETTINGPOPUP_P_H

#include "luavsettingpopup.h"

#include <zuzar/mcmediamanager.h>

#include <QPointer>

#include <functional>
#include <memory>

class QComboBox;
class QSettings;

namespace Ui {
class avSettingForm;
}

class LuAvSettingPopupPrivate
{
    Q_DECLARE_PUBLIC(LuAvSettingPopup)

public:
    // Asks for a program file: (parent, caption, filter) -> chosen path, empty on cancel.
    using FileChooser = std::function<QString(QWidget*, const QString&, const QString&)>;

    explicit LuAvSettingPopupPrivate(LuAvSettingPopup* q);
    ~LuAvSettingPopupPrivate();

    void init();
    void fillDevices(QComboBox* box, const McDeviceList& devices, const QString& stored);
    void fillMusic();
    void retranslateMusic();
    QString chooseMusicPlayer();
    McMediaManagerQt* manager() const;

    static QString storedValue(const QString& group, const QString& key);
    static void storeValue(const QString& group, const QString& key, const QString& value);

    LuAvSettingPopup* const q_ptr;
    QPointer<McMediaManagerQt> mediaManager;
    std::unique_ptr<Ui::avSettingForm> ui;
    bool fileDialogOpen = false;
    // The music entry chosen last, selected again when the file dialog is cancelled.
    int musicIndex = 0;

    // Replaces the file dialog when set, so that tests can answer it.
    static FileChooser fileChooser;
};

#endif
