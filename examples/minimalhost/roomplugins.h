#ifndef MINIMALHOST_ROOMPLUGINS_H
#define MINIMALHOST_ROOMPLUGINS_H

#include "pluginhost.h"

#include <lukbase/luktvpluginmanager.h>

#include <QObject>
#include <QStringList>

// The room's plug-ins, and the host's interface they talk to.
class RoomPlugins : public QObject, public LuKtvPluginHost
{
    Q_OBJECT

public:
    explicit RoomPlugins(QObject* parent = nullptr);

    // Starts the built-in hello plug-in and lets it see the room.
    bool startHello();
    QList<QString> helloSchemes();

    void say(const char* text) override;

Q_SIGNALS:
    void said(const QString& text);

private:
    // A member, so the plug-ins are stopped and released before this host interface goes.
    LuKtvPluginManager m_manager;
};

#endif
