#ifndef LUKBASE_TESTS_TESTFILES_H
#define LUKBASE_TESTS_TESTFILES_H

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>

// Files on disk and the bytes of small pictures, for tests and benchmarks.

// Writes path whole, making its directory first.
inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly)
        && file.write(bytes) == bytes.size();
}

// What path holds; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A PNG picture of one colour.
inline QByteArray pngBytes(const QColor& color, int side = 16)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "PNG");
    return bytes;
}

// A whole GIF picture of one white pixel: Qt reads GIF but cannot write it.
inline QByteArray gifBytes()
{
    static const char bytes[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00\x21\xf9\x04\x01\x00\x00\x00"
                                "\x00\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b";
    return QByteArray(bytes, sizeof(bytes) - 1);
}

#endif
