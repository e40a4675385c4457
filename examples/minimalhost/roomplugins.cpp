#include "roomplugins.h"

namespace {
const int kHelloPluginId = 201;
}

RoomPlugins::RoomPlugins(QObject* parent)
    : QObject(parent)
{
}

bool RoomPlugins::startHello()
{
    //! [plugin-start]
    // A built-in plug-in lies in the application directory under plugins/ktv/<id>/. The
    // start text names its module file; what follows the first space goes to its factory.
    const bool started = m_manager.start(kHelloPluginId, this, QStringLiteral(HELLO_PLUGIN_FILE " greeting=hi"));
    m_manager.joinRoom();
    m_manager.handleAppScheme(QStringLiteral("hello://wave"));
    //! [plugin-start]
    return started;
}

QList<QString> RoomPlugins::helloSchemes()
{
    return m_manager.pluginAppSchemes(kHelloPluginId);
}

void RoomPlugins::say(const char* text)
{
    Q_EMIT said(QString::fromUtf8(text));
}
