// Received chat text: every markup that names a listed flower, and nothing else, turns into
// that flower.

#include "fuzzsupport.h"

#include <lukbase/luflowergenerator.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// The third flower holds markup itself, which must come out as it is.
const QStringList kFlowers = { QStringLiteral("F0\n"), QStringLiteral("flower one\n"),
    QStringLiteral("{PLUME-FLOWERS:0}\n"), QString::fromUtf8("\xe2\x9c\xbf\xe2\x9c\xbf\n") };
const QString kPrefix = QStringLiteral("{PLUME-FLOWERS:");

LuFlowerGenerator* s_generator = nullptr;

// The listed flower a run of digits names, or -1. Leading zeros do not count, and a run
// too long for any list position names nothing.
int flowerIndex(QStringView digits)
{
    while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
        digits = digits.mid(1);
    const int n = digits.isEmpty() ? 0 : digits.size() > 4 ? -1 : digits.toInt();
    return n >= 0 && n < kFlowers.size() ? n : -1;
}

// The expansion worked out character by character, apart from the library's search.
QString expected(QStringView text)
{
    QString result;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!text.mid(i).startsWith(kPrefix)) {
            result += text[i++];
            continue;
        }
        qsizetype j = i + kPrefix.size();
        while (j < text.size() && text[j] >= QLatin1Char('0') && text[j] <= QLatin1Char('9'))
            ++j;
        const int n = flowerIndex(text.mid(i + kPrefix.size(), j - i - kPrefix.size()));
        if (j < text.size() && text[j] == QLatin1Char('}') && n >= 0) {
            result += kFlowers.at(n);
            i = j + 1;
        } else {
            // Left as it is; the search goes on after the digits.
            result += text.mid(i, j - i);
            i = j;
        }
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    static QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("flowers.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(kFlowers.join(QString()).toUtf8()) < 0)
        std::abort();
    file.close();
    s_generator = new LuFlowerGenerator;
    s_generator->load(file.fileName(), true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString escaped = s_generator->escapeFlower(text);
    FUZZ_CHECK(escaped == expected(text), text << "gave" << escaped);
    return 0;
}
