#ifndef LUKBASE_LUGIFTFILEKIND_P_H
#define LUKBASE_LUGIFTFILEKIND_P_H

#include <QByteArray>
#include <QString>

class QImage;
class QIODevice;

// Tells whether bytes from the network or a file on disk are what a gift file of a kind
// (LuGiftDownloadItem::Kind) must hold: a PNG picture for the thumbnail, a GIF picture for
// the animation and the star logo, a Flash movie for the Flash file. Error pages, login
// pages of captive portals and files cut short by a crash fail.
namespace LuGiftFileKind {

// Whether the device starts with the signature of the kind. Reads the header only.
bool startsAs(QIODevice* device, int kind);
// Whether the file at path exists and starts with the signature of the kind.
bool fileStartsAs(const QString& path, int kind);
// Whether bytes are a whole file of the kind: pictures must decode as well, and the decoded
// picture goes to picture when one is given.
bool bytesAre(const QByteArray& bytes, int kind, QImage* picture = nullptr);

} // namespace LuGiftFileKind

#endif
