#include "prizepage.h"
#include "extrascreenshot.h"

#include <lukbase/lugiftitem.h>
#include <lukbase/lumicbonuspopup.h>
#include <lukbase/luwinprizepopup.h>

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int kTickerWidth = 860;

const char kTickerStyle[] = R"(
QPushButton#WinPrizePrev { border-image: url(:/prizepage/up.png); border: none;
    min-width: 14px; max-width: 14px; min-height: 12px; max-height: 12px; }
QPushButton#WinPrizeNext { border-image: url(:/prizepage/down.png); border: none;
    min-width: 14px; max-width: 14px; min-height: 12px; max-height: 12px; }
)";

const char kBonusStyle[] = R"(
QPushButton#BonusClose { border-image: url(:/prizepage/close.png); border: none; }
QPushButton#BonusButton { color: white; font-size: 10px; border: 1px solid #a0500a; border-radius: 5px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffb347, stop:1 #e8650a); }
QPushButton#BonusButton:pressed { background: #c85008; }
)";

QLabel* mirrorLabel(const QSize& size, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFixedSize(size);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("QLabel { background: #2b2b33; color: #b0b0b8; }"));
    return label;
}

} // namespace

// One step of the scripted room: a single win, a sending of several gifts with one multiple
// per gift, or a notice.
struct PrizePage::Event
{
    enum Kind { Single, Group, Notice };
    Kind kind;
    QString name;
    int gift = 0;
    QList<int> multiples;
    QString text;
};

PrizePage::PrizePage(QWidget* parent)
    : SandboxPage(parent)
    , m_bonus(new LuMicBonusPopup(this))
    , m_stream(new QTimer(this))
    , m_mirrorTimer(new QTimer(this))
{
    buildGifts();
    m_script = {
        { Event::Notice, QString(), 0, {}, QStringLiteral("Welcome to room 8808: tonight's theme is love songs") },
        { Event::Single, QStringLiteral("Ann"), 0, { 20 }, QString() },
        { Event::Group, QStringLiteral("Bo"), 1, { 5, 5, 10, 500, 5 }, QString() },
        { Event::Single, QStringLiteral("Cy"), 2, { 3 }, QString() },
        { Event::Notice, QString(), 0, {}, QStringLiteral("Dee is on the microphone now") },
        { Event::Single, QStringLiteral("Eve"), 3, { 2 }, QString() },
        { Event::Single, QStringLiteral("Fay"), 0, { 1000 }, QString() },
        { Event::Group, QStringLiteral("Gus"), 2, { 2, 3, 2 }, QString() },
    };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("<h2>Prize announcements</h2>"), this));

    auto* buttons = new QHBoxLayout;
    m_pauseButton = new QPushButton(QStringLiteral("Pause the stream"), this);
    auto* bigWin = new QPushButton(QStringLiteral("A 1000-times win now"), this);
    auto* shake = new QPushButton(QStringLiteral("Shake the ticker"), this);
    auto* bonus = new QPushButton(QStringLiteral("Offer a mic bonus"), this);
    for (QPushButton* button : { m_pauseButton, bigWin, shake, bonus })
        buttons->addWidget(button);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    layout->addWidget(new QLabel(
        QStringLiteral("Win-prize ticker (a tool window of its own, mirrored here; drag it by its body):"), this));
    m_tickerMirror = mirrorLabel(QSize(kTickerWidth, 28), this);
    layout->addWidget(m_tickerMirror);

    auto* lower = new QHBoxLayout;
    auto* logColumn = new QVBoxLayout;
    logColumn->addWidget(new QLabel(QStringLiteral("Room log (horn messages are broadcast here):"), this));
    m_roomLog = new QTextBrowser(this);
    logColumn->addWidget(m_roomLog);
    lower->addLayout(logColumn, 1);
    auto* bonusColumn = new QVBoxLayout;
    bonusColumn->addWidget(new QLabel(QStringLiteral("Mic bonus popup (mirrored):"), this));
    m_bonusMirror = mirrorLabel(QSize(320, 290), this);
    bonusColumn->addWidget(m_bonusMirror);
    bonusColumn->addStretch(1);
    lower->addLayout(bonusColumn);
    layout->addLayout(lower, 1);

    buildTicker();
    m_bonus->setStyleSheet(QString::fromLatin1(kBonusStyle));
    connect(m_bonus, &LuMicBonusPopup::getBonus, this, [this] {
        log(QStringLiteral("You claimed the <b>Golden mic</b> bonus."));
        m_bonus->setRemainTime(0);
        m_bonus->close();
    });

    m_stream->setInterval(1700);
    connect(m_stream, &QTimer::timeout, this, &PrizePage::feedNext);
    m_mirrorTimer->setInterval(100);
    connect(m_mirrorTimer, &QTimer::timeout, this, &PrizePage::refreshMirrors);

    connect(m_pauseButton, &QPushButton::clicked, this, [this] {
        if (m_stream->isActive())
            m_stream->stop();
        else
            m_stream->start();
        m_pauseButton->setText(
            m_stream->isActive() ? QStringLiteral("Pause the stream") : QStringLiteral("Resume the stream"));
    });
    connect(bigWin, &QPushButton::clicked, this, &PrizePage::bigWinNow);
    connect(shake, &QPushButton::clicked, this, [this] { m_ticker->vibrateNotify(); });
    connect(bonus, &QPushButton::clicked, this, &PrizePage::offerBonus);
    refreshMirrors();
}

PrizePage::~PrizePage()
{
    // The ticker holds its own references; the records live until both have let go.
    for (LuGiftItem* gift : std::as_const(m_gifts))
        gift->release();
}

QString PrizePage::title() const
{
    return QStringLiteral("Prizes");
}

void PrizePage::buildGifts()
{
    const struct
    {
        int id;
        int type;
        const char* name;
        qint64 price;
        const char* picture;
    } catalogue[] = {
        { 1, 1, "Rose", 10, "rose" },
        { 2, 1, "Lucky Star", 100, "star" },
        { 3, 0, "Heart", 1, "heart" },
        { 4, 0, "Sports Car", 5000, "car" },
    };
    for (const auto& entry : catalogue) {
        const QString thumbnail = QStringLiteral(":/prizepage/%1.png").arg(QLatin1String(entry.picture));
        auto* gift = new LuGiftItem(entry.id, entry.type, 0, QString::fromLatin1(entry.name), QStringLiteral("piece"),
            entry.price, entry.price * 8 / 10, thumbnail, QString(), QString(), 0);
        gift->ref();
        m_gifts.append(gift);
    }
}

void PrizePage::buildTicker()
{
    delete m_ticker;
    m_ticker = new LuWinPrizePopup(this);
    m_ticker->setStyleSheet(QString::fromLatin1(kTickerStyle));
    m_ticker->resize(kTickerWidth, m_ticker->height());
    connect(m_ticker, &LuWinPrizePopup::showHornMsg, this,
        [this](int, const QString& message) { log(QStringLiteral("<b>[horn]</b> ") + message); });
}

void PrizePage::feedNext()
{
    feed(m_script.at(m_nextEvent));
    m_nextEvent = (m_nextEvent + 1) % m_script.size();
}

void PrizePage::feed(const Event& event)
{
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    static int nextId = 1;
    LuGiftItem* gift = m_gifts.at(event.gift);
    const QString sender = QStringLiteral("<b>%1</b>").arg(event.name.toHtmlEscaped());
    switch (event.kind) {
    case Event::Single:
        log(QStringLiteral("%1 sent a %2 and won %3 times its price.")
                .arg(sender, gift->name().toHtmlEscaped(), QString::number(event.multiples.first())));
        m_ticker->addPrize(event.name, nextId++, gift->price(), event.multiples.first(), now, gift);
        break;
    case Event::Group: {
        QStringList wins;
        for (int multiple : event.multiples)
            wins.append(QString::number(multiple));
        log(QStringLiteral("%1 sent %2 x %3, one win per gift: %4.")
                .arg(sender, QString::number(event.multiples.size()), gift->name().toHtmlEscaped(),
                    wins.join(QStringLiteral(", "))));
        m_ticker->addPrize(
            event.name, nextId++, gift->price(), LuWinPrizePopup::makeMultiples(event.multiples), now, gift);
        break;
    }
    case Event::Notice:
        log(QStringLiteral("<i>%1</i>").arg(event.text.toHtmlEscaped()));
        m_ticker->addMessage(QImage(QStringLiteral(":/prizepage/notice.png")), event.text);
        break;
    }
    showTicker();
}

void PrizePage::bigWinNow()
{
    feed({ Event::Single, QStringLiteral("You"), 3, { 1000 }, QString() });
}

void PrizePage::offerBonus()
{
    m_bonus->setTitle(QStringLiteral("Great singing: a bonus!"));
    m_bonus->setItem(QStringLiteral("Golden mic"), QPixmap(QStringLiteral(":/prizepage/mic.png")));
    m_bonus->setRemainTime(15);
    m_bonus->move(mapToGlobal(QPoint(width() - m_bonus->width() - 20, 120)));
    m_bonus->show();
    log(QStringLiteral("A mic bonus is offered for 15 seconds."));
}

void PrizePage::showTicker()
{
    // Where the host puts it, unless the user has dragged it elsewhere.
    if (!m_ticker->isMoved())
        m_ticker->move(mapToGlobal(QPoint(10, height() - m_ticker->height() - 10)));
    if (!m_ticker->isVisible())
        m_ticker->show();
}

void PrizePage::refreshMirrors()
{
    if (m_ticker && m_ticker->isVisible())
        m_tickerMirror->setPixmap(renderPicture(m_ticker));
    else
        m_tickerMirror->setText(QStringLiteral("(closed: it opens again with the next line)"));
    if (m_bonus->isVisible())
        m_bonusMirror->setPixmap(renderPicture(m_bonus));
    else
        m_bonusMirror->setText(QStringLiteral("(no bonus offered)"));
}

void PrizePage::log(const QString& html)
{
    const QString time = QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
    m_roomLog->append(QStringLiteral("<span style=\"color:gray\">%1</span> %2").arg(time, html));
}

void PrizePage::showEvent(QShowEvent* event)
{
    SandboxPage::showEvent(event);
    m_stream->start();
    m_mirrorTimer->start();
}

void PrizePage::hideEvent(QHideEvent* event)
{
    m_stream->stop();
    m_mirrorTimer->stop();
    m_ticker->hide();
    m_bonus->hide();
    SandboxPage::hideEvent(event);
}

void PrizePage::prepareScreenshot(const std::function<void()>& ready)
{
    // A fresh ticker with a notice, a sending of several gifts and a single big win, both
    // big enough for a horn text; the picture is taken once the last line has slid into place.
    m_stream->stop();
    m_roomLog->clear();
    buildTicker();
    auto* done = new QTimer(this);
    done->setSingleShot(true);
    connect(done, &QTimer::timeout, this, [this, done, ready] {
        done->deleteLater();
        refreshMirrors();
        ready();
    });
    // The last line's horn comes when it becomes current; its slide takes 1.4 s.
    auto horns = std::make_shared<int>(0);
    connect(m_ticker, &LuWinPrizePopup::showHornMsg, done, [done, horns] {
        if (++*horns == 2)
            done->start(1800);
    });
    feed(m_script.at(0));
    feed(m_script.at(2));
    feed(m_script.at(6));
    offerBonus();
    done->start(10000); // should the horns never come
}
