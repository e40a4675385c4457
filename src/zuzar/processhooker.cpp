#include "processhooker.h"
#include "mcengine_p.h"

#include <QProcess>

namespace {

QString argsText(std::initializer_list<QString> args)
{
    return QStringList(args).join(QStringLiteral(", "));
}

QString registryValue(const QString& key, const QString& valueName)
{
    McEngineState& state = McEngineState::instance();
    QMutexLocker locker(&state.mutex);
    return state.registry.value(key + QLatin1Char('\n') + valueName);
}

} // namespace

ProcessHooker::ProcessHooker(std::wstring exeName, std::wstring dllDirectory, std::wstring dllName)
    : m_exeName(std::move(exeName))
    , m_dllDirectory(std::move(dllDirectory))
    , m_dllName(std::move(dllName))
{
    mcJournal(QStringLiteral("ProcessHooker::ProcessHooker(%1)")
                  .arg(argsText({ mcFromWide(m_exeName), mcFromWide(m_dllDirectory), mcFromWide(m_dllName) })));
}

ProcessHooker::~ProcessHooker() = default;

std::wstring ProcessHooker::findPathByRegKey(std::wstring regkey, std::wstring valueName)
{
    const QString key = mcFromWide(regkey);
    const QString name = mcFromWide(valueName);
    mcJournal(QStringLiteral("ProcessHooker::findPathByRegKey(%1)").arg(argsText({ key, name })));
    return mcToWide(registryValue(key, name));
}

unsigned long ProcessHooker::findProcessPathAndStart(std::wstring regkey, std::wstring valueName, std::wstring exeName)
{
    const QString key = mcFromWide(regkey);
    const QString name = mcFromWide(valueName);
    mcJournal(
        QStringLiteral("ProcessHooker::findProcessPathAndStart(%1)").arg(argsText({ key, name, mcFromWide(exeName) })));
    std::wstring path = mcToWide(registryValue(key, name));
    if (path.empty())
        return 0;
    return startProcess(exeName, path);
}

unsigned long ProcessHooker::startProcess(std::wstring& exeName, std::wstring& path)
{
    const QString program = mcFromWide(path);
    mcJournal(QStringLiteral("ProcessHooker::startProcess(%1)").arg(argsText({ mcFromWide(exeName), program })));
    if (program.isEmpty())
        return 0;

    McEngineState& state = McEngineState::instance();
    {
        QMutexLocker locker(&state.mutex);
        if (!state.startProcesses)
            return ++state.nextFakePid;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(program, QStringList(), QString(), &pid))
        return 0;
    return static_cast<unsigned long>(pid);
}

bool ProcessHooker::injectDll(unsigned long pid)
{
    mcJournal(QStringLiteral("ProcessHooker::injectDll(%1)").arg(pid));
    bool succeeds = false;
    {
        McEngineState& state = McEngineState::instance();
        QMutexLocker locker(&state.mutex);
        succeeds = state.injectionSucceeds;
    }
    if (pid == 0 || !succeeds)
        return false;
    m_injectedPid = pid;
    return true;
}

bool ProcessHooker::unInjectDll()
{
    mcJournal(QStringLiteral("ProcessHooker::unInjectDll()"));
    const bool wasInjected = m_injectedPid != 0;
    m_injectedPid = 0;
    return wasInjected;
}

unsigned long ProcessHooker::injectedProcess() const
{
    return m_injectedPid;
}
