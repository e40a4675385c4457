// Prize multiples and horn texts built from any names and numbers, and the win-prize ticker
// fed any stream of prizes and messages.
//
// Checked: the grouping counts every win once, in ascending order; a horn text is the
// template with the names as typed (escaped, as the text is rich text) and the amounts in
// full; the ticker keeps at most 256 lines, always the newest, announces a line at most once
// and only a win of 500 or more, and gives back every gift reference it took.

#include "fuzzsupport.h"

#include <lukbase/lugiftitem.h>
#include <lukbase/luwinprizepopup.h>

#include "prize/luwinprizepopup_p.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QTimerEvent>

#include <climits>
#include <map>

using Multiples = QList<LuWinPrizeMultiple>;

namespace {

constexpr int kMaxLines = 256;

class CountedGift : public LuGiftItem
{
public:
    explicit CountedGift(const QString& name)
        : LuGiftItem(1, 0, 0, name, QString(), 10, 8, QString(), QString(), QString(), 0)
    {
        ++alive;
    }
    ~CountedGift() override { --alive; }
    static inline int alive = 0;
};

QString stamp(qint64 time)
{
    if (time == 0)
        return QString();
    return QLatin1Char('(') + QDateTime::fromSecsSinceEpoch(quint32(time)).toString(QStringLiteral("hh:mm:ss"))
        + QLatin1Char(')');
}

QString horn(const QString& name, const QString& gift, const QString& won, quint64 total, qint64 time)
{
    return QStringLiteral("<font color=#DD1303>Congratulations to ") + name.toHtmlEscaped()
        + QStringLiteral(" present ") + gift.toHtmlEscaped() + QStringLiteral(" win ") + won
        + QStringLiteral(" totally ") + QString::number(qint64(total)) + QStringLiteral(" money") + stamp(time)
        + QStringLiteral("</font>");
}

QString singleHorn(const QString& name, const QString& gift, qint64 price, qint64 multiple, qint64 time)
{
    return horn(
        name, gift, QString::number(multiple) + QStringLiteral(" multiple,"), quint64(price) * quint64(multiple), time);
}

QString groupHorn(const QString& name, const QString& gift, qint64 price, const Multiples& multiples, qint64 time)
{
    QString parts;
    quint64 total = 0;
    for (const LuWinPrizeMultiple& m : multiples) {
        parts += QStringLiteral("%1 multiple %2 times,").arg(m.multiple()).arg(m.times());
        total += quint64(qint64(m.multiple()) * m.times()) * quint64(price);
    }
    return horn(name, gift, parts, total, time);
}

void checkMultiples(const QList<int>& wins, const Multiples& grouped)
{
    std::map<int, int> counts;
    for (int win : wins)
        ++counts[win];
    FUZZ_CHECK(grouped.size() == qsizetype(counts.size()), wins);
    auto expected = counts.cbegin();
    for (const LuWinPrizeMultiple& m : grouped) {
        FUZZ_CHECK(m.multiple() == expected->first && m.times() == expected->second, wins << m.multiple() << m.times());
        ++expected;
    }
}

Multiples takeMultiples(FuzzedDataProvider& input)
{
    const int count = input.ConsumeIntegralInRange(0, 12);
    QList<int> wins;
    for (int i = 0; i < count; ++i)
        wins.append(input.ConsumeBool() ? input.ConsumeIntegralInRange(0, 1000) : input.ConsumeIntegral<int>());
    if (input.ConsumeBool()) {
        const Multiples grouped = LuWinPrizePopup::makeMultiples(wins);
        checkMultiples(wins, grouped);
        return grouped;
    }
    // Any list a host may pass, unsorted and with any counts.
    Multiples multiples;
    for (int i = 0; i + 1 < wins.size(); i += 2)
        multiples.append(LuWinPrizeMultiple(wins.at(i), wins.at(i + 1)));
    return multiples;
}

int largest(const Multiples& multiples)
{
    int most = INT_MIN;
    for (const LuWinPrizeMultiple& m : multiples)
        most = qMax(most, m.multiple());
    return most;
}

// One run of the ticker: its lines, the horn texts it may still send, and those it sent.
class Ticker
{
public:
    explicit Ticker(FuzzedDataProvider& input)
        : m_input(input)
    {
        for (int i = 0; i < 3; ++i) {
            m_gifts.append(new CountedGift(Fuzz::takeText(input, 16)));
            m_gifts.constLast()->ref();
        }
        QObject::connect(&m_popup, &LuWinPrizePopup::showHornMsg, [this](int icon, const QString& text) {
            FUZZ_CHECK(icon == 1 && m_horns.remove(text), "unexpected horn" << icon << text);
        });
    }
    ~Ticker()
    {
        for (LuGiftItem* gift : std::as_const(m_gifts))
            gift->release();
    }

    void addPrize()
    {
        const QString name = Fuzz::takeText(m_input, 24) + QStringLiteral(" #%1").arg(m_lines);
        LuGiftItem* gift = m_gifts.at(m_input.ConsumeIntegralInRange(0, 2));
        const qint64 price = m_input.ConsumeIntegral<qint64>();
        const qint64 time = m_input.ConsumeBool() ? 0 : m_input.ConsumeIntegral<qint64>();
        if (m_input.ConsumeBool()) {
            const int multiple = m_input.ConsumeIntegral<int>();
            const QString text = singleHorn(name, gift->name(), price, multiple, time);
            const QString made = LuWinPrizePopup::makeHornMessage(name, gift->name(), price, qint64(multiple), time);
            FUZZ_CHECK(made == text, made << "instead of" << text);
            m_newestHorn = multiple >= 500 ? text : QString();
            if (!m_newestHorn.isEmpty())
                m_horns.insert(m_newestHorn);
            m_popup.addPrize(name, 0, price, multiple, time, gift);
        } else {
            const Multiples multiples = takeMultiples(m_input);
            const QString text = groupHorn(name, gift->name(), price, multiples, time);
            const QString made = LuWinPrizePopup::makeHornMessage(name, gift->name(), price, multiples, time);
            FUZZ_CHECK(made == text, made << "instead of" << text);
            // The largest multiple decides, wherever the list has it.
            m_newestHorn = !multiples.isEmpty() && largest(multiples) >= 500 ? text : QString();
            if (!m_newestHorn.isEmpty())
                m_horns.insert(m_newestHorn);
            m_popup.addPrize(name, 0, price, multiples, time, gift);
        }
        checkNewest(name);
    }

    void addMessages(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString text = QStringLiteral("message #%1").arg(m_lines);
            m_popup.addMessage(QImage(), text);
            m_newestHorn.clear();
            checkNewest(QString(), text);
        }
    }

    void run()
    {
        while (m_input.remaining_bytes() > 0) {
            switch (m_input.ConsumeIntegralInRange(0, 5)) {
            case 0:
                addPrize();
                break;
            case 1:
                addMessages(m_input.ConsumeBool() ? 1 : m_input.ConsumeIntegralInRange(1, 300));
                break;
            case 2:
                tick(m_input.ConsumeIntegralInRange(1, 40));
                break;
            case 3:
                m_input.ConsumeBool() ? d()->prevMessage() : d()->nextMessage();
                break;
            default: {
                m_popup.resize(m_input.ConsumeIntegralInRange(60, 600), 28);
                QImage image(m_popup.size(), QImage::Format_ARGB32_Premultiplied);
                m_popup.render(&image);
                break;
            }
            }
        }
        // A win still waiting when the ticker reaches the last line is announced by then.
        for (int i = 0; i < 40 * kMaxLines && (d()->current < d()->entries.size() - 1 || d()->offset > 0); ++i)
            tick(1);
        FUZZ_CHECK(m_newestHorn.isEmpty() || !m_horns.contains(m_newestHorn), "never announced:" << m_newestHorn);
    }

private:
    LuWinPrizePopupPrivate* d() { return LuWinPrizePopupPrivate::get(&m_popup); }

    void tick(int count)
    {
        QTimerEvent event(d()->timerId);
        for (int i = 0; i < count && d()->timerId != 0; ++i)
            QCoreApplication::sendEvent(&m_popup, &event);
    }

    // The line just added is kept, however many came before.
    void checkNewest(const QString& name, const QString& text = QString())
    {
        ++m_lines;
        const QList<LuWinPrizeEntry*>& entries = d()->entries;
        FUZZ_CHECK(entries.size() == qMin(m_lines, kMaxLines), entries.size() << m_lines);
        FUZZ_CHECK(entries.constLast()->name == name && (text.isNull() || entries.constLast()->text == text),
            "newest line lost:" << name << text);
    }

    FuzzedDataProvider& m_input;
    QList<LuGiftItem*> m_gifts;
    // The horn texts the lines added may still send; the newest line's, if it is a big win.
    QSet<QString> m_horns;
    QString m_newestHorn;
    int m_lines = 0;
    LuWinPrizePopup m_popup;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    {
        Ticker ticker(input);
        ticker.run();
    }
    // The shakes the horns asked for come due while later inputs run.
    QCoreApplication::processEvents();
    FUZZ_CHECK(CountedGift::alive == 0, CountedGift::alive << "gifts never released");
    return 0;
}
