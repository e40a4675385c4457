#include "gifwriter.h"

#include <QImage>
#include <QList>

namespace {

// LZW codes of 9 bits, least significant bit first.
class CodeWriter
{
public:
    void put(int code)
    {
        m_bits |= quint32(code) << m_count;
        for (m_count += 9; m_count >= 8; m_count -= 8) {
            m_bytes.append(char(m_bits & 0xff));
            m_bits >>= 8;
        }
    }
    QByteArray finish()
    {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xff));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

void putWord(QByteArray& bytes, int value)
{
    bytes.append(char(value & 0xff));
    bytes.append(char(value >> 8 & 0xff));
}

} // namespace

QByteArray encodeGif(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32)
                             .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::ThresholdAlphaDither);
    QList<QRgb> colors = image.colorTable();
    int transparent = -1;
    for (int i = 0; i < colors.size() && transparent < 0; ++i)
        transparent = qAlpha(colors.at(i)) < 128 ? i : -1;
    while (colors.size() < 256)
        colors.append(qRgb(0, 0, 0));

    QByteArray gif("GIF89a");
    putWord(gif, image.width());
    putWord(gif, image.height());
    // A global table of 256 colours of 8 bits each.
    gif.append("\xf7\x00\x00", 3);
    for (QRgb color : std::as_const(colors)) {
        gif.append(char(qRed(color)));
        gif.append(char(qGreen(color)));
        gif.append(char(qBlue(color)));
    }
    if (transparent >= 0) {
        gif.append("\x21\xf9\x04\x01\x00\x00", 6);
        gif.append(char(transparent));
        gif.append('\0');
    }
    gif.append(',');
    putWord(gif, 0);
    putWord(gif, 0);
    putWord(gif, image.width());
    putWord(gif, image.height());
    gif.append('\0');

    // Every pixel a code of its own, the table cleared before the codes outgrow 9 bits: no
    // compression, but any reader takes it.
    const int clear = 256;
    const int end = 257;
    const int codesPerClear = 250;
    CodeWriter codes;
    int sinceClear = codesPerClear;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (sinceClear == codesPerClear) {
                codes.put(clear);
                sinceClear = 0;
            }
            codes.put(line[x]);
            ++sinceClear;
        }
    }
    codes.put(end);
    const QByteArray data = codes.finish();

    gif.append(char(8));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(';');
    return gif;
}
