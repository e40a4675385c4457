// The two settings files the audio/video settings popup reads: the application's (its
// locale) and the user's (the chosen devices), with any device names the engine reports.
//
// Checked: the locale is the stored one or its fallback; each list shows the engine's devices
// in order with the stored one selected (the last of equal names), or the first; building the
// popup writes nothing; a device the user picks is what the user's file holds afterwards.

#include "fuzzsupport.h"

#include <lukbase/luavsettingpopup.h>
#include <lukbase/lukbase.h>

#include <zuzar/mcenginesetup.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>

namespace {

struct DeviceBox
{
    const char* objectName;
    const char* key;
    void (*setDevices)(const QStringList&);
};
const DeviceBox kBoxes[] = { { "audioInputBox", "Audio/input_device", McEngineSetup::setWaveInDevices },
    { "audioOutputBox", "Audio/output_device", McEngineSetup::setWaveOutDevices },
    { "cameraBox", "Video/device", McEngineSetup::setCameraDevices } };

QString s_appFile;
QString s_userFile;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const std::string& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(content.data(), qint64(content.size())) != qint64(content.size()))
        std::abort();
}

QString stored(const QString& file, const char* key, const QString& fallback = QString())
{
    return QSettings(file, QSettings::IniFormat).value(QLatin1String(key), fallback).toString();
}

QStringList takeNames(FuzzedDataProvider& input)
{
    QStringList names;
    const int count = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i)
        names.append(Fuzz::takeText(input, 24));
    return names;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::useTemporaryHome();
    Fuzz::startApplication(argc, argv);
    McEngineSetup::reset();
    s_appFile = LuKBase::dataFilePath(QStringLiteral("config.ini"));
    s_userFile = LuKBase::userFilePath(QStringLiteral("config.ini"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    writeFile(s_appFile, input.ConsumeRandomLengthString(512));
    writeFile(s_userFile, input.ConsumeRandomLengthString(1024));
    QList<QStringList> devices;
    for (const DeviceBox& box : kBoxes) {
        devices.append(takeNames(input));
        box.setDevices(devices.constLast());
    }

    LuKBase::initialize();
    const QString locale = stored(s_appFile, "Application/locale", QStringLiteral("zh_CN"));
    FUZZ_CHECK(LuKBase::localeName() == (locale.isEmpty() ? QLocale::system().name() : locale), LuKBase::localeName());

    const QByteArray before = readFile(s_userFile);
    QStringList expected;
    {
        LuAvSettingPopup popup;
        for (int i = 0; i < 3; ++i) {
            const auto* box = popup.findChild<QComboBox*>(QLatin1String(kBoxes[i].objectName));
            const QString name = stored(s_userFile, kBoxes[i].key);
            QStringList shown;
            for (int row = 0; row < box->count(); ++row)
                shown.append(box->itemText(row));
            FUZZ_CHECK(shown == devices.at(i), shown << "instead of" << devices.at(i));
            const int selected = devices.at(i).isEmpty() ? -1 : qMax(0, int(devices.at(i).lastIndexOf(name)));
            FUZZ_CHECK(
                box->currentIndex() == selected, kBoxes[i].key << box->currentIndex() << "instead of" << selected);
        }
        FUZZ_CHECK(readFile(s_userFile) == before, "building the popup changed the user's settings");

        // The user picks a device in each list; a new pick is remembered, an unchanged one
        // leaves what was stored.
        for (int i = 0; i < 3; ++i) {
            auto* box = popup.findChild<QComboBox*>(QLatin1String(kBoxes[i].objectName));
            const int row = box->count() == 0 ? -1 : input.ConsumeIntegralInRange(0, box->count() - 1);
            const bool changed = row != box->currentIndex();
            box->setCurrentIndex(row);
            expected.append(changed ? box->itemText(row) : stored(s_userFile, kBoxes[i].key));
        }
    }
    LuKBase::finalize();
    for (int i = 0; i < 3; ++i)
        FUZZ_CHECK(stored(s_userFile, kBoxes[i].key) == expected.at(i),
            kBoxes[i].key << "holds" << stored(s_userFile, kBoxes[i].key) << "instead of" << expected.at(i));
    McEngineSetup::clearJournal();
    return 0;
}
