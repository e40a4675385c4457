#include "chatpage.h"

#include <lukbase/luflowergenerator.h>
#include <lukbase/lukbase.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Answers of the room's other singers; their flowers come as markup, like any chat line.
const char* const kAnswers[] = {
    "Encore! Encore!",
    "\xe5\x94\xb1\xe5\xbe\x97\xe7\x9c\x9f\xe5\xa5\xbd\xef\xbc\x81", // "sung so well!"
    "That high note though",
};

} // namespace

ChatPage::ChatPage(QWidget* parent)
    : SandboxPage(parent)
    , m_flowers(new LuFlowerGenerator(this))
    , m_conversation(new QTextBrowser(this))
    , m_input(new QLineEdit(this))
    , m_wire(new QLabel(this))
{
    // The flower file ships in the resource root; it is read on first use.
    m_flowers->load(LuKBase::flowerFilePath(QStringLiteral("flowers.txt")), false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("<h2>Room chat</h2>Your lines leave with a random flower; "
                                                "flowers in arriving lines are expanded."),
        this));
    layout->addWidget(m_conversation, 1);
    m_wire->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_wire->setStyleSheet(QStringLiteral("color: #666;"));
    m_wire->setText(QStringLiteral("On the wire: (nothing sent yet)"));
    layout->addWidget(m_wire);

    auto* row = new QHBoxLayout;
    m_input->setPlaceholderText(QStringLiteral("Say something to the room"));
    auto* sendButton = new QPushButton(QStringLiteral("Send"), this);
    row->addWidget(m_input, 1);
    row->addWidget(sendButton);
    layout->addLayout(row);
    connect(sendButton, &QPushButton::clicked, this, &ChatPage::send);
    connect(m_input, &QLineEdit::returnPressed, this, &ChatPage::send);

    // Lines that arrived before we joined, markup and all; the last one names no flower
    // of ours and stays as it came.
    receive(QStringLiteral("Mia"), QStringLiteral("Welcome to the late-night room! {PLUME-FLOWERS:0}"));
    receive(QStringLiteral("Jun"), QStringLiteral("Next up: a duet {PLUME-FLOWERS:5}"));
    receive(QStringLiteral("Ola"), QStringLiteral("From a newer client {PLUME-FLOWERS:99999999999999999999}"));
}

QString ChatPage::title() const
{
    return QStringLiteral("Chat");
}

void ChatPage::send()
{
    const QString typed = m_input->text().trimmed();
    if (typed.isEmpty())
        return;
    m_input->clear();

    const QString line = typed + QLatin1Char(' ') + m_flowers->randomFlower();
    m_wire->setText(QStringLiteral("On the wire: ") + line.toHtmlEscaped());
    // The server echoes our line back to the whole room, and someone answers.
    receive(QStringLiteral("Me"), line);
    QTimer::singleShot(400, this, [this] {
        const int pick = QRandomGenerator::global()->bounded(int(std::size(kAnswers)));
        receive(
            QStringLiteral("Leo"), QString::fromUtf8(kAnswers[pick]) + QLatin1Char(' ') + m_flowers->randomFlower());
    });
}

void ChatPage::receive(const QString& sender, const QString& text)
{
    QString shown = m_flowers->escapeFlower(text);
    // Each line is a paragraph of its own; a flower's line feed ends the line anyway.
    if (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    QString html = shown.toHtmlEscaped();
    html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    m_conversation->append(QStringLiteral("<b>%1:</b> %2").arg(sender.toHtmlEscaped(), html));
}

void ChatPage::prepareScreenshot(const std::function<void()>& ready)
{
    m_input->setText(QStringLiteral("Thanks all, one more song coming up"));
    send();
    QTimer::singleShot(600, this, ready);
}
