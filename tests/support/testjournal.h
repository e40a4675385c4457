#ifndef LUKBASE_TESTS_TESTJOURNAL_H
#define LUKBASE_TESTS_TESTJOURNAL_H

#include <QStringList>
#include <QtGlobal>

#include <functional>

#ifdef LUKBASE_TESTJOURNAL_LIBRARY
#define TESTJOURNAL_EXPORT Q_DECL_EXPORT
#else
#define TESTJOURNAL_EXPORT Q_DECL_IMPORT
#endif

// The calls that test plug-in modules received, in order, from every thread.
namespace TestJournal {
TESTJOURNAL_EXPORT void record(const QString& entry);
TESTJOURNAL_EXPORT QStringList entries();
TESTJOURNAL_EXPORT void clear();
// A number for a new plug-in handle, unique in the process (1, 2, ...; clear() restarts it).
TESTJOURNAL_EXPORT int nextHandle();

// Lets a test act from inside a plug-in's call, on the calling thread: plug-ins loaded with
// the argument "reenter" call reenter() with their handle and the call they are in (both as
// journalled) before they return. No hook: nothing happens.
using ReentryHook = std::function<void(const QString& handle, const QString& call)>;
TESTJOURNAL_EXPORT void setReentryHook(const ReentryHook& hook);
TESTJOURNAL_EXPORT void reenter(const QString& handle, const QString& call);
} // namespace TestJournal

#endif
