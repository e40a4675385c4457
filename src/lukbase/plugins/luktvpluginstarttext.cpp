#include "lukbaselogging_p.h"
#include "luktvpluginmanager_p.h"

namespace {

// The start text comes from the room, so the module it names must stay inside the
// plug-in's directory: no directory part ("/" or "\"), no drive or resource prefix (":"),
// which also rules out every absolute path, and not the parent directory itself. A NUL
// makes no file name at all.
bool isPlainFileName(const QString& name)
{
    if (name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.isNull())
            return false;
    }
    return true;
}

} // namespace

bool LuKtvPluginManagerPrivate::splitStartText(
    int pluginId, const QString& text, QString* moduleName, QString* arguments)
{
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    *moduleName = space < 0 ? text : text.left(space);
    *arguments = space < 0 ? QString() : text.mid(space + 1);
    if (moduleName->isEmpty() || !isPlainFileName(*moduleName)) {
        qCWarning(lcPlugins) << "plugin module name not allowed:" << pluginId << *moduleName;
        return false;
    }
    return true;
}
