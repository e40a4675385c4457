#include "mcenginesetup.h"
#include "mcengine_p.h"

namespace McEngineSetup {

namespace {
template <typename Change> void change(Change&& apply)
{
    McEngineState& state = McEngineState::instance();
    QMutexLocker locker(&state.mutex);
    apply(state);
}
} // namespace

void setWaveInDevices(const QStringList& names)
{
    change([&](McEngineState& s) { s.waveInDevices = names; });
}

void setWaveOutDevices(const QStringList& names)
{
    change([&](McEngineState& s) { s.waveOutDevices = names; });
}

void setCameraDevices(const QStringList& names)
{
    change([&](McEngineState& s) { s.cameraDevices = names; });
}

void setRegistryValue(const QString& key, const QString& valueName, const QString& value)
{
    change([&](McEngineState& s) { s.registry.insert(key + QLatin1Char('\n') + valueName, value); });
}

void clearRegistry()
{
    change([](McEngineState& s) { s.registry.clear(); });
}

void setInjectionSucceeds(bool succeeds)
{
    change([&](McEngineState& s) { s.injectionSucceeds = succeeds; });
}

void setStartProcesses(bool start)
{
    change([&](McEngineState& s) { s.startProcesses = start; });
}

void setServerList(const QStringList& servers)
{
    change([&](McEngineState& s) { s.servers = servers; });
}

QStringList journal()
{
    QStringList copy;
    change([&](McEngineState& s) { copy = s.journal; });
    return copy;
}

void clearJournal()
{
    change([](McEngineState& s) { s.journal.clear(); });
}

void reset()
{
    change([](McEngineState& s) { s.resetLocked(); });
}

} // namespace McEngineSetup
