#ifndef LUKBASE_TESTS_OFFSCREENNOTES_H
#define LUKBASE_TESTS_OFFSCREENNOTES_H

#include <QtGlobal>

// The offscreen platform warns once per window about what it cannot do (window masks, size
// hints, raising). Those notes concern the test platform, not the code under test: drop
// them before QtTest sees them and pass every other message on. Call from initTestCase().
inline void dropOffscreenPlatformNotes()
{
    static const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
              if (type != QtWarningMsg || !message.startsWith(QLatin1String("This plugin does not support ")))
                  previous(type, context, message);
          });
}

#endif
