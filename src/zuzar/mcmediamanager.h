#ifndef ZUZAR_MCMEDIAMANAGER_H
#define ZUZAR_MCMEDIAMANAGER_H

#include <zuzar/zuzar_export.h>

#include <memory>
#include <string>
#include <vector>

/** Display names of devices, in display order. */
typedef std::vector<std::wstring> McDeviceList;

class McMediaManagerPrivate;

/**
 * The media engine's device and capture manager: lists the audio input, audio output and
 * camera devices, keeps the devices in use and starts and stops audio and video capture.
 * A running capture moves to another device by stop, change, start.
 */
class ZUZAR_EXPORT McMediaManager
{
public:
    McMediaManager();
    virtual ~McMediaManager();

    /** The audio input devices of the machine. */
    static McDeviceList listWaveInDevices();
    /** The audio output devices of the machine. */
    static McDeviceList listWaveOutDevices();
    /** The cameras of the machine. */
    static McDeviceList listCameraDevices();

    /** The audio input in use: the first listed device until another is set. */
    std::wstring waveInDevice() const;
    /** The audio output in use: the first listed device until another is set. */
    std::wstring waveOutDevice() const;
    /** The camera in use: the first listed camera until capture starts on another. */
    std::wstring cameraDevice() const;

    bool isAudioCaptureStarted() const;
    bool isVideoCaptureStarted() const;

    /**
     * Chooses the audio devices; takes effect at the next capture start. A null pointer keeps
     * a device, an empty name stands for the machine's default device (the first listed).
     */
    bool setAudioDevice(const wchar_t* waveIn, const wchar_t* waveOut);

    virtual void stopAudioCapture();
    virtual bool startAudioCapture();
    virtual void stopVideoCapture();
    /** Starts video capture on @p camera (null or empty: the camera in use). */
    virtual bool startVideoCapture(const wchar_t* camera);

    /** Captures the sound of the hooked player process, or stops doing so. */
    void enableDSoundHooker(bool enable);
    /** Whether the hooked player's sound is captured. */
    bool isDSoundHookerEnabled() const;

private:
    McMediaManager(const McMediaManager&) = delete;
    McMediaManager& operator=(const McMediaManager&) = delete;

    std::unique_ptr<McMediaManagerPrivate> d;
};

#endif
