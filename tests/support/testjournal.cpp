#include "testjournal.h"

#include <QMutex>

namespace {
QMutex journalMutex;
QStringList journalEntries;
int handleCount = 0;
TestJournal::ReentryHook reentryHook;
} // namespace

namespace TestJournal {

void record(const QString& entry)
{
    QMutexLocker locker(&journalMutex);
    journalEntries.append(entry);
}

QStringList entries()
{
    QMutexLocker locker(&journalMutex);
    return journalEntries;
}

void clear()
{
    QMutexLocker locker(&journalMutex);
    journalEntries.clear();
    handleCount = 0;
}

int nextHandle()
{
    QMutexLocker locker(&journalMutex);
    return ++handleCount;
}

void setReentryHook(const ReentryHook& hook)
{
    QMutexLocker locker(&journalMutex);
    reentryHook = hook;
}

void reenter(const QString& handle, const QString& call)
{
    ReentryHook hook;
    {
        QMutexLocker locker(&journalMutex);
        hook = reentryHook;
    }
    if (hook)
        hook(handle, call);
}

} // namespace TestJournal
