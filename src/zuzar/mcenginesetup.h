#ifndef ZUZAR_MCENGINESETUP_H
#define ZUZAR_MCENGINESETUP_H

#include <zuzar/zuzar_export.h>

#include <QStringList>

/**
 * Set-up of the in-process media engine, for hosts and tests. None of these calls is an
 * engine operation: they describe the machine the engine runs on (devices, registry,
 * servers) and read back the journal of engine operations that callers made.
 *
 * Journal lines have the form "Class::operation(arguments)", arguments separated by
 * ", ", wide strings as text, for example
 * "McMediaManager::setAudioDevice(Mic 1, Speakers)" or "ProcessHooker::injectDll(4242)".
 * Every operation of McMediaManager, McMediaTransfer, McMediaProcess, ProcessHooker and
 * McServerListWidget is journalled, getters included.
 */
namespace McEngineSetup {

/**
 * Sets the audio input devices that McMediaManager::listWaveInDevices() reports.
 * @param names the display names, in display order
 */
ZUZAR_EXPORT void setWaveInDevices(const QStringList& names);
/**
 * Sets the audio output devices that McMediaManager::listWaveOutDevices() reports.
 * @param names the display names, in display order
 */
ZUZAR_EXPORT void setWaveOutDevices(const QStringList& names);
/**
 * Sets the cameras that McMediaManager::listCameraDevices() reports.
 * @param names the display names, in display order
 */
ZUZAR_EXPORT void setCameraDevices(const QStringList& names);

/**
 * Enters a "registry" value that ProcessHooker::findPathByRegKey() resolves.
 * @param key the registry key
 * @param valueName the value's name under the key
 * @param value the value, usually a program's path
 */
ZUZAR_EXPORT void setRegistryValue(const QString& key, const QString& valueName, const QString& value);
/** Empties the registry table. */
ZUZAR_EXPORT void clearRegistry();

/**
 * Sets whether ProcessHooker::injectDll() succeeds for a non-zero process id.
 * @param succeeds true (the default) to succeed, false to fail
 */
ZUZAR_EXPORT void setInjectionSucceeds(bool succeeds);
/**
 * Sets whether ProcessHooker really starts programs. When off, a start is only
 * journalled and answered with a made-up process id, or 0 for an empty path.
 * @param start true (the default) to start programs
 */
ZUZAR_EXPORT void setStartProcesses(bool start);

/**
 * Sets the servers that McServerListWidget::refreshServerList() shows.
 * @param servers the server names, in display order
 */
ZUZAR_EXPORT void setServerList(const QStringList& servers);

/** @return the engine operations called so far, oldest first: the last 1000 of them */
ZUZAR_EXPORT QStringList journal();
/** Empties the journal. */
ZUZAR_EXPORT void clearJournal();

/** Back to an empty machine: no devices, registry or servers, defaults, empty journal. */
ZUZAR_EXPORT void reset();

} // namespace McEngineSetup

#endif
