#ifndef KTVROOM_PLUGINPAGE_H
#define KTVROOM_PLUGINPAGE_H

#include "plugins/ktvpluginhost.h"
#include "sandboxpage.h"

#include <functional>

class LuKtvPluginManager;
class QLabel;
class QListWidget;

// Room plug-ins: a built-in one started from the application directory and a downloadable
// one that the page "downloads" from the sandbox's plug-in store when the manager asks. The
// page is the plug-ins' host and lists what they received.
class PluginPage : public SandboxPage, private LuKtvPluginHost
{
    Q_OBJECT

public:
    explicit PluginPage(QWidget* parent = nullptr);
    ~PluginPage() override;

    QString title() const override;
    void prepareScreenshot(const std::function<void()>& ready) override;

private:
    void pluginReport(const char* plugin, const char* text) override;

    QWidget* createBuiltInBox();
    QWidget* createDownloadableBox();
    QWidget* createRoomBox();

    void startEcho();
    void stopEcho();
    void startQuiz();
    // Answers the manager's download request as a real host would after fetching updateUrl.
    void download(
        int pluginId, const QString& pluginName, const QString& pluginDir, const QString& updateUrl, bool silent);
    void sendRoomEvents();

    void logRoom(const QString& text);
    void refresh();

    LuKtvPluginManager* m_manager;
    bool m_echoStarted = false;
    QLabel* m_echoState = nullptr;
    QLabel* m_echoSchemes = nullptr;
    QLabel* m_quizState = nullptr;
    QLabel* m_quizSchemes = nullptr;
    QLabel* m_quizDirectory = nullptr;
    QListWidget* m_log = nullptr;
    std::function<void()> m_afterQuizStarted;
};

#endif
