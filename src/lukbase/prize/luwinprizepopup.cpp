#include "luwinprizepopup.h"
#include "luwinprizepopup_p.h"

#include "lukbaselogging_p.h"

#include <lukbase/lugiftitem.h>

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QSpacerItem>
#include <QTimer>
#include <QTimerEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kPopupHeight = 28;
// A line chosen with the buttons stays for this many ticks; the next one hands the bar back
// to the ticker.
constexpr int kBrowseTicks = 21;
// Idle ticks on the last line before the popup closes itself (about six seconds).
constexpr int kIdleTicks = 31;

// How fast the ticker runs, by the number of lines left to show (the shown one included):
// the more wait, the faster each slides in and the sooner the next follows. A shake runs at
// the slowest pace.
struct Pace
{
    int moreThan; // lines left
    int slideStep; // pixels per tick
    int waitTicks; // ticks a settled line stays before the next slides in
};
constexpr Pace kPaces[] = { { 4, 20, 0 }, { 2, 12, 2 }, { 1, 8, 3 }, { 0, 4, 6 } };

Pace paceFor(int remaining, bool shaking)
{
    for (const Pace& pace : kPaces) {
        if (!shaking && remaining > pace.moreThan)
            return pace;
    }
    return kPaces[std::size(kPaces) - 1];
}

} // namespace

LuWinPrizePopupPrivate::LuWinPrizePopupPrivate(LuWinPrizePopup* q)
    : q_ptr(q)
{
}

LuWinPrizePopupPrivate::~LuWinPrizePopupPrivate()
{
    // Each line gives its gift reference back.
    qDeleteAll(entries);
}

void LuWinPrizePopupPrivate::init()
{
    Q_Q(LuWinPrizePopup);
    background.load(QStringLiteral(":/pics/luckbg.png"));
    redBackground.load(QStringLiteral(":/pics/luckbg_red.png"));
    digitTiles.load(QStringLiteral(":/pics/luckgold.png"));
    font.setPointSize(14);

    auto* row = new QHBoxLayout(q);
    row->setContentsMargins(5, 0, 5, 0);
    row->addItem(new QSpacerItem(10, 10, QSizePolicy::Expanding, QSizePolicy::Minimum));

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    row->addLayout(buttons);

    auto makeButton = [&](const QString& objectName) {
        auto* button = new QPushButton(q);
        button->setObjectName(objectName);
        buttons->addWidget(button);
        return button;
    };
    prevButton = makeButton(QStringLiteral("WinPrizePrev"));
    QObject::connect(prevButton, &QPushButton::clicked, q, &LuWinPrizePopup::prevMessage);
    nextButton = makeButton(QStringLiteral("WinPrizeNext"));
    QObject::connect(nextButton, &QPushButton::clicked, q, &LuWinPrizePopup::nextMessage);
    // The host draws the buttons without text: their tooltips name them for screen readers too.
    retranslate();
}

void LuWinPrizePopupPrivate::addEntry(const LuWinPrizeEntry& entry)
{
    Q_Q(LuWinPrizePopup);
    if (entries.size() >= maxEntries)
        dropOldestHiddenEntry();
    entries.append(new LuWinPrizeEntry(entry));
    if (timerId == 0)
        timerId = q->startTimer(tickInterval);
    if (current == 0)
        announce(0);
}

// Makes room in a full ticker without touching what is on screen: the line browsed to, the
// current line and, while it slides out, the one before it.
void LuWinPrizePopupPrivate::dropOldestHiddenEntry()
{
    int index = 0;
    while (index == browse || index == current || (offset > 0 && index == current - 1))
        ++index;
    delete entries.takeAt(index);
    if (index < current)
        --current;
    if (index < browse)
        --browse;
}

void LuWinPrizePopupPrivate::announce(int index)
{
    Q_Q(LuWinPrizePopup);
    if (index < 0 || index >= entries.size())
        return;
    LuWinPrizeEntry* entry = entries.at(index);
    if (!entry->gift || entry->announced)
        return;
    // Marked first: a host that adds lines from its horn slot must not see this one again.
    entry->announced = true;

    QString horn;
    if (entry->multiples.isEmpty()) {
        if (entry->multiple < hornMultiple)
            return;
        horn = LuWinPrizePopup::makeHornMessage(
            entry->name, entry->gift->name(), entry->price, qint64(entry->multiple), entry->time);
    } else {
        // The largest multiple decides, wherever it stands: a host may pass an unsorted list.
        const auto largest = std::max_element(entry->multiples.cbegin(), entry->multiples.cend(),
            [](const LuWinPrizeMultiple& a, const LuWinPrizeMultiple& b) { return a.multiple() < b.multiple(); });
        if (largest->multiple() < hornMultiple)
            return;
        horn = LuWinPrizePopup::makeHornMessage(
            entry->name, entry->gift->name(), entry->price, entry->multiples, entry->time);
    }
    Q_EMIT q->showHornMsg(1, horn);
    QTimer::singleShot(hornToShakeDelay, q, &LuWinPrizePopup::vibrateNotify);
}

int LuWinPrizePopupPrivate::slideStep(int remaining) const
{
    return paceFor(remaining, isShaking()).slideStep;
}

bool LuWinPrizePopupPrivate::mayAdvance(int remaining) const
{
    return ticks >= paceFor(remaining, isShaking()).waitTicks;
}

void LuWinPrizePopupPrivate::tick()
{
    Q_Q(LuWinPrizePopup);
    if (browse != -1) {
        if (ticks >= kBrowseTicks) {
            browse = -1;
            ticks = 0;
            q->update();
        } else {
            ++ticks;
        }
        return;
    }

    const int count = int(entries.size());
    const int remaining = count - current;
    if (offset > 0) {
        offset = qMax(0, offset - slideStep(remaining));
        q->update();
        return;
    }
    if (current != count - 1) {
        if (!mayAdvance(remaining)) {
            ++ticks;
            return;
        }
        ++current;
        ticks = 0;
        offset = q->height();
        q->update();
        announce(current);
        return;
    }
    if (q->testAttribute(Qt::WA_UnderMouse))
        return;
    // The count stops once it has closed the popup, which then closes again on every tick.
    if (ticks >= kIdleTicks)
        q->close();
    else
        ++ticks;
}

void LuWinPrizePopupPrivate::prevMessage()
{
    Q_Q(LuWinPrizePopup);
    const int shown = browse != -1 ? browse : current;
    if (shown >= 1) {
        browse = shown - 1;
        offset = 0;
        q->update();
    }
    ticks = 0;
}

void LuWinPrizePopupPrivate::nextMessage()
{
    Q_Q(LuWinPrizePopup);
    const int last = int(entries.size()) - 1;
    if (browse == -1) {
        if (current < last) {
            // A slide still running is finished by showing its line in place.
            browse = offset <= 0 ? current + 1 : current;
            offset = 0;
            q->update();
        }
    } else if (browse < last) {
        ++browse;
        offset = 0;
        q->update();
    }
    ticks = 0;
}

QString LuWinPrizePopupPrivate::prizeText(const LuWinPrizeEntry& entry)
{
    // One arg() call for all values, so that a "%1" inside a name is shown as typed.
    const QString giftName = entry.gift->name();
    if (entry.multiples.isEmpty()) {
        return LuWinPrizePopup::tr("Congratulations to [%1] present %2 win %3 multiple prize total")
            .arg(entry.name, giftName, QString::number(entry.multiple));
    }
    QString parts;
    for (const LuWinPrizeMultiple& m : entry.multiples)
        parts += LuWinPrizePopup::tr("%1 multiple %2 times,")
                     .arg(QString::number(m.multiple()), QString::number(m.times()));
    return LuWinPrizePopup::tr("Congratulations to [%1] present %2 win %3 total").arg(entry.name, giftName, parts);
}

void LuWinPrizePopupPrivate::retranslate()
{
    Q_Q(LuWinPrizePopup);
    prevButton->setToolTip(LuWinPrizePopup::tr("Previous"));
    prevButton->setAccessibleName(prevButton->toolTip());
    nextButton->setToolTip(LuWinPrizePopup::tr("Next"));
    nextButton->setAccessibleName(nextButton->toolTip());
    // Messages are the host's texts; a group line built from no wins has no text.
    for (LuWinPrizeEntry* entry : std::as_const(entries)) {
        if (entry->gift && !entry->text.isEmpty())
            entry->text = prizeText(*entry);
    }
    q->update();
}

// The fields both forms of addPrize share; false when the line is refused.
bool LuWinPrizePopupPrivate::startPrizeEntry(
    LuWinPrizeEntry* entry, const QString& name, int id, qint64 price, qint64 time, LuGiftItem* gift) const
{
    if (!gift) {
        qCWarning(lcPrize) << "win prize without gift refused:" << name;
        return false;
    }
    entry->id = id;
    entry->price = price;
    entry->time = time;
    entry->name = name;
    entry->setGift(gift);
    return true;
}

LuWinPrizePopup::LuWinPrizePopup(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
    , d_ptr(new LuWinPrizePopupPrivate(this))
{
    Q_D(LuWinPrizePopup);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedHeight(kPopupHeight);
    d->init();
}

LuWinPrizePopup::~LuWinPrizePopup() = default;

void LuWinPrizePopup::addPrize(const QString& name, int id, qint64 price, int multiple, qint64 time, LuGiftItem* gift)
{
    Q_D(LuWinPrizePopup);
    LuWinPrizeEntry entry;
    if (!d->startPrizeEntry(&entry, name, id, price, time, gift))
        return;
    entry.multiple = multiple;
    entry.text = LuWinPrizePopupPrivate::prizeText(entry);
    d->addEntry(entry);
}

void LuWinPrizePopup::addPrize(const QString& name, int id, qint64 price, const QList<LuWinPrizeMultiple>& multiples,
    qint64 time, LuGiftItem* gift)
{
    Q_D(LuWinPrizePopup);
    LuWinPrizeEntry entry;
    if (!d->startPrizeEntry(&entry, name, id, price, time, gift))
        return;
    entry.multiples = multiples;
    if (!multiples.isEmpty()) {
        // The sum wraps in 32 bits; unsigned arithmetic keeps that well defined.
        quint32 sum = 0;
        for (const LuWinPrizeMultiple& m : multiples)
            sum += quint32(m.multiple()) * quint32(m.times());
        entry.multiple = int(sum);
        entry.text = LuWinPrizePopupPrivate::prizeText(entry);
    }
    d->addEntry(entry);
}

void LuWinPrizePopup::addMessage(const QImage& image, const QString& text)
{
    Q_D(LuWinPrizePopup);
    LuWinPrizeEntry entry;
    entry.image = image;
    entry.text = text;
    d->addEntry(entry);
}

bool LuWinPrizePopup::isMoved() const
{
    Q_D(const LuWinPrizePopup);
    return d->moved;
}

void LuWinPrizePopup::prevMessage()
{
    Q_D(LuWinPrizePopup);
    d->prevMessage();
}

void LuWinPrizePopup::nextMessage()
{
    Q_D(LuWinPrizePopup);
    d->nextMessage();
}

void LuWinPrizePopup::timerEvent(QTimerEvent* event)
{
    Q_D(LuWinPrizePopup);
    const int id = event->timerId();
    if (id == d->timerId)
        d->tick();
    else if (id == d->shakeTimerId)
        d->shakeTick();
    else if (id == d->shakeStepTimer.timerId())
        d->shakeStepTick();
    else
        QWidget::timerEvent(event);
}

void LuWinPrizePopup::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    Q_D(LuWinPrizePopup);
    QPainter painter(this);
    d->paint(painter);
}

void LuWinPrizePopup::changeEvent(QEvent* event)
{
    Q_D(LuWinPrizePopup);
    if (event->type() == QEvent::LanguageChange)
        d->retranslate();
    QWidget::changeEvent(event);
}

void LuWinPrizePopup::resizeEvent(QResizeEvent* event)
{
    Q_D(LuWinPrizePopup);
    d->updateMask();
    QWidget::resizeEvent(event);
}
