#ifndef ZUZAR_MCENGINE_P_H
#define ZUZAR_MCENGINE_P_H

#include <QMap>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <string>

// The in-process engine's machine: device lists, registry table, server list and the
// journal of every engine operation called. One instance, guarded by its mutex.
struct McEngineState
{
    QMutex mutex;
    QStringList waveInDevices;
    QStringList waveOutDevices;
    QStringList cameraDevices;
    QMap<QString, QString> registry; // "key\nvalueName" -> value
    QStringList servers;
    bool injectionSucceeds = true;
    bool startProcesses = true;
    unsigned long nextFakePid = 40000;
    QStringList journal;
    static constexpr int journalLimit = 1000;

    static McEngineState& instance();
    void resetLocked();
};

// Appends one line to the journal: "Class::operation(arguments)".
void mcJournal(const QString& entry);

QString mcFromWide(const std::wstring& text);
std::wstring mcToWide(const QString& text);

#endif
