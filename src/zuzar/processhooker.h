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
    /**
     * Constructs a hooker; nothing is started or injected yet.
     * @param exeName the file name of the program's executable (its process image name)
     * @param dllDirectory the directory that holds the hook module
     * @param dllName the hook module's file name
     */
    ProcessHooker(std::wstring exeName, std::wstring dllDirectory, std::wstring dllName);
    /** Destroys the hooker; an injected hook stays in the process. */
    ~ProcessHooker();

    /**
     * Looks a value up in the registry.
     * @param regkey the registry key
     * @param valueName the value's name under the key, for example "DisplayIcon"
     * @return the value; empty when nothing is found
     */
    static std::wstring findPathByRegKey(std::wstring regkey, std::wstring valueName);
    /**
     * Starts the program whose path the registry holds.
     * @param regkey the registry key
     * @param valueName the value under the key that holds the program's path
     * @param exeName the file name of the program's executable
     * @return the process id of the started program; 0 on failure
     */
    static unsigned long findProcessPathAndStart(std::wstring regkey, std::wstring valueName, std::wstring exeName);
    /**
     * Starts a program.
     * @param exeName the file name of the program's executable
     * @param path the program's path
     * @return the process id of the started program; 0 on failure
     */
    static unsigned long startProcess(std::wstring& exeName, std::wstring& path);

    /**
     * Injects the hook module into a process.
     * @param pid the process id
     * @return false on failure
     */
    bool injectDll(unsigned long pid);
    /**
     * Removes the hook again.
     * @return false when nothing was injected
     */
    bool unInjectDll();

    /** @return the process id the hook was injected into; 0 when none */
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
