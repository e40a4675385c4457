#ifndef LUKBASE_TESTS_PLUGINFIXTURE_H
#define LUKBASE_TESTS_PLUGINFIXTURE_H

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

class LuKtvPluginHost;

// Puts the test plug-in modules where LuKtvPluginManager looks for them, and reads what
// they wrote into the test journal. Tests load the journal plug-in with "id=<n>" among its
// loader arguments, so that its journal lines can be told apart.
namespace PluginFixture {

QString journalModulePath();
QString noFactoryModulePath();
// The journal plug-in's file name ("journalplugin.so", "journalplugin.dll").
QString journalModuleName();

// Moves HOME into home and QStandardPaths into test mode, so that the data directory is a
// fresh one; call before anything asks for a path.
void useHome(const QString& home);

// The manager's debug lines, enabled for the life of the object despite QT_LOGGING_RULES.
class PluginDebugLines
{
public:
    PluginDebugLines();
    ~PluginDebugLines();

private:
    QLoggingCategory::CategoryFilter m_previous;
};

// applicationDirPath()/plugins/ktv/<id>.
QString builtInDirectory(int pluginId);
// Copies the module at source into directory (made if missing) as name, or under its own name.
bool install(const QString& source, const QString& directory, const QString& name = QString());
// Removes the application directory's plugins/ and the data directory's plugins/.
void removeInstalledPlugins();

// A host pointer that is only passed along, never called.
LuKtvPluginHost* fakeHost(quintptr value);

// The journal lines of one handle, without the "<handle>:" prefix, in order.
QStringList callsOf(int handle);
// The handle created with "id=<pluginId>" among its loader arguments; 0 if none.
int handleOf(int pluginId);
// The whole journal, with the handle of each line replaced by "id<n>" where it was created
// with "id=<n>".
QStringList journalById();

} // namespace PluginFixture

#endif
