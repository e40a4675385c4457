#ifndef KTVROOM_CHATPAGE_H
#define KTVROOM_CHATPAGE_H

#include "sandboxpage.h"

class LuFlowerGenerator;
class QLabel;
class QLineEdit;
class QTextBrowser;

// The room's chat: typed text leaves with a random flower's markup appended, and markup
// in received text is expanded into the flowers of the flower file.
class ChatPage : public SandboxPage
{
    Q_OBJECT

public:
    explicit ChatPage(QWidget* parent = nullptr);

    QString title() const override;
    // Sends one message and waits for the room's answer.
    void prepareScreenshot(const std::function<void()>& ready) override;

private:
    void send();
    // What the room client does with a chat line that arrives from the server.
    void receive(const QString& sender, const QString& text);

    LuFlowerGenerator* m_flowers;
    QTextBrowser* m_conversation;
    QLineEdit* m_input;
    QLabel* m_wire;
};

#endif
