#include "mcmediamanager.h"
#include "mcengine_p.h"

class McMediaManagerPrivate
{
public:
    mutable QMutex mutex;
    QString waveIn;
    QString waveOut;
    QString camera;
    bool waveInChosen = false;
    bool waveOutChosen = false;
    bool cameraChosen = false;
    bool audioStarted = false;
    bool videoStarted = false;
    bool dsoundHooker = false;
};

namespace {

McDeviceList toDeviceList(const QStringList& names)
{
    McDeviceList list;
    list.reserve(size_t(names.size()));
    for (const QString& name : names)
        list.push_back(mcToWide(name));
    return list;
}

QStringList listOf(QStringList McEngineState::*devices)
{
    McEngineState& state = McEngineState::instance();
    QMutexLocker locker(&state.mutex);
    return state.*devices;
}

// The device in use: the chosen one, else the first the machine lists.
QString inUse(bool chosen, const QString& device, QStringList McEngineState::*devices)
{
    if (chosen)
        return device;
    const QStringList names = listOf(devices);
    return names.isEmpty() ? QString() : names.first();
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

McMediaManager::McMediaManager()
    : d(new McMediaManagerPrivate)
{
}

McMediaManager::~McMediaManager() = default;

McDeviceList McMediaManager::listWaveInDevices()
{
    mcJournal(QStringLiteral("McMediaManager::listWaveInDevices()"));
    return toDeviceList(listOf(&McEngineState::waveInDevices));
}

McDeviceList McMediaManager::listWaveOutDevices()
{
    mcJournal(QStringLiteral("McMediaManager::listWaveOutDevices()"));
    return toDeviceList(listOf(&McEngineState::waveOutDevices));
}

McDeviceList McMediaManager::listCameraDevices()
{
    mcJournal(QStringLiteral("McMediaManager::listCameraDevices()"));
    return toDeviceList(listOf(&McEngineState::cameraDevices));
}

std::wstring McMediaManager::waveInDevice() const
{
    mcJournal(QStringLiteral("McMediaManager::waveInDevice()"));
    QMutexLocker locker(&d->mutex);
    return mcToWide(inUse(d->waveInChosen, d->waveIn, &McEngineState::waveInDevices));
}

std::wstring McMediaManager::waveOutDevice() const
{
    mcJournal(QStringLiteral("McMediaManager::waveOutDevice()"));
    QMutexLocker locker(&d->mutex);
    return mcToWide(inUse(d->waveOutChosen, d->waveOut, &McEngineState::waveOutDevices));
}

std::wstring McMediaManager::cameraDevice() const
{
    mcJournal(QStringLiteral("McMediaManager::cameraDevice()"));
    QMutexLocker locker(&d->mutex);
    return mcToWide(inUse(d->cameraChosen, d->camera, &McEngineState::cameraDevices));
}

bool McMediaManager::isAudioCaptureStarted() const
{
    mcJournal(QStringLiteral("McMediaManager::isAudioCaptureStarted()"));
    QMutexLocker locker(&d->mutex);
    return d->audioStarted;
}

bool McMediaManager::isVideoCaptureStarted() const
{
    mcJournal(QStringLiteral("McMediaManager::isVideoCaptureStarted()"));
    QMutexLocker locker(&d->mutex);
    return d->videoStarted;
}

bool McMediaManager::setAudioDevice(const wchar_t* waveIn, const wchar_t* waveOut)
{
    const QString in = waveIn ? QString::fromWCharArray(waveIn) : QString();
    const QString out = waveOut ? QString::fromWCharArray(waveOut) : QString();
    mcJournal(QStringLiteral("McMediaManager::setAudioDevice(%1, %2)").arg(in, out));
    QMutexLocker locker(&d->mutex);
    // An empty name asks for the machine's default device: the first one listed.
    if (waveIn) {
        d->waveIn = in;
        d->waveInChosen = !in.isEmpty();
    }
    if (waveOut) {
        d->waveOut = out;
        d->waveOutChosen = !out.isEmpty();
    }
    return true;
}

void McMediaManager::stopAudioCapture()
{
    mcJournal(QStringLiteral("McMediaManager::stopAudioCapture()"));
    QMutexLocker locker(&d->mutex);
    d->audioStarted = false;
}

bool McMediaManager::startAudioCapture()
{
    mcJournal(QStringLiteral("McMediaManager::startAudioCapture()"));
    QMutexLocker locker(&d->mutex);
    d->audioStarted = true;
    return true;
}

void McMediaManager::stopVideoCapture()
{
    mcJournal(QStringLiteral("McMediaManager::stopVideoCapture()"));
    QMutexLocker locker(&d->mutex);
    d->videoStarted = false;
}

bool McMediaManager::startVideoCapture(const wchar_t* camera)
{
    const QString name = camera ? QString::fromWCharArray(camera) : QString();
    mcJournal(QStringLiteral("McMediaManager::startVideoCapture(%1)").arg(name));
    QMutexLocker locker(&d->mutex);
    if (!name.isEmpty()) {
        d->camera = name;
        d->cameraChosen = true;
    }
    d->videoStarted = true;
    return true;
}

void McMediaManager::enableDSoundHooker(bool enable)
{
    mcJournal(QStringLiteral("McMediaManager::enableDSoundHooker(%1)").arg(boolText(enable)));
    QMutexLocker locker(&d->mutex);
    d->dsoundHooker = enable;
}

bool McMediaManager::isDSoundHookerEnabled() const
{
    QMutexLocker locker(&d->mutex);
    return d->dsoundHooker;
}
