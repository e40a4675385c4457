#ifndef ZUZAR_MCMEDIAMANAGER_H
#define ZUZAR_MCMEDIAMANAGER_H

#include <zuzar/zuzar_export.h>

#include <memory>
#include <string>
#include <vector>

/**
 * @file
 * The media engine's device and capture manager.
 */

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
    /** Constructs a manager with the first listed devices in use and no capture running. */
    McMediaManager();
    /** Destroys the manager. */
    virtual ~McMediaManager();

    /** @return the audio input devices of the machine */
    static McDeviceList listWaveInDevices();
    /** @return the audio output devices of the machine */
    static McDeviceList listWaveOutDevices();
    /** @return the cameras of the machine */
    static McDeviceList listCameraDevices();

    /** @return the audio input in use: the first listed device until another is set */
    std::wstring waveInDevice() const;
    /** @return the audio output in use: the first listed device until another is set */
    std::wstring waveOutDevice() const;
    /** @return the camera in use: the first listed camera until capture starts on another */
    std::wstring cameraDevice() const;

    /** @return whether audio capture runs */
    bool isAudioCaptureStarted() const;
    /** @return whether video capture runs */
    bool isVideoCaptureStarted() const;

    /**
     * Chooses the audio devices; takes effect at the next capture start.
     * @param waveIn the audio input's display name; null keeps the device, an empty name
     *        stands for the machine's default device (the first listed)
     * @param waveOut the audio output's display name, by the same rule
     * @return true
     */
    bool setAudioDevice(const wchar_t* waveIn, const wchar_t* waveOut);

    /** Stops audio capture; does nothing when it does not run. */
    virtual void stopAudioCapture();
    /**
     * Starts audio capture on the audio devices in use.
     * @return whether capture runs
     */
    virtual bool startAudioCapture();
    /** Stops video capture; does nothing when it does not run. */
    virtual void stopVideoCapture();
    /**
     * Starts video capture.
     * @param camera the camera's display name; null or empty for the camera in use
     * @return whether capture runs
     */
    virtual bool startVideoCapture(const wchar_t* camera);

    /**
     * Captures the sound of the hooked player process, or stops doing so.
     * @param enable true to capture, false to stop
     */
    void enableDSoundHooker(bool enable);
    /** @return whether the hooked player's sound is captured */
    bool isDSoundHookerEnabled() const;

private:
    McMediaManager(const McMediaManager&) = delete;
    McMediaManager& operator=(const McMediaManager&) = delete;

    std::unique_ptr<McMediaManagerPrivate> d;
};

#endif
