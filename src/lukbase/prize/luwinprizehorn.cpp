#include "luwinprizepopup.h"

#include <QDateTime>
#include <QMap>

namespace {

// The moment of a win as the room's clock showed it; empty for no time. Only the low 32
// bits of the time count, as unsigned seconds.
QString clockStamp(qint64 time)
{
    if (time == 0)
        return QString();
    return QDateTime::fromSecsSinceEpoch(quint32(time)).toString(QStringLiteral("'('hh:mm:ss')'"));
}

QString hornLine(const QString& body, qint64 time)
{
    return QStringLiteral("<font color=#DD1303>%1%2</font>").arg(body, clockStamp(time));
}

// Money wraps modulo 2^64 like the server's; unsigned arithmetic keeps that free of
// undefined behaviour.
qint64 wrappingProduct(qint64 a, qint64 b)
{
    return qint64(quint64(a) * quint64(b));
}

} // namespace

QList<LuWinPrizeMultiple> LuWinPrizePopup::makeMultiples(const QList<int>& multiples)
{
    QMap<int, int> counts;
    for (int multiple : multiples)
        ++counts[multiple];

    QList<LuWinPrizeMultiple> grouped;
    grouped.reserve(counts.size());
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        grouped.append(LuWinPrizeMultiple(it.key(), it.value()));
    return grouped;
}

QString LuWinPrizePopup::makeHornMessage(
    const QString& name, const QString& giftName, qint64 price, qint64 multiple, qint64 time)
{
    const qint64 total = wrappingProduct(price, multiple);
    // Every peer shows the horn as rich text: names are escaped, so that they show as typed
    // and never as markup. One call for all values, so that a "%1" typed into a name stays.
    const QString body
        = tr("Congratulations to %1 present %2 win %3 multiple, totally %4 money")
              .arg(name.toHtmlEscaped(), giftName.toHtmlEscaped(), QString::number(multiple), QString::number(total));
    return hornLine(body, time);
}

QString LuWinPrizePopup::makeHornMessage(
    const QString& name, const QString& giftName, qint64 price, const QList<LuWinPrizeMultiple>& multiples, qint64 time)
{
    QString parts;
    quint64 total = 0;
    for (const LuWinPrizeMultiple& m : multiples) {
        const qint64 wins = qint64(m.multiple()) * m.times(); // two 32-bit values: cannot overflow
        total += quint64(wrappingProduct(wins, price));
        parts += tr("%1 multiple %2 times,").arg(QString::number(m.multiple()), QString::number(m.times()));
    }
    const QString body
        = tr("Congratulations to %1 present %2 win %3 totally %4 money")
              .arg(name.toHtmlEscaped(), giftName.toHtmlEscaped(), parts, QString::number(qint64(total)));
    return hornLine(body, time);
}
