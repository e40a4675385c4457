#include "luflowergenerator.h"
#include "luflowergenerator_p.h"
#include "lukbaselogging_p.h"

#include <QDateTime>
#include <QFile>

#include <climits>

namespace {

LuFlowerGenerator* s_instance = nullptr;

// Lines shorter than this, counting the line feed, are not flowers.
constexpr qsizetype kMinimumFlowerLength = 3;

// Index of a markup whose digit run does not fit an int: larger than any list position.
constexpr qint64 kOverflowedIndex = qint64(INT_MAX) + 1;

// The line decoded as UTF-8 up to its first NUL byte, with a "\r\n" ending read as "\n".
QString decodeLine(QByteArray line)
{
    if (line.endsWith("\r\n"))
        line.remove(line.size() - 2, 1);
    const qsizetype nul = line.indexOf('\0');
    return QString::fromUtf8(nul < 0 ? QByteArrayView(line) : QByteArrayView(line).first(nul));
}

} // namespace

LuFlowerGeneratorPrivate::LuFlowerGeneratorPrivate(LuFlowerGenerator* q)
    : q_ptr(q)
    , prefix(QStringLiteral("{PLUME-FLOWERS:"))
    , suffix(QStringLiteral("}"))
    , random(quint32(QDateTime::currentSecsSinceEpoch()))
{
}

void LuFlowerGeneratorPrivate::readPendingFile()
{
    if (path.isEmpty())
        return;

    QFile file(path);
    // Not in text mode: that drops lone carriage returns in the first lines read only, so a
    // flower would read differently at the start of a file. decodeLine() ends lines.
    const bool opened = file.open(QIODevice::ReadOnly);
    // Read at most once per load(), and a file that cannot be opened is not retried.
    path.clear();
    if (!opened) {
        qCWarning(lcFlower) << "open flower file failed:" << file.fileName();
        return;
    }

    while (!file.atEnd()) {
        const QString flower = decodeLine(file.readLine());
        if (flower.size() >= kMinimumFlowerLength)
            flowers.append(flower);
    }
}

LuFlowerGenerator::LuFlowerGenerator(QObject* parent)
    : QObject(parent)
    , d_ptr(new LuFlowerGeneratorPrivate(this))
{
    s_instance = this;
}

LuFlowerGenerator::~LuFlowerGenerator()
{
    if (s_instance == this)
        s_instance = nullptr;
}

LuFlowerGenerator* LuFlowerGenerator::instance()
{
    return s_instance;
}

void LuFlowerGenerator::load(const QString& path, bool now)
{
    Q_D(LuFlowerGenerator);
    d->path = path;
    if (now)
        d->readPendingFile();
}

QString LuFlowerGenerator::randomFlower()
{
    Q_D(LuFlowerGenerator);
    d->readPendingFile();
    if (d->flowers.isEmpty())
        return QString();
    const auto n = d->random.bounded(quint32(d->flowers.size()));
    return d->prefix + QString::number(n) + d->suffix;
}

QString LuFlowerGenerator::escapeFlower(const QString& text)
{
    Q_D(LuFlowerGenerator);
    d->readPendingFile();
    if (d->flowers.isEmpty())
        return text;

    // One pass: the result is built by appending, so the cost is linear in the text and
    // in the flowers inserted, and an inserted flower is never searched again.
    const QStringView source(text);
    QString result;
    qsizetype copied = 0;
    qsizetype p = source.indexOf(d->prefix);
    while (p >= 0) {
        qsizetype j = p + d->prefix.size();
        qint64 n = 0;
        while (j < source.size() && source[j] >= QLatin1Char('0') && source[j] <= QLatin1Char('9')) {
            // Saturates instead of wrapping: an index too long for an int must never read
            // as some smaller, listed index.
            n = qMin(n * 10 + (source[j].unicode() - '0'), kOverflowedIndex);
            ++j;
        }
        if (source.mid(j).startsWith(d->suffix) && n < d->flowers.size()) {
            if (result.isNull())
                result.reserve(text.size());
            result += source.mid(copied, p - copied);
            result += d->flowers.at(qsizetype(n));
            j += d->suffix.size();
            copied = j;
        }
        p = source.indexOf(d->prefix, j);
    }

    if (copied == 0)
        return text;
    result += source.mid(copied);
    return result;
}
