// Expands the flowers of a 1 MiB chat text holding 10,000 markups and prints the speed in
// MiB per second beside the speed of merely copying the same text.
//
//   bench_escapeflower [ROUNDS]

#include <lukbase/luflowergenerator.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kTextLength = 1024 * 1024;
constexpr int kMarkups = 10000;
constexpr int kFlowers = 64;

// Flowers of 6 to 60 characters, Latin and Chinese.
QByteArray flowerFile()
{
    QByteArray file;
    for (int i = 0; i < kFlowers; ++i) {
        const QByteArray petal = (i % 2) ? QByteArray("\xe8\x8a\xb1") : QByteArray("*~");
        file += "flower " + QByteArray::number(i) + ' ' + petal.repeated(1 + i % 20) + '\n';
    }
    return file;
}

// Chat text of kTextLength characters with kMarkups markups spread over it.
QString chatText(QRandomGenerator& random)
{
    const QString filler = QStringLiteral("la la la, what a song tonight! ");
    const int markupLength = 20;
    const int gap = kTextLength / kMarkups - markupLength;
    QString text;
    text.reserve(kTextLength + kMarkups);
    for (int i = 0; i < kMarkups; ++i) {
        const QString markup = QStringLiteral("{PLUME-FLOWERS:%1}").arg(random.bounded(kFlowers));
        for (int n = 0; n < gap + markupLength - markup.size(); ++n)
            text += filler.at(n % filler.size());
        text += markup;
    }
    while (text.size() < kTextLength)
        text += QLatin1Char('!');
    return text;
}

// The best time of rounds runs, in seconds.
double best(int rounds, const std::function<void()>& run)
{
    double fastest = 1e9;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        fastest = std::min(fastest, timer.nsecsElapsed() / 1e9);
    }
    return fastest;
}

void report(const char* what, double seconds, qsizetype characters)
{
    const double mib = characters / double(1024 * 1024);
    std::printf("%-14s %8.3f ms  %9.1f MiB/s\n", what, seconds * 1e3, mib / seconds);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("flowers.txt")));
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(flowerFile()) < 0)
        return 1;
    file.close();

    LuFlowerGenerator generator;
    generator.load(file.fileName(), true);
    QRandomGenerator random(20240601);
    const QString text = chatText(random);

    qsizetype expanded = 0;
    const double escape = best(rounds, [&] { expanded = generator.escapeFlower(text).size(); });
    qsizetype copied = 0;
    const double copy = best(rounds, [&] {
        QString duplicate(text.constData(), text.size());
        copied = duplicate.size();
    });

    std::printf("chat text: %lld characters (1 MiB), %d markups, %lld characters expanded, best of %d\n",
        qlonglong(text.size()), kMarkups, qlonglong(expanded), rounds);
    report("escapeFlower", escape, text.size());
    report("copy", copy, copied);
    return expanded > text.size() ? 0 : 1;
}
