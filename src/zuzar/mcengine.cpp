#include "mcengine_p.h"

McEngineState& McEngineState::instance()
{
    static McEngineState state;
    return state;
}

void McEngineState::resetLocked()
{
    waveInDevices.clear();
    waveOutDevices.clear();
    cameraDevices.clear();
    registry.clear();
    servers.clear();
    injectionSucceeds = true;
    startProcesses = true;
    journal.clear();
}

void mcJournal(const QString& entry)
{
    McEngineState& state = McEngineState::instance();
    QMutexLocker locker(&state.mutex);
    // Every host linked against the engine journals: keep the newest calls only.
    if (state.journal.size() >= McEngineState::journalLimit)
        state.journal.removeFirst();
    state.journal.append(entry);
}

QString mcFromWide(const std::wstring& text)
{
    return QString::fromStdWString(text);
}

std::wstring mcToWide(const QString& text)
{
    return text.toStdWString();
}
