#ifndef LUKBASE_TESTS_PLUGINFIXTURE_H
#define LUKBASE_TESTS_PLUGINFIXTURE_H

#include <QString>
#include <QStringList>
#include <QtGlobal>

class LuKtvPluginHost;

// Puts the test plug-in modules where LuKtvPluginManager looks for them, and reads what
// they wrote into the test journal. Tests load the journal plug-in with "id=<n>" among its
// loader arguments, so that its journal lines can be told apart.
namespace PluginFixture {

// The built journal plug-in and the module without a factory.
QString journalModulePath();
QString noFactoryModulePath();
// The journal plug-in's file name ("journalplugin.so", "journalplugin.dll").
QString journalModuleName();

// Moves HOME into home and puts QStandardPaths into test mode, so that the data directory
// is a fresh one; call before anything asks for a path.
void useHome(const QString& home);
// Enables the debug lines of the plug-in manager despite QT_LOGGING_RULES.
void enablePluginDebugLines();

// applicationDirPath()/plugins/ktv/<id>.
QString builtInDirectory(int pluginId);
// Copies the module at source into directory (made if missing) as name, or under its own name.
bool install(const QString& source, const QString& directory, const QString& name = QString());
// Copies the journal plug-in into builtInDirectory(pluginId).
bool installBuiltIn(int pluginId);
// Removes the application directory's plugins/ and the data directory's plugins/.
void removeInstalledPlugins();

// A host pointer that is only passed along, never called.
LuKtvPluginHost* fakeHost(quintptr value);

// The handle of the plug-in created with loader arguments that hold "id=<pluginId>"; 0 if none.
int handleOf(int pluginId);
// The journal lines of one handle, without the "<handle>:" prefix, in order.
QStringList callsOf(int handle);
// The journal lines of every handle with the handle replaced by "id<n>", for handles created
// with "id=<n>"; others keep their number.
QStringList journalById();

} // namespace PluginFixture

#endif
