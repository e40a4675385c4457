#ifndef KTVROOM_GIFWRITER_H
#define KTVROOM_GIFWRITER_H

#include <QByteArray>

class QImage;

// A one-frame GIF of image, which Qt can read but not write: the sandbox's gift server
// serves its animations and star logos as the GIF files that a real one has.
QByteArray encodeGif(const QImage& image);

#endif
