#ifndef LUKBASE_TESTS_GIFBYTES_H
#define LUKBASE_TESTS_GIFBYTES_H

#include <QByteArray>

// A whole GIF picture of one white pixel: Qt reads GIF but cannot write it.
inline QByteArray gifBytes()
{
    static const char bytes[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00\x21\xf9\x04\x01\x00\x00\x00"
                                "\x00\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b";
    return QByteArray(bytes, sizeof(bytes) - 1);
}

#endif
