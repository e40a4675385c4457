#ifndef LUKBASE_TESTS_TESTJOURNAL_H
#define LUKBASE_TESTS_TESTJOURNAL_H

#include <QStringList>
#include <QtGlobal>

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
// Entries that start with prefix, in order.
TESTJOURNAL_EXPORT QStringList entriesStartingWith(const QString& prefix);
// A number for a new plug-in handle, unique in the process (1, 2, ...; clear() restarts it).
TESTJOURNAL_EXPORT int nextHandle();
} // namespace TestJournal

#endif
