#ifndef LUKBASE_FUZZ_FUZZSUPPORT_H
#define LUKBASE_FUZZ_FUZZSUPPORT_H

// What every fuzz target shares: the application object, a quiet log and the check that
// turns a wrong result into a finding.

#include <fuzzer/FuzzedDataProvider.h>

#include <QApplication>
#include <QDebug>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace Fuzz {

// The library's warnings are expected for hostile input; printing them would only slow
// the run. Fatal messages still end it.
inline void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "fatal: %s\n", qPrintable(message));
        std::abort();
    }
}

// A widget application on the offscreen platform for the whole run. It is never destroyed:
// what Qt keeps for the life of the process stays reachable, and so is no leak.
inline void startApplication(int* argc, char*** argv)
{
    Q_UNUSED(argc)
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    static int count = 1;
    static char* arguments[] = { (*argv)[0], nullptr };
    static QApplication* application = new QApplication(count, arguments);
    Q_UNUSED(application)
}

// A home directory of its own for the whole run, so that the library's data and settings
// files never touch the user's. Call before startApplication().
inline void useTemporaryHome()
{
    static QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QStandardPaths::setTestModeEnabled(true);
}

// A wrong result is a finding like a crash: say what was wrong and abort, so that the
// fuzzer keeps the input.
#define FUZZ_CHECK(condition, ...)                                                                                     \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            qInstallMessageHandler(nullptr);                                                                           \
            qWarning().noquote() << "check failed:" << #condition << "|" << __VA_ARGS__;                               \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// Text of at most maxLength bytes from the input, decoded as UTF-8.
inline QString takeText(FuzzedDataProvider& input, size_t maxLength)
{
    return QString::fromStdString(input.ConsumeRandomLengthString(maxLength));
}

} // namespace Fuzz

#endif
