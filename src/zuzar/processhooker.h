#ifndef ZUZAR_PROCESSHOOKER_H
#define ZUZAR_PROCESSHOOKER_H

#include <zuzar/zuzar_export.h>

#include <string>

/**
 * Finds, starts and hooks an external program: the sound hook module is injected into the
 * program's process so that the engine can capture its sound. Installed programs are found
 * through the registry (on other systems, the engine's registry table, see McEngineSetup).
 * Off Windows the injection is recorded, not performed.
 */
class ZUZAR_EXPORT ProcessHooker
{
public:
    /** A hooker for the process named @p exeName, injecting @p dllName from @p dllDirectory. */
    ProcessHooker(std::wstring exeName, std::wstring dllDirectory, std::wstring dllName);
    ~ProcessHooker();

    /** The registry value @p valueName under @p regkey; empty when nothing is found. */
    static std::wstring findPathByRegKey(std::wstring regkey, std::wstring valueName);
    /** Starts the program that the registry names and returns its process id; 0 on failure. */
    static unsigned long findProcessPathAndStart(std::wstring regkey, std::wstring valueName, std::wstring exeName);
    /** Starts the program at @p path and returns its process id; 0 on failure. */
    static unsigned long startProcess(std::wstring& exeName, std::wstring& path);

    /** Injects the hook into process @p pid; false on failure. */
    bool injectDll(unsigned long pid);
    /** Removes the hook again; false when nothing was injected. */
    bool unInjectDll();

    /** The process id the hook was injected into; 0 when none. */
    unsigned long injectedProcess() const;

private:
    ProcessHooker(const ProcessHooker&) = delete;
    ProcessHooker& operator=(const ProcessHooker&) = delete;

    std::wstring m_exeName;
    std::wstring m_dllDirectory;
    std::wstring m_dllName;
    unsigned long m_injectedPid = 0;
};

#endif
