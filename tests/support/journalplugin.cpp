// A room plug-in that writes every call it receives into the test journal.
//
// Each journal line reads "<handle>:<operation>(<arguments>)", where the handle is "id<n>"
// for a handle created with "id=<n>" among its loader arguments, and otherwise its number in
// creation order. The loader's argument text configures it:
//   "refuse"            luCreatePlugin returns null
//   "schemes=a,b,a"     appSchemes() lists a, b, a
//   "reenter"           the creation, control(), handleProtocol() and handleAppScheme()
//                       pass the handle and the call to the test's re-entry hook before
//                       they return
// and is otherwise only recorded.

#include <lucore/luplugin.h>

#include "testjournal.h"

#include <QByteArrayList>
#include <QString>

#include <utility>
#include <vector>

namespace {

class JournalPlugin : public LuPlugin
{
public:
    explicit JournalPlugin(const QByteArray& arguments)
        : m_handle(QString::number(TestJournal::nextHandle()))
    {
        for (const QByteArray& option : arguments.split(' ')) {
            if (option.startsWith("schemes="))
                m_schemes = option.mid(8).split(',');
            else if (option.startsWith("id="))
                m_handle = QStringLiteral("id") + QString::fromUtf8(option.mid(3));
            else if (option == "reenter")
                m_reenter = true;
        }
        for (const QByteArray& scheme : m_schemes)
            m_schemePointers.push_back(scheme.constData());
        m_schemePointers.push_back(nullptr);
        called(QStringLiteral("create(%1)").arg(QString::fromUtf8(arguments)));
    }

    void release() override
    {
        note("release()");
        delete this;
    }

    const char** appSchemes() override
    {
        note("appSchemes()");
        return m_schemes.isEmpty() ? nullptr : m_schemePointers.data();
    }

    int control(int code, intptr_t first, intptr_t second) override
    {
        called(command(code, first, second));
        return 0;
    }

    int handleProtocol(int type, const char* data, int length) override
    {
        const QString text = data ? QString::fromUtf8(data, length) : "null";
        called(QStringLiteral("handleProtocol(%1, %2, %3)").arg(QString::number(type), text, QString::number(length)));
        return 0;
    }

    int handleAppScheme(const char* link) override
    {
        called(QStringLiteral("handleAppScheme(%1)").arg(QString::fromUtf8(link)));
        return 0;
    }

private:
    ~JournalPlugin() override = default;

    // A command by its name: "start(<host>, <start text>)", "stop()", "show()", "hide()" or
    // "roomJoined()"; one with other arguments by its numbers.
    static QString command(int code, intptr_t first, intptr_t second)
    {
        const char* name = code == Stop ? "stop()" : code == RoomJoined ? "roomJoined()" : nullptr;
        if (code == Visibility && (first == Show || first == Hide))
            name = std::exchange(first, 0) == Show ? "show()" : "hide()";
        if (code == Start && second)
            return QStringLiteral("start(%1, %2)")
                .arg(QString::number(qint64(first)), QString::fromUtf8(reinterpret_cast<const char*>(second)));
        if (name && first == 0 && second == 0)
            return QLatin1String(name);
        return QStringLiteral("control(%1, %2, %3)")
            .arg(QString::number(code), QString::number(qint64(first)), QString::number(qint64(second)));
    }

    void note(const QString& call) { TestJournal::record(m_handle + QLatin1Char(':') + call); }

    // Calls that a host may answer by calling back into the plug-in's manager.
    void called(const QString& call)
    {
        note(call);
        if (m_reenter)
            TestJournal::reenter(m_handle, call);
    }

    QString m_handle;
    bool m_reenter = false;
    QByteArrayList m_schemes;
    std::vector<const char*> m_schemePointers;
};

} // namespace

extern "C" LU_PLUGIN_EXPORT LuPlugin* luCreatePlugin(const char* arguments)
{
    const QByteArray text(arguments ? arguments : "");
    if (text.split(' ').contains("refuse")) {
        TestJournal::record(QStringLiteral("0:refused(%1)").arg(QString::fromUtf8(text)));
        return nullptr;
    }
    return new JournalPlugin(text);
}
