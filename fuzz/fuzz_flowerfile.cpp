// Loading a flower file: each line of three characters or more becomes a flower, in file
// order, and its markup turns back into exactly that line.

#include "fuzzsupport.h"

#include <lukbase/luflowergenerator.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString s_path;

QString markup(qsizetype index)
{
    return QStringLiteral("{PLUME-FLOWERS:%1}").arg(index);
}

// The flowers worked out from the bytes: lines end at a line feed, "\r\n" reads as "\n", a
// line is cut at its first NUL, and lines shorter than three characters are skipped.
QStringList expectedFlowers(const QByteArray& bytes)
{
    QStringList flowers;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        QByteArray line = bytes.mid(start, end - start);
        start = end;
        if (line.endsWith("\r\n"))
            line.remove(line.size() - 2, 1);
        if (line.contains('\0'))
            line.truncate(line.indexOf('\0'));
        const QString flower = QString::fromUtf8(line);
        if (flower.size() >= 3)
            flowers.append(flower);
    }
    return flowers;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    static QTemporaryDir directory;
    s_path = directory.filePath(QStringLiteral("flowers.txt"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool now = input.ConsumeBool();
    const bool twice = input.ConsumeBool();
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));
    QFile file(s_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();

    LuFlowerGenerator generator;
    generator.load(s_path, now);
    QStringList flowers = expectedFlowers(bytes);
    if (twice) {
        // A second load appends; the first file must have been read already.
        (void)generator.escapeFlower(QString());
        generator.load(s_path, now);
        flowers += flowers;
    }

    for (qsizetype i = 0; i < flowers.size(); ++i)
        FUZZ_CHECK(generator.escapeFlower(markup(i)) == flowers.at(i), i << generator.escapeFlower(markup(i)));
    const QString unknown = markup(flowers.size());
    FUZZ_CHECK(generator.escapeFlower(unknown) == unknown, generator.escapeFlower(unknown));

    const QString random = generator.randomFlower();
    static const QRegularExpression pattern(QStringLiteral("^\\{PLUME-FLOWERS:(\\d+)\\}$"));
    const QRegularExpressionMatch match = pattern.match(random);
    if (flowers.isEmpty())
        FUZZ_CHECK(random.isNull(), random);
    else
        FUZZ_CHECK(match.hasMatch() && match.captured(1).toInt() < flowers.size(), random);
    return 0;
}
