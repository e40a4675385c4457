#include "pluginfixture.h"
#include "testjournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QLoggingCategory::CategoryFilter filterBeforeDebugLines = nullptr;

void enablePluginDebugLines(QLoggingCategory* category)
{
    if (filterBeforeDebugLines)
        filterBeforeDebugLines(category);
    if (qstrcmp(category->categoryName(), "lukbase.plugins") == 0)
        category->setEnabled(QtDebugMsg, true);
}

// Plug-in ids by handle, from lines such as "7:create(id=3 schemes=a)".
QHash<int, int> pluginIdsByHandle()
{
    static const QRegularExpression createLine(QStringLiteral("^(\\d+):create\\((?:.* )?id=(\\d+)(?: .*)?\\)$"));
    QHash<int, int> ids;
    const QStringList entries = TestJournal::entries();
    for (const QString& entry : entries) {
        const QRegularExpressionMatch match = createLine.match(entry);
        if (match.hasMatch())
            ids.insert(match.captured(1).toInt(), match.captured(2).toInt());
    }
    return ids;
}

} // namespace

namespace PluginFixture {

QString journalModulePath()
{
    return QStringLiteral(LUKBASE_JOURNALPLUGIN_PATH);
}

QString noFactoryModulePath()
{
    return QStringLiteral(LUKBASE_NOFACTORYPLUGIN_PATH);
}

QString journalModuleName()
{
    return QFileInfo(journalModulePath()).fileName();
}

void useHome(const QString& home)
{
    qputenv("HOME", QFile::encodeName(home));
    QStandardPaths::setTestModeEnabled(true);
}

PluginDebugLines::PluginDebugLines()
    : m_previous(QLoggingCategory::installFilter(enablePluginDebugLines))
{
    filterBeforeDebugLines = m_previous;
}

PluginDebugLines::~PluginDebugLines()
{
    QLoggingCategory::installFilter(m_previous);
}

QString builtInDirectory(int pluginId)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/plugins/ktv/") + QString::number(pluginId);
}

bool install(const QString& source, const QString& directory, const QString& name)
{
    const QString target = QDir(directory).filePath(name.isEmpty() ? QFileInfo(source).fileName() : name);
    QFile::remove(target);
    return QDir().mkpath(directory) && QFile::copy(source, target);
}

void removeInstalledPlugins()
{
    QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/plugins")).removeRecursively();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir(data + QStringLiteral("/plugins")).removeRecursively();
}

LuKtvPluginHost* fakeHost(quintptr value)
{
    return reinterpret_cast<LuKtvPluginHost*>(value);
}

QStringList callsOf(int handle)
{
    const QString prefix = QString::number(handle) + QLatin1Char(':');
    QStringList calls = TestJournal::entriesStartingWith(prefix);
    for (QString& call : calls)
        call.remove(0, prefix.size());
    return calls;
}

int handleOf(int pluginId)
{
    return pluginIdsByHandle().key(pluginId, 0);
}

QStringList journalById()
{
    const QHash<int, int> ids = pluginIdsByHandle();
    QStringList lines = TestJournal::entries();
    for (QString& line : lines) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const int handle = line.left(colon).toInt();
        if (ids.contains(handle))
            line.replace(0, colon, QStringLiteral("id") + QString::number(ids.value(handle)));
    }
    return lines;
}

} // namespace PluginFixture
